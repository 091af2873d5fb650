# Source lists shared by both trees. The portable core is built natively
# (tests with sanitizers, benchmarks, fuzzers) and with MinGW for the program.

set(QS_CORE_SOURCES
)

# Native unit tests of the core.
set(QS_CORE_TEST_SOURCES
)

# Native benchmarks (Google Benchmark).
set(QS_BENCH_SOURCES
)

# libFuzzer targets: fuzz/<name>.cpp, seeds in fuzz/corpus/<name>/.
set(QS_FUZZ_TARGETS
)

# Win32 code of the program except the entry point.
set(QS_FRAMEWORK_SOURCES
)
set(QS_PROGRAM_SOURCES
)

# Windows unit tests (run under Wine).
set(QS_WIN_TEST_SOURCES
)

# End-to-end tests (a driver under Wine that starts the real program).
set(QS_E2E_SOURCES
)

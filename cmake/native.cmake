# Native tree: the portable core with its unit tests (sanitizers),
# benchmarks and, when the compiler is clang, libFuzzer targets.

set(QS_WARNINGS -Wall -Wextra -Wpedantic)
set(QS_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(quillstack_core STATIC ${QS_CORE_SOURCES})
target_include_directories(quillstack_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(quillstack_core PRIVATE ${QS_WARNINGS})

add_library(quillstack_core_san STATIC ${QS_CORE_SOURCES})
target_include_directories(quillstack_core_san PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(quillstack_core_san PRIVATE ${QS_WARNINGS} ${QS_SANITIZE})
target_link_options(quillstack_core_san INTERFACE ${QS_SANITIZE})

include(GoogleTest)
add_executable(core_tests ${QS_CORE_TEST_SOURCES})
target_link_libraries(core_tests PRIVATE quillstack_core_san gtest_main)
target_compile_options(core_tests PRIVATE ${QS_WARNINGS} ${QS_SANITIZE})
gtest_discover_tests(core_tests PROPERTIES TIMEOUT 120 LABELS native)

find_package(benchmark REQUIRED)
add_executable(core_bench ${QS_BENCH_SOURCES})
target_link_libraries(core_bench PRIVATE quillstack_core benchmark::benchmark)
target_compile_options(core_bench PRIVATE ${QS_WARNINGS})
# A smoke run: every benchmark once, on small inputs, with no goal.
add_test(NAME bench_smoke COMMAND core_bench --benchmark_min_time=0.001)
set_tests_properties(bench_smoke PROPERTIES TIMEOUT 300 LABELS bench ENVIRONMENT QS_BENCH_SMOKE=1)

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(QS_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer)
  foreach(target IN LISTS QS_FUZZ_TARGETS)
    add_executable(fuzz_${target} fuzz/${target}.cpp ${QS_CORE_SOURCES})
    target_include_directories(fuzz_${target} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_options(fuzz_${target} PRIVATE ${QS_FUZZ_FLAGS})
    target_link_options(fuzz_${target} PRIVATE ${QS_FUZZ_FLAGS})
    # New inputs go to a scratch folder in the build tree, never into the seeds.
    set(scratch ${CMAKE_BINARY_DIR}/fuzz-corpus/${target})
    file(MAKE_DIRECTORY ${scratch})
    add_test(NAME fuzz_${target}
             COMMAND fuzz_${target} -max_total_time=10 -timeout=5 ${scratch}
                     ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
    set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 120 LABELS fuzz)
  endforeach()
else()
  message(WARNING "Fuzz targets need clang; none built with ${CMAKE_CXX_COMPILER_ID}")
endif()

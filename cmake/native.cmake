# Native tree: the portable core with its unit tests (sanitizers),
# benchmarks and libFuzzer targets. Built with clang.

set(QS_WARNINGS -Wall -Wextra -Wpedantic)
if(QS_WERROR)
  list(APPEND QS_WARNINGS -Werror)
endif()
set(QS_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
set(QS_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer)

if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The native tree needs clang for its fuzz targets; configure with "
                      "-DCMAKE_CXX_COMPILER=clang++ (found ${CMAKE_CXX_COMPILER_ID})")
endif()
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=fuzzer)
check_cxx_source_compiles([[
#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }
]] QS_HAVE_LIBFUZZER)
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_LINK_OPTIONS)
if(NOT QS_HAVE_LIBFUZZER)
  message(FATAL_ERROR "clang cannot link libFuzzer targets: its runtime package "
                      "(libclang-rt-<version>-dev) is missing")
endif()

# The core sees only itself: its include root holds nothing but core/, so a
# core file that reaches for framework/, the program or <windows.h> fails
# here, on a machine that has no Windows headers either.
set(QS_CORE_INCLUDE ${CMAKE_BINARY_DIR}/core-include)
file(MAKE_DIRECTORY ${QS_CORE_INCLUDE})
file(CREATE_LINK ${PROJECT_SOURCE_DIR}/core ${QS_CORE_INCLUDE}/core SYMBOLIC)

# qs_core_library(<name> <flags>...): the core compiled with these flags.
function(qs_core_library name)
  add_library(${name} STATIC ${QS_CORE_SOURCES})
  target_include_directories(${name} PRIVATE ${QS_CORE_INCLUDE} INTERFACE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${QS_WARNINGS} ${ARGN})
endfunction()

qs_core_library(quillstack_core)
qs_core_library(quillstack_core_san ${QS_SANITIZE})
target_link_options(quillstack_core_san INTERFACE ${QS_SANITIZE})
qs_core_library(quillstack_core_fuzz -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)

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

foreach(target IN LISTS QS_FUZZ_TARGETS)
  add_executable(fuzz_${target} fuzz/${target}.cpp)
  target_link_libraries(fuzz_${target} PRIVATE quillstack_core_fuzz)
  target_compile_options(fuzz_${target} PRIVATE ${QS_WARNINGS} ${QS_FUZZ_FLAGS})
  target_link_options(fuzz_${target} PRIVATE ${QS_FUZZ_FLAGS})
  # New inputs go to a scratch folder in the build tree, never into the seeds.
  set(scratch ${CMAKE_BINARY_DIR}/fuzz-corpus/${target})
  file(MAKE_DIRECTORY ${scratch})
  add_test(NAME fuzz_${target}
           COMMAND fuzz_${target} -max_total_time=10 -timeout=5 ${scratch}
                   ${PROJECT_SOURCE_DIR}/fuzz/corpus/${target})
  set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 120 LABELS fuzz)
endforeach()

# Windows tree (MinGW-w64): the program, its hook library, the Windows unit
# tests and the end-to-end driver. ctest runs them under Wine.

enable_language(RC)
if(MSVC)
  set(QS_WARNINGS /W4 /utf-8)
  set(QS_STATIC_LINK "")
  set(QS_UNICODE_ENTRY "")
else()
  # -Wrestrict: GCC 12 at -O3 reports impossible overlaps inside
  # std::string's own operator+ (a known false positive of that release).
  set(QS_WARNINGS -Wall -Wextra -Wpedantic -Wno-restrict)
  # Statically linked, so no MinGW runtime DLL has to sit beside the programs.
  set(QS_STATIC_LINK -static -static-libgcc -static-libstdc++)
  set(QS_UNICODE_ENTRY -municode)
endif()
if(QS_WERROR AND MSVC)
  list(APPEND QS_WARNINGS /WX)
elseif(QS_WERROR)
  list(APPEND QS_WARNINGS -Werror)
endif()
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

add_library(quillstack_core STATIC ${QS_CORE_SOURCES})
target_include_directories(quillstack_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(quillstack_core PRIVATE ${QS_WARNINGS})

add_library(quillstack_framework STATIC ${QS_FRAMEWORK_SOURCES})
target_include_directories(quillstack_framework PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(quillstack_framework PRIVATE ${QS_WARNINGS})
target_link_libraries(quillstack_framework PUBLIC
  user32 gdi32 kernel32 shell32 shlwapi comdlg32 comctl32)

add_library(quillstack_program STATIC ${QS_PROGRAM_SOURCES})
target_compile_options(quillstack_program PRIVATE ${QS_WARNINGS})
# The program links the import library of quillstack.dll (below), so the
# system loads the library from beside the exe at start.
target_link_libraries(quillstack_program PUBLIC quillstack_framework quillstack_core quillstack_hook)

set(QS_RESOURCES ${PROJECT_SOURCE_DIR}/res/quillstack.rc)
set_source_files_properties(${QS_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/res/resource.h;${PROJECT_SOURCE_DIR}/res/version.h;${PROJECT_SOURCE_DIR}/res/quillstack.ico;${PROJECT_SOURCE_DIR}/res/quillstack.manifest")

add_executable(Quillstack WIN32 app/main.cpp ${QS_RESOURCES})
target_compile_options(Quillstack PRIVATE ${QS_WARNINGS})
target_link_libraries(Quillstack PRIVATE quillstack_program)
target_link_options(Quillstack PRIVATE ${QS_STATIC_LINK} ${QS_UNICODE_ENTRY})

# The user guide goes beside the program, where the help commands open it;
# copied at every build (a handful of small files), so an edit always lands.
add_custom_target(quillstack_help ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help
  COMMENT "Copying the user guide beside Quillstack.exe")
add_dependencies(Quillstack quillstack_help)

# The keyboard-hook library, named exactly quillstack.dll. Statically linked
# against the MinGW runtime, so it needs no runtime DLL of its own. It lands
# in the build root beside Quillstack.exe and the test programs, where the
# system finds it when they start.
add_library(quillstack_hook SHARED ${QS_HOOK_SOURCES})
set_target_properties(quillstack_hook PROPERTIES PREFIX "" OUTPUT_NAME quillstack)
target_include_directories(quillstack_hook PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_definitions(quillstack_hook PRIVATE QHOOK_BUILD)
target_compile_options(quillstack_hook PRIVATE ${QS_WARNINGS})
target_link_libraries(quillstack_hook PRIVATE user32 kernel32)
target_link_options(quillstack_hook PRIVATE ${QS_STATIC_LINK})

# What a user downloads: the program, its hook library, the guide, a short
# read-me and the licence, flat in one zip (scripts/package). Only the DLL
# of the hook library is installed, not its import library.
install(TARGETS Quillstack quillstack_hook RUNTIME DESTINATION . ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION help)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/README.txt ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quillstack)
set(CPACK_PACKAGE_FILE_NAME Quillstack-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)

include(GoogleTest)

# Test helpers shared by the Windows unit tests and the end-to-end drivers.
add_library(qs_test_common STATIC ${QS_TEST_COMMON_SOURCES})
target_include_directories(qs_test_common PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(qs_test_common PRIVATE ${QS_WARNINGS})
target_link_libraries(qs_test_common PUBLIC gtest user32 kernel32)

# Windows unit tests: the program's classes, with its resources linked in.
add_executable(win_tests ${QS_WIN_TEST_SOURCES} ${QS_RESOURCES})
target_compile_options(win_tests PRIVATE ${QS_WARNINGS})
target_link_libraries(win_tests PRIVATE quillstack_program qs_test_common gtest_main)
target_link_options(win_tests PRIVATE ${QS_STATIC_LINK})
add_dependencies(win_tests Quillstack)
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 120 LABELS win)

# Programs that start the real Quillstack.exe in fresh folders.
function(qs_add_driver name main)
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE ${QS_WARNINGS})
  target_link_libraries(${name} PRIVATE qs_test_common ${main} quillstack_core
    user32 gdi32 kernel32 shell32 shlwapi)
  target_link_options(${name} PRIVATE ${QS_STATIC_LINK})
  add_dependencies(${name} Quillstack)
endfunction()

if(NOT QS_E2E_SOURCES)
  return()
endif()
qs_add_driver(e2e_driver gtest_main ${QS_E2E_SOURCES})
gtest_discover_tests(e2e_driver DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 90 LABELS e2e RUN_SERIAL TRUE)

# End-to-end timings of the real program (scripts/bench); ctest runs them
# once, briefly, to show they still work.
qs_add_driver(e2e_bench gtest bench/e2e_bench.cpp tests/e2e/harness.cpp)
# The X program that makes the bursts is a program of the build machine,
# built with its own C compiler and Xlib; the bench starts it through Wine.
find_program(QS_HOST_CC NAMES cc gcc clang REQUIRED)
set(QS_X11_BURST ${CMAKE_BINARY_DIR}/x11_burst)
add_custom_command(OUTPUT ${QS_X11_BURST}
  COMMAND ${QS_HOST_CC} -O2 -Wall -Wextra -o ${QS_X11_BURST} ${PROJECT_SOURCE_DIR}/bench/x11_burst.c -lX11
  DEPENDS ${PROJECT_SOURCE_DIR}/bench/x11_burst.c
  COMMENT "Building the X burst program with the build machine's compiler")
add_custom_target(x11_burst_program ALL DEPENDS ${QS_X11_BURST})
add_test(NAME e2e_bench_smoke COMMAND e2e_bench)
set_tests_properties(e2e_bench_smoke PROPERTIES LABELS bench RUN_SERIAL TRUE TIMEOUT 180
  ENVIRONMENT "QS_BENCH_SMOKE=1;QS_X11_BURST=${QS_X11_BURST}")

# The X-side end-to-end tests: a bash script runs their driver under Wine
# and copies with xclip on the same display whenever the driver asks.
qs_add_driver(e2e_xclip gtest_main ${QS_E2E_XCLIP_SOURCES})
add_test(NAME e2e_xclip COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/xclip_test.sh $<TARGET_FILE:e2e_xclip>)
set_tests_properties(e2e_xclip PROPERTIES LABELS e2e RUN_SERIAL TRUE TIMEOUT 180)

# The zip a user downloads, unpacked and run (tests/e2e/package_test.sh).
qs_add_driver(e2e_package gtest_main ${QS_E2E_PACKAGE_SOURCES})
add_test(NAME e2e_package COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/package_test.sh
  $<TARGET_FILE:e2e_package> ${CMAKE_BINARY_DIR})
set_tests_properties(e2e_package PROPERTIES LABELS e2e RUN_SERIAL TRUE TIMEOUT 180)

# Pictures of the real program for the README (scripts/screenshots).
qs_add_driver(screenshots gtest_main tools/screenshots.cpp tests/e2e/harness.cpp)

# Shortcut keys typed with xdotool into a window of the driver's own.
qs_add_driver(e2e_keys gtest_main ${QS_E2E_KEYS_SOURCES})
gtest_discover_tests(e2e_keys DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES TIMEOUT 120 LABELS e2e RUN_SERIAL TRUE)

# Key press to clipboard change, beside a bare low-level hook (scripts/bench;
# ctest runs it once, briefly).
qs_add_driver(e2e_hook_bench gtest bench/e2e_hook_bench.cpp tests/e2e/harness.cpp)
add_test(NAME e2e_hook_bench_smoke COMMAND e2e_hook_bench)
set_tests_properties(e2e_hook_bench_smoke PROPERTIES LABELS bench RUN_SERIAL TRUE TIMEOUT 120
  ENVIRONMENT QS_BENCH_SMOKE=1)

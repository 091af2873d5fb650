# Source lists shared by both trees, one entry a line. The portable core
# (core/) is built natively (tests with sanitizers, benchmarks, fuzzers) and
# with MinGW for the program.

set(QS_CORE_SOURCES
  core/caption.cpp
  core/date_time.cpp
  core/frame_math.cpp
  core/key_names.cpp
  core/list_file_text.cpp
  core/panel_math.cpp
  core/settings_text.cpp
  core/string_list.cpp
  core/url_scan.cpp
)

# Native unit tests of the core.
set(QS_CORE_TEST_SOURCES
  tests/unit/settings_text_test.cpp
  tests/unit/lists_test.cpp
  tests/unit/url_scan_test.cpp
  tests/unit/text_test.cpp
  tests/unit/window_math_test.cpp
)

# Native benchmarks (Google Benchmark).
set(QS_BENCH_SOURCES
  bench/list_file_bench.cpp
  bench/bench_main.cpp
  bench/url_scan_bench.cpp
)

# libFuzzer targets: fuzz/<name>.cpp, seeds in fuzz/corpus/<name>/.
set(QS_FUZZ_TARGETS
  settings_text
  list_file_text
)

# Win32 code of the program except the entry point.
set(QS_FRAMEWORK_SOURCES
  framework/app.cpp
  framework/clipboard.cpp
  framework/common_dialogs.cpp
  framework/dialog.cpp
  framework/document.cpp
  framework/file.cpp
  framework/frame_window.cpp
  framework/help.cpp
  framework/message_box.cpp
  framework/data_exchange.cpp
  framework/property_sheet.cpp
  framework/text.cpp
  framework/tray_icon.cpp
  framework/view.cpp
  framework/window.cpp
)
set(QS_PROGRAM_SOURCES
  app/about_dlg.cpp
  app/main_frame.cpp
  app/quillstack_app.cpp
  app/tray_menus.cpp
  data/app_path.cpp
  data/list_file.cpp
  data/quillstack_doc.cpp
  data/settings_file.cpp
  dialogs/join_dest.cpp
  dialogs/new_file_wizard.cpp
  dialogs/temp_edit.cpp
  dialogs/temp_save.cpp
  dialogs/text_file_dialog.cpp
  dialogs/shortcut_key.cpp
  dialogs/sentence_editor.cpp
  options/option_page.cpp
  options/options_sheet.cpp
  options/page_date_time.cpp
  options/page_general1.cpp
  options/page_general2.cpp
  options/page_keys.cpp
  options/page_url.cpp
  view/menus.cpp
  view/quillstack_view.cpp
  view/view_capture.cpp
  view/view_commands.cpp
  view/view_hook.cpp
  view/view_panel.cpp
  view/view_setup.cpp
)

# The keyboard-hook library quillstack.dll; it uses nothing of the program.
set(QS_HOOK_SOURCES
  hook/qhook.cpp
)

# Test helpers shared by the Windows unit tests and the end-to-end drivers.
set(QS_TEST_COMMON_SOURCES
  tests/common/test_files.cpp
)

# Windows unit tests (run under Wine).
set(QS_WIN_TEST_SOURCES
  tests/win/data_test.cpp
  tests/win/menus_test.cpp
  tests/win/shortcut_key_dlg_test.cpp
)

# End-to-end tests (a driver under Wine that starts the real program).
set(QS_E2E_SOURCES
  tests/e2e/harness.cpp
  tests/e2e/startup_test.cpp
  tests/e2e/capture_test.cpp
  tests/e2e/frame_test.cpp
  tests/e2e/file_commands_test.cpp
  tests/e2e/dialogs_test.cpp
)

# The X-side end-to-end tests: their own driver, run only by
# tests/e2e/xclip_test.sh, which copies with xclip when the driver asks.
set(QS_E2E_XCLIP_SOURCES
  tests/e2e/harness.cpp
  tests/e2e/xclip_test.cpp
)

# Global shortcut keys typed for real with xdotool, an X program: a driver
# of their own, since they run only under Wine on an X display.
set(QS_E2E_KEYS_SOURCES
  tests/e2e/harness.cpp
  tests/e2e/shortcut_keys_test.cpp
)

# The unpacked package: a driver of its own, run only by
# tests/e2e/package_test.sh, which builds and unpacks the zip first.
set(QS_E2E_PACKAGE_SOURCES
  tests/e2e/harness.cpp
  tests/e2e/package_test.cpp
)

// Helpers of the Windows unit tests on top of the shared ones.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "data/app_path.h"
#include "framework/common_dialogs.h"
#include "framework/file.h"
#include "framework/message_box.h"
#include "tests/common/test_files.h"

namespace wintest {

using namespace qstest;

// Answers every message box with OK and keeps its text.
struct MessageBoxes {
    MessageBoxes() {
        fw::SetMessageBoxHandler([this](std::wstring_view text, UINT) { return texts.emplace_back(text), IDOK; });
    }
    ~MessageBoxes() { fw::SetMessageBoxHandler({}); }
    std::vector<std::wstring> texts;
};

// Answers every open and save dialog with `answer` and keeps the requests.
struct FileDialogs {
    FileDialogs() {
        fw::SetFileDialogHandler([this](const fw::FileDialogRequest& r) { return requests.push_back(r), answer; });
    }
    ~FileDialogs() { fw::SetFileDialogHandler({}); }

    std::optional<std::wstring> answer;
    std::vector<fw::FileDialogRequest> requests;
};

// Every write fails after its temporary file was opened, as on a full disk.
struct FailingWrites {
    FailingWrites() { fw::SetWriteFailureForTesting(true); }
    ~FailingWrites() { fw::SetWriteFailureForTesting(false); }
};

// The message the program shows for a list file it cannot open or write.
inline std::wstring OpenFailedText(const std::string& ansiPath) {
    return L"登録ファイルが見つかりません。\n--登録ファイルが開けません--\n--" + WideFromAnsi(ansiPath) + L"--";
}

// Runs `run`, which shows a modal window titled `title` on this thread,
// while another thread works that window with `drive`; what stays open is
// cancelled.
inline void DriveModal(const wchar_t* title, const std::function<void(HWND)>& drive, const std::function<void()>& run) {
    const DWORD thread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND window = nullptr;
        if (WaitUntil([&] {
                window = FindWindowW(L"#32770", title);
                return window && IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == thread;
            })) {
            drive(window);
        }
        if (IsWindow(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    run();
    driver.join();
}

// A fresh folder as the program's folder (settings and default sentence
// file), with message boxes answered.
class DocTest : public ::testing::Test {
protected:
    DocTest() { qs::SetAppFolderForTesting(dir.AnsiPath()); }
    ~DocTest() override { qs::SetAppFolderForTesting(""); }
    std::string File(std::string_view utf8Name) const { return dir.AnsiFile(utf8Name); }

    TempFolder dir;
    MessageBoxes boxes;
};

}  // namespace wintest

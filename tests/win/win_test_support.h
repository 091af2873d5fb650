// Helpers of the Windows unit tests on top of the shared ones: message boxes
// answered in place of a user, the program's folder and its safe writer's
// seam, and a document fixture that keeps the program's files out of the
// real program folder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/app_path.h"
#include "framework/common_dialogs.h"
#include "framework/file.h"
#include "framework/message_box.h"
#include "tests/common/test_files.h"

namespace wintest {

using namespace qstest;

// Answers every message box in place of the user and keeps its text.
class MessageBoxes {
public:
    MessageBoxes() {
        old_ = fw::SetMessageBoxHandler([this](std::wstring_view text, UINT type) {
            texts.emplace_back(text);
            types.push_back(type);
            return answer;
        });
    }
    ~MessageBoxes() { fw::SetMessageBoxHandler(std::move(old_)); }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    int answer = IDOK;
    std::vector<std::wstring> texts;
    std::vector<UINT> types;

private:
    fw::MessageBoxHandler old_;
};

// Answers every open and save dialog with `answer` and keeps the requests.
struct FileDialogs {
    FileDialogs() {
        fw::SetFileDialogHandler([this](const fw::FileDialogRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }
    ~FileDialogs() { fw::SetFileDialogHandler({}); }

    std::optional<std::wstring> answer;
    std::vector<fw::FileDialogRequest> requests;
};

// Points the program's folder (settings file, default sentence file) at a
// test folder for the object's lifetime.
struct AppFolder {
    explicit AppFolder(const std::string& folder) { qs::SetAppFolderForTesting(folder); }
    ~AppFolder() { qs::SetAppFolderForTesting(""); }
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

// A fresh folder as the program's folder, with message boxes answered.
class DocTest : public ::testing::Test {
protected:
    std::string File(std::string_view utf8Name) const { return dir.AnsiFile(utf8Name); }

    TempFolder dir;
    AppFolder appFolder{dir.AnsiPath()};
    MessageBoxes boxes;
};

}  // namespace wintest

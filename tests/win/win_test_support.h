// Helpers of the Windows unit tests on top of the shared ones: message boxes
// answered in place of a user, the program's folder and its safe writer's
// seam, menus read back item by item, and a document fixture that keeps the
// program's files out of the real program folder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "data/app_path.h"
#include "framework/file.h"
#include "framework/message_box.h"
#include "tests/common/test_files.h"

namespace wintest {

using namespace qstest;

// Cases that depend on double-byte characters need the Japanese code page,
// which the Wine set-up of the scripts provides.
inline bool JapaneseCodePage() { return GetACP() == 932; }

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

// One menu entry in menu order, pop-ups followed by their items one level
// deeper; a separator has empty text and id 0, a pop-up the id kPopup.
constexpr int kPopup = -1;
struct MenuLine {
    int depth;
    std::wstring text;
    int id;
    bool operator==(const MenuLine&) const = default;
};
inline void PrintTo(const MenuLine& line, std::ostream* os) {
    *os << std::string(line.depth * 2, ' ') << '"' << Utf8(line.text) << "\" " << line.id;
}

inline std::vector<MenuLine> MenuLines(HMENU menu, int depth = 0) {
    std::vector<MenuLine> lines;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        EXPECT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info)) << i;
        if (info.fType & MFT_SEPARATOR) {
            lines.push_back({depth, L"", 0});
        } else if (info.hSubMenu) {
            lines.push_back({depth, text, kPopup});
            for (MenuLine& line : MenuLines(info.hSubMenu, depth + 1)) lines.push_back(std::move(line));
        } else {
            lines.push_back({depth, text, static_cast<int>(info.wID)});
        }
    }
    return lines;
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

// The menus the view builds or marks, on real menus: the display mode's
// radio mark in the main menu, the "▼" menu and the slot buttons' menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/handles.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/menus.h"

namespace {

using wintest::MenuLine;

UINT State(HMENU menu, UINT id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoW(menu, id, FALSE, &info)) << id;
    return info.fState | ((info.fType & MFT_RADIOCHECK) ? MFT_RADIOCHECK : 0);
}

// Which of the three mode commands carry the radio mark, as "100" etc.
std::string Marks(HMENU menu) {
    std::string marks;
    for (UINT id = ID_MODE_SENTENCES; id <= ID_MODE_URLHISTORY; ++id) {
        const UINT radio = MFS_CHECKED | MFT_RADIOCHECK;
        marks += (State(menu, id) & radio) == radio ? '1' : '0';
    }
    return marks;
}

fw::MenuHandle LoadProgramMenu(UINT id) {
    return fw::MenuHandle(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
}

TEST(DisplayModeMark, MarksExactlyTheChosenModeInTheFunctionsMenu) {
    fw::MenuHandle menu = LoadProgramMenu(IDR_MAINFRAME);
    ASSERT_TRUE(menu);
    HMENU functions = GetSubMenu(menu.Get(), 1);
    EXPECT_EQ(Marks(functions), "000");
    const std::pair<int, const char*> steps[] = {{2, "001"}, {0, "100"}, {1, "010"}};
    for (const auto& [mode, marks] : steps) {
        MarkDisplayMode(functions, mode);
        EXPECT_EQ(Marks(functions), marks) << mode;
    }
    // The other items of the pop-up are left alone.
    for (UINT id : {ID_SHOW_EDITOR, ID_SHOW_TEMPSAVE, ID_ICONISE, ID_OPTIONS, ID_APP_ABOUT})
        EXPECT_EQ(State(functions, id) & MFS_CHECKED, 0u) << id;
}

qs::StringList Recent(const std::vector<std::string>& names) {
    qs::StringList list(9);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) list.SetAtGrow(i, names[i]);
    return list;
}

// The three lists with the mode's radio mark, the default file, then the
// recent files up to the first empty name, the count and the nine commands.
TEST(ListMenu, ListsTheModesTheDefaultFileAndTheRecentFiles) {
    const struct {
        std::vector<std::string> files;  // ANSI
        int recentCount;
        int mode;
        std::vector<std::wstring> shown;
    } cases[] = {
        {{"C:\\a.txt", wintest::Ansi("C:\\日本\\b.txt")}, 5, 0, {L"C:\\a.txt", L"C:\\日本\\b.txt"}},
        {{}, 5, 1, {}},
        {{"a", "b", "", "d"}, 5, 2, {L"a", L"b"}},
        {{"", "b"}, 5, 0, {}},
        {{"a", "b", "c", "d", "e", "f"}, 3, 0, {L"a", L"b", L"c"}},
        {{"a", "b"}, 0, 0, {}},
        {{"a", "b"}, -1, 0, {}},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}, 50, 0,
         {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"}},
    };
    const ListMenuTexts texts{L"登録文", L"クリップボード履歴", L"ＵＲＬ履歴", L"デフォルト"};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.files.size() << " files, count " << c.recentCount);
        fw::MenuHandle menu = BuildListMenu(Recent(c.files), c.recentCount, c.mode, texts);
        ASSERT_TRUE(menu);
        std::vector<MenuLine> expected = {{0, texts.sentences, ID_MODE_SENTENCES},
                                          {0, texts.clipHistory, ID_MODE_CLIPHISTORY},
                                          {0, texts.urlHistory, ID_MODE_URLHISTORY},
                                          {0, L"", 0},
                                          {0, texts.defaultFile, ID_FILE_DEFAULT}};
        for (size_t i = 0; i < c.shown.size(); ++i) {
            expected.push_back({0, c.shown[i], ID_RECENT_FIRST + static_cast<int>(i)});
        }
        EXPECT_EQ(wintest::MenuLines(menu.Get()), expected);
        EXPECT_EQ(Marks(menu.Get()), std::string("000").replace(c.mode, 1, "1"));
        EXPECT_EQ(State(menu.Get(), ID_FILE_DEFAULT) & MFS_CHECKED, 0u);
    }
}

TEST(SlotMenu, ClipboardCommandsAreGrayedAndEnabledTogether) {
    fw::MenuHandle menu = LoadProgramMenu(IDR_SLOTMENU);
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu.Get(), 0);
    ASSERT_NE(popup, nullptr);
    for (bool enable : {false, true, false}) {
        EnableClipboardCommands(popup, enable);
        for (UINT id : {ID_APPEND_BEHIND, ID_APPEND_FRONT, ID_REGISTER_CLIPBOARD})
            EXPECT_EQ((State(popup, id) & MFS_GRAYED) != 0, !enable) << id << " " << enable;
    }
    EXPECT_EQ(GetMenuItemCount(popup), 3);
}

}  // namespace

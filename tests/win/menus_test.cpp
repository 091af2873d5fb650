// The menus the view builds or marks, on real menus: the display mode's
// radio mark in the main menu, the "▼" menu and the slot buttons' menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/menus.h"

namespace {

using wintest::Ansi;

struct Item {
    UINT id;
    std::wstring text;  // empty for a separator
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* os) {
    *os << item.id << " \"" << wintest::Utf8(item.text) << '"';
}

MENUITEMINFOW ItemInfo(HMENU menu, UINT item, bool byPosition, wchar_t* text = nullptr, UINT size = 0) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = size;
    EXPECT_TRUE(GetMenuItemInfoW(menu, item, byPosition, &info)) << item;
    return info;
}

std::vector<Item> Items(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[512] = {};
        MENUITEMINFOW info = ItemInfo(menu, static_cast<UINT>(i), true, text, 512);
        items.push_back({(info.fType & MFT_SEPARATOR) ? 0 : info.wID, text});
    }
    return items;
}

bool HasRadioMark(HMENU menu, UINT id) {
    MENUITEMINFOW info = ItemInfo(menu, id, false);
    return (info.fState & MFS_CHECKED) && (info.fType & MFT_RADIOCHECK);
}

bool IsChecked(HMENU menu, UINT id) {
    return (ItemInfo(menu, id, false).fState & MFS_CHECKED) != 0;
}

bool IsGrayed(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

// Which of the three mode commands carry the radio mark, as "100" etc.
std::string Marks(HMENU menu) {
    std::string marks;
    for (UINT id = ID_MODE_SENTENCES; id <= ID_MODE_URLHISTORY; ++id) marks += HasRadioMark(menu, id) ? '1' : '0';
    return marks;
}

fw::MenuHandle LoadProgramMenu(UINT id) {
    return fw::MenuHandle(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
}

TEST(DisplayModeMark, MarksExactlyTheChosenModeInTheFunctionsMenu) {
    fw::MenuHandle menu = LoadProgramMenu(IDR_MAINFRAME);
    ASSERT_TRUE(menu);
    wchar_t title[64] = {};
    GetMenuStringW(menu.Get(), 1, title, 64, MF_BYPOSITION);
    ASSERT_EQ(std::wstring(title), L"機能(&T)");
    HMENU functions = GetSubMenu(menu.Get(), 1);

    EXPECT_EQ(Marks(functions), "000");
    MarkDisplayMode(functions, 2);
    EXPECT_EQ(Marks(functions), "001");
    MarkDisplayMode(functions, 0);
    EXPECT_EQ(Marks(functions), "100");
    MarkDisplayMode(functions, 1);
    EXPECT_EQ(Marks(functions), "010");
    // The other items of the pop-up are left alone.
    for (UINT id : {ID_SHOW_EDITOR, ID_SHOW_TEMPSAVE, ID_ICONISE, ID_OPTIONS, ID_APP_ABOUT})
        EXPECT_FALSE(IsChecked(functions, id)) << id;
}

const ListMenuTexts kTexts{L"登録文", L"クリップボード履歴", L"ＵＲＬ履歴", L"デフォルト"};

std::vector<Item> FixedPart() {
    return {{ID_MODE_SENTENCES, L"登録文"},
            {ID_MODE_CLIPHISTORY, L"クリップボード履歴"},
            {ID_MODE_URLHISTORY, L"ＵＲＬ履歴"},
            {0, L""},
            {ID_FILE_DEFAULT, L"デフォルト"}};
}

std::vector<Item> WithRecent(std::vector<std::wstring> names) {
    std::vector<Item> items = FixedPart();
    for (UINT i = 0; i < names.size(); ++i) items.push_back({ID_RECENT_FIRST + i, names[i]});
    return items;
}

qs::StringList Recent(const std::vector<std::string>& names) {
    qs::StringList list(9);
    for (int i = 0; i < static_cast<int>(names.size()); ++i) list.SetAtGrow(i, names[i]);
    return list;
}

TEST(ListMenu, ListsTheModesTheDefaultFileAndTheRecentFiles) {
    qs::StringList recent = Recent({"C:\\a.txt", Ansi("C:\\日本\\b.txt")});
    fw::MenuHandle menu = BuildListMenu(recent, 5, 0, kTexts);
    ASSERT_TRUE(menu);
    EXPECT_EQ(Items(menu.Get()), WithRecent({L"C:\\a.txt", L"C:\\日本\\b.txt"}));
}

TEST(ListMenu, RadioMarkFollowsTheMode) {
    qs::StringList recent(9);
    for (int mode = 0; mode <= 2; ++mode) {
        fw::MenuHandle menu = BuildListMenu(recent, 5, mode, kTexts);
        std::string expected = "000";
        expected[mode] = '1';
        EXPECT_EQ(Marks(menu.Get()), expected) << mode;
        EXPECT_FALSE(IsChecked(menu.Get(), ID_FILE_DEFAULT));
    }
}

struct RecentCase {
    std::vector<std::string> files;
    int recentCount;
    std::vector<std::wstring> shown;
};

class ListMenuRecentFiles : public testing::TestWithParam<RecentCase> {};

TEST_P(ListMenuRecentFiles, StopAtTheFirstEmptyNameAndAtTheCount) {
    qs::StringList recent = Recent(GetParam().files);
    fw::MenuHandle menu = BuildListMenu(recent, GetParam().recentCount, 0, kTexts);
    EXPECT_EQ(Items(menu.Get()), WithRecent(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Menus, ListMenuRecentFiles,
    testing::Values(RecentCase{{}, 5, {}},
                    RecentCase{{"a", "b", "", "d"}, 5, {L"a", L"b"}},
                    RecentCase{{"", "b"}, 5, {}},
                    RecentCase{{"a", "b", "c", "d", "e", "f"}, 3, {L"a", L"b", L"c"}},
                    RecentCase{{"a", "b"}, 0, {}},
                    RecentCase{{"a", "b"}, -1, {}},
                    // More than the nine commands there are: the nine.
                    RecentCase{{"1", "2", "3", "4", "5", "6", "7", "8", "9"},
                               50,
                               {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"}}));

TEST(ListMenu, MoreEntriesThanCommandsStopAtTheLastCommand) {
    qs::StringList recent;
    for (int i = 0; i < 12; ++i) recent.AddTail("f" + std::to_string(i));
    fw::MenuHandle menu = BuildListMenu(recent, 12, 0, kTexts);
    std::vector<Item> items = Items(menu.Get());
    ASSERT_EQ(items.size(), FixedPart().size() + 9);
    EXPECT_EQ(items.back(), (Item{ID_RECENT_LAST, L"f8"}));
}

TEST(SlotMenu, ClipboardCommandsAreGrayedAndEnabledTogether) {
    fw::MenuHandle menu = LoadProgramMenu(IDR_SLOTMENU);
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu.Get(), 0);
    ASSERT_NE(popup, nullptr);
    const UINT ids[] = {ID_APPEND_BEHIND, ID_APPEND_FRONT, ID_REGISTER_CLIPBOARD};
    for (UINT id : ids) EXPECT_FALSE(IsGrayed(popup, id)) << id;

    EnableClipboardCommands(popup, false);
    for (UINT id : ids) EXPECT_TRUE(IsGrayed(popup, id)) << id;
    EXPECT_EQ(GetMenuItemCount(popup), 3);

    EnableClipboardCommands(popup, true);
    for (UINT id : ids) EXPECT_FALSE(IsGrayed(popup, id)) << id;
}

}  // namespace

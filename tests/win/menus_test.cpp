// The "▼" menu the view builds, read back from a real menu. (The display
// mode's radio mark in the menu bar is tested with the whole application in
// routing_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/menus.h"

namespace {

// Every item as "text id", with "*" after the one with the radio mark and
// "-" for a separator.
std::vector<std::wstring> Items(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 256;
        EXPECT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info)) << i;
        if (info.fType & MFT_SEPARATOR) {
            items.push_back(L"-");
            continue;
        }
        const bool marked = (info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED);
        items.push_back(std::wstring(text) + L" " + std::to_wstring(info.wID) + (marked ? L"*" : L""));
    }
    return items;
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
    const ListMenuTexts texts{L"S", L"C", L"U", L"D"};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.files.size() << " files, count " << c.recentCount);
        qs::StringList recent(9);
        for (int i = 0; i < static_cast<int>(c.files.size()); ++i) recent.SetAtGrow(i, c.files[i]);
        fw::MenuHandle menu = BuildListMenu(recent, c.recentCount, c.mode, texts);
        ASSERT_TRUE(menu);
        std::vector<std::wstring> expected = {L"S 32800", L"C 32801", L"U 32802", L"-", L"D 32773"};
        expected[c.mode] += L"*";
        for (size_t i = 0; i < c.shown.size(); ++i) expected.push_back(c.shown[i] + L" " + std::to_wstring(200 + i));
        EXPECT_EQ(Items(menu.Get()), expected);
    }
}

}  // namespace

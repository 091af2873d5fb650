// The menus the program builds, read back from real menus: the "▼" menu, a
// list's pop-up (the recent files), the two menus of the tray icon and the
// places in the menu bar the code relies on. (The display mode's radio mark
// in the menu bar is tested with the whole application in routing_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tray_menus.h"
#include "dialogs/temp_save.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/menus.h"

namespace {

// Every item as "text id", with "*" after a checked one (a radio mark or a
// check), "text >" for a pop-up and "-" for a separator.
std::vector<std::wstring> Items(HMENU menu) {
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 256;
        EXPECT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info)) << i;
        if (info.fType & MFT_SEPARATOR) {
            items.push_back(L"-");
        } else if (info.hSubMenu) {
            items.push_back(std::wstring(text) + L" >");
        } else {
            items.push_back(std::wstring(text) + L" " + std::to_wstring(info.wID) +
                            ((info.fState & MFS_CHECKED) ? L"*" : L""));
        }
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

// A second call replaces the pop-up of its title, and destroys it, rather
// than adding another; the count decides the items, up to the list's end,
// and an empty entry keeps its place with an empty caption.
TEST(ListSubmenu, ReplacesThePopupOfItsTitleAndListsCountEntries) {
    fw::MenuHandle menu(CreatePopupMenu());
    AppendMenuW(menu.Get(), MF_STRING, 1, L"A");
    AppendMenuW(menu.Get(), MF_STRING, 2, L"B");
    qs::StringList recent(9);
    recent.SetAtGrow(0, "C:\\a.txt");
    recent.SetAtGrow(2, wintest::Ansi("C:\\日本.txt"));

    InsertListSubmenu(menu.Get(), 1, L"R", recent, 5, 200);
    HMENU first = GetSubMenu(menu.Get(), 1);
    EXPECT_EQ(Items(first), (std::vector<std::wstring>{L"C:\\a.txt 200", L" 201", L"C:\\日本.txt 202", L" 203", L" 204"}));

    InsertListSubmenu(menu.Get(), 1, L"R", recent, 50, 200);
    EXPECT_EQ(Items(menu.Get()), (std::vector<std::wstring>{L"A 1", L"R >", L"B 2"}));
    EXPECT_FALSE(IsMenu(first)) << "the replaced pop-up is left behind";
    EXPECT_EQ(Items(GetSubMenu(menu.Get(), 1)).size(), 9u);
}

// The temporary-save window's copy menu: newest first, the first 20 bytes
// of each text and never half a double-byte character, commands from 250 on,
// twenty at most.
TEST(TempCopyMenu, ListsTheTextsBeginningsWithTheirPositionsCommands) {
    qs::StringList texts;
    for (const char* text : {"a一二三四五六七八九十", "0123456789ABCDEFGHIJKLMN", "short", "一二三四五六七八九十X"}) {
        texts.AddTail(wintest::Ansi(text));
    }
    EXPECT_EQ(Items(BuildTempCopyMenu(texts, qs::LeadBytes::ShiftJis()).Get()),
              (std::vector<std::wstring>{L"a一二三四五六七八九 250", L"0123456789ABCDEFGHIJ 251", L"short 252",
                                         L"一二三四五六七八九十 253"}));
    for (int i = 0; i < 30; ++i) texts.AddTail(std::to_string(i));
    const std::vector<std::wstring> items = Items(BuildTempCopyMenu(texts, qs::LeadBytes::ShiftJis()).Get());
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items.back(), L"15 269");
}

using TrayMenus = wintest::DocTest;

// Eight items, or sixteen once the list reaches past the eighth, from its
// first entry on: captions as on the buttons (titles, starts or ends) but
// 20 bytes wide, never half a double-byte character.
TEST_F(TrayMenus, ListMenuShowsEightOrSixteenEntriesInTwentyBytes) {
    const struct {
        ListKind mode;
        int view;
        std::vector<std::string> texts;  // UTF-8
        std::vector<std::wstring> shown;  // then "未登録"
        std::size_t length;
    } cases[] = {
        {kListUrlHistory, 0, {"http://a/", "b", "c"}, {L"http://a/", L"b", L"c"}, 8},
        {kListSentences, 0, {"Hello", "a一二三四五六七八九十", "2", "3", "4", "5", "6", "7", "8"},
         {L"Greeting", L"a一二三四五六七八九", L"2", L"3", L"4", L"5", L"6", L"7", L"8"}, 16},
        {kListClipHistory, 2, {"0123456789ABCDEFGHIJKLMN"}, {L"456789ABCDEFGHIJKLMN"}, 8},
    };
    for (const auto& c : cases) {
        CQuillstackDoc doc;
        doc.m_Settings.View = c.view;
        doc.m_Titles.AddTail("Greeting");
        for (const std::string& text : c.texts) doc.SetItem(c.mode, doc.GetItemCount(c.mode), wintest::Ansi(text));
        std::vector<std::wstring> expected;
        for (std::size_t i = 0; i < c.length; ++i) {
            expected.push_back((i < c.shown.size() ? c.shown[i] : L"未登録") + L" " + std::to_wstring(210 + i));
        }
        EXPECT_EQ(Items(BuildTrayListMenu(doc, c.mode, wintest::Ansi("未登録")).Get()), expected) << c.mode;
    }
}

// Menu 135 with its first item iconising the visible frame or restoring
// the hidden one, the recent files at position 2, the mode's radio mark and
// the temporary-save window's check.
TEST_F(TrayMenus, TrayMenuFollowsTheFrameTheModeAndTheRecentFiles) {
    CQuillstackDoc doc;
    doc.m_Settings.RecentCount = 3;
    doc.m_RecentFiles.SetAtGrow(0, "C:\\a.txt");
    for (bool shown : {true, false}) {
        fw::MenuHandle menu = BuildTrayMenu(doc, {shown, !shown, shown ? kListSentences : kListUrlHistory});
        HMENU popup = GetSubMenu(menu.Get(), 0);
        EXPECT_EQ(Items(popup), (std::vector<std::wstring>{
                                    shown ? L"アイコン化 230" : L"元のサイズに戻す(&R) 32782", L"読み込み(&L)... 57601",
                                    L"最近使ったファイル >", shown ? L"一時保存ダイアログ 32792" : L"一時保存ダイアログ 32792*",
                                    L"デフォルト(&D) 32773", L"-", shown ? L"登録文(&R) 32800*" : L"登録文(&R) 32800",
                                    L"クリップボード履歴(&R) 32801", shown ? L"URL履歴(&U) 32802" : L"URL履歴(&U) 32802*", L"-",
                                    L"ヘルプ(&H) 32784", L"終了(&E) 32781"}));
        EXPECT_EQ(Items(GetSubMenu(popup, 2)), (std::vector<std::wstring>{L"C:\\a.txt 200", L" 201", L" 202"}));
    }
}

// The places in the built exe's menu bar that the code relies on: the mode
// commands in one run in list-kind order (one radio group), and the place
// of the recent files, found by position. Loaded as a data file, nothing
// of the exe runs.
TEST(Resources, MenuPlacesTheCodeReliesOn) {
    HMODULE exe = LoadLibraryExW(qstest::ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr) << qstest::Utf8(qstest::ProgramPath());
    fw::MenuHandle menu(LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAINFRAME)));
    FreeLibrary(exe);
    HMENU functions = menu ? GetSubMenu(menu.Get(), kFunctionsMenuIndex) : nullptr;
    HMENU file = menu ? GetSubMenu(menu.Get(), kFileMenuIndex) : nullptr;
    ASSERT_TRUE(functions && file);
    int first = 0;
    while (first < GetMenuItemCount(functions) && GetMenuItemID(functions, first) != ID_MODE_SENTENCES) ++first;
    for (int kind : {kListClipHistory, kListUrlHistory}) {
        EXPECT_EQ(GetMenuItemID(functions, first + kind), static_cast<UINT>(ID_MODE_SENTENCES + kind)) << kind;
    }
    EXPECT_EQ(GetMenuItemID(file, kRecentFilesPosition - 1), static_cast<UINT>(ID_FILE_DEFAULT));
    EXPECT_EQ(GetMenuState(file, kRecentFilesPosition, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(file, kRecentFilesPosition + 1), static_cast<UINT>(ID_FILE_EXIT_NOSAVE));
}

}  // namespace

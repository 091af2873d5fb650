// The menus the program builds, read back from real menus (Wine lets no
// other process read one); the user guide naming what menus and buttons
// show; and the application made in this process as at start, without a
// message loop, for checks, radio marks and grayed items.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <regex>
#include <utility>

#include "app/quillstack_app.h"
#include "app/tray_menus.h"
#include "dialogs/temp_save.h"
#include "framework/frame_window.h"
#include "framework/handles.h"
#include "framework/text.h"
#include "framework/window.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/menus.h"
#include "view/quillstack_view.h"

namespace {

using namespace wintest;
using Texts = std::vector<std::wstring>;

// Every item as "text id", with "*" after a checked one, "text >" for a
// pop-up and "-" for a separator.
Texts Items(HMENU menu) {
    Texts items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT at = static_cast<UINT>(i), state = GetMenuState(menu, at, MF_BYPOSITION);
        wchar_t text[256] = {};
        GetMenuStringW(menu, at, text, 256, MF_BYPOSITION);
        const std::wstring item = text + (L" " + std::to_wstring(GetMenuItemID(menu, i))) + (state & MF_CHECKED ? L"*" : L"");
        items.push_back(GetSubMenu(menu, i) ? text + std::wstring(L" >") : state & MF_SEPARATOR ? L"-" : item);
    }
    return items;
}

// The "▼" menu: the three lists with the mode's radio mark, the default
// file, then the recent files up to the first empty name, the count or nine.
TEST(Menus, ListMenuMarksTheModeAndListsTheRecentFiles) {
    const struct {
        std::vector<std::string> files;  // ANSI
        int count, mode;
        Texts shown;
    } cases[] = {
        {{"C:\\a.txt", Ansi("C:\\日本\\b.txt"), "", "d"}, 5, 2, {L"C:\\a.txt", L"C:\\日本\\b.txt"}},
        {{"a", "b", "c", "d"}, 3, 1, {L"a", L"b", L"c"}},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, 50, 0,
         {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"}},
    };
    for (const auto& c : cases) {
        qs::StringList recent(9);
        for (int i = 0; i < static_cast<int>(c.files.size()); ++i) recent.SetAtGrow(i, c.files[i]);
        Texts expected = {L"S 32800", L"C 32801", L"U 32802", L"-", L"D 32773"};
        expected[static_cast<std::size_t>(c.mode)] += L"*";
        for (std::size_t i = 0; i < c.shown.size(); ++i) expected.push_back(c.shown[i] + L" 20" + std::to_wstring(i));
        EXPECT_EQ(Items(BuildListMenu(recent, c.count, c.mode, {L"S", L"C", L"U", L"D"}).Get()), expected);
    }
}

// Menus of texts show 20 bytes, never half a double-byte character: the
// temporary-save window's copy menu, newest first from command 250, and the
// tray's list menu, captioned as the buttons are, sixteen items once the
// list reaches past the eighth.
TEST_F(DocTest, TextMenusShowTwentyBytesOfEachTextAndTheTrayMenuItsMarks) {
    qs::StringList texts;
    for (const char* text : {"a一二三四五六七八九十", "short"}) texts.AddTail(Ansi(text));
    EXPECT_EQ(Items(BuildTempCopyMenu(texts, qs::LeadBytes::ShiftJis()).Get()),
              (Texts{L"a一二三四五六七八九 250", L"short 251"}));
    CQuillstackDoc doc;
    doc.m_Titles.AddTail("Greeting");
    doc.m_Sentences.AddTail("Hello");
    doc.m_Sentences.AddTail(*texts.GetAt(0));
    for (char n = '2'; n <= '8'; ++n) doc.m_Sentences.AddTail(std::string(1, n));
    Texts expected = {L"Greeting", L"a一二三四五六七八九", L"2", L"3", L"4", L"5", L"6", L"7", L"8"};
    expected.resize(16, L"未登録");
    for (std::size_t i = 0; i < expected.size(); ++i) expected[i] += L" " + std::to_wstring(210 + i);
    EXPECT_EQ(Items(BuildTrayListMenu(doc, kListSentences, Ansi("未登録")).Get()), expected);

    // The tray menu: the recent files at position 2, the mode's radio mark
    // and the temporary-save window's check.
    doc.m_Settings.RecentCount = 2;
    doc.m_RecentFiles.SetAtGrow(0, "C:\\a.txt");
    for (bool shown : {true, false}) {
        fw::MenuHandle menu = BuildTrayMenu(doc, {shown, !shown, shown ? kListSentences : kListUrlHistory});
        HMENU popup = GetSubMenu(menu.Get(), 0);
        const Texts items = Items(popup);
        EXPECT_EQ(items.at(3) + items.at(6) + items.at(8),
                  shown ? L"一時保存ダイアログ 32792登録文(&R) 32800*URL履歴(&U) 32802"
                        : L"一時保存ダイアログ 32792*登録文(&R) 32800URL履歴(&U) 32802*");
        EXPECT_EQ(Items(GetSubMenu(popup, 2)), (Texts{L"C:\\a.txt 200", L" 201"}));
    }
}

// The guide as its reader sees it: no tags, entities resolved, each run of
// white space one blank.
std::wstring VisibleGuide() {
    const std::wstring program = ProgramPath();
    std::wstring text = Wide(ReadBytes(program.substr(0, program.rfind(L'\\') + 1) + L"help\\Quillstack.html"));
    text = std::regex_replace(std::regex_replace(text, std::wregex(L"<[^>]*>"), L""), std::wregex(L"\\s+"), L" ");
    for (auto [entity, character] : {std::pair{L"&lt;", L"<"}, {L"&gt;", L">"}, {L"&quot;", L"\""}, {L"&amp;", L"&"}}) {
        text = std::regex_replace(text, std::wregex(entity), character);
    }
    return text;
}

void CollectMenuTexts(HMENU menu, std::vector<std::wstring>& texts) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION) > 0) texts.push_back(text);
        if (HMENU popup = GetSubMenu(menu, i)) CollectMenuTexts(popup, texts);
    }
}

// Every button of every dialog template (push buttons, check boxes, radio
// buttons, group boxes), made as hidden windows; the view sets the slot
// buttons' captions.
void CollectButtonTexts(std::vector<std::wstring>& texts) {
    std::vector<WORD> ids;
    EnumResourceNamesW(fw::ModuleInstance(), RT_DIALOG, [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) -> BOOL {
        return reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name)), TRUE;
    }, reinterpret_cast<LONG_PTR>(&ids));
    OwnedWindow parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr));
    for (WORD id : ids) {
        HWND dialog = CreateDialogParamW(fw::ModuleInstance(), MAKEINTRESOURCEW(id), parent.get(), nullptr, 0);
        ASSERT_NE(dialog, nullptr) << id;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int control = GetDlgCtrlID(child);
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            const std::wstring text = fw::GetWindowTextString(child);
            const bool slot = id == IDD_FORM && control >= IDC_SLOT0 && control <= IDC_SLOT7;
            if (lstrcmpiW(className, L"Button") == 0 && !slot && !text.empty()) texts.push_back(text);
        }
        DestroyWindow(dialog);
    }
}

// What the menus show (not the context menus' own titles, never seen), the
// menu items the program makes from its strings, and every button caption.
TEST(Guide, NamesEveryMenuItemAndButtonCaption) {
    std::vector<std::wstring> texts;
    for (UINT menuId : {IDR_MAINFRAME, IDR_TRAYMENU, IDR_SLOTMENU, IDR_TEMPSAVE_MENU}) {
        fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(menuId)));
        CollectMenuTexts(menuId == IDR_MAINFRAME ? menu.Get() : GetSubMenu(menu.Get(), 0), texts);
    }
    for (UINT id : {IDS_TRAY_ICONISE, IDS_RECENT_FILES, IDS_LISTMENU_SENTENCES, IDS_LISTMENU_CLIPHISTORY,
                    IDS_LISTMENU_URLHISTORY, IDS_LISTMENU_DEFAULT}) {
        texts.push_back(fw::LoadResString(id));
    }
    CollectButtonTexts(texts);
    ASSERT_GT(texts.size(), 40u);
    const std::wstring guide = VisibleGuide();
    for (const std::wstring& text : texts) EXPECT_NE(guide.find(text), std::wstring::npos) << Utf8(text);
}

class TestApp : public CQuillstackApp {
public:
    using CQuillstackApp::ExitInstance;
    using CQuillstackApp::InitInstance;
};

class Routing : public DocTest {
protected:
    void SetUp() override {
        app = std::make_unique<TestApp>();
        ASSERT_TRUE(app->InitInstance());
        frame = app->MainFrame()->Hwnd();
        view = static_cast<CQuillstackView*>(app->ActiveView());
        doc = static_cast<CQuillstackDoc*>(app->ActiveDocument());
        ASSERT_TRUE(view && doc);
    }
    void TearDown() override {
        app->ExitInstance();
        app.reset();
        // The frame asked the thread to quit when it went; later tests must
        // not find that request in their own loops.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    bool Has(UINT id, UINT state) const { return (GetMenuState(GetMenu(frame), id, MF_BYCOMMAND) & state) != 0; }
    HMENU FileMenu() const { return GetSubMenu(GetMenu(frame), kFileMenuIndex); }
    void Command(WPARAM id, HWND window = nullptr) { SendMessageW(window ? window : frame, WM_COMMAND, id, 0); }
    // What the system does before it shows each pop-up of `menu`; the
    // commands left grayed.
    Texts OpenPopups(HMENU menu) {
        Texts grayed;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            if (HMENU popup = GetSubMenu(menu, i)) {
                SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(i, FALSE));
                std::ranges::copy(OpenPopups(popup), std::back_inserter(grayed));
            } else if ((state & (MF_GRAYED | MF_SEPARATOR)) == MF_GRAYED) {
                grayed.push_back(std::to_wstring(GetMenuItemID(menu, i)));
            }
        }
        return grayed;
    }

    std::unique_ptr<TestApp> app;
    HWND frame = nullptr;
    CQuillstackView* view = nullptr;
    CQuillstackDoc* doc = nullptr;
};

// Every command of the menu bar has its handler: only an item that nothing
// on the routing path handles (one added here) is grayed when its menu
// opens. The slot buttons' menu, tracked with the frame as its owner, has
// its clipboard commands grayed unless the clipboard holds text. A mode
// command, from the menu or an accelerator, moves the radio mark, and a
// file loaded while a history shows brings it back to the sentences.
TEST_F(Routing, ItemsAreGrayedAndMarkedAsTheirHandlersSay) {
    AppendMenuW(GetSubMenu(GetMenu(frame), kFunctionsMenuIndex), MF_STRING, 40000, L"x");
    ASSERT_FALSE(Has(40000, MF_GRAYED));
    EXPECT_EQ(OpenPopups(GetMenu(frame)), Texts{L"40000"});

    fw::MenuHandle slotMenu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(IDR_SLOTMENU)));
    OwnedWindow other = MessageWindow();
    for (bool text : {false, true}) {
        EmptyTheClipboard();
        ASSERT_TRUE(!text || PutClipboardText(other.get(), "x"));
        const Texts clipboardCommands = {std::to_wstring(ID_APPEND_BEHIND), std::to_wstring(ID_APPEND_FRONT),
                                         std::to_wstring(ID_REGISTER_CLIPBOARD)};
        EXPECT_EQ(OpenPopups(slotMenu.Get()), text ? Texts{} : clipboardCommands);
    }

    const std::pair<UINT, int> steps[] = {{0, 0}, {ID_MODE_CLIPHISTORY, 1}, {MAKEWPARAM(ID_MODE_URLHISTORY, 1), 2},
                                          {ID_FILE_DEFAULT, 0}, {ID_MODE_CLIPHISTORY, 1}, {ID_MODE_SENTENCES, 0}};
    for (const auto& [command, mode] : steps) {
        if (command) Command(command);
        EXPECT_EQ(view->m_nMode, mode);
        for (int m = 0; m < 3; ++m) EXPECT_EQ(Has(ID_MODE_SENTENCES + m, MF_CHECKED), m == mode) << command;
    }
    // Windows (not Wine) marks a radio group by position: one run in order.
    HMENU functions = GetSubMenu(GetMenu(frame), kFunctionsMenuIndex);
    int first = 0;
    while (first < GetMenuItemCount(functions) && GetMenuItemID(functions, first) != ID_MODE_SENTENCES) ++first;
    for (int m : {1, 2}) EXPECT_EQ(GetMenuItemID(functions, first + m), static_cast<UINT>(ID_MODE_SENTENCES + m));
}

// The editor's command checks its item and shows it; Escape, as its close
// button, clears both and the flag the frame reads. More numbers go on from
// the last. A font size gives the body, and only the body, its fixed-pitch
// face.
TEST_F(Routing, SentenceEditorCommandIndexListAndFonts) {
    HWND editor = view->EditorWindow();
    for (UINT id : {ID_SHOW_EDITOR, IDCANCEL}) {
        Command(id, id == IDCANCEL ? editor : frame);
        const bool shown = id == ID_SHOW_EDITOR;
        EXPECT_TRUE(Has(ID_SHOW_EDITOR, MF_CHECKED) == shown && view->m_bEditorShown == shown) << id;
        EXPECT_EQ(IsWindowVisible(editor) != FALSE, shown) << id;
    }
    auto* dialog = static_cast<CSentenceEditorDlg*>(fw::Wnd::FromHandle(editor));
    auto item = [&](int id) { return GetDlgItem(editor, id); };
    dialog->SetIndexCount(5);
    dialog->SetIndexCount(20);
    wchar_t last[8] = {};
    SendMessageW(item(IDC_EDITOR_INDEX), CB_GETLBTEXT, 19, reinterpret_cast<LPARAM>(last));
    EXPECT_STREQ(last, L"20");

    auto font = [&](int id) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item(id), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font;
    };
    const LONG title = font(IDC_EDITOR_TITLE).lfHeight;
    for (auto [size, height] : {std::pair{2, 18}, {0, 12}, {1, 15}}) {
        SendMessageW(item(IDC_EDITOR_FONT), CB_SETCURSEL, static_cast<WPARAM>(size), 0);
        Command(MAKEWPARAM(IDC_EDITOR_FONT, CBN_SELCHANGE), editor);
        const LOGFONTW body = font(IDC_EDITOR_BODY);
        EXPECT_EQ(body.lfHeight, height);
        EXPECT_EQ(body.lfFaceName, std::wstring(L"ＭＳ ゴシック"));
        EXPECT_EQ(body.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
        EXPECT_EQ(font(IDC_EDITOR_TITLE).lfHeight, title);
    }
}

// The temporary-save window's command checks its item and shows the window
// right under the frame (or above it at the screen's foot) without taking
// the activation; a second use changes nothing. Its close box, Alt+F4 and
// Escape hide it and clear the check; Enter does not hide it.
TEST_F(Routing, TempSaveCommandShowsTheWindowUnactivatedAndClosingClearsTheCheck) {
    HWND window = view->TempSaveWindow();
    ASSERT_TRUE(window && !IsWindowVisible(window) && !Has(ID_SHOW_TEMPSAVE, MF_CHECKED));
    EXPECT_EQ(GetWindow(window, GW_OWNER), frame);
    SetActiveWindow(frame);
    const std::pair<UINT, WPARAM> closes[] = {
        {WM_SYSCOMMAND, SC_CLOSE}, {WM_SYSCOMMAND, SC_CLOSE | 2}, {WM_COMMAND, IDCANCEL}, {WM_COMMAND, IDOK}};
    for (const auto& [message, wParam] : closes) {
        Command(ID_SHOW_TEMPSAVE), Command(ID_SHOW_TEMPSAVE);
        EXPECT_TRUE(IsWindowVisible(window) && Has(ID_SHOW_TEMPSAVE, MF_CHECKED)) << wParam;
        EXPECT_EQ(GetActiveWindow(), frame) << wParam;
        RECT at{}, own{};
        GetWindowRect(frame, &at);
        GetWindowRect(window, &own);
        EXPECT_TRUE(own.left == at.left && (own.top == at.bottom || own.bottom == at.top)) << own.left << " " << own.top;
        SendMessageW(window, message, wParam, 0);
        EXPECT_EQ(IsWindowVisible(window) && Has(ID_SHOW_TEMPSAVE, MF_CHECKED), wParam == IDOK) << wParam;
    }
}

// The recent files' pop-up is built at set-up where the file menu leaves
// room, and afresh after an open, its file first. Saving under the file's
// own name or another changes nothing when the write fails. The join asks
// in the program's folder, not at a file's path (Windows would not open
// that folder). Clearing the recent files in the options sheet rebuilds
// their pop-up, even when the sheet is cancelled.
TEST_F(Routing, FileCommandsRebuildTheRecentFilesAndFailedSavesChangeNothing) {
    FileDialogs dialogs;
    HMENU popup = GetSubMenu(FileMenu(), kRecentFilesPosition);
    EXPECT_EQ(Items(popup).size(), 5u);
    dialogs.answer = WideFromAnsi(File("b.txt"));
    Command(ID_FILE_OPEN);
    EXPECT_FALSE(IsMenu(popup)) << "the replaced pop-up is left behind";
    EXPECT_EQ(Items(GetSubMenu(FileMenu(), kRecentFilesPosition)).at(0), *dialogs.answer + L" 200");
    EXPECT_EQ(GetMenuItemCount(FileMenu()), 9);
    EXPECT_EQ(GetMenuItemID(FileMenu(), kRecentFilesPosition - 1), static_cast<UINT>(ID_FILE_DEFAULT));

    doc->SetItem(kListSentences, 0, "changed");
    Command(MAKEWPARAM(ID_FILE_SAVE, 1));  // Ctrl+S writes nothing
    EXPECT_EQ(ReadBytes(File("b.txt")), "");
    {
        FailingWrites failing;
        for (const std::string& chosen : {File("b.txt"), File("other.txt")}) {
            dialogs.answer = WideFromAnsi(chosen);
            Command(ID_SAVE_SENTENCES);
            EXPECT_TRUE(doc->m_strSentenceFile == File("b.txt") && doc->m_bSentencesDirty);
        }
    }
    EXPECT_EQ(boxes.texts, (Texts{OpenFailedText(File("b.txt")), OpenFailedText(File("other.txt"))}));
    boxes.texts.clear();
    dialogs.requests.clear();
    DriveModal(
        L"結合", [](HWND join) { PostMessageW(join, WM_COMMAND, IDC_JOIN_FILE, 0); }, [&] { Command(ID_JOIN_SENTENCES); });
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].initialFolder, WideFromAnsi(File("")));

    DriveModal(L"設定", [](HWND sheet) {
        SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        SendMessageW(GetDlgItem(page, IDC_OPT_CLEAR_RECENT), BM_CLICK, 0, 0);
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }, [&] { Command(ID_OPTIONS); });
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"ファイル履歴をクリアします"});
    EXPECT_EQ(Items(GetSubMenu(FileMenu(), kRecentFilesPosition)), (Texts{L" 200", L" 201", L" 202", L" 203", L" 204"}));
}

}  // namespace

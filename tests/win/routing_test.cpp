// The whole application made in this process, as the program makes it at
// start (document, frame and view), without a message loop: menu items
// are grayed unless something on the routing path handles them, and a
// command sent to the frame reaches its handler.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/quillstack_app.h"
#include "data/quillstack_doc.h"
#include "framework/frame_window.h"
#include "framework/handles.h"
#include "framework/text.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"
#include "view/menus.h"
#include "view/quillstack_view.h"

namespace {

// Start-up and teardown of the real application, callable from a test.
class TestApp : public CQuillstackApp {
public:
    using CQuillstackApp::ExitInstance;
    using CQuillstackApp::InitInstance;
};

// What the system does before it shows a pop-up, for every pop-up of the
// menu bar and the pop-ups within them; the commands it left grayed.
std::vector<UINT> OpenEveryPopup(HWND frame, HMENU menu) {
    std::vector<UINT> grayed;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i)) {
            SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(i, FALSE));
            std::ranges::copy(OpenEveryPopup(frame, popup), std::back_inserter(grayed));
        } else if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_SEPARATOR)) == MF_GRAYED) {
            grayed.push_back(GetMenuItemID(menu, i));
        }
    }
    return grayed;
}

class Routing : public wintest::DocTest {
protected:
    void SetUp() override {
        app = std::make_unique<TestApp>();
        ASSERT_TRUE(app->InitInstance());
        frame = app->MainFrame()->Hwnd();
        view = static_cast<CQuillstackView*>(app->ActiveView());
        doc = static_cast<CQuillstackDoc*>(app->ActiveDocument());
        ASSERT_NE(view, nullptr);
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(boxes.texts.empty());
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

    bool Grayed(UINT id) const { return (GetMenuState(GetMenu(frame), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    bool Checked(UINT id) const { return (GetMenuState(GetMenu(frame), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

    std::unique_ptr<TestApp> app;
    HWND frame = nullptr;
    CQuillstackView* view = nullptr;
    CQuillstackDoc* doc = nullptr;
};

// Every command of the menus has its handler; an item that nothing on the
// routing path handles (here one added for the test) is grayed when its
// menu opens. The resource grays nothing: that comes from the routing.
TEST_F(Routing, ItemsWithoutAHandlerAreGrayedWhenTheirMenuOpens) {
    const UINT kNoHandler = 40000;
    AppendMenuW(GetSubMenu(GetMenu(frame), kFunctionsMenuIndex), MF_STRING, kNoHandler, L"x");
    ASSERT_FALSE(Grayed(kNoHandler));
    EXPECT_EQ(OpenEveryPopup(frame, GetMenu(frame)), std::vector<UINT>{kNoHandler});
}

// The start shows the sentences with their mark; a mode command, from the
// menu or from an accelerator, moves both, and a file loaded while a
// history shows brings them back to the sentences.
TEST_F(Routing, ModeCommandsReachTheViewAndMoveTheRadioMark) {
    EXPECT_EQ(doc->m_strSentenceFile, File("Quillstack.txt"));
    const struct {
        UINT id;
        WORD source;  // 0 menu, 1 accelerator
        int mode;
    } steps[] = {{0, 0, 0}, {ID_MODE_CLIPHISTORY, 0, 1}, {ID_MODE_URLHISTORY, 1, 2},
                 {ID_FILE_DEFAULT, 0, 0}, {ID_MODE_CLIPHISTORY, 0, 1}, {ID_MODE_SENTENCES, 0, 0}};
    for (const auto& step : steps) {
        if (step.id) SendMessageW(frame, WM_COMMAND, MAKEWPARAM(step.id, step.source), 0);
        EXPECT_EQ(view->m_nMode, step.mode);
        for (int mode = 0; mode < 3; ++mode) EXPECT_EQ(Checked(ID_MODE_SENTENCES + mode), mode == step.mode) << mode;
    }
}

// The editor's command checks its item and shows it; closing it (Escape
// does as its button) clears both and the flag the frame reads. Fewer
// numbers than the entry shown bring up entry 1; more go on from the last.
// A font size gives the body, and only the body, its fixed-pitch face.
TEST_F(Routing, SentenceEditorCommandIndexListAndFonts) {
    auto* editor = static_cast<CSentenceEditorDlg*>(fw::Wnd::FromHandle(view->EditorWindow()));
    ASSERT_TRUE(editor && !IsWindowVisible(editor->Hwnd()));
    for (UINT id : {ID_SHOW_EDITOR, IDCANCEL}) {
        SendMessageW(id == IDCANCEL ? editor->Hwnd() : frame, WM_COMMAND, id, 0);
        const bool shown = id == ID_SHOW_EDITOR;
        EXPECT_TRUE(Checked(ID_SHOW_EDITOR) == shown && view->m_bEditorShown == shown) << id;
        EXPECT_EQ(IsWindowVisible(editor->Hwnd()) != FALSE, shown) << id;
    }

    auto item = [&](int id) { return GetDlgItem(editor->Hwnd(), id); };
    for (const char* text : {"e0", "e1", "e2", "e3", "e4", "e5"}) doc->m_Sentences.AddTail(text);
    editor->ShowEntry(5, kListSentences);
    editor->SetIndexCount(5);
    EXPECT_EQ(SendMessageW(item(IDC_EDITOR_INDEX), CB_GETCOUNT, 0, 0), 5);
    // Hidden, the editor loads what it shows only once it is shown.
    ShowWindow(editor->Hwnd(), SW_SHOWNOACTIVATE);
    EXPECT_EQ(fw::GetWindowTextString(item(IDC_EDITOR_BODY)), L"e0");
    editor->SetIndexCount(20);
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
        SendMessageW(editor->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_EDITOR_FONT, CBN_SELCHANGE), 0);
        const LOGFONTW body = font(IDC_EDITOR_BODY);
        EXPECT_EQ(body.lfHeight, height);
        EXPECT_TRUE(std::wstring(body.lfFaceName) == L"ＭＳ ゴシック" && body.lfPitchAndFamily == (FIXED_PITCH | FF_MODERN));
        EXPECT_EQ(font(IDC_EDITOR_TITLE).lfHeight, title);
    }
}

// The temporary-save window's command checks its item and shows the window
// without taking the activation from the frame; a second use changes
// nothing. Its close box, Alt+F4 and Escape hide it and clear the check.
TEST_F(Routing, TempSaveCommandShowsTheWindowUnactivatedAndClosingClearsTheCheck) {
    HWND window = view->TempSaveWindow();
    ASSERT_TRUE(window && !IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), frame);
    EXPECT_FALSE(Checked(ID_SHOW_TEMPSAVE));
    SetActiveWindow(frame);
    const std::pair<UINT, WPARAM> closes[] = {{WM_SYSCOMMAND, SC_CLOSE}, {WM_SYSCOMMAND, SC_CLOSE | 2}, {WM_COMMAND, IDCANCEL}};
    for (const auto& [message, wParam] : closes) {
        for (int twice = 0; twice < 2; ++twice) SendMessageW(frame, WM_COMMAND, ID_SHOW_TEMPSAVE, 0);
        EXPECT_TRUE(IsWindowVisible(window) && Checked(ID_SHOW_TEMPSAVE)) << wParam;
        EXPECT_EQ(GetActiveWindow(), frame) << wParam;
        // First shown right under the frame, or above it at the screen's foot.
        RECT at{}, own{};
        GetWindowRect(frame, &at);
        GetWindowRect(window, &own);
        EXPECT_TRUE(own.left == at.left && (own.top == at.bottom || own.bottom == at.top)) << own.left << "," << own.top;
        SendMessageW(window, message, wParam, 0);
        EXPECT_FALSE(IsWindowVisible(window) || Checked(ID_SHOW_TEMPSAVE)) << wParam;
    }
    // Enter presses only the focused button; it does not hide the window.
    SendMessageW(frame, WM_COMMAND, ID_SHOW_TEMPSAVE, 0);
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(window) && Checked(ID_SHOW_TEMPSAVE));
}

// Set-up puts the recent files where the file pop-up leaves room for them;
// an open puts its file first there, in a pop-up built afresh.
TEST_F(Routing, RecentFilesPopupIsBuiltAtSetUpAndAfterAnOpen) {
    HMENU file = GetSubMenu(GetMenu(frame), kFileMenuIndex);
    EXPECT_EQ(GetMenuItemCount(file), 9);
    wintest::FileDialogs dialogs;
    dialogs.answer = wintest::WideFromAnsi(File("b.txt"));
    SendMessageW(frame, WM_COMMAND, ID_FILE_OPEN, 0);
    wchar_t text[MAX_PATH] = {};
    GetMenuStringW(GetSubMenu(file, kRecentFilesPosition), 0, text, MAX_PATH, MF_BYPOSITION);
    EXPECT_EQ(text, *dialogs.answer);
    EXPECT_EQ(GetMenuItemCount(file), 9);
}

// Ctrl+S writes nothing. A failed save leaves the changed mark and the open
// file as they were, under the file's own name or another.
TEST_F(Routing, SavingSentencesChangesNothingUnlessTheyAreWritten) {
    wintest::FileDialogs dialogs;
    doc->SetItem(kListSentences, 0, "changed");
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 1), 0);
    EXPECT_EQ(wintest::ReadBytes(File("Quillstack.txt")), "");
    wintest::FailingWrites failing;
    for (const std::string& chosen : {File("Quillstack.txt"), File("other.txt")}) {
        dialogs.answer = wintest::WideFromAnsi(chosen);
        SendMessageW(frame, WM_COMMAND, ID_SAVE_SENTENCES, 0);
        EXPECT_EQ(doc->m_strSentenceFile, File("Quillstack.txt"));
        EXPECT_TRUE(doc->m_bSentencesDirty);
    }
}

// A file path where the dialog wants a folder would not open the folder on
// Windows: the join asks in the program's folder. (The join dialog runs
// modally here; a timer of this thread presses its file button.)
TEST_F(Routing, JoiningIntoAFileAsksInTheProgramsFolder) {
    wintest::FileDialogs dialogs;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND join = FindWindowW(L"#32770", L"結合")) PostMessageW(join, WM_COMMAND, IDC_JOIN_FILE, 0);
    });
    SendMessageW(frame, WM_COMMAND, ID_JOIN_SENTENCES, 0);
    KillTimer(nullptr, timer);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].initialFolder, wintest::WideFromAnsi(File("")));
}

// The slot buttons' menu is tracked with the frame as its owner: its
// clipboard commands are grayed, as the frame grays every pop-up, unless
// the clipboard holds text.
TEST_F(Routing, SlotMenuCommandsAreGrayedWithoutTextOnTheClipboard) {
    fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(IDR_SLOTMENU)));
    HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
    ASSERT_NE(popup, nullptr);
    wintest::OwnedWindow other = wintest::MessageWindow();
    for (bool text : {false, true, false}) {
        if (text) {
            ASSERT_TRUE(wintest::PutClipboardText(other.get(), "x"));
        } else {
            wintest::EmptyTheClipboard();
        }
        SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
        for (UINT id : {ID_APPEND_BEHIND, ID_APPEND_FRONT, ID_REGISTER_CLIPBOARD}) {
            EXPECT_EQ((GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0, !text) << id << " text " << text;
        }
    }
}

// "履歴のクリア" empties the recent files at once; the sheet cancelled
// after it, the menu is built afresh and shows them empty. (The sheet runs
// modally here; a timer of this thread works it.)
TEST_F(Routing, OptionsCancelledAfterClearingTheRecentFilesRebuildTheirMenu) {
    doc->m_RecentFiles.SetAtGrow(0, File("a.txt"));
    view->RebuildRecentMenu();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        static bool done = false;
        HWND sheet = FindWindowW(L"#32770", L"設定");
        if (!sheet || std::exchange(done, true)) return;
        SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        SendMessageW(GetDlgItem(page, IDC_OPT_CLEAR_RECENT), BM_CLICK, 0, 0);
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    SendMessageW(frame, WM_COMMAND, ID_OPTIONS, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"ファイル履歴をクリアします"});
    HMENU recent = GetSubMenu(GetSubMenu(GetMenu(frame), kFileMenuIndex), kRecentFilesPosition);
    wchar_t text[MAX_PATH] = L"?";
    EXPECT_EQ(GetMenuStringW(recent, 0, text, MAX_PATH, MF_BYPOSITION), 0);
    EXPECT_EQ(GetMenuItemCount(recent), 5);
}

}  // namespace

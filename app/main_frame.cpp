#include "app/main_frame.h"

#include "app/tray_menus.h"
#include "core/frame_math.h"
#include "dialogs/sentence_editor.h"
#include "framework/help.h"
#include "framework/text.h"
#include "res/resource.h"
#include "view/quillstack_view.h"

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& create) {
    create.cx = kWidth;
    create.cy = kHeight;
    // Neither resized nor maximised: the caption, system menu and minimise
    // box stay.
    create.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    return fw::FrameWnd::PreCreateWindow(create);
}

CQuillstackView* CMainFrame::View() const {
    return static_cast<CQuillstackView*>(GetActiveView());
}

CQuillstackDoc* CMainFrame::Doc() const {
    return static_cast<CQuillstackDoc*>(GetActiveDocument());
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (fw::FrameWnd::WindowProc(message, wParam, lParam) == -1) return -1;
        AddTrayIcon();
        return 0;
    case WM_DESTROY:
        fw::FrameWnd::WindowProc(message, wParam, lParam);
        tray_.Remove();
        return 0;
    case WM_SYSCOMMAND:
        if (OnSysCommand(static_cast<UINT>(wParam & 0xFFF0))) return 0;
        break;
    // Rolled up, the frame is only as high as its caption, lower than the
    // system lets a window become unless the window says otherwise.
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.y = 0;
        return 0;
    case kTrayNotify:
        OnTrayNotify(static_cast<UINT>(lParam));
        return 0;
    case WM_MOVE:
        fw::FrameWnd::WindowProc(message, wParam, lParam);
        OnMove();
        return 0;
    case CSentenceEditorDlg::kMovedMessage:
        OnEditorMoved(reinterpret_cast<HWND>(lParam));
        return 0;
    default:
        // A restarted shell shows only the icons added after its start.
        if (message == fw::TaskbarCreatedMessage()) {
            tray_.AddAgain();
            return 0;
        }
        break;
    }
    return fw::FrameWnd::WindowProc(message, wParam, lParam);
}

bool CMainFrame::OnCmdMsg(UINT id, fw::CommandCall call) {
    switch (id) {
    case ID_ICONISE:
    case ID_TRAY_ICONISE:
        return fw::Handle(call, [this] { OnIconise(); });
    case ID_TRAY_RESTORE:
        return fw::Handle(call, [this] { OnRestore(); });
    case ID_HELP_FINDER:
        return fw::Handle(call, [this] { fw::ShowHelpContents(Hwnd()); });
    case ID_TRAY_EXIT:
        return fw::Handle(call, [this] { PostMessageW(Hwnd(), WM_COMMAND, ID_APP_EXIT, 0); });
    default:
        break;
    }
    if (id >= ID_TRAYLIST_FIRST && id <= ID_TRAYLIST_LAST) {
        return fw::Handle(call, [this, id] { CopyTrayListEntry(static_cast<int>(id - ID_TRAYLIST_FIRST)); });
    }
    return false;
}

void CMainFrame::AddTrayIcon() {
    fw::IconHandle icon(static_cast<HICON>(LoadImageW(fw::ModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0)));
    tray_.Add(Hwnd(), kTrayIconId, kTrayNotify, std::move(icon), fw::LoadResString(IDS_APP_TITLE));
}

// ---- Minimise styles ----------------------------------------------------

// Minimise requests come from the minimise box and the system menu; the
// style is read anew each time, so a change in the options acts at once.
bool CMainFrame::OnSysCommand(UINT command) {
    if (command == SC_RESTORE) {
        ShowEditor(SW_SHOWNA);
        return false;
    }
    if (command != SC_MINIMIZE) return false;
    const CQuillstackDoc* doc = Doc();
    switch (doc ? doc->m_Settings.Minimize : qs::kMinimizeWindows) {
    case qs::kMinimizeRollUp:
        ToggleRollUp(false);
        return true;
    case qs::kMinimizeRollUpAnimated:
        ToggleRollUp(true);
        return true;
    case qs::kMinimizeToTray:
        PostMessageW(Hwnd(), WM_COMMAND, ID_ICONISE, 0);
        return true;
    default:
        ShowEditor(SW_HIDE);
        return false;
    }
}

namespace {

int CaptionHeight() {
    return GetSystemMetrics(SM_CYCAPTION);
}

}  // namespace

// Rolls the frame up to its caption, or back down to its full height.
void CMainFrame::ToggleRollUp(bool animated) {
    RECT start{};
    GetWindowRect(Hwnd(), &start);
    m_bRolledUp = !m_bRolledUp;
    if (m_bRolledUp) {
        ShowEditor(SW_HIDE);
        if (animated) {
            Animate(start, [](int height) { return qs::RollUpStep(height, CaptionHeight()); });
        } else {
            MoveToHeight(start, CaptionHeight());
        }
    } else {
        if (animated) {
            Animate(start, [](int height) { return qs::RollDownStep(height, kHeight); });
        } else {
            MoveToHeight(start, kHeight);
        }
        ShowEditor(SW_SHOWNA);
    }
}

// The animation runs here, without serving other messages between the
// steps. The heights are counted rather than read back, so a height the
// system refused can never keep the loop going.
void CMainFrame::Animate(const RECT& start, RollStep step) {
    for (std::optional<int> height = step(start.bottom - start.top); height; height = step(*height)) {
        MoveToHeight(start, *height);
        Sleep(kRollPauseMs);
    }
}

// Each step is painted at once: no message is served until the animation
// ends, so the parts a roll-down uncovers would stay blank till then.
void CMainFrame::MoveToHeight(const RECT& start, int height) {
    MoveWindow(Hwnd(), start.left, start.top, kWidth, height, TRUE);
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// ---- The notification-area icon -----------------------------------------

void CMainFrame::OnTrayNotify(UINT mouseMessage) {
    if (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_LBUTTONDBLCLK && mouseMessage != WM_RBUTTONDOWN) return;
    // While a modal window (a message box, a dialog) has the frame
    // disabled, the icon only brings it forward: a menu command now, an
    // exit above all, would act under the running dialog.
    if (!IsWindowEnabled(Hwnd())) {
        HWND modal = GetLastActivePopup(Hwnd());
        if (modal && modal != Hwnd()) SetForegroundWindow(modal);
        return;
    }
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        ShowTrayListMenu();
        break;
    case WM_LBUTTONDBLCLK:
        PostMessageW(Hwnd(), WM_COMMAND, ID_TRAY_RESTORE, 0);
        break;
    default:
        ShowTrayMenu();
        break;
    }
}

void CMainFrame::ShowTrayListMenu() {
    const CQuillstackView* view = View();
    const CQuillstackDoc* doc = Doc();
    if (!view || !doc) return;
    fw::MenuHandle menu = BuildTrayListMenu(*doc, view->m_nMode, fw::LoadAnsiString(IDS_NOT_REGISTERED));
    if (menu) fw::TrackTrayMenu(Hwnd(), menu.Get());
}

void CMainFrame::ShowTrayMenu() {
    const CQuillstackView* view = View();
    const CQuillstackDoc* doc = Doc();
    if (!view || !doc) return;
    TrayMenuState state;
    state.frameVisible = IsWindowVisible(Hwnd()) != FALSE;
    state.tempSaveVisible = view->TempSaveWindow() && IsWindowVisible(view->TempSaveWindow());
    state.mode = view->m_nMode;
    fw::MenuHandle menu = BuildTrayMenu(*doc, state);
    if (menu) fw::TrackTrayMenu(Hwnd(), GetSubMenu(menu.Get(), 0));
}

void CMainFrame::CopyTrayListEntry(int index) {
    if (CQuillstackView* view = View()) view->CopyEntry(index, kPasteReplace, view->m_nMode);
}

// ---- Iconise and restore ------------------------------------------------

void CMainFrame::OnIconise() {
    ShowEditor(SW_HIDE);
    ShowWindow(Hwnd(), SW_HIDE);
}

// The editor stays hidden while the frame is rolled up; the roll-down
// brings it back.
void CMainFrame::OnRestore() {
    if (!m_bRolledUp) ShowEditor(SW_SHOWNA);
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
}

void CMainFrame::ShowEditor(int showCommand) const {
    const CQuillstackView* view = View();
    if (!view || !view->m_bEditorShown) return;
    if (HWND editor = view->EditorWindow()) ShowWindow(editor, showCommand);
}

// ---- Docking of the sentence editor ---------------------------------------

namespace {

qs::ScreenRect WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void MoveWindowTo(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// Runs after every move of the frame: a docked editor follows it; a loose
// one, on show within the snap zone, pulls the frame to its side. A hidden
// editor pulls nothing: the frame would jump towards a window the user
// cannot see.
void CMainFrame::OnMove() {
    const CQuillstackView* view = View();
    HWND editor = view ? view->EditorWindow() : nullptr;
    if (!editor || !IsWindow(editor)) return;
    if (m_bEditorDocked) {
        PlaceEditor(editor);
    } else if (IsWindowVisible(editor) && TryDockEditor(editor)) {
        m_bEditorDocked = true;
        const qs::ScreenRect at = WindowRect(editor);
        // The frame's own move then places the editor exactly.
        MoveWindowTo(Hwnd(), at.left - m_nDockX, at.top - m_nDockY);
    }
}

// Runs after every move of the editor: moved away it comes loose, moved
// close to either side it snaps to it.
void CMainFrame::OnEditorMoved(HWND editor) {
    if (!editor || !IsWindow(editor)) return;
    m_bEditorDocked = TryDockEditor(editor);
    if (m_bEditorDocked) PlaceEditor(editor);
}

bool CMainFrame::TryDockEditor(HWND editor) {
    const std::optional<qs::DockOffset> docked =
        qs::TryDockEditor(WindowRect(Hwnd()), WindowRect(editor), {m_nDockX, m_nDockY});
    if (!docked) return false;
    m_nDockX = docked->x;
    m_nDockY = docked->y;
    return true;
}

// Moved only when it is not there yet: its move reports back here.
void CMainFrame::PlaceEditor(HWND editor) const {
    const qs::ScreenRect frame = WindowRect(Hwnd());
    const qs::ScreenRect at = WindowRect(editor);
    const int x = frame.left + m_nDockX, y = frame.top + m_nDockY;
    if (at.left != x || at.top != y) MoveWindowTo(editor, x, y);
}

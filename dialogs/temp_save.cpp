#include "dialogs/temp_save.h"

#include <windowsx.h>

#include <optional>
#include <string>

#include "core/caption.h"
#include "core/frame_math.h"
#include "core/list_file_text.h"
#include "data/app_path.h"
#include "dialogs/join_dest.h"
#include "dialogs/temp_edit.h"
#include "dialogs/text_file_dialog.h"
#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/file.h"
#include "framework/message_box.h"
#include "framework/text.h"
#include "res/resource.h"

// ---- The buttons ----------------------------------------------------------

void CTempSaveButton::Attach(HWND button, CTempSaveDlg* window) {
    window_ = window;
    Subclass(button);
}

LRESULT CTempSaveButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_RBUTTONDOWN) return DefProc(message, wParam, lParam);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Hwnd(), &point);
    window_->ShowButtonMenu(point);
    return 0;
}

fw::MenuHandle BuildTempCopyMenu(const qs::StringList& texts, const qs::LeadBytes& lead) {
    fw::MenuHandle menu(CreatePopupMenu());
    if (!menu) return menu;
    UINT command = ID_TEMPCOPY_FIRST;
    for (const std::string& text : texts) {
        if (command > ID_TEMPCOPY_LAST) break;
        const std::string_view label = qs::FrontBytes(text, qs::kMenuCaptionWidth, lead);
        AppendMenuW(menu.Get(), MF_STRING, command++, fw::Widen(label).c_str());
    }
    return menu;
}

// ---- The window -----------------------------------------------------------

CTempSaveDlg::CTempSaveDlg() : fw::Dialog(IDD_TEMPSAVE) {}

CTempSaveDlg::~CTempSaveDlg() {
    DestroyWindow();
}

bool CTempSaveDlg::CreateTempSave(HWND parent, std::function<void()> onClose) {
    onClose_ = std::move(onClose);
    return CreateModeless(parent);
}

// No focus is set here: the window is created hidden, and setting a focus
// would make it the active window behind the user's back.
BOOL CTempSaveDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    buttons_[0].Attach(GetDlgItem(Hwnd(), IDC_TEMPSAVE_SAVE), this);
    buttons_[1].Attach(GetDlgItem(Hwnd(), IDC_TEMPSAVE_COPY), this);
    return FALSE;
}

void CTempSaveDlg::ShowBeside(HWND frame) {
    if (!Hwnd()) return;
    if (!placed_ && frame) {
        placed_ = true;
        RECT at{}, own{};
        GetWindowRect(frame, &at);
        GetWindowRect(Hwnd(), &own);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& work = monitor.rcWork;
        const qs::ScreenPoint place =
            qs::PlaceUnderFrame({at.left, at.top, at.right, at.bottom}, own.right - own.left, own.bottom - own.top,
                                {work.left, work.top, work.right, work.bottom});
        SetWindowPos(Hwnd(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Hwnd(), SW_SHOWNA);
}

void CTempSaveDlg::ShowButtonMenu(POINT screen) {
    fw::MenuHandle menu(LoadMenuW(fw::ModuleInstance(), MAKEINTRESOURCEW(IDR_TEMPSAVE_MENU)));
    if (HMENU popup = menu ? GetSubMenu(menu.Get(), 0) : nullptr) {
        TrackPopupMenu(popup, 0, screen.x, screen.y, 0, Hwnd(), nullptr);
    }
}

bool CTempSaveDlg::OnCommand(UINT id, UINT code, HWND) {
    switch (id) {
    case IDC_TEMPSAVE_SAVE:
        if (code == BN_CLICKED) OnSave();
        return true;
    case IDC_TEMPSAVE_COPY:
        if (code == BN_CLICKED) OnCopy();
        return true;
    case ID_TEMPSAVE_CLEAR:
        texts_.RemoveAll();
        return true;
    case ID_TEMPSAVE_EDIT:
        OnEdit();
        return true;
    case ID_TEMPSAVE_JOIN:
        OnJoin();
        return true;
    // Escape closes the window as its close box does; Enter presses only
    // the button that has the focus.
    case IDCANCEL:
        OnClose();
        return true;
    case IDOK:
        return true;
    default:
        break;
    }
    if (id >= ID_TEMPCOPY_FIRST && id <= ID_TEMPCOPY_LAST) {
        OnCopyEntry(static_cast<int>(id - ID_TEMPCOPY_FIRST));
        return true;
    }
    return false;
}

// The close box and Alt+F4 hide the window; the list stays. Other system
// commands (minimise, move) work as for any window.
LRESULT CTempSaveDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        OnClose();
        return 0;
    }
    return fw::Dialog::WindowProc(message, wParam, lParam);
}

// A clipboard without text, or with an empty one, gives nothing to keep. A
// text already kept moves to the front; once twenty are kept a new one is
// not taken (the oldest is never dropped for it).
void CTempSaveDlg::OnSave() {
    std::string text;
    {
        fw::Clipboard clipboard(Hwnd());
        if (!clipboard.IsOpen()) return;
        text = clipboard.GetText();
    }
    if (text.empty()) return;
    texts_.AddHeadUnique(text, kMaxTexts + 1);
    if (texts_.GetCount() > kMaxTexts) texts_.RemoveHead();
}

// The menu comes up at the mouse pointer; its command arrives afterwards.
void CTempSaveDlg::OnCopy() {
    if (texts_.GetCount() == 0) return;
    fw::MenuHandle menu = BuildTempCopyMenu(texts_, fw::SystemLeadBytes());
    if (!menu) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(menu.Get(), 0, cursor.x, cursor.y, 0, Hwnd(), nullptr);
}

// Owned by this window, the copy is the program's own: the clipboard
// history does not record it.
void CTempSaveDlg::OnCopyEntry(int index) {
    if (const std::string* text = texts_.GetAt(index)) fw::SetClipboardText(Hwnd(), *text);
}

// The dialogs of the edit and join commands belong to this window, which
// they disable; the main window is disabled with it, as under any dialog,
// so that nothing (the exit above all) acts under them.
void CTempSaveDlg::OnEdit() {
    fw::DisabledScope frame(fw::MainWindow());
    CTempEditDlg edit;
    edit.RunWithList(texts_, Hwnd());
}

// Each text followed by CR LF, newest first; an empty list joins to an
// empty text. The file dialog starts in the program's folder.
void CTempSaveDlg::OnJoin() {
    const std::string joined = qs::ExportListText(texts_);
    fw::DisabledScope frame(fw::MainWindow());
    CJoinDestDlg destination;
    switch (destination.DoModal(Hwnd())) {
    case CJoinDestDlg::kToFile:
        if (std::optional<std::string> path = AskSaveTextFile(Hwnd(), qs::GetAppFilePath(""), {})) {
            if (!fw::WriteFileSafely(*path, joined)) {
                fw::ShowMessageBox(Hwnd(), fw::FormatOne(fw::LoadResString(IDS_OPEN_FAILED), fw::Widen(*path)), MB_OK);
            }
        }
        break;
    case CJoinDestDlg::kToClipboard:
        fw::SetClipboardText(Hwnd(), joined);
        break;
    default:
        break;
    }
}

void CTempSaveDlg::OnClose() {
    ShowWindow(Hwnd(), SW_HIDE);
    if (onClose_) onClose_();
}

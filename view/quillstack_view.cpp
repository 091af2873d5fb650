// The view's messages and commands, each handed to a handler in the file of
// its concern.
#include "view/quillstack_view.h"

#include <windowsx.h>

#include "framework/app.h"
#include "framework/clipboard.h"
#include "res/resource.h"

// ---- Slot buttons -------------------------------------------------------

void CSlotButton::Attach(HWND button, CQuillstackView* view) {
    view_ = view;
    Subclass(button);
}

LRESULT CSlotButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    // The button itself never sees the right-button press.
    case WM_RBUTTONDOWN:
        view_->OnSlotContextMenu(Hwnd(), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    default:
        return DefProc(message, wParam, lParam);
    }
}

// ---- The view -----------------------------------------------------------

CQuillstackView::CQuillstackView(bool firstInstance) : fw::FormView(IDD_FORM), firstInstance_(firstInstance) {}

CQuillstackDoc* CQuillstackView::GetDocument() const {
    return static_cast<CQuillstackDoc*>(fw::FormView::GetDocument());
}

HMENU CQuillstackView::FunctionsMenu() const {
    HWND frame = fw::MainWindow();
    HMENU menu = frame ? GetMenu(frame) : nullptr;
    return menu ? GetSubMenu(menu, kFunctionsMenuIndex) : nullptr;
}

HWND CQuillstackView::ScrollBar() const {
    return Control(IDC_SCROLL);
}

LRESULT CQuillstackView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0) {
            OnCmdMsg(LOWORD(wParam), fw::CommandCall::Run);
        } else {
            OnControlCommand(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_DRAWCLIPBOARD:
        OnDrawClipboard();
        return 0;
    case WM_CHANGECBCHAIN:
        OnChangeCbChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam));
        return DefProc(message, wParam, lParam);
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kDrawTimer) {
            DrawCaptions();
        } else if (wParam == kCaptureRetryTimer) {
            OnCaptureRetry();
        } else {
            OnTimer();
        }
        return 0;
    case kRefreshCaptions:
        OnCaptionRefresh();
        return 0;
    // The keyboard hook reports the key's code in the low byte.
    case qhook::kKeyDown:
        return OnHookKeyDown(wParam & 0xFF);
    case qhook::kKeyUp:
        return OnHookKeyUp(wParam & 0xFF);
    // A right-button press on the form outside the buttons does nothing.
    case WM_RBUTTONDOWN:
        return 0;
    case WM_DESTROY:
        fw::FormView::WindowProc(message, wParam, lParam);
        OnDestroy();
        return 0;
    default:
        return fw::FormView::WindowProc(message, wParam, lParam);
    }
}

bool CQuillstackView::OnCmdMsg(UINT id, fw::CommandCall call) {
    switch (id) {
    case ID_MODE_SENTENCES:
    case ID_MODE_CLIPHISTORY:
    case ID_MODE_URLHISTORY:
        return fw::Handle(call, [this, id] { SetDisplayMode(static_cast<ListKind>(id - ID_MODE_SENTENCES)); });
    case ID_CLEAR_SENTENCES:
    case ID_CLEAR_CLIPHISTORY:
    case ID_CLEAR_URLHISTORY:
        return fw::Handle(call, [this, id] { OnClearList(static_cast<ListKind>(id - ID_CLEAR_SENTENCES)); });
    case ID_FILE_DEFAULT:
        return fw::Handle(call, [this] { OnDefaultFile(); });
    case ID_FILE_EXIT_NOSAVE:
        return fw::Handle(call, [this] { OnExitWithoutSaving(); });
    case ID_FILE_OPEN:
        return fw::Handle(call, [this] { OnOpenFile(); });
    case ID_FILE_NEW:
        return fw::Handle(call, [this] { OnNewFile(); });
    case ID_SHOW_TEMPSAVE:
        return fw::Handle(call, [this] { OnShowTempSave(); });
    case ID_SAVE_SENTENCES:
        return fw::Handle(call, [this] { OnSaveSentences(); });
    case ID_SAVE_CLIPHISTORY:
        return fw::Handle(call, [this] { OnSaveHistory(kListClipHistory); });
    case ID_SAVE_URLHISTORY:
        return fw::Handle(call, [this] { OnSaveHistory(kListUrlHistory); });
    case ID_JOIN_SENTENCES:
    case ID_JOIN_CLIPHISTORY:
    case ID_JOIN_URLHISTORY:
        return fw::Handle(call, [this, id] { OnJoin(static_cast<ListKind>(id - ID_JOIN_SENTENCES)); });
    case ID_SHOW_EDITOR:
        return fw::Handle(call, [this] { OnShowEditor(); });
    case ID_OPTIONS:
        return fw::Handle(call, [this] { OnOptions(); });
    // The slot menu's commands need text on the clipboard.
    case ID_APPEND_BEHIND:
    case ID_APPEND_FRONT:
    case ID_REGISTER_CLIPBOARD:
        return fw::HandleIf(fw::ClipboardHasText(), call, [this, id] { OnSlotMenuCommand(id); });
    default:
        break;
    }
    if (id >= ID_RECENT_FIRST && id <= ID_RECENT_LAST) {
        return fw::Handle(call, [this, id] { OnRecentFile(static_cast<int>(id - ID_RECENT_FIRST)); });
    }
    return false;
}

// Notifications of the form's own buttons.
void CQuillstackView::OnControlCommand(UINT id, UINT code) {
    if (code != BN_CLICKED) return;
    if (id >= IDC_SLOT0 && id <= IDC_SLOT7) {
        OnSlotPressed(static_cast<int>(id - IDC_SLOT0));
    } else if (id == IDC_LISTMENU) {
        OnListMenuButton();
    } else if (id == IDC_CLOCK) {
        ExpandDateTimeTemplate();
    }
}

#include "framework/frame_window.h"

#include "framework/app.h"
#include "framework/document.h"
#include "framework/framework_ids.h"
#include "framework/text.h"
#include "framework/view.h"

namespace fw {

bool FrameWnd::LoadFrame(UINT resourceId) {
    HINSTANCE instance = ModuleInstance();
    appTitle_ = LoadResString(IDS_APP_TITLE);
    // The window owns its menu once it exists; until then the menu is ours.
    MenuHandle menu(LoadMenuW(instance, MAKEINTRESOURCEW(resourceId)));
    CREATESTRUCTW create{};
    create.hInstance = instance;
    create.hMenu = menu.Get();
    create.style = WS_OVERLAPPEDWINDOW;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.lpszName = appTitle_.c_str();
    if (!PreCreateWindow(create)) return false;

    auto icon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!Create(L"FwFrameWnd", create, icon)) return false;
    menu.Release();
    accelerators_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));
    return true;
}

void FrameWnd::SetActiveView(View* view) {
    activeView_ = view;
    RecalcLayout();
}

Document* FrameWnd::GetActiveDocument() const {
    return activeView_ ? activeView_->GetDocument() : nullptr;
}

void FrameWnd::OnUpdateFrameTitle() {
    Document* document = GetActiveDocument();
    std::wstring caption = appTitle_;
    if (document && !document->GetTitle().empty()) caption = document->GetTitle() + L" - " + appTitle_;
    SetWindowTextW(Hwnd(), caption.c_str());
}

void FrameWnd::RecalcLayout() {
    if (!activeView_ || !activeView_->Hwnd()) return;
    RECT client;
    GetClientRect(Hwnd(), &client);
    MoveWindow(activeView_->Hwnd(), 0, 0, client.right, client.bottom, TRUE);
}

bool FrameWnd::RouteCommand(UINT id, CommandCall call) {
    if (activeView_ && activeView_->OnCmdMsg(id, call)) return true;
    if (Document* document = GetActiveDocument(); document && document->OnCmdMsg(id, call)) return true;
    if (OnCmdMsg(id, call)) return true;
    WinApp* app = WinApp::Current();
    return app && app->OnCmdMsg(id, call);
}

LRESULT FrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
        return 0;
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_SETFOCUS:
        if (activeView_ && activeView_->Hwnd()) SetFocus(activeView_->Hwnd());
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) {
            if (WinApp* app = WinApp::Current()) app->EndSession();
        }
        return 0;
    default:
        return DefProc(message, wParam, lParam);
    }
}

// Menu items and accelerators arrive with no control; they are routed.
void FrameWnd::OnCommand(UINT id, HWND control) {
    if (control == nullptr) RouteCommand(id, CommandCall::Run);
}

// The exit command, the close box and Alt+F4 all come here; the end of a
// session, which cannot be refused, does not.
void FrameWnd::OnClose() {
    if (Document* document = GetActiveDocument(); document && !document->SaveModified()) return;
    DestroyWindow();
}

// A command that nothing on the routing path handles is shown grayed.
void FrameWnd::OnInitMenuPopup(HMENU menu, bool windowMenu) {
    if (windowMenu) return;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or pop-up
        bool handled = RouteCommand(id, CommandCall::Query);
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (handled ? MF_ENABLED : MF_GRAYED));
    }
}

void FrameWnd::PostNcDestroy() {
    WinApp* app = WinApp::Current();
    if (app && app->MainFrame() == this) PostQuitMessage(0);
}

}  // namespace fw

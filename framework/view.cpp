#include "framework/view.h"

#include <algorithm>
#include <vector>

#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/handles.h"

namespace fw {

bool FormView::CreateView(HWND parent, Document* document) {
    document_ = document;
    HWND window = CreateDialogWindow(this, templateId_, parent);
    if (!window) return false;
    if (WinApp* app = WinApp::Current()) app->AddModeless(window);
    FitToParent();
    ShowWindow(window, SW_SHOW);
    return true;
}

// Dialog units follow the font, and a substitute font with a taller line
// (as Wine uses for the Japanese system fonts) would push the lowest
// controls out of a fixed-size frame. Then the layout is squeezed
// vertically, keeping its proportions, instead of growing scroll bars.
void FormView::FitToParent() {
    RECT parent{};
    GetClientRect(GetParent(Hwnd()), &parent);
    struct Child {
        HWND window;
        RECT rect;
    };
    std::vector<Child> children;
    int top = parent.bottom;
    int bottom = 0;
    for (HWND child = GetWindow(Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        children.push_back({child, rect});
        top = std::min<int>(top, rect.top);
        bottom = std::max<int>(bottom, rect.bottom);
    }
    const int available = parent.bottom - std::max(top, 0);
    if (children.empty() || bottom <= available || bottom <= 0) return;
    for (const Child& child : children) {
        int y = MulDiv(child.rect.top, available, bottom);
        int height = MulDiv(child.rect.bottom, available, bottom) - y;
        MoveWindow(child.window, child.rect.left, y, child.rect.right - child.rect.left, height, FALSE);
    }
}

LRESULT FormView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_PAINT:
        OnPaint();
        return 0;
    // OnDraw covers the whole client area, so erasing first would only flicker.
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        OnDraw(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DESTROY:
        if (WinApp* app = WinApp::Current()) app->RemoveModeless(Hwnd());
        break;
    default:
        break;
    }
    return DefProc(message, wParam, lParam);
}

void FormView::OnPaint() {
    PaintDC paint(Hwnd());
    OnDraw(paint.Get());
}

}  // namespace fw

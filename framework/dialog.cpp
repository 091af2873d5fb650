#include "framework/dialog.h"

#include "framework/app.h"

namespace fw {

HWND CreateDialogWindow(Wnd* self, UINT templateId, HWND parent) {
    return CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId), parent, DialogProcThunk,
                              reinterpret_cast<LPARAM>(self));
}

INT_PTR Dialog::DoModal(HWND parent) {
    modal_ = true;
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProcThunk,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::DoModal() {
    return DoModal(MainWindow());
}

bool Dialog::CreateModeless(HWND parent) {
    modal_ = false;
    HWND window = CreateDialogWindow(this, templateId_, parent);
    if (!window) return false;
    if (WinApp* app = WinApp::Current()) app->AddModeless(window);
    return true;
}

void Dialog::EndDialog(INT_PTR result) {
    if (modal_) {
        ::EndDialog(Hwnd(), result);
    } else {
        ShowWindow(Hwnd(), SW_HIDE);
    }
}

BOOL Dialog::OnInitDialog() {
    Exchange(false);
    return TRUE;
}

void Dialog::OnOK() {
    Exchange(true);
    EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool Dialog::OnCommand(UINT id, UINT, HWND) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_DESTROY:
        if (!modal_) {
            if (WinApp* app = WinApp::Current()) app->RemoveModeless(Hwnd());
        }
        break;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    default:
        break;
    }
    return DefProc(message, wParam, lParam);
}

}  // namespace fw

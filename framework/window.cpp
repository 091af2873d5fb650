#include "framework/window.h"

// The linker's symbol at the start of the module this code is linked into:
// the exe, or a DLL that uses the framework.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace fw {

HINSTANCE ModuleInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

Wnd::~Wnd() {
    // An object that goes while its window lives must not be reached again.
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        if (previous_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    }
}

Wnd* Wnd::FromHandle(HWND window) {
    if (!window) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (proc != WindowProcThunk) return nullptr;
    return reinterpret_cast<Wnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool Wnd::OnCmdMsg(UINT, CommandCall) {
    return false;
}

void Wnd::DestroyWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

LRESULT Wnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefProc(message, wParam, lParam);
}

LRESULT Wnd::DefProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (previous_) return CallWindowProcW(previous_, hwnd_, message, wParam, lParam);
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Wnd::Create(const wchar_t* className, const CREATESTRUCTW& create, HICON icon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(ModuleInstance(), className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = WindowProcThunk;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        if (!RegisterClassExW(&wc)) return false;
    }
    HWND window = CreateWindowExW(create.dwExStyle, className, create.lpszName, create.style, create.x,
                                  create.y, create.cx, create.cy, create.hwndParent, create.hMenu,
                                  ModuleInstance(), this);
    return window != nullptr;
}

void Wnd::Subclass(HWND window) {
    Attach(window);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcThunk)));
}

void Wnd::Attach(HWND window) {
    hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT Wnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // The one place that stops exceptions: none may unwind into Windows.
    try {
        result = WindowProc(message, wParam, lParam);
    } catch (...) {
        result = DefProc(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        previous_ = nullptr;
        PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK WindowProcThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<Wnd*>(create->lpCreateParams)) self->Attach(window);
    }
    auto* self = reinterpret_cast<Wnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

INT_PTR CALLBACK DialogProcThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Once attached, the dialog manager still calls this procedure for every
    // message; the object has seen them all already.
    if (message != WM_INITDIALOG || Wnd::FromHandle(window)) return FALSE;
    // From here on the dialog's messages go through the object's WindowProc;
    // the dialog manager's own procedure becomes the default processing.
    auto* self = reinterpret_cast<Wnd*>(lParam);
    if (!self) return TRUE;
    self->Subclass(window);
    return self->Dispatch(message, wParam, lParam);
}

}  // namespace fw


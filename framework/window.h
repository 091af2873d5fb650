// Base of every window object: binds a C++ object to its HWND and hands each
// message to the object's one dispatch function.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// How a routed command is asked for: run it, or only say whether it would
// be handled (used to gray menu items that nothing handles).
enum class CommandCall { Run, Query };

// Runs `handler` for a command when asked to, and says it is handled.
template <class Handler>
bool Handle(CommandCall call, Handler&& handler) {
    if (call == CommandCall::Run) handler();
    return true;
}

// The same for a command that only works while `enabled`; otherwise it is
// left to the rest of the routing path, and so grayed when nothing there
// handles it.
template <class Handler>
bool HandleIf(bool enabled, CommandCall call, Handler&& handler) {
    return enabled && Handle(call, std::forward<Handler>(handler));
}

class Wnd {
public:
    Wnd() = default;
    virtual ~Wnd();
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    HWND Hwnd() const { return hwnd_; }
    bool Exists() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    // The object attached to a window of this process, or null.
    static Wnd* FromHandle(HWND window);

    // Command routing: true when the command is handled here.
    virtual bool OnCmdMsg(UINT id, CommandCall call);

    void DestroyWindow();

protected:
    // The one dispatch function of each window class.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The processing the window would get without this object.
    LRESULT DefProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Registers (once) and creates a window of class `className`.
    bool Create(const wchar_t* className, const CREATESTRUCTW& create, HICON icon = nullptr);
    // Takes over an existing window (a control or a dialog): its previous
    // procedure receives every message this object does not consume.
    void Subclass(HWND window);
    // Called after the last message; the window handle is gone.
    virtual void PostNcDestroy() {}

private:
    friend LRESULT CALLBACK WindowProcThunk(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR CALLBACK DialogProcThunk(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND window);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
};

LRESULT CALLBACK WindowProcThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DialogProcThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The module (exe or DLL) whose resources and window classes this code uses.
HINSTANCE ModuleInstance();

}  // namespace fw

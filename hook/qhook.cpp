// The keyboard-hook library. Each running QHook has a thread of its own
// that installs a WH_KEYBOARD_LL hook and serves its message loop: a
// low-level hook runs on the thread that set it, and typing anywhere waits
// for that thread (under Wine about 2 s when it does not pump), so it must
// never be the program's busy window thread. The hook procedure only posts
// to the window and passes the key on.
#include "hook/qhook.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <utility>

#include "hook/key_codes.h"

namespace {

// An owned Win32 handle, released once; the library uses nothing of the
// program, so not the framework's.
template <class Handle, class Close>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() {
        if (handle_) Close{}(handle_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;
using OwnedHook = Owned<HHOOK, Unhook>;

// One running hook: its thread, the hook that thread holds, and the window
// it reports to.
class HookThread {
public:
    // Starts the thread and waits until it has installed the hook; null
    // when that failed.
    static std::unique_ptr<HookThread> Start(HWND window);
    // Ends the thread's loop and waits for it; the hook goes with it.
    ~HookThread();
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;

    void ReportTo(HWND window) { window_.store(window); }

private:
    explicit HookThread(HWND window) : window_(window) {}
    static DWORD WINAPI Run(void* param);
    static LRESULT CALLBACK OnKey(int code, WPARAM wParam, LPARAM lParam);

    std::atomic<HWND> window_;
    std::atomic<bool> installed_{false};
    OwnedHandle ready_;
    OwnedHandle thread_;
    DWORD threadId_ = 0;
};

// A low-level hook procedure gets no pointer of its own: it finds its
// thread's object here.
thread_local HookThread* t_running = nullptr;

std::unique_ptr<HookThread> HookThread::Start(HWND window) {
    std::unique_ptr<HookThread> self(new (std::nothrow) HookThread(window));
    if (!self) return nullptr;
    self->ready_ = OwnedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!self->ready_) return nullptr;
    self->thread_ = OwnedHandle(CreateThread(nullptr, 0, Run, self.get(), 0, &self->threadId_));
    if (!self->thread_) return nullptr;
    // The thread's answer, or its end should it stop before giving one.
    const HANDLE events[] = {self->ready_.Get(), self->thread_.Get()};
    WaitForMultipleObjects(2, events, FALSE, INFINITE);
    if (!self->installed_.load()) return nullptr;  // joins the ending thread
    return self;
}

HookThread::~HookThread() {
    if (!thread_) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI HookThread::Run(void* param) {
    auto* self = static_cast<HookThread*>(param);
    t_running = self;
    MSG message;
    // A queue before anyone can post to it, so the WM_QUIT that ends the
    // loop is never lost.
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HMODULE library = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&HookThread::OnKey), &library);
    const OwnedHook hook(SetWindowsHookExW(WH_KEYBOARD_LL, OnKey, library, 0));
    self->installed_.store(static_cast<bool>(hook));
    SetEvent(self->ready_.Get());
    if (!hook) return 1;
    // The system calls the hook procedure from inside this loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

// Runs on the hook thread for every key pressed anywhere.
LRESULT CALLBACK HookThread::OnKey(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && t_running) {
        const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        if (down || up) {
            const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            PostMessageW(t_running->window_.load(), down ? qhook::kKeyDown : qhook::kKeyUp,
                         qhook::GenericKeyCode(key->vkCode), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The running hooks by object, since the object holds only its
// virtual-table pointer. Never destroyed: destroying it at unload would
// join hook threads inside DllMain, under the loader lock they need to end.
// (The program links the import library, so the library stays loaded until
// the process ends.)
struct Hooks {
    std::mutex lock;
    std::map<const QHook*, std::unique_ptr<HookThread>> running;
};

Hooks& TheHooks() {
    static Hooks& hooks = *new Hooks;
    return hooks;
}

}  // namespace

QHook::QHook() = default;

QHook::~QHook() {
    ReleaseHook();
}

// No exception leaves the library: the program may use another runtime.
int QHook::SetKeyboardHook(HWND window) {
    if (!IsWindow(window)) return 0;
    try {
        Hooks& hooks = TheHooks();
        const std::lock_guard guard(hooks.lock);
        std::unique_ptr<HookThread>& running = hooks.running[this];
        if (running) {
            running->ReportTo(window);
            return 1;
        }
        running = HookThread::Start(window);
        if (running) return 1;
        hooks.running.erase(this);
    } catch (...) {
    }
    return 0;
}

int QHook::ReleaseHook() {
    std::unique_ptr<HookThread> stopping;  // joined on return, outside the lock
    try {
        Hooks& hooks = TheHooks();
        const std::lock_guard guard(hooks.lock);
        const auto found = hooks.running.find(this);
        if (found == hooks.running.end()) return 0;
        stopping = std::move(found->second);
        hooks.running.erase(found);
    } catch (...) {
        return 0;
    }
    return stopping ? 1 : 0;
}

void* QHook::operator new(std::size_t size) noexcept {
    return ::operator new(size, std::nothrow);
}

void QHook::operator delete(void* block) noexcept {
    ::operator delete(block);
}

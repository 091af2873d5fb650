// quillstack.dll: QHook reports the keys pressed anywhere on the
// desktop to one window, as kKeyDown and kKeyUp with the generic
// virtual-key code in the low byte of wParam (lParam 0). Keys are always
// passed on, and nothing is logged or kept: they go nowhere but that window.
#pragma once

#include <windows.h>

#include <cstddef>

#ifdef QHOOK_BUILD
#define QHOOK_API __declspec(dllexport)
#else
#define QHOOK_API __declspec(dllimport)
#endif

namespace qhook {
inline constexpr UINT kKeyDown = WM_USER + 0x226;  // 0x0626
inline constexpr UINT kKeyUp = WM_USER + 0x227;    // 0x0627
}  // namespace qhook

// To the program the object holds only its virtual-table pointer; the hook's
// state lives in the library. The library allocates and frees the object
// (its own operator new and delete), so program and library may use
// different runtimes; new gives null rather than throwing across them.
class QHOOK_API QHook {
public:
    QHook();
    // Releases a running hook.
    virtual ~QHook();
    QHook(const QHook&) = delete;
    QHook& operator=(const QHook&) = delete;

    // Starts a system-wide low-level keyboard hook reporting to `window`, on
    // a thread of the library with its own message loop, so a busy program
    // never holds up typing. Returns once the hook is installed (non-zero)
    // or has failed (0). Called again while running, it starts no second
    // thread: the running hook reports to the new window from then on.
    int SetKeyboardHook(HWND window);
    // Stops the hook and waits for its thread; non-zero when one was
    // running. Harmless when none is.
    int ReleaseHook();

    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* block) noexcept;
};

static_assert(sizeof(QHook) == sizeof(void*), "QHook holds only its virtual-table pointer");

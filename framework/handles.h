// Owning wrappers for Win32 handles: non-copyable, movable, released once.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace fw {

template <class Handle, class Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return IsValid(handle_); }
    Handle Release() { return std::exchange(handle_, Invalid()); }
    void Reset(Handle handle = Invalid()) {
        if (IsValid(handle_)) Close{}(handle_);
        handle_ = handle;
    }

private:
    static Handle Invalid() {
        if constexpr (std::is_same_v<Handle, HANDLE>) {
            return INVALID_HANDLE_VALUE;
        } else {
            return nullptr;
        }
    }
    static bool IsValid(Handle handle) { return handle != nullptr && handle != Invalid(); }

    Handle handle_ = Invalid();
};

struct CloseFile {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct DestroyMenuHandle {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct FreeGlobal {
    void operator()(HGLOBAL h) const { GlobalFree(h); }
};
struct UnhookHook {
    void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};
// For icons the program made or loaded without LR_SHARED; shared icons
// belong to the system and are never destroyed.
struct DestroyIconHandle {
    void operator()(HICON h) const { DestroyIcon(h); }
};

using FileHandle = UniqueHandle<HANDLE, CloseFile>;
using MenuHandle = UniqueHandle<HMENU, DestroyMenuHandle>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteGdiObject>;
using FontHandle = UniqueHandle<HFONT, DeleteGdiObject>;
using GlobalHandle = UniqueHandle<HGLOBAL, FreeGlobal>;
using HookHandle = UniqueHandle<HHOOK, UnhookHook>;
using IconHandle = UniqueHandle<HICON, DestroyIconHandle>;

// A locked global memory block, unlocked when the guard goes.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~GlobalLockGuard() {
        if (data_) GlobalUnlock(block_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* Data() const { return data_; }
    // Bytes the block really holds; the lock may cover no more than this.
    SIZE_T Size() const { return data_ ? GlobalSize(block_) : 0; }

private:
    HGLOBAL block_;
    void* data_;
};

// Selects a GDI object into a device context for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint and EndPaint around a WM_PAINT handler.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Runs a clean-up step when the scope ends, for the one-off releases that
// have no handle type of their own.
template <class Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : action_(std::move(action)) {}
    ~ScopeExit() {
        if (armed_) action_();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

    // The clean-up is no longer wanted (the resource was handed on).
    void Dismiss() { armed_ = false; }

private:
    Action action_;
    bool armed_ = true;
};

}  // namespace fw

#include "framework/clipboard.h"

#include <cstring>

#include "framework/handles.h"

namespace fw {

namespace {

// Another program may hold the clipboard for a moment (a clipboard viewer
// reading a change); a short, bounded wait spares the user a press that
// silently does nothing, and a longer hold still never hangs the program.
const int kOpenAttempts = 5;
const DWORD kOpenPauseMs = 10;

}  // namespace

Clipboard::Clipboard(HWND window, Wait wait) {
    const int attempts = wait == kWaitBriefly ? kOpenAttempts : 1;
    for (int attempt = 0; attempt < attempts && !open_; ++attempt) {
        if (attempt > 0) Sleep(kOpenPauseMs);
        open_ = OpenClipboard(window) != FALSE;
    }
}

Clipboard::~Clipboard() {
    if (open_) CloseClipboard();
}

std::string Clipboard::GetText() const {
    if (!open_) return {};
    HGLOBAL block = GetClipboardData(CF_TEXT);
    if (!block) return {};
    GlobalLockGuard lock(block);
    const auto* data = static_cast<const char*>(lock.Data());
    if (!data) return {};
    std::size_t size = lock.Size();
    const void* nul = std::memchr(data, '\0', size);
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data) : size;
    return std::string(data, length);
}

std::optional<DWORD> Clipboard::GetDword(UINT format) const {
    HANDLE block = open_ && format != 0 ? GetClipboardData(format) : nullptr;
    if (!block) return std::nullopt;
    GlobalLockGuard lock(block);
    DWORD value = 0;
    if (!lock.Data() || lock.Size() < sizeof(value)) return std::nullopt;
    std::memcpy(&value, lock.Data(), sizeof(value));
    return value;
}

bool Clipboard::SetText(std::string_view text) {
    if (!open_) return false;
    GlobalHandle block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DISCARDABLE, text.size() + 1));
    if (!block) return false;
    {
        GlobalLockGuard lock(block.Get());
        auto* data = static_cast<char*>(lock.Data());
        if (!data) return false;
        std::memcpy(data, text.data(), text.size());
        data[text.size()] = '\0';
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block.Get())) return false;
    block.Release();  // the system owns it now
    return true;
}

std::optional<std::string> ReadClipboardText(HWND window) {
    Clipboard clipboard(window);
    if (!clipboard.IsOpen()) return std::nullopt;
    return clipboard.GetText();
}

bool SetClipboardText(HWND owner, std::string_view text) {
    Clipboard clipboard(owner);
    return clipboard.IsOpen() && clipboard.SetText(text);
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

std::vector<UINT> ClipboardFormats() {
    std::vector<UINT> formats(32);
    for (;;) {
        UINT count = 0;
        if (GetUpdatedClipboardFormats(formats.data(), static_cast<UINT>(formats.size()), &count)) {
            formats.resize(count);
            return formats;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || count <= formats.size()) return {};
        formats.resize(count);
    }
}

}  // namespace fw

#include "framework/text.h"

#include "framework/window.h"

#include <vector>

namespace fw {

std::wstring Widen(std::string_view ansi) {
    if (ansi.empty()) return {};
    int size = static_cast<int>(ansi.size());
    int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int size = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::optional<std::string> NarrowExactly(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    int size = static_cast<int>(wide.size());
    BOOL substituted = FALSE;
    int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &substituted);
    if (length <= 0 || substituted) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::wstring LoadResString(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the
    // resource itself, so entries of any length come back whole.
    int length = LoadStringW(ModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::string LoadAnsiString(UINT id) {
    return Narrow(LoadResString(id));
}

std::wstring FormatOne(std::wstring_view format, std::wstring_view argument) {
    std::wstring result(format);
    std::size_t at = result.find(L"%s");
    if (at != std::wstring::npos) result.replace(at, 2, argument);
    return result;
}

const qs::LeadBytes& SystemLeadBytes() {
    static const qs::LeadBytes table =
        qs::LeadBytes::FromPredicate([](unsigned char b) { return IsDBCSLeadByte(b) != FALSE; });
    return table;
}

std::wstring GetWindowTextString(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void SetWindowTextIfChanged(HWND window, std::wstring_view text, Drawing drawing) {
    if (GetWindowTextString(window) == text) return;
    const std::wstring copy(text);
    if (drawing == Drawing::Now) {
        SetWindowTextW(window, copy.c_str());
    } else {
        DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    }
}

}  // namespace fw

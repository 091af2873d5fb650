#include "framework/help.h"

#include <shellapi.h>

#include <vector>

#include "framework/framework_ids.h"
#include "framework/message_box.h"
#include "framework/text.h"

namespace fw {
namespace {

// The program's own folder, with its trailing backslash.
std::wstring ProgramFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            return path.substr(0, path.find_last_of(L'\\') + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

// The shell's own error box is turned off: the program says which page
// it could not open.
bool OpenWithShell(HWND owner, const std::wstring& page) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpFile = page.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

void OpenPage(HWND owner, const std::wstring& name) {
    const std::wstring page = ProgramFolder() + L"help\\context\\" + name + L".html";
    if (OpenWithShell(owner, page)) return;
    ShowMessageBox(owner, FormatOne(LoadResString(IDS_HELP_OPEN_FAILED), page), MB_OK);
}

}  // namespace

void ShowHelp(HWND owner, int context) {
    OpenPage(owner, std::to_wstring(context));
}

void ShowHelpContents(HWND owner) {
    OpenPage(owner, L"contents");
}

}  // namespace fw

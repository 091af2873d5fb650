#include "framework/tray_icon.h"

#include <algorithm>

namespace fw {

bool TrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, IconHandle icon, std::wstring_view tip) {
    Remove();
    icon_ = std::move(icon);
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = id;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = callbackMessage;
    data_.hIcon = icon_.Get();
    const std::size_t length = std::min(tip.size(), std::size(data_.szTip) - 1);
    std::copy_n(tip.data(), length, data_.szTip);
    added_ = true;
    return AddAgain();
}

bool TrayIcon::AddAgain() {
    return added_ && Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::Remove() {
    if (!added_) return;
    added_ = false;
    Shell_NotifyIconW(NIM_DELETE, &data_);
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void TrackTrayMenu(HWND owner, HMENU menu) {
    // Under Wine the window system's news of a focus change a moment ago (a
    // dialog closed, the frame hidden) may still be waiting; seen during the
    // tracking it would cancel the menu at once. A wait of no time lets it
    // be seen first; elsewhere it changes nothing.
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
    SetForegroundWindow(owner);
    SetFocus(owner);
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(menu, TPM_RIGHTALIGN, cursor.x, cursor.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace fw

// The notification-area icon of a window and the menus it opens.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string_view>

#include "framework/handles.h"

namespace fw {

// One icon in the notification area, present from Add until Remove or the
// object's end.
class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon() { Remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows `icon` with `tip`; mouse events on it reach `owner` as
    // `callbackMessage`, with `id` in wParam and the mouse message in lParam.
    bool Add(HWND owner, UINT id, UINT callbackMessage, IconHandle icon, std::wstring_view tip);
    // Shows the same icon again: a re-created taskbar has forgotten it.
    bool AddAgain();
    void Remove();

private:
    NOTIFYICONDATAW data_{};
    IconHandle icon_;
    bool added_ = false;
};

// The message the shell broadcasts when it has re-created the taskbar.
UINT TaskbarCreatedMessage();

// Shows a pop-up menu of the notification-area icon at the cursor, right-
// aligned, with `owner` as its owner. The owner comes to the foreground
// first, so that a click elsewhere closes the menu; a posted null message
// afterwards lets the next press on the icon open a menu again.
void TrackTrayMenu(HWND owner, HMENU menu);

}  // namespace fw

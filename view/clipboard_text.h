// The one routine through which the program writes the clipboard. The owner
// decides whether the program's own capture records the change.
#pragma once

#include <windows.h>

#include <string_view>

void SetClipboardText(HWND owner, std::string_view text);

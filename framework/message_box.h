// Message boxes with the application title as caption. Tests answer them
// through a handler instead of a real window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace fw {

// Receives the text and MB_* type of each box and returns the button id.
using MessageBoxHandler = std::function<int(std::wstring_view text, UINT type)>;

// Installs a handler (an empty one restores real boxes); returns the old one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

int ShowMessageBox(HWND owner, std::wstring_view text, UINT type);

}  // namespace fw

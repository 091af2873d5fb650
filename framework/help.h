// The user guide: help/Quillstack.html beside the program, with one small
// page per help context in help/context/ that forwards to its section (the
// shell cannot open a local file at an anchor).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace fw {

// Opens the page of a help context, or of the contents, in the user's
// browser. When the shell cannot, a message names the page.
void ShowHelp(HWND owner, int context);
void ShowHelpContents(HWND owner);

// The page of a context: <program folder>\help\context\<name>.html.
std::wstring HelpPage(const std::wstring& name);

// Opens a page in place of the shell, true when it did; tests install one.
using HelpOpener = std::function<bool(HWND owner, const std::wstring& page)>;
// Installs an opener (an empty one restores the shell); returns the old one.
HelpOpener SetHelpOpenerForTesting(HelpOpener opener);

}  // namespace fw

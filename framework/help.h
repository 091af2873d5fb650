// The user guide: help/Quillstack.html beside the program, with one small
// page per help context in help/context/ that forwards to its section (the
// shell cannot open a local file at an anchor).
#pragma once

#include <windows.h>


namespace fw {

// Opens the page of a help context, or of the contents, in the user's
// browser: <program folder>\help\context\<context>.html. When the shell
// cannot, a message names the page.
void ShowHelp(HWND owner, int context);
void ShowHelpContents(HWND owner);

}  // namespace fw

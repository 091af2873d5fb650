// The options sheet "設定": its pages work on copies of the document's
// settings and lists, written back only when the sheet closes with OK.
#pragma once

#include <windows.h>

class CQuillstackDoc;

// True after OK, with the settings written back (the start-file message
// may have been shown). The key page is there only for the first running
// copy. "履歴のクリア" empties the recent files at once, whichever way the
// sheet closes.
bool RunOptionsSheet(HWND owner, CQuillstackDoc& document, bool firstInstance);

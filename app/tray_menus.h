// The two menus of the notification-area icon: the list menu (left button)
// with the entries of the list shown, and the tray menu (right button).
#pragma once

#include <windows.h>

#include <string>

#include "data/quillstack_doc.h"
#include "framework/handles.h"

// The entries of list `mode` from the first on, eight of them, or sixteen
// when the list reaches past the eighth, with commands 210 and on. Captions
// as on the buttons but 20 bytes wide; an empty entry shows `placeholder`.
fw::MenuHandle BuildTrayListMenu(const CQuillstackDoc& doc, ListKind mode, const std::string& placeholder);

// What the tray menu shows of the program's state.
struct TrayMenuState {
    bool frameVisible = true;     // the first item iconises, else it restores
    bool tempSaveVisible = false;  // the temporary-save item is checked
    ListKind mode = kListSentences;
};

// Menu 135 made ready to show: its first pop-up is the tray menu, with the
// recent files inserted at position 2 and the display mode marked.
fw::MenuHandle BuildTrayMenu(const CQuillstackDoc& doc, const TrayMenuState& state);

// Menus the view builds or marks: the display-mode radio mark, the "▼" menu
// and the slot buttons' context menu.
#pragma once

#include <windows.h>

#include <string>

#include "data/string_list.h"
#include "framework/handles.h"

// Radio mark on the display mode's command among the three mode commands.
void MarkDisplayMode(HMENU menu, int mode);

// The fixed captions of the "▼" menu.
struct ListMenuTexts {
    std::wstring sentences;
    std::wstring clipHistory;
    std::wstring urlHistory;
    std::wstring defaultFile;
};

// The "▼" menu: the three lists, the default file, then the first
// `recentCount` recent files up to the first empty name.
fw::MenuHandle BuildListMenu(const qs::StringList& recentFiles, int recentCount, int mode,
                             const ListMenuTexts& texts);

// Grays the context menu's commands that need text on the clipboard.
void EnableClipboardCommands(HMENU menu, bool enable);

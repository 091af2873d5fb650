// Menus the view builds or marks: the display-mode radio mark, the "▼"
// menu and the pop-up of a list (the recent files), and the places it uses
// in the frame's menu bar.
#pragma once

#include <windows.h>

#include <string>

#include "core/string_list.h"
#include "framework/handles.h"

// Where the view finds its places in the frame's menu bar: the functions
// pop-up, and the position in the file pop-up where the recent-files pop-up
// goes (before the separator above the exit commands).
inline constexpr int kFunctionsMenuIndex = 1;
inline constexpr int kRecentFilesPosition = 5;

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

// Puts a pop-up titled `title` at `position` of `menu` holding the first
// `count` entries of `list` (empty entries with empty captions), with the
// commands firstCommand + index. A pop-up with the same title at that
// position, from an earlier call, is replaced and destroyed.
void InsertListSubmenu(HMENU menu, int position, const std::wstring& title, const qs::StringList& list, int count,
                       UINT firstCommand);

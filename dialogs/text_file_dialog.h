// The open and save dialogs for the program's text files (sentences,
// histories, joined lists): one filter, the extension "txt", and the chosen
// path in the ANSI code page like every other path of the program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The file chosen, nothing on Cancel. A path the code page cannot hold
// exactly is refused with the cannot-open message: converted, it would name
// another file.
std::optional<std::string> AskOpenTextFile(HWND owner, const std::string& folder);
// The same for saving, with `name` in the name box; an existing file is
// replaced only after the user agrees.
std::optional<std::string> AskSaveTextFile(HWND owner, const std::string& folder, const std::string& name);

// What the user answered a save dialog: a path, Cancel, or a name the
// program refused (and said so).
struct SaveTextFileChoice {
    std::optional<std::string> path;
    bool refused = false;
};
// AskSaveTextFile for a caller that must tell Cancel from a refused name.
SaveTextFileChoice ChooseSaveTextFile(HWND owner, const std::string& folder, const std::string& name);

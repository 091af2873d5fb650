// The system's open, save and colour dialogs. Tests answer them through
// handlers instead of real windows, as they answer message boxes.
#pragma once

#include <windows.h>
#include <commdlg.h>  // the OFN_ and CC_ flags

#include <functional>
#include <optional>
#include <string>

namespace fw {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    HWND owner = nullptr;
    std::wstring initialFolder;
    std::wstring initialName;
    // Pairs of a description and a pattern, all separated by '|', ending
    // with "||".
    std::wstring filter;
    std::wstring defaultExtension;
    DWORD flags = 0;
};

// Receives each request and returns the chosen path, nothing for Cancel.
using FileDialogHandler = std::function<std::optional<std::wstring>(const FileDialogRequest& request)>;
// Installs a handler (an empty one restores real dialogs); returns the old one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// The path the user chose, nothing when the dialog was cancelled or failed.
std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request);

// Receives the colour shown first and returns the chosen one, nothing for
// Cancel.
using ColourDialogHandler = std::function<std::optional<COLORREF>(COLORREF initial)>;
ColourDialogHandler SetColourDialogHandler(ColourDialogHandler handler);

// The colour dialog preset to `initial`. The user's custom colours are kept
// from one use to the next while the program runs.
std::optional<COLORREF> RunColourDialog(HWND owner, COLORREF initial);

}  // namespace fw

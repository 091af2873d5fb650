#include "framework/common_dialogs.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace fw {
namespace {

FileDialogHandler& FileHandler() {
    static FileDialogHandler handler;
    return handler;
}

ColourDialogHandler& ColourHandler() {
    static ColourDialogHandler handler;
    return handler;
}

// Longer than MAX_PATH, so a long path comes back whole rather than as an
// error; whether it can be opened is for the caller to find out.
constexpr std::size_t kPathBuffer = 32768;

}  // namespace

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    return std::exchange(FileHandler(), std::move(handler));
}

std::optional<std::wstring> RunFileDialog(const FileDialogRequest& request) {
    if (FileHandler()) return FileHandler()(request);
    // The dialog wants its filter as NUL-separated strings.
    std::wstring filter = request.filter;
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    std::vector<wchar_t> path(kPathBuffer, L'\0');
    request.initialName.copy(path.data(), std::min(request.initialName.size(), path.size() - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = request.flags;
    const BOOL chosen = request.kind == FileDialogKind::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return std::wstring(path.data());
}

ColourDialogHandler SetColourDialogHandler(ColourDialogHandler handler) {
    return std::exchange(ColourHandler(), std::move(handler));
}

std::optional<COLORREF> RunColourDialog(HWND owner, COLORREF initial) {
    if (ColourHandler()) return ColourHandler()(initial);
    // The dialog's sixteen custom colours, white until the user sets them,
    // kept for the next use.
    static std::array<COLORREF, 16> customColours = [] {
        std::array<COLORREF, 16> colours;
        colours.fill(RGB(255, 255, 255));
        return colours;
    }();
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = initial;
    dialog.lpCustColors = customColours.data();
    dialog.Flags = CC_RGBINIT;
    if (!ChooseColorW(&dialog)) return std::nullopt;
    return dialog.rgbResult;
}

}  // namespace fw

#include "dialogs/text_file_dialog.h"

#include "framework/app.h"
#include "framework/common_dialogs.h"
#include "framework/message_box.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

// A dialog must not move the current folder: relative names (a start file
// typed into the settings) would then depend on the last folder visited.
constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_CREATEPROMPT | OFN_NOCHANGEDIR;

SaveTextFileChoice AskTextFile(fw::FileDialogKind kind, HWND owner, const std::string& folder,
                               const std::string& name, DWORD flags) {
    fw::FileDialogRequest request{kind,  owner, fw::Widen(folder), fw::Widen(name), fw::LoadResString(IDS_TEXT_FILE_FILTER),
                                  L"txt", flags};
    const std::optional<std::wstring> chosen = fw::RunFileDialog(request);
    if (!chosen) return {};
    SaveTextFileChoice choice{fw::NarrowExactly(*chosen), false};
    // Over the window that asked, which may be a dialog of its own.
    if (!choice.path) {
        choice.refused = true;
        fw::ShowMessageBox(owner ? owner : fw::MainWindow(), fw::FormatOne(fw::LoadResString(IDS_OPEN_FAILED), *chosen),
                           MB_OK);
    }
    return choice;
}

}  // namespace

std::optional<std::string> AskOpenTextFile(HWND owner, const std::string& folder) {
    return AskTextFile(fw::FileDialogKind::Open, owner, folder, {}, kOpenFlags).path;
}

std::optional<std::string> AskSaveTextFile(HWND owner, const std::string& folder, const std::string& name) {
    return ChooseSaveTextFile(owner, folder, name).path;
}

SaveTextFileChoice ChooseSaveTextFile(HWND owner, const std::string& folder, const std::string& name) {
    return AskTextFile(fw::FileDialogKind::Save, owner, folder, name, kSaveFlags);
}

#include "dialogs/shortcut_key.h"

#include <algorithm>
#include <string>

#include "framework/message_box.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

// Two equal keys on different buttons; fields without a key never clash.
bool HasDuplicateKeys(const qs::KeyCodes& codes) {
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] != 0 && std::find(codes.begin() + i + 1, codes.end(), codes[i]) != codes.end()) return true;
    }
    return false;
}

}  // namespace

// ---- Key fields ---------------------------------------------------------

LRESULT CKeyField::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    // The field answers keys only as they go down, and has no context menu
    // (a right-button release would otherwise bring up the edit's own).
    case WM_KEYUP:
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU:
        return 0;
    default:
        return DefProc(message, wParam, lParam);
    }
}

// A key pressed in the field: Delete and Backspace empty it, a key with a
// name shows it, and any other key works as in an edit (the caret keys).
LRESULT CKeyField::OnKeyDown(WPARAM key, LPARAM lParam) {
    std::string name;
    if (key != VK_DELETE && key != VK_BACK) {
        name = qs::KeyNameFromCode(static_cast<int>(key));
        if (name.empty()) return DefProc(WM_KEYDOWN, key, lParam);
    }
    SetWindowTextW(Hwnd(), fw::Widen(name).c_str());
    return 0;
}

// ---- The dialog ---------------------------------------------------------

CShortcutKeyDlg::CShortcutKeyDlg() : fw::Dialog(IDD_SHORTCUTKEY) {}

void CShortcutKeyDlg::SetKeys(std::span<const std::int8_t> codes) {
    std::copy_n(codes.begin(), std::min(codes.size(), codes_.size()), codes_.begin());
}

void CShortcutKeyDlg::GetKeys(std::span<std::int8_t> codes) const {
    std::copy_n(codes_.begin(), std::min(codes.size(), codes_.size()), codes.begin());
}

BOOL CShortcutKeyDlg::OnInitDialog() {
    for (int i = 0; i < kKeyCount; ++i) fields_[i].Attach(GetDlgItem(Hwnd(), IDC_KEY_FIRST + i));
    return fw::Dialog::OnInitDialog();
}

void CShortcutKeyDlg::Exchange(bool save) {
    if (save) {
        codes_ = FieldCodes();
        return;
    }
    for (int i = 0; i < kKeyCount; ++i) {
        SetWindowTextW(fields_[i].Hwnd(), fw::Widen(qs::KeyNameFromCode(codes_[i])).c_str());
    }
}

qs::KeyCodes CShortcutKeyDlg::FieldCodes() const {
    qs::KeyCodes codes{};
    for (int i = 0; i < kKeyCount; ++i) {
        // A name is at most two characters; anything beyond is not read.
        const std::string text = fw::Narrow(fw::GetWindowTextString(fields_[i].Hwnd())).substr(0, 2);
        codes[i] = static_cast<std::int8_t>(qs::KeyCodeFromName(text));
    }
    return codes;
}

// OK keeps the dialog open while two buttons share a key.
void CShortcutKeyDlg::OnOK() {
    if (HasDuplicateKeys(FieldCodes())) {
        fw::ShowMessageBox(Hwnd(), fw::LoadResString(IDS_DUPLICATE_KEYS), MB_OK);
        return;
    }
    fw::Dialog::OnOK();
}

bool CShortcutKeyDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_KEY_CLEAR && code == BN_CLICKED) {
        OnClear();
        return true;
    }
    return fw::Dialog::OnCommand(id, code, control);
}

// "クリア": the fields only; the codes change on OK.
void CShortcutKeyDlg::OnClear() {
    for (CKeyField& field : fields_) SetWindowTextW(field.Hwnd(), L"");
}

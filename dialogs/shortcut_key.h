// The shortcut-key dialog: one key for each of the sixteen button positions,
// set by pressing that key while its field has the focus. The caller hands
// the codes in, runs the dialog and takes them back only after OK.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/key_names.h"
#include "framework/dialog.h"

// A read-only key field: a key pressed in it becomes its text.
class CKeyField : public fw::Wnd {
public:
    void Attach(HWND field) { Subclass(field); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnKeyDown(WPARAM key, LPARAM lParam);
};

class CShortcutKeyDlg : public fw::Dialog {
public:
    static constexpr int kKeyCount = 16;

    CShortcutKeyDlg();

    // Code i belongs to button i + 1; 0 means no key. At most sixteen codes
    // are copied either way.
    void SetKeys(std::span<const std::int8_t> codes);
    void GetKeys(std::span<std::int8_t> codes) const;

protected:
    void Exchange(bool save) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    // The codes the fields' texts stand for.
    qs::KeyCodes FieldCodes() const;
    void OnClear();

    qs::KeyCodes codes_{};
    std::array<CKeyField, kKeyCount> fields_;
};

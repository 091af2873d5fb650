// "キー操作": the global shortcut keys, shown only in the first running
// copy, which alone hooks the keyboard.
#pragma once

#include "core/key_names.h"
#include "core/settings.h"
#include "options/option_page.h"

class QPropPageFourth : public COptionPage {
public:
    static constexpr int kHelpContext = 53;

    QPropPageFourth();
    void FromSettings(const qs::Settings& settings);
    void ToSettings(qs::Settings& settings);

protected:
    BOOL OnInitDialog() override;
    void Exchange(bool save) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnDefaults() override;

private:
    // The modifier, the keypad choice and the keys' button only matter
    // while shortcut keys are on.
    void EnableDependents() const;
    void OnSetKeys();

    bool useKeys_ = false;
    bool useNumPad_ = true;
    int additional_ = qs::kAdditionalNone;
    qs::KeyCodes codes_{};
};

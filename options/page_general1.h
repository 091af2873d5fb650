// "一般１": how the window minimises, the save question, the topmost band,
// the time tag, starting iconised, and the form's background colour.
#pragma once

#include "core/settings.h"
#include "options/option_page.h"

class QPropPageFirst : public COptionPage {
public:
    static constexpr int kHelpContext = 49;

    QPropPageFirst();
    void FromSettings(const qs::Settings& settings);
    void ToSettings(qs::Settings& settings) const;

protected:
    void Exchange(bool save) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnDefaults() override;

private:
    void OnChooseColour();

    int minimize_ = qs::kMinimizeRollUpAnimated;
    bool saveWithDialog_ = false;
    bool showTopMost_ = true;
    bool enableTimeTag_ = false;
    bool initIcon_ = false;
    COLORREF colour_ = 0;
};

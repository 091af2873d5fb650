// What every page of the options sheet shares: it works on copies of the
// settings, and its "デフォルト" and "ヘルプ" buttons.
#pragma once

#include "framework/property_sheet.h"

class COptionPage : public fw::PropertyPage {
public:
    COptionPage(UINT templateId, int helpContext) : fw::PropertyPage(templateId), helpContext_(helpContext) {}

protected:
    bool OnCommand(UINT id, UINT code, HWND control) override;
    // Sets the fields to the page's defaults; the controls follow.
    virtual void OnDefaults() = 0;

private:
    int helpContext_;
};

#include "options/option_page.h"

#include "framework/help.h"
#include "res/resource.h"

bool COptionPage::OnCommand(UINT id, UINT code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
    // The document keeps its values until OK.
    case IDC_OPT_DEFAULTS:
        OnDefaults();
        Exchange(false);
        return true;
    case IDC_OPT_HELP:
        fw::ShowHelp(Sheet(), helpContext_);
        return true;
    default:
        return false;
    }
}

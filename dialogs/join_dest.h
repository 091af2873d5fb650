// The join-destination dialog (150, "結合"): asks where a joined list goes.
// The view's join commands and the temporary-save window both use it.
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class CJoinDestDlg : public fw::Dialog {
public:
    // DoModal's results; the close box and Escape also give kAbort.
    static constexpr INT_PTR kToFile = IDC_JOIN_FILE;
    static constexpr INT_PTR kToClipboard = IDC_JOIN_CLIPBOARD;
    static constexpr INT_PTR kAbort = IDCANCEL;

    CJoinDestDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
};

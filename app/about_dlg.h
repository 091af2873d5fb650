// The version box.
#pragma once

#include "framework/dialog.h"

class CAboutDlg : public fw::Dialog {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;
};

#include "app/about_dlg.h"

#include "res/resource.h"
#include "res/version.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    SetDlgItemTextW(Hwnd(), IDC_ABOUT_VERSION, L"Quillstack Version " QS_VERSION_TEXT);
    return fw::Dialog::OnInitDialog();
}

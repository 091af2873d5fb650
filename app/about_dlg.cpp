#include "app/about_dlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX) {}

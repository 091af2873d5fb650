#include "dialogs/join_dest.h"

CJoinDestDlg::CJoinDestDlg() : fw::Dialog(IDD_JOIN_DEST) {}

// The dialog manager gives the focus to the first button, and Enter presses
// the focused button: the focus goes to "中止" instead, so that Enter joins
// nothing.
BOOL CJoinDestDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    SetFocus(GetDlgItem(Hwnd(), IDCANCEL));
    return FALSE;
}

bool CJoinDestDlg::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_JOIN_FILE || id == IDC_JOIN_CLIPBOARD) {
        EndDialog(id);
        return true;
    }
    return fw::Dialog::OnCommand(id, code, control);
}

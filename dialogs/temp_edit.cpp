#include "dialogs/temp_edit.h"

#include "core/caption.h"
#include "framework/text.h"

CTempEditDlg::CTempEditDlg() : fw::Dialog(IDD_TEMPEDIT) {}

void CTempEditDlg::RunWithList(qs::StringList& list, HWND owner) {
    list_ = &list;
    DoModal(owner);
}

void CTempEditDlg::Exchange(bool save) {
    HWND edit = GetDlgItem(Hwnd(), IDC_TEMPEDIT_TEXT);
    if (save) {
        text_ = fw::Narrow(fw::GetWindowTextString(edit));
    } else {
        SetWindowTextW(edit, fw::Widen(text_).c_str());
    }
}

BOOL CTempEditDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    int line = 0;
    for (const std::string& text : *list_) InsertLine(line++, text);
    return TRUE;
}

bool CTempEditDlg::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case IDC_TEMPEDIT_LIST:
        if (code == LBN_SELCHANGE) OnSelectionChange();
        return true;
    case IDC_TEMPEDIT_UPDATE:
        OnUpdate();
        return true;
    default:
        return fw::Dialog::OnCommand(id, code, control);
    }
}

void CTempEditDlg::OnSelectionChange() {
    const std::string* text = list_->GetAt(SelectedLine());
    text_ = text ? *text : std::string();
    Exchange(false);
}

// An empty field deletes the entry, and then no line is selected.
void CTempEditDlg::OnUpdate() {
    Exchange(true);
    const int line = SelectedLine();
    if (line < 0) return;
    SendMessageW(List(), LB_DELETESTRING, static_cast<WPARAM>(line), 0);
    if (text_.empty()) {
        list_->RemoveAt(line);
        return;
    }
    list_->SetAtGrow(line, text_);
    InsertLine(line, text_);
    SendMessageW(List(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

int CTempEditDlg::SelectedLine() const {
    const LRESULT line = SendMessageW(List(), LB_GETCURSEL, 0, 0);
    return line == LB_ERR ? -1 : static_cast<int>(line);
}

// A line shows the text's first 20 bytes, never half a double-byte
// character.
void CTempEditDlg::InsertLine(int line, const std::string& text) const {
    const std::wstring label = fw::Widen(qs::FrontBytes(text, qs::kMenuCaptionWidth, fw::SystemLeadBytes()));
    SendMessageW(List(), LB_INSERTSTRING, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(label.c_str()));
}

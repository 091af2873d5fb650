// The edit dialog of the temporary-save list: the beginning of every text
// in a list box, the whole text of the line chosen in an edit field, and
// "更新", which stores the field back into the list, or deletes the entry
// when the field is empty. Changes go straight into the list.
#pragma once

#include <string>

#include "core/string_list.h"
#include "framework/dialog.h"
#include "res/resource.h"

class CTempEditDlg : public fw::Dialog {
public:
    CTempEditDlg();

    // Runs the dialog modally over `list`, owned by `owner`. Line p of the
    // list box always stands for entry p of the list.
    void RunWithList(qs::StringList& list, HWND owner);

protected:
    void Exchange(bool save) override;
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void OnSelectionChange();
    void OnUpdate();
    int SelectedLine() const;
    void InsertLine(int line, const std::string& text) const;
    HWND List() const { return GetDlgItem(Hwnd(), IDC_TEMPEDIT_LIST); }

    std::string text_;
    qs::StringList* list_ = nullptr;
};

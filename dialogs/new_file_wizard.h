// The new-file wizard: the user writes one sentence a page, a title and a
// body; "次へ" collects the page and starts an empty one, "終了" collects
// the last page (unless its body is empty) and writes the sentence file and
// its title file, both in the list-file format.
#pragma once

#include <string>

#include "core/string_list.h"
#include "framework/dialog.h"

class CNewFileWizardDlg : public fw::Dialog {
public:
    static constexpr int kHelpContext = 8;

    CNewFileWizardDlg();

    // The sentence file written; set when DoModal returns IDOK.
    const std::string& GetFileName() const { return fileName_; }

protected:
    void Exchange(bool save) override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void OnNext();
    void Save(const qs::StringList& sentences, const qs::StringList& titles);
    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }

    // The page shown, moved to and from the controls by Exchange.
    std::string body_;
    std::wstring counter_;
    std::string title_;
    // The pages collected by "次へ", titles at the positions of their bodies.
    qs::StringList sentences_;
    qs::StringList titles_;
    int count_ = 0;
    std::string fileName_;
};

#include "dialogs/new_file_wizard.h"

#include <optional>

#include "core/list_file_text.h"
#include "data/app_path.h"
#include "data/quillstack_doc.h"
#include "dialogs/text_file_dialog.h"
#include "framework/file.h"
#include "framework/help.h"
#include "framework/message_box.h"
#include "framework/text.h"
#include "res/resource.h"

namespace {

void ExchangeText(HWND edit, std::string& value, bool save) {
    if (save) {
        value = fw::Narrow(fw::GetWindowTextString(edit));
    } else {
        SetWindowTextW(edit, fw::Widen(value).c_str());
    }
}

}  // namespace

CNewFileWizardDlg::CNewFileWizardDlg()
    : fw::Dialog(IDD_NEWFILE), counter_(fw::LoadResString(IDS_WIZARD_FIRST_PAGE)) {}

void CNewFileWizardDlg::Exchange(bool save) {
    ExchangeText(Item(IDC_WIZARD_BODY), body_, save);
    if (!save) SetWindowTextW(Item(IDC_WIZARD_COUNTER), counter_.c_str());
    ExchangeText(Item(IDC_WIZARD_TITLE), title_, save);
}

bool CNewFileWizardDlg::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case IDC_WIZARD_NEXT:
        OnNext();
        return true;
    case IDC_WIZARD_HELP:
        fw::ShowHelp(Hwnd(), kHelpContext);
        return true;
    default:
        return fw::Dialog::OnCommand(id, code, control);
    }
}

// A page without a body is refused; an empty title is collected as an
// empty entry, so the titles stay at the positions of their bodies.
void CNewFileWizardDlg::OnNext() {
    Exchange(true);
    if (body_.empty()) {
        fw::ShowMessageBox(Hwnd(), fw::LoadResString(IDS_ENTER_SENTENCE), MB_OK);
        return;
    }
    sentences_.AddTail(body_);
    titles_.AddTail(title_);
    ++count_;
    body_.clear();
    title_.clear();
    counter_ = fw::FormatOne(fw::LoadResString(IDS_WIZARD_PAGE), std::to_wstring(count_ + 1));
    Exchange(false);
    SendMessageW(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_WIZARD_TITLE)), TRUE);
}

// "終了" (and Enter outside the body). The page shown joins the collected
// ones only in what is written: after a failed write it is still the page
// on show, so a second "終了" writes it once, with any change made to it.
// Nothing collected ends the wizard without a file.
void CNewFileWizardDlg::OnOK() {
    Exchange(true);
    qs::StringList sentences = sentences_;
    qs::StringList titles = titles_;
    if (!body_.empty()) {
        sentences.AddTail(body_);
        titles.AddTail(title_);
    }
    if (sentences.GetCount() == 0) {
        EndDialog(IDCANCEL);
        return;
    }
    Save(sentences, titles);
}

// Cancel in the file dialog ends the wizard and drops the pages. A file
// that cannot be written, or a name the program cannot use, is reported and
// the wizard stays with every page. The title file is the document's name
// for it, so that loading the new file finds it; failing to write it leaves
// the sentence file without titles.
void CNewFileWizardDlg::Save(const qs::StringList& sentences, const qs::StringList& titles) {
    const SaveTextFileChoice choice = ChooseSaveTextFile(Hwnd(), qs::GetAppFilePath(""), {});
    if (choice.refused) return;
    if (!choice.path) {
        EndDialog(IDCANCEL);
        return;
    }
    const std::string& path = *choice.path;
    if (!fw::WriteFileSafely(path, qs::WriteListText(sentences))) {
        fw::ShowMessageBox(Hwnd(), fw::FormatOne(fw::LoadResString(IDS_OPEN_FAILED), fw::Widen(path)), MB_OK);
        return;
    }
    fw::WriteFileSafely(CQuillstackDoc::TitlePath(path), qs::WriteListText(titles));
    fileName_ = path;
    EndDialog(IDOK);
}

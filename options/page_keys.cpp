#include "options/page_keys.h"

#include "dialogs/shortcut_key.h"
#include "framework/data_exchange.h"
#include "res/resource.h"

QPropPageFourth::QPropPageFourth() : COptionPage(IDD_OPTIONS_KEYS, kHelpContext) {}

void QPropPageFourth::FromSettings(const qs::Settings& settings) {
    useKeys_ = settings.UseSCKey;
    useNumPad_ = settings.UseNumPad;
    additional_ = settings.AdditionalCode;
    codes_ = settings.KeyCode;
    if (!useNumPad_) qs::NormalizeKeyCodes(codes_);
}

void QPropPageFourth::ToSettings(qs::Settings& settings) {
    settings.UseSCKey = useKeys_;
    settings.UseNumPad = useNumPad_;
    settings.AdditionalCode = additional_;
    if (!useNumPad_) qs::NormalizeKeyCodes(codes_);
    settings.KeyCode = codes_;
}

BOOL QPropPageFourth::OnInitDialog() {
    const BOOL result = COptionPage::OnInitDialog();
    EnableDependents();
    return result;
}

void QPropPageFourth::Exchange(bool save) {
    fw::ExchangeCheck(Item(IDC_OPT_USE_KEYS), useKeys_, save);
    fw::ExchangeRadio(Hwnd(), {IDC_OPT_MOD_NONE, IDC_OPT_MOD_SHIFT, IDC_OPT_MOD_CTRL}, additional_, save);
    fw::ExchangeCheck(Item(IDC_OPT_USE_NUMPAD), useNumPad_, save);
}

void QPropPageFourth::EnableDependents() const {
    for (int id : {IDC_OPT_MOD_NONE, IDC_OPT_MOD_SHIFT, IDC_OPT_MOD_CTRL, IDC_OPT_USE_NUMPAD, IDC_OPT_SET_KEYS}) {
        EnableWindow(Item(id), useKeys_);
    }
}

bool QPropPageFourth::OnCommand(UINT id, UINT code, HWND control) {
    if (code != BN_CLICKED) return COptionPage::OnCommand(id, code, control);
    switch (id) {
    case IDC_OPT_USE_KEYS:
        Exchange(true);
        EnableDependents();
        return true;
    case IDC_OPT_SET_KEYS:
        OnSetKeys();
        return true;
    case IDC_OPT_DEFAULTS:
        COptionPage::OnCommand(id, code, control);
        EnableDependents();
        return true;
    default:
        return COptionPage::OnCommand(id, code, control);
    }
}

// Owned by the sheet, which waits meanwhile: its OK cannot end the page
// under the open dialog. Cancel keeps the codes the page had.
void QPropPageFourth::OnSetKeys() {
    CShortcutKeyDlg dialog;
    dialog.SetKeys(codes_);
    if (dialog.DoModal(Sheet()) == IDOK) dialog.GetKeys(codes_);
}

void QPropPageFourth::OnDefaults() {
    FromSettings(qs::Settings{});
}

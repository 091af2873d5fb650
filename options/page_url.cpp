#include "options/page_url.h"

#include "core/settings_text.h"
#include "framework/data_exchange.h"
#include "framework/text.h"
#include "res/resource.h"

QPropPageFifth::QPropPageFifth() : COptionPage(IDD_OPTIONS_URL, kHelpContext) {}

void QPropPageFifth::FromSettings(const qs::StringList& urlBegin, const qs::StringList& urlEnd) {
    begin_ = qs::JoinTokens(urlBegin);
    end_ = qs::JoinTokens(urlEnd);
}

// Cut as the settings file is read: leading blanks go, trailing blanks
// stay, a repeat is kept once, and an empty entry ends the list.
void QPropPageFifth::ToSettings(qs::StringList& urlBegin, qs::StringList& urlEnd) const {
    urlBegin.RemoveAll();
    urlEnd.RemoveAll();
    qs::AppendTokens(begin_, urlBegin);
    qs::AppendTokens(end_, urlEnd);
}

BOOL QPropPageFifth::OnInitDialog() {
    SetWindowTextW(Item(IDC_OPT_URL_BEGIN_DEFAULT), fw::LoadResString(IDS_URL_BEGIN_DEFAULT).c_str());
    SetWindowTextW(Item(IDC_OPT_URL_END_DEFAULT), fw::LoadResString(IDS_URL_END_DEFAULT).c_str());
    return COptionPage::OnInitDialog();
}

void QPropPageFifth::Exchange(bool save) {
    fw::ExchangeText(Item(IDC_OPT_URL_BEGIN), begin_, save);
    fw::ExchangeText(Item(IDC_OPT_URL_END), end_, save);
}

void QPropPageFifth::OnDefaults() {
    begin_.clear();
    end_.clear();
}

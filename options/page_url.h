// "URL履歴": the user's strings that start and end a web address, besides
// the built-in ones the page only names.
#pragma once

#include <string>

#include "core/string_list.h"
#include "options/option_page.h"

class QPropPageFifth : public COptionPage {
public:
    static constexpr int kHelpContext = 52;

    QPropPageFifth();
    void FromSettings(const qs::StringList& urlBegin, const qs::StringList& urlEnd);
    void ToSettings(qs::StringList& urlBegin, qs::StringList& urlEnd) const;

protected:
    BOOL OnInitDialog() override;
    void Exchange(bool save) override;
    void OnDefaults() override;

private:
    // The entries joined by commas, as the edits show them.
    std::string begin_;
    std::string end_;
};

// "一般２": the start file, how many recent files the menus offer (and
// clearing them), what the buttons show, and the lists' maximum.
#pragma once

#include <string>

#include "core/settings.h"
#include "core/string_list.h"
#include "options/option_page.h"

class QPropPageThird : public COptionPage {
public:
    static constexpr int kHelpContext = 50;

    QPropPageThird();
    // The recent files are the document's own: clearing them acts at once.
    void FromSettings(const qs::Settings& settings, qs::StringList& recentFiles);
    // May tell the user that the start file is not valid.
    void ToSettings(qs::Settings& settings) const;

protected:
    void Exchange(bool save) override;
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnDefaults() override;

private:
    // The fields' values; what was read stays as it was.
    void ShowValues(const qs::Settings& settings);
    std::string CheckedStartFile() const;
    void OnClearRecent();
    void OnBrowse();

    std::string defaultStartFile_;
    std::string startFile_;
    int recentIndex_ = 0;
    int viewIndex_ = 0;
    std::string maxCountText_;
    // As read, so that a maximum the user left alone stays as it was.
    std::string readMaxCountText_;
    int readMaxCount_ = 0;
    qs::StringList* recentFiles_ = nullptr;
};

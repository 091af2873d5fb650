// "日付と時刻": the date and time formats and the clock button's template.
#pragma once

#include <string>

#include "core/settings.h"
#include "options/option_page.h"

class QPropPageSecond : public COptionPage {
public:
    static constexpr int kHelpContext = 51;

    QPropPageSecond();
    void FromSettings(const qs::Settings& settings);
    void ToSettings(qs::Settings& settings) const;

protected:
    void Exchange(bool save) override;
    void OnDefaults() override;

private:
    int date_ = 0;
    int time_ = 0;
    std::string template_;
};

#include "options/page_date_time.h"

#include "framework/data_exchange.h"
#include "res/resource.h"

QPropPageSecond::QPropPageSecond() : COptionPage(IDD_OPTIONS_DATETIME, kHelpContext) {}

void QPropPageSecond::FromSettings(const qs::Settings& settings) {
    date_ = settings.Date;
    time_ = settings.Time;
    template_ = settings.TimeCopyTemplate;
}

void QPropPageSecond::ToSettings(qs::Settings& settings) const {
    settings.Date = date_;
    settings.Time = time_;
    settings.TimeCopyTemplate = template_;
}

void QPropPageSecond::Exchange(bool save) {
    fw::ExchangeRadio(Hwnd(), {IDC_OPT_DATE_ENGLISH, IDC_OPT_DATE_SLASH, IDC_OPT_DATE_KANJI}, date_, save);
    fw::ExchangeRadio(Hwnd(), {IDC_OPT_TIME_COLON, IDC_OPT_TIME_KANJI}, time_, save);
    fw::ExchangeText(Item(IDC_OPT_TEMPLATE), template_, save);
}

void QPropPageSecond::OnDefaults() {
    const qs::Settings defaults;
    date_ = defaults.Date;
    time_ = defaults.Time;
    template_ = defaults.TimeCopyTemplate;
}

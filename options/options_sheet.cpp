#include "options/options_sheet.h"

#include "data/quillstack_doc.h"
#include "framework/text.h"
#include "options/page_date_time.h"
#include "options/page_general1.h"
#include "options/page_general2.h"
#include "options/page_keys.h"
#include "options/page_url.h"
#include "res/resource.h"

bool RunOptionsSheet(HWND owner, CQuillstackDoc& document, bool firstInstance) {
    qs::Settings& settings = document.m_Settings;
    fw::PropSheet sheet(fw::LoadResString(IDS_OPTIONS_CAPTION));
    QPropPageFirst general1;
    QPropPageThird general2;
    QPropPageSecond dateTime;
    QPropPageFifth url;
    QPropPageFourth keys;
    general1.FromSettings(settings);
    dateTime.FromSettings(settings);
    general2.FromSettings(settings, document.m_RecentFiles);
    url.FromSettings(document.m_UrlBegin, document.m_UrlEnd);
    if (firstInstance) keys.FromSettings(settings);

    sheet.AddPage(general1);
    sheet.AddPage(general2);
    sheet.AddPage(dateTime);
    sheet.AddPage(url);
    if (firstInstance) sheet.AddPage(keys);
    if (!sheet.DoModal(owner)) return false;

    general1.ToSettings(settings);
    dateTime.ToSettings(settings);
    general2.ToSettings(settings);
    url.ToSettings(document.m_UrlBegin, document.m_UrlEnd);
    if (firstInstance) keys.ToSettings(settings);
    return true;
}

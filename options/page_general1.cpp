#include "options/page_general1.h"

#include "framework/common_dialogs.h"
#include "framework/data_exchange.h"
#include "framework/handles.h"
#include "res/resource.h"

QPropPageFirst::QPropPageFirst() : COptionPage(IDD_OPTIONS_GENERAL1, kHelpContext) {}

void QPropPageFirst::FromSettings(const qs::Settings& settings) {
    minimize_ = settings.Minimize;
    saveWithDialog_ = settings.SaveWithDialog;
    showTopMost_ = settings.ShowTopMost;
    enableTimeTag_ = settings.EnableTimeTag;
    initIcon_ = settings.InitIcon;
    colour_ = settings.BkColor;
}

void QPropPageFirst::ToSettings(qs::Settings& settings) const {
    settings.Minimize = minimize_;
    settings.SaveWithDialog = saveWithDialog_;
    settings.ShowTopMost = showTopMost_;
    settings.EnableTimeTag = enableTimeTag_;
    settings.InitIcon = initIcon_;
    settings.BkColor = colour_;
}

void QPropPageFirst::Exchange(bool save) {
    fw::ExchangeRadio(Hwnd(), {IDC_OPT_MIN_WINDOWS, IDC_OPT_MIN_MAC, IDC_OPT_MIN_ANIMATED, IDC_OPT_MIN_ICON}, minimize_,
                      save);
    fw::ExchangeCheck(Item(IDC_OPT_SAVE_DIALOG), saveWithDialog_, save);
    fw::ExchangeCheck(Item(IDC_OPT_TIME_TAG), enableTimeTag_, save);
    fw::ExchangeCheck(Item(IDC_OPT_TOPMOST), showTopMost_, save);
    fw::ExchangeCheck(Item(IDC_OPT_INIT_ICON), initIcon_, save);
}

bool QPropPageFirst::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_OPT_CHOOSE_COLOUR && code == BN_CLICKED) {
        OnChooseColour();
        return true;
    }
    return COptionPage::OnCommand(id, code, control);
}

void QPropPageFirst::OnChooseColour() {
    if (std::optional<COLORREF> chosen = fw::RunColourDialog(Sheet(), colour_)) {
        colour_ = *chosen;
        InvalidateRect(Item(IDC_OPT_SWATCH), nullptr, FALSE);
    }
}

// The swatch is nothing but the page's colour.
void QPropPageFirst::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != IDC_OPT_SWATCH) return;
    fw::BrushHandle brush(CreateSolidBrush(colour_));
    FillRect(item.hDC, &item.rcItem, brush.Get());
}

void QPropPageFirst::OnDefaults() {
    FromSettings(qs::Settings{});
    InvalidateRect(Item(IDC_OPT_SWATCH), nullptr, FALSE);
}

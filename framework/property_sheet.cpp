#include "framework/property_sheet.h"

namespace fw {
namespace {

// A page's WM_INITDIALOG carries the page's record, which holds the object;
// the dialog thunk binds the window to it from there on.
INT_PTR CALLBACK PageProcThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        return DialogProcThunk(window, message, wParam, page ? page->lParam : 0);
    }
    return DialogProcThunk(window, message, wParam, lParam);
}

}  // namespace

PROPSHEETPAGEW PropertyPage::Describe() {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.hInstance = ModuleInstance();
    page.pszTemplate = MAKEINTRESOURCEW(templateId_);
    page.pfnDlgProc = PageProcThunk;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

BOOL PropertyPage::OnInitDialog() {
    Exchange(false);
    return TRUE;
}

bool PropertyPage::OnCommand(UINT, UINT, HWND) {
    return false;
}

void PropertyPage::OnApply() {
    Exchange(true);
    applied_ = true;
}

LRESULT PropertyPage::OnNotify(const NMHDR& header) {
    if (header.code == PSN_APPLY) {
        OnApply();
        return PSNRET_NOERROR;
    }
    return 0;
}

LRESULT PropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        break;
    }
    return DefProc(message, wParam, lParam);
}

// What PropertySheet returns tells whether a page reported changes (none
// do here), and Wine answers differently from Windows: OK is known from
// the pages instead.
bool PropSheet::DoModal(HWND owner) {
    std::vector<PROPSHEETPAGEW> pages;
    for (PropertyPage* page : pages_) pages.push_back(page->Describe());
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    // Nothing takes effect before OK, so no "Apply"; help is the pages' own button.
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = ModuleInstance();
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.ppsp = pages.data();
    PropertySheetW(&header);
    for (PropertyPage* page : pages_) {
        if (page->Applied()) return true;
    }
    return false;
}

}  // namespace fw

// Property sheets (PropSheet: the system headers take the plain name as a
// macro): a modal sheet of pages, each page built from a dialog
// template whose caption names its tab.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/window.h"

namespace fw {

class PropertyPage : public Wnd {
public:
    explicit PropertyPage(UINT templateId) : templateId_(templateId) {}

    // The page took the sheet's OK: only pages that were shown hear of it.
    bool Applied() const { return applied_; }
    // The record the sheet builds the page from.
    PROPSHEETPAGEW Describe();

protected:
    // Moves the members to the controls (save = false) or back (save = true).
    virtual void Exchange(bool save) { (void)save; }
    virtual BOOL OnInitDialog();
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual void OnDrawItem(const DRAWITEMSTRUCT& item) { (void)item; }
    // OK on the sheet: the controls are read into the members.
    virtual void OnApply();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }
    // The sheet's window, which owns every page.
    HWND Sheet() const { return GetParent(Hwnd()); }

private:
    LRESULT OnNotify(const NMHDR& header);

    UINT templateId_;
    bool applied_ = false;
};

class PropSheet {
public:
    explicit PropSheet(std::wstring caption) : caption_(std::move(caption)) {}

    void AddPage(PropertyPage& page) { pages_.push_back(&page); }
    // Runs the sheet, first page selected; true when it closed with OK.
    bool DoModal(HWND owner);

private:
    std::wstring caption_;
    std::vector<PropertyPage*> pages_;
};

}  // namespace fw

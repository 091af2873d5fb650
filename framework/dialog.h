// Dialogs from templates in the resources: modal, or modeless and fed by the
// application's message loop.
#pragma once

#include "framework/window.h"

namespace fw {

class Dialog : public Wnd {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}

    INT_PTR DoModal(HWND parent);
    // Owned by the main window, like every dialog made without a parent.
    INT_PTR DoModal();
    bool CreateModeless(HWND parent);
    void EndDialog(INT_PTR result);

protected:
    // Moves the members to the controls (save = false) or back (save = true).
    virtual void Exchange(bool save) { (void)save; }
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual bool OnCommand(UINT id, UINT code, HWND control);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT TemplateId() const { return templateId_; }

private:
    UINT templateId_;
    bool modal_ = false;
};

// Keeps a window disabled for the scope's lifetime, as a modal window
// disables its owner: the main window, while a modal window that another of
// the program's windows owns runs. Enabled again only if it was before.
class DisabledScope {
public:
    explicit DisabledScope(HWND window)
        : window_(window && IsWindowEnabled(window) ? window : nullptr) {
        if (window_) EnableWindow(window_, FALSE);
    }
    ~DisabledScope() {
        if (window_ && IsWindow(window_)) EnableWindow(window_, TRUE);
    }
    DisabledScope(const DisabledScope&) = delete;
    DisabledScope& operator=(const DisabledScope&) = delete;

private:
    HWND window_;
};

// Creates a window from a dialog template and binds it to `self` from
// WM_INITDIALOG on.
HWND CreateDialogWindow(Wnd* self, UINT templateId, HWND parent);

}  // namespace fw

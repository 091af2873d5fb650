// Views: the frame's client window onto the document. A form view is built
// from a dialog template.
#pragma once

#include "framework/window.h"

namespace fw {

class Document;

class View : public Wnd {
public:
    Document* GetDocument() const { return document_; }
    virtual bool CreateView(HWND parent, Document* document) = 0;
    // Runs once, after the view window and the document exist.
    virtual void OnInitialUpdate() {}

protected:
    virtual void OnDraw(HDC dc) { (void)dc; }
    Document* document_ = nullptr;
};

class FormView : public View {
public:
    explicit FormView(UINT templateId) : templateId_(templateId) {}
    bool CreateView(HWND parent, Document* document) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Control(int id) const { return GetDlgItem(Hwnd(), id); }

private:
    void OnPaint();
    void FitToParent();
    UINT templateId_;
};

}  // namespace fw

// The main frame: menu, accelerators and caption from one resource id; holds
// the active view and routes commands view -> frame -> application.
#pragma once

#include <string>

#include "framework/handles.h"
#include "framework/window.h"

namespace fw {

class View;
class Document;

class FrameWnd : public Wnd {
public:
    // Creates the window with menu, accelerators and icon of `resourceId`.
    bool LoadFrame(UINT resourceId);

    View* GetActiveView() const { return activeView_; }
    void SetActiveView(View* view);
    Document* GetActiveDocument() const;
    HACCEL Accelerators() const { return accelerators_; }

    // Caption: "document title - application title".
    void OnUpdateFrameTitle();
    // Sizes the view to the client area.
    void RecalcLayout();
    bool RouteCommand(UINT id, CommandCall call);

protected:
    // Last chance to change size and style before the window exists.
    virtual bool PreCreateWindow(CREATESTRUCTW& create) { (void)create; return true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    void OnCommand(UINT id, HWND control);
    void OnClose();
    void OnInitMenuPopup(HMENU menu, bool windowMenu);

    View* activeView_ = nullptr;
    HACCEL accelerators_ = nullptr;
    std::wstring appTitle_;
};

}  // namespace fw

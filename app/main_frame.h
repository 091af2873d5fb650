// The program's only top-level window: small, fixed in size, holding the
// form view with the eight buttons.
#pragma once

#include "framework/frame_window.h"

class CMainFrame : public fw::FrameWnd {
public:
    static constexpr int kWidth = 150;
    static constexpr int kHeight = 270;

protected:
    bool PreCreateWindow(CREATESTRUCTW& create) override;
};

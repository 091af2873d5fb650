#include "app/main_frame.h"

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& create) {
    create.cx = kWidth;
    create.cy = kHeight;
    // Neither resized nor maximised: the caption, system menu and minimise
    // box stay.
    create.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    return fw::FrameWnd::PreCreateWindow(create);
}

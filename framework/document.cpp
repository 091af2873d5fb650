#include "framework/document.h"

#include "framework/app.h"
#include "framework/frame_window.h"
#include "framework/framework_ids.h"
#include "framework/text.h"

namespace fw {

Document::Document() : title_(LoadResString(IDS_UNTITLED)) {}

void Document::SetTitle(std::wstring title) {
    title_ = std::move(title);
    if (WinApp* app = WinApp::Current()) {
        if (FrameWnd* frame = app->MainFrame()) frame->OnUpdateFrameTitle();
    }
}

}  // namespace fw

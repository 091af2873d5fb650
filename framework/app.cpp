#include "framework/app.h"

#include <shellapi.h>

#include <algorithm>

#include "framework/document.h"
#include "framework/frame_window.h"
#include "framework/framework_ids.h"
#include "framework/handles.h"
#include "framework/message_box.h"
#include "framework/text.h"
#include "framework/view.h"

namespace fw {
namespace {

WinApp* g_current = nullptr;

// The arguments part of the process command line, after the program name.
std::wstring ArgumentsPart(const wchar_t* line) {
    const wchar_t* p = line;
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

// Opened by the name the program will use, in the ANSI code page: a name
// that has no form there cannot be opened by it.
bool CanOpenForReading(const std::wstring& path) {
    const std::optional<std::string> ansi = NarrowExactly(path);
    if (!ansi) return false;
    FileHandle file(CreateFileA(ansi->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

}  // namespace

std::wstring FileArgument(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(commandLine, &count);
    if (!args) return {};
    std::wstring file;
    for (int i = 1; i < count; ++i) {
        if (args[i][0] == L'-' || args[i][0] == L'/') continue;
        file = args[i];
        break;
    }
    LocalFree(args);
    return file;
}

WinApp::WinApp() {
    g_current = this;
}

WinApp::~WinApp() {
    if (g_current == this) g_current = nullptr;
}

WinApp* WinApp::Current() {
    return g_current;
}

HWND MainWindow() {
    WinApp* app = WinApp::Current();
    FrameWnd* frame = app ? app->MainFrame() : nullptr;
    return frame ? frame->Hwnd() : nullptr;
}

void TrackMenu(HMENU menu, POINT screen) {
    if (HWND frame = MainWindow()) TrackPopupMenu(menu, TPM_LEFTALIGN, screen.x, screen.y, 0, frame, nullptr);
}

int WinApp::Main(HINSTANCE, int) {
    commandLine_ = Narrow(ArgumentsPart(GetCommandLineW()));
    int result = 0;
    if (InitInstance()) result = Run();
    ExitInstance();
    return result;
}

View* WinApp::ActiveView() const {
    return frame_ ? frame_->GetActiveView() : nullptr;
}

Document* WinApp::ActiveDocument() const {
    return frame_ ? frame_->GetActiveDocument() : nullptr;
}

bool WinApp::OnCmdMsg(UINT id, CommandCall call) {
    switch (id) {
    case ID_APP_EXIT:
        return Handle(call, [this] { OnAppExit(); });
    default:
        return false;
    }
}

void WinApp::OnAppExit() {
    if (frame_ && frame_->Hwnd()) PostMessageW(frame_->Hwnd(), WM_CLOSE, 0, 0);
}

void WinApp::AddModeless(HWND window) {
    modeless_.push_back(window);
}

void WinApp::RemoveModeless(HWND window) {
    std::erase(modeless_, window);
}

void WinApp::EndSession() {
    endingSession_ = true;
    ExitInstance();
}

void WinApp::ExitInstance() {
    if (exited_) return;
    exited_ = true;
    // The frame's window is gone by now; its object and the view's go before
    // the document, whose destruction writes what it keeps.
    if (frame_ && frame_->Hwnd()) frame_->DestroyWindow();
    // At the end of a session this runs inside the frame's own handler: its
    // object must outlive the call, and the process ends right after.
    if (!endingSession_) {
        view_.reset();
        frame_.reset();
    }
    document_.reset();
}

bool WinApp::ProcessShellCommand() {
    std::wstring file = FileArgument(GetCommandLineW());
    if (!file.empty() && !CanOpenForReading(file)) {
        ShowMessageBox(nullptr, FormatOne(LoadResString(IDS_CMDLINE_OPEN_FAILED), file),
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return OpenDocument();
}

bool WinApp::OpenDocument() {
    document_ = template_.newDocument();
    frame_ = template_.newFrame();
    view_ = template_.newView();
    if (!frame_->LoadFrame(template_.resourceId)) return false;
    if (!view_->CreateView(frame_->Hwnd(), document_.get())) return false;
    frame_->SetActiveView(view_.get());
    if (!document_->OnNewDocument()) return false;
    view_->OnInitialUpdate();
    frame_->OnUpdateFrameTitle();
    return true;
}

bool WinApp::PreTranslateMessage(MSG& message) {
    HWND main = frame_ ? frame_->Hwnd() : nullptr;
    if (main && (message.hwnd == main || IsChild(main, message.hwnd)) && frame_->Accelerators() &&
        TranslateAcceleratorW(main, frame_->Accelerators(), &message)) {
        return true;
    }
    // Found first and handled after the search: a dialog message may destroy
    // a window and so change the list.
    const auto owner = std::find_if(modeless_.begin(), modeless_.end(), [&message](HWND window) {
        return message.hwnd == window || IsChild(window, message.hwnd);
    });
    return owner != modeless_.end() && IsDialogMessageW(*owner, &message);
}

int WinApp::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace fw

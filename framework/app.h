// The application object: one per process. Creates the single-document
// structure, runs the message loop and tears everything down in order.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/window.h"

namespace fw {

class Document;
class FrameWnd;
class View;

// Makes the three objects of the single-document structure.
struct DocTemplate {
    UINT resourceId = 0;
    std::function<std::unique_ptr<Document>()> newDocument;
    std::function<std::unique_ptr<FrameWnd>()> newFrame;
    std::function<std::unique_ptr<View>()> newView;
};

class WinApp {
public:
    WinApp();
    virtual ~WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;

    static WinApp* Current();

    // The body of the entry point.
    int Main(HINSTANCE instance, int showCommand);

    FrameWnd* MainFrame() const { return frame_.get(); }
    View* ActiveView() const;
    Document* ActiveDocument() const;

    // The command line after the program's name, in the ANSI code page.
    const std::string& CommandLine() const { return commandLine_; }

    // Routed last, after the view, the document and the frame.
    virtual bool OnCmdMsg(UINT id, CommandCall call);

    // Windows whose keyboard input goes through IsDialogMessage.
    void AddModeless(HWND window);
    void RemoveModeless(HWND window);

    // The session ends: the process will not get back from this message, so
    // tear down now exactly as at a normal exit.
    void EndSession();

protected:
    virtual bool InitInstance() = 0;
    // Destroys the view, the frame and then the document, in that order.
    virtual void ExitInstance();

    void SetDocTemplate(DocTemplate docTemplate) { template_ = std::move(docTemplate); }
    // The file argument of the command line is checked first: one that
    // cannot be opened is reported and nothing is created.
    bool ProcessShellCommand();
    void OnAppExit();

private:
    bool OpenDocument();
    bool PreTranslateMessage(MSG& message);
    int Run();

    DocTemplate template_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<FrameWnd> frame_;
    std::unique_ptr<View> view_;
    std::vector<HWND> modeless_;
    std::string commandLine_;
    bool exited_ = false;
    bool endingSession_ = false;
};

// The main frame's window, or null before it exists and after it went (and
// in tests that make no application).
HWND MainWindow();

// Shows a pop-up menu at a screen point with the main frame as its owner, so
// that its items are grayed and its commands routed like the menu bar's.
void TrackMenu(HMENU menu, POINT screen);

// The file argument of a command line (the first argument that is not a
// switch starting with '-' or '/'), or empty.
std::wstring FileArgument(const wchar_t* commandLine);

}  // namespace fw

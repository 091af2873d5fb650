// End-to-end harness: runs the real Quillstack.exe in a fresh folder and
// works it through its windows, the clipboard and its files, as another
// program on the same desktop would.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace e2e {

using namespace std::chrono_literals;

// Serves the messages of the test's own windows (the program sends some to
// them: the clipboard owner hears when the program empties the clipboard).
void Pump();

// Polls `condition` until it holds or `timeout` passes.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = 10s) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Pump();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
}

// Text in the ANSI code page (932 here) from UTF-8 source literals.
std::string Ansi(std::string_view utf8);
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// The built program, as a path Wine understands.
std::wstring ProgramPath();

// A new, empty folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }
    std::string AnsiFile(std::string_view utf8Name) const;

private:
    std::wstring path_;
};

bool FileExists(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);

// The single-instance atom that a killed earlier run may have left.
void RemoveInstanceAtom();
bool InstanceAtomExists();

// The clipboard, written and read by this test process.
class ClipboardWriter {
public:
    ClipboardWriter();
    ~ClipboardWriter();
    HWND Window() const { return window_; }
    // Puts ANSI text on the clipboard with this process's window as owner
    // (or with no owner at all).
    bool Put(std::string_view ansi, bool withOwner = true);
    // A bitmap only, no text.
    bool PutBitmap();

private:
    HWND window_ = nullptr;
};
std::string ClipboardText();

// One running copy of the program.
class Program {
public:
    // Copies the program into `folder` and starts it there.
    Program(const TempFolder& folder, std::wstring_view arguments = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    // Waits for the process to end; false on time-out.
    bool WaitExit(std::chrono::milliseconds timeout = 15s) const;
    DWORD ExitCode() const;

    // The frame window once it is shown, or null on time-out.
    HWND WaitFrame(std::chrono::milliseconds timeout = 15s);
    HWND Frame() const { return frame_; }
    HWND View() const;
    HWND Control(int id) const;
    std::string SlotText(int slot) const;  // UTF-8
    std::vector<std::string> SlotTexts() const;

    // Posts a menu command to the frame.
    void Command(UINT id) const;
    // Posts a click to a button of the form.
    void Click(int controlId) const;
    // The exit command, then waits for the process to end.
    bool Exit();

    // The top-level dialog or message box of this process that is not the
    // frame, or null on time-out.
    HWND WaitDialog(std::chrono::milliseconds timeout = 10s) const;
    // Every static text of a dialog, joined by line feeds (UTF-8).
    static std::string DialogText(HWND dialog);
    // Presses a dialog's button by its id.
    static void PressButton(HWND dialog, int id);

    // Windows of this process, top-level.
    std::vector<HWND> TopWindows() const;

private:
    PROCESS_INFORMATION info_{};
    HWND frame_ = nullptr;
};

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Each test starts with no atom left over and its own folder.
class E2eTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveInstanceAtom(); }
    TempFolder folder;
};

}  // namespace e2e

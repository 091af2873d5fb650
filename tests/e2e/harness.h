// End-to-end harness: runs the real Quillstack.exe in a fresh folder and
// works it through its windows, the clipboard and its files, as another
// program on the same desktop would.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
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

// The bytes of a list file (sentences, titles) holding these ANSI entries.
std::string ListFileBytes(const std::vector<std::string>& entries);

// Leaves the clipboard empty, so a program started next finds nothing to
// record from an earlier test.
void EmptyTheClipboard();

// The pop-up menu that a program shows (class "#32768"), or null on time-out.
HWND WaitPopupMenu(const Program& program, std::chrono::milliseconds timeout = 10s);
// Works an open pop-up menu with the keyboard: Home selects the first item,
// then `downs` presses of the down arrow (separators are skipped) and Enter,
// and Escape when Enter left the menu open. False when the menu stays.
bool ChooseFromPopupMenu(HWND menu, int downs);


// A file held open without sharing, as another program may hold it: the
// program can neither read nor replace it until it is closed.
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path);
    ~HeldFile() { Close(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Registers the clipboard's text into a slot as the user does: a right-button
// press on the slot's button, then "クリップボードから登録" (the third item)
// chosen with the keyboard. True once the slot's caption has changed.
bool RegisterClipboardIntoSlot(const Program& program, int slot);

// A bare clipboard viewer of the test process that behaves as every viewer
// must: it passes each change notification on to the next viewer and keeps
// the chain whole when another viewer leaves. It counts the notifications.
// It lives on the thread that creates it, which must serve its messages.
class ClipboardViewer {
public:
    ClipboardViewer();   // joins the chain, at its head
    ~ClipboardViewer();  // leaves the chain if still in it
    ClipboardViewer(const ClipboardViewer&) = delete;
    ClipboardViewer& operator=(const ClipboardViewer&) = delete;

    void Leave();
    HWND Window() const { return window_; }
    int Notifications() const { return notifications_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    HWND next_ = nullptr;
    bool joined_ = false;
    int notifications_ = 0;
};

// Runs `change`, something that changes the clipboard, and waits until
// `tail` hears of it. A viewer that joined the chain before the program
// hears of each change only once the program has dealt with it, whether it
// recorded it or not: the program passes notifications on at the end.
// (A message sent to the program does not tell: the program may answer it
// before it takes the notification.)
template <class Change>
bool WaitHandled(const ClipboardViewer& tail, Change change, std::chrono::milliseconds timeout = 10s) {
    const int heard = tail.Notifications();
    return change() && WaitUntil([&] { return tail.Notifications() > heard; }, timeout);
}

// Writes the settings file beside the program with only these lines: the
// program finds each key wherever it stands and keeps the default of the
// others.
void WriteSettings(const TempFolder& folder, const std::vector<std::string_view>& lines);

// True once the program's view answers a message sent to it now: the
// program is not hung. (Clipboard notifications may still be pending: see
// WaitHandled.)
bool Answers(const Program& program, std::chrono::milliseconds timeout = 5s);

// Sends the frame a command that opens no window; returns once it is done.
bool SendCommand(const Program& program, UINT id);

// True once the eight slot captions read `expected` (UTF-8; slots past its
// end "未登録"); on time-out the failure shows what they read.
::testing::AssertionResult SlotsShow(const Program& program, std::vector<std::string> expected,
                                     std::chrono::milliseconds timeout = 10s);

// The clipboard's text once its sequence number has moved on from
// `sequence` (taken with GetClipboardSequenceNumber before the change), or
// nothing on time-out. Waiting on the number instead of reading the text
// again and again keeps the clipboard free for the program meanwhile.
std::optional<std::string> ClipboardTextAfter(DWORD sequence, std::chrono::milliseconds timeout = 10s);

}  // namespace e2e

// End-to-end harness: runs the real Quillstack.exe in a fresh folder and
// works it through its windows, the clipboard and its files, as another
// program on the same desktop would.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/test_files.h"

namespace e2e {

// Waiting while serving the test's own windows, text conversions, files,
// folders and the clipboard come from the helpers shared with the Windows
// unit tests (a helper of a test file's own, of the same name, comes first).
using namespace qstest;

// The single-instance atom that a killed earlier run may have left.
void RemoveInstanceAtom();
bool InstanceAtomExists();

// The clipboard, written and read by this test process.
class ClipboardWriter {
public:
    HWND Window() const { return window_.get(); }
    // Puts ANSI text on the clipboard with this process's window as owner
    // (or with no owner at all).
    bool Put(std::string_view ansi, bool withOwner = true);
    // A bitmap only, no text.
    bool PutBitmap();

private:
    qstest::OwnedWindow window_ = qstest::MessageWindow();
};

// One running copy of the program.
class Program {
public:
    // Copies the program into `folder` and starts it there.
    Program(const TempFolder& folder, std::wstring_view arguments = L"") : Program(folder.Path(), arguments) {}
    // The same in any folder; what the folder already holds is used as it is.
    Program(const std::wstring& folder, std::wstring_view arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    // Waits for the process to end; false on time-out.
    bool WaitExit(std::chrono::milliseconds timeout = 15s) const;
    DWORD ExitCode() const;

    // A visible (or any, when not `shown`) top-level window of this process
    // of class `className`, other than the frame and `except`, once there
    // is one; null on time-out or when the process ends.
    HWND WaitWindow(const wchar_t* className, std::chrono::milliseconds timeout = 10s, bool shown = true,
                    HWND except = nullptr) const;
    // The frame window once it is shown, or only once it exists (a start
    // iconised hides it at once); null on time-out.
    HWND WaitFrame(bool shown = true);
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

    // A dialog or message box of this process (other than `except`, one
    // still open under it), or null on time-out.
    HWND WaitDialog(HWND except = nullptr) const { return WaitWindow(L"#32770", 10s, true, except); }
    // The pop-up menu it shows, or null on time-out.
    HWND WaitPopupMenu() const { return WaitWindow(L"#32768"); }
    // Every static text of a dialog, joined by line feeds (UTF-8).
    static std::string DialogText(HWND dialog);
    // Presses a dialog's button by its id.
    static void PressButton(HWND dialog, int id);

    // Windows of this process, top-level.
    std::vector<HWND> TopWindows() const;

    // WaitWindow (and so WaitDialog) passes this window by from now on: one
    // that stays on show (a modeless window, a dialog under the one awaited).
    void IgnoreWindow(HWND window) { ignored_.push_back(window); }

private:
    PROCESS_INFORMATION info_{};
    HWND frame_ = nullptr;
    std::vector<HWND> ignored_;
};

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);

// Each test starts with no atom left over and its own folder.
class E2eTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveInstanceAtom(); }
    TempFolder folder;
};

// Works an open pop-up menu with the keyboard: Home selects the first item,
// then `downs` presses of the down arrow (separators are skipped) and Enter,
// and Escape when Enter left the menu open. False when the menu stays.
bool ChooseFromPopupMenu(HWND menu, int downs);
// The same with any keys, ending with Enter (arrow keys wrap around).
bool PressInPopupMenu(HWND menu, const std::vector<WPARAM>& keys);

// Changes (NIM_MODIFY) or removes (NIM_DELETE) a frame's icon, id 100, as
// another program may; a change succeeds only while the icon exists.
bool NotifyTrayIcon(HWND frame, DWORD message);
inline bool TrayIconExists(HWND frame) { return NotifyTrayIcon(frame, NIM_MODIFY); }
// A mouse message (WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK) on the
// newest icon of the window Wine shows for the notification area, which
// passes it on to the icon's owner; false when there is no icon.
bool ClickTrayIcon(UINT mouseMessage);


// The Unix path of a Windows path, as Wine's launcher hands it on ("" when
// not under Wine).
std::string UnixPath(const std::wstring& path);

// While it lives, the shell opens .html pages with Wine's browser launcher,
// pointed at a small script that writes the address it is given into a
// file of `folder`; the tests' own Wine prefix has no program for .html
// otherwise.
class BrowserRecorder {
public:
    explicit BrowserRecorder(const std::wstring& folder);
    ~BrowserRecorder() { Forget(); }
    BrowserRecorder(const BrowserRecorder&) = delete;
    BrowserRecorder& operator=(const BrowserRecorder&) = delete;

    // The address of the page opened last, once there is one ("" on time-out).
    std::string WaitAddress() const;
    void Clear() const { DeleteFileW(address_.c_str()); }
    // No program for .html, as in a fresh prefix.
    static void Forget();

private:
    std::wstring address_;
};

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

// The options sheet: opened with its command (the dialog found other than
// `except`, a window of the program already open), one of its pages shown
// (null when there is none), and closed with OK or Cancel; true once it
// has gone and the program answers.
HWND OpenOptions(const Program& program, HWND except = nullptr);
HWND ShowOptionsPage(HWND sheet, int index);
bool CloseOptions(const Program& program, HWND sheet, bool ok);

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

// A test with a running program, watched through a viewer that joined the
// clipboard viewer chain before it (see WaitHandled); `writer` copies as
// another program does. The clipboard starts empty.
class ProgramTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        EmptyTheClipboard();
    }

    // A list file (sentences, titles) beside the program, of UTF-8 entries.
    void WriteList(std::wstring_view name, const std::vector<std::string>& utf8Entries) const {
        std::vector<std::string> entries;
        for (const std::string& entry : utf8Entries) entries.push_back(Ansi(entry));
        WriteBytes(folder.File(name), ListFileBytes(entries));
    }

    // Starts the program and, when `mode` is given, shows that list.
    bool Start(UINT mode = 0, std::wstring_view arguments = L"") {
        tail.emplace();
        program.emplace(folder, arguments);
        return program->WaitFrame() && (mode == 0 || SendCommand(*program, mode));
    }

    // Copies UTF-8 text as another program; true once the program has dealt with it.
    bool Copy(std::string_view utf8) {
        return WaitHandled(*tail, [&] { return writer.Put(Ansi(utf8)); });
    }

    // Runs `action`, which makes the program change the clipboard; the
    // clipboard's text once the program has dealt with its own change.
    template <class Action>
    std::optional<std::string> CopiedBy(Action action) {
        const DWORD sequence = GetClipboardSequenceNumber();
        std::optional<std::string> text;
        WaitHandled(*tail, [&] {
            action();
            text = ClipboardTextAfter(sequence);
            return text.has_value();
        });
        return text;
    }
    std::optional<std::string> PressSlot(int slot) {
        return CopiedBy([&] { program->Click(1000 + slot); });
    }

    // Presses a button with a sent BM_CLICK, so that the program is done with
    // the press on return; true when the clipboard was left alone.
    bool PressLeavesClipboard(int controlId) {
        const DWORD sequence = GetClipboardSequenceNumber();
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(program->Control(controlId), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result) &&
               GetClipboardSequenceNumber() == sequence;
    }

    // A right-button press on a slot, then item `item` of its pop-up menu
    // chosen with the keyboard.
    bool ChooseOnSlot(int slot, int item) {
        PostMessageW(program->Control(1000 + slot), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        HWND menu = program->WaitPopupMenu();
        return menu && ChooseFromPopupMenu(menu, item);
    }

    // Answers the program's open or save dialog: types `path` and presses
    // OK (and Yes when asked before a file is replaced), or Cancel without
    // a path. Returns what its folder box (by name) and name box showed.
    std::pair<std::wstring, std::wstring> AnswerFileDialog(const std::optional<std::wstring>& path,
                                                           bool replaces = false);

    // Answers the program's next message box with `button`, after checking
    // that its text holds `expected` (UTF-8).
    void AnswerBox(const std::string& expected, int button) {
        HWND box = program->WaitDialog();
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_NE(Program::DialogText(box).find(expected), std::string::npos) << Program::DialogText(box);
        Program::PressButton(box, button);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }

    ClipboardWriter writer;
    std::optional<ClipboardViewer> tail;
    std::optional<Program> program;
};

}  // namespace e2e

// End-to-end harness: runs the real Quillstack.exe in a fresh folder and
// works it as another program on the same desktop would.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/test_files.h"

namespace e2e {

using namespace qstest;

// The single-instance atom that a killed earlier run may have left.
void RemoveInstanceAtom();
bool InstanceAtomExists();

// Writes the clipboard as another program: ANSI text owned by this
// process's window (or by none), or a bitmap without text.
class ClipboardWriter {
public:
    HWND Window() const { return window_.get(); }
    bool Put(std::string_view ansi, bool withOwner = true);
    bool PutBitmap();

private:
    qstest::OwnedWindow window_ = qstest::MessageWindow();
};

// One running copy of the program.
class Program {
public:
    // Copies the program into `folder` (what is already there stays) and starts it there.
    Program(const TempFolder& folder, std::wstring_view arguments = L"") : Program(folder.Path(), arguments) {}
    Program(const std::wstring& folder, std::wstring_view arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    bool WaitExit(std::chrono::milliseconds timeout = 15s) const;  // false on time-out
    DWORD ExitCode() const;

    // A top-level window of class `className` (visible, when `shown`) other
    // than the frame and `except`; null on time-out or when the process ends.
    HWND WaitWindow(const wchar_t* className, std::chrono::milliseconds timeout = 10s, bool shown = true,
                    HWND except = nullptr) const;
    // The frame once shown, or once it exists (a start iconised hides it).
    HWND WaitFrame(bool shown = true);
    HWND Frame() const { return frame_; }
    HWND View() const;
    HWND Control(int id) const { return GetDlgItem(View(), id); }
    std::string SlotText(int slot) const;  // UTF-8
    std::vector<std::string> SlotTexts() const;

    void Command(UINT id) const { PostMessageW(frame_, WM_COMMAND, id, 0); }
    void Click(int controlId) const { PostMessageW(Control(controlId), BM_CLICK, 0, 0); }
    bool Exit();  // the exit command, then the end of the process

    HWND WaitDialog(HWND except = nullptr) const { return WaitWindow(L"#32770", 10s, true, except); }
    HWND WaitPopupMenu() const { return WaitWindow(L"#32768"); }
    // The pop-up menu `press` opens, once the menu has passed through the
    // program's pending events. Wine without a window manager reports a
    // focus change late after a dialog closes and cancels a menu opened
    // meanwhile; nothing was chosen then, so the press is repeated.
    HWND OpenPopupMenu(const std::function<void()>& press) const;
    // Its static texts, joined by line feeds (UTF-8).
    static std::string DialogText(HWND dialog);
    static void PressButton(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    std::vector<HWND> TopWindows() const;
    // Passed by in WaitWindow from now on (a modeless window that stays on show).
    void IgnoreWindow(HWND window) { ignored_.push_back(window); }

private:
    PROCESS_INFORMATION info_{};
    HWND frame_ = nullptr;
    std::vector<HWND> ignored_;
};

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
RECT WindowRect(HWND window);
// Sent with a time-out; the result (0 on time-out). Another process's
// controls keep no text the system could hand out: it is asked of them.
LRESULT Ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::string ControlText(HWND control);  // UTF-8
void SetControlText(HWND control, std::string_view utf8);
// A sent click: done on return, unless it opens a menu, which holds it up.
bool SendClick(HWND button, UINT timeoutMs = 5000);
// Makes `window` the foreground window and types `keys` there, through the
// system's input queue: each pressed in order, then let go in reverse.
bool TypeKeys(HWND window, const std::vector<WORD>& keys);
// What the program writes after reading this settings text: the core's
// form, whose bytes the core's tests check.
std::string Canonical(std::string_view settings);

// Each test in a fresh folder.
class E2eTest : public ::testing::Test {
protected:
    void SetUp() override { RemoveInstanceAtom(); }
    TempFolder folder;
};

// Works an open pop-up menu with the keyboard: Home, `downs` down arrows
// (separators are skipped), Enter, or any keys (arrows wrap around);
// Escape when that left it open. False when the menu stays.
bool ChooseFromPopupMenu(HWND menu, int downs);
bool PressInPopupMenu(HWND menu, const std::vector<WPARAM>& keys);
// NIM_MODIFY or NIM_DELETE on a frame's icon (id 100), as another program
// may; a change succeeds only while the icon exists.
bool NotifyTrayIcon(HWND frame, DWORD message);
inline bool TrayIconExists(HWND frame) { return NotifyTrayIcon(frame, NIM_MODIFY); }
// A mouse message on the newest icon of Wine's notification area window,
// which passes it on to the icon's owner; false when there is no icon.
bool ClickTrayIcon(UINT mouseMessage);
std::string UnixPath(const std::wstring& path);  // "" when not under Wine

// While it lives, the shell opens .html pages with Wine's browser launcher,
// pointed at a script that writes the address into a file of `folder`; the
// tests' Wine prefix has no program for .html otherwise.
class BrowserRecorder {
public:
    explicit BrowserRecorder(const std::wstring& folder);
    ~BrowserRecorder() { Forget(); }
    BrowserRecorder(const BrowserRecorder&) = delete;
    BrowserRecorder& operator=(const BrowserRecorder&) = delete;
    std::string WaitAddress() const;  // of the page opened last ("" on time-out)
    void Clear() const { DeleteFileW(address_.c_str()); }
    static void Forget();  // no program for .html, as in a fresh prefix

private:
    std::wstring address_;
};

// A well-behaved clipboard viewer that counts the notifications; its
// thread must serve its messages.
class ClipboardViewer {
public:
    ClipboardViewer();  // joins the chain, at its head
    ~ClipboardViewer();
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

// Runs `change` and waits until `tail`, a viewer that joined before the
// program, hears of it: the program passes it on once it has dealt with it.
template <class Change>
bool WaitHandled(const ClipboardViewer& tail, Change change, std::chrono::milliseconds timeout = 10s) {
    const int heard = tail.Notifications();
    return change() && WaitUntil([&] { return tail.Notifications() > heard; }, timeout);
}

// The settings file beside the program with only these lines.
void WriteSettings(const TempFolder& folder, const std::vector<std::string_view>& lines);
// The options sheet: opened (found past `except`, a dialog already open),
// a page shown (null when there is none), closed with OK or Cancel (true
// once it has gone and the program answers).
HWND OpenOptions(const Program& program, HWND except = nullptr);
HWND ShowOptionsPage(HWND sheet, int index);
bool CloseOptions(const Program& program, HWND sheet, bool ok);
// True once the program's view answers a message sent now: not hung.
bool Answers(const Program& program, std::chrono::milliseconds timeout = 5s);
// Sends the frame a command that opens no window; true once it is done.
bool SendCommand(const Program& program, UINT id);
// True once the eight slot captions read `expected` (UTF-8; slots past its
// end "未登録"); a failure shows what they read.
::testing::AssertionResult SlotsShow(const Program& program, std::vector<std::string> expected,
                                     std::chrono::milliseconds timeout = 10s);
// The items of a slot's pop-up menu, counted from the first.
enum SlotMenuItem { kAppendBehind, kAppendFront, kRegister };

// A running program watched by `tail`; `writer` copies as another program
// does. The clipboard starts empty.
class ProgramTest : public E2eTest {
protected:
    void SetUp() override { E2eTest::SetUp(); EmptyTheClipboard(); }
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
    bool Copy(std::string_view utf8) { return WaitHandled(*tail, [&] { return writer.Put(Ansi(utf8)); }); }
    // The clipboard's text once the program has dealt with the change
    // `action` makes it make. (Polling the sequence number keeps the
    // clipboard free for the program.)
    template <class Action>
    std::optional<std::string> CopiedBy(Action action) {
        const DWORD sequence = GetClipboardSequenceNumber();
        std::optional<std::string> text;
        WaitHandled(*tail, [&] {
            action();
            if (WaitUntil([&] { return GetClipboardSequenceNumber() != sequence; })) text = ClipboardText();
            return text.has_value();
        });
        return text;
    }
    std::optional<std::string> PressSlot(int slot) { return CopiedBy([&] { program->Click(1000 + slot); }); }
    // A right-button press on a slot, then item `item` of its pop-up menu.
    bool ChooseOnSlot(int slot, int item) {
        HWND menu = program->OpenPopupMenu(
            [&] { PostMessageW(program->Control(1000 + slot), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); });
        return menu && ChooseFromPopupMenu(menu, item);
    }
    // Answers the program's open or save dialog: types `path` and presses
    // OK (and Yes when asked before a file is replaced), or Cancel without
    // a path. Returns what its folder box (by name) and name box showed.
    std::pair<std::wstring, std::wstring> AnswerFileDialog(const std::optional<std::wstring>& path,
                                                           bool replaces = false);
    // Answers the next message box (past `except`), which must hold `expected`.
    void AnswerBox(const std::string& expected, int button, HWND except = nullptr) {
        HWND box = program->WaitDialog(except);
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

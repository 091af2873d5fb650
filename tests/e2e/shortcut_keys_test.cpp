// Global shortcut keys typed for real: xdotool, an X program on the same
// display, types into an edit box of this test while Quillstack watches the
// keyboard through its hook. Each typing ends with a full stop, which no
// button can have: once it shows in the box, every hook has seen every key
// before it, and their reports stand in the program's queue in order.
#include <cstdint>
#include <cstdio>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Starts xdotool through Wine's own path conversion. Wine gives no handle
// to wait on: the caller waits for what the keys do.
::testing::AssertionResult Xdotool(const std::string& arguments) {
    using ToDos = wchar_t* (*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    wchar_t* path = toDos ? toDos("/usr/bin/xdotool") : nullptr;
    if (!path || !FileExists(path)) return ::testing::AssertionFailure() << "xdotool is not installed";
    std::wstring commandLine = L"xdotool " + Wide(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const bool started =
        CreateProcessW(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    HeapFree(GetProcessHeap(), 0, path);
    if (!started) return ::testing::AssertionFailure() << "cannot start xdotool: error " << GetLastError();
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return ::testing::AssertionSuccess();
}

// Q on button 3, W on button 4, the digit 1 on button 5.
const std::string_view kKeyCodes =
    "KeyCode=   0:   0:  81:  87:  49:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0";

// A window activated before the program's start would lose the keys to its frame.
bool WaitActive(const Program& program) {
    return WaitUntil([&] { return GetForegroundWindow() == program.Frame(); }, 5s);
}

class ShortcutKeyTest : public ProgramTest {
protected:
    std::string Typed() const { return Utf8(WindowText(box.get())); }

    // Makes the box the window keys reach, checked with a full stop. X gives
    // keys to its focus window and Wine to its active one: xdotool gives the
    // box the X focus and clicks it active (Wine's desktop window now and
    // then takes a plain SetForegroundWindow back). No "mousemove --sync":
    // it waits for ever with the pointer already in place.
    ::testing::AssertionResult FocusBox() {
        const auto xWindow = reinterpret_cast<std::uintptr_t>(GetPropW(box.get(), L"__wine_x11_whole_window"));
        char focus[96];
        std::snprintf(focus, sizeof focus, "mousemove 960 660 windowfocus --sync %llu click 1",
                      static_cast<unsigned long long>(xWindow));
        for (int attempt = 0; attempt < 5; ++attempt) {
            SetWindowTextW(box.get(), L"");
            // Sends Wine's pending X requests before xdotool names the box.
            Pump();
            if (auto started = Xdotool(focus); !started) return started;
            WaitUntil([&] { return GetForegroundWindow() == box.get(); }, 2s);
            if (auto started = Xdotool("key period"); !started) return started;
            // (A full stop of an earlier try that came late counts too.)
            if (WaitUntil([&] { return Typed().find('.') != std::string::npos; }, 2s)) {
                return ::testing::AssertionSuccess();
            }
            std::fprintf(stderr, "[keys] the keys went to %s; focusing the box again\n",
                         Utf8(ClassName(GetForegroundWindow())).c_str());
        }
        return ::testing::AssertionFailure() << "keys do not reach the box";
    }

    ::testing::AssertionResult Type(const std::string& keys) {
        SetWindowTextW(box.get(), L"");
        if (auto started = Xdotool("key --delay 20 " + keys + " period"); !started) return started;
        if (WaitUntil([&] { return Typed().ends_with("."); }, 20s)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the box got only: " << Typed();
    }

    // True once typing `keys` made the clipboard hold `utf8`, the only change
    // (the expected copy comes from the last key, so a wrong earlier one shows).
    ::testing::AssertionResult TypingCopies(const std::string& keys, const std::string& utf8) {
        const int heard = tail->Notifications();
        auto typed = ::testing::AssertionSuccess();
        const std::optional<std::string> text = CopiedBy([&] { typed = Type(keys); });
        if (!typed) return typed;
        if (text != Ansi(utf8)) return ::testing::AssertionFailure() << "the clipboard holds " << Utf8(WideFromAnsi(text.value_or("")));
        if (const int changes = tail->Notifications() - heard; changes != 1) {
            return ::testing::AssertionFailure() << "the program passed on " << changes << " changes";
        }
        return ::testing::AssertionSuccess();
    }

    // The program the user types into, away from the frame.
    OwnedWindow box{CreateWindowExW(WS_EX_TOPMOST, L"EDIT", L"", WS_POPUP | WS_BORDER | WS_VISIBLE, 900, 600, 120,
                                    120, nullptr, nullptr, nullptr, nullptr)};
};

// Ctrl+Q copies entry m_nTop + 2 of the list shown, unrecorded; Q alone,
// and keypad 1 while keypad digits are told apart, do nothing, and the box
// gets the text all the same. No key acts while the options sheet is open.
// Set there: no modifier, keypad 1 as the 1 of button 5, a key from the
// shortcut-key dialog. Keys never wait for the program (busy with the
// animated roll). Only the first running copy hooks the keyboard.
TEST_F(ShortcutKeyTest, KeysCopyTheEntriesOfTheirButtonsAsTheSettingsSay) {
    WriteList(L"Quillstack.txt", {"s0", "s1", "s2", "s3", "s4"});
    WriteSettings(folder, {"UseSCKey=YES", "AdditionalCode=2", "Minimize=ANI", kKeyCodes});
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(WaitActive(*program));
    ASSERT_TRUE(FocusBox());
    for (const char* text : {"h0", "h1", "h2", "h3", "h4", "h5", "h6"}) ASSERT_TRUE(Copy(text));
    // One line down: the panel shows entries 1 to 8.
    SendMessageW(program->View(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(program->Control(IDC_SCROLL)));
    ASSERT_TRUE(SlotsShow(*program, {"h5", "h4", "h3", "h2", "h1", "h0"}));
    EXPECT_TRUE(TypingCopies("q ctrl+KP_1 ctrl+w", "h2"));
    EXPECT_TRUE(Typed().starts_with("q")) << Typed();
    EXPECT_TRUE(TypingCopies("ctrl+q", "h3"));
    EXPECT_TRUE(SlotsShow(*program, {"h5", "h4", "h3", "h2", "h1", "h0"}));

    HWND sheet = OpenOptions(*program);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(FocusBox());
    const DWORD sequence = GetClipboardSequenceNumber();
    ASSERT_TRUE(Type("ctrl+q"));
    // A report of the key would stand in the queue before this command.
    program->Command(ID_MODE_URLHISTORY);
    ASSERT_TRUE(SlotsShow(*program, {}));
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    ASSERT_TRUE(CloseOptions(*program, sheet, false));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_SENTENCES));
    SendMessageW(program->View(), WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(program->Control(IDC_SCROLL)));
    ASSERT_TRUE(FocusBox());
    EXPECT_TRUE(TypingCopies("ctrl+q", "s2"));

    HWND page = ShowOptionsPage(sheet = OpenOptions(*program), 4);
    ASSERT_NE(page, nullptr);
    for (int id : {IDC_OPT_MOD_NONE, IDC_OPT_USE_NUMPAD}) SendMessageW(GetDlgItem(page, id), BM_CLICK, 0, 0);
    Program::PressButton(page, IDC_OPT_SET_KEYS);
    HWND keys = program->WaitDialog(sheet);
    ASSERT_NE(keys, nullptr);
    HWND field = GetDlgItem(keys, IDC_KEY_FIRST);
    PostMessageW(field, WM_KEYDOWN, 'E', 1);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(field) == "E"; }));
    Program::PressButton(keys, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(keys); }));
    ASSERT_TRUE(CloseOptions(*program, sheet, true));
    ASSERT_TRUE(FocusBox());
    EXPECT_TRUE(TypingCopies("e", "s0"));
    EXPECT_TRUE(TypingCopies("q", "s2"));
    EXPECT_TRUE(TypingCopies("KP_1", "s4"));

    auto height = [&] { return WindowRect(program->Frame()).bottom - WindowRect(program->Frame()).top; };
    const int full = height(), rolled = GetSystemMetrics(SM_CYCAPTION);
    // Rolled up first: the roll back down lasts the longer (about a second).
    PostMessageW(program->Frame(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return height() <= rolled; }));
    PostMessageW(program->Frame(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return height() > rolled; }));
    EXPECT_EQ(CopiedBy([&] {
                  ASSERT_TRUE(Type("q"));
                  EXPECT_LT(height(), full) << "the keys waited for the roll to end";
              }),
              "s2");

    TempFolder secondFolder;
    WriteBytes(secondFolder.File(L"Quillstack.txt"), ListFileBytes({"x0", "x1", "second"}));
    WriteSettings(secondFolder, {"UseSCKey=YES", "AdditionalCode=0", kKeyCodes});
    Program second(secondFolder);
    ASSERT_TRUE(second.WaitFrame());
    EXPECT_TRUE(WaitActive(second));
    ASSERT_TRUE(FocusBox());
    const int heard = tail->Notifications();
    EXPECT_TRUE(TypingCopies("q", "s2"));
    // A hook report in the second copy would stand before this command; nor
    // does it act on a report that comes from elsewhere.
    PostMessageW(second.View(), 0x0626, 'Q', 0);
    second.Command(ID_MODE_URLHISTORY);
    ASSERT_TRUE(SlotsShow(second, {}));
    EXPECT_EQ(tail->Notifications(), heard + 1);
    EXPECT_TRUE(second.Exit());
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

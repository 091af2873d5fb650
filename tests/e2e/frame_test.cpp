// The main window: the frame's icon, pressed in Wine's notification-area
// window, the icon's menus and the minimise styles; the panel's scrolling
// and captions.
#include <cstdlib>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const int kCaption = GetSystemMetrics(SM_CYCAPTION);

int Height(HWND window) { return WindowRect(window).bottom - WindowRect(window).top; }

class FrameTest : public ProgramTest {
protected:
    // A press on the program's icon, then `keys` in the menu it opens.
    bool OnTrayMenu(UINT press, const std::vector<WPARAM>& keys) {
        HWND menu = ClickTrayIcon(press) ? program->WaitPopupMenu() : nullptr;
        return menu && PressInPopupMenu(menu, keys);
    }
    bool FrameShown(bool shown) {
        return WaitUntil([&] { return (IsWindowVisible(program->Frame()) != FALSE) == shown; });
    }
    // Minimises and returns the heights the frame takes until it has `end`,
    // read as often as the test can: the animation pauses 10 ms between its
    // steps, so a loaded machine may miss some of them, never all.
    std::vector<int> MinimiseTo(int end) {
        std::vector<int> seen{Height(program->Frame())};
        PostMessageW(program->Frame(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        for (auto stop = std::chrono::steady_clock::now() + 10s; seen.back() != end && std::chrono::steady_clock::now() < stop;) {
            std::this_thread::sleep_for(1ms);
            if (Height(program->Frame()) != seen.back()) seen.push_back(Height(program->Frame()));
        }
        return seen;
    }
    void SetMinimise(int style) {
        HWND sheet = OpenOptions(*program);
        SendMessageW(GetDlgItem(ShowOptionsPage(sheet, 0), style), BM_CLICK, 0, 0);
        ASSERT_TRUE(CloseOptions(*program, sheet, true));
    }
};

// "-I" starts shown. Animated, the roll-up goes in steps of ten; Mac style
// at once, and rolled up and iconised it comes back rolled up. The left
// button's menu lists the shown list; the right one's first item iconises
// and restores, as a double press does; its exit saves as usual.
TEST_F(FrameTest, EachMinimiseStyleTheIconAndItsMenus) {
    WriteSettings(folder, {"Minimize=ANI"});
    const std::wstring file = folder.File(L"my-Items.txt");
    WriteBytes(file, ListFileBytes({"cleared before the exit"}));
    ASSERT_TRUE(Start(ID_MODE_URLHISTORY, L"\"" + file + L"\""));
    HWND frame = program->Frame();
    // The clock's first tick comes only after the iconise command posted at the start.
    ASSERT_TRUE(WaitUntil([&] { return !WindowText(program->Control(IDC_CLOCK)).empty(); }));
    EXPECT_TRUE(IsWindowVisible(frame));
    const int last = 270 - (270 - kCaption + 9) / 10 * 10;  // the first step at or below the caption
    for (int end : {last, 270}) {
        const std::vector<int> seen = MinimiseTo(end);
        EXPECT_TRUE(seen.size() >= 3 && seen.back() == end) << testing::PrintToString(seen);
        for (int height : seen) EXPECT_EQ((height - 270) % 10, 0) << height;
    }
    ASSERT_NO_FATAL_FAILURE(SetMinimise(IDC_OPT_MIN_MAC));
    EXPECT_EQ(MinimiseTo(kCaption), (std::vector<int>{270, kCaption}));
    program->Command(ID_ICONISE);
    ASSERT_TRUE(FrameShown(false));
    program->Command(ID_TRAY_RESTORE);
    ASSERT_TRUE(FrameShown(true));
    EXPECT_EQ(Height(frame), kCaption);
    EXPECT_EQ(MinimiseTo(270), (std::vector<int>{kCaption, 270}));
    ASSERT_NO_FATAL_FAILURE(SetMinimise(IDC_OPT_MIN_WINDOWS));
    PostMessageW(frame, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(frame) && IsWindowVisible(frame); }));
    EXPECT_TRUE(TrayIconExists(frame));
    PostMessageW(frame, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(frame); }));

    for (int n = 0; n < 3; ++n) ASSERT_TRUE(Copy("http://e2e/" + std::to_string(n)));
    EXPECT_EQ(CopiedBy([&] { OnTrayMenu(WM_LBUTTONDOWN, {VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN}); }), "http://e2e/0");
    for (bool shown : {false, true}) {
        ASSERT_TRUE(OnTrayMenu(WM_RBUTTONDOWN, {VK_HOME, VK_RETURN}));
        EXPECT_TRUE(FrameShown(shown));
    }
    program->Command(ID_ICONISE);
    ASSERT_TRUE(FrameShown(false) && ClickTrayIcon(WM_LBUTTONDBLCLK));
    EXPECT_TRUE(FrameShown(true));

    // While a modal box has the frame disabled, a press opens no menu (its
    // commands would act under the box): it brings the box forward.
    program->Command(ID_APP_ABOUT);
    HWND about = program->WaitDialog();
    EXPECT_NE(Program::DialogText(about).find("Quillstack Version 1.80"), std::string::npos);
    OwnedWindow other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 9, 9, nullptr, nullptr,
                                      nullptr, nullptr));
    for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        SetForegroundWindow(other.get());
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.get(); }) && ClickTrayIcon(press));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; })) << press;
        for (HWND window : program->TopWindows()) EXPECT_NE(ClassName(window), L"#32768") << press;
    }
    Program::PressButton(about, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

    ASSERT_TRUE(NotifyTrayIcon(frame, NIM_DELETE));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(frame); }));
    ASSERT_TRUE(SendCommand(*program, ID_CLEAR_SENTENCES));
    ASSERT_TRUE(OnTrayMenu(WM_RBUTTONDOWN, {VK_HOME, VK_UP, VK_RETURN}));
    ASSERT_TRUE(program->WaitExit());
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_FALSE(TrayIconExists(frame));
}

int ScrollPos(const Program& program) { return GetScrollPos(program.Control(IDC_SCROLL), SB_CTL); }

int ScrollMax(const Program& program) {
    int low = -1, high = -1;
    GetScrollRange(program.Control(IDC_SCROLL), SB_CTL, &low, &high);
    return low == 0 ? high : -1;
}

// A scroll bar action as the bar itself reports it to the form.
void PostScroll(const Program& program, int code, int position = 0) {
    PostMessageW(program.View(), WM_VSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(program.Control(IDC_SCROLL)));
}

void PostWheel(HWND window, int delta) {
    RECT rect{};
    GetWindowRect(window, &rect);
    PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(rect.left + 2, rect.top + 2));
}

std::string Entry(int i) { return "E" + std::to_string(100 + i).substr(1); }

// The captions with entry `top` on slot 0 (or `count` entries from `top`);
// entry 0 shows its title.
std::vector<std::string> From(int top, int count = 8) {
    std::vector<std::string> texts;
    for (int i = top; i < top + count; ++i) texts.push_back(i == 0 ? "あいさつ" : Entry(i));
    return texts;
}

using PanelTest = ProgramTest;

// A file named on the command line, in quotes, with its title file beside
// it: forty entries load with their titles and raise the maximum. "表" ends
// in a byte that reads as a backslash.
TEST_F(PanelTest, TheBarsMessagesAndTheWheelScrollWhatTheSlotsStandFor) {
    UINT step = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &step, 0);
    ASSERT_TRUE(step >= 1 && step <= 4) << step << ": the steps below assume small wheel steps";
    std::vector<std::string> entries;
    for (int i = 0; i < 40; ++i) entries.push_back(Entry(i));
    const std::string titles = ListFileBytes({Ansi("あいさつ")});
    ASSERT_TRUE(CreateDirectoryW(folder.File(Wide("my 文書")).c_str(), nullptr));
    const std::wstring file = folder.File(Wide("my 文書\\two 表.txt"));
    WriteBytes(file, ListFileBytes(entries));
    WriteBytes(folder.File(Wide("my 文書\\two 表_Title.txt")), titles);
    ASSERT_TRUE(Start(0, L"\"" + file + L"\""));
    EXPECT_EQ(ScrollMax(*program), 32);
    ASSERT_TRUE(SlotsShow(*program, From(0)));

    // The bar's own messages reach the panel and its position; each code's
    // arithmetic is the core's tests. A step that must not move is followed
    // by one that moves relatively, so a wrong position shows next. Thumb
    // messages come outside a live drag too: their own position counts then.
    const int steps[][3] = {{SB_LINEDOWN, 0, 1},    {SB_THUMBTRACK, 5, 5}, {SB_ENDSCROLL, 0, 5},    {SB_LINEUP, 0, 4},
                            {SB_PAGEDOWN, 0, 12},   {SB_THUMBTRACK, 32, 32}, {SB_LINEDOWN, 0, 32}, {SB_LINEUP, 0, 31},
                            {SB_THUMBTRACK, 3, 3},  {SB_PAGEUP, 0, 0}};
    for (const auto& [code, position, top] : steps) {
        PostScroll(*program, code, position);
        EXPECT_TRUE(SlotsShow(*program, From(top))) << "code " << code << " position " << position;
        EXPECT_EQ(ScrollPos(*program), top) << "code " << code;
    }
    // The wheel, over the form or a slot, moves by lines, never past either end.
    HWND slot = program->Control(IDC_SLOT0 + 3);
    const int one = static_cast<int>(step);
    const std::tuple<HWND, int, int> wheel[] = {
        {program->View(), -1, one}, {slot, -1, 2 * one}, {slot, 1, one}, {slot, 4, 0}};
    for (const auto& [window, turns, top] : wheel) {
        for (int i = 0; i < std::abs(turns); ++i) PostWheel(window, turns < 0 ? -WHEEL_DELTA : WHEEL_DELTA);
        EXPECT_TRUE(SlotsShow(*program, From(top))) << turns;
    }
    PostScroll(*program, SB_THUMBTRACK, 31);
    PostWheel(program->View(), -WHEEL_DELTA);
    EXPECT_TRUE(SlotsShow(*program, From(32)));
    EXPECT_EQ(ScrollPos(*program), 32);

    // Scrolled, a slot stands for entry m_nTop + slot in every command; a
    // capture and a mode switch leave m_nTop where it is.
    PostScroll(*program, SB_THUMBTRACK, 3);
    ASSERT_TRUE(SlotsShow(*program, From(3)));
    EXPECT_EQ(PressSlot(2), Entry(5));
    EXPECT_EQ(CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendBehind)); }), Entry(5) + Entry(4));
    ASSERT_TRUE(Copy("Fresh"));
    EXPECT_TRUE(ChooseOnSlot(0, kRegister));
    std::vector<std::string> sentences = From(3);
    sentences[0] = "Fresh";
    EXPECT_TRUE(SlotsShow(*program, sentences));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    for (const char* text : {"c1", "c2", "c3", "c4"}) ASSERT_TRUE(Copy(text));
    EXPECT_TRUE(SlotsShow(*program, {"c1", "Fresh"}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_SENTENCES));
    EXPECT_TRUE(SlotsShow(*program, sentences));
    ASSERT_TRUE(program->Exit());
    EXPECT_NE(ReadBytes(folder.File(L"Quillstack.ini")).find("\r\nSentenceMaxCount=40\r\n"), std::string::npos);
    entries[3] = "Fresh";
    EXPECT_EQ(ReadBytes(file), ListFileBytes(entries));
    EXPECT_TRUE(ReadBytes(folder.File(Wide("my 文書\\two 表_Title.txt"))).starts_with(titles));
    // The default file was never the start file.
    EXPECT_FALSE(FileExists(folder.File(L"Quillstack.txt")));
}

// View 0 shows a title where there is one, else the start; captions are
// set verbatim ('&' and line breaks stay). With a hand-edited
// SentenceMaxCount below eight nothing scrolls, slot 0 still stands for
// entry 0, and a slot past the count neither copies nor registers.
TEST_F(PanelTest, CaptionsShowTitlesOrStartsAndNoSlotReachesPastASmallMaxCount) {
    WriteSettings(folder, {"SentenceMaxCount=3"});
    WriteList(L"Quillstack.txt", {"Hello", "あいうえおかきくa", "R&D\r\nx"});
    WriteList(L"Quillstack_Title.txt", {"Greeting", ""});
    ASSERT_TRUE(Start());
    const std::vector<std::string> captions{"Greeting", "あいうえおかき", "R&D\r\nx"};
    EXPECT_TRUE(SlotsShow(*program, captions));
    ASSERT_TRUE(Copy("0123456789ABCDEFGHIJ"));
    EXPECT_EQ(ScrollMax(*program), 0);
    for (int code : {SB_LINEDOWN, SB_PAGEDOWN}) PostScroll(*program, code);
    PostScroll(*program, SB_THUMBTRACK, 4);
    PostWheel(program->View(), -WHEEL_DELTA);
    for (int slot : {0, 5, 7}) EXPECT_TRUE(ChooseOnSlot(slot, kRegister)) << slot;
    EXPECT_TRUE(SlotsShow(*program, captions));
    EXPECT_EQ(ScrollPos(*program), 0);
    for (int slot = 0; slot < 8; ++slot) program->Click(IDC_SLOT0 + slot);
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(program->ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")),
              ListFileBytes({"0123456789ABCDEFGHIJ", Ansi("あいうえおかきくa"), "R&D\r\nx"}));
    EXPECT_EQ(ClipboardText(), "R&D\r\nx");
}

}  // namespace
}  // namespace e2e

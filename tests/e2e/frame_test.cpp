// The main frame of the real program: its notification-area icon, pressed
// in the window Wine shows for the notification area, the two menus the
// icon opens, and the minimise styles.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const int kCaption = GetSystemMetrics(SM_CYCAPTION);

int Height(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

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

// With "-I" in its command line the program starts shown. Animated, the
// roll-up goes in steps of ten, some of them seen; Mac style at once, and a
// frame rolled up and iconised comes back rolled up. (To the icon: in
// options_test.cpp.) The left button's menu lists the shown list from its
// first entry. The right button's first item iconises the visible frame and
// restores the hidden one, as a double press does. The tray menu's exit
// (its last item) ends the program with the usual saves.
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

}  // namespace
}  // namespace e2e

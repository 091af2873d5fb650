// The main frame of the real program: its notification-area icon, pressed
// in the window Wine shows for the notification area, the two menus the
// icon opens, the four minimise styles and starting iconised.
#include <functional>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

int Height(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

const int kCaption = GetSystemMetrics(SM_CYCAPTION);

// The heights the frame takes, read as often as the test can, up to the
// first that satisfies `done`. The animation pauses 10 ms between its
// steps, so a loaded machine may miss some steps, never all.
std::vector<int> HeightsUntil(HWND frame, const std::function<bool(int)>& done) {
    std::vector<int> seen{Height(frame)};
    for (auto end = std::chrono::steady_clock::now() + 10s; !done(seen.back()) && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(1ms);
        if (Height(frame) != seen.back()) seen.push_back(Height(frame));
    }
    return seen;
}

// Every height a whole number of 10-pixel steps from the first, and some
// strictly between the first and the last.
bool StepsOfTen(const std::vector<int>& heights) {
    bool between = false;
    for (int height : heights) {
        if ((height - heights.front()) % 10 != 0) return false;
        between = between || (height != heights.front() && height != heights.back());
    }
    return between;
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
    void Minimise() { PostMessageW(program->Frame(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
};

// The icon is there from the start; a restarted shell gets it back when it
// announces the new taskbar; the tray menu's exit (its last item) ends the
// program with the usual saves, and the icon goes with it.
TEST_F(FrameTest, TheIconLivesUntilTheTrayExitAndComesBackWhenTheTaskbarIsRecreated) {
    WriteList(L"Quillstack.txt", {"cleared before the exit"});
    ASSERT_TRUE(Start());
    HWND frame = program->Frame();
    EXPECT_TRUE(TrayIconExists(frame));
    ASSERT_TRUE(NotifyTrayIcon(frame, NIM_DELETE));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(frame); }));

    ASSERT_TRUE(SendCommand(*program, ID_CLEAR_SENTENCES));
    ASSERT_TRUE(OnTrayMenu(WM_RBUTTONDOWN, {VK_HOME, VK_UP, VK_RETURN}));
    ASSERT_TRUE(program->WaitExit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), "");
    EXPECT_TRUE(FileExists(folder.File(L"Quillstack.ini")));
    EXPECT_FALSE(TrayIconExists(frame));
}

// The left button's menu lists the shown list from its first entry: item 2
// copies entry 2. Up from the top wraps to the last item, which copies
// entry 7 while the list has at most eight entries, else entry 15.
TEST_F(FrameTest, TheListMenuOffersEightEntriesOrSixteenAndCopiesTheChosenOne) {
    ASSERT_TRUE(Start(ID_MODE_URLHISTORY));
    auto url = [](int i) { return "http://e2e/" + std::to_string(i); };
    auto chosen = [&](std::vector<WPARAM> keys) {
        return CopiedBy([&] { EXPECT_TRUE(OnTrayMenu(WM_LBUTTONDOWN, keys)); });
    };
    const struct {
        int count;
        std::vector<WPARAM> keys;
    } steps[] = {{3, {VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN}}, {8, {VK_HOME, VK_UP, VK_RETURN}}, {16, {VK_HOME, VK_UP, VK_RETURN}}};
    int copied = 0;
    for (const auto& step : steps) {
        for (; copied < step.count; ++copied) ASSERT_TRUE(Copy(url(copied)));  // the newest comes first
        EXPECT_EQ(chosen(step.keys), url(0)) << step.count << " entries";
    }
    ASSERT_TRUE(program->Exit());
}

// The right button's menu: its first item iconises the visible frame and
// restores the hidden one; a double press on the icon restores it too.
TEST_F(FrameTest, TheTrayMenuIconisesAndRestoresAndADoublePressRestores) {
    ASSERT_TRUE(Start());
    for (bool shown : {false, true}) {
        ASSERT_TRUE(OnTrayMenu(WM_RBUTTONDOWN, {VK_HOME, VK_RETURN}));
        EXPECT_TRUE(FrameShown(shown));
    }
    program->Command(ID_ICONISE);
    EXPECT_TRUE(FrameShown(false));
    ASSERT_TRUE(ClickTrayIcon(WM_LBUTTONDBLCLK));
    EXPECT_TRUE(FrameShown(true));
    ASSERT_TRUE(program->Exit());
}

// While a modal box has the frame disabled, a press on the icon opens no
// menu (its commands would act under the box): it brings the box forward.
TEST_F(FrameTest, WhileAModalBoxIsUpAPressOnTheIconBringsItForward) {
    ASSERT_TRUE(Start());
    program->Command(ID_APP_ABOUT);
    HWND about = program->WaitDialog();
    ASSERT_NE(about, nullptr);
    OwnedWindow other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 9, 9, nullptr, nullptr,
                                      nullptr, nullptr));
    for (UINT press : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        SetForegroundWindow(other.get());
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.get(); }));
        ASSERT_TRUE(ClickTrayIcon(press));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; })) << press;
        for (HWND window : program->TopWindows()) EXPECT_NE(ClassName(window), L"#32768") << press;
    }
    Program::PressButton(about, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    ASSERT_TRUE(program->Exit());
}

// Animated: up in steps of ten to at most the caption's height, then back
// down in steps of ten to exactly 270.
TEST_F(FrameTest, TheAnimatedRollUpMovesInStepsOfTenAndComesBackToFullHeight) {
    WriteSettings(folder, {"Minimize=ANI"});
    ASSERT_TRUE(Start());
    Minimise();
    const std::vector<int> up = HeightsUntil(program->Frame(), [](int h) { return h <= kCaption; });
    EXPECT_TRUE(StepsOfTen(up) && up.front() == 270 && up.back() > kCaption - 10) << testing::PrintToString(up);
    Minimise();
    std::vector<int> down = HeightsUntil(program->Frame(), [](int h) { return h >= 270; });
    EXPECT_EQ(down.back(), 270);
    down.pop_back();
    EXPECT_TRUE(StepsOfTen(down)) << testing::PrintToString(down);
    EXPECT_TRUE(Answers(*program));
    EXPECT_EQ(Height(program->Frame()), 270);
    ASSERT_TRUE(program->Exit());
}

// Mac style jumps to the caption's height and back; a frame rolled up and
// then iconised comes back rolled up.
TEST_F(FrameTest, TheMacStyleJumpsBothWaysAndARolledUpFrameComesBackRolledUp) {
    WriteSettings(folder, {"Minimize=MAC"});
    ASSERT_TRUE(Start());
    Minimise();
    EXPECT_EQ(HeightsUntil(program->Frame(), [](int h) { return h != 270; }), (std::vector<int>{270, kCaption}));
    program->Command(ID_ICONISE);
    EXPECT_TRUE(FrameShown(false));
    program->Command(ID_TRAY_RESTORE);
    EXPECT_TRUE(FrameShown(true));
    EXPECT_EQ(Height(program->Frame()), kCaption);
    Minimise();
    EXPECT_EQ(HeightsUntil(program->Frame(), [](int h) { return h != kCaption; }), (std::vector<int>{kCaption, 270}));
    ASSERT_TRUE(program->Exit());
}

// To the icon: the frame goes, the icon stays. Windows style: to the taskbar.
TEST_F(FrameTest, TheIconStyleLeavesOnlyTheIconAndTheWindowsStyleMinimises) {
    for (const char* style : {"Minimize=ICO", "Minimize=WIN"}) {
        WriteSettings(folder, {style});
        ASSERT_TRUE(Start());
        Minimise();
        HWND frame = program->Frame();
        const bool toIcon = style == std::string("Minimize=ICO");
        EXPECT_TRUE(WaitUntil([&] { return toIcon ? !IsWindowVisible(frame) : IsIconic(frame) && IsWindowVisible(frame); }))
            << style;
        EXPECT_TRUE(TrayIconExists(frame));
        ASSERT_TRUE(program->Exit());
    }
}

// "-i" anywhere in the command line, even inside a folder name, starts the
// program iconised; "-I" does not; InitIcon does.
TEST_F(FrameTest, StartsIconisedForDashIAnywhereOrInitIcon) {
    const struct {
        const wchar_t* subfolder;
        const char* initIcon;
        bool iconised;
    } cases[] = {{L"my-items", "InitIcon=NOT", true}, {L"my-Items", "InitIcon=NOT", false}, {L"items", "InitIcon=YES", true}};
    for (const auto& c : cases) {
        const std::wstring sub = folder.File(c.subfolder);
        CreateDirectoryW(sub.c_str(), nullptr);
        WriteBytes(sub + L"\\s.txt", ListFileBytes({"s"}));
        WriteSettings(folder, {c.initIcon});
        Program started(folder, L"\"" + sub + L"\\s.txt\"");
        ASSERT_TRUE(started.WaitFrame(false));
        // The clock's first tick comes only after the posted iconise command.
        ASSERT_TRUE(WaitUntil([&] { return !WindowText(started.Control(IDC_CLOCK)).empty(); }));
        EXPECT_EQ(IsWindowVisible(started.Frame()) == FALSE, c.iconised) << Utf8(c.subfolder);
        ASSERT_TRUE(started.Exit());
    }
}

}  // namespace
}  // namespace e2e

// The main frame of the real program: its notification-area icon, worked
// through the window Wine shows for the notification area, the two menus the
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

int CaptionHeight() {
    return GetSystemMetrics(SM_CYCAPTION);
}

// The heights the frame takes, read as often as the test can, until one
// satisfies `done` (the animation pauses 10 ms between its steps, so most
// steps are seen, though a loaded machine may miss some).
std::vector<int> HeightsUntil(HWND frame, const std::function<bool(int)>& done) {
    std::vector<int> seen;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        const int height = Height(frame);
        if (seen.empty() || seen.back() != height) seen.push_back(height);
        if (done(height)) break;
        std::this_thread::sleep_for(1ms);
    }
    return seen;
}

// Whether every height lies a whole number of 10-pixel steps from the first
// and some lie strictly between the first and the last.
bool StepsOfTen(const std::vector<int>& heights) {
    bool between = false;
    for (int height : heights) {
        if ((height - heights.front()) % 10 != 0) return false;
        between = between || (height != heights.front() && height != heights.back());
    }
    return between;
}

void Minimise(const Program& program) {
    PostMessageW(program.Frame(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

class FrameTest : public ProgramTest {
protected:
    // A press on the program's icon, then `keys` in the menu it opens.
    bool OnTrayMenu(UINT press, const std::vector<WPARAM>& keys) {
        if (!ClickTrayIcon(press)) return false;
        HWND menu = program->WaitPopupMenu();
        return menu && PressInPopupMenu(menu, keys);
    }

    bool FrameShown(bool shown) {
        return WaitUntil([&] { return (IsWindowVisible(program->Frame()) != FALSE) == shown; });
    }
};

// ---- The icon and its menus --------------------------------------------------

// The icon is there from the start; a restarted shell gets it back when it
// announces the new taskbar; the tray menu's exit ends the program with the
// usual saves (the cleared sentences written), and the icon goes with it.
TEST_F(FrameTest, TheIconLivesUntilTheTrayExitAndComesBackWhenTheTaskbarIsRecreated) {
    WriteList(L"Quillstack.txt", {"to be cleared"});
    ASSERT_TRUE(Start());
    HWND frame = program->Frame();
    EXPECT_TRUE(TrayIconExists(frame));

    ASSERT_TRUE(DeleteTrayIcon(frame));
    EXPECT_FALSE(TrayIconExists(frame));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(frame); }));

    ASSERT_TRUE(SendCommand(*program, ID_CLEAR_SENTENCES));
    ASSERT_TRUE(OnTrayMenu(WM_RBUTTONDOWN, {VK_HOME, VK_UP, VK_RETURN}));
    ASSERT_TRUE(program->WaitExit());
    EXPECT_EQ(program->ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), "");
    EXPECT_TRUE(FileExists(folder.File(L"Quillstack.ini")));
    EXPECT_FALSE(TrayIconExists(frame));
}

// The left button's menu lists the shown list from its first entry: item 2
// copies entry 2. Its length shows through the wrap from the top to the
// last item: eight items while the list has at most eight entries (the
// eighth entry is copied), sixteen once it has more (the sixteenth).
TEST_F(FrameTest, TheListMenuOffersEightEntriesOrSixteenAndCopiesTheChosenOne) {
    ASSERT_TRUE(Start(ID_MODE_URLHISTORY));
    auto url = [](int i) { return "http://e2e/" + std::to_string(i); };
    auto copyUrls = [&](int from, int to) {
        for (int i = from; i < to; ++i) ASSERT_TRUE(Copy(url(i)));
    };
    auto chosen = [&](std::vector<WPARAM> keys) {
        return CopiedBy([&] { EXPECT_TRUE(OnTrayMenu(WM_LBUTTONDOWN, keys)); });
    };
    copyUrls(0, 3);  // the URL history, newest first: 2 1 0
    EXPECT_EQ(chosen({VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN}), url(0));
    copyUrls(3, 8);  // 7 ... 0
    EXPECT_EQ(chosen({VK_HOME, VK_UP, VK_RETURN}), url(0));
    copyUrls(8, 16);  // 15 ... 0
    EXPECT_EQ(chosen({VK_HOME, VK_UP, VK_RETURN}), url(0));
    ASSERT_TRUE(program->Exit());
}

// The right button's menu: its first item iconises the visible frame and
// restores the hidden one; a double press on the icon restores it too.
TEST_F(FrameTest, TheTrayMenuIconisesAndRestoresAndADoublePressRestores) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OnTrayMenu(WM_RBUTTONDOWN, {VK_HOME, VK_RETURN}));
    EXPECT_TRUE(FrameShown(false));
    ASSERT_TRUE(OnTrayMenu(WM_RBUTTONDOWN, {VK_HOME, VK_RETURN}));
    EXPECT_TRUE(FrameShown(true));

    program->Command(ID_ICONISE);
    EXPECT_TRUE(FrameShown(false));
    EXPECT_TRUE(TrayIconExists(program->Frame()));
    ASSERT_TRUE(ClickTrayIcon(WM_LBUTTONDBLCLK));
    EXPECT_TRUE(FrameShown(true));
    ASSERT_TRUE(program->Exit());
}

// While a modal box has the frame disabled, a press on the icon opens no
// menu (whose commands would act under the box): it brings the box forward.
TEST_F(FrameTest, WhileAModalBoxIsUpThePressOnTheIconBringsItForward) {
    ASSERT_TRUE(Start());
    program->Command(ID_APP_ABOUT);
    HWND about = program->WaitDialog();
    ASSERT_NE(about, nullptr);
    OwnedWindow other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 40, 40, nullptr, nullptr,
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

// ---- Minimise styles ---------------------------------------------------------

// Animated: up in steps of ten to at most the caption's height, and the
// next request back down in steps of ten to exactly 270.
TEST_F(FrameTest, TheAnimatedRollUpMovesInStepsOfTenAndComesBackToFullHeight) {
    WriteSettings(folder, {"Minimize=ANI"});
    ASSERT_TRUE(Start());
    HWND frame = program->Frame();
    Minimise(*program);
    const std::vector<int> up = HeightsUntil(frame, [](int h) { return h <= CaptionHeight(); });
    EXPECT_TRUE(StepsOfTen(up)) << testing::PrintToString(up);
    EXPECT_EQ(up.front(), 270);
    EXPECT_LE(up.back(), CaptionHeight());
    EXPECT_GT(up.back(), CaptionHeight() - 10);

    Minimise(*program);
    const std::vector<int> down = HeightsUntil(frame, [](int h) { return h >= 270; });
    EXPECT_TRUE(StepsOfTen({down.begin(), down.end() - 1})) << testing::PrintToString(down);
    EXPECT_TRUE(Answers(*program));
    EXPECT_EQ(Height(frame), 270);
    EXPECT_TRUE(IsWindowVisible(frame));
    ASSERT_TRUE(program->Exit());
}

// Mac style jumps to the caption's height and back; a frame rolled up and
// then iconised comes back rolled up.
TEST_F(FrameTest, TheMacStyleJumpsBothWaysAndARolledUpFrameComesBackRolledUp) {
    WriteSettings(folder, {"Minimize=MAC"});
    ASSERT_TRUE(Start());
    HWND frame = program->Frame();
    Minimise(*program);
    EXPECT_EQ(HeightsUntil(frame, [](int h) { return h != 270; }), (std::vector<int>{270, CaptionHeight()}));

    program->Command(ID_ICONISE);
    EXPECT_TRUE(FrameShown(false));
    program->Command(ID_TRAY_RESTORE);
    EXPECT_TRUE(FrameShown(true));
    EXPECT_EQ(Height(frame), CaptionHeight());

    Minimise(*program);
    EXPECT_EQ(HeightsUntil(frame, [](int h) { return h != CaptionHeight(); }),
              (std::vector<int>{CaptionHeight(), 270}));
    ASSERT_TRUE(program->Exit());
}

// To the icon: the frame goes, the icon stays. Windows style: to the taskbar.
TEST_F(FrameTest, TheIconStyleLeavesOnlyTheIconAndTheWindowsStyleMinimises) {
    WriteSettings(folder, {"Minimize=ICO"});
    ASSERT_TRUE(Start());
    Minimise(*program);
    EXPECT_TRUE(FrameShown(false));
    EXPECT_TRUE(TrayIconExists(program->Frame()));
    ASSERT_TRUE(program->Exit());

    WriteSettings(folder, {"Minimize=WIN"});
    ASSERT_TRUE(Start());
    Minimise(*program);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(program->Frame()) != FALSE; }));
    EXPECT_TRUE(IsWindowVisible(program->Frame()));
    ASSERT_TRUE(program->Exit());
}

// ---- Starting iconised -------------------------------------------------------

// "-i" anywhere in the command line, even inside a folder name, starts the
// program iconised; "-I" does not; InitIcon does.
TEST_F(FrameTest, StartsIconisedForDashIAnywhereOrInitIcon) {
    const struct {
        const wchar_t* subfolder;
        const char* initIcon;
        bool iconised;
    } cases[] = {{L"my-items", "InitIcon=NOT", true}, {L"my-Items", "InitIcon=NOT", false}, {L"items", "InitIcon=YES", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.subfolder));
        const std::wstring sub = folder.File(c.subfolder);
        CreateDirectoryW(sub.c_str(), nullptr);
        WriteBytes(sub + L"\\s.txt", ListFileBytes({"s"}));
        WriteSettings(folder, {c.initIcon});
        Program started(folder, L"\"" + sub + L"\\s.txt\"");
        HWND frame = started.WaitFrameCreated();
        ASSERT_NE(frame, nullptr);
        // The clock's first tick comes only after the posted iconise command.
        ASSERT_TRUE(WaitUntil([&] { return !WindowText(started.Control(IDC_CLOCK)).empty(); }));
        EXPECT_EQ(IsWindowVisible(frame) == FALSE, c.iconised);
        EXPECT_TRUE(TrayIconExists(frame));
        ASSERT_TRUE(started.Exit());
    }
}

}  // namespace
}  // namespace e2e

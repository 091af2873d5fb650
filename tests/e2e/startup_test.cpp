// Starting and ending the program: the single-instance atom, the command
// line, the about box, the frame's shape and the form's layout.
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using StartupTest = E2eTest;

TEST_F(StartupTest, FirstCopyAddsTheAtomAndDeletesItAtExit) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_TRUE(InstanceAtomExists());
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(InstanceAtomExists());
}

TEST_F(StartupTest, SecondCopyGetsItsOwnWindowAndLeavesTheAtomAlone) {
    Program first(folder);
    ASSERT_TRUE(first.WaitFrame());
    Program second(folder);
    ASSERT_TRUE(second.WaitFrame());
    EXPECT_NE(first.Frame(), second.Frame());

    ASSERT_TRUE(second.Exit());
    EXPECT_TRUE(InstanceAtomExists()) << "a later copy deleted the first copy's atom";
    ASSERT_TRUE(first.Exit());
    EXPECT_FALSE(InstanceAtomExists());
}

TEST_F(StartupTest, MissingCommandLineFileIsReportedAndNothingIsCreated) {
    Program program(folder, L"nosuch.txt");
    HWND box = program.WaitDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(Program::DialogText(box).find("nosuch.txt"), std::string::npos) << Program::DialogText(box);
    EXPECT_EQ(Utf8(WindowText(box)), "Quillstack");
    for (HWND window : program.TopWindows()) EXPECT_NE(ClassName(window), L"FwFrameWnd");

    Program::PressButton(box, IDOK);
    ASSERT_TRUE(program.WaitExit());
    EXPECT_FALSE(FileExists(folder.File(L"Quillstack.ini")));
    EXPECT_FALSE(FileExists(folder.File(L"Quillstack.txt")));
    EXPECT_FALSE(InstanceAtomExists());
}

TEST_F(StartupTest, DashIAloneStartsNormally) {
    Program program(folder, L"-i");
    ASSERT_TRUE(program.WaitFrame());
    ASSERT_TRUE(program.Exit());
    EXPECT_TRUE(FileExists(folder.File(L"Quillstack.ini")));
}

TEST_F(StartupTest, AboutBoxShowsTheVersionAndClosesWithOk) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    program.Command(57664);
    HWND about = program.WaitDialog();
    ASSERT_NE(about, nullptr);
    EXPECT_NE(Program::DialogText(about).find("Quillstack Version 1.80"), std::string::npos)
        << Program::DialogText(about);

    Program::PressButton(about, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(program.Running());
    ASSERT_TRUE(program.Exit());
}

TEST_F(StartupTest, FrameIsFixedAt150By270WithoutSizingBorderOrMaximiseBox) {
    Program program(folder);
    HWND frame = program.WaitFrame();
    ASSERT_NE(frame, nullptr);
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.right - rect.left, 150);
    EXPECT_EQ(rect.bottom - rect.top, 270);
    LONG style = GetWindowLongW(frame, GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_NE(GetMenu(frame), nullptr);
}

TEST_F(StartupTest, EveryControlOfTheFormLiesInsideTheClientArea) {
    Program program(folder);
    HWND frame = program.WaitFrame();
    ASSERT_NE(frame, nullptr);
    HWND view = program.View();
    ASSERT_NE(view, nullptr);

    RECT frameClient{}, viewClient{};
    GetClientRect(frame, &frameClient);
    GetClientRect(view, &viewClient);
    EXPECT_EQ(viewClient.right, frameClient.right);
    EXPECT_EQ(viewClient.bottom, frameClient.bottom);
    LONG style = GetWindowLongW(view, GWL_STYLE);
    EXPECT_EQ(style & (WS_VSCROLL | WS_HSCROLL), 0) << "the view shows scroll bars";

    int controls = 0;
    for (HWND child = GetWindow(view, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_GE(rect.left, 0) << GetDlgCtrlID(child);
        EXPECT_GE(rect.top, 0) << GetDlgCtrlID(child);
        EXPECT_LE(rect.right, viewClient.right) << GetDlgCtrlID(child);
        EXPECT_LE(rect.bottom, viewClient.bottom) << GetDlgCtrlID(child);
        ++controls;
    }
    EXPECT_EQ(controls, 11);  // eight slots, clock, list menu button, scroll bar
    ASSERT_TRUE(program.Exit());
}

}  // namespace
}  // namespace e2e

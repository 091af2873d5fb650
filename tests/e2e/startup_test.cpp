// Starting and ending the program: the single-instance atom, the command
// line, the frame's shape and z-order, the form's layout and the about box.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using StartupTest = E2eTest;

// The file is checked before anything is created: a missing one, one
// another program holds so that it cannot be read, and one whose name the
// ANSI code page cannot hold (the program would look for another name).
TEST_F(StartupTest, CommandLineFileThatCannotBeOpenedIsReportedAndNothingIsCreated) {
    WriteBytes(folder.File(L"held.txt"), ListFileBytes({"held"}));
    WriteBytes(folder.File(Wide("한.txt")), ListFileBytes({"Korean"}));
    HeldFile held(folder.File(L"held.txt"));
    for (const char* name : {"nosuch.txt", "held.txt", "한.txt"}) {
        SCOPED_TRACE(name);
        Program program(folder, Wide(name));
        HWND box = program.WaitDialog();
        ASSERT_NE(box, nullptr);
        EXPECT_NE(Program::DialogText(box).find(name), std::string::npos) << Program::DialogText(box);
        EXPECT_EQ(Utf8(WindowText(box)), "Quillstack");
        for (HWND window : program.TopWindows()) EXPECT_NE(ClassName(window), L"FwFrameWnd");

        Program::PressButton(box, IDOK);
        ASSERT_TRUE(program.WaitExit());
        EXPECT_FALSE(FileExists(folder.File(L"Quillstack.ini")));
        EXPECT_FALSE(FileExists(folder.File(L"Quillstack.txt")));
        EXPECT_FALSE(InstanceAtomExists());
    }
    held.Close();
    EXPECT_EQ(ReadBytes(folder.File(L"held.txt")), ListFileBytes({"held"}));
}

// The first copy owns the atom; a second copy runs too and leaves it.
TEST_F(StartupTest, FirstCopyShowsA150By270FrameAndItsAboutBoxOwnsTheAtomAndLeavesDefaultFiles) {
    Program program(folder);
    HWND frame = program.WaitFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(InstanceAtomExists());
    EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == L"Quill - Quillstack"; })) << Utf8(WindowText(frame));
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_EQ(rect.right - rect.left, 150);
    EXPECT_EQ(rect.bottom - rect.top, 270);
    EXPECT_EQ(GetWindowLongW(frame, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetMenu(frame), nullptr);

    // Under Wine's substitute for the form's font every control must still
    // lie inside the view, and the view must need no scroll bars.
    HWND view = program.View();
    RECT client{}, frameClient{};
    GetClientRect(view, &client);
    GetClientRect(frame, &frameClient);
    EXPECT_TRUE(client.right == frameClient.right && client.bottom == frameClient.bottom);
    EXPECT_EQ(GetWindowLongW(view, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    int controls = 0;
    for (HWND child = GetWindow(view, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++controls) {
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
            << "control " << GetDlgCtrlID(child);
    }
    EXPECT_EQ(controls, 11);  // eight slots, clock, list menu button, scroll bar

    program.Command(ID_APP_ABOUT);
    HWND about = program.WaitDialog();
    ASSERT_NE(about, nullptr);
    EXPECT_NE(Program::DialogText(about).find("Quillstack Version 1.80"), std::string::npos)
        << Program::DialogText(about);
    Program::PressButton(about, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

    Program second(folder);
    ASSERT_TRUE(second.WaitFrame());
    EXPECT_NE(second.Frame(), frame);
    ASSERT_TRUE(second.Exit());
    EXPECT_TRUE(InstanceAtomExists()) << "a later copy deleted the first copy's atom";
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_FALSE(InstanceAtomExists());
    // A first start leaves empty sentence files, and nothing else beside
    // the program and its guide: no temporary file of the safe writes.
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), "");
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack_Title.txt")), "");
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"Quillstack.exe", "Quillstack.ini", "Quillstack.txt",
                                                                  "Quillstack_Title.txt", "help", "quillstack.dll"}));
}

}  // namespace
}  // namespace e2e

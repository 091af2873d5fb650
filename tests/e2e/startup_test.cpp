// Starting and ending the program: the single-instance atom, the command
// line, the frame's shape and z-order, the form's layout and the about box;
// which sentence file a start opens: the one named on the command line,
// else the settings' start file, else the default file, and what a start
// file that cannot be read does. (When changed sentences are written is in
// settings_file_test.cpp, with every way out of the program.)
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// A command-line file is checked before anything is created: a missing one,
// one another program holds so that it cannot be read, and one whose name
// the ANSI code page cannot hold (the program would look for another name).
// Then the first copy owns the atom; a second copy runs too and leaves it.
TEST_F(E2eTest, FirstCopyShowsA150By270FrameOwnsTheAtomAndLeavesDefaultFilesAndABadFileIsReportedFirst) {
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
        EXPECT_FALSE(FileExists(folder.File(L"Quillstack.ini")) || FileExists(folder.File(L"Quillstack.txt")));
        EXPECT_FALSE(InstanceAtomExists());
    }
    held.Close();
    EXPECT_EQ(ReadBytes(folder.File(L"held.txt")), ListFileBytes({"held"}));

    Program program(folder);
    HWND frame = program.WaitFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(InstanceAtomExists());
    EXPECT_TRUE(WaitUntil([&] { return WindowText(frame) == L"Quill - Quillstack"; })) << Utf8(WindowText(frame));
    RECT rect{};
    GetWindowRect(frame, &rect);
    EXPECT_EQ(std::pair(rect.right - rect.left, rect.bottom - rect.top), std::pair(150L, 270L));
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

    // "-i" anywhere in the command line, even inside a file name, starts
    // the program iconised.
    WriteBytes(folder.File(L"my-items.txt"), "");
    Program second(folder, Quoted(folder.File(L"my-items.txt")));
    ASSERT_TRUE(second.WaitFrame(false));
    // The clock's first tick comes only after the iconise command posted at the start.
    EXPECT_TRUE(WaitUntil([&] { return !WindowText(second.Control(IDC_CLOCK)).empty(); }));
    EXPECT_FALSE(IsWindowVisible(second.Frame()));
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
                                                                  "Quillstack_Title.txt", "held.txt", "help",
                                                                  "my-items.txt", "my-items_Title.txt", "quillstack.dll",
                                                                  "한.txt"}));
}

using SentenceFileTest = ProgramTest;

bool HasLine(const std::string& text, const std::string& line) {
    return text.find("\r\n" + line + "\r\n") != std::string::npos;
}

// A file named on the command line, in quotes, with its title file beside
// it: forty entries load with their titles and raise the maximum. "表" ends
// in a byte that reads as a backslash.
TEST_F(SentenceFileTest, NamedFileOfFortyEntriesIsLoadedWithItsTitlesAndRaisesTheMaximum) {
    std::vector<std::string> entries;
    for (int i = 100; i < 140; ++i) entries.push_back("s" + std::to_string(i).substr(1));
    const std::string sentences = ListFileBytes(entries), titles = ListFileBytes({Ansi("あいさつ")});
    ASSERT_TRUE(CreateDirectoryW(folder.File(Wide("my 文書")).c_str(), nullptr));
    const std::wstring file = folder.File(Wide("my 文書\\two 表.txt"));
    const std::wstring titleFile = folder.File(Wide("my 文書\\two 表_Title.txt"));
    WriteBytes(file, sentences);
    WriteBytes(titleFile, titles);
    ASSERT_TRUE(Start(0, Quoted(file)));
    std::vector<std::string> shown(entries.begin(), entries.begin() + 8);
    shown[0] = "あいさつ";
    EXPECT_TRUE(SlotsShow(*program, shown));
    // The scroll bar reaches the 40th entry.
    PostMessageW(program->View(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 32),
                 reinterpret_cast<LPARAM>(program->Control(IDC_SCROLL)));
    EXPECT_TRUE(SlotsShow(*program, {entries.begin() + 32, entries.end()}));
    ASSERT_TRUE(program->Exit());
    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "SentenceMaxCount=40"));
    EXPECT_EQ(ReadBytes(file), sentences);
    EXPECT_EQ(ReadBytes(titleFile), titles);
    // The default file was never the start file.
    EXPECT_FALSE(FileExists(folder.File(L"Quillstack.txt")));
}

// A command line that names no sentence file, the program itself or only a
// switch, loads the settings' start file; the switch is no file to report.
// A Japanese name needs no quotes.
// A start file that cannot be read is reported and the default file used
// instead. The settings forget their start file only when it is gone: not
// when another program holds it, nor when the command line named the file.
// InitIcon starts it iconised.
TEST_F(SentenceFileTest, StartFileIsTheNamedOneElseInitialFileNameAndOneThatCannotBeReadIsReported) {
    WriteList(L"Quillstack.txt", {"default one"});
    WriteList(L"busy.txt", {"busy one"});
    // A Japanese name: its Shift-JIS bytes go through the settings file both ways.
    WriteList(Wide("初期ファイル.txt"), {"initial one"});
    const struct {
        const char* initial;  // InitialFileName
        std::wstring arguments;
        const char* failing;  // held with read access, unless gone
        bool forgotten;
    } cases[] = {
        {"初期ファイル.txt", Quoted(folder.File(L"Quillstack.exe")), "", false},
        {"初期ファイル.txt", L"-i", "", false},
        {"busy.txt", L"", "busy.txt", false},
        {"gone\\busy.txt", L"", "gone\\busy.txt", true},
        {"Quillstack.txt", Quoted(folder.File(L"busy.txt")), "busy.txt", false},
        {"Quillstack.txt", folder.File(Wide("初期ファイル.txt")), "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.arguments) + " " + c.initial);
        const std::string initial = "InitialFileName=" + folder.AnsiFile(c.initial);
        WriteSettings(folder, {initial, "InitIcon=YES"});
        const std::wstring failing = folder.File(Wide(c.failing));
        // A reader that lets others read: the command line's file passes the
        // start's check, and still cannot be loaded.
        std::optional<HeldFile> held;
        if (*c.failing && !c.forgotten) held.emplace(failing, c.arguments.empty() ? 0 : FILE_SHARE_READ, GENERIC_READ);
        program.emplace(folder, c.arguments);
        if (*c.failing) AnswerBox("--" + Utf8(failing) + "--", IDOK);
        EXPECT_TRUE(program->WaitFrame(false) && SlotsShow(*program, {*c.failing ? "default one" : "initial one"}));
        // The clock's first tick comes only after the iconise command posted at the start.
        EXPECT_TRUE(WaitUntil([&] { return !WindowText(program->Control(IDC_CLOCK)).empty(); }));
        EXPECT_FALSE(IsWindowVisible(program->Frame())) << "InitIcon=YES started it shown";
        held.reset();
        ASSERT_TRUE(program->Exit());
        EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), c.forgotten ? "InitialFileName=" : initial));
    }
}

// Changed sentences that cannot be written stop a switch to another file:
// they stay on the panel, and a later switch writes them in place of the
// old file: a hidden file, which stays hidden, at a path of 255 bytes, near
// the limit. The default file is then InitialFileName's.
TEST_F(SentenceFileTest, UnwritableChangesStopTheSwitchAndALongHiddenFileIsRewrittenLater) {
    const std::wstring longFolder = folder.File(std::wstring(199 - folder.Path().size(), L'd'));
    ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
    const std::wstring named = longFolder + L"\\" + std::wstring(50, L's') + L".txt";
    ASSERT_EQ(named.size(), 255u);
    WriteBytes(named, ListFileBytes({"named"}));
    ASSERT_TRUE(SetFileAttributesW(named.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteList(L"initial.txt", {"initial"});
    WriteSettings(folder, {"InitialFileName=" + folder.AnsiFile("initial.txt")});
    ASSERT_TRUE(Start(0, Quoted(named)));
    ASSERT_TRUE(writer.Put("changed"));
    ASSERT_TRUE(ChooseOnSlot(1, kRegister));
    ASSERT_TRUE(SlotsShow(*program, {"named", "changed"}));
    {
        HeldFile held(named);
        program->Command(ID_FILE_DEFAULT);
        AnswerBox("--" + Utf8(named) + "--", IDOK);
        ASSERT_TRUE(Answers(*program));
        EXPECT_TRUE(SlotsShow(*program, {"named", "changed"}, 0ms));
    }
    program->Command(ID_FILE_DEFAULT);
    EXPECT_TRUE(SlotsShow(*program, {"initial"}));
    EXPECT_EQ(ReadBytes(named), ListFileBytes({"named", "changed"}));
    EXPECT_TRUE(GetFileAttributesW(named.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

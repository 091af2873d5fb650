// The settings file beside the program: what a first start leaves, how a
// hand-written file is read and written back, a file another program holds,
// and that every way out of the program writes the settings and the changed
// sentences.
#include <algorithm>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using SettingsFileTest = E2eTest;

const char kDefaultSettings[] =
    "//// Quillstack for Windows //////\r\n"
    "\r\n"
    "[Options]\r\n"
    "Minimize=ANI\r\n"
    "SaveWithDialog=NOT\r\n"
    "ShowTopMost=YES\r\n"
    "EnableTimeTag=NOT\r\n"
    "InitIcon=NOT\r\n"
    "BkColor=15132390\r\n"
    "View=0\r\n"
    "SentenceMaxCount=16\r\n"
    "InitialFileName=\r\n"
    "\r\n"
    "[TimeCopy]\r\n"
    "Date=0\r\n"
    "Time=0\r\n"
    "TimeCopyTemplate=<D>, <T>\r\n"
    "\r\n"
    "[ShortCutKey]\r\n"
    "UseSCKey=NOT\r\n"
    "UseNumPad=YES\r\n"
    "AdditionalCode=0\r\n"
    "KeyCode=   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0\r\n"
    "\r\n"
    "[URL Recent]\r\n"
    "URLBegin=\r\n"
    "URLEnd=\r\n"
    "\r\n"
    "[Recent File]\r\n"
    "RecentCount=5\r\n"
    "Recent File=\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "\r\n";

// Names of the files in a folder, sorted.
std::vector<std::string> FilesIn(const TempFolder& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder.Path() + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(Utf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(SettingsFileTest, FirstStartLeavesTheDefaultFileAndEmptySentenceFiles) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ASSERT_TRUE(program.Exit());

    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.ini")), kDefaultSettings);
    EXPECT_TRUE(FileExists(folder.File(L"Quillstack.txt")));
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), "");
    EXPECT_TRUE(FileExists(folder.File(L"Quillstack_Title.txt")));
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack_Title.txt")), "");
    // Nothing else: no temporary file of the safe writes is left behind.
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"Quillstack.exe", "Quillstack.ini", "Quillstack.txt",
                                                         "Quillstack_Title.txt"}));
}

TEST_F(SettingsFileTest, HandWrittenFileIsReadAndWrittenBackInCanonicalForm) {
    const std::string start = folder.AnsiFile("start.txt");
    WriteBytes(folder.File(L"start.txt"), ListFileBytes({"start one", "start two"}));
    // Keys out of order, most section headers missing, values the program
    // must read leniently.
    WriteBytes(folder.File(L"Quillstack.ini"),
               "; kept by hand\r\n"
               "KeyCode=  -1:  65:  6\r\n"
               "ShowTopMost=yes\r\n"
               "Minimize=XYZ\r\n"
               "URLBegin=mailto: ,  news:,,gopher:\r\n"
               "URLEnd=>,)\r\n"
               "[Options]\r\n"
               "View=2\r\n"
               "BkColor=     255\r\n"
               "TimeCopyTemplate=<T> (<D>)\r\n"
               "SentenceMaxCount=30\r\n"
               "InitialFileName=" +
                   start +
                   "\r\n"
                   "SaveWithDialog=no\r\n"
                   "AdditionalCode=2\r\n"
                   "UseNumPad=NOT\r\n"
                   "Date=1\r\n"
                   "Time=1\r\n"
                   "RecentCount=7\r\n"
                   "Recent File=\r\n"
                   "C:\\one\\a.txt\r\n"
                   "C:\\two\\b.txt\r\n"
                   "C:\\three\\c.txt\r\n");

    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    // The start file came from InitialFileName.
    EXPECT_EQ(program.SlotText(0), "start one");
    EXPECT_EQ(program.SlotText(1), "start two");
    ASSERT_TRUE(program.Exit());

    const std::string expected =
        "//// Quillstack for Windows //////\r\n"
        "\r\n"
        "[Options]\r\n"
        "Minimize=ANI\r\n"
        "SaveWithDialog=YES\r\n"
        "ShowTopMost=NOT\r\n"
        "EnableTimeTag=NOT\r\n"
        "InitIcon=NOT\r\n"
        "BkColor=     255\r\n"
        "View=2\r\n"
        "SentenceMaxCount=30\r\n"
        "InitialFileName=" +
        start +
        "\r\n"
        "\r\n"
        "[TimeCopy]\r\n"
        "Date=1\r\n"
        "Time=1\r\n"
        "TimeCopyTemplate=<T> (<D>)\r\n"
        "\r\n"
        "[ShortCutKey]\r\n"
        "UseSCKey=NOT\r\n"
        "UseNumPad=NOT\r\n"
        "AdditionalCode=2\r\n"
        "KeyCode=  -1:  65:   6:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0\r\n"
        "\r\n"
        "[URL Recent]\r\n"
        "URLBegin=mailto: ,news:\r\n"
        "URLEnd=>,)\r\n"
        "\r\n"
        "[Recent File]\r\n"
        "RecentCount=7\r\n"
        "Recent File=\r\n"
        "C:\\one\\a.txt\r\n"
        "C:\\two\\b.txt\r\n"
        "C:\\three\\c.txt\r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "\r\n"
        "\r\n";
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.ini")), expected);
}

TEST_F(SettingsFileTest, FileHeldByAnotherProgramGivesDefaultsAndIsLeftAsItWas) {
    WriteBytes(folder.File(L"other.txt"), ListFileBytes({"not wanted"}));
    const std::string original = "InitialFileName=" + folder.AnsiFile("other.txt") +
                                 "\r\n"
                                 "SentenceMaxCount=40\r\n";
    WriteBytes(folder.File(L"Quillstack.ini"), original);
    HeldFile held(folder.File(L"Quillstack.ini"));
    ASSERT_TRUE(held.IsOpen());

    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    // On defaults the start file is the default one, not InitialFileName's.
    EXPECT_EQ(program.SlotText(0), "未登録");
    EXPECT_EQ(Utf8(WindowText(program.Frame())), "Quill - Quillstack");
    // The capture works as ever.
    ClipboardWriter clipboard;
    ASSERT_TRUE(clipboard.Put("held capture"));
    program.Command(32801);  // show the clipboard history
    EXPECT_TRUE(WaitUntil([&] { return program.SlotText(0) == "held capture"; })) << program.SlotText(0);

    held.Close();
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.ini")), original);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"Quillstack.exe", "Quillstack.ini", "Quillstack.txt",
                                                         "Quillstack_Title.txt", "other.txt"}));
}

TEST_F(SettingsFileTest, FileHeldAtExitIsLeftAsItWasAndTheExitGoesOnSilently) {
    const std::string original = "SentenceMaxCount=20\r\n";
    WriteBytes(folder.File(L"Quillstack.ini"), original);
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());

    HeldFile held(folder.File(L"Quillstack.ini"));
    ASSERT_TRUE(program.Exit()) << "the exit stopped, perhaps at a message";
    EXPECT_EQ(program.ExitCode(), 0u);
    held.Close();
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.ini")), original);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"Quillstack.exe", "Quillstack.ini", "Quillstack.txt",
                                                         "Quillstack_Title.txt"}));
}

// ---- Every way out saves ---------------------------------------------------

enum class WayOut { ExitCommand, SysCommandClose, WmClose, AltF4, EndSession };

std::string Name(const ::testing::TestParamInfo<WayOut>& info) {
    switch (info.param) {
    case WayOut::ExitCommand:
        return "ExitCommand";
    case WayOut::SysCommandClose:
        return "CloseBox";
    case WayOut::WmClose:
        return "WmClose";
    case WayOut::AltF4:
        return "AltF4";
    case WayOut::EndSession:
        return "EndOfSession";
    }
    return "Unknown";
}

// Alt+F4 typed on the keyboard: the keys go through the system's input queue
// to the program's focus window, whose default handling closes the frame.
bool TypeAltF4(HWND frame) {
    SetForegroundWindow(frame);
    if (!WaitUntil([&] { return GetForegroundWindow() == frame; }, 5s)) return false;
    INPUT keys[4]{};
    const WORD codes[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return SendInput(4, keys, sizeof(INPUT)) == 4;
}

class WayOutTest : public E2eTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(WayOutTest, WritesTheSettingsAndTheChangedSentences) {
    Program program(folder);
    HWND frame = program.WaitFrame();
    ASSERT_NE(frame, nullptr);
    ClipboardWriter clipboard;
    ASSERT_TRUE(clipboard.Put("kept at exit"));
    ASSERT_TRUE(RegisterClipboardIntoSlot(program, 1));
    ASSERT_EQ(program.SlotText(1), "kept at exit");

    const std::string sentences = ListFileBytes({"", "kept at exit"});
    switch (GetParam()) {
    case WayOut::ExitCommand:
        program.Command(57665);
        break;
    case WayOut::SysCommandClose:
        PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case WayOut::WmClose:
        PostMessageW(frame, WM_CLOSE, 0, 0);
        break;
    case WayOut::AltF4:
        ASSERT_TRUE(TypeAltF4(frame));
        break;
    case WayOut::EndSession: {
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutW(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                                        &answer));
        EXPECT_NE(answer, 0u) << "the program refused to let the session end";
        ASSERT_TRUE(
            SendMessageTimeoutW(frame, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer));
        // Windows may end the process as soon as WM_ENDSESSION returns:
        // everything must be on disk by then.
        EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.ini")), kDefaultSettings);
        EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), sentences);
        break;
    }
    }
    ASSERT_TRUE(program.WaitExit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.ini")), kDefaultSettings);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), sentences);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack_Title.txt")), "");
}

INSTANTIATE_TEST_SUITE_P(EveryWay, WayOutTest,
                         ::testing::Values(WayOut::ExitCommand, WayOut::SysCommandClose, WayOut::WmClose,
                                           WayOut::AltF4, WayOut::EndSession),
                         Name);

}  // namespace
}  // namespace e2e

// Starting and ending the program: the single-instance atom, the frame and
// the form's layout, which sentence file a start opens, and what every way
// out writes.
#include <optional>
#include <ostream>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// A command-line file is checked before anything is created: a missing one,
// a held one, and one whose name the ANSI code page cannot hold. Then the
// first copy owns the atom; a second copy runs too and leaves it.
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

    // "-i" anywhere in the command line, even inside a file name, iconises.
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
    // Empty sentence files, and no temporary file of the safe writes.
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

// A command line naming no sentence file (the program itself, a switch)
// loads the settings' start file. A Japanese name needs no quotes. A start
// file that cannot be read is reported and the default file used; the
// settings forget it only when it is gone. InitIcon starts it iconised.
TEST_F(SentenceFileTest, StartFileIsTheNamedOneElseInitialFileNameAndOneThatCannotBeReadIsReported) {
    WriteList(L"Quillstack.txt", {"default one"});
    WriteList(L"busy.txt", {"busy one"});
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
        // Shared for reading: the command line's file passes the start's check.
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

// Changed sentences that cannot be written stop a switch to another file;
// a later switch writes them over the old file: hidden, which stays hidden,
// at a path of 255 bytes. The default file is then InitialFileName's.
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

// Every way out writes the settings and, unless told otherwise, the changed
// sentences.
enum class Way { ExitCommand, ExitWithoutSaving, AltF4, EndOfSession };

struct ExitCase {
    const char* name;
    Way way;
    const char* settings;  // the settings file at the start
    const wchar_t* held;   // a file that another program holds at the exit
    const char* box;       // the start of the message naming the sentence file, if one comes
    int answer;            // the button that answers it
    bool heldAtStart;      // `held` is held through the start instead, and let go before the exit
};

void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }

const char kSaveQuestion[] = "変更を保存します\n[FILE] : ";
const char kWriteFailed[] = "登録ファイルが見つかりません。\n--登録ファイルが開けません--\n--";

// A failed write leaves the old file: for the sentences it says so and the
// program stays until the exit comes again, for the settings it is silent.
// A settings file held through the start gives defaults and is left alone.
const ExitCase kExitCases[] = {
    {"ExitWithoutSaving", Way::ExitWithoutSaving, "", nullptr, nullptr, 0, false},
    {"AltF4", Way::AltF4, "", nullptr, nullptr, 0, false},
    {"EndOfSession", Way::EndOfSession, "", nullptr, nullptr, 0, false},
    {"AskedYes", Way::ExitCommand, "SaveWithDialog=YES\r\n", nullptr, kSaveQuestion, IDYES, false},
    {"AskedNo", Way::ExitCommand, "SaveWithDialog=YES\r\n", nullptr, kSaveQuestion, IDNO, false},
    {"SentenceFileHeld", Way::ExitCommand, "", L"Quillstack.txt", kWriteFailed, IDOK, false},
    {"SettingsFileHeld", Way::ExitCommand, "SentenceMaxCount=20\r\n", L"Quillstack.ini", nullptr, 0, false},
    {"SettingsFileHeldAtStart", Way::ExitCommand, "SaveWithDialog=YES\r\n", L"Quillstack.ini", nullptr, 0, true},
};

class ExitTest : public ProgramTest, public ::testing::WithParamInterface<ExitCase> {};

INSTANTIATE_TEST_SUITE_P(EveryWay, ExitTest, ::testing::ValuesIn(kExitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(ExitTest, WritesTheSettingsAndTheRegisteredSentenceUnlessToldOtherwise) {
    const ExitCase& c = GetParam();
    const std::wstring sentenceFile = folder.File(L"Quillstack.txt"), settingsFile = folder.File(L"Quillstack.ini");
    const std::string original = ListFileBytes({"kept"});
    const std::string registered = ListFileBytes({"kept", Ansi("新しい文")});
    WriteBytes(settingsFile, c.settings);
    WriteBytes(sentenceFile, original);
    std::optional<HeldFile> held;
    if (c.heldAtStart) held.emplace(folder.File(c.held));
    ASSERT_TRUE(Start());
    held.reset();
    ASSERT_TRUE(writer.Put(Ansi("新しい文")));
    ASSERT_TRUE(ChooseOnSlot(1, kRegister));
    EXPECT_TRUE(SlotsShow(*program, {"kept", "新しい文"}));
    EXPECT_EQ(ReadBytes(sentenceFile), original) << "written before the exit";

    if (c.held && !c.heldAtStart) held.emplace(folder.File(c.held));
    const HWND frame = program->Frame();
    DWORD_PTR answer = 0;
    // Windows may end the process as soon as WM_ENDSESSION returns:
    // everything must be on disk by then.
    switch (c.way) {
    case Way::ExitCommand:
        program->Command(ID_APP_EXIT);
        break;
    case Way::ExitWithoutSaving:
        program->Command(ID_FILE_EXIT_NOSAVE);
        break;
    case Way::AltF4:  // to the focus window, whose default handling closes the frame
        ASSERT_TRUE(TypeKeys(frame, {VK_MENU, VK_F4}));
        break;
    case Way::EndOfSession:
        ASSERT_TRUE(SendMessageTimeoutW(frame, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer));
        EXPECT_NE(answer, 0u) << "the program refused to let the session end";
        ASSERT_TRUE(SendMessageTimeoutW(frame, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer));
        EXPECT_EQ(ReadBytes(settingsFile), Canonical(c.settings));
        EXPECT_EQ(ReadBytes(sentenceFile), registered);
        break;
    }
    if (c.box) AnswerBox(c.box + Utf8(sentenceFile), c.answer);
    if (c.box == kWriteFailed) {
        EXPECT_TRUE(Answers(*program)) << "the program went with changes it could not write";
        held.reset();
        program->Command(ID_APP_EXIT);
    }
    ASSERT_TRUE(program->WaitExit()) << "the exit stopped, perhaps at a message";
    EXPECT_EQ(program->ExitCode(), 0u);
    held.reset();
    const bool settingsHeld = c.held && std::wstring_view(c.held) == L"Quillstack.ini";
    EXPECT_EQ(ReadBytes(settingsFile), settingsHeld ? c.settings : Canonical(c.settings));
    const bool written = c.way != Way::ExitWithoutSaving && c.answer != IDNO;
    EXPECT_EQ(ReadBytes(sentenceFile), written ? registered : original);
}

}  // namespace
}  // namespace e2e

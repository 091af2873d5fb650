// The settings file beside the program: a file another program holds, and
// that every way out of the program writes the settings and, unless told
// otherwise, the changed sentences. (How each key is read and written is
// the core's tests.)
#include <optional>
#include <ostream>

#include "core/settings_text.h"
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// What the program writes after reading `text`: the core's canonical form,
// whose bytes the core's unit tests check line by line.
std::string Canonical(std::string_view text) {
    qs::Settings settings;
    qs::StringList urlBegin, urlEnd, recentFiles(9);
    qs::ReadSettingsText(text, settings, urlBegin, urlEnd, recentFiles);
    return qs::WriteSettingsText(settings, urlBegin, urlEnd, recentFiles);
}

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

void PrintTo(const ExitCase& c, std::ostream* os) {
    *os << c.name;
}

const char kSaveQuestion[] = "変更を保存します\n[FILE] : ";
const char kWriteFailed[] = "登録ファイルが見つかりません。\n--登録ファイルが開けません--\n--";

// Only the exit without saving and the answer No leave the sentences. A failed
// write leaves the old file as it was; for the sentences it says so and the
// program stays until the file is let go and the exit command comes again,
// for the settings it stays silent and the exit goes on. A settings file
// held through the start gives defaults (no question at the exit) and is
// left as it was.
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
    // Alt+F4 goes through the system's input queue to the program's focus
    // window, whose default handling closes the frame as its close box does.
    const WORD keys[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
    INPUT typed[4]{};
    for (int i = 0; i < 4; ++i) typed[i] = {INPUT_KEYBOARD, {.ki = {keys[i], 0, i < 2 ? 0u : KEYEVENTF_KEYUP, 0, 0}}};
    // Windows may end the process as soon as WM_ENDSESSION returns:
    // everything must be on disk by then.
    switch (c.way) {
    case Way::ExitCommand:
        program->Command(ID_APP_EXIT);
        break;
    case Way::ExitWithoutSaving:
        program->Command(ID_FILE_EXIT_NOSAVE);
        break;
    case Way::AltF4:
        SetForegroundWindow(frame);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == frame; }, 5s));
        ASSERT_EQ(SendInput(4, typed, sizeof(INPUT)), 4u);
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

// The new-file wizard of the real program: pages collected with "次へ",
// both files written by "終了" through the real Save As dialog, the new
// file opened; its keys, and a write that fails.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class NewFileWizardTest : public ProgramTest {
protected:
    // Through the menu command, or Ctrl+N typed: the keys go through the
    // system's input queue to the frame, whose accelerators make the
    // command. The wizard stays under the boxes and dialogs it brings up,
    // so those are waited for past it.
    void Open(bool typed = false) {
        if (typed) {
            SetForegroundWindow(program->Frame());
            ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == program->Frame(); }, 5s));
            INPUT keys[4]{};
            const WORD codes[4] = {VK_CONTROL, 'N', 'N', VK_CONTROL};
            for (int i = 0; i < 4; ++i) keys[i] = {INPUT_KEYBOARD, {.ki = {codes[i], 0, i < 2 ? 0u : KEYEVENTF_KEYUP, 0, 0}}};
            ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
        } else {
            program->Command(ID_FILE_NEW);
        }
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(wizard = FindWindowW(L"#32770", L"新規作成")); }));
        program->IgnoreWindow(wizard);
    }
    std::string Text(int id) const {
        wchar_t text[1024] = {};
        DWORD_PTR result = 0;
        SendMessageTimeoutW(GetDlgItem(wizard, id), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                            5000, &result);
        return Utf8(text);
    }
    void Fill(std::string_view title, std::string_view body) const {
        SetWindowTextW(GetDlgItem(wizard, IDC_WIZARD_TITLE), Wide(title).c_str());
        SetWindowTextW(GetDlgItem(wizard, IDC_WIZARD_BODY), Wide(body).c_str());
    }
    // "次へ", then the next page's counter.
    bool Next(const std::string& counter) const {
        Program::PressButton(wizard, IDC_WIZARD_NEXT);
        return WaitUntil([&] { return Text(IDC_WIZARD_COUNTER) == counter; });
    }
    bool Gone() const { return WaitUntil([&] { return !IsWindow(wizard); }) && Answers(*program); }

    HWND wizard = nullptr;
};

// Ctrl+N opens it. "終了" with nothing collected, and Cancel in the Save As
// dialog, end it without a file; Enter in the body makes a new line, in the
// title it presses "終了". The counter reads "登録文 １" (full-width) on the
// first page, then ASCII digits. An empty body is refused by "次へ". Titles
// stay with their bodies, empty ones too. A file that cannot be written is
// named and the wizard stays with its pages; "終了" again writes each page
// once. The new file opens, first among the recent files; written over the
// open file, whose sentences were changed, it stands with no question.
TEST_F(NewFileWizardTest, WritesThePagesAndTheirTitlesAndOpensTheNewFile) {
    WriteSettings(folder, {"SaveWithDialog=YES"});
    WriteList(L"Quillstack.txt", {"old"});
    ASSERT_TRUE(Start());
    const std::vector<std::string> files = FileNames(folder.Path());
    ASSERT_NO_FATAL_FAILURE(Open(true));
    Fill("only a title", "");
    Program::PressButton(wizard, IDOK);
    EXPECT_TRUE(Gone());
    ASSERT_NO_FATAL_FAILURE(Open(true));
    HWND body = GetDlgItem(wizard, IDC_WIZARD_BODY), title = GetDlgItem(wizard, IDC_WIZARD_TITLE);
    for (wchar_t key : {L'a', L'b'}) PostMessageW(body, WM_CHAR, key, 1);
    PostMessageW(body, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(WaitUntil([&] { return Text(IDC_WIZARD_BODY) == "ab\r\n"; })) << Text(IDC_WIZARD_BODY);
    EXPECT_TRUE(IsWindowVisible(wizard));
    PostMessageW(title, WM_CHAR, L't', 1);
    PostMessageW(title, WM_KEYDOWN, VK_RETURN, 1);
    AnswerFileDialog(std::nullopt);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(FileNames(folder.Path()), files);

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Text(IDC_WIZARD_COUNTER), "登録文 １");
    Fill("T0", "");
    Program::PressButton(wizard, IDC_WIZARD_NEXT);
    AnswerBox("登録文を入力してください", IDOK);
    EXPECT_TRUE(Text(IDC_WIZARD_COUNTER) == "登録文 １" && Text(IDC_WIZARD_TITLE) == "T0");
    Fill("T1", "本文一\r\n二行目");
    ASSERT_TRUE(Next("登録文 2"));
    EXPECT_TRUE(Text(IDC_WIZARD_TITLE).empty() && Text(IDC_WIZARD_BODY).empty());
    Fill("", "B2");
    ASSERT_TRUE(Next("登録文 3"));
    Fill("T3", "B3");
    const std::wstring file = folder.File(L"new.txt");
    {
        HeldFile held(file);
        Program::PressButton(wizard, IDOK);
        AnswerFileDialog(file, true);
        AnswerBox("--" + Utf8(file) + "--", IDOK);
        ASSERT_TRUE(Answers(*program));
        EXPECT_TRUE(IsWindowVisible(wizard));
        EXPECT_TRUE(Text(IDC_WIZARD_BODY) == "B3" && Text(IDC_WIZARD_COUNTER) == "登録文 3");
    }
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_FALSE(FileExists(folder.File(L"new_Title.txt")));
    Program::PressButton(wizard, IDOK);
    AnswerFileDialog(file, true);
    ASSERT_TRUE(Gone());
    EXPECT_EQ(ReadBytes(file), ListFileBytes({Ansi("本文一\r\n二行目"), "B2", "B3"}));
    EXPECT_EQ(ReadBytes(folder.File(L"new_Title.txt")), ListFileBytes({"T1", "", "T3"}));
    EXPECT_TRUE(SlotsShow(*program, {"T1", "B2", "T3"}));

    ASSERT_TRUE(writer.Put("changed"));
    ASSERT_TRUE(ChooseOnSlot(1, kRegister));
    ASSERT_TRUE(SlotsShow(*program, {"T1", "changed", "T3"}));
    ASSERT_NO_FATAL_FAILURE(Open());
    Fill("", "new");
    Program::PressButton(wizard, IDOK);
    AnswerFileDialog(file, true);
    ASSERT_TRUE(Gone());
    EXPECT_TRUE(SlotsShow(*program, {"new"}));
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(ReadBytes(file), ListFileBytes({"new"}));
    EXPECT_EQ(ReadBytes(folder.File(L"new_Title.txt")), ListFileBytes({""}));
    const std::string settings = ReadBytes(folder.File(L"Quillstack.ini"));
    EXPECT_NE(settings.find("Recent File=\r\n" + folder.AnsiFile("new.txt") + "\r\n"), std::string::npos) << settings;
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"old"}));
}

}  // namespace
}  // namespace e2e

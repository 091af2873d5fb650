// The file and join commands through the system's real open and save
// dialogs and the join-destination dialog.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class FileCommandsTest : public ProgramTest {
protected:
    HWND WaitJoinDialog() const {
        HWND dialog = program->WaitDialog();
        EXPECT_EQ(Utf8(WindowText(dialog)), "結合");
        EXPECT_EQ(Program::DialogText(dialog), "結合したファイルの保存先を選択してください");
        return dialog;
    }

    std::wstring FolderName() const { return folder.Path().substr(folder.Path().rfind(L'\\') + 1); }
};

TEST_F(FileCommandsTest, FilesAreOpenedAndSentencesSavedUnderTheirOwnNameOrAnother) {
    WriteSettings(folder, {"SaveWithDialog=YES", "ShowTopMost=NOT"});
    WriteList(L"Quillstack.txt", {"Default A"});
    WriteList(L"b.txt", {"B one"});
    WriteList(Wide("表.txt"), {"表 one"});  // the second byte of "表" reads as a backslash
    const std::wstring b = folder.File(L"b.txt"), hyo = folder.File(Wide("表.txt")), d = folder.File(L"d.txt");
    const std::wstring cafe = folder.File(L"caf\u00e9.txt");  // not in the code page
    ASSERT_TRUE(Start());
    EXPECT_EQ(GetWindowLongW(program->Frame(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    program->Command(ID_FILE_OPEN);
    EXPECT_EQ(AnswerFileDialog(std::nullopt).first, FolderName());
    program->Command(ID_FILE_OPEN);
    AnswerFileDialog(cafe);
    AnswerBox("--" + Utf8(cafe) + "--", IDOK);
    // An empty recent-files item tries an empty name.
    program->Command(ID_RECENT_FIRST + 4);
    AnswerBox("--登録ファイルが開けません--\n----", IDOK);
    EXPECT_TRUE(SlotsShow(*program, {"Default A"}));
    for (const std::wstring& path : {b, hyo, b}) {
        program->Command(ID_FILE_OPEN);
        AnswerFileDialog(path);
    }
    EXPECT_TRUE(SlotsShow(*program, {"B one"}));
    EXPECT_EQ(Utf8(WindowText(program->Frame())), "Quill - Quillstack");

    // Under its own name the mark goes: loading the default file asks nothing.
    program->Command(ID_RECENT_FIRST + 1);
    ASSERT_TRUE(SlotsShow(*program, {"表 one"}));
    ASSERT_TRUE(Copy("new"));
    ASSERT_TRUE(ChooseOnSlot(1, 2));
    program->Command(ID_SAVE_SENTENCES);
    EXPECT_EQ(AnswerFileDialog(hyo, true), std::make_pair(FolderName(), Wide("表.txt")));
    EXPECT_EQ(ReadBytes(hyo), ListFileBytes({Ansi("表 one"), "new"}));
    program->Command(ID_FILE_DEFAULT);
    EXPECT_TRUE(SlotsShow(*program, {"Default A"}));

    // Under another name that file becomes the open one, still changed.
    ASSERT_TRUE(ChooseOnSlot(0, 2));
    program->Command(ID_SAVE_SENTENCES);
    AnswerFileDialog(d);
    EXPECT_EQ(ReadBytes(d), ListFileBytes({"new"}));
    program->Command(ID_APP_EXIT);
    AnswerBox("変更を保存します\n[FILE] : " + Utf8(d), IDNO);
    ASSERT_TRUE(program->WaitExit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"Default A"}));
    // Each open put its file first; the recent command did not reorder them.
    const std::string recent = "Recent File=\r\n" + folder.AnsiFile("b.txt") + "\r\n" + folder.AnsiFile("表.txt") + "\r\n\r\n";
    EXPECT_NE(ReadBytes(folder.File(L"Quillstack.ini")).find(recent), std::string::npos);
}

TEST_F(FileCommandsTest, HistoriesAndJoinedListsGoToFilesOrTheClipboard) {
    WriteList(L"Quillstack.txt", {"S0", "", "S2"});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("c http://u.example/"));
    const struct {
        UINT command;
        bool join;
        std::string bytes;
    } saves[] = {
        {ID_SAVE_CLIPHISTORY, false, ListFileBytes({"c http://u.example/"})},
        {ID_SAVE_URLHISTORY, false, ListFileBytes({"http://u.example/"})},
        {ID_JOIN_SENTENCES, true, "S0\r\n\r\nS2\r\n"},
        {ID_JOIN_CLIPHISTORY, true, "c http://u.example/\r\n"},
        {ID_JOIN_URLHISTORY, true, "http://u.example/\r\n"},
    };
    for (const auto& save : saves) {
        const std::wstring file = folder.File(std::to_wstring(save.command) + L".txt");
        program->Command(save.command);
        if (save.join) Program::PressButton(WaitJoinDialog(), IDC_JOIN_FILE);
        EXPECT_EQ(AnswerFileDialog(file).first, FolderName());
        EXPECT_EQ(ReadBytes(file), save.bytes) << save.command;
    }

    // Owned by the frame, the joined text is recorded like another copy.
    EXPECT_EQ(CopiedBy([&] {
                  program->Command(ID_JOIN_SENTENCES);
                  Program::PressButton(WaitJoinDialog(), IDC_JOIN_CLIPBOARD);
              }),
              "S0\r\n\r\nS2\r\n");
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"S0\r\n\r\nS2\r\n", "c http://u.exa"}));

    // Enter presses "中止", as Escape and the close box do: nothing joined.
    const std::pair<UINT, WPARAM> ways[] = {{WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& [message, wParam] : ways) {
        const DWORD sequence = GetClipboardSequenceNumber();
        program->Command(ID_JOIN_CLIPHISTORY);
        HWND dialog = WaitJoinDialog();
        PostMessageW(dialog, message, wParam, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }) && Answers(*program)) << wParam;
        EXPECT_EQ(program->WaitWindow(L"#32770", 0ms), nullptr) << wParam;
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << wParam;
    }
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

// The file, list and join commands through the real open and save dialogs.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Down-arrow presses from the first item of the "▼" menu (the separator
// after the three lists is skipped).
enum ListMenuItem { kMenuSentences, kMenuClipHistory, kMenuUrlHistory, kMenuFirstRecent = 4 };

class FileCommandsTest : public ProgramTest {
protected:
    bool ChooseFromListMenu(int downs) {
        program->Click(IDC_LISTMENU);
        HWND menu = program->WaitPopupMenu();
        return menu && ChooseFromPopupMenu(menu, downs);
    }

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
    for (const std::wstring& path : {cafe, b, hyo, b}) {
        program->Command(ID_FILE_OPEN);
        EXPECT_EQ(AnswerFileDialog(path).first, FolderName());
        if (path == cafe) AnswerBox("--" + Utf8(cafe) + "--", IDOK);
    }
    // An empty recent-files item tries an empty name; a failed load keeps the list.
    program->Command(ID_RECENT_FIRST + 4);
    AnswerBox("--登録ファイルが開けません--\n----", IDOK);
    EXPECT_TRUE(SlotsShow(*program, {"B one"}));
    EXPECT_EQ(Utf8(WindowText(program->Frame())), "Quill - Quillstack");

    // Under its own name the mark goes: loading the default file asks nothing.
    program->Command(ID_RECENT_FIRST + 1);
    ASSERT_TRUE(SlotsShow(*program, {"表 one"}));
    ASSERT_TRUE(Copy("new"));
    ASSERT_TRUE(ChooseOnSlot(1, kRegister));
    program->Command(ID_SAVE_SENTENCES);
    EXPECT_EQ(AnswerFileDialog(hyo, true), std::make_pair(FolderName(), Wide("表.txt")));
    EXPECT_EQ(ReadBytes(hyo), ListFileBytes({Ansi("表 one"), "new"}));
    program->Command(ID_FILE_DEFAULT);
    EXPECT_TRUE(SlotsShow(*program, {"Default A"}));

    // Under another name that file becomes the open one, still changed.
    ASSERT_TRUE(ChooseOnSlot(0, kRegister));
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

TEST_F(FileCommandsTest, HistoriesAndJoinedListsGoToFilesOrTheClipboardAndTheListMenuSwitchesLists) {
    WriteList(L"Quillstack.txt", {"S0", "", "S2"});
    WriteList(Wide("他の文.txt"), {"Other B"});
    WriteList(L"third.txt", {"Third C"});
    // The recent files in the order the settings file keeps them.
    const std::string recent =
        "Recent File=\r\n" + folder.AnsiFile("他の文.txt") + "\r\n" + folder.AnsiFile("third.txt") + "\r\n";
    WriteBytes(folder.File(L"Quillstack.ini"), "RecentCount=5\r\n" + recent);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("c http://u.example/"));
    const std::tuple<UINT, bool, std::string> saves[] = {  // command, join, bytes
        {ID_SAVE_CLIPHISTORY, false, ListFileBytes({"c http://u.example/"})},
        {ID_SAVE_URLHISTORY, false, ListFileBytes({"http://u.example/"})},
        {ID_JOIN_SENTENCES, true, "S0\r\n\r\nS2\r\n"},
        {ID_JOIN_CLIPHISTORY, true, "c http://u.example/\r\n"},
        {ID_JOIN_URLHISTORY, true, "http://u.example/\r\n"},
    };
    for (const auto& [command, join, bytes] : saves) {
        const std::wstring file = folder.File(std::to_wstring(command) + L".txt");
        program->Command(command);
        if (join) Program::PressButton(WaitJoinDialog(), IDC_JOIN_FILE);
        EXPECT_EQ(AnswerFileDialog(file).first, FolderName());
        EXPECT_EQ(ReadBytes(file), bytes) << command;
    }

    // Owned by the frame, the joined text is recorded like another copy.
    EXPECT_EQ(CopiedBy([&] {
                  program->Command(ID_JOIN_SENTENCES);
                  Program::PressButton(WaitJoinDialog(), IDC_JOIN_CLIPBOARD);
              }),
              "S0\r\n\r\nS2\r\n");
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"S0\r\n\r\nS2\r\n", "c http://u.exa"}));

    // Enter presses "中止": nothing joined.
    const DWORD sequence = GetClipboardSequenceNumber();
    program->Command(ID_JOIN_CLIPHISTORY);
    HWND dialog = WaitJoinDialog();
    // On Windows a focused push button takes Enter; Wine leaves it to the
    // default button, so the focus is checked itself.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
    EXPECT_EQ(GetDlgCtrlID(thread.hwndFocus), IDCANCEL);
    PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }) && Answers(*program));
    EXPECT_EQ(program->WaitWindow(L"#32770", 0ms), nullptr) << "Enter joined";
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);

    // Items of the "▼" menu, or (item -1) commands sent.
    const std::tuple<int, UINT, std::vector<std::string>> steps[] = {
        {kMenuUrlHistory, 0, {"http://u.examp"}},
        // Loaded while a history is shown: the sentences come back.
        {-1, ID_RECENT_FIRST + 1, {"Third C"}},
        {kMenuClipHistory, 0, {"S0\r\n\r\nS2\r\n", "c http://u.exa"}},
        {-1, ID_FILE_DEFAULT, {"S0", "未登録", "S2"}},
        {kMenuFirstRecent, 0, {"Other B"}},
        {kMenuUrlHistory, 0, {"http://u.examp"}},
        {kMenuSentences, 0, {"Other B"}},
    };
    for (const auto& [item, command, shown] : steps) {
        ASSERT_TRUE(item < 0 ? SendCommand(*program, command) : ChooseFromListMenu(item)) << item;
        EXPECT_TRUE(SlotsShow(*program, shown)) << item << " " << command;
    }
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY) && SendCommand(*program, ID_CLEAR_URLHISTORY));
    // Sent: the captions must read so as soon as the command is done.
    EXPECT_TRUE(SlotsShow(*program, {}, 0ms));
    ASSERT_TRUE(program->Exit());
    // Loading did not reorder the recent files.
    const std::string settings = ReadBytes(folder.File(L"Quillstack.ini"));
    EXPECT_NE(settings.find(recent), std::string::npos) << settings;
}

}  // namespace
}  // namespace e2e

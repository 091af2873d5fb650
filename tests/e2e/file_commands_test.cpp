// The file, list and join commands through the real open and save dialogs,
// and the temporary-save window. (Wine lets no other process read a menu:
// the window's list shows through its edit dialog's list box.)
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

// Items of the buttons' right-button menu.
enum { kClear, kEdit, kJoin };

using Lines = std::vector<std::string>;

Lines ListLines(HWND edit) {
    HWND list = GetDlgItem(edit, IDC_TEMPEDIT_LIST);
    Lines lines;
    for (LRESULT line = 0, count = Ask(list, LB_GETCOUNT); line < count; ++line) {
        wchar_t text[64] = {};  // lines are at most 20 bytes
        if (Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(line)) < 64) {
            Ask(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
        }
        lines.push_back(Utf8(text));
    }
    return lines;
}

class TempSaveTest : public ProgramTest {
protected:
    HWND Button(int id) const { return GetDlgItem(window, id); }
    bool Save(std::string_view utf8) { return Copy(utf8) && SendClick(Button(IDC_TEMPSAVE_SAVE)); }
    // The menu that `press` (a left click on "コピー", a right-button press
    // on either button) opens, with item `item` chosen (none: Escape).
    bool Menu(UINT press, int button, int item) {
        HWND menu = program->OpenPopupMenu([&] { PostMessageW(Button(button), press, MK_RBUTTON, MAKELPARAM(5, 5)); });
        return menu && (item < 0 ? PressInPopupMenu(menu, {VK_ESCAPE}) : ChooseFromPopupMenu(menu, item));
    }
    std::optional<std::string> CopyBack(int item) {
        return CopiedBy([&] { EXPECT_TRUE(Menu(BM_CLICK, IDC_TEMPSAVE_COPY, item)); });
    }
    // Chosen again when the dialog does not come: Wine may cancel a menu
    // soon after a dialog closed even once it is on show.
    HWND OpenDialog(int button, int item, const char* title) {
        HWND dialog = nullptr;
        for (int attempt = 0; attempt < 3 && !dialog; ++attempt) {
            if (Menu(WM_RBUTTONDOWN, button, item)) dialog = program->WaitWindow(L"#32770", 3s);
        }
        EXPECT_EQ(Utf8(WindowText(dialog)), title);
        return dialog;
    }
    bool CloseEdit(HWND edit) const {
        Program::PressButton(edit, IDCANCEL);
        return WaitUntil([&] { return !IsWindow(edit); }) && Answers(*program);
    }
    // What the window holds, newest first, as the edit dialog lists it.
    Lines Held() {
        HWND edit = OpenDialog(IDC_TEMPSAVE_COPY, kEdit, "編集");
        const Lines lines = edit ? ListLines(edit) : Lines{"(no edit dialog)"};
        EXPECT_TRUE(CloseEdit(edit));
        return lines;
    }
    void Join(int destination) { Program::PressButton(OpenDialog(IDC_TEMPSAVE_SAVE, kJoin, "結合"), destination); }

    HWND window = nullptr;
};

// Texts go in newest first, each once; the copy menu puts them back
// unrecorded. The edit dialog lists each text's first 20 bytes (never half
// a character); an empty field deletes. Joined, each text ends in CR LF.
TEST_F(TempSaveTest, KeepsEditsAndJoinsUpToTwentyClipboardTexts) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY) && SendCommand(*program, ID_SHOW_TEMPSAVE));
    ASSERT_TRUE(window = program->WaitWindow(L"#32770", 5s));
    EXPECT_EQ(Utf8(WindowText(window)), "一時保存");
    program->IgnoreWindow(window);

    // Nothing to keep and nothing to copy: no menu comes up (it would hold
    // the sent click until it went).
    EXPECT_TRUE(SendClick(Button(IDC_TEMPSAVE_SAVE)) && SendClick(Button(IDC_TEMPSAVE_COPY), 3000));
    EXPECT_EQ(program->WaitWindow(L"#32768", 0ms), nullptr);
    EXPECT_EQ(Held(), Lines{});
    const std::wstring empty = folder.File(L"empty.txt"), joined = folder.File(L"joined.txt");
    Join(IDC_JOIN_FILE);
    AnswerFileDialog(empty);
    EXPECT_TRUE(FileExists(empty) && ReadBytes(empty).empty());

    for (const char* text : {"one", "二つ", "three"}) ASSERT_TRUE(Save(text)) << text;
    EXPECT_EQ(Held(), (Lines{"three", "二つ", "one"}));
    EXPECT_EQ(CopyBack(0), "three");
    EXPECT_EQ(CopyBack(2), "one");
    // Recorded, "one" would now stand before "three".
    ASSERT_TRUE(Copy("other"));
    EXPECT_TRUE(SlotsShow(*program, {"other", "three", "二つ", "one"}));

    ASSERT_TRUE(Save("one"));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.PutBitmap(); }));
    EXPECT_TRUE(SendClick(Button(IDC_TEMPSAVE_SAVE)));
    ASSERT_TRUE(Copy("four"));
    ASSERT_TRUE(Menu(WM_RBUTTONDOWN, IDC_TEMPSAVE_SAVE, -1));
    EXPECT_EQ(Ask(Button(IDC_TEMPSAVE_SAVE), BM_GETSTATE) & BST_PUSHED, 0);
    EXPECT_EQ(Held(), (Lines{"one", "three", "二つ"}));

    const std::string all = Ansi("one\r\nthree\r\n二つ\r\n");
    Join(IDC_JOIN_FILE);
    AnswerFileDialog(joined);
    EXPECT_EQ(ReadBytes(joined), all);
    {
        HeldFile held(joined);
        Join(IDC_JOIN_FILE);
        AnswerFileDialog(joined, true);
        AnswerBox("--" + Utf8(joined) + "--", IDOK);
    }
    EXPECT_EQ(ReadBytes(joined), all);
    EXPECT_EQ(CopiedBy([&] { Join(IDC_JOIN_CLIPBOARD); }), all);
    ASSERT_TRUE(Copy("after"));
    EXPECT_TRUE(SlotsShow(*program, {"after", "four", "one", "other", "three", "二つ"}));

    for (const char* text : {"a一二三四五六七八九十", "0123456789ABCDEFGHIJKLMN"}) ASSERT_TRUE(Save(text));
    HWND edit = OpenDialog(IDC_TEMPSAVE_SAVE, kEdit, "編集");
    ASSERT_TRUE(edit && !IsWindowEnabled(program->Frame()));
    EXPECT_EQ(ListLines(edit), (Lines{"0123456789ABCDEFGHIJ", "a一二三四五六七八九", "one", "three", "二つ"}));
    HWND list = GetDlgItem(edit, IDC_TEMPEDIT_LIST), field = GetDlgItem(edit, IDC_TEMPEDIT_TEXT);
    // Chosen with the keyboard, as a user does; then the field stored.
    auto update = [&](std::vector<WPARAM> keys, const std::string& shown, const char* typed) {
        for (WPARAM key : keys) PostMessageW(list, WM_KEYDOWN, key, 1);
        EXPECT_TRUE(WaitUntil([&] { return ControlText(field) == shown; }));
        SetWindowTextW(field, Wide(typed).c_str());
        ASSERT_TRUE(SendClick(GetDlgItem(edit, IDC_TEMPEDIT_UPDATE)));
    };
    update({VK_HOME, VK_DOWN}, "a一二三四五六七八九十", "一時的な\r\n二行");
    EXPECT_EQ(Ask(list, LB_GETCURSEL), 1);
    update({VK_DOWN}, "one", "");
    EXPECT_EQ(ListLines(edit), (Lines{"0123456789ABCDEFGHIJ", "一時的な\r\n二行", "three", "二つ"}));
    EXPECT_EQ(Ask(list, LB_GETCURSEL), LB_ERR);
    // Nothing chosen: "更新" does nothing.
    ASSERT_TRUE(SendClick(GetDlgItem(edit, IDC_TEMPEDIT_UPDATE)));
    EXPECT_EQ(Ask(list, LB_GETCOUNT), 4);
    ASSERT_TRUE(CloseEdit(edit));
    EXPECT_TRUE(IsWindowEnabled(program->Frame()));
    EXPECT_EQ(CopyBack(1), Ansi("一時的な\r\n二行"));
    EXPECT_EQ(CopyBack(0), "0123456789ABCDEFGHIJKLMN");

    ASSERT_TRUE(Menu(WM_RBUTTONDOWN, IDC_TEMPSAVE_COPY, kClear));
    EXPECT_EQ(Held(), Lines{});
    // Twenty texts fill it: a new one is not kept (nor the oldest dropped),
    // one already kept still moves to the front.
    Lines expected{"text 5"};
    for (int n = 1; n <= 21; ++n) ASSERT_TRUE(Save("text " + std::to_string(n))) << n;
    ASSERT_TRUE(Save("text 5"));
    for (int n = 20; n >= 1; --n) if (n != 5) expected.push_back("text " + std::to_string(n));
    EXPECT_EQ(Held(), expected);
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

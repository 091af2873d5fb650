// The sentence editor and the new-file wizard, and their help pages.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class DialogTest : public ProgramTest {
protected:
    void Open(UINT command, const char* title) {
        if (command) program->Command(command);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog = FindWindowW(L"#32770", Wide(title).c_str())); }));
    }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    std::string Text(int id) const { return ControlText(Item(id)); }
    // Keys typed at the caret; true once the field reads `result`.
    bool Type(int id, std::wstring_view keys, const std::string& result) const {
        for (wchar_t key : keys) PostMessageW(Item(id), WM_CHAR, key, 0);
        return WaitUntil([&] { return Text(id) == result; });
    }

    HWND dialog = nullptr;
};

class EditorTest : public DialogTest {
protected:
    void Open() { DialogTest::Open(ID_SHOW_EDITOR, "登録文の確認と編集"); }
    // Entry `index` (0-based) shows with this body (UTF-8).
    bool Shows(int index, const std::string& body) const {
        return WaitUntil([&] { return Ask(Item(IDC_EDITOR_INDEX), CB_GETCURSEL) == index && Text(IDC_EDITOR_BODY) == body; });
    }
    void Press(int id) const { SendClick(Item(id)); }
};

// The tray menu's help opens the contents page, which forwards to a section
// of the guide. ▲ and ▼ go round; a slot press, registering, a list switch,
// a copy and a file load bring up their entry. A draft stays through copies
// elsewhere, and goes when another entry comes or a history shifts. Copies
// from the body are not recorded, from the title they are. Docked, it
// follows the frame; away it stays put; near it snaps back; closed it pulls
// nothing.
TEST_F(EditorTest, ShowsStoresFollowsThePanelDocksAndOpensHelp) {
    WriteList(L"Quillstack.txt", {"first", "second"});
    WriteList(L"Quillstack_Title.txt", {"T1", ""});
    ASSERT_TRUE(Start());
    const std::wstring page = folder.File(L"help\\context\\contents.html");
    BrowserRecorder browser(folder.Path());
    HWND menu = ClickTrayIcon(WM_RBUTTONDOWN) ? program->WaitPopupMenu() : nullptr;
    ASSERT_TRUE(menu && PressInPopupMenu(menu, {VK_HOME, VK_UP, VK_UP, VK_RETURN}));  // ヘルプ(&H)
    EXPECT_EQ(browser.WaitAddress(), "file://" + UnixPath(page));
    const std::string forward = ReadBytes(page), link = "url=../Quillstack.html#";
    const std::size_t start = forward.find(link) + link.size(), end = forward.find('"', start);
    ASSERT_GT(start, link.size()) << forward;
    EXPECT_NE(ReadBytes(folder.File(L"help\\Quillstack.html")).find("id=\"" + forward.substr(start, end - start) + "\""),
              std::string::npos);

    browser.Clear();
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND editor = dialog;
    Press(IDC_EDITOR_HELP);
    EXPECT_EQ(browser.WaitAddress(), "file://" + UnixPath(folder.File(L"help\\context\\16.html")));
    HWND frame = program->Frame();
    EXPECT_TRUE(WindowRect(editor).left == WindowRect(frame).right && WindowRect(editor).top == WindowRect(frame).top);
    EXPECT_TRUE(GetWindowLongW(editor, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Ask(Item(IDC_EDITOR_INDEX), CB_GETCOUNT), 16);
    EXPECT_EQ(Wide(Text(IDC_EDITOR_FILE)), folder.File(L"Quillstack.txt"));
    EXPECT_EQ(Text(IDC_EDITOR_TITLE), "T1");
    Press(IDC_EDITOR_PREVIOUS);
    EXPECT_TRUE(Shows(15, ""));
    Press(IDC_EDITOR_NEXT);
    Press(IDC_EDITOR_NEXT);
    ASSERT_TRUE(Shows(1, "second") && Type(IDC_EDITOR_BODY, L"2nd ", "2nd second") && Type(IDC_EDITOR_TITLE, L"New", "New"));
    Press(IDC_EDITOR_STORE);
    EXPECT_TRUE(SlotsShow(*program, {"T1", "New"}));
    Press(IDC_EDITOR_PREVIOUS);
    PostMessageW(Item(IDC_EDITOR_TITLE), EM_SETSEL, 0, -1);
    ASSERT_TRUE(Shows(0, "first") && Type(IDC_EDITOR_TITLE, L"\b", ""));
    Press(IDC_EDITOR_STORE);
    EXPECT_TRUE(SlotsShow(*program, {"first", "New"}));

    ASSERT_TRUE(PressSlot(1) && Shows(1, "2nd second") && Type(IDC_EDITOR_BODY, L"draft ", "draft 2nd second"));
    ASSERT_TRUE(Copy("once") && Copy("elsewhere"));
    // The slot menu comes up only after what the copies made the program do;
    // its command is sent (Enter is unsure under load).
    PostMessageW(program->Control(IDC_SLOT0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    menu = program->WaitPopupMenu();
    EXPECT_EQ(Text(IDC_EDITOR_BODY), "draft 2nd second");
    ASSERT_TRUE(menu && PressInPopupMenu(menu, {VK_ESCAPE}) && SendCommand(*program, ID_REGISTER_CLIPBOARD));
    EXPECT_TRUE(Shows(0, "elsewhere"));
    Press(IDC_EDITOR_NEXT);
    PostMessageW(Item(IDC_EDITOR_TITLE), EM_SETSEL, 0, -1);
    ASSERT_TRUE(Shows(1, "2nd second") && Type(IDC_EDITOR_BODY, L"b", "b2nd second") && Type(IDC_EDITOR_TITLE, L"tt", "tt"));
    for (int id : {IDC_EDITOR_BODY, IDC_EDITOR_TITLE}) {
        PostMessageW(Item(id), EM_SETSEL, 0, -1);
        ASSERT_TRUE(WaitHandled(*tail, [&] { return PostMessageW(Item(id), WM_COPY, 0, 0) != FALSE; })) << id;
    }
    // A history: its name, no title, and the store changes its entry.
    for (auto [mode, name] : {std::pair{ID_MODE_URLHISTORY, "URL履歴"}, {ID_MODE_CLIPHISTORY, "クリップボード履歴"}}) {
        ASSERT_TRUE(SendCommand(*program, mode));
        EXPECT_TRUE(WaitUntil([&] { return Text(IDC_EDITOR_FILE) == name && Text(IDC_EDITOR_TITLE).empty(); })) << name;
    }
    EXPECT_TRUE(SlotsShow(*program, {"tt", "elsewhere", "once"}));
    ASSERT_TRUE(Shows(0, "tt") && Type(IDC_EDITOR_BODY, L"x", "xtt") && Copy("h1"));
    ASSERT_TRUE(Shows(0, "h1") && Type(IDC_EDITOR_BODY, L"re", "reh1"));
    Press(IDC_EDITOR_STORE);
    EXPECT_TRUE(SlotsShow(*program, {"reh1", "tt", "elsewhere", "once"}));
    ASSERT_TRUE(SendCommand(*program, ID_FILE_DEFAULT));
    EXPECT_TRUE(Shows(0, "elsewhere"));

    auto move = [](HWND window, int x, int y) { SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); };
    auto at = [](HWND window, LONG x, LONG y) { return WaitUntil([&] { return WindowRect(window).left == x && WindowRect(window).top == y; }); };
    move(frame, 500, 100);
    EXPECT_TRUE(at(editor, 650, 100));
    move(editor, 850, 100);
    move(frame, 520, 140);
    EXPECT_TRUE(at(frame, 520, 140) && at(editor, 850, 100));
    move(editor, 690, 165);
    EXPECT_TRUE(at(editor, 670, 140));
    move(editor, 1000, 500);
    Press(IDC_EDITOR_CLOSE);
    move(frame, 840, 500);
    EXPECT_TRUE(at(frame, 840, 500));
    for (bool open : {false, true}) {
        if (open) Open();
        program->Command(ID_ICONISE);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(frame) && !IsWindowVisible(editor); }));
        program->Command(ID_TRAY_RESTORE);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(frame) && (IsWindowVisible(editor) != FALSE) == open; }));
    }
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"elsewhere", "2nd second"}));
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack_Title.txt")), ListFileBytes({"", "New"}));
}

class NewFileWizardTest : public DialogTest {
protected:
    // Ctrl+N reaches the frame's accelerators. The wizard stays under the
    // boxes it brings up, so those are waited for past it.
    void Open(bool typed = false) {
        if (typed) { ASSERT_TRUE(TypeKeys(program->Frame(), {VK_CONTROL, 'N'})); }
        ASSERT_NO_FATAL_FAILURE(DialogTest::Open(typed ? 0 : ID_FILE_NEW, "新規作成"));
        program->IgnoreWindow(dialog);
    }
    void Fill(std::string_view title, std::string_view body) const {
        SetControlText(Item(IDC_WIZARD_TITLE), title);
        SetControlText(Item(IDC_WIZARD_BODY), body);
    }
    // "次へ", then the next page's counter.
    bool Next(const std::string& counter) const {
        Program::PressButton(dialog, IDC_WIZARD_NEXT);
        return WaitUntil([&] { return Text(IDC_WIZARD_COUNTER) == counter; });
    }
    bool Gone() const { return WaitUntil([&] { return !IsWindow(dialog); }) && Answers(*program); }
};

// "終了" with nothing collected, and Cancel in the Save As dialog, write
// nothing; Enter in the body is a new line, in the title "終了". A file that
// cannot be written is named and the wizard stays. The new file opens, first
// among the recent files; over the changed open file it asks nothing.
TEST_F(NewFileWizardTest, WritesThePagesAndTheirTitlesAndOpensTheNewFile) {
    WriteSettings(folder, {"SaveWithDialog=YES"});
    WriteList(L"Quillstack.txt", {"old"});
    ASSERT_TRUE(Start());
    const std::vector<std::string> files = FileNames(folder.Path());
    ASSERT_NO_FATAL_FAILURE(Open(true));
    Fill("only a title", "");
    Program::PressButton(dialog, IDOK);
    EXPECT_TRUE(Gone());
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(Type(IDC_WIZARD_BODY, L"ab", "ab"));
    PostMessageW(Item(IDC_WIZARD_BODY), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(WaitUntil([&] { return Text(IDC_WIZARD_BODY) == "ab\r\n"; })) << Text(IDC_WIZARD_BODY);
    EXPECT_TRUE(IsWindowVisible(dialog));
    PostMessageW(Item(IDC_WIZARD_TITLE), WM_KEYDOWN, VK_RETURN, 1);
    AnswerFileDialog(std::nullopt);
    EXPECT_TRUE(Gone());
    EXPECT_EQ(FileNames(folder.Path()), files);

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Text(IDC_WIZARD_COUNTER), "登録文 １");
    Fill("T0", "");
    Program::PressButton(dialog, IDC_WIZARD_NEXT);
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
        Program::PressButton(dialog, IDOK);
        AnswerFileDialog(file, true);
        AnswerBox("--" + Utf8(file) + "--", IDOK);
        ASSERT_TRUE(Answers(*program));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(Text(IDC_WIZARD_BODY) == "B3" && Text(IDC_WIZARD_COUNTER) == "登録文 3");
    }
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_FALSE(FileExists(folder.File(L"new_Title.txt")));
    Program::PressButton(dialog, IDOK);
    AnswerFileDialog(file, true);
    ASSERT_TRUE(Gone());
    EXPECT_EQ(ReadBytes(file), ListFileBytes({Ansi("本文一\r\n二行目"), "B2", "B3"}));
    EXPECT_EQ(ReadBytes(folder.File(L"new_Title.txt")), ListFileBytes({"T1", "", "T3"}));
    EXPECT_TRUE(SlotsShow(*program, {"T1", "B2", "T3"}));

    ASSERT_TRUE(writer.Put("changed"));
    ASSERT_TRUE(ChooseOnSlot(1, kRegister));
    ASSERT_TRUE(SlotsShow(*program, {"T1", "changed", "T3"}));
    ASSERT_NO_FATAL_FAILURE(Open());
    // Its help button opens its page; the dialog stays.
    BrowserRecorder browser(folder.Path());
    Program::PressButton(dialog, IDC_WIZARD_HELP);
    EXPECT_EQ(browser.WaitAddress(), "file://" + UnixPath(folder.File(L"help\\context\\8.html")));
    Fill("", "new");
    Program::PressButton(dialog, IDOK);
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

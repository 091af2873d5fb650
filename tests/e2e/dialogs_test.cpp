// The program's dialogs: the sentence editor, the new-file wizard and the
// options sheet "設定".
#include "tests/e2e/harness.h"

#include <commctrl.h>

#include "res/resource.h"

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

// Every value the pages show away from its default.
std::vector<std::string> HandWritten(const TempFolder& folder) {
    return {"Minimize=MAC", "SaveWithDialog=YES", "ShowTopMost=NOT", "EnableTimeTag=YES", "BkColor=255", "View=2",
            "SentenceMaxCount=40", "Date=2", "Time=1", Ansi("TimeCopyTemplate=<T> だ"), "UseSCKey=YES",
            "UseNumPad=NOT", "AdditionalCode=2",
            "KeyCode=  97:   0:   0:   0:   0:  49:   0:   0:   0:   0:   0:   0:   0:   0:   0:  66",
            "URLBegin=a,b", "URLEnd=>", "RecentCount=7", "Recent File=", folder.AnsiFile("r1.txt"), ""};
}

std::string Canonical(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return e2e::Canonical(text);
}

bool Checked(HWND page, int id) { return Ask(GetDlgItem(page, id), BM_GETCHECK) == BST_CHECKED; }
void Click(HWND page, int id) { SendClick(GetDlgItem(page, id)); }
void SetText(HWND page, int id, std::string_view utf8) { SetControlText(GetDlgItem(page, id), utf8); }
std::string Text(HWND page, int id) { return ControlText(GetDlgItem(page, id)); }
bool Topmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
int PageCount(HWND sheet) {
    return TabCtrl_GetItemCount(reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)));
}

// True once a window's client point shows `colour` on screen.
bool Shows(HWND window, POINT point, COLORREF colour) {
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const bool shown = WaitUntil([&] { return GetPixel(screen, point.x, point.y) == colour; });
    ReleaseDC(nullptr, screen);
    return shown;
}

class OptionsTest : public ProgramTest {
protected:
    // Opens the sheet, moved off the frame so that the form stays in sight.
    static HWND OpenSheet(const Program& copy, HWND editor = nullptr) {
        HWND sheet = OpenOptions(copy, editor);
        EXPECT_EQ(Utf8(WindowText(sheet)), "設定");
        SetWindowPos(sheet, nullptr, 400, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return sheet;
    }
    HWND OpenPage(int index, HWND editor = nullptr) { return ShowOptionsPage(OpenSheet(*program, editor), index); }
    bool CloseSheet(HWND sheet, bool ok) { return CloseOptions(*program, sheet, ok); }
    bool FormShows(COLORREF colour) const { return Shows(program->View(), {1, 1}, colour); }
};

// Pages show the hand-written values; "履歴のクリア" acts even under
// Cancel. OK stores only what changed; a later copy has no key page and
// keeps every line. What OK changes acts at once: topmost (frame and
// editor), the maximum (16..1000), the URL strings, the colour (the swatch
// at once, the form after OK), the start file (the default stored as none).
TEST_F(OptionsTest, PagesShowTheSettingsAndOkStoresTheChangesWhichActAtOnce) {
    std::vector<std::string> lines = HandWritten(folder);
    WriteBytes(folder.File(L"Quillstack.ini"), Canonical(lines));
    WriteList(L"Quillstack.txt", {"あいうえおかきくa"});
    WriteList(L"start.txt", {"from start"});
    ASSERT_TRUE(Start());
    EXPECT_TRUE(SlotsShow(*program, {"うえおかきくa"}) && FormShows(RGB(255, 0, 0)));
    HWND page = OpenPage(0), sheet = GetParent(page);
    EXPECT_EQ(PageCount(sheet), 5);
    EXPECT_TRUE(Checked(page, IDC_OPT_MIN_MAC) && Checked(page, IDC_OPT_SAVE_DIALOG) && Checked(page, IDC_OPT_TIME_TAG));
    EXPECT_FALSE(Checked(page, IDC_OPT_MIN_ANIMATED) || Checked(page, IDC_OPT_TOPMOST) || Checked(page, IDC_OPT_INIT_ICON));
    Program::PressButton(page, IDC_OPT_HELP);
    AnswerBox("ヘルプのページ " + Utf8(folder.File(L"help\\context\\49.html")) + " を開けません。", IDOK, sheet);
    page = ShowOptionsPage(sheet, 1);
    EXPECT_EQ(Text(page, IDC_OPT_RECENT_COUNT) + "|" + Text(page, IDC_OPT_MAX_COUNT), "7|40");
    EXPECT_TRUE(Checked(page, IDC_OPT_VIEW_LAST) && !Checked(page, IDC_OPT_VIEW_TITLE));
    EXPECT_EQ(Text(page, IDC_OPT_START_FILE), Utf8(folder.File(L"Quillstack.txt")));
    Program::PressButton(page, IDC_OPT_CLEAR_RECENT);
    AnswerBox("ファイル履歴をクリアします", IDOK, sheet);
    page = ShowOptionsPage(sheet, 2);
    EXPECT_TRUE(Checked(page, IDC_OPT_DATE_KANJI) && Checked(page, IDC_OPT_TIME_KANJI));
    EXPECT_EQ(Text(page, IDC_OPT_TEMPLATE), "<T> だ");
    page = ShowOptionsPage(sheet, 3);
    EXPECT_EQ(Text(page, IDC_OPT_URL_BEGIN_DEFAULT) + "|" + Text(page, IDC_OPT_URL_BEGIN), "http:// , ftp://|a,b");
    EXPECT_EQ(Text(page, IDC_OPT_URL_END_DEFAULT) + "|" + Text(page, IDC_OPT_URL_END), "改行 , スペース , カンマ , \" , '|>");
    page = ShowOptionsPage(sheet, 4);
    EXPECT_TRUE(Checked(page, IDC_OPT_USE_KEYS) && Checked(page, IDC_OPT_MOD_CTRL) && !Checked(page, IDC_OPT_USE_NUMPAD));
    ASSERT_TRUE(CloseSheet(sheet, false));

    page = OpenPage(0), sheet = GetParent(page);
    for (int id : {IDC_OPT_MIN_ICON, IDC_OPT_SAVE_DIALOG, IDC_OPT_TOPMOST}) Click(page, id);
    page = ShowOptionsPage(sheet, 1);
    SendMessageW(GetDlgItem(page, IDC_OPT_RECENT_COUNT), CB_SETCURSEL, 0, 0);
    Program::PressButton(page, IDC_OPT_BROWSE);
    AnswerFileDialog(folder.File(L"start.txt"));
    EXPECT_TRUE(WaitUntil([&] { return Text(page, IDC_OPT_START_FILE) == Utf8(folder.File(L"start.txt")); }));
    page = ShowOptionsPage(sheet, 3);
    SetText(page, IDC_OPT_URL_BEGIN, "mailto: ,  news:,news:,,zz");
    SetText(page, IDC_OPT_URL_END, "<");
    page = ShowOptionsPage(sheet, 4);
    Click(page, IDC_OPT_USE_KEYS);
    for (int id : {IDC_OPT_MOD_NONE, IDC_OPT_MOD_SHIFT, IDC_OPT_MOD_CTRL, IDC_OPT_USE_NUMPAD, IDC_OPT_SET_KEYS}) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, id))) << id;
    }
    ASSERT_TRUE(CloseSheet(sheet, true));
    EXPECT_TRUE(WaitUntil([&] { return Topmost(program->Frame()); }));

    TempFolder laterFolder;
    std::vector<std::string> laterLines = HandWritten(laterFolder);
    laterLines.insert(laterLines.begin(), "View=7");
    WriteBytes(laterFolder.File(L"Quillstack.ini"), Canonical(laterLines));
    Program later(laterFolder);
    ASSERT_TRUE(later.WaitFrame());
    HWND laterSheet = OpenSheet(later);
    EXPECT_EQ(PageCount(laterSheet), 4);
    for (int index : {0, 1, 2, 3}) EXPECT_TRUE(ShowOptionsPage(laterSheet, index)) << index;
    ASSERT_TRUE(CloseOptions(later, laterSheet, true) && later.Exit());
    EXPECT_EQ(ReadBytes(laterFolder.File(L"Quillstack.ini")), Canonical(laterLines));

    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    ASSERT_TRUE(Copy("see news:0123456789ABCDEF<c"));
    EXPECT_TRUE(SlotsShow(*program, {"23456789ABCDEF"}));

    ASSERT_TRUE(SendCommand(*program, ID_SHOW_EDITOR));
    HWND editor = program->WaitWindow(L"#32770");
    ASSERT_NE(editor, nullptr);
    HWND index = GetDlgItem(editor, IDC_EDITOR_INDEX);
    SendMessageW(index, CB_SETCURSEL, 30, 0);
    SendMessageW(editor, WM_COMMAND, MAKEWPARAM(IDC_EDITOR_INDEX, CBN_SELCHANGE), reinterpret_cast<LPARAM>(index));
    const std::pair<const char*, int> typed[] = {{"5", 16}, {"5000", 1000}, {"5000000000", 1000}, {"-5", 16}, {"abc", 16}};
    for (const auto& [text, count] : typed) {
        page = OpenPage(1, editor);
        // The browsed file was stored; the default one is stored as none.
        const wchar_t* shown = text == typed[0].first ? L"start.txt" : L"Quillstack.txt";
        EXPECT_EQ(Text(page, IDC_OPT_START_FILE), Utf8(folder.File(shown))) << text;
        SetText(page, IDC_OPT_MAX_COUNT, text);
        SetText(page, IDC_OPT_START_FILE, Utf8(CharUpperW(folder.File(L"quillstack.txt").data())));
        ASSERT_TRUE(CloseSheet(GetParent(page), true));
        EXPECT_EQ(program->WaitWindow(L"#32770", 0ms, true, editor), nullptr) << "a message for the default file";
        int low = -1, high = -1;
        GetScrollRange(program->Control(IDC_SCROLL), SB_CTL, &low, &high);
        EXPECT_EQ(high, count - 8) << text;
        EXPECT_TRUE(count > 40 || SendMessageW(index, CB_GETCURSEL, 0, 0) == 0) << text;
    }

    // Closed, the editor stays out of the way of the dialogs.
    PostMessageW(editor, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(editor); }));
    page = OpenPage(0), sheet = GetParent(page);
    Program::PressButton(page, IDC_OPT_CHOOSE_COLOUR);
    HWND colours = program->WaitDialog(sheet);
    ASSERT_NE(colours, nullptr);
    // Wine's dialog shows its red, green and blue fields behind this button.
    Program::PressButton(colours, 719);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(GetDlgItem(colours, 706)) != FALSE; }));
    for (const auto& [id, value] : {std::pair{706, "10"}, {707, "200"}, {708, "30"}}) SetText(colours, id, value);
    Program::PressButton(colours, IDOK);
    const COLORREF chosen = RGB(10, 200, 30), grey = RGB(230, 230, 230);
    EXPECT_TRUE(Shows(GetDlgItem(page, IDC_OPT_SWATCH), {5, 5}, chosen) && FormShows(RGB(255, 0, 0)));
    ASSERT_TRUE(CloseSheet(sheet, true));
    EXPECT_TRUE(FormShows(chosen));
    page = OpenPage(0), sheet = GetParent(page);
    Click(page, IDC_OPT_DEFAULTS);
    EXPECT_TRUE(Shows(GetDlgItem(page, IDC_OPT_SWATCH), {5, 5}, grey) && FormShows(chosen));
    ASSERT_TRUE(CloseSheet(sheet, false));

    page = OpenPage(0), sheet = GetParent(page);
    Click(page, IDC_OPT_TOPMOST);
    SetText(ShowOptionsPage(sheet, 1), IDC_OPT_START_FILE, Utf8(folder.File(L"gone.txt")));
    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    // The message comes once the sheet has gone; it does not keep it open.
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }));
    AnswerBox("初期ファイルに無効なファイルが指定されています。\n初期ファイルは\"Quillstack.txt\"になります。", IDOK);
    for (HWND window : {program->Frame(), editor}) {
        EXPECT_TRUE(WaitUntil([&] { return !Topmost(window); })) << window;
    }
    PostMessageW(program->Frame(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(program->Frame()) && TrayIconExists(program->Frame()); }));
    ASSERT_TRUE(program->Exit());
    lines.resize(lines.size() - 2);  // no recent file
    // Keypad 1 folds onto the 1 of position 5, which goes.
    std::vector<std::string> changed = {"Minimize=ICO", "SaveWithDialog=NOT", "RecentCount=3", "URLBegin=mailto: ,news:",
        "URLEnd=<", "UseSCKey=NOT", "BkColor=" + std::to_string(chosen), "SentenceMaxCount=16",
        "KeyCode=  49:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:   0:  66"};
    changed.insert(changed.end(), lines.begin(), lines.end());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.ini")), Canonical(changed));
}

}  // namespace
}  // namespace e2e

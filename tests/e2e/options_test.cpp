// The options sheet "設定": what its pages show and store, and what acts at once.
#include "tests/e2e/harness.h"

#include <commctrl.h>

#include "res/resource.h"

namespace e2e {
namespace {

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

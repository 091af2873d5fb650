// The sentence editor of the real program: what it shows as the user works
// the panel, storing, a draft kept through a copy made elsewhere, docking.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class EditorTest : public ProgramTest {
protected:
    void Open() {
        program->Command(ID_SHOW_EDITOR);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(editor = FindWindowW(L"#32770", L"登録文の確認と編集")); }));
    }
    HWND Item(int id) const { return GetDlgItem(editor, id); }
    LRESULT Ask(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(Item(id), message, wParam, lParam, SMTO_NORMAL, 5000, &result);
        return static_cast<LRESULT>(result);
    }
    std::string Text(int id) const {
        wchar_t text[256] = {};
        Ask(id, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        return Utf8(text);
    }
    // Entry `index` (0-based) shows with this body (UTF-8).
    bool Shows(int index, const std::string& body) const {
        return WaitUntil([&] { return Ask(IDC_EDITOR_INDEX, CB_GETCURSEL) == index && Text(IDC_EDITOR_BODY) == body; });
    }
    // Keys typed at the caret; true once the field reads `result`.
    bool Type(int id, std::wstring_view keys, const std::string& result) const {
        for (wchar_t key : keys) PostMessageW(Item(id), WM_CHAR, key, 0);
        return WaitUntil([&] { return Text(id) == result; });
    }
    void Press(int id) const { Ask(id, BM_CLICK); }
    static RECT Rect(HWND window) {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }

    HWND editor = nullptr;
};

// It opens at the frame's right edge, on top, numbered 1 … SentenceMaxCount;
// ▲ and ▼ go round; stores show at once and are written at the exit. A
// slot press, registering, a list switch, a copy and a file load each
// bring up their entry. A draft stays through copies made elsewhere while a
// sentence shows, and goes when another entry comes or a history shifts.
// Copies from the body are not recorded, from the title they are. Docked,
// it follows the frame; 200 pixels away it stays put; near it snaps back
// (either side: frame_math_test.cpp); loose and closed it pulls nothing. It hides and comes back
// with the frame only while open.
TEST_F(EditorTest, ShowsStoresFollowsThePanelAndDocks) {
    WriteList(L"Quillstack.txt", {"first", "second"});
    WriteList(L"Quillstack_Title.txt", {"T1", ""});
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND frame = program->Frame();
    EXPECT_TRUE(Rect(editor).left == Rect(frame).right && Rect(editor).top == Rect(frame).top);
    EXPECT_TRUE(GetWindowLongW(editor, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Ask(IDC_EDITOR_INDEX, CB_GETCOUNT), 16);
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
    // The slot menu comes up only after what the copies made the program do.
    // Its register command, sent once the menu is gone, takes no chances
    // with Enter under load.
    PostMessageW(program->Control(IDC_SLOT0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    HWND menu = program->WaitPopupMenu();
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
    auto at = [](HWND window, LONG x, LONG y) { return WaitUntil([&] { return Rect(window).left == x && Rect(window).top == y; }); };
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

}  // namespace
}  // namespace e2e

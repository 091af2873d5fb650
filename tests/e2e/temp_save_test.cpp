// The temporary-save window of the real program: texts kept aside with
// "保存", put back with "コピー" and its menu, and the buttons' right-button
// menu: clear, the edit dialog, and joining to a file or the clipboard.
// (Wine lets no other process read a menu: its items show through the keys
// Home, End and Enter, and the list through the edit dialog's list box.)
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Items of the buttons' right-button menu.
const int kClear = 0;
const int kEdit = 1;
const int kJoin = 2;

using Lines = std::vector<std::string>;

class TempSaveTest : public ProgramTest {
protected:
    // Shows the window with its command. It stays on show, so the dialogs
    // and boxes that come up over it are waited for past it.
    void Show() {
        ASSERT_TRUE(SendCommand(*program, ID_SHOW_TEMPSAVE));
        window = program->WaitWindow(L"#32770", 5s);
        ASSERT_TRUE(window);
        EXPECT_EQ(Utf8(WindowText(window)), "一時保存");
        program->IgnoreWindow(window);
    }
    HWND Button(int id) const { return GetDlgItem(window, id); }
    static LRESULT Ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
        return static_cast<LRESULT>(result);
    }
    // A click on a button, sent: the program is done with it on return
    // (unless it opens a menu, which holds the call up).
    static bool Click(HWND button, std::chrono::milliseconds timeout = 5s) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result) != 0;
    }
    // Copies the text as another program, then "保存".
    bool Save(std::string_view utf8) { return Copy(utf8) && Click(Button(IDC_TEMPSAVE_SAVE)); }

    // A click on "コピー", these keys in its menu; the clipboard's text once
    // the program has dealt with its copy.
    std::optional<std::string> CopyBack(const std::vector<WPARAM>& keys) {
        return CopiedBy([&] {
            PostMessageW(Button(IDC_TEMPSAVE_COPY), BM_CLICK, 0, 0);
            HWND menu = program->WaitPopupMenu();
            EXPECT_TRUE(menu && PressInPopupMenu(menu, keys));
        });
    }
    // A right-button press on a button, then item `item` of its menu.
    bool ChooseOnButton(int button, int item) {
        PostMessageW(Button(button), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        HWND menu = program->WaitPopupMenu();
        return menu && ChooseFromPopupMenu(menu, item);
    }

    // The edit dialog, from either button's menu.
    HWND OpenEdit(int button = IDC_TEMPSAVE_COPY) {
        if (!ChooseOnButton(button, kEdit)) return nullptr;
        HWND edit = program->WaitDialog();
        EXPECT_EQ(Utf8(WindowText(edit)), "編集");
        return edit;
    }
    static Lines ListLines(HWND edit) {
        HWND list = GetDlgItem(edit, IDC_TEMPEDIT_LIST);
        Lines lines;
        const LRESULT count = Ask(list, LB_GETCOUNT);
        for (LRESULT line = 0; line < count; ++line) {
            wchar_t text[64] = {};  // lines are at most 20 bytes
            if (Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(line)) < 64) {
                Ask(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text));
            }
            lines.push_back(Utf8(text));
        }
        return lines;
    }
    static std::string FieldText(HWND edit) {
        wchar_t text[256] = {};
        Ask(GetDlgItem(edit, IDC_TEMPEDIT_TEXT), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        return Utf8(text);
    }
    bool CloseEdit(HWND edit) const {
        Program::PressButton(edit, IDCANCEL);
        return WaitUntil([&] { return !IsWindow(edit); }) && Answers(*program);
    }
    // What the window holds, newest first, as the edit dialog lists it.
    Lines Held() {
        HWND edit = OpenEdit();
        if (!edit) return {"(no edit dialog)"};
        Lines lines = ListLines(edit);
        EXPECT_TRUE(CloseEdit(edit));
        return lines;
    }
    // Joins the texts through the join dialog's button `destination`.
    void Join(int destination) {
        ASSERT_TRUE(ChooseOnButton(IDC_TEMPSAVE_SAVE, kJoin));
        HWND dialog = program->WaitDialog();
        ASSERT_EQ(Utf8(WindowText(dialog)), "結合");
        Program::PressButton(dialog, destination);
    }

    HWND window = nullptr;
};

// Shown without taking the activation. Texts go in newest first, each once;
// the copy menu puts them back and the clipboard history does not record
// them. A clipboard without text, a right-button press and an empty list
// do nothing; clear empties the list; twenty texts fill it; the close box
// hides the window.
TEST_F(TempSaveTest, KeepsUpToTwentyClipboardTextsAndPutsThemBackUnrecorded) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    const HWND foreground = GetForegroundWindow();
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);
    EXPECT_EQ(GetForegroundWindow(), foreground);

    // Nothing to keep and nothing to copy: no menu comes up (it would hold
    // the sent click until it went).
    EXPECT_TRUE(Click(Button(IDC_TEMPSAVE_SAVE)));
    EXPECT_TRUE(Click(Button(IDC_TEMPSAVE_COPY), 3s));
    EXPECT_EQ(program->WaitWindow(L"#32768", 0ms), nullptr);
    EXPECT_EQ(Held(), Lines{});

    for (const char* text : {"one", "two", "three"}) ASSERT_TRUE(Save(text)) << text;
    EXPECT_EQ(Held(), (Lines{"three", "two", "one"}));
    EXPECT_EQ(CopyBack({VK_HOME, VK_RETURN}), "three");
    EXPECT_EQ(CopyBack({VK_END, VK_RETURN}), "one");
    // Three items: the second down arrow reaches the last, the third goes
    // round to the first.
    EXPECT_EQ(CopyBack({VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN}), "one");
    EXPECT_EQ(CopyBack({VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), "three");
    // Recorded, "one" would now stand before "three".
    ASSERT_TRUE(Copy("other"));
    EXPECT_TRUE(SlotsShow(*program, {"other", "three", "two", "one"}));

    // A text already kept moves to the front.
    ASSERT_TRUE(Save("one"));
    EXPECT_EQ(Held(), (Lines{"one", "three", "two"}));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.PutBitmap(); }));
    EXPECT_TRUE(Click(Button(IDC_TEMPSAVE_SAVE)));
    EXPECT_EQ(Held(), (Lines{"one", "three", "two"}));

    // A right-button press opens the menu and the button does nothing.
    ASSERT_TRUE(Copy("four"));
    PostMessageW(Button(IDC_TEMPSAVE_SAVE), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    HWND menu = program->WaitPopupMenu();
    ASSERT_TRUE(menu && PressInPopupMenu(menu, {VK_ESCAPE}));
    EXPECT_EQ(Ask(Button(IDC_TEMPSAVE_SAVE), BM_GETSTATE) & BST_PUSHED, 0);
    EXPECT_EQ(Held(), (Lines{"one", "three", "two"}));

    ASSERT_TRUE(ChooseOnButton(IDC_TEMPSAVE_COPY, kClear));
    EXPECT_EQ(Held(), Lines{});

    // Twenty texts fill it: a new one is not kept (nor the oldest dropped),
    // one already kept still moves to the front.
    Lines expected;
    for (int n = 1; n <= 21; ++n) {
        ASSERT_TRUE(Save("text " + std::to_string(n))) << n;
        if (n <= 20) expected.insert(expected.begin(), "text " + std::to_string(n));
    }
    EXPECT_EQ(Held(), expected);
    ASSERT_TRUE(Save("text 5"));
    std::erase(expected, "text 5");
    expected.insert(expected.begin(), "text 5");
    EXPECT_EQ(Held(), expected);

    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }));
    EXPECT_TRUE(IsWindow(window));
    ASSERT_TRUE(program->Exit());
}

// One line a text in the copy menu's order, its first 20 bytes (never half
// a double-byte character); a chosen line's whole text in the field.
// "更新" stores the field, and an empty field deletes the entry; the copy
// menu follows.
TEST_F(TempSaveTest, TheEditDialogChangesAndDeletesTexts) {
    ASSERT_TRUE(Start());
    ASSERT_NO_FATAL_FAILURE(Show());
    for (const char* text : {"short", "a一二三四五六七八九十", "0123456789ABCDEFGHIJKLMN"}) ASSERT_TRUE(Save(text));
    HWND edit = OpenEdit(IDC_TEMPSAVE_SAVE);
    ASSERT_TRUE(edit);
    // The main window is disabled under it, as under any dialog.
    EXPECT_FALSE(IsWindowEnabled(program->Frame()));
    EXPECT_EQ(ListLines(edit), (Lines{"0123456789ABCDEFGHIJ", "a一二三四五六七八九", "short"}));
    HWND list = GetDlgItem(edit, IDC_TEMPEDIT_LIST);
    // Chosen with the keyboard, as a user does.
    auto choose = [&](std::vector<WPARAM> keys, const std::string& shown) {
        for (WPARAM key : keys) PostMessageW(list, WM_KEYDOWN, key, 1);
        return WaitUntil([&] { return FieldText(edit) == shown; });
    };
    ASSERT_TRUE(choose({VK_HOME, VK_DOWN}, "a一二三四五六七八九十"));
    SetWindowTextW(GetDlgItem(edit, IDC_TEMPEDIT_TEXT), Wide("一時的な\r\n二行").c_str());
    ASSERT_TRUE(Click(GetDlgItem(edit, IDC_TEMPEDIT_UPDATE)));
    EXPECT_EQ(ListLines(edit), (Lines{"0123456789ABCDEFGHIJ", "一時的な\r\n二行", "short"}));
    EXPECT_EQ(Ask(list, LB_GETCURSEL), 1);

    ASSERT_TRUE(choose({VK_DOWN}, "short"));
    SetWindowTextW(GetDlgItem(edit, IDC_TEMPEDIT_TEXT), L"");
    ASSERT_TRUE(Click(GetDlgItem(edit, IDC_TEMPEDIT_UPDATE)));
    EXPECT_EQ(ListLines(edit), (Lines{"0123456789ABCDEFGHIJ", "一時的な\r\n二行"}));
    EXPECT_EQ(Ask(list, LB_GETCURSEL), LB_ERR);
    // Nothing chosen: "更新" does nothing.
    ASSERT_TRUE(Click(GetDlgItem(edit, IDC_TEMPEDIT_UPDATE)));
    EXPECT_EQ(Ask(list, LB_GETCOUNT), 2);
    ASSERT_TRUE(CloseEdit(edit));
    EXPECT_TRUE(IsWindowEnabled(program->Frame()));

    EXPECT_EQ(CopyBack({VK_END, VK_RETURN}), Ansi("一時的な\r\n二行"));
    EXPECT_EQ(CopyBack({VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN}), "0123456789ABCDEFGHIJKLMN");
    ASSERT_TRUE(program->Exit());
}

// Each text followed by CR LF, newest first: into a file (an empty list
// gives an empty file; one that cannot be written is named in a message),
// or onto the clipboard, which the history does not record.
TEST_F(TempSaveTest, JoinsTheTextsIntoAFileOrOntoTheClipboard) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_NO_FATAL_FAILURE(Show());
    const std::wstring empty = folder.File(L"empty.txt"), joined = folder.File(L"joined.txt");
    ASSERT_NO_FATAL_FAILURE(Join(IDC_JOIN_FILE));
    AnswerFileDialog(empty);
    EXPECT_TRUE(FileExists(empty));
    EXPECT_EQ(ReadBytes(empty), "");

    ASSERT_TRUE(Save("one") && Save("二つ目"));
    ASSERT_NO_FATAL_FAILURE(Join(IDC_JOIN_FILE));
    AnswerFileDialog(joined);
    EXPECT_EQ(ReadBytes(joined), Ansi("二つ目\r\none\r\n"));
    {
        HeldFile held(joined);
        ASSERT_NO_FATAL_FAILURE(Join(IDC_JOIN_FILE));
        AnswerFileDialog(joined, true);
        AnswerBox("--" + Utf8(joined) + "--", IDOK);
    }
    EXPECT_EQ(ReadBytes(joined), Ansi("二つ目\r\none\r\n"));

    EXPECT_EQ(CopiedBy([&] { Join(IDC_JOIN_CLIPBOARD); }), Ansi("二つ目\r\none\r\n"));
    ASSERT_TRUE(Copy("after"));
    EXPECT_TRUE(SlotsShow(*program, {"after", "二つ目", "one"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

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
enum { kClear, kEdit, kJoin };

using Lines = std::vector<std::string>;

LRESULT Ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(control, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}
// A click, sent: done on return, unless it opens a menu, which holds it up.
bool Click(HWND button, UINT timeout = 5000) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeout, &result) != 0;
}
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
    // Copies the text as another program, then "保存".
    bool Save(std::string_view utf8) { return Copy(utf8) && Click(Button(IDC_TEMPSAVE_SAVE)); }
    // The menu that `press` (a left click on "コピー", a right-button press
    // on either button) opens, worked with `keys` or item `item` chosen.
    bool Menu(UINT press, int button, const std::vector<WPARAM>& keys) {
        HWND menu = program->OpenPopupMenu([&] { PostMessageW(Button(button), press, MK_RBUTTON, MAKELPARAM(5, 5)); });
        return menu && PressInPopupMenu(menu, keys);
    }
    bool Menu(UINT press, int button, int item) {
        std::vector<WPARAM> keys{VK_HOME};
        keys.insert(keys.end(), static_cast<std::size_t>(item), VK_DOWN);
        keys.push_back(VK_RETURN);
        return Menu(press, button, keys);
    }
    // Item `item` of the "コピー" menu; the clipboard's text once the program
    // has dealt with its copy.
    std::optional<std::string> CopyBack(int item) {
        return CopiedBy([&] { EXPECT_TRUE(Menu(BM_CLICK, IDC_TEMPSAVE_COPY, item)); });
    }
    // The dialog `item` of a button's right-button menu opens, titled
    // `title`. Chosen again when it does not come: Wine may cancel a menu
    // soon after a dialog closed even once it is on show (see OpenPopupMenu).
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
// unrecorded. A clipboard without text, a right-button press and an empty
// list do nothing. The edit dialog lists each text's first 20 bytes (never
// half a double-byte character), "更新" stores the field and an empty field
// deletes. Joined, each text ends in CR LF: into a file (one that cannot be
// written is named) or onto the clipboard, unrecorded. Clear empties it;
// twenty texts fill it.
TEST_F(TempSaveTest, KeepsEditsAndJoinsUpToTwentyClipboardTexts) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY) && SendCommand(*program, ID_SHOW_TEMPSAVE));
    // The window stays on show, so what comes up over it is waited for past it.
    ASSERT_TRUE(window = program->WaitWindow(L"#32770", 5s));
    EXPECT_EQ(Utf8(WindowText(window)), "一時保存");
    program->IgnoreWindow(window);

    // Nothing to keep and nothing to copy: no menu comes up (it would hold
    // the sent click until it went).
    EXPECT_TRUE(Click(Button(IDC_TEMPSAVE_SAVE)) && Click(Button(IDC_TEMPSAVE_COPY), 3000));
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
    EXPECT_TRUE(Click(Button(IDC_TEMPSAVE_SAVE)));
    ASSERT_TRUE(Copy("four"));
    ASSERT_TRUE(Menu(WM_RBUTTONDOWN, IDC_TEMPSAVE_SAVE, std::vector<WPARAM>{VK_ESCAPE}));
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
        wchar_t text[256] = {};
        EXPECT_TRUE(WaitUntil([&] { return Ask(field, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text)), Utf8(text) == shown; }));
        SetWindowTextW(field, Wide(typed).c_str());
        ASSERT_TRUE(Click(GetDlgItem(edit, IDC_TEMPEDIT_UPDATE)));
    };
    update({VK_HOME, VK_DOWN}, "a一二三四五六七八九十", "一時的な\r\n二行");
    EXPECT_EQ(Ask(list, LB_GETCURSEL), 1);
    update({VK_DOWN}, "one", "");
    EXPECT_EQ(ListLines(edit), (Lines{"0123456789ABCDEFGHIJ", "一時的な\r\n二行", "three", "二つ"}));
    EXPECT_EQ(Ask(list, LB_GETCURSEL), LB_ERR);
    // Nothing chosen: "更新" does nothing.
    ASSERT_TRUE(Click(GetDlgItem(edit, IDC_TEMPEDIT_UPDATE)));
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

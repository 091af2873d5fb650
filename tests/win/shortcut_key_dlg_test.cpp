// The shortcut-key dialog run modally, as the options page runs it, and
// worked from another thread with key messages sent to its fields.
#include "dialogs/shortcut_key.h"
#include "res/resource.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;

std::wstring Field(HWND dialog, int button) {
    wchar_t text[16] = {};
    GetDlgItemTextW(dialog, IDC_KEY_FIRST + button - 1, text, 16);
    return text;
}

void Press(HWND dialog, int button, WPARAM key) {
    SendDlgItemMessageW(dialog, IDC_KEY_FIRST + button - 1, WM_KEYDOWN, key, 1);
}
void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

// The dialog's result and codes after `drive` worked it.
std::pair<INT_PTR, qs::KeyCodes> RunDialog(const qs::KeyCodes& codes, const std::function<void(HWND)>& drive) {
    CShortcutKeyDlg dialog;
    dialog.SetKeys(codes);
    std::pair<INT_PTR, qs::KeyCodes> outcome;
    DriveModal(L"ショートカットキー", drive, [&] { outcome.first = dialog.DoModal(nullptr); });
    dialog.GetKeys(outcome.second);
    return outcome;
}

// Named keys show their names; unnamed ones (F10, an arrow, Shift) leave the
// field as it is; Delete and Backspace empty it; a code without a name shows
// an empty field; no field has a context menu. Two buttons with one key are
// refused with the dialog still open. On OK the fields become the codes,
// empty ones 0. Clear empties every field; Cancel leaves the codes.
TEST(ShortcutKeyDialog, KeysPressedInTheFieldsBecomeTheCodes) {
    MessageBoxes boxes;
    std::vector<std::wstring> shown;
    bool menuless = false;
    const auto [result, codes] = RunDialog({0, 0, 0, 0, 'B', 'C', 0x6A}, [&](HWND dialog) {
        // A menu would hold the call in its own loop until Escape closes it.
        HWND field = GetDlgItem(dialog, IDC_KEY_FIRST);
        DWORD_PTR answer = 0;
        menuless = SendMessageTimeoutW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(5, 5),
                                       SMTO_NORMAL, 2000, &answer);
        if (!menuless) PostMessageW(field, WM_KEYDOWN, VK_ESCAPE, 0);
        shown.push_back(Field(dialog, 5) + L"," + Field(dialog, 7));
        const WPARAM keys[] = {VK_NUMPAD1, '1', VK_F3, 'A'};
        for (int i = 0; i < 4; ++i) Press(dialog, i + 1, keys[i]);
        for (WPARAM key : {VK_F10, VK_LEFT, VK_SHIFT}) Press(dialog, 4, key);
        Press(dialog, 5, VK_DELETE);
        Press(dialog, 6, VK_BACK);
        for (int button = 1; button <= 6; ++button) shown.push_back(Field(dialog, button));
        Press(dialog, 16, 'A');
        Click(dialog, IDOK);
        shown.push_back(IsWindowVisible(dialog) ? L"open" : L"closed");
        Press(dialog, 16, VK_DELETE);
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(menuless);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"B,", L"N1", L"1", L"F3", L"A", L"", L"", L"open"}));
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{
                               L"異なったボタンに対して同じキーが設定されています。\n異なるキーを設定しないおしてください"});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(codes, (qs::KeyCodes{0x61, 0x31, 0x72, 0x41}));

    std::wstring cleared;
    const auto [cancelled, kept] = RunDialog({'Q', 0, 'E'}, [&](HWND dialog) {
        Click(dialog, IDC_KEY_CLEAR);
        for (int button = 1; button <= 16; ++button) cleared += Field(dialog, button);
        Click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(cleared.empty() && cancelled == IDCANCEL) << Utf8(cleared);
    EXPECT_EQ(kept, (qs::KeyCodes{'Q', 0, 'E'}));
}

}  // namespace

// The shortcut-key dialog run modally, as the options page runs it, and
// worked from another thread with key messages sent to its fields.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

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

void Click(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

struct Outcome {
    INT_PTR result = 0;
    qs::KeyCodes codes{};
};

// Runs the dialog with `codes` on this thread while `drive` works it from
// another; whatever `drive` leaves open is cancelled.
Outcome RunDialog(const qs::KeyCodes& codes, const std::function<void(HWND)>& drive) {
    CShortcutKeyDlg dialog;
    dialog.SetKeys(codes);
    const DWORD thread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND window = nullptr;
        WaitUntil([&] {
            window = FindWindowW(L"#32770", L"ショートカットキー");
            return window && IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == thread;
        });
        drive(window);
        if (IsWindow(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    Outcome outcome;
    outcome.result = dialog.DoModal(nullptr);
    driver.join();
    dialog.GetKeys(outcome.codes);
    return outcome;
}

// Named keys show their names; unnamed ones (F10, an arrow, Shift) leave the
// field as it is; Delete and Backspace empty it; a code without a name shows
// an empty field; no field has a context menu. On OK the fields become the
// codes, empty ones 0 (and never duplicates of each other).
TEST(ShortcutKeyDialog, KeysPressedInTheFieldsBecomeTheCodes) {
    std::vector<std::wstring> shown;
    bool menuless = false;
    const Outcome outcome = RunDialog({0, 0, 0, 0, 'B', 'C', 0x6A}, [&](HWND dialog) {
        // A menu would hold the call in its own loop until Escape closes it.
        HWND field = GetDlgItem(dialog, IDC_KEY_FIRST);
        DWORD_PTR result = 0;
        menuless = SendMessageTimeoutW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(5, 5),
                                       SMTO_NORMAL, 2000, &result);
        if (!menuless) PostMessageW(field, WM_KEYDOWN, VK_ESCAPE, 0);
        shown.push_back(Field(dialog, 5) + L"," + Field(dialog, 7));
        const WPARAM keys[] = {VK_NUMPAD1, '1', VK_F3, 'A'};
        for (int i = 0; i < 4; ++i) Press(dialog, i + 1, keys[i]);
        for (WPARAM key : {VK_F10, VK_LEFT, VK_SHIFT}) Press(dialog, 4, key);
        Press(dialog, 5, VK_DELETE);
        Press(dialog, 6, VK_BACK);
        for (int button = 1; button <= 6; ++button) shown.push_back(Field(dialog, button));
        Click(dialog, IDOK);
    });
    EXPECT_TRUE(menuless);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"B,", L"N1", L"1", L"F3", L"A", L"", L""}));
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.codes, (qs::KeyCodes{0x61, 0x31, 0x72, 0x41}));
}

// Two buttons with one key: the message, with the dialog still open;
// cancel then leaves the codes as they were. Clear empties every field.
TEST(ShortcutKeyDialog, DuplicateKeysAreRefusedCancelLeavesTheCodesAndClearEmptiesThem) {
    MessageBoxes boxes;
    bool openAfterOk = false;
    const Outcome cancelled = RunDialog({'Q'}, [&](HWND dialog) {
        Press(dialog, 16, 'Q');
        Click(dialog, IDOK);
        openAfterOk = IsWindowVisible(dialog);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{
                               L"異なったボタンに対して同じキーが設定されています。\n異なるキーを設定しないおしてください"});
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(cancelled.result, IDCANCEL);
    EXPECT_EQ(cancelled.codes, qs::KeyCodes{'Q'});

    const Outcome cleared = RunDialog({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'},
                                      [](HWND dialog) { Click(dialog, IDC_KEY_CLEAR), Click(dialog, IDOK); });
    EXPECT_EQ(cleared.result, IDOK);
    EXPECT_EQ(cleared.codes, qs::KeyCodes{});
}

}  // namespace

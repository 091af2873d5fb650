// quillstack.dll, linked through its import library as the program will
// link it. Keys injected with SendInput pass through the system's low-level
// hooks, under Wine as on Windows. An observer hook installed before the one
// under test is called after it: its seeing a key shows that the key was
// passed on, and that the hook under test has already had its turn.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "hook/qhook.h"
#include "tests/common/test_files.h"

namespace {

using namespace qstest;

// The keys reported to each window: "+51 " key down, "-51 " key up.
std::map<HWND, std::string> g_keys;
const std::string kCtrlQ = "+11 +51 -51 -11 ";

LRESULT CALLBACK RecordKey(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != 0x0626 && message != 0x0627) return DefWindowProcW(window, message, wParam, lParam);
    char key[24];
    std::snprintf(key, sizeof key, "%c%02llX ", message == 0x0626 ? '+' : '-', static_cast<unsigned long long>(wParam));
    g_keys[window] += key;
    return 0;
}

OwnedWindow KeyWindow() {
    OwnedWindow window = MessageWindow();
    SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordKey));
    return window;
}

// Left Ctrl and Q down and up, in one call so no key is left held down;
// returns once the observer's window has them all.
void PressCtrlQ(HWND seen) {
    g_keys.clear();
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_LCONTROL, 'Q', 'Q', VK_LCONTROL};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
    ASSERT_TRUE(WaitUntil([&] { return g_keys[seen] == kCtrlQ; }, 5s)) << g_keys[seen];
}

TEST(Hook, ReportsGenericCodesToTheLatestWindowUntilReleasedOrDeleted) {
    OwnedWindow seen = KeyWindow(), first = KeyWindow(), target = KeyWindow();
    std::unique_ptr<QHook> observer(new QHook), hook(new QHook);
    ASSERT_NE(observer->SetKeyboardHook(seen.get()), 0);
    EXPECT_EQ(hook->SetKeyboardHook(nullptr), 0);
    ASSERT_NE(hook->SetKeyboardHook(first.get()), 0);
    ASSERT_NE(hook->SetKeyboardHook(target.get()), 0) << "a second set reports to the new window";
    PressCtrlQ(seen.get());
    EXPECT_EQ(g_keys[target.get()], kCtrlQ);
    EXPECT_EQ(g_keys[first.get()], "");

    EXPECT_NE(hook->ReleaseHook(), 0);
    EXPECT_EQ(hook->ReleaseHook(), 0) << "a second release is harmless";
    PressCtrlQ(seen.get());
    EXPECT_EQ(g_keys[target.get()], "");

    ASSERT_NE(hook->SetKeyboardHook(target.get()), 0);
    hook.reset();
    PressCtrlQ(seen.get());
    EXPECT_EQ(g_keys[target.get()], "") << "deleting the object releases its hook";
}

}  // namespace

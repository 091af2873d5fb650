// Pictures of the real program for the README: run by scripts/screenshots
// inside a Wine desktop, which draws the windows' captions and borders as
// Windows does. Each picture is a part of the screen holding the windows it
// shows, saved as a 24-bit BMP into QS_SHOTS_DIR (the script turns them
// into PNGs).
#include <climits>
#include <cstdlib>
#include <initializer_list>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const std::vector<std::string> kSentences = {
    "いつもお世話になっております。",
    "よろしくお願いいたします。",
    "本日はお忙しいところありがとうございました。",
    "資料を添付いたしますので、ご確認ください。",
    "https://example.com/",
    "取り急ぎご連絡まで。",
    "株式会社クイルスタック 営業部",
    "〒100-0001 東京都千代田区",
    "03-1234-5678",
};

// The bytes of a bottom-up 24-bit BMP of that part of the screen.
std::string ScreenBmp(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride) * height, '\0');
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    return std::string(reinterpret_cast<const char*>(&file), sizeof(file)) +
           std::string(reinterpret_cast<const char*>(&info), sizeof(info)) + pixels;
}

// The smallest rectangle around the windows, with a margin of the desktop.
RECT Around(std::initializer_list<HWND> windows) {
    RECT all{};
    for (HWND window : windows) {
        RECT rect{};
        if (window && GetWindowRect(window, &rect)) UnionRect(&all, &all, &rect);
    }
    InflateRect(&all, 8, 8);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&all, &all, &screen);
    return all;
}

class Screenshots : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        const char* dir = std::getenv("QS_SHOTS_DIR");
        if (!dir) GTEST_FAIL() << "run by scripts/screenshots";
        shots_ = Wide(dir);
        WriteList(L"Quillstack.txt", kSentences);
        ASSERT_TRUE(Start());
        SetWindowPos(program->Frame(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    void TearDown() override {
        if (program) {
            EXPECT_TRUE(program->Exit());
        }
    }
    // Once the program is idle and has drawn what changed.
    void Take(const wchar_t* name, std::initializer_list<HWND> windows) { Take(name, Around(windows)); }
    void Take(const wchar_t* name, const RECT& area) {
        ASSERT_TRUE(Answers(*program));
        WaitUntil([] { return false; }, 300ms);  // the captions are drawn 100 ms after the last change
        WriteBytes(shots_ + L"\\" + name + L".bmp", ScreenBmp(area));
    }
    // A window of the program's own that a command opened.
    HWND Opened(UINT command, const wchar_t* title) {
        program->Command(command);
        HWND window = nullptr;
        WaitUntil([&] { return IsWindowVisible(window = FindWindowW(nullptr, title)); });
        EXPECT_TRUE(window) << Utf8(title);
        return window;
    }

private:
    std::wstring shots_;
};

TEST_F(Screenshots, MainWindow) { Take(L"main", {program->Frame()}); }

// In a Wine desktop the taskbar draws the icons of the notification area
// itself, the newest at the right end, and takes their mouse messages.
TEST_F(Screenshots, TrayMenu) {
    HWND taskbar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(taskbar = FindWindowW(L"Shell_TrayWnd", nullptr)); }));
    RECT area{};
    GetWindowRect(taskbar, &area);
    POINT icon{area.right - 12, (area.top + area.bottom) / 2};
    // The menu opens where the pointer is.
    SetCursorPos(icon.x, icon.y);
    HWND target = WindowFromPoint(icon);
    ScreenToClient(target, &icon);
    PostMessageW(target, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(icon.x, icon.y));
    PostMessageW(target, WM_RBUTTONUP, 0, MAKELPARAM(icon.x, icon.y));
    HWND menu = program->WaitPopupMenu();
    ASSERT_TRUE(menu);
    // The menu and the end of the taskbar under it.
    RECT shown = Around({menu});
    shown.bottom = area.bottom;
    Take(L"tray-menu", shown);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(Screenshots, DockedEditor) {
    Take(L"editor", {program->Frame(), Opened(ID_SHOW_EDITOR, L"登録文の確認と編集")});
}

TEST_F(Screenshots, TemporarySaveWindow) {
    ASSERT_TRUE(Copy(kSentences[1]));
    HWND window = Opened(ID_SHOW_TEMPSAVE, L"一時保存");
    Program::PressButton(window, IDC_TEMPSAVE_SAVE);
    Take(L"tempsave", {program->Frame(), window});
}

TEST_F(Screenshots, Options) {
    HWND sheet = Opened(ID_OPTIONS, L"設定");
    RECT frame{};
    GetWindowRect(program->Frame(), &frame);
    SetWindowPos(sheet, nullptr, frame.right + 8, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Take(L"options", {program->Frame(), sheet});
    EXPECT_TRUE(CloseOptions(*program, sheet, false));
}

}  // namespace
}  // namespace e2e

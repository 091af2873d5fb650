#include "tests/e2e/harness.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>

#include "core/settings_text.h"
#include "res/resource.h"

namespace e2e {

const wchar_t kInstanceAtom[] = L"Quillstack ,Inkwell Works, 2001/1/1";

void RemoveInstanceAtom() {
    for (int i = 0; i < 1000 && GlobalFindAtomW(kInstanceAtom); ++i) GlobalDeleteAtom(GlobalFindAtomW(kInstanceAtom));
}
bool InstanceAtomExists() { return GlobalFindAtomW(kInstanceAtom) != 0; }

bool ClipboardWriter::Put(std::string_view ansi, bool withOwner) { return PutClipboardText(withOwner ? Window() : nullptr, ansi); }
bool ClipboardWriter::PutBitmap() { return PutClipboard(Window(), CF_BITMAP, CreateBitmap(4, 4, 1, 32, nullptr)); }

Program::Program(const std::wstring& folder, std::wstring_view arguments) {
    // The program, the keyboard-hook library it links and its user guide.
    const auto file = [&folder](const wchar_t* name) { return folder + L"\\" + name; };
    const std::wstring exe = file(L"Quillstack.exe");
    CopyFileW(ProgramPath().c_str(), exe.c_str(), TRUE);
    CopyFileW(HookLibraryPath().c_str(), file(L"quillstack.dll").c_str(), TRUE);
    std::error_code ignored;
    std::filesystem::copy(std::filesystem::path(ProgramPath()).parent_path() / L"help", file(L"help"),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing, ignored);
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    // Wine now and then refuses a start with an internal error of its own
    // before the program runs at all; that start is tried again, twice at
    // most. Nothing the program itself does is ever retried.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.c_str(), &startup, &info_)) {
            return;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 2) {
            ADD_FAILURE() << "cannot start " << Utf8(exe) << ": error " << error;
            return;
        }
        std::fprintf(stderr, "[harness] starting the program failed with error %lu; trying again\n", error);
        std::this_thread::sleep_for(200ms);
    }
}

Program::~Program() {
    if (!info_.hProcess) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Program::Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
bool Program::WaitExit(std::chrono::milliseconds timeout) const { return WaitUntil([this] { return !Running(); }, timeout); }
DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::vector<HWND> Program::TopWindows() const {
    std::pair<DWORD, std::vector<HWND>> search{Id(), {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<decltype(search)*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->first) s->second.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND Program::WaitWindow(const wchar_t* className, std::chrono::milliseconds timeout, bool shown,
                         HWND except) const {
    HWND found = nullptr;
    auto wanted = [&](HWND window) {
        return window != frame_ && window != except && ClassName(window) == className &&
               std::find(ignored_.begin(), ignored_.end(), window) == ignored_.end() && (IsWindowVisible(window) || !shown);
    };
    WaitUntil([&] {
        for (HWND window : TopWindows()) if (wanted(window)) return (found = window) != nullptr;
        return !Running();
    }, timeout);
    return found;
}

HWND Program::OpenPopupMenu(const std::function<void()>& press) const {
    for (int attempt = 0; attempt < 3; ++attempt) {
        press();
        HWND menu = WaitWindow(L"#32768", 2s);
        DWORD_PTR result = 0;
        // Answered from inside the menu's loop, after the events it found.
        if (menu && SendMessageTimeoutW(menu, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) && IsWindowVisible(menu)) {
            return menu;
        }
    }
    return nullptr;
}

HWND Program::WaitFrame(bool shown) {
    if (!frame_) frame_ = WaitWindow(L"FwFrameWnd", 15s, shown);
    return frame_;
}

HWND Program::View() const { return frame_ ? FindWindowExW(frame_, nullptr, L"#32770", nullptr) : nullptr; }
std::string Program::SlotText(int slot) const { return Utf8(WindowText(Control(1000 + slot))); }
std::vector<std::string> Program::SlotTexts() const {
    std::vector<std::string> texts;
    for (int slot = 0; slot < 8; ++slot) texts.push_back(SlotText(slot));
    return texts;
}
bool Program::Exit() {
    Command(ID_APP_EXIT);
    return WaitExit();
}

std::string Program::DialogText(HWND dialog) {
    std::string text;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != L"Static") continue;
        std::string line = Utf8(WindowText(child));
        if (line.empty()) continue;
        if (!text.empty()) text += "\n";
        text += line;
    }
    return text;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[4096] = {};
    GetWindowTextW(window, buffer, 4096);
    return buffer;
}
std::wstring ClassName(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

LRESULT Ask(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(control, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}
std::string ControlText(HWND control) {
    wchar_t text[1024] = {};
    Ask(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}
void SetControlText(HWND control, std::string_view utf8) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(utf8).c_str()));
}
bool SendClick(HWND button, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool TypeKeys(HWND window, const std::vector<WORD>& keys) {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 5s)) return false;
    std::vector<INPUT> typed;
    for (WORD key : keys) typed.push_back({INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) typed.push_back({INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    return SendInput(static_cast<UINT>(typed.size()), typed.data(), sizeof(INPUT)) == typed.size();
}

std::string Canonical(std::string_view text) {
    qs::Settings settings;
    qs::StringList urlBegin, urlEnd, recentFiles(9);
    qs::ReadSettingsText(text, settings, urlBegin, urlEnd, recentFiles);
    return qs::WriteSettingsText(settings, urlBegin, urlEnd, recentFiles);
}

// Menu tracking reads the keys from its thread's queue, whichever of the
// thread's windows they were posted to. Enter acts through the character
// that the menu's own TranslateMessage makes of it, so nothing may be
// posted behind it until the menu has dealt with it.
bool ChooseFromPopupMenu(HWND menu, int downs) {
    std::vector<WPARAM> keys{VK_HOME};
    keys.insert(keys.end(), static_cast<std::size_t>(downs), VK_DOWN);
    keys.push_back(VK_RETURN);
    return PressInPopupMenu(menu, keys);
}

bool PressInPopupMenu(HWND menu, const std::vector<WPARAM>& keys) {
    auto key = [menu](WPARAM code) { PostMessageW(menu, WM_KEYDOWN, code, 1); };
    auto closed = [menu] { return !IsWindow(menu) || !IsWindowVisible(menu); };
    for (WPARAM code : keys) key(code);
    if (WaitUntil(closed, 2s)) return true;
    key(VK_ESCAPE);
    return WaitUntil(closed);
}

bool NotifyTrayIcon(HWND frame, DWORD message) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = frame;
    data.uID = 100;
    return Shell_NotifyIconW(message, &data) != FALSE;
}

// Wine lays the icons out left to right in the order they came, each a
// window of its own: the newest is the rightmost. Icons a killed earlier
// run left behind lie to its left.
bool ClickTrayIcon(UINT mouseMessage) {
    HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    HWND newest = nullptr;
    LONG right = LONG_MIN;
    for (HWND icon = tray ? GetWindow(tray, GW_CHILD) : nullptr; icon; icon = GetWindow(icon, GW_HWNDNEXT)) {
        if (IsWindowVisible(icon) && WindowRect(icon).left > right) {
            right = WindowRect(icon).left;
            newest = icon;
        }
    }
    if (!newest) return false;
    const WPARAM buttons = mouseMessage == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
    return PostMessageW(newest, mouseMessage, buttons, MAKELPARAM(4, 4)) != FALSE;
}

ClipboardViewer::ClipboardViewer() {
    static const WNDCLASSW windowClass{0, &Proc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
                                       nullptr, L"e2eClipboardViewer"};
    static const bool registered = RegisterClassW(&windowClass) != 0;
    window_ = registered ? CreateWindowExW(0, windowClass.lpszClassName, L"e2e viewer", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, windowClass.hInstance, nullptr)
                         : nullptr;
    if (!window_) {
        ADD_FAILURE() << "cannot create a viewer window: error " << GetLastError();
        return;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    joined_ = true;
    next_ = SetClipboardViewer(window_);
}

ClipboardViewer::~ClipboardViewer() {
    Leave();
    if (window_) DestroyWindow(window_);
}
void ClipboardViewer::Leave() {
    if (!joined_) return;
    joined_ = false;
    ChangeClipboardChain(window_, next_);
    next_ = nullptr;
}

// Passed on with a time-out (Ask), so that a hung program in the chain
// cannot hang the test with it.
LRESULT CALLBACK ClipboardViewer::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ClipboardViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_DRAWCLIPBOARD) {
        ++self->notifications_;
        Ask(self->next_, message, wParam, lParam);
    } else if (self && message == WM_CHANGECBCHAIN) {
        if (reinterpret_cast<HWND>(wParam) == self->next_) {
            self->next_ = reinterpret_cast<HWND>(lParam);
        } else {
            Ask(self->next_, message, wParam, lParam);
        }
    } else {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return 0;
}

void WriteSettings(const TempFolder& folder, const std::vector<std::string_view>& lines) {
    std::string text;
    for (std::string_view line : lines) text.append(line).append("\r\n");
    WriteBytes(folder.File(L"Quillstack.ini"), text);
}

bool Answers(const Program& program, std::chrono::milliseconds timeout) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(program.View(), WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()),
                               &result) != 0;
}

bool SendCommand(const Program& program, UINT id) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(program.Frame(), WM_COMMAND, id, 0, SMTO_NORMAL, 5000, &result) != 0;
}

::testing::AssertionResult SlotsShow(const Program& program, std::vector<std::string> expected,
                                     std::chrono::milliseconds timeout) {
    expected.resize(8, "未登録");
    if (WaitUntil([&] { return program.SlotTexts() == expected; }, timeout)) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "the slots read:";
    for (const std::string& caption : program.SlotTexts()) failure << " [" << caption << "]";
    return failure;
}

std::pair<std::wstring, std::wstring> ProgramTest::AnswerFileDialog(const std::optional<std::wstring>& path,
                                                                    bool replaces) {
    // Under Wine the dialog is explorer-style, with these combo boxes.
    // It is found by its name box, whatever else of the program is open.
    const int nameBox = 0x47C, folderBox = 0x471;
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND window : program->TopWindows()) {
            if (ClassName(window) == L"#32770" && IsWindowVisible(window) && GetDlgItem(window, nameBox)) dialog = window;
        }
        return dialog != nullptr;
    }));
    const std::pair shown{Wide(ControlText(GetDlgItem(dialog, folderBox))), Wide(ControlText(GetDlgItem(dialog, nameBox)))};
    if (path) SetWindowTextW(GetDlgItem(dialog, nameBox), path->c_str());
    Program::PressButton(dialog, path ? IDOK : IDCANCEL);
    if (replaces) Program::PressButton(program->WaitDialog(dialog), IDYES);
    // Gone, and the program answers: the command is done. (Polling the
    // file meanwhile would hold it open and make the program's write fail.)
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }) && Answers(*program));
    return shown;
}

HWND OpenOptions(const Program& program, HWND except) {
    program.Command(ID_OPTIONS);
    return program.WaitDialog(except);
}
HWND ShowOptionsPage(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool CloseOptions(const Program& program, HWND sheet, bool ok) {
    PostMessageW(sheet, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
    return WaitUntil([&] { return !IsWindow(sheet); }) && Answers(program);
}

std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = toUnix ? toUnix(path.c_str()) : nullptr;
    std::string result = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

BrowserRecorder::BrowserRecorder(const std::wstring& folder) : address_(folder + L"\\address.txt") {
    auto setValue = [](HKEY root, const wchar_t* key, const wchar_t* name, const std::wstring& value) {
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(RegSetKeyValueW(root, key, name, REG_SZ, value.c_str(), bytes), ERROR_SUCCESS);
    };
    const std::wstring script = folder + L"\\browser.sh";
    WriteBytes(script, "printf '%s' \"$2\" > \"$1\"\n");
    EXPECT_FALSE(UnixPath(script).empty()) << "the test needs Wine's file names";
    // Wine reads file associations from HKCR itself, not from the user's
    // Software\Classes.
    setValue(HKEY_CLASSES_ROOT, L".html", nullptr, L"htmlfile");
    setValue(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers",
             Wide("/bin/sh \"" + UnixPath(script) + "\" \"" + UnixPath(address_) + "\""));
}

std::string BrowserRecorder::WaitAddress() const {
    WaitUntil([&] { return !ReadBytes(address_).empty(); });
    return ReadBytes(address_);
}

void BrowserRecorder::Forget() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".html");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers");
}

}  // namespace e2e

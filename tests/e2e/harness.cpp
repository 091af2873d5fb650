#include "tests/e2e/harness.h"

#include <cstring>

namespace e2e {
namespace {

const wchar_t kInstanceAtom[] = L"Quillstack ,Inkwell Works, 2001/1/1";

std::wstring Convert(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Convert(std::wstring_view wide, UINT codePage) {
    if (wide.empty()) return {};
    int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                        nullptr);
    return text;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

// Windows of the test process may be sent messages by the program (the
// clipboard owner is told when the program empties the clipboard, viewers
// hear of changes): they must be served while a test waits.
void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::vector<HWND> TopWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> windows;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId) s->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

}  // namespace

void Pump() {
    PumpMessages();
}

std::string Ansi(std::string_view utf8) {
    return Convert(Convert(utf8, CP_UTF8), CP_ACP);
}

std::wstring Wide(std::string_view utf8) {
    return Convert(utf8, CP_UTF8);
}

std::string Utf8(std::wstring_view wide) {
    return Convert(wide, CP_UTF8);
}

std::wstring ProgramPath() {
    std::wstring path = L"Z:" + Wide(QS_EXE_PATH);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        path_ = std::wstring(base) + L"qs-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

std::string TempFolder::AnsiFile(std::string_view utf8Name) const {
    return Convert(File(Wide(utf8Name)), CP_ACP);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Utf8(path);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void RemoveInstanceAtom() {
    for (int i = 0; i < 1000; ++i) {
        ATOM atom = GlobalFindAtomW(kInstanceAtom);
        if (atom == 0) return;
        GlobalDeleteAtom(atom);
    }
}

bool InstanceAtomExists() {
    return GlobalFindAtomW(kInstanceAtom) != 0;
}

ClipboardWriter::ClipboardWriter() {
    window_ = CreateWindowExW(0, L"STATIC", L"e2e clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                              nullptr);
}

ClipboardWriter::~ClipboardWriter() {
    if (window_) DestroyWindow(window_);
}

namespace {

// The program opens the clipboard for a moment on every change: try again
// until it lets go.
bool OpenClipboardSoon(HWND owner) {
    return WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 5s);
}

}  // namespace

bool ClipboardWriter::Put(std::string_view ansi, bool withOwner) {
    if (!OpenClipboardSoon(withOwner ? window_ : nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, ansi.size() + 1);
    char* data = static_cast<char*>(GlobalLock(block));
    std::memcpy(data, ansi.data(), ansi.size());
    data[ansi.size()] = '\0';
    GlobalUnlock(block);
    bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
    if (!ok) GlobalFree(block);
    CloseClipboard();
    return ok;
}

bool ClipboardWriter::PutBitmap() {
    if (!OpenClipboardSoon(window_)) return false;
    EmptyClipboard();
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    bool ok = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    CloseClipboard();
    return ok;
}

std::string ClipboardText() {
    if (!OpenClipboardSoon(nullptr)) return {};
    std::string text;
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        if (const char* data = static_cast<const char*>(GlobalLock(block))) {
            text.assign(data, strnlen(data, GlobalSize(block)));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

Program::Program(const TempFolder& folder, std::wstring_view arguments) {
    std::wstring exe = folder.File(L"Quillstack.exe");
    if (!FileExists(exe)) CopyFileW(ProgramPath().c_str(), exe.c_str(), FALSE);
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.Path().c_str(), &startup, &info_)) {
        ADD_FAILURE() << "cannot start " << Utf8(exe) << ": error " << GetLastError();
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

bool Program::Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Program::WaitExit(std::chrono::milliseconds timeout) const {
    return WaitUntil([this] { return !Running(); }, timeout);
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::vector<HWND> Program::TopWindows() const {
    return TopWindowsOf(Id());
}

HWND Program::WaitFrame(std::chrono::milliseconds timeout) {
    WaitUntil(
        [this] {
            for (HWND window : TopWindows()) {
                if (ClassName(window) == L"FwFrameWnd" && IsWindowVisible(window)) {
                    frame_ = window;
                    return true;
                }
            }
            return !Running();
        },
        timeout);
    return frame_;
}

HWND Program::View() const {
    return frame_ ? FindWindowExW(frame_, nullptr, L"#32770", nullptr) : nullptr;
}

HWND Program::Control(int id) const {
    return GetDlgItem(View(), id);
}

std::string Program::SlotText(int slot) const {
    return Utf8(WindowText(Control(1000 + slot)));
}

std::vector<std::string> Program::SlotTexts() const {
    std::vector<std::string> texts;
    for (int slot = 0; slot < 8; ++slot) texts.push_back(SlotText(slot));
    return texts;
}

void Program::Command(UINT id) const {
    PostMessageW(frame_, WM_COMMAND, id, 0);
}

void Program::Click(int controlId) const {
    PostMessageW(Control(controlId), BM_CLICK, 0, 0);
}

bool Program::Exit() {
    Command(57665);
    return WaitExit();
}

HWND Program::WaitDialog(std::chrono::milliseconds timeout) const {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows()) {
                if (window != frame_ && ClassName(window) == L"#32770" && IsWindowVisible(window)) {
                    dialog = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return dialog;
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

void Program::PressButton(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[4096];
    int length = GetWindowTextW(window, buffer, 4096);
    return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring ClassName(HWND window) {
    wchar_t buffer[256];
    int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace e2e

// Helpers shared by the Windows unit tests and the end-to-end drivers.
// Paths are wide; the program's own are in the ANSI code page, so the file
// helpers take those too.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace qstest {

using namespace std::chrono_literals;

// Serves the messages of this thread's windows (the program sends some: a
// clipboard owner hears when the clipboard is emptied).
void Pump();
// Polls `condition`, serving messages meanwhile, until it holds or time is up.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = 10s) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Pump();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
}

std::wstring ToWide(std::string_view text, UINT codePage);
std::string FromWide(std::wstring_view wide, UINT codePage);
// Source literals are UTF-8; the program's data is in the ANSI code page.
inline std::string Ansi(std::string_view utf8) { return FromWide(ToWide(utf8, CP_UTF8), CP_ACP); }
inline std::wstring Wide(std::string_view utf8) { return ToWide(utf8, CP_UTF8); }
inline std::string Utf8(std::wstring_view wide) { return FromWide(wide, CP_UTF8); }
inline std::wstring WideFromAnsi(std::string_view ansi) { return ToWide(ansi, CP_ACP); }

// The built program and its hook library, beside the test programs.
std::wstring ProgramPath();
std::wstring HookLibraryPath();

bool FileExists(const std::wstring& path);
// The whole file, read while others may have it open; empty when missing.
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
// The names of the files in a folder (UTF-8), sorted.
std::vector<std::string> FileNames(const std::wstring& folder);

inline bool FileExists(const std::string& ansiPath) { return FileExists(WideFromAnsi(ansiPath)); }
inline std::string ReadBytes(const std::string& ansiPath) { return ReadBytes(WideFromAnsi(ansiPath)); }
inline void WriteBytes(const std::string& ansiPath, std::string_view bytes) { WriteBytes(WideFromAnsi(ansiPath), bytes); }
inline std::vector<std::string> FileNames(const std::string& ansiFolder) { return FileNames(WideFromAnsi(ansiFolder)); }

// The bytes of a list file (sentences, titles) holding these ANSI entries.
std::string ListFileBytes(const std::vector<std::string>& entries);

// A new, empty folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }
    // The same, in the ANSI code page, from a UTF-8 name.
    std::string AnsiPath() const { return FromWide(path_, CP_ACP); }
    std::string AnsiFile(std::string_view utf8Name) const { return FromWide(File(Wide(utf8Name)), CP_ACP); }

private:
    std::wstring path_;
};

// A file held open, as another program may hold it: without sharing no one
// else can read or replace it until it is closed. Created when missing.
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path, DWORD sharing = 0, DWORD access = GENERIC_READ | GENERIC_WRITE);
    explicit HeldFile(const std::string& ansiPath, DWORD sharing = 0) : HeldFile(WideFromAnsi(ansiPath), sharing) {}
    ~HeldFile() { Close(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The clipboard, straight through the system. The program opens it for a
// moment on every change: these try again until it lets go.
bool OpenClipboardSoon(HWND owner);
// Empties the clipboard and puts `data` there in `format`, owned by `owner`
// (which may be null); the data passes to the system when this succeeds.
// PutClipboardData: the same with each format's bytes.
bool PutClipboard(HWND owner, UINT format, HANDLE data);
bool PutClipboardData(HWND owner, const std::vector<std::pair<UINT, std::string>>& data);
// Puts `size` bytes as CF_TEXT exactly as given (no NUL added).
bool PutClipboardBytes(HWND owner, const void* data, std::size_t size);
inline bool PutClipboardText(HWND owner, std::string_view ansi) {
    return PutClipboardBytes(owner, std::string(ansi).c_str(), ansi.size() + 1);
}
// The CF_TEXT up to its NUL, never past its block; empty when there is none.
std::string ClipboardText();
void EmptyTheClipboard();

// A message-only window of this process, for clipboard owners.
struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;
OwnedWindow MessageWindow();

}  // namespace qstest

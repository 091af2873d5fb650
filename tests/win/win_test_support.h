// Helpers shared by the Windows unit tests: fresh folders, whole files,
// message boxes answered in place of a user, the clipboard read and written
// directly through the system, and a document fixture that keeps the
// program's files out of the real program folder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "data/app_path.h"
#include "framework/file.h"
#include "framework/message_box.h"

namespace wintest {

inline std::wstring Convert(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

inline std::string Convert(std::wstring_view wide, UINT codePage) {
    if (wide.empty()) return {};
    int size = static_cast<int>(wide.size());
    int length = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

// Source literals are UTF-8; the program's data is in the ANSI code page.
inline std::string Ansi(std::string_view utf8) { return Convert(Convert(utf8, CP_UTF8), CP_ACP); }
inline std::wstring WideFromAnsi(std::string_view ansi) { return Convert(ansi, CP_ACP); }
inline std::string Utf8(std::wstring_view wide) { return Convert(wide, CP_UTF8); }

// Cases that depend on double-byte characters need the Japanese code page,
// which the Wine set-up of the scripts provides.
inline bool JapaneseCodePage() { return GetACP() == 932; }

inline bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

// The names of the files in a folder, sorted.
inline std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

inline void RemoveTree(const std::string& path) {
    for (const std::string& name : FileNames(path)) {
        std::string child = path + "\\" + name;
        if (GetFileAttributesA(child.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(child);
        } else {
            DeleteFileA(child.c_str());
        }
    }
    RemoveDirectoryA(path.c_str());
}

// A new, empty folder, removed with its content at the end.
class TempDir {
public:
    TempDir() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        static int counter = 0;
        do {
            path_ = std::string(base) + "qs-win-" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(++counter);
        } while (!CreateDirectoryA(path_.c_str(), nullptr));
    }
    ~TempDir() { RemoveTree(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "\\" + std::string(name); }

private:
    std::string path_;
};

// A file held open by another handle without sharing, as another program
// holding it would. Created when missing.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() { Release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;

    bool IsHeld() const { return file_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE file_;
};

// Answers every message box in place of the user and keeps its text.
class MessageBoxes {
public:
    MessageBoxes() {
        old_ = fw::SetMessageBoxHandler([this](std::wstring_view text, UINT type) {
            texts.emplace_back(text);
            types.push_back(type);
            return answer;
        });
    }
    ~MessageBoxes() { fw::SetMessageBoxHandler(std::move(old_)); }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    int answer = IDOK;
    std::vector<std::wstring> texts;
    std::vector<UINT> types;

private:
    fw::MessageBoxHandler old_;
};

// Points the program's folder (settings file, default sentence file) at a
// test folder for the object's lifetime.
class AppFolder {
public:
    explicit AppFolder(const std::string& folder) { qs::SetAppFolderForTesting(folder); }
    ~AppFolder() { qs::SetAppFolderForTesting(""); }
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;
};

// Every write fails after its temporary file was opened, as on a full disk.
class FailingWrites {
public:
    FailingWrites() { fw::SetWriteFailureForTesting(true); }
    ~FailingWrites() { fw::SetWriteFailureForTesting(false); }
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;
};

// The message the program shows for a list file it cannot open or write.
inline std::wstring OpenFailedText(const std::string& ansiPath) {
    return L"登録ファイルが見つかりません。\n--登録ファイルが開けません--\n--" + WideFromAnsi(ansiPath) + L"--";
}

// A list file as the program writes it.
inline std::string ListFile(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) text += "\r\n<STRING>\r\n" + entry;
    return text;
}

// ---- The clipboard, straight through the system ---------------------------

// Puts `size` bytes as CF_TEXT, exactly as given (no NUL added).
inline bool PutClipboardBytes(HWND owner, const void* data, std::size_t size) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    bool ok = false;
    if (block) {
        memcpy(GlobalLock(block), data, size);
        GlobalUnlock(block);
        ok = SetClipboardData(CF_TEXT, block) != nullptr;
        if (!ok) GlobalFree(block);
    }
    CloseClipboard();
    return ok;
}

inline bool PutClipboardText(HWND owner, std::string_view text) {
    std::string withNul(text);
    return PutClipboardBytes(owner, withNul.c_str(), withNul.size() + 1);
}

// The CF_TEXT on the clipboard up to its NUL, or "<none>".
inline std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return "<not opened>";
    std::string text = "<none>";
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        const char* data = static_cast<const char*>(GlobalLock(block));
        if (data) text.assign(data, strnlen(data, GlobalSize(block)));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

// A hidden window of this process, for clipboard owners.
class HiddenWindow {
public:
    HiddenWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"win-test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~HiddenWindow() {
        if (window_) DestroyWindow(window_);
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_;
};

// A fresh folder as the program's folder, with message boxes answered.
class DocTest : public ::testing::Test {
protected:
    TempDir dir;
    AppFolder appFolder{dir.Path()};
    MessageBoxes boxes;
};

}  // namespace wintest

#include "tests/common/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace qstest {

// Many cases use Japanese text, whose bytes are right only in the Japanese
// code page that the scripts' Wine set-up gives. Without it they would fail
// in puzzling ways or pass for the wrong reason: this says why, once.
TEST(TestEnvironment, AnsiCodePageIsShiftJis) {
    EXPECT_EQ(GetACP(), 932u) << "run the tests with LC_ALL=ja_JP.UTF-8, as scripts/test does";
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A code page never needs more UTF-16 units than bytes, nor more than four
// bytes for a unit.
std::wstring ToWide(std::string_view text, UINT codePage) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

std::string FromWide(std::wstring_view wide, UINT codePage) {
    std::string text(wide.size() * 4, '\0');
    text.resize(WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                    static_cast<int>(text.size()), nullptr, nullptr));
    return text;
}

namespace {
// The folder of the running test program, where the build puts the program
// and its library too.
std::wstring OwnFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.rfind(L'\\') + 1);
}
}  // namespace

std::wstring ProgramPath() { return OwnFolder() + L"Quillstack.exe"; }
std::wstring HookLibraryPath() { return OwnFolder() + L"quillstack.dll"; }
bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    EXPECT_TRUE(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) << Utf8(path);
}

std::vector<std::string> FileNames(const std::wstring& folder) {
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        names.push_back(Utf8(entry.path().filename().wstring()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ListFileBytes(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) bytes += "\r\n<STRING>\r\n" + entry;
    return bytes;
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    do {
        path_ = std::wstring(base) + L"qs-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
    } while (!CreateDirectoryW(path_.c_str(), nullptr));
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

HeldFile::HeldFile(const std::wstring& path, DWORD sharing, DWORD access)
    : handle_(CreateFileW(path.c_str(), access, sharing, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot hold " << Utf8(path);
}

void HeldFile::Close() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

bool OpenClipboardSoon(HWND owner) { return WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, 5s); }

bool PutClipboard(HWND owner, UINT format, HANDLE data) {
    if (!OpenClipboardSoon(owner)) return false;
    EmptyClipboard();
    const bool ok = SetClipboardData(format, data) != nullptr;
    return CloseClipboard() && ok;
}

bool PutClipboardData(HWND owner, const std::vector<std::pair<UINT, std::string>>& data) {
    if (!OpenClipboardSoon(owner)) return false;
    EmptyClipboard();
    bool ok = true;
    for (const auto& [format, bytes] : data) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        if (!SetClipboardData(format, block)) {
            GlobalFree(block);
            ok = false;
        }
    }
    return CloseClipboard() && ok;
}

bool PutClipboardBytes(HWND owner, const void* data, std::size_t size) {
    return PutClipboardData(owner, {{CF_TEXT, std::string(static_cast<const char*>(data), size)}});
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

void EmptyTheClipboard() {
    if (!OpenClipboardSoon(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

OwnedWindow MessageWindow() {
    return OwnedWindow(CreateWindowExW(0, L"STATIC", L"test clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                       nullptr, nullptr, nullptr));
}

}  // namespace qstest

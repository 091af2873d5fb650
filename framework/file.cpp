#include "framework/file.h"

#include <cstdio>
#include <limits>

#include "framework/handles.h"
#include "framework/text.h"

namespace fw {
namespace {

bool g_failWrites = false;

// What a rewrite keeps of the old file's attributes: those a user sets.
const DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool IsSharingError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool ReadAll(HANDLE file, std::string& text) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0) return false;
    // Offsets in the program's texts are 32-bit.
    if (size.QuadPart > std::numeric_limits<int>::max()) return false;
    std::string buffer(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < buffer.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file, buffer.data() + done, chunk, &read, nullptr)) return false;
        if (read == 0) break;  // the file got shorter meanwhile
        done += read;
    }
    buffer.resize(done);
    text = std::move(buffer);
    return true;
}

bool WriteAll(HANDLE file, std::string_view text) {
    if (g_failWrites) return false;
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

// A short name beside the target, made new: a name built from the target's
// own would pass the path length limit for targets near it, and five bytes
// fit wherever a target named like "a.txt" fits. Returns the temporary file
// open for writing, or nothing.
FileHandle CreateTemporaryBeside(const std::string& path, std::string& temporary) {
    const std::string folder = path.substr(0, SystemLeadBytes().FileNameStart(path));
    const unsigned seed = GetCurrentProcessId() ^ GetTickCount();
    for (unsigned attempt = 0; attempt < 16; ++attempt) {
        char name[8];
        std::snprintf(name, sizeof(name), "~%04x", (seed + attempt * 7919u) & 0xFFFFu);
        temporary = folder + name;
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return FileHandle();
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& text, int retries) {
    for (int attempt = 0;; ++attempt) {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return ReadAll(file.Get(), text) ? ReadResult::Ok : ReadResult::Locked;
        DWORD error = GetLastError();
        if (!IsSharingError(error)) {
            bool exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
            return exists ? ReadResult::Locked : ReadResult::NotOpened;
        }
        if (attempt >= retries) return ReadResult::Locked;
        // Another program holds the file; it usually lets go within moments.
        Sleep(100);
    }
}

// A target another program holds open stays as it is: the system does not
// replace a file that has open handles, whether they share deletion or not
// (a test holds it both ways). The replace drops the target's attributes
// under Wine (a hidden file would come back unhidden), so they are put back.
bool WriteFileSafely(const std::string& path, std::string_view text) {
    std::string temporary;
    bool written = false;
    {
        FileHandle file = CreateTemporaryBeside(path, temporary);
        if (!file) return false;
        written = WriteAll(file.Get(), text);
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes & kKeptAttributes;
    if (written &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (kept) SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | kept);
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

namespace {

// Opened for its attributes only, which no other program's sharing stops.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &info);
}

}  // namespace

bool IsSameFile(const std::string& first, const std::string& second) {
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    if (first.empty() || second.empty() || !FileIdentity(first, a) || !FileIdentity(second, b)) return false;
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

void SetWriteFailureForTesting(bool fail) {
    g_failWrites = fail;
}

}  // namespace fw

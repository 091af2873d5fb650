#include "framework/file.h"

#include <limits>

#include "framework/handles.h"

namespace fw {
namespace {

bool g_failWrites = false;

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

std::string TemporaryPathFor(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
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
// (a test holds it both ways).
bool WriteFileSafely(const std::string& path, std::string_view text) {
    const std::string temporary = TemporaryPathFor(path);
    bool written = false;
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        written = WriteAll(file.Get(), text);
    }
    if (written &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

void SetWriteFailureForTesting(bool fail) {
    g_failWrites = fail;
}

}  // namespace fw

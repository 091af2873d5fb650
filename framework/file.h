// Whole-file reads and writes. Paths are in the ANSI code page. Every file
// the program writes goes through WriteFileSafely.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace fw {

enum class ReadResult {
    Ok,
    // The file exists but could not be opened or read (held by another
    // program, access denied).
    Locked,
    // There is no such file and it could not be created (missing folder).
    NotOpened,
};

// Opens `path` for reading with exclusive sharing, creating an empty file
// when there is none, and reads it whole into `text`. `retries` more
// attempts are made, a moment apart, while another program holds the file.
ReadResult ReadWholeFile(const std::string& path, std::string& text, int retries = 0);

// Writes `text` to a temporary file beside `path` and then puts it in the
// place of `path`, so a failure at any step leaves the old file as it was.
// False when the file could not be written.
bool WriteFileSafely(const std::string& path, std::string_view text);

// Whether two paths name one existing file, however each is spelled
// (another case, a relative path, a short name).
bool IsSameFile(const std::string& first, const std::string& second);

// Tests make writes fail after the temporary file was opened, as a full disk
// would.
void SetWriteFailureForTesting(bool fail);

}  // namespace fw

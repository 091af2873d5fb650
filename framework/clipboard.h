// The system clipboard, open for the lifetime of one object.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class Clipboard {
public:
    // Whether to wait a moment for a clipboard another program holds.
    enum Wait { kWaitBriefly, kNoWait };

    // Opens the clipboard with `window` as the opening window; see IsOpen.
    explicit Clipboard(HWND window, Wait wait = kWaitBriefly);
    ~Clipboard();
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    bool IsOpen() const { return open_; }
    // The CF_TEXT data up to its first NUL, never past the end of its memory
    // block; empty when there is none.
    std::string GetText() const;
    // A DWORD held in data of `format`; none when absent or shorter.
    std::optional<DWORD> GetDword(UINT format) const;
    // Empties the clipboard (making the opening window its owner) and puts
    // `text` there as CF_TEXT. The block passes to the system; it is freed
    // here only when the system does not take it.
    bool SetText(std::string_view text);

private:
    bool open_ = false;
};

// The clipboard's text, read in one short opening; none when another
// program holds the clipboard too long (empty when there is no text).
std::optional<std::string> ReadClipboardText(HWND window);

// The one routine through which the program writes the clipboard. The owner
// decides whether the program's own capture records the change.
bool SetClipboardText(HWND owner, std::string_view text);

// Whether the clipboard holds text, asked without opening it.
bool ClipboardHasText();

// Every format the clipboard offers, in one question to the system.
std::vector<UINT> ClipboardFormats();

}  // namespace fw

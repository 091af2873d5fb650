#include "view/clipboard_text.h"

#include "framework/clipboard.h"

void SetClipboardText(HWND owner, std::string_view text) {
    fw::Clipboard clipboard(owner);
    if (clipboard.IsOpen()) clipboard.SetText(text);
}

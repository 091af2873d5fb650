// The key code quillstack.dll reports for a code a low-level keyboard hook
// sees. Free of <windows.h>, so the native tree tests it.
#pragma once

namespace qhook {

// A low-level hook sees the left and right modifiers (0xA0-0xA5); the
// messages carry the generic Shift 0x10, Ctrl 0x11 and Alt 0x12. Codes are
// one byte.
constexpr unsigned GenericKeyCode(unsigned code) {
    const unsigned byte = code & 0xFF;
    switch (byte) {
    case 0xA0:
    case 0xA1: return 0x10;
    case 0xA2:
    case 0xA3: return 0x11;
    case 0xA4:
    case 0xA5: return 0x12;
    default: return byte;
    }
}

}  // namespace qhook

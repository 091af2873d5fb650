// Names of the keys that can be assigned to the panel's buttons, and the
// folding of keypad digits onto the digit keys when they are not told apart.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qs {

// The shortcut-key codes of the settings, one per button position.
using KeyCodes = std::array<std::int8_t, 16>;

// The text a key field shows: "0".."9", "A".."Z", "N0".."N9" (keypad),
// "F1".."F9"; empty for every other code, which cannot be assigned.
std::string KeyNameFromCode(int code);

// The code a key field's text stands for: "F1".."F9" and "N0".."N9" as
// above, otherwise the first character's code (so "F" alone is 0x46), and 0
// for an empty text.
int KeyCodeFromName(std::string_view name);

// With UseNumPad off: keypad digits become the digit keys, then a code
// equal to an earlier non-zero code is cleared (the first occurrence wins).
void NormalizeKeyCodes(KeyCodes& codes);

// The button position (0..15) a pressed key stands for: the first position
// holding its code, a keypad digit counting as the digit key when
// `useNumPad` is off. `key` is a one-byte virtual-key code as the keyboard
// hook reports it; code 0 means "no key" and matches nothing.
std::optional<int> ShortcutPosition(const KeyCodes& codes, int key, bool useNumPad);

}  // namespace qs

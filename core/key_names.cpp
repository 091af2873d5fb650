#include "core/key_names.h"

namespace qs {
namespace {

constexpr int kKeypad0 = 0x60;
constexpr int kKeypad9 = 0x69;
constexpr int kF1 = 0x70;
constexpr int kF9 = 0x78;
constexpr int kKeypadToDigit = kKeypad0 - '0';

bool IsDigit(char c, char low) { return c >= low && c <= '9'; }

}  // namespace

std::string KeyNameFromCode(int code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, static_cast<char>(code));
    if (code >= kKeypad0 && code <= kKeypad9) return {'N', static_cast<char>('0' + code - kKeypad0)};
    if (code >= kF1 && code <= kF9) return {'F', static_cast<char>('1' + code - kF1)};
    return {};
}

int KeyCodeFromName(std::string_view name) {
    if (name.empty()) return 0;
    if (name.size() >= 2 && name[0] == 'F' && IsDigit(name[1], '1')) return kF1 + (name[1] - '1');
    if (name.size() >= 2 && name[0] == 'N' && IsDigit(name[1], '0')) return kKeypad0 + (name[1] - '0');
    return static_cast<unsigned char>(name[0]);
}

void NormalizeKeyCodes(KeyCodes& codes) {
    for (std::int8_t& code : codes) {
        if (code >= kKeypad0 && code <= kKeypad9) code = static_cast<std::int8_t>(code - kKeypadToDigit);
    }
    for (std::size_t i = 0; i + 1 < codes.size(); ++i) {
        if (codes[i] == 0) continue;
        for (std::size_t j = i + 1; j < codes.size(); ++j) {
            if (codes[j] == codes[i]) codes[j] = 0;
        }
    }
}

std::optional<int> ShortcutPosition(const KeyCodes& codes, int key, bool useNumPad) {
    if (!useNumPad && key >= kKeypad0 && key <= kKeypad9) key -= kKeypadToDigit;
    if (key <= 0 || key > 0xFF) return std::nullopt;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        // The settings keep codes as signed bytes; keys are unsigned.
        if (static_cast<std::uint8_t>(codes[i]) == key) return static_cast<int>(i);
    }
    return std::nullopt;
}

}  // namespace qs

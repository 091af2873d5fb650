// Which bytes of the ANSI code page start a double-byte character. The core
// never guesses the code page: Windows fills this from IsDBCSLeadByte, tests
// use the Shift-JIS rule.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qs {

class LeadBytes {
public:
    // A single-byte code page: no byte is a lead byte.
    LeadBytes() = default;

    template <class Predicate>
    static LeadBytes FromPredicate(Predicate isLead) {
        LeadBytes table;
        for (std::size_t b = 0; b < 256; ++b) {
            table.lead_[b] = isLead(static_cast<unsigned char>(b));
        }
        return table;
    }

    // Code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC.
    static LeadBytes ShiftJis() {
        return FromPredicate([](unsigned char b) {
            return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        });
    }

    bool IsLead(unsigned char b) const { return lead_[b]; }

    // Length of the character starting at `pos`: 2 for a lead byte with a
    // byte after it, else 1. A lead byte at the very end counts alone.
    std::size_t CharLength(std::string_view text, std::size_t pos) const {
        return (IsLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
    }

    // The largest cut <= `limit` bytes from the start that does not split a
    // double-byte character.
    std::size_t CutFront(std::string_view text, std::size_t limit) const {
        if (limit >= text.size()) return text.size();
        std::size_t pos = 0;
        while (pos < limit) {
            std::size_t next = pos + CharLength(text, pos);
            if (next > limit) break;
            pos = next;
        }
        return pos;
    }

    // Where the file name of a Windows path starts: just past the last
    // backslash that is a character of its own (the second byte of a
    // double-byte character may have the same code).
    std::size_t FileNameStart(std::string_view path) const {
        std::size_t start = 0;
        for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
            if (path[pos] == '\\') start = pos + 1;
        }
        return start;
    }

private:
    std::array<bool, 256> lead_{};
};

}  // namespace qs

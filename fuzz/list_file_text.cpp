// Parses arbitrary text as a list file and checks it against a plain
// character-by-character reading, then that writing the list and parsing it
// again gives the same list whenever its entries can be carried.
// The first byte picks the code page: single-byte, Shift-JIS, or an odd one
// in which '<', tab and form feed are lead bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/unit/core_helpers.h"

namespace {

using namespace qs;
using test::ListOf;
using test::ParseList;
using Entries = test::Texts;

void Check(bool condition) {
    if (!condition) std::abort();
}

LeadBytes PickCodePage(std::uint8_t choice) {
    switch (choice % 3) {
        case 0: return LeadBytes();
        case 1: return LeadBytes::ShiftJis();
        default: return LeadBytes::FromPredicate([](unsigned char b) { return b % 3 == 0; });
    }
}

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The reference: every character visited in turn, from the start.
std::ptrdiff_t SlowFind(std::string_view text, std::size_t start, int& lineEnd, const LeadBytes& lead) {
    lineEnd = 1;
    for (std::size_t p = start; p < text.size(); p += lead.CharLength(text, p)) {
        const std::string_view rest = text.substr(p);
        if (!rest.starts_with(kStringMarker)) continue;
        if (rest.substr(8).starts_with('\n')) return static_cast<std::ptrdiff_t>(p);
        if (rest.substr(8).starts_with("\r\n")) {
            lineEnd = 2;
            return static_cast<std::ptrdiff_t>(p);
        }
    }
    return -1;
}

std::string_view SlowTrim(std::string_view text, const LeadBytes& lead) {
    std::size_t cut = 0;
    for (std::size_t p = 0; p < text.size();) {
        const std::size_t length = lead.CharLength(text, p);
        const bool space = length == 1 && IsWhiteSpace(text[p]);
        p += length;
        if (!space) cut = p;
    }
    return text.substr(0, cut);
}

Entries SlowParse(std::string_view text, const LeadBytes& lead) {
    Entries entries;
    int lineEnd = 1;
    std::ptrdiff_t marker = SlowFind(text, 0, lineEnd, lead);
    if (marker < 0) return entries;
    std::size_t position = static_cast<std::size_t>(marker) + 8 + lineEnd;
    for (;;) {
        marker = SlowFind(text, position, lineEnd, lead);
        if (marker < 0) break;
        entries.emplace_back(SlowTrim(text.substr(position, marker - position), lead));
        position = static_cast<std::size_t>(marker) + 8 + lineEnd;
    }
    const std::string_view last = SlowTrim(text.substr(position), lead);
    if (!last.empty()) entries.emplace_back(last);
    return entries;
}

bool EndsInLoneLead(std::string_view text, const LeadBytes& lead) {
    std::size_t last = 0;
    for (std::size_t p = 0; p < text.size(); p += lead.CharLength(text, p)) last = p;
    return !text.empty() && last == text.size() - 1 && lead.IsLead(static_cast<unsigned char>(text.back()));
}

// An entry survives the file form when nothing at its end is trimmed, it
// holds no marker (also with the line end written after it), and its last
// byte is not a lead byte waiting for the CR written after it.
bool Carries(const std::string& entry, const LeadBytes& lead) {
    int lineEnd = 0;
    return SlowTrim(entry, lead).size() == entry.size() && SlowFind(entry + "\r\n", 0, lineEnd, lead) < 0 &&
           !EndsInLoneLead(entry, lead);
}

bool Carries(const Entries& entries, const LeadBytes& lead) {
    if (!entries.empty() && entries.back().empty()) return false;
    for (const std::string& entry : entries) {
        if (!Carries(entry, lead)) return false;
    }
    return true;
}

void CheckWrittenSizes(const Entries& entries) {
    std::size_t bytes = 0;
    for (const std::string& entry : entries) bytes += entry.size();
    const StringList list = ListOf(entries);
    Check(WriteListText(list).size() == bytes + 12 * entries.size());
    Check(ExportListText(list).size() == bytes + 2 * entries.size());
}

void CheckRoundTrip(const Entries& entries, const LeadBytes& lead) {
    CheckWrittenSizes(entries);
    if (Carries(entries, lead)) Check(ParseList(WriteListText(ListOf(entries)), lead) == entries);
}

// The input cut at NUL bytes, taken as a list as it is.
Entries SplitAtNul(std::string_view text) {
    Entries entries;
    for (std::size_t at = text.find('\0'); at != std::string_view::npos; at = text.find('\0')) {
        entries.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    entries.emplace_back(text);
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const LeadBytes lead = PickCodePage(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Entries parsed = ParseList(text, lead);
    Check(parsed == SlowParse(text, lead));
    CheckRoundTrip(parsed, lead);
    CheckRoundTrip(SplitAtNul(text), lead);
    return 0;
}

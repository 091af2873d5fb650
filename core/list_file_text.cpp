#include "core/list_file_text.h"

#include <algorithm>
#include <cstring>

namespace qs {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEntrySeparator = "\r\n<STRING>\r\n";

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Whether `pos` starts a character, knowing that `boundary` (<= pos) does.
// A byte after a non-lead byte always starts a character (the non-lead byte
// ends one, alone or as a second byte), so only the run of lead bytes just
// before `pos` counts: they pair up from the start of that run. This keeps
// the searches from walking every character of a long text.
bool StartsCharacter(std::string_view text, std::size_t boundary, std::size_t pos, const LeadBytes& lead) {
    std::size_t runStart = pos;
    while (runStart > boundary && lead.IsLead(static_cast<unsigned char>(text[runStart - 1]))) --runStart;
    return (pos - runStart) % 2 == 0;
}

// The length of the line end after a marker at `pos`, or 0 for no marker.
int MarkerAt(std::string_view text, std::size_t pos) {
    std::string_view rest = text.substr(pos);
    if (!rest.starts_with(kStringMarker)) return 0;
    rest.remove_prefix(kStringMarker.size());
    if (rest.starts_with('\n')) return 1;
    if (rest.starts_with(kLineEnd)) return 2;
    return 0;
}

}  // namespace

// One pass looking for '<' serves both line-end forms, so a form that never
// occurs costs nothing and each call stops at the first marker.
std::ptrdiff_t FindStringMarker(std::string_view text, std::size_t start, int& lineEndLength,
                                const LeadBytes& lead) {
    lineEndLength = 1;
    std::size_t boundary = start;
    for (std::size_t pos = start; pos < text.size();) {
        const void* hit = std::memchr(text.data() + pos, '<', text.size() - pos);
        if (!hit) return -1;
        const std::size_t candidate = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (!StartsCharacter(text, boundary, candidate, lead)) {
            // The second byte of a character: the next byte starts one.
            boundary = pos = candidate + 1;
            continue;
        }
        if (const int length = MarkerAt(text, candidate)) {
            lineEndLength = length;
            return static_cast<std::ptrdiff_t>(candidate);
        }
        boundary = candidate;
        pos = candidate + 1;
    }
    return -1;
}

std::string_view TrimTrailingWhiteSpace(std::string_view text, const LeadBytes& lead) {
    std::size_t runStart = text.size();
    while (runStart > 0 && IsWhiteSpace(text[runStart - 1])) --runStart;
    if (runStart == text.size()) return text;
    // The run may begin with the second byte of a character, and where a
    // white-space byte is also a lead byte it may hold double-byte
    // characters, which are not white space: walk it by characters.
    std::size_t pos = StartsCharacter(text, 0, runStart, lead) ? runStart : runStart + 1;
    std::size_t cut = pos;
    while (pos < text.size()) {
        const std::size_t length = lead.CharLength(text, pos);
        pos += length;
        if (length == 2) cut = pos;
    }
    return text.substr(0, cut);
}

bool NextSentence(std::string_view text, std::string_view& entry, std::size_t& position,
                  const LeadBytes& lead) {
    const std::size_t start = std::min(position, text.size());
    int lineEndLength = 1;
    const std::ptrdiff_t marker = FindStringMarker(text, start, lineEndLength, lead);
    if (marker < 0) {
        entry = TrimTrailingWhiteSpace(text.substr(start), lead);
        return false;
    }
    const std::size_t end = static_cast<std::size_t>(marker);
    entry = TrimTrailingWhiteSpace(text.substr(start, end - start), lead);
    position = end + kStringMarker.size() + static_cast<std::size_t>(lineEndLength);
    return true;
}

void ParseListText(std::string_view text, StringList& list, const LeadBytes& lead) {
    list.RemoveAll();
    int lineEndLength = 1;
    const std::ptrdiff_t first = FindStringMarker(text, 0, lineEndLength, lead);
    if (first < 0) return;
    std::size_t position = static_cast<std::size_t>(first) + kStringMarker.size() +
                           static_cast<std::size_t>(lineEndLength);
    std::string_view entry;
    while (NextSentence(text, entry, position, lead)) list.AddTail(entry);
    if (!entry.empty()) list.AddTail(entry);
}

namespace {

// Every entry with `before` in front of it and `after` behind it, built in
// one allocation: lists can hold half a million entries.
std::string Surround(const StringList& list, std::string_view before, std::string_view after) {
    std::size_t size = 0;
    for (const std::string& entry : list) size += before.size() + entry.size() + after.size();
    std::string text;
    text.reserve(size);
    for (const std::string& entry : list) {
        text += before;
        text += entry;
        text += after;
    }
    return text;
}

}  // namespace

std::string WriteListText(const StringList& list) {
    return Surround(list, kEntrySeparator, {});
}

std::string ExportListText(const StringList& list) {
    return Surround(list, {}, kLineEnd);
}

}  // namespace qs

// List files as text: entries each after a "<STRING>" marker line, to a
// StringList and back, and the plain joined form. Reading the bytes from disk
// and writing them belong to the document.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/lead_bytes.h"
#include "core/string_list.h"

namespace qs {

inline constexpr std::string_view kStringMarker = "<STRING>";

// Offset of the first "<STRING>" followed by LF or CR LF at or after `start`,
// or -1. `lineEndLength` becomes 1 or 2 for that marker's line end (1 when
// none). `start` counts as a character boundary; a marker never starts
// inside a double-byte character after it.
std::ptrdiff_t FindStringMarker(std::string_view text, std::size_t start, int& lineEndLength,
                                const LeadBytes& lead);

// The entry whose text starts at `position`, up to the next marker or the
// end, without its trailing white space; `entry` views into `text`. True,
// with `position` moved past that marker, when another entry follows.
bool NextSentence(std::string_view text, std::string_view& entry, std::size_t& position,
                  const LeadBytes& lead);

// `text` without its trailing spaces, tabs, LF, VT, FF and CR, taken as
// whole characters: the second byte of a double-byte character is kept.
std::string_view TrimTrailingWhiteSpace(std::string_view text, const LeadBytes& lead);

// Replaces the content of `list` with the entries of a list file's text.
// Text before the first marker is ignored; an empty last entry is dropped.
void ParseListText(std::string_view text, StringList& list, const LeadBytes& lead);

// The file form: CR LF "<STRING>" CR LF and the text, for every entry.
std::string WriteListText(const StringList& list);

// The joined plain text: every entry followed by CR LF.
std::string ExportListText(const StringList& list);

}  // namespace qs

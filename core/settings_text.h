// The settings file as text: the record, the URL begin and end strings and
// the recent files, to the file's text and back. Opening and writing the file
// belong to the document; this part only reads and builds bytes.
#pragma once

#include <string>
#include <string_view>

#include "core/settings.h"
#include "core/string_list.h"

namespace qs {

// Where `key` stands: at the start of a line where it stands at one, so that
// a value holding a key's text (a start file in a folder named "Date=5")
// cannot stand in for a later key; else, as hand-edited files may have it,
// wherever it occurs first.
std::size_t FindKey(std::string_view text, std::string_view key);

// The bytes after the key (which includes its '=') where FindKey finds it,
// up to the next CR LF. False when the key does not occur. A key with no CR LF
// after it reads as an empty value, as the program has always done.
bool GetIniValue(std::string_view text, std::string_view key, std::string& value);

// The next `separator`-delimited token of `text` from `position`, leading
// spaces (0x20) dropped, trailing spaces kept; `position` moves past the
// separator. An empty token means the end (or two separators in a row).
std::string NextToken(std::string_view text, int& position, char separator);

// The C library's decimal conversion: leading white space, an optional sign,
// digits, anything after them ignored, 0 without digits. Values beyond the
// 32-bit range are clamped to it rather than left undefined.
int ParseDecimal(std::string_view text);

// The entries of a list joined by single commas, as the file and the
// options show the URL begin and end strings.
std::string JoinTokens(const StringList& list);
// The tokens of `text` (NextToken with ',') appended with AddTailUnique up
// to the first empty one, which ends the list.
void AppendTokens(std::string_view text, StringList& list);

// The bounds the options hold a typed list maximum within.
constexpr int kSentenceMaxCountLowest = 16;
constexpr int kSentenceMaxCountHighest = 1000;
// The number at the start of a typed maximum, held within those bounds.
int SentenceMaxCountFromText(std::string_view text);

// Every key found in `text` replaces its field; absent keys leave theirs.
// Tokens are appended to `urlBegin` and `urlEnd`, and recent files are set
// from entry 0 on, so the caller passes the lists it wants filled.
void ReadSettingsText(std::string_view text, Settings& settings, StringList& urlBegin,
                      StringList& urlEnd, StringList& recentFiles);

// The whole file, every line ended by CR LF.
std::string WriteSettingsText(const Settings& settings, const StringList& urlBegin,
                              const StringList& urlEnd, const StringList& recentFiles);

}  // namespace qs

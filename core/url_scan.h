// Finds the web addresses in a clipboard text for the URL history.
//
// An address starts at a begin marker ("http://", "ftp://", then the user's
// own) and runs up to, not including, the first end marker after the begin
// marker (LF, CR LF, space, double quote, apostrophe, comma, then the user's
// own), or to the end of the text. The next address is looked for from that
// end marker on. Of several begin markers the earliest in the text wins; at
// the same offset, the one listed first. Markers only ever match at character
// boundaries, so a trail byte of a double-byte character never starts one.
//
// The text is walked once, whatever the number of markers: a clipboard text
// can be megabytes long and is scanned on every clipboard change.
#pragma once

#include <string_view>
#include <type_traits>

#include "core/lead_bytes.h"
#include "core/string_list.h"

namespace qs {

// Called once per address, in text order; the view points into the text.
using UrlSink = void (*)(void* context, std::string_view url);

void ScanUrls(std::string_view text, const StringList& userBegins, const StringList& userEnds,
              const LeadBytes& lead, UrlSink sink, void* context);

template <class OnUrl>
void ScanUrls(std::string_view text, const StringList& userBegins, const StringList& userEnds,
              const LeadBytes& lead, OnUrl&& onUrl) {
    using Callable = std::remove_reference_t<OnUrl>;
    UrlSink sink = [](void* context, std::string_view url) { (*static_cast<Callable*>(context))(url); };
    ScanUrls(text, userBegins, userEnds, lead, sink, const_cast<void*>(static_cast<const void*>(&onUrl)));
}

// Puts every address of `text` in front of `history` (most recent first,
// duplicates moved to the front, bounded by `maxCount`). `text` must not
// point into `history`, whose entries this changes.
void RecordUrls(std::string_view text, const StringList& userBegins, const StringList& userEnds,
                const LeadBytes& lead, StringList& history, int maxCount);

}  // namespace qs

#include "core/url_scan.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace qs {
namespace {

// Markers grouped by first byte, each group in listing order, so that at a
// given offset only the markers that can start there are compared and the
// first listed of them wins.
class MarkerSet {
public:
    void Add(std::string_view marker) {
        // An empty marker would match everywhere and stop the scan advancing.
        if (marker.empty()) return;
        byFirst_[static_cast<unsigned char>(marker[0])].emplace_back(marker);
    }
    void Add(const StringList& markers) {
        for (const std::string& marker : markers) Add(marker);
    }

    bool CanStartWith(unsigned char b) const { return !byFirst_[b].empty(); }

    // Length of the first listed marker found at `pos`, or 0.
    std::size_t MatchAt(std::string_view text, std::size_t pos) const {
        const std::string_view rest = text.substr(pos);
        for (const std::string& marker : byFirst_[static_cast<unsigned char>(rest[0])]) {
            // The second byte first: most bytes that could start a marker
            // (the 'h' of ordinary words) fail there, without a call.
            if (marker.size() > rest.size() || (marker.size() > 1 && rest[1] != marker[1])) continue;
            if (std::memcmp(rest.data(), marker.data(), marker.size()) == 0) return marker.size();
        }
        return 0;
    }

private:
    std::array<std::vector<std::string>, 256> byFirst_;
};

// What each byte can be: the start of a double-byte character, the first
// byte of a begin or an end marker. One lookup per character keeps the walk
// close to a plain character count.
enum ByteKind : std::uint8_t { kLead = 1, kBeginFirst = 2, kEndFirst = 4 };

class UrlScanner {
public:
    UrlScanner(const StringList& userBegins, const StringList& userEnds, const LeadBytes& lead) {
        begins_.Add("http://");
        begins_.Add("ftp://");
        begins_.Add(userBegins);
        for (std::string_view end : {"\n", "\r\n", " ", "\"", "'", ","}) ends_.Add(end);
        ends_.Add(userEnds);
        for (std::size_t b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            kinds_[b] = static_cast<std::uint8_t>((lead.IsLead(byte) ? kLead : 0) |
                                                  (begins_.CanStartWith(byte) ? kBeginFirst : 0) |
                                                  (ends_.CanStartWith(byte) ? kEndFirst : 0));
        }
    }

    void Scan(std::string_view text, UrlSink sink, void* context) const {
        std::size_t pos = 0;
        for (;;) {
            std::size_t beginLength = 0;
            const std::size_t begin = Find(text, pos, kBeginFirst, begins_, beginLength);
            if (begin == text.size()) return;
            std::size_t ignored = 0;
            const std::size_t end = Find(text, Boundary(text, begin, begin + beginLength), kEndFirst, ends_, ignored);
            sink(context, text.substr(begin, end - begin));
            if (end == text.size()) return;
            pos = end;
        }
    }

private:
    std::size_t CharLength(std::string_view text, std::size_t pos) const {
        const bool lead = KindAt(text, pos) & kLead;
        return (lead && pos + 1 < text.size()) ? 2 : 1;
    }

    // The first character boundary at or after `limit`, walking from the
    // boundary `pos`: a marker may end in the middle of a double-byte
    // character, and the next search must not start inside it.
    std::size_t Boundary(std::string_view text, std::size_t pos, std::size_t limit) const {
        while (pos < limit) pos += CharLength(text, pos);
        return pos;
    }

    // The first boundary at or after `pos` where a marker of `set` occurs,
    // with that marker's length; text.size() when there is none.
    std::size_t Find(std::string_view text, std::size_t pos, std::uint8_t kind, const MarkerSet& set,
                     std::size_t& length) const {
        const std::uint8_t stop = kind | kLead;
        while (pos < text.size()) {
            // Single-byte characters that start no marker are all skipped in
            // one tight loop; only lead bytes and possible marker starts stop it.
            while (pos < text.size() && !(KindAt(text, pos) & stop)) ++pos;
            if (pos == text.size()) break;
            if ((KindAt(text, pos) & kind) && (length = set.MatchAt(text, pos)) != 0) return pos;
            pos += CharLength(text, pos);
        }
        return text.size();
    }

    std::uint8_t KindAt(std::string_view text, std::size_t pos) const {
        return kinds_[static_cast<unsigned char>(text[pos])];
    }

    MarkerSet begins_;
    MarkerSet ends_;
    std::array<std::uint8_t, 256> kinds_{};
};

}  // namespace

void ScanUrls(std::string_view text, const StringList& userBegins, const StringList& userEnds,
              const LeadBytes& lead, UrlSink sink, void* context) {
    UrlScanner(userBegins, userEnds, lead).Scan(text, sink, context);
}

void RecordUrls(std::string_view text, const StringList& userBegins, const StringList& userEnds,
                const LeadBytes& lead, StringList& history, int maxCount) {
    ScanUrls(text, userBegins, userEnds, lead,
             [&history, maxCount](std::string_view url) { history.AddHeadUnique(url, maxCount); });
}

}  // namespace qs

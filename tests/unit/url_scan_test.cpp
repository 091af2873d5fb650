#include "data/url_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qs {
namespace {

using Texts = std::vector<std::string>;

StringList ListOf(const Texts& texts) {
    StringList list;
    for (const std::string& text : texts) list.AddTail(text);
    return list;
}

Texts Items(const StringList& list) {
    return Texts(list.begin(), list.end());
}

Texts Scan(std::string_view text, const Texts& begins = {}, const Texts& ends = {},
           const LeadBytes& lead = LeadBytes::ShiftJis()) {
    Texts urls;
    ScanUrls(text, ListOf(begins), ListOf(ends), lead, [&urls](std::string_view url) { urls.emplace_back(url); });
    return urls;
}

// The addresses found, written the slow and obvious way: every marker is
// searched for separately from the current position, at character
// boundaries counted from the start of the text.
Texts ReferenceScan(std::string_view text, const Texts& userBegins, const Texts& userEnds, const LeadBytes& lead) {
    std::vector<bool> boundary(text.size() + 1, false);
    for (std::size_t pos = 0; pos < text.size(); pos += lead.CharLength(text, pos)) boundary[pos] = true;
    auto find = [&](std::string_view marker, std::size_t from) {
        for (std::size_t pos = from; pos + marker.size() <= text.size(); ++pos) {
            if (boundary[pos] && text.substr(pos, marker.size()) == marker) return pos;
        }
        return std::string_view::npos;
    };
    Texts begins = {"http://", "ftp://"};
    begins.insert(begins.end(), userBegins.begin(), userBegins.end());
    Texts ends = {"\n", "\r\n", " ", "\"", "'", ","};
    ends.insert(ends.end(), userEnds.begin(), userEnds.end());

    Texts urls;
    std::size_t position = 0;
    for (;;) {
        std::size_t begin = std::string_view::npos, length = 0;
        for (const std::string& marker : begins) {
            if (marker.empty()) continue;
            const std::size_t found = find(marker, position);
            if (found < begin) begin = found, length = marker.size();
        }
        if (begin == std::string_view::npos) return urls;
        std::size_t end = std::string_view::npos;
        for (const std::string& marker : ends) {
            if (!marker.empty()) end = std::min(end, find(marker, begin + length));
        }
        urls.emplace_back(text.substr(begin, end == std::string_view::npos ? text.size() - begin : end - begin));
        if (end == std::string_view::npos) return urls;
        position = end;
    }
}

struct ScanCase {
    const char* name;
    std::string text;
    Texts begins;
    Texts ends;
    Texts expected;
};

TEST(UrlScan, FindsAddressesInTextOrder) {
    const ScanCase cases[] = {
        {"comma ends, rest of text", "x http://p,q ftp://r", {}, {}, {"http://p", "ftp://r"}},
        {"marker at the very end", "see http://", {}, {}, {"http://"}},
        {"no marker", "nothing here: http:/ ftp:/x", {}, {}, {}},
        {"empty text", "", {}, {}, {}},
        {"each built-in end", "http://a\nhttp://b\r\nhttp://c d\"http://e'http://f,", {}, {},
         {"http://a", "http://b", "http://c", "http://e", "http://f"}},
        {"lone CR and tab do not end", "http://a\rb\tc d", {}, {}, {"http://a\rb\tc"}},
        {"end right after begin", "http:// x", {}, {}, {"http://"}},
        {"addresses back to back", "http://ahttp://b", {}, {}, {"http://ahttp://b"}},
        {"user begin", "mailto:p http://q", {"mailto:"}, {}, {"mailto:p", "http://q"}},
        {"user end", "http://a>b c", {}, {">"}, {"http://a"}},
        {"next search starts at the end marker", "http://ahttp://b", {}, {"h"}, {"http://a", "http://b"}},
        {"end search starts after the begin marker", "see: here now", {"see: "}, {}, {"see: here"}},
        {"earliest offset wins over listing order", "www.a http://b", {"www."}, {}, {"www.a", "http://b"}},
        {"tie goes to the built-in marker", "http:// x y", {"http:// "}, {}, {"http://"}},
        {"tie goes to the first user marker", "ab c d", {"ab", "ab "}, {}, {"ab"}},
        {"empty user markers are skipped", "go http://a b", {""}, {""}, {"http://a"}},
    };
    for (const ScanCase& c : cases) {
        EXPECT_EQ(Scan(c.text, c.begins, c.ends), c.expected) << c.name;
    }
}

TEST(UrlScan, RespectsDoubleByteCharacters) {
    const ScanCase cases[] = {
        // 0x83 0x68 is one character; its trail byte is an 'h'.
        {"trail byte never starts a begin marker", "\x83http://a b", {}, {}, {}},
        {"nor a user begin marker", "\x82mailto:x", {"mailto:"}, {}, {}},
        {"nor an end marker", "http://a\x83]b c", {}, {"]"}, {"http://a\x83]b"}},
        {"begin marker after a whole character", "\x83\x68http://a b", {}, {}, {"http://a"}},
        {"Japanese around an address", "\x82\xa0http://x/\x88\xea y\x82\xa2", {}, {}, {"http://x/\x88\xea"}},
        {"full-width space as a user end", "http://x\x81\x40\x82\xa0", {}, {"\x81\x40"}, {"http://x"}},
        {"lead byte at the very end", "http://a\x82", {}, {}, {"http://a\x82"}},
        {"lone lead byte at the end, no address", "abc\x82", {}, {}, {}},
        {"lead byte as the last byte of a begin marker", "x\x82 y", {"x\x82"}, {}, {"x\x82 y"}},
    };
    for (const ScanCase& c : cases) {
        EXPECT_EQ(Scan(c.text, c.begins, c.ends), c.expected) << c.name;
    }
}

TEST(UrlScan, SingleByteCodePageMatchesAnywhere) {
    EXPECT_EQ(Scan("\x83http://a b", {}, {}, LeadBytes()), Texts{"http://a"});
}

TEST(UrlScan, RecordsMostRecentFirstWithoutDuplicates) {
    struct {
        const char* name;
        std::string text;
        int maxCount;
        Texts history;
        Texts expected;
    } const cases[] = {
        {"later addresses in front", "x http://p,q ftp://r", 16, {}, {"ftp://r", "http://p"}},
        {"two equal addresses give one entry", "http://a http://b http://a", 16, {}, {"http://a", "http://b"}},
        {"a known address moves to the front", "http://b", 16, {"http://a", "http://b"}, {"http://b", "http://a"}},
        {"bounded by the limit", "http://a http://b http://c", 2, {}, {"http://c", "http://b"}},
        {"no address leaves the history alone", "plain text", 2, {"http://a"}, {"http://a"}},
    };
    for (const auto& c : cases) {
        StringList history = ListOf(c.history);
        RecordUrls(c.text, StringList(), StringList(), LeadBytes::ShiftJis(), history, c.maxCount);
        EXPECT_EQ(Items(history), c.expected) << c.name;
    }
}

// Random texts built from pieces that make markers, near misses, and
// double-byte characters whose trail bytes look like marker bytes.
std::string RandomText(std::mt19937& random, const Texts& pieces, int maxPieces) {
    std::string text;
    const int count = std::uniform_int_distribution<int>(0, maxPieces)(random);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    for (int i = 0; i < count; ++i) text += pieces[pick(random)];
    return text;
}

TEST(UrlScan, AgreesWithTheObviousScanOnRandomTexts) {
    const Texts textPieces = {"http://", "ftp://", "http:/", "h", "t", "p", ":", "/", "a", "b", " ", "\n",
                              "\r", "\r\n", ",", "'", "\"", ">", "\x82", "\x83", "\x82\xa0", "\x83h",
                              "\x81\x40", "\x83>", "mail", "to:", "\x82m"};
    const Texts markerPieces = {"a", "b", "h", "t", ":", ">", "\x82", "\x83", "\xa0", "m", " ", ""};
    std::mt19937 random(20240611);
    const LeadBytes sjis = LeadBytes::ShiftJis();
    for (int round = 0; round < 20000; ++round) {
        Texts begins, ends;
        const int userCount = std::uniform_int_distribution<int>(0, 3)(random);
        for (int i = 0; i < userCount; ++i) begins.push_back(RandomText(random, markerPieces, 3));
        for (int i = 0; i < userCount; ++i) ends.push_back(RandomText(random, markerPieces, 2));
        const std::string text = RandomText(random, textPieces, 30);
        const LeadBytes& lead = round % 5 == 0 ? LeadBytes() : sjis;
        ASSERT_EQ(Scan(text, begins, ends, lead), ReferenceScan(text, begins, ends, lead))
            << "round " << round << ", text \"" << text << '"';
    }
}

}  // namespace
}  // namespace qs

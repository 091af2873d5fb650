#include "core/url_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/unit/core_helpers.h"

namespace qs {
namespace {

using namespace test;

const LeadBytes kShiftJis = LeadBytes::ShiftJis();
Texts Scan(std::string_view text, const Texts& begins, const Texts& ends, const LeadBytes& lead) {
    Texts urls;
    ScanUrls(text, ListOf(begins), ListOf(ends), lead, [&urls](std::string_view url) { urls.emplace_back(url); });
    return urls;
}

// The addresses found the slow and obvious way: every marker searched for
// separately from the current position, at character boundaries counted
// from the start of the text.
Texts ReferenceScan(std::string_view text, const Texts& userBegins, const Texts& userEnds, const LeadBytes& lead) {
    std::vector<bool> boundary(text.size() + 1, false);
    for (std::size_t pos = 0; pos < text.size(); pos += lead.CharLength(text, pos)) boundary[pos] = true;
    // The first boundary at or after `from` where one of `markers` starts, and its length.
    auto find = [&](const Texts& markers, std::size_t from, std::size_t& length) {
        for (std::size_t pos = from; pos < text.size(); ++pos) {
            for (const std::string& m : markers) {
                if (!boundary[pos] || m.empty() || text.substr(pos, m.size()) != m) continue;
                length = m.size();
                return pos;
            }
        }
        return text.size();
    };
    Texts begins = {"http://", "ftp://"}, ends = {"\n", "\r\n", " ", "\"", "'", ","};
    begins.insert(begins.end(), userBegins.begin(), userBegins.end());
    ends.insert(ends.end(), userEnds.begin(), userEnds.end());
    Texts urls;
    std::size_t length = 0;
    for (std::size_t begin = find(begins, 0, length); begin < text.size();) {
        const std::size_t end = find(ends, begin + length, length);
        urls.emplace_back(text.substr(begin, end - begin));
        begin = end < text.size() ? find(begins, end, length) : end;
    }
    return urls;
}

TEST(UrlScan, RecordsMostRecentFirstWithoutDuplicates) {
    for (const auto& [maxCount, expected] : {std::pair<int, Texts>{16, {"http://a", "http://b", "http://z"}},
                                             std::pair<int, Texts>{2, {"http://a", "http://b"}}}) {
        StringList history = ListOf({"http://z"});
        RecordUrls("http://a http://b http://a", StringList(), StringList(), kShiftJis, history, maxCount);
        EXPECT_EQ(Items(history), expected) << maxCount;
    }
}

// Random texts built from pieces that make markers, near misses, and
// double-byte characters whose trail bytes look like marker bytes.
std::string RandomText(std::mt19937& random, const Texts& pieces, int maxPieces) {
    std::string text;
    for (int i = std::uniform_int_distribution<int>(0, maxPieces)(random); i > 0; --i) {
        text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    }
    return text;
}

TEST(UrlScan, AgreesWithTheObviousScanOnRandomTexts) {
    const Texts textPieces = {"http://", "ftp://", "http:/", "h", "t", "p", ":", "/", "a", "b", " ", "\n",
                              "\r", "\r\n", ",", "'", "\"", ">", "\x82", "\x83", "\x82\xa0", "\x83h",
                              "\x81\x40", "\x83>", "mail", "to:", "\x82m"};
    const Texts markerPieces = {"a", "b", "h", "t", ":", ">", "\x82", "\x83", "\xa0", "m", " ", ""};
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        Texts begins, ends;
        for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i) {
            begins.push_back(RandomText(random, markerPieces, 3));
            ends.push_back(RandomText(random, markerPieces, 2));
        }
        const std::string text = RandomText(random, textPieces, 30);
        const LeadBytes lead = round % 5 == 0 ? LeadBytes() : kShiftJis;
        ASSERT_EQ(Scan(text, begins, ends, lead), ReferenceScan(text, begins, ends, lead))
            << "round " << round << ", text \"" << text << '"';
    }
}

}  // namespace
}  // namespace qs

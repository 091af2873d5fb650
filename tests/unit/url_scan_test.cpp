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

// The addresses found the slow and obvious way: every marker searched for separately
// from the current position, at character boundaries counted from the start of the text.
Texts ReferenceScan(std::string_view text, Texts begins, Texts ends, const LeadBytes& lead) {
    std::vector<bool> boundary(text.size() + 1, false);
    for (std::size_t pos = 0; pos < text.size(); pos += lead.CharLength(text, pos)) boundary[pos] = true;
    // The first boundary at or after `from` where one of `markers` starts, and its length.
    auto find = [&](const Texts& markers, std::size_t from, std::size_t& length) {
        for (std::size_t pos = from; pos < text.size(); ++pos) {
            for (const std::string& m : markers) {
                if (boundary[pos] && !m.empty() && text.substr(pos).starts_with(m)) return length = m.size(), pos;
            }
        }
        return text.size();
    };
    begins.insert(begins.begin(), {"http://", "ftp://"});
    ends.insert(ends.begin(), {"\n", "\r\n", " ", "\"", "'", ","});
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
    StringList history = ListOf({"http://z", "http://y"});
    RecordUrls("http://a http://b http://a", StringList(), StringList(), kShiftJis, history, 3);
    EXPECT_EQ(Items(history), (Texts{"http://a", "http://b", "http://z"}));
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
        Texts urls;
        ScanUrls(text, ListOf(begins), ListOf(ends), lead, [&urls](std::string_view url) { urls.emplace_back(url); });
        ASSERT_EQ(urls, ReferenceScan(text, begins, ends, lead))
            << "round " << round << ", text \"" << text << '"';
    }
}

}  // namespace
}  // namespace qs

#include "view/caption.h"

#include <gtest/gtest.h>

#include <string>

namespace qs {
namespace {

// Shift-JIS bytes. The trail byte of "small a" (0x82 0x9F) is also a lead
// byte, so only a walk from the start tells where its characters begin.
const std::string kA = "\x82\xA0";       // hiragana a
const std::string kSmallA = "\x82\x9F";  // small hiragana a
const std::string kPlaceholder = "\x96\xA2\x93\x6F\x98\x5E";

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

struct CaptionCase {
    std::string text;
    int view;
    std::size_t width;
    std::string expected;
};

class BuildCaptionTest : public testing::TestWithParam<CaptionCase> {};

TEST_P(BuildCaptionTest, Cuts) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(BuildCaption(c.text, c.view, c.width, LeadBytes::ShiftJis(), kPlaceholder),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Views, BuildCaptionTest,
    testing::Values(
        CaptionCase{"", 0, 14, kPlaceholder}, CaptionCase{"", 2, 14, kPlaceholder},
        CaptionCase{"Hello", 0, 14, "Hello"}, CaptionCase{"Hello", 2, 14, "Hello"},
        // Captions are set verbatim: "&" stays a mnemonic marker, breaks stay.
        CaptionCase{"A&B\r\nC", 1, 14, "A&B\r\nC"},
        CaptionCase{"abcdefghijklmnopqrst", 0, 14, "abcdefghijklmn"},
        CaptionCase{"abcdefghijklmnopqrst", 1, 14, "abcdefghijklmn"},
        CaptionCase{"abcdefghijklmnopqrst", 2, 14, "ghijklmnopqrst"},
        // Any view other than 0 and 1 shows the end, as 2 does.
        CaptionCase{"abcdefghijklmnopqrst", -1, 14, "ghijklmnopqrst"},
        CaptionCase{"abcdefghijklmn", 2, 14, "abcdefghijklmn"}));

INSTANTIATE_TEST_SUITE_P(
    DoubleByte, BuildCaptionTest,
    testing::Values(
        CaptionCase{Repeat(kA, 7), 0, 14, Repeat(kA, 7)},
        // A front cut ending inside a character loses that character.
        CaptionCase{"a" + Repeat(kA, 7), 0, 14, "a" + Repeat(kA, 6)},
        CaptionCase{"a" + Repeat(kA, 10), 1, 20, "a" + Repeat(kA, 9)},
        CaptionCase{"a" + Repeat(kSmallA, 7), 0, 14, "a" + Repeat(kSmallA, 6)},
        // An end cut starting on a trail byte starts one byte later.
        CaptionCase{"a" + Repeat(kSmallA, 7) + "b", 2, 14, Repeat(kSmallA, 6) + "b"},
        CaptionCase{"ab" + Repeat(kSmallA, 7), 2, 14, Repeat(kSmallA, 7)},
        CaptionCase{"a" + Repeat(kA, 10) + "b", 2, 20, Repeat(kA, 9) + "b"},
        CaptionCase{"a" + Repeat(kA, 10), 2, 20, Repeat(kA, 10)},
        // A lead byte with nothing after it is a character of its own.
        CaptionCase{"abcdefghijklmn\x82", 0, 14, "abcdefghijklmn"},
        CaptionCase{"abcdefghijklmn\x82", 2, 14, "bcdefghijklmn\x82"},
        CaptionCase{"\x82", 2, 14, "\x82"}));

TEST(SlotCaptionTest, TitleOnlyForSentencesWithView0) {
    const LeadBytes sjis = LeadBytes::ShiftJis();
    const auto caption = [&](std::string_view title, std::string_view text, int mode, int view) {
        return SlotCaption(title, text, mode, view, kButtonCaptionWidth, sjis, kPlaceholder);
    };
    EXPECT_EQ(caption("Greeting", "Hello", 0, 0), "Greeting");
    EXPECT_EQ(caption("Greeting", "Hello", 0, 1), "Hello");
    EXPECT_EQ(caption("", "Hello", 0, 0), "Hello");
    EXPECT_EQ(caption("", "", 0, 0), kPlaceholder);
    // In the histories view 0 behaves like view 1.
    EXPECT_EQ(caption("Greeting", "Hello", 1, 0), "Hello");
    EXPECT_EQ(caption("Greeting", "abcdefghijklmnopqrst", 0, 2), "ghijklmnopqrst");
    EXPECT_EQ(caption("x" + Repeat(kSmallA, 8), "Hello", 0, 0), "x" + Repeat(kSmallA, 6));
}

}  // namespace
}  // namespace qs

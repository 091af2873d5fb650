#include "view/date_time.h"

#include <gtest/gtest.h>

#include <string>

namespace qs {
namespace {

// The Japanese formats as the string table gives them in code page 932:
// year, month, day and hour, minute, second marks.
const std::string kJaYear = "\x94" "N";
const std::string kJaMonth = "\x8C\x8E";
const std::string kJaDay = "\x93\xFA";
const std::string kJaHour = "\x8E\x9E";
const std::string kJaMinute = "\x95\xAA";
const std::string kJaSecond = "\x95" "b";

DateTimeFormats Formats() {
    return MakeDateTimeFormats(LeadBytes::ShiftJis(),
                               "%Y" + kJaYear + "%m" + kJaMonth + "%d" + kJaDay,
                               "%H" + kJaHour + "%M" + kJaMinute + "%S" + kJaSecond);
}

// Sunday 2 January 2000, 01:15:30, and a moment with two-digit fields.
constexpr Moment kY2k{2000, 1, 2, 0, 1, 15, 30};
constexpr Moment kLate{2025, 12, 31, 3, 23, 59, 58};

struct FormatCase {
    Moment moment;
    DateTimeKind kind;
    int index;
    std::string expected;
};

class FormatDateTimeTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatDateTimeTest, Formats) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatDateTime(c.moment, c.kind, c.index, Formats()), c.expected);
}

constexpr DateTimeKind kDate = DateTimeKind::kDate;
constexpr DateTimeKind kTime = DateTimeKind::kTime;

INSTANTIATE_TEST_SUITE_P(
    Table, FormatDateTimeTest,
    testing::Values(
        FormatCase{kY2k, kDate, 0, "Sunday, January, 02, 2000"},
        FormatCase{kY2k, kDate, 1, "2000/01/02"},
        FormatCase{kY2k, kDate, 2, "2000" + kJaYear + "01" + kJaMonth + "02" + kJaDay},
        FormatCase{kY2k, kTime, 0, "01:15:30"},
        FormatCase{kY2k, kTime, 1, "01" + kJaHour + "15" + kJaMinute + "30" + kJaSecond},
        FormatCase{kLate, kDate, 0, "Wednesday, December, 31, 2025"},
        FormatCase{kLate, kDate, 1, "2025/12/31"},
        FormatCase{kLate, kDate, 2, "2025" + kJaYear + "12" + kJaMonth + "31" + kJaDay},
        FormatCase{kLate, kTime, 0, "23:59:58"},
        FormatCase{kLate, kTime, 1, "23" + kJaHour + "59" + kJaMinute + "58" + kJaSecond},
        FormatCase{Moment{999, 5, 6, 6, 7, 8, 9}, kDate, 1, "0999/05/06"},
        // Indexes only a hand-edited settings file can hold.
        FormatCase{kY2k, kDate, 3, ""}, FormatCase{kY2k, kDate, 5, ""},
        FormatCase{kY2k, kDate, -1, ""}, FormatCase{kY2k, kTime, 2, ""}));

TEST(FormatDateTimeTest, ReadsFormatsByCharacters) {
    DateTimeFormats formats = Formats();
    // A lead byte swallows the '%' after it; unknown and unfinished
    // directives stay as written.
    formats.date[0] = "\x81%Y|%%|%Q|%";
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats), "\x81%Y|%|%Q|%");
    std::string longFormat;
    for (int i = 0; i < 13; ++i) longFormat += "%A";  // 13 x "Sunday" = 78 bytes
    formats.date[0] = longFormat;
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats).size(), 78u);
    formats.date[0] = longFormat + longFormat;  // 156 bytes: too long, none
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats), "");
}

struct TagCase {
    std::string text;
    std::string expected;
};

class ExpandTimeTagsTest : public testing::TestWithParam<TagCase> {};

TEST_P(ExpandTimeTagsTest, Expands) {
    std::string text = GetParam().text;
    ExpandTimeTags(text, kY2k, Formats());
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, ExpandTimeTagsTest,
    testing::Values(
        TagCase{"Sent <TIME>", "Sent 2000/01/02 01:15:30"},
        TagCase{"<TIME><TIME>", "2000/01/02 01:15:302000/01/02 01:15:30"},
        TagCase{"<time> <Time> <TIME", "<time> <Time> <TIME"},
        TagCase{"<<TIME>>", "<2000/01/02 01:15:30>"},
        TagCase{"\x82\xA0<TIME>", "\x82\xA0" "2000/01/02 01:15:30"},
        // Here '<' is the second byte of a double-byte character.
        TagCase{"\x81<TIME>", "\x81<TIME>"},
        TagCase{"<TIME>\x82", "2000/01/02 01:15:30\x82"}, TagCase{"", ""}));

TEST(FillDateTimeTemplateTest, FillsDateThenTime) {
    const DateTimeFormats f = Formats();
    EXPECT_EQ(FillDateTimeTemplate("<D>, <T>", kY2k, 0, 0, f),
              "Sunday, January, 02, 2000, 01:15:30");
    EXPECT_EQ(FillDateTimeTemplate("<D> <D>", kY2k, 1, 0, f), "2000/01/02 2000/01/02");
    EXPECT_EQ(FillDateTimeTemplate("<D><T>", kY2k, 2, 1, f),
              FormatDateTime(kY2k, kDate, 2, f) + FormatDateTime(kY2k, kTime, 1, f));
    EXPECT_EQ(FillDateTimeTemplate("no tags here", kY2k, 0, 0, f), "no tags here");
    EXPECT_EQ(FillDateTimeTemplate("[<D>] <T>", kY2k, 5, 0, f), "[] 01:15:30");
    EXPECT_EQ(FillDateTimeTemplate("<TIME> <d>", kY2k, 0, 0, f), "<TIME> <d>");
    EXPECT_EQ(FillDateTimeTemplate("\x81<D>", kY2k, 0, 0, f), "\x81<D>");
    EXPECT_EQ(FillDateTimeTemplate("", kY2k, 0, 0, f), "");
}

}  // namespace
}  // namespace qs

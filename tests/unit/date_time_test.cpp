#include "core/date_time.h"

#include <gtest/gtest.h>

#include <string>

namespace qs {
namespace {

// The Japanese formats as the string table gives them in code page 932:
// year, month, day and hour, minute, second marks.
const std::string kJaYear = "\x94" "N", kJaMonth = "\x8C\x8E", kJaDay = "\x93\xFA";
const std::string kJaHour = "\x8E\x9E", kJaMinute = "\x95\xAA", kJaSecond = "\x95" "b";

DateTimeFormats Formats() {
    return MakeDateTimeFormats(LeadBytes::ShiftJis(), "%Y" + kJaYear + "%m" + kJaMonth + "%d" + kJaDay,
                               "%H" + kJaHour + "%M" + kJaMinute + "%S" + kJaSecond);
}

// Sunday 2 January 2000, 01:15:30, and a moment with two-digit fields.
constexpr Moment kY2k{2000, 1, 2, 0, 1, 15, 30};
constexpr Moment kLate{2025, 12, 31, 3, 23, 59, 58};
constexpr DateTimeKind kDate = DateTimeKind::kDate;
constexpr DateTimeKind kTime = DateTimeKind::kTime;

std::string Format(const Moment& moment, DateTimeKind kind, int index) {
    return FormatDateTime(moment, kind, index, Formats());
}

TEST(DateTime, Formats) {
    EXPECT_EQ(Format(kY2k, kDate, 0), "Sunday, January, 02, 2000");
    EXPECT_EQ(Format(kY2k, kDate, 1), "2000/01/02");
    EXPECT_EQ(Format(kY2k, kDate, 2), "2000" + kJaYear + "01" + kJaMonth + "02" + kJaDay);
    EXPECT_EQ(Format(kY2k, kTime, 0), "01:15:30");
    EXPECT_EQ(Format(kY2k, kTime, 1), "01" + kJaHour + "15" + kJaMinute + "30" + kJaSecond);
    EXPECT_EQ(Format(kLate, kDate, 0), "Wednesday, December, 31, 2025");
    EXPECT_EQ(Format(kLate, kTime, 0), "23:59:58");
    EXPECT_EQ(Format(Moment{999, 5, 6, 6, 7, 8, 9}, kDate, 1), "0999/05/06");
    // Indexes only a hand-edited settings file can hold.
    EXPECT_EQ(Format(kY2k, kDate, 3), "");
    EXPECT_EQ(Format(kY2k, kDate, -1), "");
    EXPECT_EQ(Format(kY2k, kTime, 2), "");
}

TEST(DateTime, ReadsFormatsByCharactersWithinTheLengthLimit) {
    DateTimeFormats formats = Formats();
    // A lead byte swallows the '%' after it; unknown and unfinished
    // directives stay as written.
    formats.date[0] = "\x81%Y|%%|%Q|%";
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats), "\x81%Y|%|%Q|%");
    formats.date[0] = std::string(121, 'x') + "%A";  // 127 bytes
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats).size(), 127u);
    formats.date[0] += "x";  // 128 bytes: too long, none
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats), "");
}

std::string Expanded(std::string text) {
    ExpandTimeTags(text, kY2k, Formats());
    return text;
}

TEST(DateTime, ExpandsTimeTags) {
    EXPECT_EQ(Expanded("Sent <TIME>"), "Sent 2000/01/02 01:15:30");
    EXPECT_EQ(Expanded("<TIME><TIME>"), "2000/01/02 01:15:302000/01/02 01:15:30");
    EXPECT_EQ(Expanded("<time> <Time> <TIME"), "<time> <Time> <TIME");
    EXPECT_EQ(Expanded("\x82\xA0<TIME>"), "\x82\xA0" "2000/01/02 01:15:30");
    EXPECT_EQ(Expanded("\x81<TIME>"), "\x81<TIME>") << "here '<' is the second byte of a character";
    EXPECT_EQ(Expanded("<TIME>\x82"), "2000/01/02 01:15:30\x82");
}

TEST(DateTime, FillsTheClockTemplateDateThenTime) {
    const DateTimeFormats f = Formats();
    EXPECT_EQ(FillDateTimeTemplate("<D>, <T>", kY2k, 0, 0, f), "Sunday, January, 02, 2000, 01:15:30");
    EXPECT_EQ(FillDateTimeTemplate("<D> <D>", kY2k, 1, 0, f), "2000/01/02 2000/01/02");
    EXPECT_EQ(FillDateTimeTemplate("[<D>] <T>", kY2k, 5, 0, f), "[] 01:15:30");
    EXPECT_EQ(FillDateTimeTemplate("<TIME> <d>", kY2k, 0, 0, f), "<TIME> <d>");
    EXPECT_EQ(FillDateTimeTemplate("\x81<D>", kY2k, 0, 0, f), "\x81<D>");
}

}  // namespace
}  // namespace qs

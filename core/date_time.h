// Date and time text: the five formats of the date and time settings, the
// "<TIME>" tag of copied entries and the template of the clock button.
// The formatter is the program's own, so Windows and other builds give the
// same text whatever the C runtime's locale.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/lead_bytes.h"

namespace qs {

// A local calendar time, broken down.
struct Moment {
    int year = 2000;
    int month = 1;    // 1..12
    int day = 1;      // 1..31
    int weekday = 6;  // 0 = Sunday .. 6 = Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;
};

enum class DateTimeKind { kDate = 0, kTime = 1 };

// The format strings, in the ANSI code page, with the rule that reads them.
// Directives: %A %B (English names), %d %m %H %M %S (two digits), %Y (four
// digits) and %%.
struct DateTimeFormats {
    LeadBytes lead;
    std::array<std::string, 3> date;
    std::array<std::string, 2> time;
};

// The built-in English formats plus the two Japanese ones, which the caller
// converts from its string table: "%Y<year>%m<month>%d<day>" and
// "%H<hour>%M<minute>%S<second>".
DateTimeFormats MakeDateTimeFormats(const LeadBytes& lead, std::string japaneseDate,
                                    std::string japaneseTime);

// Index 1 of the dates and 0 of the times: what "<TIME>" becomes.
inline constexpr int kTimeTagDateIndex = 1;
inline constexpr int kTimeTagTimeIndex = 0;
inline constexpr std::size_t kMaxDateTimeText = 127;

// The text of one format; empty for an index outside the table or a result
// longer than kMaxDateTimeText bytes.
std::string FormatDateTime(const Moment& moment, DateTimeKind kind, int index,
                           const DateTimeFormats& formats);

// Every "<TIME>" that starts on a character boundary becomes date 1, a
// space and time 0 of `moment`. Case-sensitive.
void ExpandTimeTags(std::string& text, const Moment& moment, const DateTimeFormats& formats);

// The clock button's template with every "<D>" and then every "<T>" filled
// with the chosen date and time formats. "<TIME>" is left alone.
std::string FillDateTimeTemplate(std::string_view pattern, const Moment& moment, int dateIndex,
                                 int timeIndex, const DateTimeFormats& formats);

}  // namespace qs

#include "core/date_time.h"

#include <cstddef>
#include <utility>

namespace qs {
namespace {

constexpr std::array<std::string_view, 7> kDayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// A moment out of range (it never is when read from the clock) names "?".
template <std::size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int index) {
    return (index >= 0 && static_cast<std::size_t>(index) < N) ? names[index] : "?";
}

// Zero-padded to `width` digits, the sign in front of the padding.
void AppendNumber(std::string& out, int value, std::size_t width) {
    long long magnitude = value;
    if (magnitude < 0) {
        out += '-';
        magnitude = -magnitude;
    }
    const std::string digits = std::to_string(magnitude);
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

// Appends the text of directive `c`; false for a letter it does not know.
bool AppendDirective(std::string& out, char c, const Moment& m) {
    switch (c) {
    case 'A': out += NameAt(kDayNames, m.weekday); return true;
    case 'B': out += NameAt(kMonthNames, m.month - 1); return true;
    case 'Y': AppendNumber(out, m.year, 4); return true;
    case 'm': AppendNumber(out, m.month, 2); return true;
    case 'd': AppendNumber(out, m.day, 2); return true;
    case 'H': AppendNumber(out, m.hour, 2); return true;
    case 'M': AppendNumber(out, m.minute, 2); return true;
    case 'S': AppendNumber(out, m.second, 2); return true;
    case '%': out += '%'; return true;
    default: return false;
    }
}

// Walks by characters so that a byte inside a double-byte character is never
// read as '%'. Unknown directives and a lone '%' at the end stay as written.
std::string Format(std::string_view format, const Moment& moment, const LeadBytes& lead) {
    std::string out;
    std::size_t pos = 0;
    while (pos < format.size()) {
        if (format[pos] == '%' && pos + 1 < format.size() &&
            AppendDirective(out, format[pos + 1], moment)) {
            pos += 2;
            continue;
        }
        const std::size_t n = lead.CharLength(format, pos);
        out.append(format, pos, n);
        pos += n;
    }
    return out;
}

// Every `tag` that starts on a character boundary becomes `with`, in one
// pass: a tag is looked for only in the original text, never across the
// edges of a replacement.
std::string ReplaceTag(std::string_view text, std::string_view tag, std::string_view with,
                       const LeadBytes& lead) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.substr(pos, tag.size()) == tag) {
            out += with;
            pos += tag.size();
            continue;
        }
        const std::size_t n = lead.CharLength(text, pos);
        out.append(text, pos, n);
        pos += n;
    }
    return out;
}

}  // namespace

DateTimeFormats MakeDateTimeFormats(const LeadBytes& lead, std::string japaneseDate,
                                    std::string japaneseTime) {
    return DateTimeFormats{
        lead,
        {"%A, %B, %d, %Y", "%Y/%m/%d", std::move(japaneseDate)},
        {"%H:%M:%S", std::move(japaneseTime)},
    };
}

std::string FormatDateTime(const Moment& moment, DateTimeKind kind, int index,
                           const DateTimeFormats& formats) {
    const auto pick = [index](const auto& table) -> const std::string* {
        return (index >= 0 && static_cast<std::size_t>(index) < table.size()) ? &table[index]
                                                                               : nullptr;
    };
    const std::string* format =
        kind == DateTimeKind::kDate ? pick(formats.date) : pick(formats.time);
    if (format == nullptr) return {};
    std::string text = Format(*format, moment, formats.lead);
    // Date and time texts are kept within 127 bytes; a longer one counts as a
    // failed conversion rather than being cut.
    if (text.size() > kMaxDateTimeText) return {};
    return text;
}

void ExpandTimeTags(std::string& text, const Moment& moment, const DateTimeFormats& formats) {
    constexpr std::string_view kTag = "<TIME>";
    // Most copied entries hold no tag: leave them untouched.
    if (text.find(kTag) == std::string::npos) return;
    const std::string stamp =
        FormatDateTime(moment, DateTimeKind::kDate, kTimeTagDateIndex, formats) + ' ' +
        FormatDateTime(moment, DateTimeKind::kTime, kTimeTagTimeIndex, formats);
    text = ReplaceTag(text, kTag, stamp, formats.lead);
}

std::string FillDateTimeTemplate(std::string_view pattern, const Moment& moment, int dateIndex,
                                 int timeIndex, const DateTimeFormats& formats) {
    const std::string date = FormatDateTime(moment, DateTimeKind::kDate, dateIndex, formats);
    const std::string time = FormatDateTime(moment, DateTimeKind::kTime, timeIndex, formats);
    const std::string withDate = ReplaceTag(pattern, "<D>", date, formats.lead);
    return ReplaceTag(withDate, "<T>", time, formats.lead);
}

}  // namespace qs

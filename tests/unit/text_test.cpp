#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "core/caption.h"
#include "core/date_time.h"
#include "core/key_names.h"
#include "hook/key_codes.h"

namespace qs {
namespace {

const LeadBytes kShiftJis = LeadBytes::ShiftJis();

// Shift-JIS bytes. The trail byte of "small a" (0x82 0x9F) is also a lead
// byte, so only a walk from the start tells where its characters begin.
const std::string kA = "\x82\xA0";       // hiragana a
const std::string kSmallA = "\x82\x9F";  // small hiragana a
const std::string kPlaceholder = "\x96\xA2\x93\x6F\x98\x5E";

std::string Repeat(const std::string& s, int n) { return n > 0 ? s + Repeat(s, n - 1) : ""; }

TEST(Caption, CutsWholeCharactersFromTheStartOrTheEnd) {
    const auto caption = [](const std::string& text, int view, std::size_t width = kButtonCaptionWidth) {
        return BuildCaption(text, view, width, kShiftJis, kPlaceholder);
    };
    EXPECT_EQ(caption("", 0), kPlaceholder);
    EXPECT_EQ(caption("abcdefghijklmnopqrst", 1), "abcdefghijklmn");
    EXPECT_EQ(caption("abcdefghijklmnopqrst", 2), "ghijklmnopqrst");
    EXPECT_EQ(caption("abcdefghijklmnopqrst", -1), "ghijklmnopqrst") << "any view but 0 and 1 shows the end";
    // A front cut ending inside a character loses that character.
    EXPECT_EQ(caption("a" + Repeat(kA, 10), 1, kMenuCaptionWidth), "a" + Repeat(kA, 9));
    // An end cut starting on a trail byte starts one byte later.
    EXPECT_EQ(caption("a" + Repeat(kSmallA, 7) + "b", 2), Repeat(kSmallA, 6) + "b");
    EXPECT_EQ(caption("ab" + Repeat(kSmallA, 7), 2), Repeat(kSmallA, 7));
    // A lead byte with nothing after it is a character of its own.
    EXPECT_EQ(caption("abcdefghijklmn\x82", 2), "bcdefghijklmn\x82");
    EXPECT_EQ(caption("\x82", 2), "\x82");
    // A title stands in for its sentence only in view 0, cut as a text is.
    const auto slot = [](std::string_view title, int view) {
        return SlotCaption(title, "Hello", 0, view, kButtonCaptionWidth, kShiftJis, kPlaceholder);
    };
    EXPECT_EQ(slot("Greeting", 1), "Hello");
    EXPECT_EQ(slot("x" + Repeat(kSmallA, 8), 0), "x" + Repeat(kSmallA, 6));
}

// "表" is 0x95 0x5C in Shift-JIS: its second byte is the backslash code.
TEST(LeadBytes, FileNameStartSkipsBackslashBytesInsideCharacters) {
    EXPECT_EQ(LeadBytes().FileNameStart("C:\\dir\\\x95\x5C.txt"), 9u) << "a single-byte code page splits there";
    EXPECT_EQ(kShiftJis.FileNameStart("name.txt"), 0u);
    // A lead byte at the very end stands alone and is not read past.
    EXPECT_EQ(kShiftJis.FileNameStart(std::string("a\\\x95", 3)), 2u);
    EXPECT_EQ(kShiftJis.CharLength(std::string("a\x82", 2), 1), 1u);
    // The ends of both lead-byte ranges take the backslash after them; the bytes just past them do not.
    const std::pair<unsigned char, std::size_t> edges[] = {{0x81, 2}, {0x9F, 2}, {0xE0, 2}, {0xFC, 2},
                                                           {0x80, 4}, {0xA0, 4}, {0xDF, 4}, {0xFD, 4}};
    for (const auto& [byte, start] : edges) {
        EXPECT_EQ(kShiftJis.FileNameStart(std::string("a\\") + static_cast<char>(byte) + "\\b"), start) << +byte;
    }
}

// The Japanese formats come from the string table, in code page 932: a year mark, an hour mark.
const DateTimeFormats kFormats = MakeDateTimeFormats(kShiftJis, "%Y\x94N%m", "%H\x8E\x9E%M");
constexpr Moment kY2k{2000, 1, 2, 0, 1, 15, 30};  // Sunday 2 January 2000, 01:15:30
using enum DateTimeKind;

TEST(DateTime, FormatsExpandsTimeTagsAndFillsTheClockTemplate) {
    const auto format = [](DateTimeKind kind, int i, Moment m = kY2k) { return FormatDateTime(m, kind, i, kFormats); };
    EXPECT_EQ(format(kDate, 0, {2025, 12, 31, 3, 23, 59, 58}), "Wednesday, December, 31, 2025");
    EXPECT_EQ(format(kDate, 1, {999, 5, 6, 6, 7, 8, 9}), "0999/05/06");
    // Indexes only a hand-edited settings file can hold.
    EXPECT_EQ(format(kDate, 3) + format(kDate, -1) + format(kTime, 2), "");
    // A lead byte swallows the '%' after it; unknown and unfinished directives stay as written.
    DateTimeFormats formats = kFormats;
    formats.date[0] = "\x81%Y|%%|%Q|%";
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats), "\x81%Y|%|%Q|%");
    formats.date[0] = std::string(121, 'x') + "%A";  // 127 bytes
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats).size(), 127u);
    formats.date[0] += "x";  // 128 bytes: too long, none
    EXPECT_EQ(FormatDateTime(kY2k, kDate, 0, formats), "");
    // Time tags and the clock template.
    const auto expanded = [](std::string text) { return ExpandTimeTags(text, kY2k, kFormats), text; };
    EXPECT_EQ(expanded("<TIME><TIME>"), "2000/01/02 01:15:302000/01/02 01:15:30");
    // After 0x81 '<' is the second byte of a character; a lead byte at the end stands alone.
    EXPECT_EQ(expanded("<Time> <TIME \x81<TIME><TIME>\x82"), "<Time> <TIME \x81<TIME>2000/01/02 01:15:30\x82");
    EXPECT_EQ(FillDateTimeTemplate("<D>, <T>", kY2k, 0, 0, kFormats), "Sunday, January, 02, 2000, 01:15:30");
    EXPECT_EQ(FillDateTimeTemplate("<D> <D>", kY2k, 1, 0, kFormats), "2000/01/02 2000/01/02");
    EXPECT_EQ(FillDateTimeTemplate("[<D>] <T>", kY2k, 5, 1, kFormats), "[] 01\x8E\x9E" "15");
}

TEST(KeyNames, NamesCodesAndPositions) {
    const std::pair<int, std::string> names[] = {{0x30, "0"}, {0x39, "9"}, {0x41, "A"},  {0x5A, "Z"}, {0x60, "N0"},
                                                 {0x69, "N9"}, {0x70, "F1"}, {0x78, "F9"}, {0, ""},    {-1, ""}};
    for (const auto& [code, name] : names) EXPECT_EQ(KeyNameFromCode(code), name) << code;
    // Every named code, and only those, comes back from its name.
    int named = 0;
    for (int code = 0; code < 0x200; ++code) {
        const std::string name = KeyNameFromCode(code);
        if (!name.empty()) EXPECT_EQ(KeyCodeFromName(name), code) << name;
        named += !name.empty();
    }
    EXPECT_EQ(named, 10 + 26 + 10 + 9);
    EXPECT_EQ(KeyCodeFromName(""), 0);
    // Keypad digits fold onto the digit keys, and later duplicates are cleared.
    const std::pair<KeyCodes, KeyCodes> folds[] = {
        {{0x61, 0, 0, 0, 0, 0x31}, {0x31}},
        {{0x31, 0x61, 0x41, 0x41, 0x69, 0x60, 0x6A, -1, -1}, {0x31, 0, 0x41, 0, 0x39, 0x30, 0x6A, -1}},
        {{0, 0, 0x5F, 0x70}, {0, 0, 0x5F, 0x70}},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x66, 0x36}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x36}}};
    for (auto [codes, expected] : folds) {
        NormalizeKeyCodes(codes);
        EXPECT_EQ(codes, expected);
    }
    // The position a key from the hook stands for: the first with its code, a keypad digit as the digit
    // key only when the keypad is not told apart, none for 0, codes above 0x7F kept as signed bytes.
    const KeyCodes set = {0, 'Q', 0x61, '1', 'Q', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<std::int8_t>(0xDE)};
    const std::tuple<int, bool, std::optional<int>> keys[] = {
        {'Q', true, 1}, {0x61, true, 2}, {0x61, false, 3}, {'1', true, 3}, {0x62, false, std::nullopt},
        {0, true, std::nullopt}, {0xDE, true, 15}, {'W', true, std::nullopt}};
    for (const auto& [key, numPad, position] : keys) EXPECT_EQ(ShortcutPosition(set, key, numPad), position) << key;
    // The hook reports either side's modifier as the generic one.
    const std::pair<unsigned, unsigned> hookCodes[] = {{0xA0, 0x10}, {0xA1, 0x10}, {0xA2, 0x11}, {0xA3, 0x11},
                                                       {0xA4, 0x12}, {0xA5, 0x12}, {0x9F, 0x9F}, {0xA6, 0xA6},
                                                       {0x11, 0x11}, {0x51, 0x51}, {0x1A2, 0x11}};
    for (const auto& [seen, reported] : hookCodes) EXPECT_EQ(qhook::GenericKeyCode(seen), reported) << seen;
}

}  // namespace
}  // namespace qs

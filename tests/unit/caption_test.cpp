#include "core/caption.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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

std::string Caption(const std::string& text, int view, std::size_t width = kButtonCaptionWidth) {
    return BuildCaption(text, view, width, LeadBytes::ShiftJis(), kPlaceholder);
}

TEST(Caption, CutsWholeCharactersFromTheStartOrTheEnd) {
    EXPECT_EQ(Caption("", 0), kPlaceholder);
    EXPECT_EQ(Caption("abcdefghijklmnopqrst", 1), "abcdefghijklmn");
    EXPECT_EQ(Caption("abcdefghijklmnopqrst", 2), "ghijklmnopqrst");
    EXPECT_EQ(Caption("abcdefghijklmnopqrst", -1), "ghijklmnopqrst") << "any view but 0 and 1 shows the end";
    EXPECT_EQ(Caption(Repeat(kA, 7), 0), Repeat(kA, 7));
    // A front cut ending inside a character loses that character.
    EXPECT_EQ(Caption("a" + Repeat(kA, 7), 0), "a" + Repeat(kA, 6));
    EXPECT_EQ(Caption("a" + Repeat(kA, 10), 1, kMenuCaptionWidth), "a" + Repeat(kA, 9));
    // An end cut starting on a trail byte starts one byte later.
    EXPECT_EQ(Caption("a" + Repeat(kSmallA, 7) + "b", 2), Repeat(kSmallA, 6) + "b");
    EXPECT_EQ(Caption("ab" + Repeat(kSmallA, 7), 2), Repeat(kSmallA, 7));
    // A lead byte with nothing after it is a character of its own.
    EXPECT_EQ(Caption("abcdefghijklmn\x82", 2), "bcdefghijklmn\x82");
    EXPECT_EQ(Caption("\x82", 2), "\x82");
}

TEST(Caption, TitleOnlyForSentencesWithView0) {
    const auto caption = [](std::string_view title, std::string_view text, int mode, int view) {
        return SlotCaption(title, text, mode, view, kButtonCaptionWidth, LeadBytes::ShiftJis(), kPlaceholder);
    };
    EXPECT_EQ(caption("Greeting", "Hello", 0, 0), "Greeting");
    EXPECT_EQ(caption("Greeting", "Hello", 0, 1), "Hello");
    EXPECT_EQ(caption("Greeting", "Hello", 1, 0), "Hello") << "in the histories view 0 acts as 1";
    EXPECT_EQ(caption("", "", 0, 0), kPlaceholder);
    EXPECT_EQ(caption("x" + Repeat(kSmallA, 8), "Hello", 0, 0), "x" + Repeat(kSmallA, 6));
}

// "表" is 0x95 0x5C in Shift-JIS: its second byte is the backslash code.
TEST(LeadBytes, FileNameStartSkipsBackslashBytesInsideCharacters) {
    const LeadBytes sjis = LeadBytes::ShiftJis();
    EXPECT_EQ(sjis.FileNameStart("C:\\\x95\x5C\\a.txt"), 6u);
    EXPECT_EQ(sjis.FileNameStart("C:\\dir\\\x95\x5C.txt"), 7u);
    EXPECT_EQ(LeadBytes().FileNameStart("C:\\dir\\\x95\x5C.txt"), 9u) << "a single-byte code page splits there";
    EXPECT_EQ(sjis.FileNameStart("name.txt"), 0u);
    // A lead byte at the very end stands alone and is not read past.
    EXPECT_EQ(sjis.FileNameStart(std::string("a\\\x95", 3)), 2u);
    EXPECT_EQ(sjis.CharLength(std::string("a\x82", 2), 1), 1u);
    // The ends of both lead-byte ranges take the backslash after them; the
    // bytes just past them do not.
    const std::pair<unsigned char, std::size_t> edges[] = {{0x81, 2}, {0x9F, 2}, {0xE0, 2}, {0xFC, 2},
                                                           {0x80, 4}, {0xA0, 4}, {0xDF, 4}, {0xFD, 4}};
    for (const auto& [byte, start] : edges) {
        EXPECT_EQ(sjis.FileNameStart(std::string("a\\") + static_cast<char>(byte) + "\\b"), start) << +byte;
    }
}

}  // namespace
}  // namespace qs

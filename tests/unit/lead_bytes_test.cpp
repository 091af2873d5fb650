#include "data/lead_bytes.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

TEST(LeadBytes, FileNameStartSkipsBackslashBytesInsideCharacters) {
    const LeadBytes sjis = LeadBytes::ShiftJis();
    // "表" is 0x95 0x5C in Shift-JIS: its second byte is the backslash code.
    const std::string folder = "C:\\\x95\x5C\\";
    EXPECT_EQ(sjis.FileNameStart(folder + "a.txt"), folder.size());
    EXPECT_EQ(sjis.FileNameStart("C:\\dir\\\x95\x5C.txt"), 7u);
    EXPECT_EQ(LeadBytes().FileNameStart("C:\\dir\\\x95\x5C.txt"), 9u) << "a single-byte code page splits there";
    EXPECT_EQ(sjis.FileNameStart("name.txt"), 0u);
    EXPECT_EQ(sjis.FileNameStart(""), 0u);
    // A lead byte at the very end stands alone and is not read past.
    EXPECT_EQ(sjis.FileNameStart(std::string("a\\\x95", 3)), 2u);
}

TEST(LeadBytes, CharLengthNeverReachesPastTheEnd) {
    const LeadBytes sjis = LeadBytes::ShiftJis();
    const std::string text("a\x82\xa0\x82", 4);
    EXPECT_EQ(sjis.CharLength(text, 0), 1u);
    EXPECT_EQ(sjis.CharLength(text, 1), 2u);
    EXPECT_EQ(sjis.CharLength(text, 3), 1u);
}

}  // namespace
}  // namespace qs

#include "core/lead_bytes.h"

#include <gtest/gtest.h>

#include <string>

namespace qs {
namespace {

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
}

}  // namespace
}  // namespace qs

#include "core/list_file_text.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/core_helpers.h"

namespace qs {
namespace {

using namespace test;

const LeadBytes kShiftJis = LeadBytes::ShiftJis();

TEST(ListFileText, Parses) {
    const std::pair<std::string_view, Texts> cases[] = {
        {"", {}},
        {"one line of text", {}},
        {"\r\n<STRING>\r\na\r\n<STRING>\r\n\r\n<STRING>\r\nb", {"a", "", "b"}},
        {"\r\n<STRING>\r\na\r\n<STRING>\r\n", {"a"}},
        {"<STRING>\na\n<STRING>\nb", {"a", "b"}},
        {"<STRING>\r\na\n<STRING>\nb\r\n<STRING>\r\nc\n<STRING>\r\n\nd", {"a", "b", "c", "\nd"}},
        {"header\r\n<STRING>\r\n  a\t\v\f \r\n<STRING>\r\nL1\r\nL2\r\n", {"  a", "L1\r\nL2"}},
        // Not markers: no line end, CR without LF, other spellings.
        {"<STRING>", {}},
        {"<STRING>\r\r\na", {}},
        {"<string>\r\nz", {}},
        {"<<STRING>\r\nz<STRING\r\n<STRING>\n", {"z<STRING"}},
        // A lead byte takes the '<' after it as its second byte; lead bytes
        // in a row pair up from the start.
        {"\x81<STRING>\r\nx", {}},
        {"<STRING>\r\na\x81<STRING>\r\nb", {"a\x81<STRING>\r\nb"}},
        {"\x81\x81<STRING>\r\nx", {"x"}},
        {"\x81\x81\x81<STRING>\r\nx<STRING>\r\ny", {"y"}},
        // A second byte that looks like a space stays; a lead byte at the very end counts alone.
        {"<STRING>\r\na\x81 ", {"a\x81 "}},
        {"<STRING>\r\na\x81\x81  \r\n", {"a\x81\x81"}},
        {"<STRING>\r\nab\x81", {"ab\x81"}},
    };
    for (const auto& [text, entries] : cases) EXPECT_EQ(ParseList(text), entries) << text;
    // In a single-byte code page the same bytes are plain characters.
    EXPECT_EQ(ParseList("\x81<STRING>\r\nx", LeadBytes()), Texts{"x"});
    EXPECT_EQ(ParseList("<STRING>\r\na\x81 ", LeadBytes()), Texts{"a\x81"});
}

// A code page where white-space bytes are lead bytes too: trailing white
// space pairs up into double-byte characters, which stay, from the last
// character boundary before it; only a white-space byte that is a character
// of its own goes.
TEST(ListFileText, TrimKeepsDoubleByteCharactersMadeOfWhiteSpaceBytes) {
    const LeadBytes spaceLeads =
        LeadBytes::FromPredicate([](unsigned char b) { return b == ' ' || b == '\t' || b == 0x81; });
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"a  ", "a  "},           // one character of two spaces
        {"a   ", "a  "},          // the third space stands alone at the end
        {"a \t\r\n", "a \t"},    // space and tab pair up; CR and LF go
        {"a\x81  ", "a\x81 "},     // the first space is the lead's second byte
        {"a\x81\x81 \r", "a\x81\x81 \r"},  // space and CR make one character
        {"a\x81\x81\r ", "a\x81\x81"},
        {"\r\n", ""},
        {" ", ""},
    };
    for (const auto& [text, trimmed] : cases) EXPECT_EQ(TrimTrailingWhiteSpace(text, spaceLeads), trimmed) << text;
}

TEST(ListFileText, SearchesFromBeyondTheEndFindNothing) {
    int lineEnd = 0;
    EXPECT_EQ(FindStringMarker("<STRING>\r\n", 20, lineEnd, kShiftJis), -1);
    std::size_t position = 99;
    std::string_view entry = "x";
    EXPECT_FALSE(NextSentence("<STRING>\r\na", entry, position, kShiftJis));
    EXPECT_EQ(entry, "");
}

TEST(ListFileText, WrittenForms) {
    const StringList list = ListOf({"a", "", "b"});
    EXPECT_EQ(WriteListText(list), "\r\n<STRING>\r\na\r\n<STRING>\r\n\r\n<STRING>\r\nb");
    EXPECT_EQ(ExportListText(list), "a\r\n\r\nb\r\n");
    EXPECT_EQ(WriteListText(StringList()), "");
}

TEST(ListFileText, RoundTrips) {
    const Texts cases[] = {
        {},
        {"", "a", "", "last"},
        {"L1\r\nL2", "L1\nL2\n\nL3", "  leading", "\r\nstarts with a line end"},
        {"\x93\xfa\x96\x7b\x8c\xea", "\x83\x5c\x83\x74\x83\x67", "\x81\x40\x81\x40x"},
        {"<STRING> not a marker", "<STRING>\rx", "tail<STRING>"},
    };
    for (const Texts& entries : cases) EXPECT_EQ(ParseList(WriteListText(ListOf(entries))), entries);
    // What the file form cannot carry, and loses on the way back.
    const std::pair<Texts, Texts> lossy[] = {
        {{"a", ""}, {"a"}},
        {{"a  \r\n\r\n", "b"}, {"a", "b"}},
        {{"x\r\n<STRING>\r\ny"}, {"x", "y"}},
        {{"x<STRING>", "y"}, {"x", "", "y"}},
    };
    for (const auto& [written, read] : lossy) EXPECT_EQ(ParseList(WriteListText(ListOf(written))), read);
}

}  // namespace
}  // namespace qs

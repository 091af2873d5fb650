#include "data/list_file_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qs {
namespace {

using Entries = std::vector<std::string>;

const LeadBytes kShiftJis = LeadBytes::ShiftJis();

StringList ListOf(const Entries& entries) {
    StringList list;
    for (const std::string& entry : entries) list.AddTail(entry);
    return list;
}

Entries Parse(std::string_view text, const LeadBytes& lead = kShiftJis) {
    StringList list(3);  // parsing replaces whatever was there
    ParseListText(text, list, lead);
    return {list.begin(), list.end()};
}

TEST(ListFileText, ParsesEveryMarkerForm) {
    const std::pair<std::string_view, Entries> cases[] = {
        {"", {}},
        {"one line of text", {}},
        {"\r\n<STRING>\r\na\r\n<STRING>\r\n\r\n<STRING>\r\nb", {"a", "", "b"}},
        {"\r\n<STRING>\r\na\r\n<STRING>\r\n", {"a"}},
        {"<STRING>\na\n<STRING>\nb", {"a", "b"}},
        {"<STRING>\r\na\n<STRING>\nb\r\n<STRING>\r\nc\n<STRING>\r\n\nd", {"a", "b", "c", "\nd"}},
        {"header\r\n<STRING>\r\nx", {"x"}},
        {"<STRING>\r\n  a  \r\n\r\n", {"  a"}},
        {"<STRING>\r\n\t x\t\v\f \r\n<STRING>\r\ny", {"\t x", "y"}},
        {"<STRING>\r\nL1\r\nL2", {"L1\r\nL2"}},
        {"<STRING>\r\na\r\n<STRING>\r\nb\r\n", {"a", "b"}},
        {"<STRING>\n\n<STRING>\n", {""}},
        // Not markers: no line end, or CR without LF.
        {"<STRING>", {}},
        {"<STRING>\r", {}},
        {"<STRING>\r\r\na", {}},
        {"<STRING>x<STRING>\r\ny", {"y"}},
        {"<string>\r\nz", {}},
        {"<<STRING>\r\nz<STRING\r\n<STRING>\n", {"z<STRING"}},
    };
    for (const auto& [text, entries] : cases) EXPECT_EQ(Parse(text), entries) << text;
}

TEST(ListFileText, DoubleByteCharactersHideMarkersAndWhiteSpace) {
    const std::pair<std::string_view, Entries> cases[] = {
        // A lead byte takes the '<' as its second byte.
        {"\x81<STRING>\r\nx", {}},
        {"<STRING>\r\na\x81<STRING>\r\nb", {"a\x81<STRING>\r\nb"}},
        {"\x81\x81<STRING>\r\nx", {"x"}},
        {"\x81\x81\x81<STRING>\r\nx<STRING>\r\ny", {"y"}},
        // The ideographic space and a second byte that looks like a space stay.
        {"<STRING>\r\na\x81\x40", {"a\x81\x40"}},
        {"<STRING>\r\na\x81 ", {"a\x81 "}},
        {"<STRING>\r\na\x81\x81  \r\n", {"a\x81\x81"}},
        {"<STRING>\r\n\x93\xfa\x96\x7b\r\n<STRING>\r\nz", {"\x93\xfa\x96\x7b", "z"}},
        // A lead byte at the very end counts alone.
        {"<STRING>\r\nab\x81", {"ab\x81"}},
    };
    for (const auto& [text, entries] : cases) EXPECT_EQ(Parse(text), entries) << text;
    // In a single-byte code page the same bytes are plain characters.
    EXPECT_EQ(Parse("\x81<STRING>\r\nx", LeadBytes()), Entries{"x"});
    EXPECT_EQ(Parse("<STRING>\r\na\x81 ", LeadBytes()), Entries{"a\x81"});
}

TEST(ListFileText, FindStringMarkerReportsLineEnd) {
    const std::string_view text = "ab<STRING>\n<STRING>\r\n";
    int lineEnd = 0;
    EXPECT_EQ(FindStringMarker(text, 0, lineEnd, kShiftJis), 2);
    EXPECT_EQ(lineEnd, 1);
    EXPECT_EQ(FindStringMarker(text, 3, lineEnd, kShiftJis), 11);
    EXPECT_EQ(lineEnd, 2);
    EXPECT_EQ(FindStringMarker(text, 12, lineEnd, kShiftJis), -1);
    EXPECT_EQ(lineEnd, 1);
    EXPECT_EQ(FindStringMarker(text, text.size() + 5, lineEnd, kShiftJis), -1);
}

TEST(ListFileText, NextSentenceWalksEntries) {
    const std::string_view text = "<STRING>\r\na \r\n<STRING>\nb";
    std::size_t position = 10;
    std::string_view entry;
    EXPECT_TRUE(NextSentence(text, entry, position, kShiftJis));
    EXPECT_EQ(entry, "a");
    EXPECT_EQ(position, 23u);
    EXPECT_FALSE(NextSentence(text, entry, position, kShiftJis));
    EXPECT_EQ(entry, "b");
    position = 99;
    EXPECT_FALSE(NextSentence(text, entry, position, kShiftJis));
    EXPECT_EQ(entry, "");
}

TEST(ListFileText, WrittenForms) {
    const StringList list = ListOf({"a", "", "b"});
    EXPECT_EQ(WriteListText(list), "\r\n<STRING>\r\na\r\n<STRING>\r\n\r\n<STRING>\r\nb");
    EXPECT_EQ(ExportListText(list), "a\r\n\r\nb\r\n");
    EXPECT_EQ(WriteListText(StringList()), "");
    EXPECT_EQ(ExportListText(StringList()), "");
}

TEST(ListFileText, RoundTrips) {
    const Entries cases[] = {
        {},
        {"a", "", "b"},
        {"", "", "last"},
        {"L1\r\nL2", "L1\nL2\n\nL3"},
        {"  leading", "\r\nstarts with a line end"},
        {"\x93\xfa\x96\x7b\x8c\xea", "\x83\x5c\x83\x74\x83\x67", "\x81\x40\x81\x40x"},
        {"<STRING> not a marker", "<STRING>\rx", "tail<STRING>"},
    };
    for (const Entries& entries : cases) {
        EXPECT_EQ(Parse(WriteListText(ListOf(entries))), entries);
    }
}

// What the file form cannot carry, and loses on the way back.
TEST(ListFileText, LossyRoundTrips) {
    const std::pair<Entries, Entries> cases[] = {
        {{"a", ""}, {"a"}},
        {{"a  \r\n\r\n", "b"}, {"a", "b"}},
        {{"x\r\n<STRING>\r\ny"}, {"x", "y"}},
        {{"x<STRING>"}, {"x<STRING>"}},
        {{"x<STRING>", "y"}, {"x", "", "y"}},
    };
    for (const auto& [written, read] : cases) EXPECT_EQ(Parse(WriteListText(ListOf(written))), read);
}

}  // namespace
}  // namespace qs

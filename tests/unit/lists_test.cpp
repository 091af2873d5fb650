#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "tests/unit/core_helpers.h"

namespace qs {
namespace {

using namespace test;

// The entries by iteration and by index, after appending one more: it lands
// at the real end only if the tail pointer was kept right.
void ExpectEntries(StringList& list, Texts expected, const std::string& name) {
    list.AddTail("<end>");
    expected.push_back("<end>");
    Texts byIndex;
    for (int i = 0; i < list.GetCount(); ++i) byIndex.push_back(list.GetAt(i) ? *list.GetAt(i) : "<null>");
    EXPECT_EQ(Items(list), expected) << name;
    EXPECT_EQ(byIndex, expected) << name;
    for (int index : {INT_MIN, -1, list.GetCount(), INT_MAX}) EXPECT_EQ(list.GetAt(index), nullptr) << name;
    list.RemoveTail();
}

// One list through every change, each step checked.
TEST(StringList, Operations) {
    const std::pair<void (*)(StringList&), Texts> steps[] = {
        {[](StringList& l) { l.AddHeadUnique("a", 0), l.AddHeadUnique("a", 1); }, {"a"}},  // max 0 keeps one
        {[](StringList& l) { l.SetAtGrow(3, "d"), l.SetAtGrow(INT_MIN, "x"); }, {"a", "", "", "d"}},
        {[](StringList& l) { l.SetAtGrow(1, "b"), l.SetAtGrow(4, "e"); }, {"a", "b", "", "d", "e"}},
        // A repeat moves to the front and drops nothing; a new text drops one entry per call.
        {[](StringList& l) { l.AddHeadUnique("d", 2); }, {"d", "a", "b", "", "e"}},
        {[](StringList& l) { l.AddHeadUnique("n", 2); }, {"n", "d", "a", "b", ""}},
        {[](StringList& l) { l.AddHeadUnique("N", 9); }, {"N", "n", "d", "a", "b", ""}},
        {[](StringList& l) { l.AddTail("d"), l.AddHeadUnique("d", 9); }, {"d", "N", "n", "a", "b", "", "d"}},
        {[](StringList& l) { l.AddTailUnique("a"), l.AddTailUnique("A"); }, {"d", "N", "n", "a", "b", "", "d", "A"}},
        {[](StringList& l) { l.RemoveAt(3), l.RemoveAt(6), l.RemoveAt(6), l.RemoveAt(-1); },
         {"d", "N", "n", "b", "", "d"}},
        {[](StringList& l) { l.RemoveHead(), l.RemoveTail(); }, {"N", "n", "b", ""}},
        {[](StringList& l) { l.SetCount(2), l.SetCount(3); }, {"N", "n", ""}},
        // Texts handed in may point into the list itself.
        {[](StringList& l) { l.SetAtGrow(0, *l.GetAt(0)), l.SetAtGrow(3, *l.GetAt(1)), l.AddTailUnique(*l.GetAt(0)); },
         {"N", "n", "", "n"}},
        {[](StringList& l) { l.AddHeadUnique(*l.GetAt(3), 10); }, {"n", "N", "", "n"}},
        {[](StringList& l) { l.EmptyAll(); }, {"", "", "", ""}},
        {[](StringList& l) { l.SetCount(-3); }, {}},
        {[](StringList& l) { l.AddTail("a"), l.RemoveAll(), l.RemoveHead(), l.RemoveTail(), l.RemoveAt(0); }, {}},
    };
    StringList list;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].first(list);
        ExpectEntries(list, steps[i].second, "step " + std::to_string(i));
    }
}

TEST(StringList, CopiesAreDeepMovesLeaveAnUsableEmptyListAndTextsStayPut) {
    StringList original = ListOf({"a", "b"}), copy(original), assigned = ListOf({"old"}), target = ListOf({"old"});
    const std::string* first = original.GetAt(0);
    original.AddHeadUnique("z", 9), original.RemoveHead();
    EXPECT_EQ(first, original.GetAt(0)) << "an entry's text stays where it is while others change";
    copy.SetAtGrow(0, "x");
    assigned = original;
    assigned = static_cast<const StringList&>(assigned);
    target = std::move(copy);
    StringList moved(std::move(target));
    ExpectEntries(original, {"a", "b"}, "original");
    ExpectEntries(assigned, {"a", "b"}, "assigned, then to itself");
    ExpectEntries(moved, {"x", "b"}, "copied, changed and moved twice");
    ExpectEntries(copy, {}, "moved-from");    // NOLINT(bugprone-use-after-move)
    ExpectEntries(target, {}, "moved-from");  // NOLINT(bugprone-use-after-move)
}

// Freeing must not recurse per entry: half a million would exhaust the stack.
TEST(StringList, HugeListsAreFreedWithoutTrouble) {
    StringList list(500000), copy(list);
    list.SetCount(1);
    EXPECT_EQ(copy.GetCount(), 500000);
}

TEST(ListFileText, Parses) {
    const std::pair<std::string_view, Texts> cases[] = {
        {"", {}}, {"one line of text", {}},
        {"\r\n<STRING>\r\na\r\n<STRING>\r\n", {"a"}},
        {"<STRING>\r\na\n<STRING>\nb\r\n<STRING>\r\nc\n<STRING>\r\n\nd", {"a", "b", "c", "\nd"}},
        {"header\r\n<STRING>\r\n  a\t\v\f \r\n<STRING>\r\nL1\r\nL2\r\n", {"  a", "L1\r\nL2"}},
        // Not markers: no line end, CR without LF, other spellings.
        {"<STRING>", {}}, {"<STRING>\r\r\na", {}}, {"<string>\r\nz", {}},
        {"<<STRING>\r\nz<STRING\r\n<STRING>\n", {"z<STRING"}},
        // A lead byte takes the '<' after it as its second byte; lead bytes in a row pair up from the start.
        {"\x81<STRING>\r\nx", {}}, {"\x81\x81<STRING>\r\nx", {"x"}},
        {"<STRING>\r\na\x81<STRING>\r\nb", {"a\x81<STRING>\r\nb"}},
        {"\x81\x81\x81<STRING>\r\nx<STRING>\r\ny", {"y"}},
        // A second byte that looks like a space stays; a lead byte at the very end counts alone.
        {"<STRING>\r\na\x81 ", {"a\x81 "}}, {"<STRING>\r\na\x81\x81  \r\n", {"a\x81\x81"}},
        {"<STRING>\r\nab\x81", {"ab\x81"}},
    };
    for (const auto& [text, entries] : cases) EXPECT_EQ(ParseList(text), entries) << text;
    // In a single-byte code page the same bytes are plain characters.
    EXPECT_EQ(ParseList("\x81<STRING>\r\nx", LeadBytes()), Texts{"x"});
    EXPECT_EQ(ParseList("<STRING>\r\na\x81 ", LeadBytes()), Texts{"a\x81"});
}

// A code page where white-space bytes are lead bytes too: the double-byte
// characters they make stay; only a white-space byte standing alone goes.
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
        {"\r\n", ""}, {" ", ""},
    };
    for (const auto& [text, trimmed] : cases) EXPECT_EQ(TrimTrailingWhiteSpace(text, spaceLeads), trimmed) << text;
}

TEST(ListFileText, WritesFormsThatReadBack) {
    const Texts cases[] = {
        {}, {"", "a", "", "last"},
        {"L1\r\nL2", "L1\nL2\n\nL3", "  leading", "\r\nstarts with a line end"},
        {"\x93\xfa\x96\x7b\x8c\xea", "\x83\x5c\x83\x74\x83\x67", "\x81\x40\x81\x40x"},
        {"<STRING> not a marker", "<STRING>\rx", "tail<STRING>"},
    };
    for (const Texts& entries : cases) EXPECT_EQ(ParseList(WriteListText(ListOf(entries))), entries);
}

}  // namespace
}  // namespace qs

#include "data/string_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace qs {
namespace {

using Texts = std::vector<std::string>;

StringList ListOf(const Texts& texts) {
    StringList list;
    for (const std::string& text : texts) list.AddTail(text);
    return list;
}

// Checks the entries through every access path, then that the list still
// appends at its real end (a stale tail would show there).
void ExpectEntries(StringList& list, const Texts& expected, const char* name = "") {
    SCOPED_TRACE(name);
    ASSERT_EQ(list.GetCount(), static_cast<int>(expected.size()));
    EXPECT_EQ(Texts(list.begin(), list.end()), expected);
    for (int i = 0; i < list.GetCount(); ++i) {
        ASSERT_NE(list.GetAt(i), nullptr);
        EXPECT_EQ(*list.GetAt(i), expected[i]);
    }
    list.AddTail("<end>");
    Texts withEnd = expected;
    withEnd.push_back("<end>");
    EXPECT_EQ(Texts(list.begin(), list.end()), withEnd);
    list.RemoveTail();
}

TEST(StringList, AddHeadUniqueMovesRepeatsToFrontAndTrimsOneAtMost) {
    struct {
        const char* name;
        Texts initial;
        std::string text;
        int max;
        Texts expected;
    } const cases[] = {
        {"repeat moves, nothing dropped", {"a", "d", "b"}, "b", 3, {"b", "a", "d"}},
        {"new text drops the tail", {"a", "b", "d"}, "e", 3, {"e", "a", "b"}},
        {"one drop per call when far over", {"a", "b", "c", "d", "e"}, "x", 2, {"x", "a", "b", "c", "d"}},
        {"repeat applies no limit", {"a", "b", "c"}, "c", 1, {"c", "a", "b"}},
        {"empty list keeps its entry, limit 0", {}, "x", 0, {"x"}},
        {"empty list keeps its entry, negative limit", {}, "x", -1, {"x"}},
        {"comparison is case-sensitive", {"abc"}, "Abc", 5, {"Abc", "abc"}},
        {"repeat of the only entry", {"a"}, "a", 1, {"a"}},
        {"only the first repeat goes", {"a", "b", "a"}, "a", 5, {"a", "b", "a"}},
        {"empty text is an ordinary entry", {"", "a"}, "", 5, {"", "a"}},
        {"bytes are compared exactly", {"\x82\xa0"}, "\x82\xa1", 5, {"\x82\xa1", "\x82\xa0"}},
    };
    for (const auto& c : cases) {
        StringList list = ListOf(c.initial);
        list.AddHeadUnique(c.text, c.max);
        ExpectEntries(list, c.expected, c.name);
    }
}

TEST(StringList, AddTailUniqueAppendsOnlyAbsentTexts) {
    StringList list;
    list.AddTailUnique("ftp://");
    list.AddTailUnique("ftp://");
    list.AddTailUnique("FTP://");
    list.AddTailUnique("");
    list.AddTailUnique("");
    ExpectEntries(list, {"ftp://", "FTP://", ""});
}

TEST(StringList, SetAtGrowReplacesOrFillsTheGap) {
    struct {
        const char* name;
        Texts initial;
        int index;
        Texts expected;
    } const cases[] = {
        {"gap filled with empty entries", {}, 3, {"", "", "", "t"}},
        {"replace", {"a", "b"}, 1, {"a", "t"}},
        {"append at count", {"a", "b"}, 2, {"a", "b", "t"}},
        {"negative index ignored", {"a"}, -1, {"a"}},
        {"INT_MIN ignored", {"a"}, INT_MIN, {"a"}},
    };
    for (const auto& c : cases) {
        StringList list = ListOf(c.initial);
        list.SetAtGrow(c.index, "t");
        ExpectEntries(list, c.expected, c.name);
    }
}

TEST(StringList, TextsMayComeFromTheListItself) {
    StringList list = ListOf({"a", "b"});
    list.SetAtGrow(0, *list.GetAt(0));
    list.SetAtGrow(3, *list.GetAt(1));
    list.AddHeadUnique(*list.GetAt(3), 10);
    list.AddTailUnique(*list.GetAt(0));
    ExpectEntries(list, {"b", "a", "", "b"});
}

TEST(StringList, GetAtAnswersNullOutOfRange) {
    StringList list = ListOf({"a", "b"});
    for (int index : {-1, 2, INT_MIN, INT_MAX}) EXPECT_EQ(list.GetAt(index), nullptr) << index;
    EXPECT_EQ(StringList().GetAt(0), nullptr);

    const std::string* first = list.GetAt(0);
    list.AddTail("c");
    list.RemoveTail();
    list.AddHeadUnique("z", 10);
    EXPECT_EQ(first, list.GetAt(1)) << "an entry's text stays where it is while others change";
}

TEST(StringList, SetCountGrowsWithEmptiesOrShrinksFromTail) {
    struct {
        const char* name;
        Texts initial;
        int n;
        Texts expected;
    } const cases[] = {
        {"shrink", {"a", "b", "c", "d", "e"}, 2, {"a", "b"}},
        {"grow", {"a", "b"}, 4, {"a", "b", "", ""}},
        {"same count", {"a", "b"}, 2, {"a", "b"}},
        {"zero empties", {"a", "b"}, 0, {}},
        {"negative empties", {"a", "b"}, -3, {}},
        {"from empty", {}, 1, {""}},
    };
    for (const auto& c : cases) {
        StringList list = ListOf(c.initial);
        list.SetCount(c.n);
        ExpectEntries(list, c.expected, c.name);
    }
}

TEST(StringList, RemovalsIgnoreWhatIsNotThere) {
    struct {
        const char* name;
        void (*remove)(StringList&);
        Texts expected;
    } const cases[] = {
        {"RemoveAt head", [](StringList& l) { l.RemoveAt(0); }, {"b", "c"}},
        {"RemoveAt middle", [](StringList& l) { l.RemoveAt(1); }, {"a", "c"}},
        {"RemoveAt tail", [](StringList& l) { l.RemoveAt(2); }, {"a", "b"}},
        {"RemoveAt count", [](StringList& l) { l.RemoveAt(3); }, {"a", "b", "c"}},
        {"RemoveAt negative", [](StringList& l) { l.RemoveAt(-1); }, {"a", "b", "c"}},
        {"RemoveHead", [](StringList& l) { l.RemoveHead(); }, {"b", "c"}},
        {"RemoveTail", [](StringList& l) { l.RemoveTail(); }, {"a", "b"}},
        {"RemoveAll", [](StringList& l) { l.RemoveAll(); }, {}},
        {"EmptyAll", [](StringList& l) { l.EmptyAll(); }, {"", "", ""}},
    };
    for (const auto& c : cases) {
        StringList list = ListOf({"a", "b", "c"});
        c.remove(list);
        ExpectEntries(list, c.expected, c.name);
    }
    StringList empty;
    empty.RemoveHead();
    empty.RemoveTail();
    empty.RemoveAt(0);
    empty.EmptyAll();
    ExpectEntries(empty, {}, "empty list");
}

TEST(StringList, ConstructsWithEmptyEntries) {
    StringList recent(9);
    ExpectEntries(recent, Texts(9));
    StringList none(-1);
    ExpectEntries(none, {});
}

TEST(StringList, CopiesAreDeepAndMovesLeaveAnUsableEmptyList) {
    StringList original = ListOf({"a", "b"});
    StringList copy(original);
    copy.SetAtGrow(0, "x");
    copy.AddTail("c");
    ExpectEntries(original, {"a", "b"}, "original after copy changed");
    ExpectEntries(copy, {"x", "b", "c"}, "copy");

    StringList assigned = ListOf({"old"});
    assigned = original;
    ExpectEntries(assigned, {"a", "b"}, "copy-assigned");
    const StringList& self = assigned;
    assigned = self;
    ExpectEntries(assigned, {"a", "b"}, "self-assigned");

    StringList moved(std::move(copy));
    ExpectEntries(moved, {"x", "b", "c"}, "moved");
    ExpectEntries(copy, {}, "moved-from");  // NOLINT(bugprone-use-after-move)

    StringList target = ListOf({"old"});
    target = std::move(moved);
    ExpectEntries(target, {"x", "b", "c"}, "move-assigned");
    ExpectEntries(moved, {}, "move-assigned from");  // NOLINT(bugprone-use-after-move)
}

TEST(StringList, IteratesFromHeadToTail) {
    StringList empty;
    EXPECT_EQ(empty.begin(), empty.end());
    const StringList list = ListOf({"a", "b", "c"});
    EXPECT_EQ(std::distance(list.begin(), list.end()), 3);
    auto it = list.begin();
    EXPECT_EQ(*it++, "a");
    EXPECT_EQ(it->size(), 1u);
    EXPECT_EQ(*++it, "c");
}

TEST(StringList, HugeListsAreFreedWithoutDeepRecursion) {
    constexpr int kCount = 500000;
    {
        StringList list(kCount);
        EXPECT_EQ(list.GetCount(), kCount);
        StringList copy(list);
        EXPECT_EQ(copy.GetCount(), kCount);
    }
    StringList list;
    for (int i = 0; i < kCount; ++i) list.AddTail(std::to_string(i));
    EXPECT_EQ(*list.GetAt(kCount - 1), std::to_string(kCount - 1));
    list.SetCount(1);
    EXPECT_EQ(list.GetCount(), 1);
    list.SetCount(kCount);
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
}

}  // namespace
}  // namespace qs

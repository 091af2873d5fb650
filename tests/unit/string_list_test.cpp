#include "core/string_list.h"

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
void ExpectEntries(StringList& list, Texts expected, const char* name = "") {
    SCOPED_TRACE(name);
    list.AddTail("<end>");
    expected.push_back("<end>");
    Texts byIndex;
    for (int i = 0; i < list.GetCount(); ++i) byIndex.push_back(list.GetAt(i) ? *list.GetAt(i) : "<null>");
    EXPECT_EQ(Items(list), expected);
    EXPECT_EQ(byIndex, expected);
    list.RemoveTail();
}

TEST(StringList, Operations) {
    struct {
        const char* name;
        Texts initial;
        void (*change)(StringList&);
        Texts expected;
    } const cases[] = {
        {"head: a repeat moves to the front, nothing dropped", {"a", "d", "b"},
         [](StringList& l) { l.AddHeadUnique("b", 3); }, {"b", "a", "d"}},
        {"head: a new text drops the tail", {"a", "b", "d"}, [](StringList& l) { l.AddHeadUnique("e", 3); },
         {"e", "a", "b"}},
        {"head: one drop per call when far over", {"a", "b", "c", "d"},
         [](StringList& l) { l.AddHeadUnique("x", 2); }, {"x", "a", "b", "c"}},
        {"head: an empty list keeps its entry", {}, [](StringList& l) { l.AddHeadUnique("x", 0); }, {"x"}},
        {"head: repeat of the only entry", {"a"}, [](StringList& l) { l.AddHeadUnique("a", 1); }, {"a"}},
        {"head: only the first repeat goes", {"a", "b", "a"}, [](StringList& l) { l.AddHeadUnique("a", 5); },
         {"a", "b", "a"}},
        {"head: case-sensitive", {"abc"}, [](StringList& l) { l.AddHeadUnique("Abc", 5); }, {"Abc", "abc"}},
        {"tail unique", {"a"}, [](StringList& l) { l.AddTailUnique("a"), l.AddTailUnique("A"); }, {"a", "A"}},
        {"set: gap filled", {}, [](StringList& l) { l.SetAtGrow(2, "t"); }, {"", "", "t"}},
        {"set: replace", {"a", "b"}, [](StringList& l) { l.SetAtGrow(1, "t"); }, {"a", "t"}},
        {"set: at count", {"a"}, [](StringList& l) { l.SetAtGrow(1, "t"); }, {"a", "t"}},
        {"set: negative", {"a"}, [](StringList& l) { l.SetAtGrow(INT_MIN, "t"); }, {"a"}},
        {"count: shrink", {"a", "b", "c"}, [](StringList& l) { l.SetCount(1); }, {"a"}},
        {"count: grow", {"a"}, [](StringList& l) { l.SetCount(3); }, {"a", "", ""}},
        {"count: negative", {"a", "b"}, [](StringList& l) { l.SetCount(-3); }, {}},
        {"remove: middle", {"a", "b", "c"}, [](StringList& l) { l.RemoveAt(1); }, {"a", "c"}},
        {"remove: last", {"a", "b", "c"}, [](StringList& l) { l.RemoveAt(2); }, {"a", "b"}},
        {"remove: out of range", {"a"}, [](StringList& l) { l.RemoveAt(1), l.RemoveAt(-1); }, {"a"}},
        {"remove: head and tail", {"a", "b", "c"}, [](StringList& l) { l.RemoveHead(), l.RemoveTail(); }, {"b"}},
        {"remove: from empty", {}, [](StringList& l) { l.RemoveHead(), l.RemoveTail(), l.RemoveAt(0); }, {}},
        {"remove: all", {"a", "b"}, [](StringList& l) { l.RemoveAll(); }, {}},
        {"empty all", {"a", "b"}, [](StringList& l) { l.EmptyAll(); }, {"", ""}},
        // Texts handed in may point into the list itself.
        {"own texts", {"a", "b"}, [](StringList& l) {
             l.SetAtGrow(0, *l.GetAt(0)), l.SetAtGrow(3, *l.GetAt(1));
             l.AddHeadUnique(*l.GetAt(3), 10), l.AddTailUnique(*l.GetAt(0));
         }, {"b", "a", "", "b"}},
    };
    for (const auto& c : cases) {
        StringList list = ListOf(c.initial);
        c.change(list);
        ExpectEntries(list, c.expected, c.name);
    }
}

TEST(StringList, GetAtIsNullOutOfRangeAndTextsStayPut) {
    StringList list = ListOf({"a", "b"});
    for (int index : {-1, 2, INT_MIN, INT_MAX}) EXPECT_EQ(list.GetAt(index), nullptr) << index;
    const std::string* first = list.GetAt(0);
    list.AddTail("c");
    list.RemoveTail();
    list.AddHeadUnique("z", 10);
    EXPECT_EQ(first, list.GetAt(1)) << "an entry's text stays where it is while others change";
}

TEST(StringList, CopiesAreDeepAndMovesLeaveAnUsableEmptyList) {
    StringList original = ListOf({"a", "b"}), copy(original), assigned = ListOf({"old"}), target = ListOf({"old"});
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
    constexpr int kCount = 500000;
    StringList list(kCount);
    StringList copy(list);
    EXPECT_EQ(copy.GetCount(), kCount);
    list.SetCount(1);
    list.SetCount(kCount);
    EXPECT_EQ(list.GetCount(), kCount);
}

}  // namespace
}  // namespace qs

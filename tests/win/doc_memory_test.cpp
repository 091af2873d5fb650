// The document's lists in memory: which list each kind reaches, the limits,
// the modified flag and the histories. The joined export to the clipboard
// needs the main frame as its owner and is tested with the whole
// application (routing_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/quillstack_doc.h"
#include "tests/win/win_test_support.h"

namespace {

using wintest::Ansi;
using Names = std::vector<std::string>;

Names Entries(const qs::StringList& list) {
    return Names(list.begin(), list.end());
}

std::string ItemOrNull(const CQuillstackDoc& doc, int kind, int index) {
    const std::string* item = doc.GetItem(kind, index);
    return item ? *item : "<null>";
}

class DocMemory : public wintest::DocTest {
protected:
    // Each list holds its own recognisable entries.
    void Fill() {
        for (const char* s : {"s0", "s1", "s2"}) doc.m_Sentences.AddTail(s);
        for (const char* t : {"t0", "t1", "t2"}) doc.m_Titles.AddTail(t);
        for (const char* c : {"c0", "c1"}) doc.m_ClipHistory.AddTail(c);
        doc.m_UrlHistory.AddTail("u0");
    }

    CQuillstackDoc doc;
};

// Any kind but the four reads the URL history; only sentences and the
// histories are counted.
TEST_F(DocMemory, GetItemAndCountReachTheListOfEachKind) {
    Fill();
    const struct {
        int kind, index;
        const char* item;
    } items[] = {{0, 1, "s1"},     {1, 1, "c1"},     {2, 0, "u0"},     {3, 2, "t2"},
                 {4, 0, "u0"},     {-1, 0, "u0"},    {0, 3, "<null>"}, {0, -1, "<null>"},
                 {1, 2, "<null>"}, {3, 3, "<null>"}, {2, 1, "<null>"}};
    for (const auto& c : items) EXPECT_EQ(ItemOrNull(doc, c.kind, c.index), c.item) << c.kind << "," << c.index;
    const int counts[][2] = {{0, 3}, {1, 2}, {2, 1}, {3, 0}, {4, 0}, {-1, 0}};
    for (const auto& [kind, count] : counts) EXPECT_EQ(doc.GetItemCount(kind), count) << kind;
}

TEST_F(DocMemory, SetItemStoresIntoItsKindAndOnlySentencesAndTitlesMarkAChange) {
    Fill();
    doc.SetItem(1, 0, "C0");
    doc.SetItem(2, 0, "U0");
    doc.SetItem(4, 0, "nowhere");
    EXPECT_FALSE(doc.m_bSentencesDirty);
    EXPECT_EQ(Entries(doc.m_ClipHistory), (Names{"C0", "c1"}));
    EXPECT_EQ(Entries(doc.m_UrlHistory), (Names{"U0"}));

    doc.SetItem(3, 2, "T2");
    EXPECT_TRUE(doc.m_bSentencesDirty);
    doc.m_bSentencesDirty = false;
    doc.SetItem(0, 1, "S1");
    EXPECT_TRUE(doc.m_bSentencesDirty);
    // A sentence's text changes alone; its title stays.
    EXPECT_EQ(Entries(doc.m_Sentences), (Names{"s0", "S1", "s2"}));
    EXPECT_EQ(Entries(doc.m_Titles), (Names{"t0", "t1", "T2"}));
}

TEST_F(DocMemory, SetItemStopsAtTheMaximumAndFillsAGapWithEmptyEntries) {
    ASSERT_EQ(doc.m_Settings.SentenceMaxCount, 16);
    for (int kind = 0; kind <= 3; ++kind) doc.SetItem(kind, 16, "x");
    doc.SetItem(0, 1000, "x");
    for (const qs::StringList* list : {&doc.m_Sentences, &doc.m_Titles, &doc.m_ClipHistory, &doc.m_UrlHistory}) {
        EXPECT_EQ(list->GetCount(), 0);
    }
    EXPECT_FALSE(doc.m_bSentencesDirty);

    doc.SetItem(0, 15, "last");
    Names expected(16);
    expected[15] = "last";
    EXPECT_EQ(Entries(doc.m_Sentences), expected);
    EXPECT_TRUE(doc.m_bSentencesDirty);

    doc.m_Settings.SentenceMaxCount = 0;
    doc.SetItem(0, 0, "x");
    EXPECT_EQ(ItemOrNull(doc, 0, 0), "");
}

TEST_F(DocMemory, ClearListEmptiesOneKindAndClearingSentencesTakesTheTitles) {
    Fill();
    doc.ClearList(1);
    doc.ClearList(2);
    doc.ClearList(3);  // not a kind this clears
    EXPECT_EQ(doc.m_ClipHistory.GetCount() + doc.m_UrlHistory.GetCount(), 0);
    EXPECT_EQ(doc.m_Titles.GetCount(), 3);
    EXPECT_EQ(doc.m_Sentences.GetCount(), 3);
    EXPECT_FALSE(doc.m_bSentencesDirty);

    doc.ClearList(0);
    EXPECT_EQ(doc.m_Sentences.GetCount() + doc.m_Titles.GetCount(), 0);
    EXPECT_TRUE(doc.m_bSentencesDirty);
}

TEST_F(DocMemory, ApplyMaxCountCutsEveryLongListFromItsEnd) {
    for (int i = 0; i < 20; ++i) {
        for (qs::StringList* list : {&doc.m_Sentences, &doc.m_Titles, &doc.m_ClipHistory}) {
            list->AddTail(std::to_string(i));
        }
    }
    for (int i = 0; i < 5; ++i) doc.m_UrlHistory.AddTail("u" + std::to_string(i));

    doc.ApplyMaxCount();
    for (int kind : {0, 1, 3}) EXPECT_EQ(ItemOrNull(doc, kind, 15), "15") << kind;
    for (int kind : {0, 1, 3}) EXPECT_EQ(ItemOrNull(doc, kind, 16), "<null>") << kind;
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 5);
    EXPECT_FALSE(doc.m_bSentencesDirty);
}

TEST_F(DocMemory, ClipHistoryIsMostRecentFirstWithinTheLimit) {
    doc.m_Settings.SentenceMaxCount = 3;
    for (const char* text : {"a", "b", "c", "d"}) doc.AddClipHistory(text);
    EXPECT_EQ(Entries(doc.m_ClipHistory), (Names{"d", "c", "b"}));

    // A text seen before moves to the front; nothing drops off the end.
    doc.AddClipHistory("b");
    EXPECT_EQ(Entries(doc.m_ClipHistory), (Names{"b", "d", "c"}));
    doc.AddClipHistory("B");
    EXPECT_EQ(Entries(doc.m_ClipHistory), (Names{"B", "b", "d"}));
}

TEST_F(DocMemory, UrlsFoundLaterEndUpNearerTheFrontWithinTheLimit) {
    doc.m_Settings.SentenceMaxCount = 2;
    doc.AddUrlsFrom("x http://p,q ftp://r");
    EXPECT_EQ(Entries(doc.m_UrlHistory), (Names{"ftp://r", "http://p"}));
    doc.AddUrlsFrom("see http://p and no other address");
    EXPECT_EQ(Entries(doc.m_UrlHistory), (Names{"http://p", "ftp://r"}));

    // The user's own begin and end strings count too.
    doc.m_UrlBegin.AddTail("mailto:");
    doc.m_UrlEnd.AddTail(">");
    doc.AddUrlsFrom("<mailto:m>");
    EXPECT_EQ(Entries(doc.m_UrlHistory), (Names{"mailto:m", "http://p"}));
}

// The document scans with the system's own lead bytes: "Ｉ" is 0x82 0x68,
// and its second byte must not start "http://".
TEST_F(DocMemory, UrlScanNeverStartsInsideADoubleByteCharacter) {
    if (!wintest::JapaneseCodePage()) GTEST_SKIP() << "needs code page 932";
    doc.AddUrlsFrom("\x82\x68ttp://x");
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 0);
    doc.AddUrlsFrom(Ansi("日本 http://例.jp/ です"));
    EXPECT_EQ(Entries(doc.m_UrlHistory), (Names{Ansi("http://例.jp/")}));
}

// "_Title" goes before the extension of the file's own name, never into a
// folder's name. "表" is 0x95 0x5C: its second byte is no folder separator.
TEST(TitlePath, InsertsTitleBeforeTheExtensionOfTheFileName) {
    std::vector<std::pair<std::string, std::string>> cases = {
        {"C:\\d\\Quillstack.txt", "C:\\d\\Quillstack_Title.txt"},
        {"C:\\d\\a.tar.gz", "C:\\d\\a.tar_Title.gz"},
        {"C:\\d\\.txt", "C:\\d\\_Title.txt"},
        {"C:\\v1.2\\notes", "C:\\v1.2\\notes_Title"},
        {"notes", "notes_Title"},
        {"", "_Title"},
    };
    if (wintest::JapaneseCodePage()) {
        cases.push_back({Ansi("C:\\d\\a.表"), Ansi("C:\\d\\a_Title.表")});
        cases.push_back({Ansi("C:\\表\\a.txt"), Ansi("C:\\表\\a_Title.txt")});
    }
    for (const auto& [path, title] : cases) EXPECT_EQ(CQuillstackDoc::TitlePath(path), title) << path;
}

}  // namespace

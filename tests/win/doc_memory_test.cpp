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

std::vector<std::string> Entries(const qs::StringList& list) {
    return std::vector<std::string>(list.begin(), list.end());
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

TEST_F(DocMemory, GetItemReadsTheListOfEachKind) {
    Fill();
    EXPECT_EQ(ItemOrNull(doc, 0, 1), "s1");
    EXPECT_EQ(ItemOrNull(doc, 1, 1), "c1");
    EXPECT_EQ(ItemOrNull(doc, 2, 0), "u0");
    EXPECT_EQ(ItemOrNull(doc, 3, 2), "t2");
    // Any other kind reads the URL history.
    EXPECT_EQ(ItemOrNull(doc, 4, 0), "u0");
    EXPECT_EQ(ItemOrNull(doc, -1, 0), "u0");
}

TEST_F(DocMemory, GetItemOutOfRangeIsNull) {
    Fill();
    EXPECT_EQ(ItemOrNull(doc, 0, 3), "<null>");
    EXPECT_EQ(ItemOrNull(doc, 0, -1), "<null>");
    EXPECT_EQ(ItemOrNull(doc, 1, 2), "<null>");
    EXPECT_EQ(ItemOrNull(doc, 3, 3), "<null>");
    EXPECT_EQ(ItemOrNull(doc, 2, 1), "<null>");
}

TEST_F(DocMemory, GetItemCountCountsSentencesAndHistoriesOnly) {
    Fill();
    EXPECT_EQ(doc.GetItemCount(0), 3);
    EXPECT_EQ(doc.GetItemCount(1), 2);
    EXPECT_EQ(doc.GetItemCount(2), 1);
    EXPECT_EQ(doc.GetItemCount(3), 0);
    EXPECT_EQ(doc.GetItemCount(4), 0);
    EXPECT_EQ(doc.GetItemCount(-1), 0);
}

TEST_F(DocMemory, SetItemStoresIntoTheListOfItsKind) {
    Fill();
    doc.SetItem(0, 1, "S1");
    doc.SetItem(1, 0, "C0");
    doc.SetItem(2, 0, "U0");
    doc.SetItem(3, 2, "T2");
    EXPECT_EQ(Entries(doc.m_Sentences), (std::vector<std::string>{"s0", "S1", "s2"}));
    EXPECT_EQ(Entries(doc.m_ClipHistory), (std::vector<std::string>{"C0", "c1"}));
    EXPECT_EQ(Entries(doc.m_UrlHistory), (std::vector<std::string>{"U0"}));
    // A sentence's text changes alone; its title stays.
    EXPECT_EQ(Entries(doc.m_Titles), (std::vector<std::string>{"t0", "t1", "T2"}));
}

TEST_F(DocMemory, SetItemRefusesIndicesAtOrPastTheMaximumForEveryKind) {
    ASSERT_EQ(doc.m_Settings.SentenceMaxCount, 16);
    for (int kind = 0; kind <= 3; ++kind) doc.SetItem(kind, 16, "x");
    doc.SetItem(0, 1000, "x");
    EXPECT_EQ(doc.m_Sentences.GetCount(), 0);
    EXPECT_EQ(doc.m_Titles.GetCount(), 0);
    EXPECT_EQ(doc.m_ClipHistory.GetCount(), 0);
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 0);
    EXPECT_FALSE(doc.m_bSentencesDirty);

    doc.m_Settings.SentenceMaxCount = 0;
    doc.SetItem(0, 0, "x");
    EXPECT_EQ(doc.m_Sentences.GetCount(), 0);
}

TEST_F(DocMemory, SetItemPastTheEndFillsTheGapWithEmptyEntries) {
    doc.SetItem(0, 15, "last");
    ASSERT_EQ(doc.m_Sentences.GetCount(), 16);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(ItemOrNull(doc, 0, i), "") << i;
    EXPECT_EQ(ItemOrNull(doc, 0, 15), "last");
    EXPECT_TRUE(doc.m_bSentencesDirty);
}

TEST_F(DocMemory, OnlySentencesAndTitlesMarkTheDocumentModified) {
    doc.SetItem(1, 0, "c");
    doc.SetItem(2, 0, "u");
    doc.SetItem(4, 0, "nowhere");
    EXPECT_FALSE(doc.m_bSentencesDirty);
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 1);  // kind 4 stored nothing

    doc.SetItem(3, 0, "title");
    EXPECT_TRUE(doc.m_bSentencesDirty);
    doc.m_bSentencesDirty = false;
    doc.SetItem(0, 0, "sentence");
    EXPECT_TRUE(doc.m_bSentencesDirty);
}

TEST_F(DocMemory, ClearListEmptiesOneKind) {
    Fill();
    doc.ClearList(1);
    EXPECT_EQ(doc.m_ClipHistory.GetCount(), 0);
    EXPECT_FALSE(doc.m_bSentencesDirty);
    doc.ClearList(2);
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 0);
    EXPECT_FALSE(doc.m_bSentencesDirty);
    doc.ClearList(3);  // not a kind this clears
    EXPECT_EQ(doc.m_Titles.GetCount(), 3);
    EXPECT_EQ(doc.m_Sentences.GetCount(), 3);

    doc.ClearList(0);
    EXPECT_EQ(doc.m_Sentences.GetCount(), 0);
    EXPECT_EQ(doc.m_Titles.GetCount(), 0);
    EXPECT_TRUE(doc.m_bSentencesDirty);
}

TEST_F(DocMemory, ApplyMaxCountCutsEveryLongListFromItsEnd) {
    for (int i = 0; i < 20; ++i) {
        doc.m_Sentences.AddTail("s" + std::to_string(i));
        doc.m_Titles.AddTail("t" + std::to_string(i));
        doc.m_ClipHistory.AddTail("c" + std::to_string(i));
    }
    for (int i = 0; i < 5; ++i) doc.m_UrlHistory.AddTail("u" + std::to_string(i));

    doc.ApplyMaxCount();
    EXPECT_EQ(doc.m_Sentences.GetCount(), 16);
    EXPECT_EQ(doc.m_Titles.GetCount(), 16);
    EXPECT_EQ(doc.m_ClipHistory.GetCount(), 16);
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 5);
    EXPECT_EQ(ItemOrNull(doc, 0, 15), "s15");
    EXPECT_EQ(ItemOrNull(doc, 3, 15), "t15");
    EXPECT_EQ(ItemOrNull(doc, 1, 15), "c15");
    EXPECT_FALSE(doc.m_bSentencesDirty);
}

TEST_F(DocMemory, ClipHistoryIsMostRecentFirstWithinTheLimit) {
    doc.m_Settings.SentenceMaxCount = 3;
    for (const char* text : {"a", "b", "c", "d"}) doc.AddClipHistory(text);
    EXPECT_EQ(Entries(doc.m_ClipHistory), (std::vector<std::string>{"d", "c", "b"}));

    // A text seen before moves to the front; nothing drops off the end.
    doc.AddClipHistory("b");
    EXPECT_EQ(Entries(doc.m_ClipHistory), (std::vector<std::string>{"b", "d", "c"}));
    doc.AddClipHistory("B");
    EXPECT_EQ(Entries(doc.m_ClipHistory), (std::vector<std::string>{"B", "b", "d"}));
}

TEST_F(DocMemory, UrlsFoundLaterEndUpNearerTheFront) {
    doc.AddUrlsFrom("x http://p,q ftp://r");
    EXPECT_EQ(Entries(doc.m_UrlHistory), (std::vector<std::string>{"ftp://r", "http://p"}));
    doc.AddUrlsFrom("see http://p");
    EXPECT_EQ(Entries(doc.m_UrlHistory), (std::vector<std::string>{"http://p", "ftp://r"}));
    doc.AddUrlsFrom("no address here");
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 2);
}

TEST_F(DocMemory, UrlsUseTheUsersBeginAndEndStrings) {
    doc.m_UrlBegin.AddTail("mailto:");
    doc.m_UrlEnd.AddTail(">");
    doc.AddUrlsFrom("mailto:p http://q <http://r>");
    EXPECT_EQ(Entries(doc.m_UrlHistory), (std::vector<std::string>{"http://r", "http://q", "mailto:p"}));
}

TEST_F(DocMemory, UrlHistoryKeepsToTheLimit) {
    doc.m_Settings.SentenceMaxCount = 2;
    doc.AddUrlsFrom("http://a http://b http://c");
    EXPECT_EQ(Entries(doc.m_UrlHistory), (std::vector<std::string>{"http://c", "http://b"}));
}

// The document scans with the system's own lead bytes: "Ｉ" is 0x82 0x68,
// and its second byte must not start "http://".
TEST_F(DocMemory, UrlScanNeverStartsInsideADoubleByteCharacter) {
    if (!wintest::JapaneseCodePage()) GTEST_SKIP() << "needs code page 932";
    doc.AddUrlsFrom("\x82\x68ttp://x");
    EXPECT_EQ(doc.m_UrlHistory.GetCount(), 0);
    doc.AddUrlsFrom(Ansi("日本 http://例.jp/ です"));
    EXPECT_EQ(Entries(doc.m_UrlHistory), (std::vector<std::string>{Ansi("http://例.jp/")}));
}

struct TitleCase {
    const char* path;
    const char* title;
};

class TitlePaths : public testing::TestWithParam<TitleCase> {};

TEST_P(TitlePaths, InsertTitleBeforeTheExtension) {
    EXPECT_EQ(CQuillstackDoc::TitlePath(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Doc, TitlePaths,
    testing::Values(TitleCase{"C:\\d\\Quillstack.txt", "C:\\d\\Quillstack_Title.txt"},
                    TitleCase{"Quillstack.txt", "Quillstack_Title.txt"},
                    TitleCase{"C:\\d\\a.tar.gz", "C:\\d\\a.tar_Title.gz"},
                    TitleCase{"C:\\d\\.txt", "C:\\d\\_Title.txt"},
                    // No extension: the titles stay beside the sentences,
                    // never in a folder named after part of the path.
                    TitleCase{"C:\\v1.2\\notes", "C:\\v1.2\\notes_Title"},
                    TitleCase{"notes", "notes_Title"},
                    TitleCase{"", "_Title"}));

// "表" is 0x95 0x5C: its second byte is no folder separator.
TEST(TitlePath, DoubleByteNameWhoseSecondByteIsABackslash) {
    if (!wintest::JapaneseCodePage()) GTEST_SKIP() << "needs code page 932";
    EXPECT_EQ(CQuillstackDoc::TitlePath(Ansi("C:\\d\\a.表")), Ansi("C:\\d\\a_Title.表"));
    EXPECT_EQ(CQuillstackDoc::TitlePath(Ansi("C:\\表\\a.txt")), Ansi("C:\\表\\a_Title.txt"));
}

}  // namespace

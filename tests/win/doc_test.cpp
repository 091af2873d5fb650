// The document: which list each kind reaches, the limits and the modified
// flag, and its sentence and title files on disk. (The lists themselves, the
// URL scan and the files' formats are the core's tests; the settings file,
// the question before saving, failed reads and large files, and the joined
// export to the clipboard are tested end to end.)
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/quillstack_doc.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;
using Names = std::vector<std::string>;
using Texts = std::vector<std::wstring>;

Names Entries(const qs::StringList& list) {
    return Names(list.begin(), list.end());
}

ListKind Kind(int value) {
    return static_cast<ListKind>(value);
}

// Each list holds its own recognisable entries: s sentences, t titles,
// c clipboard history, u URL history.
void Fill(CQuillstackDoc& doc) {
    for (const char* s : {"s0", "s1", "s2"}) doc.m_Sentences.AddTail(s);
    for (const char* t : {"t0", "t1", "t2"}) doc.m_Titles.AddTail(t);
    for (const char* c : {"c0", "c1"}) doc.m_ClipHistory.AddTail(c);
    doc.m_UrlHistory.AddTail("u0");
}

// Every list as one line, "s0 s1 s2|t0 t1 t2|c0 c1|u0", and the mark.
std::string Lists(const CQuillstackDoc& doc) {
    std::string text;
    for (const qs::StringList* list : {&doc.m_Sentences, &doc.m_Titles, &doc.m_ClipHistory, &doc.m_UrlHistory}) {
        if (list != &doc.m_Sentences) text += '|';
        for (int i = 0; i < list->GetCount(); ++i) text += (i ? " " : "") + *list->GetAt(i);
    }
    return text + (doc.m_bSentencesDirty ? " *" : "");
}

using DocMemory = DocTest;

// Any kind but the four reads the URL history; only the sentences and the
// histories are counted.
TEST_F(DocMemory, GetItemAndCountReachTheListOfEachKind) {
    CQuillstackDoc doc;
    Fill(doc);
    const struct {
        int kind, index;
        const char* item;
    } items[] = {{0, 1, "s1"},     {1, 1, "c1"},     {2, 0, "u0"},     {3, 2, "t2"},
                 {4, 0, "u0"},     {-1, 0, "u0"},    {0, 3, "<null>"}, {0, -1, "<null>"},
                 {1, 2, "<null>"}, {3, 3, "<null>"}, {2, 1, "<null>"}};
    for (const auto& c : items) {
        const std::string* item = doc.GetItem(Kind(c.kind), c.index);
        EXPECT_EQ(item ? *item : "<null>", c.item) << c.kind << "," << c.index;
    }
    const int counts[][2] = {{0, 3}, {1, 2}, {2, 1}, {3, 0}, {4, 0}, {-1, 0}};
    for (const auto& [kind, count] : counts) EXPECT_EQ(doc.GetItemCount(Kind(kind)), count) << kind;
}

// What each change does to the four lists and the modified mark (" *"):
// only the sentences and their titles mark a change; SetItem stops at the
// maximum and fills a gap; clearing the sentences takes the titles;
// ApplyMaxCount cuts the histories, never the sentences.
TEST_F(DocMemory, ChangesReachTheirListAndOnlySentencesAndTitlesMarkThem) {
    const struct {
        const char* name;
        void (*change)(CQuillstackDoc&);
        const char* lists;
    } cases[] = {
        {"set a history entry", [](CQuillstackDoc& d) { d.SetItem(kListClipHistory, 0, "C0"), d.SetItem(kListUrlHistory, 0, "U0"); },
         "s0 s1 s2|t0 t1 t2|C0 c1|U0"},
        {"set no list", [](CQuillstackDoc& d) { d.SetItem(Kind(4), 0, "x"); }, "s0 s1 s2|t0 t1 t2|c0 c1|u0"},
        {"set a sentence: its title stays", [](CQuillstackDoc& d) { d.SetItem(kListSentences, 1, "S1"); },
         "s0 S1 s2|t0 t1 t2|c0 c1|u0 *"},
        {"set a title", [](CQuillstackDoc& d) { d.SetItem(kListTitles, 2, "T2"); }, "s0 s1 s2|t0 t1 T2|c0 c1|u0 *"},
        {"set past a gap", [](CQuillstackDoc& d) { d.SetItem(kListSentences, 5, "s5"); },
         "s0 s1 s2   s5|t0 t1 t2|c0 c1|u0 *"},
        {"set at the maximum", [](CQuillstackDoc& d) {
             for (int kind = 0; kind <= 3; ++kind) d.SetItem(Kind(kind), 16, "x");
             d.SetItem(kListSentences, 1000, "x");
         }, "s0 s1 s2|t0 t1 t2|c0 c1|u0"},
        {"set with a maximum of 0", [](CQuillstackDoc& d) { d.m_Settings.SentenceMaxCount = 0, d.SetItem(kListSentences, 0, "x"); },
         "s0 s1 s2|t0 t1 t2|c0 c1|u0"},
        {"clear the histories", [](CQuillstackDoc& d) {
             d.ClearList(kListClipHistory), d.ClearList(kListUrlHistory), d.ClearList(kListTitles);
         }, "s0 s1 s2|t0 t1 t2||"},
        {"clear the sentences", [](CQuillstackDoc& d) { d.ClearList(kListSentences); }, "||c0 c1|u0 *"},
        {"apply a maximum of 2: it rises to the sentences", [](CQuillstackDoc& d) {
             d.m_Settings.SentenceMaxCount = 2, d.ApplyMaxCount();
             d.AddClipHistory("c2"), d.AddClipHistory("c3");
         }, "s0 s1 s2|t0 t1 t2|c3 c2 c0|u0"},
        {"apply a maximum of 1 without sentences", [](CQuillstackDoc& d) {
             d.ClearList(kListSentences), d.m_Settings.SentenceMaxCount = 1, d.ApplyMaxCount();
         }, "||c0|u0 *"},
    };
    for (const auto& c : cases) {
        CQuillstackDoc doc;
        doc.m_Settings = {};  // not what the case before wrote at its end
        Fill(doc);
        c.change(doc);
        EXPECT_EQ(Lists(doc), c.lists) << c.name;
    }
}

// The document scans with the system's lead bytes: "Ｉ" is 0x82 0x68, and
// its second byte must not start "http://".
TEST_F(DocMemory, UrlsAreFoundWithTheSystemsLeadBytes) {
    CQuillstackDoc doc;
    doc.AddUrlsFrom("\x82\x68ttp://x " + Ansi("日本 http://例.jp/ です"));
    EXPECT_EQ(Entries(doc.m_UrlHistory), Names{Ansi("http://例.jp/")});
}

// "_Title" goes before the extension of the file's own name, never into a
// folder's name. "表" is 0x95 0x5C: its second byte is no folder separator.
TEST(TitlePath, InsertsTitleBeforeTheExtensionOfTheFileName) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\d\\Quillstack.txt", "C:\\d\\Quillstack_Title.txt"},
        {"C:\\d\\a.tar.gz", "C:\\d\\a.tar_Title.gz"},
        {"C:\\d\\.txt", "C:\\d\\_Title.txt"},
        {"C:\\v1.2\\notes", "C:\\v1.2\\notes_Title"},
        {"notes", "notes_Title"},
        {"", "_Title"},
        {Ansi("C:\\d\\a.表"), Ansi("C:\\d\\a_Title.表")},
        {Ansi("C:\\表\\a.txt"), Ansi("C:\\表\\a_Title.txt")},
    };
    for (const auto& [path, title] : cases) EXPECT_EQ(CQuillstackDoc::TitlePath(path), title) << path;
}

class DocFiles : public DocTest {
protected:
    void SetUp() override {
        doc = std::make_unique<CQuillstackDoc>();
        WriteBytes(File("a.txt"), ListFileBytes({"one", "two"}));
        WriteBytes(File("a_Title.txt"), ListFileBytes({"T1", "T2"}));
        ASSERT_TRUE(doc->OpenSentenceFile(File("a.txt")));
        ASSERT_TRUE(boxes.texts.empty());
    }

    std::unique_ptr<CQuillstackDoc> doc;
};

TEST_F(DocFiles, TitlesArePaddedOrCutToTheSentences) {
    const Names five{"1", "2", "3", "4", "5"};
    WriteBytes(File("five.txt"), ListFileBytes(five));

    WriteBytes(File("five_Title.txt"), ListFileBytes({"a", "b", "c"}));
    ASSERT_TRUE(doc->OpenSentenceFile(File("five.txt")));
    EXPECT_EQ(Entries(doc->m_Titles), (Names{"a", "b", "c", "", ""}));

    WriteBytes(File("five_Title.txt"), ListFileBytes({"a", "b", "c", "d", "e", "f", "g"}));
    ASSERT_TRUE(doc->OpenSentenceFile(File("five.txt")));
    EXPECT_EQ(Entries(doc->m_Titles), (Names{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(Entries(doc->m_Sentences), five);
}

// The sentences go with their titles, and only once: nothing changed since
// means no second write. (Asking first is tested end to end.)
TEST_F(DocFiles, SavingChangesWritesSentencesAndTitlesOnce) {
    doc->SetItem(kListSentences, 2, Ansi("三"));
    doc->SetItem(kListTitles, 2, "T3");

    doc->SaveIfModified();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(ReadBytes(File("a.txt")), ListFileBytes({"one", "two", Ansi("三")}));
    EXPECT_EQ(ReadBytes(File("a_Title.txt")), ListFileBytes({"T1", "T2", "T3"}));
    EXPECT_FALSE(doc->m_bSentencesDirty);

    WriteBytes(File("a.txt"), "edited by hand");
    doc->SaveIfModified();
    EXPECT_EQ(ReadBytes(File("a.txt")), "edited by hand");
}

// A history or an export that cannot be written says so. (The file saved
// under another name becoming the open one, still changed, and the bytes of
// histories and exports are tested end to end.)
TEST_F(DocFiles, SavingToAPathWritesThereAndOnlyTheSentencesTakeTitles) {
    doc->SetItem(kListSentences, 0, "ONE");
    const std::string other = File("other.list");
    doc->SaveList(kListSentences, other);
    EXPECT_EQ(ReadBytes(other), ListFileBytes({"ONE", "two"}));
    EXPECT_EQ(ReadBytes(File("other_Title.list")), ListFileBytes({"T1", "T2"}));

    doc->AddClipHistory("c1");
    doc->AddClipHistory("c2");
    const std::string clips = File("clips.txt");
    doc->SaveList(kListClipHistory, clips);
    EXPECT_FALSE(FileExists(File("clips_Title.txt")));
    EXPECT_TRUE(boxes.texts.empty());

    const std::string nowhere = File("missing\\h.txt");
    EXPECT_FALSE(doc->SaveList(kListClipHistory, nowhere));
    doc->ExportList(ExportTarget::File, kListSentences, nowhere);
    EXPECT_EQ(boxes.texts, (Texts{OpenFailedText(nowhere), OpenFailedText(nowhere)}));
}

}  // namespace

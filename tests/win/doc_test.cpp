// The document: which list each kind reaches, the limits and the modified
// flag, and its sentence and title files on disk. (The lists themselves and
// the files' formats are the core's tests; asking before saving, failed
// reads and the joined export to the clipboard are tested end to end.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/quillstack_doc.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;
using Names = std::vector<std::string>;

ListKind Kind(int value) { return static_cast<ListKind>(value); }

// Each list holds its own recognisable entries: s sentences, t titles,
// c clipboard history, u URL history.
void Fill(CQuillstackDoc& doc) {
    for (const char* s : {"s0", "s1", "s2"}) doc.m_Sentences.AddTail(s);
    for (const char* t : {"t0", "t1", "t2"}) doc.m_Titles.AddTail(t);
    for (const char* c : {"c0", "c1"}) doc.m_ClipHistory.AddTail(c);
    doc.m_UrlHistory.AddTail("u0");
}

// Every list as one line, "s0 s1 s2|t0 t1 t2|c0 c1|u0", and " *" once changed.
std::string Lists(const CQuillstackDoc& doc) {
    std::string text;
    for (const qs::StringList* list : {&doc.m_Sentences, &doc.m_Titles, &doc.m_ClipHistory, &doc.m_UrlHistory}) {
        if (list != &doc.m_Sentences) text += '|';
        for (int i = 0; i < list->GetCount(); ++i) text += (i ? " " : "") + *list->GetAt(i);
    }
    return text + (doc.m_bSentencesDirty ? " *" : "");
}

// Only the sentences and their titles mark a change; SetItem stops at the
// maximum and fills a gap; clearing the sentences takes the titles;
// ApplyMaxCount cuts the histories, never the sentences.
TEST_F(DocTest, ChangesReachTheirListAndOnlySentencesAndTitlesMarkThem) {
    using Change = void (*)(CQuillstackDoc&);
    const std::pair<Change, const char*> cases[] = {
        {[](CQuillstackDoc& d) { d.SetItem(kListClipHistory, 0, "C0"), d.SetItem(kListUrlHistory, 0, "U0"); },
         "s0 s1 s2|t0 t1 t2|C0 c1|U0"},
        {[](CQuillstackDoc& d) { d.SetItem(kListSentences, 1, "S1"); }, "s0 S1 s2|t0 t1 t2|c0 c1|u0 *"},
        {[](CQuillstackDoc& d) { d.SetItem(kListTitles, 2, "T2"); }, "s0 s1 s2|t0 t1 T2|c0 c1|u0 *"},
        {[](CQuillstackDoc& d) { d.SetItem(kListSentences, 5, "s5"); }, "s0 s1 s2   s5|t0 t1 t2|c0 c1|u0 *"},
        {[](CQuillstackDoc& d) {
             for (int kind = 0; kind <= 3; ++kind) d.SetItem(Kind(kind), 16, "x");
             d.SetItem(kListSentences, -1, "x");
         }, "s0 s1 s2|t0 t1 t2|c0 c1|u0"},
        {[](CQuillstackDoc& d) { d.ClearList(kListSentences); }, "||c0 c1|u0 *"},
        {[](CQuillstackDoc& d) {
             d.m_Settings.SentenceMaxCount = 2, d.ApplyMaxCount();
             d.AddClipHistory("c2"), d.AddClipHistory("c3");
         }, "s0 s1 s2|t0 t1 t2|c3 c2 c0|u0"},
        {[](CQuillstackDoc& d) { d.ClearList(kListSentences), d.m_Settings.SentenceMaxCount = 1, d.ApplyMaxCount(); },
         "||c0|u0 *"},
    };
    for (const auto& [change, lists] : cases) {
        CQuillstackDoc doc;
        doc.m_Settings = {};  // not what the case before wrote at its end
        Fill(doc);
        change(doc);
        EXPECT_EQ(Lists(doc), lists);
    }
}

// "_Title" goes before the extension of the file's own name, never into a
// folder's name. "表" is 0x95 0x5C: its second byte is no folder separator;
// "Ｉ" is 0x82 0x68, and its second byte must not start "http://".
TEST_F(DocTest, TitlePathsAndUrlsGoByTheSystemsLeadBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\d\\a.tar.gz", "C:\\d\\a.tar_Title.gz"}, {"C:\\d\\.txt", "C:\\d\\_Title.txt"},
        {"C:\\v1.2\\notes", "C:\\v1.2\\notes_Title"}, {"", "_Title"},
        {Ansi("C:\\d\\a.表"), Ansi("C:\\d\\a_Title.表")}, {Ansi("C:\\表\\a.txt"), Ansi("C:\\表\\a_Title.txt")},
    };
    for (const auto& [path, title] : cases) EXPECT_EQ(CQuillstackDoc::TitlePath(path), title) << path;
    CQuillstackDoc doc;
    doc.AddUrlsFrom("\x82\x68ttp://x " + Ansi("日本 http://例.jp/ です"));
    EXPECT_EQ(Names(doc.m_UrlHistory.begin(), doc.m_UrlHistory.end()), Names{Ansi("http://例.jp/")});
}

// Titles are padded or cut to the sentences. A save writes the sentences
// with their titles, and only once; only the sentences take titles; a
// history or an export that cannot be written says so.
TEST_F(DocTest, FilesKeepTitlesWithTheSentencesAndFailuresAreNamed) {
    CQuillstackDoc doc;
    WriteBytes(File("a.txt"), ListFileBytes({"1", "2", "3"}));
    const std::pair<Names, Names> titles[] = {{{"a"}, {"a", "", ""}}, {{"a", "b", "c", "d"}, {"a", "b", "c"}}};
    for (const auto& [file, loaded] : titles) {
        WriteBytes(File("a_Title.txt"), ListFileBytes(file));
        ASSERT_TRUE(doc.OpenSentenceFile(File("a.txt")));
        EXPECT_EQ(Names(doc.m_Titles.begin(), doc.m_Titles.end()), loaded);
    }
    doc.SetItem(kListTitles, 1, "B");
    doc.SaveIfModified();
    EXPECT_EQ(ReadBytes(File("a_Title.txt")), ListFileBytes({"a", "B", "c"}));
    EXPECT_FALSE(doc.m_bSentencesDirty);
    WriteBytes(File("a.txt"), "edited by hand");
    doc.SaveIfModified();
    EXPECT_EQ(ReadBytes(File("a.txt")), "edited by hand");

    doc.SaveList(kListSentences, File("b.txt"));
    doc.SaveList(kListClipHistory, File("clips.txt"));
    EXPECT_EQ(FileNames(dir.Path()),
              (Names{"Quillstack.ini", "a.txt", "a_Title.txt", "b.txt", "b_Title.txt", "clips.txt"}));
    EXPECT_EQ(ReadBytes(File("b_Title.txt")), ListFileBytes({"a", "B", "c"}));
    EXPECT_TRUE(boxes.texts.empty());
    const std::string nowhere = File("missing\\h.txt");
    EXPECT_FALSE(doc.SaveList(kListClipHistory, nowhere));
    doc.ExportList(ExportTarget::File, kListSentences, nowhere);
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{OpenFailedText(nowhere), OpenFailedText(nowhere)}));
}

}  // namespace

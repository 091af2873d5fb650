// The program's data: its lists, limits and modified flag, its sentence
// and title files, and the Win32 pieces they pass through where an
// end-to-end test cannot reach.
#include "data/quillstack_doc.h"
#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/text.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;
using Names = std::vector<std::string>;

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
        {[](CQuillstackDoc& d) { d.SetItem(kListTitles, 2, "T2"); }, "s0 s1 s2|t0 t1 T2|c0 c1|u0 *"},
        {[](CQuillstackDoc& d) { d.SetItem(kListSentences, 5, "s5"); }, "s0 s1 s2   s5|t0 t1 t2|c0 c1|u0 *"},
        {[](CQuillstackDoc& d) {
             for (int kind = 0; kind <= 3; ++kind) d.SetItem(static_cast<ListKind>(kind), 16, "x");
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
    const std::string nowhere = File("missing\\h.txt");
    EXPECT_FALSE(doc.SaveList(kListClipHistory, nowhere));
    doc.ExportList(ExportTarget::File, kListSentences, nowhere);
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{OpenFailedText(nowhere), OpenFailedText(nowhere)}));
}

// Windows hands a block over as it was given; Wine writes a NUL over its
// last byte. Either way nothing past the block's end may be read, and a NUL
// inside ends the text.
TEST(Clipboard, TextIsReadUpToItsNulOrTheBlocksEnd) {
    OwnedWindow owner = MessageWindow(), other = MessageWindow();
    // The bytes, then what Wine and what Windows give.
    const std::string cases[][3] = {{"abcde", "abcd", "abcde"}, {std::string("ab\0cd\0", 6), "ab", "ab"}};
    for (const auto& [bytes, wine, windows] : cases) {
        ASSERT_TRUE(PutClipboardBytes(other.get(), bytes.data(), bytes.size()));
        fw::Clipboard clipboard(owner.get());
        ASSERT_TRUE(clipboard.IsOpen());
        const std::string text = clipboard.GetText();
        EXPECT_TRUE(text == wine || text == windows) << text;
    }
}

// A read tells what stopped it. A longer old file is replaced whole; a
// write that fails (target held by another program, even one that lets
// others delete it, the disk full, a missing folder) leaves the old file
// and no temporary file. A file is known by another case or a path
// through "..", while another program holds it; never two files, nor a
// missing one.
TEST(File, WritesAreSafeReadsWholeAndTheSameFileIsKnownHoweverSpelled) {
    TempFolder dir;
    const std::string target = dir.AnsiFile("target.txt"), bytes("a\0b\r\n\x81\x40", 7);
    EXPECT_TRUE(fw::WriteFileSafely(target, std::string(100, 'x')));
    EXPECT_TRUE(fw::WriteFileSafely(target, bytes));
    std::string read;
    EXPECT_EQ(fw::ReadWholeFile(target, read), fw::ReadResult::Ok);
    EXPECT_EQ(read, bytes);
    for (DWORD sharing : {0ul, static_cast<DWORD>(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)}) {
        HeldFile lock(target, sharing);
        EXPECT_FALSE(fw::WriteFileSafely(target, "held")) << "sharing " << sharing;
        if (sharing == 0) { EXPECT_EQ(fw::ReadWholeFile(target, read, 2), fw::ReadResult::Locked); }
    }
    EXPECT_EQ(fw::ReadWholeFile(dir.AnsiFile("missing\\x.txt"), read, 2), fw::ReadResult::NotOpened);
    {
        FailingWrites failing;
        EXPECT_FALSE(fw::WriteFileSafely(target, "failing"));
        EXPECT_FALSE(fw::WriteFileSafely(dir.AnsiFile("fresh.txt"), "failing"));
    }
    EXPECT_FALSE(fw::WriteFileSafely(dir.AnsiFile("missing\\target.txt"), "nowhere"));
    EXPECT_EQ(ReadBytes(target), bytes);
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"target.txt"});
    EXPECT_TRUE(fw::WriteFileSafely(target, ""));  // the seam is off again
    EXPECT_EQ(ReadBytes(target), "");

    WriteBytes(dir.AnsiFile("other.txt"), "t");
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"sub").c_str(), nullptr));
    HeldFile held(target);
    EXPECT_TRUE(fw::IsSameFile(target, dir.AnsiPath() + "\\sub\\..\\TARGET.TXT"));
    EXPECT_FALSE(fw::IsSameFile(target, dir.AnsiFile("other.txt")) || fw::IsSameFile("", target));
    EXPECT_FALSE(fw::IsSameFile(dir.AnsiFile("missing.txt"), dir.AnsiFile("missing.txt")));
}

TEST(Text, AnArgumentIsNeverReadAsAFormatAndTheFileArgumentIsNoSwitch) {
    EXPECT_EQ(fw::FormatOne(L"--%s--", L"C:\\%s%n%d\\x.txt"), L"--C:\\%s%n%d\\x.txt--");
    EXPECT_EQ(fw::FormatOne(L"a %s b %s", L"%s"), L"a %s b %s");
    EXPECT_EQ(fw::FileArgument(L"q.exe /x a.txt b.txt"), L"a.txt");
}

}  // namespace

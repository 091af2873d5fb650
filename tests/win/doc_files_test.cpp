// The document's files on disk: sentence and title files, saving with and
// without the question, failed reads and writes, and the settings file that
// the document reads when it is made and writes when it goes. (The texts'
// formats are proven by the native tests, the whole program's files end to
// end.)
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data/quillstack_doc.h"
#include "data/settings_text.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;
using Names = std::vector<std::string>;
using Texts = std::vector<std::wstring>;

Names Entries(const qs::StringList& list) {
    return Names(list.begin(), list.end());
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

TEST_F(DocFiles, AFileHeldByAnotherProgramOrInAMissingFolderIsNotLoaded) {
    const std::string held = File("held.txt");
    WriteBytes(held, ListFileBytes({"never", "read"}));
    HeldFile lock(held);
    for (const std::string& path : {held, File("no such folder\\b.txt")}) {
        boxes.texts.clear();
        EXPECT_FALSE(doc->OpenSentenceFile(path));
        EXPECT_EQ(boxes.texts, Texts{OpenFailedText(path)});
        EXPECT_EQ(boxes.types.back() & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        // The open file still shows, untouched.
        EXPECT_EQ(doc->m_strSentenceFile, File("a.txt"));
        EXPECT_EQ(Entries(doc->m_Sentences), (Names{"one", "two"}));
        EXPECT_EQ(Entries(doc->m_Titles), (Names{"T1", "T2"}));
    }
    EXPECT_FALSE(FileExists(File("no such folder")));
}

TEST_F(DocFiles, LoadingMoreSentencesThanTheMaximumRaisesIt) {
    Names forty;
    for (int i = 0; i < 40; ++i) forty.push_back("s" + std::to_string(i));
    WriteBytes(File("forty.txt"), ListFileBytes(forty));
    ASSERT_EQ(doc->m_Settings.SentenceMaxCount, 16);

    EXPECT_TRUE(doc->OpenSentenceFile(File("forty.txt")));
    EXPECT_EQ(Entries(doc->m_Sentences), forty);
    EXPECT_EQ(doc->m_Titles.GetCount(), 40);
    EXPECT_EQ(doc->m_Settings.SentenceMaxCount, 40);
    EXPECT_FALSE(doc->m_bSentencesDirty);
}

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

TEST_F(DocFiles, OpeningAnotherFileSavesChangesFirst) {
    doc->SetItem(0, 1, "changed");
    WriteBytes(File("b.txt"), ListFileBytes({"b"}));
    EXPECT_TRUE(doc->OpenSentenceFile(File("b.txt")));
    EXPECT_EQ(ReadBytes(File("a.txt")), ListFileBytes({"one", "changed"}));
    EXPECT_FALSE(doc->m_bSentencesDirty);
}

struct SaveCase {
    const char* name;
    bool withDialog;
    int answer;
    bool written;
};
void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class SavingChanges : public DocFiles, public testing::WithParamInterface<SaveCase> {};

// Answered No, nothing is written but the change is forgotten all the same.
TEST_P(SavingChanges, AskOnlyWithTheDialogAndWriteUnlessAnsweredNo) {
    const SaveCase& c = GetParam();
    doc->m_Settings.SaveWithDialog = c.withDialog;
    doc->SetItem(0, 2, Ansi("三"));
    doc->SetItem(3, 2, "T3");
    boxes.answer = c.answer;
    const Names before = FileNames(dir.Path());

    doc->SaveIfModified();
    Texts question;
    if (c.withDialog) question.push_back(L"変更を保存します\n[FILE] : " + WideFromAnsi(File("a.txt")));
    EXPECT_EQ(boxes.texts, question);
    for (UINT type : boxes.types) EXPECT_EQ(type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(ReadBytes(File("a.txt")), ListFileBytes(c.written ? Names{"one", "two", Ansi("三")} : Names{"one", "two"}));
    EXPECT_EQ(ReadBytes(File("a_Title.txt")), ListFileBytes(c.written ? Names{"T1", "T2", "T3"} : Names{"T1", "T2"}));
    EXPECT_EQ(FileNames(dir.Path()), before);
    EXPECT_FALSE(doc->m_bSentencesDirty);

    // Nothing changed since: no second question, no write.
    WriteBytes(File("a.txt"), "edited by hand");
    doc->SaveIfModified();
    EXPECT_EQ(boxes.texts.size(), question.size());
    EXPECT_EQ(ReadBytes(File("a.txt")), "edited by hand");
}

INSTANTIATE_TEST_SUITE_P(Doc, SavingChanges,
                         testing::Values(SaveCase{"Yes", true, IDYES, true}, SaveCase{"No", true, IDNO, false},
                                         SaveCase{"WithoutTheQuestion", false, IDOK, true}),
                         testing::PrintToStringParamName());

TEST_F(DocFiles, AFailedWriteKeepsTheOldFileAndSaysSo) {
    const std::string oldBytes = ReadBytes(File("a.txt"));
    const Names before = FileNames(dir.Path());
    doc->SetItem(0, 0, "lost");
    {
        FailingWrites failing;
        doc->SaveIfModified();
    }
    EXPECT_EQ(ReadBytes(File("a.txt")), oldBytes);
    EXPECT_EQ(ReadBytes(File("a_Title.txt")), ListFileBytes({"T1", "T2"}));
    EXPECT_EQ(boxes.texts, Texts{OpenFailedText(File("a.txt"))});
    EXPECT_EQ(FileNames(dir.Path()), before);  // no temporary file left behind
}

// A history that cannot be written fails silently, an export says so.
TEST_F(DocFiles, SavingToAPathWritesThereAndOnlyTheSentencesTakeTitles) {
    doc->SetItem(0, 0, "ONE");
    const std::string other = File("other.list");
    doc->SaveList(0, &other);
    EXPECT_EQ(ReadBytes(other), ListFileBytes({"ONE", "two"}));
    EXPECT_EQ(ReadBytes(File("other_Title.list")), ListFileBytes({"T1", "T2"}));
    EXPECT_EQ(doc->m_strSentenceFile, other);
    EXPECT_TRUE(doc->m_bSentencesDirty) << "writing alone never clears the mark";

    doc->AddClipHistory("c1");
    doc->AddClipHistory("c2");
    const std::string clips = File("clips.txt");
    doc->SaveList(1, &clips);
    EXPECT_EQ(ReadBytes(clips), ListFileBytes({"c2", "c1"}));
    EXPECT_FALSE(FileExists(File("clips_Title.txt")));
    doc->ExportList(false, 0, File("joined.txt"));
    EXPECT_EQ(ReadBytes(File("joined.txt")), "ONE\r\ntwo\r\n");
    EXPECT_TRUE(boxes.texts.empty());

    const std::string nowhere = File("missing\\h.txt");
    doc->SaveList(1, &nowhere);
    EXPECT_TRUE(boxes.texts.empty());
    doc->ExportList(false, 0, nowhere);
    EXPECT_EQ(boxes.texts, Texts{OpenFailedText(nowhere)});
}

// ---- The settings file ------------------------------------------------------

using DocSettings = DocTest;

TEST_F(DocSettings, NoFileGivesDefaultsAndTheDefaultsAreWrittenAtTheEnd) {
    {
        CQuillstackDoc doc;
        EXPECT_TRUE(FileExists(File("Quillstack.ini"))) << "reading creates it empty";
        EXPECT_EQ(ReadBytes(File("Quillstack.ini")), "");
        EXPECT_EQ(doc.m_Settings.SentenceMaxCount, 16);
    }
    EXPECT_EQ(ReadBytes(File("Quillstack.ini")),
              qs::WriteSettingsText(qs::Settings{}, qs::StringList(), qs::StringList(), qs::StringList(9)));
}

// Held through the start, the file is not read; let go before the end, it
// could be written then, and must not be: the user's settings stay.
TEST_F(DocSettings, AFileHeldDuringTheStartIsNeitherReadNorOverwritten) {
    const std::string mine = "[Options]\r\nSentenceMaxCount=40\r\nView=2\r\n";
    WriteBytes(File("Quillstack.ini"), mine);
    auto lock = std::make_unique<HeldFile>(File("Quillstack.ini"));
    {
        CQuillstackDoc doc;
        EXPECT_EQ(doc.m_Settings.SentenceMaxCount, 16);
        EXPECT_EQ(doc.m_Settings.View, 0);
        lock.reset();
        doc.m_Settings.View = 1;
    }
    EXPECT_EQ(ReadBytes(File("Quillstack.ini")), mine);
}

}  // namespace

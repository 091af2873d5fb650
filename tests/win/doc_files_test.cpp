// The document's files on disk: sentence and title files and saving. (The
// texts' formats are the native tests' concern; the settings file, the
// question before saving, failed reads and writes and large files are
// tested end to end.)
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
    const Names before = FileNames(dir.Path());

    doc->SaveIfModified();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(ReadBytes(File("a.txt")), ListFileBytes({"one", "two", Ansi("三")}));
    EXPECT_EQ(ReadBytes(File("a_Title.txt")), ListFileBytes({"T1", "T2", "T3"}));
    EXPECT_EQ(FileNames(dir.Path()), before);
    EXPECT_FALSE(doc->m_bSentencesDirty);

    WriteBytes(File("a.txt"), "edited by hand");
    doc->SaveIfModified();
    EXPECT_EQ(ReadBytes(File("a.txt")), "edited by hand");
}

// A history or an export that cannot be written says so.
TEST_F(DocFiles, SavingToAPathWritesThereAndOnlyTheSentencesTakeTitles) {
    doc->SetItem(kListSentences, 0, "ONE");
    const std::string other = File("other.list");
    doc->SaveList(kListSentences, other);
    EXPECT_EQ(ReadBytes(other), ListFileBytes({"ONE", "two"}));
    EXPECT_EQ(ReadBytes(File("other_Title.list")), ListFileBytes({"T1", "T2"}));
    EXPECT_EQ(doc->m_strSentenceFile, other);
    EXPECT_TRUE(doc->m_bSentencesDirty) << "writing alone never clears the mark";

    doc->AddClipHistory("c1");
    doc->AddClipHistory("c2");
    const std::string clips = File("clips.txt");
    doc->SaveList(kListClipHistory, clips);
    EXPECT_EQ(ReadBytes(clips), ListFileBytes({"c2", "c1"}));
    EXPECT_FALSE(FileExists(File("clips_Title.txt")));
    doc->ExportList(ExportTarget::File, kListSentences, File("joined.txt"));
    EXPECT_EQ(ReadBytes(File("joined.txt")), "ONE\r\ntwo\r\n");
    EXPECT_TRUE(boxes.texts.empty());

    const std::string nowhere = File("missing\\h.txt");
    EXPECT_FALSE(doc->SaveList(kListClipHistory, nowhere));
    doc->ExportList(ExportTarget::File, kListSentences, nowhere);
    EXPECT_EQ(boxes.texts, (Texts{OpenFailedText(nowhere), OpenFailedText(nowhere)}));
}

}  // namespace

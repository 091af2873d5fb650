// The document's files on disk: sentence and title files, saving with and
// without the question, failed reads and writes, and the settings file that
// the document reads when it is made and writes when it goes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/quillstack_doc.h"
#include "data/settings_text.h"
#include "tests/win/win_test_support.h"

namespace {

using wintest::Ansi;
using wintest::FileNames;
using wintest::ListFile;
using wintest::OpenFailedText;
using wintest::ReadBytes;
using wintest::WriteBytes;
using Names = std::vector<std::string>;

std::vector<std::string> Entries(const qs::StringList& list) {
    return std::vector<std::string>(list.begin(), list.end());
}

std::wstring SaveQuestion(const std::string& path) {
    return L"変更を保存します\n[FILE] : " + wintest::WideFromAnsi(path);
}

class DocFiles : public wintest::DocTest {
protected:
    void SetUp() override {
        doc = std::make_unique<CQuillstackDoc>();
        WriteBytes(dir.File("a.txt"), ListFile({"one", "two"}));
        WriteBytes(dir.File("a_Title.txt"), ListFile({"T1", "T2"}));
        ASSERT_TRUE(doc->OpenSentenceFile(dir.File("a.txt")));
        ASSERT_TRUE(boxes.texts.empty());
    }

    // The file that is open still shows, untouched by a failed load.
    void ExpectFileAStillOpen() {
        EXPECT_EQ(doc->m_strSentenceFile, dir.File("a.txt"));
        EXPECT_EQ(Entries(doc->m_Sentences), (Names{"one", "two"}));
        EXPECT_EQ(Entries(doc->m_Titles), (Names{"T1", "T2"}));
    }

    std::unique_ptr<CQuillstackDoc> doc;
};

TEST_F(DocFiles, OpeningReadsSentencesAndTitles) {
    ExpectFileAStillOpen();
    EXPECT_FALSE(doc->m_bSentencesDirty);
    EXPECT_EQ(doc->GetTitle(), L"Quill");
}

TEST_F(DocFiles, AFileHeldByAnotherProgramIsNotLoaded) {
    const std::string held = dir.File("held.txt");
    WriteBytes(held, ListFile({"never", "read"}));
    wintest::HeldOpen lock(held);
    ASSERT_TRUE(lock.IsHeld());

    EXPECT_FALSE(doc->OpenSentenceFile(held));
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{OpenFailedText(held)}));
    EXPECT_EQ(boxes.types.at(0) & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    ExpectFileAStillOpen();
}

TEST_F(DocFiles, AFileInAMissingFolderIsNotLoaded) {
    const std::string missing = dir.File("no such folder\\b.txt");
    EXPECT_FALSE(doc->OpenSentenceFile(missing));
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{OpenFailedText(missing)}));
    ExpectFileAStillOpen();
    EXPECT_FALSE(wintest::FileExists(dir.File("no such folder")));
}

TEST_F(DocFiles, AMissingFileInAnExistingFolderOpensEmptyAndIsCreated) {
    const std::string fresh = dir.File("new.txt");
    EXPECT_TRUE(doc->OpenSentenceFile(fresh));
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(doc->m_strSentenceFile, fresh);
    EXPECT_EQ(doc->m_Sentences.GetCount(), 0);
    EXPECT_EQ(doc->m_Titles.GetCount(), 0);
    EXPECT_EQ(ReadBytes(fresh), "");
    EXPECT_EQ(ReadBytes(dir.File("new_Title.txt")), "");
}

TEST_F(DocFiles, LoadingMoreSentencesThanTheMaximumRaisesIt) {
    std::vector<std::string> forty;
    for (int i = 0; i < 40; ++i) forty.push_back("s" + std::to_string(i));
    WriteBytes(dir.File("forty.txt"), ListFile(forty));
    ASSERT_EQ(doc->m_Settings.SentenceMaxCount, 16);

    EXPECT_TRUE(doc->OpenSentenceFile(dir.File("forty.txt")));
    EXPECT_EQ(Entries(doc->m_Sentences), forty);
    EXPECT_EQ(doc->m_Titles.GetCount(), 40);
    EXPECT_EQ(doc->m_Settings.SentenceMaxCount, 40);
    EXPECT_FALSE(doc->m_bSentencesDirty);
}

TEST_F(DocFiles, TitlesArePaddedOrCutToTheSentences) {
    const Names five{"1", "2", "3", "4", "5"};
    WriteBytes(dir.File("five.txt"), ListFile(five));

    WriteBytes(dir.File("five_Title.txt"), ListFile({"a", "b", "c"}));
    ASSERT_TRUE(doc->OpenSentenceFile(dir.File("five.txt")));
    EXPECT_EQ(Entries(doc->m_Titles), (Names{"a", "b", "c", "", ""}));

    WriteBytes(dir.File("five_Title.txt"), ListFile({"a", "b", "c", "d", "e", "f", "g"}));
    ASSERT_TRUE(doc->OpenSentenceFile(dir.File("five.txt")));
    EXPECT_EQ(Entries(doc->m_Titles), (Names{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(Entries(doc->m_Sentences), five);
}

TEST_F(DocFiles, OpeningAnotherFileSavesChangesFirst) {
    doc->SetItem(0, 1, "changed");
    WriteBytes(dir.File("b.txt"), ListFile({"b"}));
    EXPECT_TRUE(doc->OpenSentenceFile(dir.File("b.txt")));
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), ListFile({"one", "changed"}));
    EXPECT_FALSE(doc->m_bSentencesDirty);
}

TEST_F(DocFiles, SaveIfModifiedAsksAndYesWritesSentencesAndTitles) {
    doc->m_Settings.SaveWithDialog = true;
    doc->SetItem(0, 2, Ansi("三"));
    doc->SetItem(3, 2, "T3");
    boxes.answer = IDYES;

    doc->SaveIfModified();
    ASSERT_EQ(boxes.texts, (std::vector<std::wstring>{SaveQuestion(dir.File("a.txt"))}));
    EXPECT_EQ(boxes.types.at(0) & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), ListFile({"one", "two", Ansi("三")}));
    EXPECT_EQ(ReadBytes(dir.File("a_Title.txt")), ListFile({"T1", "T2", "T3"}));
    EXPECT_FALSE(doc->m_bSentencesDirty);
}

TEST_F(DocFiles, SaveIfModifiedAnsweredNoWritesNothingButForgetsTheChange) {
    doc->m_Settings.SaveWithDialog = true;
    doc->SetItem(0, 0, "changed");
    boxes.answer = IDNO;
    const Names before = FileNames(dir.Path());

    doc->SaveIfModified();
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), ListFile({"one", "two"}));
    EXPECT_EQ(ReadBytes(dir.File("a_Title.txt")), ListFile({"T1", "T2"}));
    EXPECT_EQ(FileNames(dir.Path()), before);
    EXPECT_FALSE(doc->m_bSentencesDirty);

    doc->SaveIfModified();  // nothing changed since: no second question
    EXPECT_EQ(boxes.texts.size(), 1u);
}

TEST_F(DocFiles, TheQuestionNamesTheDefaultFileWhenNoneIsOpen) {
    CQuillstackDoc fresh;
    fresh.m_Settings.SaveWithDialog = true;
    fresh.SetItem(0, 0, "x");
    boxes.answer = IDYES;
    fresh.SaveIfModified();
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{SaveQuestion(dir.File("Quillstack.txt"))}));
    EXPECT_EQ(ReadBytes(dir.File("Quillstack.txt")), ListFile({"x"}));
    // No title was ever set: the title list is still empty.
    EXPECT_EQ(ReadBytes(dir.File("Quillstack_Title.txt")), "");
    EXPECT_TRUE(fresh.m_strSentenceFile.empty());
}

TEST_F(DocFiles, SaveIfModifiedWithoutTheQuestionWritesOnlyWhenChanged) {
    ASSERT_FALSE(doc->m_Settings.SaveWithDialog);
    WriteBytes(dir.File("a.txt"), "edited by hand");
    doc->SaveIfModified();
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), "edited by hand");

    doc->SetItem(0, 0, "ONE");
    doc->SaveIfModified();
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), ListFile({"ONE", "two"}));
    EXPECT_FALSE(doc->m_bSentencesDirty);
}

TEST_F(DocFiles, AFailedWriteKeepsTheOldFileAndSaysSo) {
    const std::string oldBytes = ReadBytes(dir.File("a.txt"));
    const Names before = FileNames(dir.Path());
    doc->SetItem(0, 0, "lost");
    {
        wintest::FailingWrites failing;
        doc->SaveIfModified();
    }
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), oldBytes);
    EXPECT_EQ(ReadBytes(dir.File("a_Title.txt")), ListFile({"T1", "T2"}));
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{OpenFailedText(dir.File("a.txt"))}));
    EXPECT_EQ(FileNames(dir.Path()), before);  // no temporary file left behind
}

TEST_F(DocFiles, ASentenceFileHeldByAnotherProgramIsNotOverwritten) {
    const std::string oldBytes = ReadBytes(dir.File("a.txt"));
    doc->SetItem(0, 0, "lost");
    {
        wintest::HeldOpen lock(dir.File("a.txt"));
        doc->SaveList(0, nullptr);
    }
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), oldBytes);
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{OpenFailedText(dir.File("a.txt"))}));
}

TEST_F(DocFiles, SaveListToAPathWritesTitlesBesideAndMakesItTheOpenFile) {
    doc->SetItem(0, 0, "dirty");
    const std::string other = dir.File("other.list");
    doc->SaveList(0, &other);
    EXPECT_EQ(ReadBytes(other), ListFile({"dirty", "two"}));
    EXPECT_EQ(ReadBytes(dir.File("other_Title.list")), ListFile({"T1", "T2"}));
    EXPECT_EQ(doc->m_strSentenceFile, other);
    // Writing alone never clears the modified mark.
    EXPECT_TRUE(doc->m_bSentencesDirty);
    EXPECT_EQ(ReadBytes(dir.File("a.txt")), ListFile({"one", "two"}));
}

TEST_F(DocFiles, HistoriesAreSavedSilently) {
    doc->AddClipHistory("c1");
    doc->AddClipHistory("c2");
    doc->AddUrlsFrom("http://u");
    const std::string clips = dir.File("clips.txt");
    const std::string urls = dir.File("urls.txt");
    doc->SaveList(1, &clips);
    doc->SaveList(2, &urls);
    EXPECT_EQ(ReadBytes(clips), ListFile({"c2", "c1"}));
    EXPECT_EQ(ReadBytes(urls), ListFile({"http://u"}));
    EXPECT_FALSE(wintest::FileExists(dir.File("clips_Title.txt")));

    const std::string nowhere = dir.File("missing\\h.txt");
    doc->SaveList(1, &nowhere);
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(doc->m_strSentenceFile, dir.File("a.txt"));
}

TEST_F(DocFiles, ExportToAFileWritesTheJoinedText) {
    doc->SetItem(0, 3, "four");
    doc->ExportList(false, 0, dir.File("joined.txt"));
    EXPECT_EQ(ReadBytes(dir.File("joined.txt")), "one\r\ntwo\r\n\r\nfour\r\n");

    const std::string nowhere = dir.File("missing\\joined.txt");
    doc->ExportList(false, 0, nowhere);
    EXPECT_EQ(boxes.texts, (std::vector<std::wstring>{OpenFailedText(nowhere)}));
}

// ---- The settings file ------------------------------------------------------

using DocSettings = wintest::DocTest;

TEST_F(DocSettings, NoFileGivesDefaultsAndTheDefaultsAreWrittenAtTheEnd) {
    const std::string ini = dir.File("Quillstack.ini");
    {
        CQuillstackDoc doc;
        // Reading leaves an empty file behind.
        EXPECT_EQ(ReadBytes(ini), "");
        EXPECT_EQ(doc.m_Settings.SentenceMaxCount, 16);
        EXPECT_EQ(doc.m_RecentFiles.GetCount(), 9);
    }
    const std::string written = ReadBytes(ini);
    EXPECT_EQ(written, qs::WriteSettingsText(qs::Settings{}, qs::StringList(), qs::StringList(), qs::StringList(9)));
    EXPECT_TRUE(written.starts_with("//// Quillstack for Windows //////\r\n\r\n[Options]\r\nMinimize=ANI\r\n"));
    EXPECT_NE(written.find("\r\nSentenceMaxCount=16\r\n"), std::string::npos);
    EXPECT_TRUE(written.ends_with("Recent File=\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
}

TEST_F(DocSettings, WhatOneRunWritesTheNextReads) {
    {
        CQuillstackDoc doc;
        doc.m_Settings.SentenceMaxCount = 30;
        doc.m_Settings.ShowTopMost = false;
        doc.m_Settings.BkColor = 255;
        doc.m_Settings.KeyCode[3] = -1;
        doc.m_Settings.InitialFileName = Ansi("C:\\文書\\start.txt");
        doc.m_UrlBegin.AddTail("mailto:");
        doc.m_RecentFiles.SetAtGrow(0, Ansi("C:\\表\\recent.txt"));
    }
    CQuillstackDoc doc;
    EXPECT_EQ(doc.m_Settings.SentenceMaxCount, 30);
    EXPECT_FALSE(doc.m_Settings.ShowTopMost);
    EXPECT_EQ(doc.m_Settings.BkColor, 255u);
    EXPECT_EQ(doc.m_Settings.KeyCode[3], -1);
    EXPECT_EQ(doc.m_Settings.InitialFileName, Ansi("C:\\文書\\start.txt"));
    EXPECT_EQ(Entries(doc.m_UrlBegin), (Names{"mailto:"}));
    EXPECT_EQ(doc.m_RecentFiles.GetCount(), 9);
    EXPECT_EQ(*doc.m_RecentFiles.GetAt(0), Ansi("C:\\表\\recent.txt"));
    EXPECT_EQ(*doc.m_RecentFiles.GetAt(1), "");
}

TEST_F(DocSettings, AFileHeldDuringTheStartIsNeitherReadNorOverwritten) {
    const std::string ini = dir.File("Quillstack.ini");
    const std::string mine = "[Options]\r\nSentenceMaxCount=40\r\nView=2\r\n";
    WriteBytes(ini, mine);
    auto lock = std::make_unique<wintest::HeldOpen>(ini);
    ASSERT_TRUE(lock->IsHeld());
    {
        CQuillstackDoc doc;
        EXPECT_EQ(doc.m_Settings.SentenceMaxCount, 16);
        EXPECT_EQ(doc.m_Settings.View, 0);
        // Let go before the end: the file could be written now, and must not be.
        lock.reset();
        doc.m_Settings.View = 1;
    }
    EXPECT_EQ(ReadBytes(ini), mine);
}

TEST_F(DocSettings, AFailedSettingsWriteIsSilentAndKeepsTheOldFile) {
    const std::string ini = dir.File("Quillstack.ini");
    WriteBytes(ini, "View=2\r\n");
    auto doc = std::make_unique<CQuillstackDoc>();
    EXPECT_EQ(doc->m_Settings.View, 2);
    doc->m_Settings.View = 1;
    {
        wintest::FailingWrites failing;
        doc.reset();
    }
    EXPECT_EQ(ReadBytes(ini), "View=2\r\n");
    EXPECT_EQ(FileNames(dir.Path()), (Names{"Quillstack.ini"}));
    EXPECT_TRUE(boxes.texts.empty());
}

}  // namespace

// Sentence files with the real program: which file a start opens, what a
// file that cannot be read or written does, when changed sentences are
// written and the exact bytes that end up on disk.
#include <cstdio>
#include <optional>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using SentenceFileTest = E2eTest;

const char kOpenFailed[] = "登録ファイルが見つかりません。\n--登録ファイルが開けません--\n--";

bool HasLine(const std::string& text, const std::string& line) {
    return text.find("\r\n" + line + "\r\n") != std::string::npos;
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// Answers the program's next message box with `button` after checking that
// its text holds `expected` (UTF-8).
void AnswerBox(const Program& program, const std::string& expected, int button) {
    HWND box = program.WaitDialog();
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_NE(Program::DialogText(box).find(expected), std::string::npos) << Program::DialogText(box);
    Program::PressButton(box, button);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
}

TEST_F(SentenceFileTest, FortyEntriesNamedOnTheCommandLineAreLoadedAndRaiseTheMaximum) {
    std::vector<std::string> entries;
    for (int i = 0; i < 40; ++i) {
        char entry[8];
        std::snprintf(entry, sizeof(entry), "s%02d", i);
        entries.push_back(entry);
    }
    const std::string bytes = ListFileBytes(entries);
    WriteBytes(folder.File(L"forty.txt"), bytes);

    Program program(folder, Quoted(folder.File(L"forty.txt")));
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_EQ(program.SlotTexts(), (std::vector<std::string>{"s00", "s01", "s02", "s03", "s04", "s05", "s06", "s07"}));
    // Page by page the scroll bar reaches the 40th entry and stops there.
    for (int page = 0; page < 5; ++page) {
        PostMessageW(program.View(), WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(program.Control(1077)));
    }
    EXPECT_TRUE(WaitUntil([&] { return program.SlotText(7) == "s39"; })) << program.SlotText(7);
    EXPECT_EQ(program.SlotText(0), "s32");
    ASSERT_TRUE(program.Exit());

    const std::string settings = ReadBytes(folder.File(L"Quillstack.ini"));
    EXPECT_TRUE(HasLine(settings, "SentenceMaxCount=40")) << settings;
    EXPECT_EQ(ReadBytes(folder.File(L"forty.txt")), bytes);
    EXPECT_TRUE(FileExists(folder.File(L"forty_Title.txt")));
    // The default file was never the start file.
    EXPECT_FALSE(FileExists(folder.File(L"Quillstack.txt")));
}

TEST_F(SentenceFileTest, CaptionNamesTheDocumentOnceTheStartFileIsLoaded) {
    Program program(folder);
    HWND frame = program.WaitFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return Utf8(WindowText(frame)) == "Quill - Quillstack"; }))
        << Utf8(WindowText(frame));
    ASSERT_TRUE(program.Exit());
}

// ---- The file named on the command line -------------------------------------

struct NamedFile {
    const char* name;
    std::wstring subfolder;  // empty: beside the program
    std::wstring file;
    std::wstring titleFile;
};

class CommandLineFileTest : public E2eTest, public ::testing::WithParamInterface<NamedFile> {};

TEST_P(CommandLineFileTest, IsLoadedWithItsTitles) {
    const NamedFile& named = GetParam();
    std::wstring folderPath = folder.Path();
    if (!named.subfolder.empty()) {
        folderPath += L"\\" + named.subfolder;
        ASSERT_TRUE(CreateDirectoryW(folderPath.c_str(), nullptr));
    }
    const std::wstring file = folderPath + L"\\" + named.file;
    const std::string sentences = ListFileBytes({Ansi("挨拶の文"), Ansi("お礼の文")});
    const std::string titles = ListFileBytes({Ansi("あいさつ")});
    WriteBytes(file, sentences);
    WriteBytes(folderPath + L"\\" + named.titleFile, titles);

    Program program(folder, Quoted(file));
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_EQ(program.SlotText(0), "あいさつ");
    EXPECT_EQ(program.SlotText(1), "お礼の文");
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(ReadBytes(file), sentences);
    EXPECT_EQ(ReadBytes(folderPath + L"\\" + named.titleFile), titles);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CommandLineFileTest,
    ::testing::Values(NamedFile{"Japanese", L"", L"定型文.txt", L"定型文_Title.txt"},
                      NamedFile{"SpacesInFolderAndName", L"my lists", L"two words.txt", L"two words_Title.txt"},
                      NamedFile{"JapaneseFolder", L"文書", L"表.txt", L"表_Title.txt"}),
    [](const ::testing::TestParamInfo<NamedFile>& info) { return std::string(info.param.name); });

TEST_F(SentenceFileTest, JapaneseNameWithoutQuotesIsLoaded) {
    WriteBytes(folder.File(L"定型文.txt"), ListFileBytes({"plain"}));
    Program program(folder, folder.File(L"定型文.txt"));
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_EQ(program.SlotText(0), "plain");
    ASSERT_TRUE(program.Exit());
}

TEST_F(SentenceFileTest, CommandLineNamingTheProgramLoadsTheDefaultFile) {
    WriteBytes(folder.File(L"Quillstack.txt"), ListFileBytes({"default one"}));
    Program program(folder, Quoted(folder.File(L"Quillstack.exe")));
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_EQ(program.SlotText(0), "default one");
    ASSERT_TRUE(program.Exit());
}

TEST_F(SentenceFileTest, CommandLineNamingTheProgramLoadsInitialFileName) {
    WriteBytes(folder.File(L"Quillstack.txt"), ListFileBytes({"default one"}));
    // A Japanese name: its Shift-JIS bytes go through the settings file both ways.
    const std::string initial = folder.AnsiFile("初期ファイル.txt");
    WriteBytes(folder.File(L"初期ファイル.txt"), ListFileBytes({"initial one"}));
    WriteBytes(folder.File(L"Quillstack.ini"), "InitialFileName=" + initial + "\r\n");
    Program program(folder, Quoted(folder.File(L"Quillstack.exe")));
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_EQ(program.SlotText(0), "initial one");
    ASSERT_TRUE(program.Exit());
    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "InitialFileName=" + initial));
}

// ---- A start file that cannot be loaded ----------------------------------------

class UnloadableInitialFileTest : public E2eTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnloadableInitialFileTest, IsReportedThenTheDefaultFileIsUsedAndTheNameForgotten) {
    const bool held = GetParam();
    const std::wstring initial = held ? folder.File(L"busy.txt") : folder.File(L"no such folder\\gone.txt");
    WriteBytes(folder.File(L"Quillstack.txt"), ListFileBytes({"default one"}));
    if (held) WriteBytes(initial, ListFileBytes({"busy one"}));
    WriteBytes(folder.File(L"Quillstack.ini"), Ansi("InitialFileName=" + Utf8(initial) + "\r\n"));
    std::optional<HeldFile> holder;
    if (held) holder.emplace(initial);

    Program program(folder);
    AnswerBox(program, kOpenFailed + Utf8(initial) + "--", IDOK);
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_EQ(program.SlotText(0), "default one");
    holder.reset();
    ASSERT_TRUE(program.Exit());

    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "InitialFileName="));
    if (held) {
        EXPECT_EQ(ReadBytes(initial), ListFileBytes({"busy one"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, UnloadableInitialFileTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "HeldByAnotherProgram" : "MissingFolder");
                         });

// ---- When changed sentences are written ------------------------------------------

TEST_F(SentenceFileTest, ExitWithoutSavingLeavesTheSentenceFileButWritesTheSettings) {
    const std::string original = ListFileBytes({"kept"});
    WriteBytes(folder.File(L"Quillstack.txt"), original);
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter clipboard;
    ASSERT_TRUE(clipboard.Put("not to be kept"));
    ASSERT_TRUE(RegisterClipboardIntoSlot(program, 1));

    program.Command(32772);
    ASSERT_TRUE(program.WaitExit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), original);
    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "SentenceMaxCount=16"));
}

class SaveQuestionTest : public E2eTest, public ::testing::WithParamInterface<int> {};

TEST_P(SaveQuestionTest, ExitAsksAndWritesOnlyOnYes) {
    const std::string original = ListFileBytes({"kept"});
    WriteBytes(folder.File(L"Quillstack.txt"), original);
    WriteBytes(folder.File(L"Quillstack.ini"), "SaveWithDialog=YES\r\n");
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter clipboard;
    ASSERT_TRUE(clipboard.Put("asked about"));
    ASSERT_TRUE(RegisterClipboardIntoSlot(program, 1));

    program.Command(57665);
    AnswerBox(program, "変更を保存します\n[FILE] : " + Utf8(folder.File(L"Quillstack.txt")), GetParam());
    ASSERT_TRUE(program.WaitExit());
    const bool yes = GetParam() == IDYES;
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), yes ? ListFileBytes({"kept", "asked about"}) : original);
    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "SaveWithDialog=YES"));
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveQuestionTest, ::testing::Values(IDYES, IDNO),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == IDYES ? "Yes" : "No");
                         });

TEST_F(SentenceFileTest, FilesOnDiskAreExactlyTheMarkerFormat) {
    // Written by another editor: a header line, LF markers, trailing blanks.
    WriteBytes(folder.File(L"Quillstack.txt"), "my sentences\n<STRING>\nalpha\n<STRING>\n  beta  \n\n");
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_EQ(program.SlotText(0), "alpha");
    ClipboardWriter clipboard;
    ASSERT_TRUE(clipboard.Put(Ansi("一行目\r\n二行目")));
    ASSERT_TRUE(RegisterClipboardIntoSlot(program, 2));
    ASSERT_TRUE(program.Exit());

    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")),
              "\r\n<STRING>\r\nalpha"
              "\r\n<STRING>\r\n  beta"
              "\r\n<STRING>\r\n" +
                  Ansi("一行目\r\n二行目"));
    // Titles were padded to the two sentences loaded; the new one has none.
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack_Title.txt")), "\r\n<STRING>\r\n\r\n<STRING>\r\n");
}

// ---- A sentence file another program holds --------------------------------------

TEST_F(SentenceFileTest, DefaultFileCommandOnAHeldFileReportsAndChangesNothing) {
    const std::string mine = ListFileBytes({"A1", "A2", "A3"});
    const std::string defaults = ListFileBytes({"D1"});
    WriteBytes(folder.File(L"a.txt"), mine);
    WriteBytes(folder.File(L"Quillstack.txt"), defaults);
    Program program(folder, Quoted(folder.File(L"a.txt")));
    ASSERT_TRUE(program.WaitFrame());
    ASSERT_EQ(program.SlotText(0), "A1");

    HeldFile held(folder.File(L"Quillstack.txt"));
    program.Command(32773);
    AnswerBox(program, kOpenFailed + Utf8(folder.File(L"Quillstack.txt")) + "--", IDOK);
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.SlotTexts(), (std::vector<std::string>{"A1", "A2", "A3", "未登録", "未登録", "未登録",
                                                             "未登録", "未登録"}));
    // The list behind the buttons is still a.txt's.
    program.Click(1001);
    // Watched through the owner: opening the clipboard to look would race
    // with the program opening it to copy.
    EXPECT_TRUE(WaitUntil([&] { return GetClipboardOwner() == program.View(); }));
    EXPECT_EQ(ClipboardText(), "A2");

    held.Close();
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"a.txt")), mine);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), defaults);
}

TEST_F(SentenceFileTest, CommandLineFileHeldAtStartEndsTheProgramAfterTheMessage) {
    const std::string mine = ListFileBytes({"A1"});
    WriteBytes(folder.File(L"a.txt"), mine);
    HeldFile held(folder.File(L"a.txt"));

    Program program(folder, Quoted(folder.File(L"a.txt")));
    AnswerBox(program, "a.txt", IDOK);
    ASSERT_TRUE(program.WaitExit());
    held.Close();
    EXPECT_EQ(ReadBytes(folder.File(L"a.txt")), mine);
}

TEST_F(SentenceFileTest, SentenceFileHeldAtExitIsReportedAndLeftAsItWas) {
    // LF markers, so any rewrite would show.
    const std::string mine = "<STRING>\nA1";
    const std::string titles = "<STRING>\nT1";
    WriteBytes(folder.File(L"a.txt"), mine);
    WriteBytes(folder.File(L"a_Title.txt"), titles);
    Program program(folder, Quoted(folder.File(L"a.txt")));
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter clipboard;
    ASSERT_TRUE(clipboard.Put("cannot be written"));
    ASSERT_TRUE(RegisterClipboardIntoSlot(program, 2));

    HeldFile held(folder.File(L"a.txt"));
    program.Command(57665);
    AnswerBox(program, kOpenFailed + Utf8(folder.File(L"a.txt")) + "--", IDOK);
    ASSERT_TRUE(program.WaitExit());
    held.Close();
    EXPECT_EQ(ReadBytes(folder.File(L"a.txt")), mine);
    EXPECT_EQ(ReadBytes(folder.File(L"a_Title.txt")), titles);
    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "SentenceMaxCount=16"));
}

}  // namespace
}  // namespace e2e

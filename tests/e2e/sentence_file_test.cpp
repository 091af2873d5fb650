// Which sentence file a start opens: the one named on the command line,
// else the settings' start file, else the default file, and what a start
// file that cannot be read does. (When changed sentences are written is in
// settings_file_test.cpp, with every way out of the program.)
#include <ostream>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using SentenceFileTest = ProgramTest;

bool HasLine(const std::string& text, const std::string& line) {
    return text.find("\r\n" + line + "\r\n") != std::string::npos;
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

TEST_F(SentenceFileTest, FortyEntriesNamedOnTheCommandLineAreLoadedAndRaiseTheMaximum) {
    std::vector<std::string> entries;
    for (int i = 100; i < 140; ++i) entries.push_back("s" + std::to_string(i).substr(1));
    WriteList(L"forty.txt", entries);
    const std::string bytes = ReadBytes(folder.File(L"forty.txt"));
    ASSERT_TRUE(Start(0, Quoted(folder.File(L"forty.txt"))));
    EXPECT_TRUE(SlotsShow(*program, {entries.begin(), entries.begin() + 8}));
    // The scroll bar reaches the 40th entry.
    PostMessageW(program->View(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 32),
                 reinterpret_cast<LPARAM>(program->Control(IDC_SCROLL)));
    EXPECT_TRUE(SlotsShow(*program, {entries.begin() + 32, entries.end()}));
    ASSERT_TRUE(program->Exit());

    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "SentenceMaxCount=40"));
    EXPECT_EQ(ReadBytes(folder.File(L"forty.txt")), bytes);
    EXPECT_TRUE(FileExists(folder.File(L"forty_Title.txt")));
    // The default file was never the start file.
    EXPECT_FALSE(FileExists(folder.File(L"Quillstack.txt")));
}

// A file named on the command line, with its title file beside it.
struct NamedFile {
    const char* name;
    const char* subfolder;  // UTF-8; empty: beside the program
    const char* file;       // UTF-8
    bool quoted;
};

void PrintTo(const NamedFile& named, std::ostream* os) {
    *os << named.name;
}

class CommandLineFileTest : public ProgramTest, public ::testing::WithParamInterface<NamedFile> {};

INSTANTIATE_TEST_SUITE_P(Names, CommandLineFileTest,
                         ::testing::Values(NamedFile{"JapaneseFolderAndName", "文書", "表.txt", true},
                                           NamedFile{"SpacesInFolderAndName", "my lists", "two words.txt", true},
                                           NamedFile{"JapaneseNameWithoutQuotes", "", "定型文.txt", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(CommandLineFileTest, IsLoadedWithItsTitles) {
    const NamedFile& named = GetParam();
    std::wstring path = folder.Path();
    if (*named.subfolder) {
        path += L"\\" + Wide(named.subfolder);
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    }
    const std::wstring file = path + L"\\" + Wide(named.file);
    const std::wstring titleFile = file.substr(0, file.size() - 4) + L"_Title.txt";
    const std::string sentences = ListFileBytes({Ansi("挨拶の文"), Ansi("お礼の文")});
    const std::string titles = ListFileBytes({Ansi("あいさつ")});
    WriteBytes(file, sentences);
    WriteBytes(titleFile, titles);

    ASSERT_TRUE(Start(0, named.quoted ? Quoted(file) : file));
    EXPECT_TRUE(SlotsShow(*program, {"あいさつ", "お礼の文"}));
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(ReadBytes(file), sentences);
    EXPECT_EQ(ReadBytes(titleFile), titles);
}

// A command line that names no sentence file, the program itself or only a
// switch, loads the settings' start file; the switch is no file to report.
TEST_F(SentenceFileTest, CommandLineWithoutASentenceFileLoadsInitialFileName) {
    WriteList(L"Quillstack.txt", {"default one"});
    // A Japanese name: its Shift-JIS bytes go through the settings file both ways.
    const std::string initial = folder.AnsiFile("初期ファイル.txt");
    WriteList(Wide("初期ファイル.txt"), {"initial one"});
    for (const std::wstring& arguments : {Quoted(folder.File(L"Quillstack.exe")), std::wstring(L"-i")}) {
        WriteBytes(folder.File(L"Quillstack.ini"), "InitialFileName=" + initial + "\r\n");
        ASSERT_TRUE(Start(0, arguments)) << Utf8(arguments);
        EXPECT_TRUE(SlotsShow(*program, {"initial one"})) << Utf8(arguments);
        ASSERT_TRUE(program->Exit());
        EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "InitialFileName=" + initial));
    }
}

// A start file that cannot be read is reported and the default file used
// instead. The settings forget their start file only when it is gone: not
// when another program holds it, nor when the command line named the file.
TEST_F(SentenceFileTest, UnreadableStartFileIsReportedAndTheDefaultFileUsed) {
    const struct {
        const char* initial;  // InitialFileName
        const char* named;    // on the command line, held with read sharing
        bool forgotten;
    } cases[] = {{"busy.txt", "", false}, {"gone\\busy.txt", "", true}, {"Quillstack.txt", "busy.txt", false}};
    WriteList(L"Quillstack.txt", {"default one"});
    WriteList(L"busy.txt", {"busy one"});
    for (const auto& c : cases) {
        const std::string initial = "InitialFileName=" + folder.AnsiFile(c.initial);
        WriteSettings(folder, {initial});
        const std::wstring failing = folder.File(Wide(*c.named ? c.named : c.initial));
        // A reader that lets others read: the command line's file passes the
        // start's check, and still cannot be loaded.
        std::optional<HeldFile> held;
        if (!c.forgotten) held.emplace(failing, *c.named ? FILE_SHARE_READ : 0, GENERIC_READ);
        program.emplace(folder, *c.named ? Quoted(failing) : L"");
        AnswerBox("--" + Utf8(failing) + "--", IDOK);
        EXPECT_TRUE(program->WaitFrame() && SlotsShow(*program, {"default one"})) << c.initial << c.named;
        held.reset();
        ASSERT_TRUE(program->Exit());
        EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), c.forgotten ? "InitialFileName=" : initial));
    }
}

// Changed sentences that cannot be written stop a switch to another file:
// they stay on the panel, and a later save writes them. The default file
// is then InitialFileName's.
TEST_F(SentenceFileTest, UnwritableChangesStopTheSwitchToTheDefaultFile) {
    const std::wstring named = folder.File(L"named.txt");
    WriteList(L"named.txt", {"named"});
    WriteList(L"initial.txt", {"initial"});
    const std::string initial = "InitialFileName=" + folder.AnsiFile("initial.txt");
    WriteSettings(folder, {initial});
    ASSERT_TRUE(Start(0, Quoted(named)));
    ASSERT_TRUE(writer.Put("changed"));
    ASSERT_TRUE(ChooseOnSlot(1, kRegister));
    ASSERT_TRUE(SlotsShow(*program, {"named", "changed"}));
    {
        HeldFile held(named);
        program->Command(ID_FILE_DEFAULT);
        AnswerBox("--" + Utf8(named) + "--", IDOK);
        ASSERT_TRUE(Answers(*program));
        EXPECT_TRUE(SlotsShow(*program, {"named", "changed"}, 0ms));
    }
    program->Command(ID_FILE_DEFAULT);
    EXPECT_TRUE(SlotsShow(*program, {"initial"}));
    EXPECT_EQ(ReadBytes(named), ListFileBytes({"named", "changed"}));
    ASSERT_TRUE(program->Exit());
}

// Rewritten in place of the old file: a hidden file, which stays hidden,
// at a path of 255 bytes, near the limit.
TEST_F(SentenceFileTest, LongHiddenSentenceFileIsRewritten) {
    const std::wstring longFolder = folder.File(std::wstring(199 - folder.Path().size(), L'd'));
    ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
    const std::wstring file = longFolder + L"\\" + std::wstring(50, L's') + L".txt";
    ASSERT_EQ(file.size(), 255u);
    WriteBytes(file, ListFileBytes({"old"}));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(Start(0, Quoted(file)));
    ASSERT_TRUE(writer.Put("new"));
    ASSERT_TRUE(ChooseOnSlot(0, kRegister));
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(ReadBytes(file), ListFileBytes({"new"}));
    EXPECT_TRUE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace
}  // namespace e2e

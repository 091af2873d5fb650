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

// A file named on the command line, with its title file beside it or none.
struct NamedFile {
    const char* name;
    const char* subfolder;  // UTF-8; empty: beside the program
    const char* file;       // UTF-8
    bool quoted, titles;
};

void PrintTo(const NamedFile& named, std::ostream* os) {
    *os << named.name;
}

class CommandLineFileTest : public ProgramTest, public ::testing::WithParamInterface<NamedFile> {};

// "表" ends in a byte that reads as a backslash.
INSTANTIATE_TEST_SUITE_P(Names, CommandLineFileTest,
                         ::testing::Values(NamedFile{"JapaneseAndSpacesInFolderAndName", "my 文書", "two 表.txt", true, true},
                                           NamedFile{"JapaneseNameWithoutQuotes", "", "定型文.txt", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(CommandLineFileTest, FortyEntriesAreLoadedWithTheirTitlesAndRaiseTheMaximum) {
    const NamedFile& named = GetParam();
    std::wstring path = folder.Path();
    if (*named.subfolder) {
        path += L"\\" + Wide(named.subfolder);
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    }
    const std::wstring file = path + L"\\" + Wide(named.file);
    const std::wstring titleFile = file.substr(0, file.size() - 4) + L"_Title.txt";
    std::vector<std::string> entries;
    for (int i = 100; i < 140; ++i) entries.push_back("s" + std::to_string(i).substr(1));
    const std::string sentences = ListFileBytes(entries), titles = ListFileBytes({Ansi("あいさつ")});
    WriteBytes(file, sentences);
    if (named.titles) WriteBytes(titleFile, titles);

    ASSERT_TRUE(Start(0, named.quoted ? Quoted(file) : file));
    std::vector<std::string> shown(entries.begin(), entries.begin() + 8);
    if (named.titles) shown[0] = "あいさつ";
    EXPECT_TRUE(SlotsShow(*program, shown));
    // The scroll bar reaches the 40th entry.
    PostMessageW(program->View(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 32),
                 reinterpret_cast<LPARAM>(program->Control(IDC_SCROLL)));
    EXPECT_TRUE(SlotsShow(*program, {entries.begin() + 32, entries.end()}));
    ASSERT_TRUE(program->Exit());

    EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), "SentenceMaxCount=40"));
    EXPECT_EQ(ReadBytes(file), sentences);
    EXPECT_TRUE(FileExists(titleFile));
    if (named.titles) { EXPECT_EQ(ReadBytes(titleFile), titles); }
    // The default file was never the start file.
    EXPECT_FALSE(FileExists(folder.File(L"Quillstack.txt")));
}

// A command line that names no sentence file, the program itself or only a
// switch, loads the settings' start file; the switch is no file to report.
// A start file that cannot be read is reported and the default file used
// instead. The settings forget their start file only when it is gone: not
// when another program holds it, nor when the command line named the file.
TEST_F(SentenceFileTest, StartFileIsTheNamedOneElseInitialFileNameAndOneThatCannotBeReadIsReported) {
    WriteList(L"Quillstack.txt", {"default one"});
    WriteList(L"busy.txt", {"busy one"});
    // A Japanese name: its Shift-JIS bytes go through the settings file both ways.
    WriteList(Wide("初期ファイル.txt"), {"initial one"});
    const struct {
        const char* initial;  // InitialFileName
        std::wstring arguments;
        const char* failing;  // held with read access, unless gone
        bool forgotten;
    } cases[] = {
        {"初期ファイル.txt", Quoted(folder.File(L"Quillstack.exe")), "", false},
        {"初期ファイル.txt", L"-i", "", false},
        {"busy.txt", L"", "busy.txt", false},
        {"gone\\busy.txt", L"", "gone\\busy.txt", true},
        {"Quillstack.txt", Quoted(folder.File(L"busy.txt")), "busy.txt", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.arguments) + " " + c.initial);
        const std::string initial = "InitialFileName=" + folder.AnsiFile(c.initial);
        WriteSettings(folder, {initial});
        const std::wstring failing = folder.File(Wide(c.failing));
        // A reader that lets others read: the command line's file passes the
        // start's check, and still cannot be loaded.
        std::optional<HeldFile> held;
        if (*c.failing && !c.forgotten) held.emplace(failing, c.arguments.empty() ? 0 : FILE_SHARE_READ, GENERIC_READ);
        program.emplace(folder, c.arguments);
        if (*c.failing) AnswerBox("--" + Utf8(failing) + "--", IDOK);
        EXPECT_TRUE(program->WaitFrame() && SlotsShow(*program, {*c.failing ? "default one" : "initial one"}));
        held.reset();
        ASSERT_TRUE(program->Exit());
        EXPECT_TRUE(HasLine(ReadBytes(folder.File(L"Quillstack.ini")), c.forgotten ? "InitialFileName=" : initial));
    }
}

// Changed sentences that cannot be written stop a switch to another file:
// they stay on the panel, and a later switch writes them in place of the
// old file: a hidden file, which stays hidden, at a path of 255 bytes, near
// the limit. The default file is then InitialFileName's.
TEST_F(SentenceFileTest, UnwritableChangesStopTheSwitchAndALongHiddenFileIsRewrittenLater) {
    const std::wstring longFolder = folder.File(std::wstring(199 - folder.Path().size(), L'd'));
    ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));
    const std::wstring named = longFolder + L"\\" + std::wstring(50, L's') + L".txt";
    ASSERT_EQ(named.size(), 255u);
    WriteBytes(named, ListFileBytes({"named"}));
    ASSERT_TRUE(SetFileAttributesW(named.c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteList(L"initial.txt", {"initial"});
    WriteSettings(folder, {"InitialFileName=" + folder.AnsiFile("initial.txt")});
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
    EXPECT_TRUE(GetFileAttributesW(named.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

// Pieces of the Win32 layer that the program's data passes through: the
// clipboard wrapper, whole-file reads and safe writes, message texts built
// around outside text, and the command line's file argument. (A clipboard
// held open by another program shows end to end.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/file.h"
#include "framework/text.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;
using Names = std::vector<std::string>;

class ClipboardTest : public testing::Test {
protected:
    OwnedWindow owner = MessageWindow();
    OwnedWindow other = MessageWindow();
};

// Windows hands a block over as it was given; Wine writes a NUL over its
// last byte. Either way nothing past the block's end may be read, and a NUL
// inside ends the text.
TEST_F(ClipboardTest, TextIsReadUpToItsNulOrTheBlocksEndAndNoText) {
    const struct {
        std::string bytes;
        std::vector<std::string> read;  // what Windows and what Wine give
    } cases[] = {{"abcde", {"abcde", "abcd"}}, {std::string("ab\0cd\0", 6), {"ab"}}, {"", {""}}};
    for (const auto& c : cases) {
        if (c.bytes.empty()) {
            ASSERT_TRUE(OpenClipboard(other.get()));
            EmptyClipboard();
            CloseClipboard();
        } else {
            ASSERT_TRUE(PutClipboardBytes(other.get(), c.bytes.data(), c.bytes.size()));
        }
        EXPECT_EQ(fw::ClipboardHasText(), !c.bytes.empty());
        fw::Clipboard clipboard(owner.get());
        ASSERT_TRUE(clipboard.IsOpen());
        const std::string text = clipboard.GetText();
        EXPECT_NE(std::find(c.read.begin(), c.read.end(), text), c.read.end()) << text;
    }
}

class FileTest : public testing::Test {
protected:
    TempFolder dir;
    std::string target = dir.AnsiFile("target.txt");
};

// Every byte goes in and is read back, or the read tells what stopped it
// (that a missing file is made shows end to end). A longer old file is
// replaced whole; a write that fails (target held by another program, the
// disk full, a missing folder) leaves the old file and no temporary file. A
// holder that lets others delete the file still keeps it: the system alone
// would replace it then.
TEST_F(FileTest, WritesAreSafeAndReadsWhole) {
    const std::string bytes("a\0b\r\n\x81\x40", 7);
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
    EXPECT_EQ(FileNames(dir.Path()), Names{"target.txt"});

    EXPECT_TRUE(fw::WriteFileSafely(target, ""));  // the seam is off again
    EXPECT_EQ(ReadBytes(target), "");
}

// One file by its own name, another case and a path through "..", as long
// as another program holds it; never two files, nor a missing one.
TEST_F(FileTest, TheSameFileIsKnownHoweverItsPathIsSpelled) {
    WriteBytes(target, "t");
    WriteBytes(dir.AnsiFile("other.txt"), "t");
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"sub").c_str(), nullptr));
    const std::string folder = dir.AnsiPath(), missing = dir.AnsiFile("missing.txt");
    HeldFile held(target);
    EXPECT_TRUE(fw::IsSameFile(target, target));
    EXPECT_TRUE(fw::IsSameFile(target, folder + "\\TARGET.TXT"));
    EXPECT_TRUE(fw::IsSameFile(folder + "\\sub\\..\\target.txt", target));
    EXPECT_FALSE(fw::IsSameFile(target, dir.AnsiFile("other.txt")));
    EXPECT_FALSE(fw::IsSameFile(missing, missing));
    EXPECT_FALSE(fw::IsSameFile("", target));
}

TEST(FormatOne, TheArgumentIsNeverReadAsAFormat) {
    EXPECT_EQ(fw::FormatOne(L"--%s--", L"C:\\%s%n%d\\x.txt"), L"--C:\\%s%n%d\\x.txt--");
    EXPECT_EQ(fw::FormatOne(L"a %s b %s", L"%s"), L"a %s b %s");
    EXPECT_EQ(fw::FormatOne(L"no place", L"x"), L"no place");
    EXPECT_EQ(fw::FormatOne(L"%s", L""), L"");
}

TEST(FileArgument, IsTheFirstArgumentThatIsNoSwitch) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"q.exe", L""},
        {L"q.exe /x --y a.txt -i b.txt", L"a.txt"},
        {L"\"C:\\Program Files\\q.exe\" \"C:\\My Files\\a b.txt\" z.txt", L"C:\\My Files\\a b.txt"},
        {L"q.exe C:\\dir-i\\a.txt", L"C:\\dir-i\\a.txt"},
    };
    for (const auto& [commandLine, file] : cases) EXPECT_EQ(fw::FileArgument(commandLine), file) << Utf8(commandLine);
}

}  // namespace

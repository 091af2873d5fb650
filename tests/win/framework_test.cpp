// Pieces of the Win32 layer the program's data passes through, where an end
// to end test cannot reach: bounded clipboard reads, safe writes that fail,
// files known by any spelling, message texts around outside text and the
// command line's file argument.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/file.h"
#include "framework/text.h"
#include "tests/win/win_test_support.h"

namespace {

using namespace wintest;

// Windows hands a block over as it was given; Wine writes a NUL over its
// last byte. Either way nothing past the block's end may be read, and a NUL
// inside ends the text.
TEST(Clipboard, TextIsReadUpToItsNulOrTheBlocksEnd) {
    OwnedWindow owner = MessageWindow(), other = MessageWindow();
    // The bytes, then what Wine and what Windows give.
    const std::string cases[][3] = {{"abcde", "abcd", "abcde"}, {std::string("ab\0cd\0", 6), "ab", "ab"}, {"", "", ""}};
    for (const auto& [bytes, wine, windows] : cases) {
        if (bytes.empty()) {
            EmptyTheClipboard();
        } else {
            ASSERT_TRUE(PutClipboardBytes(other.get(), bytes.data(), bytes.size()));
        }
        EXPECT_EQ(fw::ClipboardHasText(), !bytes.empty());
        fw::Clipboard clipboard(owner.get());
        ASSERT_TRUE(clipboard.IsOpen());
        const std::string text = clipboard.GetText();
        EXPECT_TRUE(text == wine || text == windows) << text;
    }
}

// A read tells what stopped it. A longer old file is replaced whole; a
// write that fails (target held by another program, even one that lets
// others delete it, the disk full, a missing folder) leaves the old file
// and no temporary file.
TEST(File, WritesAreSafeAndReadsWhole) {
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
}

// One file by another case or a path through "..", while another program
// holds it; never two files, nor a missing one.
TEST(File, TheSameFileIsKnownHoweverItsPathIsSpelled) {
    TempFolder dir;
    const std::string target = dir.AnsiFile("target.txt"), other = dir.AnsiFile("other.txt");
    WriteBytes(other, "t");
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"sub").c_str(), nullptr));
    HeldFile held(target);
    EXPECT_TRUE(fw::IsSameFile(target, dir.AnsiPath() + "\\sub\\..\\TARGET.TXT"));
    EXPECT_FALSE(fw::IsSameFile(target, other));
    EXPECT_FALSE(fw::IsSameFile(dir.AnsiFile("missing.txt"), dir.AnsiFile("missing.txt")));
    EXPECT_FALSE(fw::IsSameFile("", target));
}

TEST(Text, AnArgumentIsNeverReadAsAFormatAndTheFileArgumentIsNoSwitch) {
    EXPECT_EQ(fw::FormatOne(L"--%s--", L"C:\\%s%n%d\\x.txt"), L"--C:\\%s%n%d\\x.txt--");
    EXPECT_EQ(fw::FormatOne(L"a %s b %s", L"%s"), L"a %s b %s");
    EXPECT_EQ(fw::FileArgument(L"q.exe /x a.txt b.txt"), L"a.txt");
}

}  // namespace

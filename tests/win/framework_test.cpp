// Pieces of the Win32 layer that the program's data passes through: the
// clipboard wrapper, whole-file reads and safe writes, message texts built
// around outside text, and the command line's file argument.
#include <windows.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "framework/app.h"
#include "framework/clipboard.h"
#include "framework/file.h"
#include "framework/text.h"
#include "tests/win/win_test_support.h"

namespace {

using Names = std::vector<std::string>;
using wintest::FileNames;
using wintest::ReadBytes;
using wintest::WriteBytes;

// ---- Clipboard --------------------------------------------------------------

class ClipboardTest : public testing::Test {
protected:
    wintest::HiddenWindow owner;
    wintest::HiddenWindow other;
};

// Windows hands the block over as it was given; Wine writes a NUL over its
// last byte. Either way nothing past the block's end may be read.
TEST_F(ClipboardTest, TextWithoutATerminatorIsReadOnlyUpToTheBlocksSize) {
    const char bytes[] = {'a', 'b', 'c', 'd', 'e'};
    ASSERT_TRUE(wintest::PutClipboardBytes(other.Get(), bytes, sizeof bytes));
    fw::Clipboard clipboard(owner.Get());
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_TRUE(clipboard.HasText());
    const std::string text = clipboard.GetText();
    EXPECT_TRUE(text == "abcde" || text == "abcd") << text;
}

TEST_F(ClipboardTest, ANulInsideEndsTheText) {
    const char bytes[] = {'a', 'b', '\0', 'c', 'd', '\0'};
    ASSERT_TRUE(wintest::PutClipboardBytes(other.Get(), bytes, sizeof bytes));
    fw::Clipboard clipboard(owner.Get());
    EXPECT_EQ(clipboard.GetText(), "ab");
}

TEST_F(ClipboardTest, NoTextFormatReadsAsNoText) {
    ASSERT_TRUE(OpenClipboard(other.Get()));
    EmptyClipboard();
    CloseClipboard();
    fw::Clipboard clipboard(owner.Get());
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), "");
}

TEST_F(ClipboardTest, SetTextMakesTheOpeningWindowTheOwner) {
    ASSERT_TRUE(wintest::PutClipboardText(other.Get(), "old"));
    {
        fw::Clipboard clipboard(owner.Get());
        ASSERT_TRUE(clipboard.IsOpen());
        const std::string text = wintest::Ansi("新しい text\r\n");
        EXPECT_TRUE(clipboard.SetText(text));
        EXPECT_EQ(clipboard.GetText(), text);
    }
    EXPECT_EQ(GetClipboardOwner(), owner.Get());
    EXPECT_EQ(wintest::ClipboardText(), wintest::Ansi("新しい text\r\n"));
}

// Another thread holds the clipboard open, as a busy program would.
class ClipboardHolder {
public:
    ClipboardHolder() {
        thread_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            opened_ = OpenClipboard(nullptr) != FALSE;
            ready_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return release_; });
            if (opened_) CloseClipboard();
        });
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return ready_; });
    }
    ~ClipboardHolder() {
        {
            std::lock_guard lock(mutex_);
            release_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    bool Opened() const { return opened_; }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool ready_ = false;
    bool release_ = false;
    bool opened_ = false;
    std::thread thread_;
};

TEST_F(ClipboardTest, AFailedOpenLeavesTheClipboardAsItWas) {
    ASSERT_TRUE(wintest::PutClipboardText(other.Get(), "kept"));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Opened());
        fw::Clipboard clipboard(owner.Get());
        EXPECT_FALSE(clipboard.IsOpen());
        EXPECT_FALSE(clipboard.HasText());
        EXPECT_EQ(clipboard.GetText(), "");
        EXPECT_FALSE(clipboard.SetText("lost"));
    }
    EXPECT_EQ(wintest::ClipboardText(), "kept");
    EXPECT_EQ(GetClipboardOwner(), other.Get());
}

// ---- Whole files ----------------------------------------------------------

class FileTest : public testing::Test {
protected:
    wintest::TempDir dir;
    std::string target = dir.File("target.txt");
};

TEST_F(FileTest, ASafeWriteReplacesTheWholeOldFile) {
    WriteBytes(target, std::string(100, 'x'));
    EXPECT_TRUE(fw::WriteFileSafely(target, "ab"));
    EXPECT_EQ(ReadBytes(target), "ab");
    EXPECT_TRUE(fw::WriteFileSafely(target, ""));
    EXPECT_EQ(ReadBytes(target), "");
    EXPECT_EQ(FileNames(dir.Path()), (Names{"target.txt"}));
}

TEST_F(FileTest, ASafeWriteCreatesAMissingFileWithEveryByte) {
    const std::string bytes("a\0b\r\n\x81\x40", 7);
    EXPECT_TRUE(fw::WriteFileSafely(target, bytes));
    EXPECT_EQ(ReadBytes(target), bytes);
}

TEST_F(FileTest, ATargetHeldOpenByAnotherProgramIsNotReplaced) {
    WriteBytes(target, "old");
    {
        wintest::HeldOpen lock(target);
        ASSERT_TRUE(lock.IsHeld());
        EXPECT_FALSE(fw::WriteFileSafely(target, "new"));
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(FileNames(dir.Path()), (Names{"target.txt"}));
}

TEST_F(FileTest, AWriteThatFailsKeepsTheOldFileAndNoTemporaryFile) {
    WriteBytes(target, "old");
    {
        wintest::FailingWrites failing;
        EXPECT_FALSE(fw::WriteFileSafely(target, "new"));
        EXPECT_FALSE(fw::WriteFileSafely(dir.File("fresh.txt"), "new"));
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(FileNames(dir.Path()), (Names{"target.txt"}));
    EXPECT_TRUE(fw::WriteFileSafely(target, "new"));  // the seam is off again
}

TEST_F(FileTest, AWriteIntoAMissingFolderFails) {
    EXPECT_FALSE(fw::WriteFileSafely(dir.File("missing\\target.txt"), "new"));
    EXPECT_TRUE(FileNames(dir.Path()).empty());
}

TEST_F(FileTest, ReadingGetsEveryByte) {
    const std::string bytes("x\0y\r\n\xfc\xfc", 7);
    WriteBytes(target, bytes);
    std::string text;
    EXPECT_EQ(fw::ReadWholeFile(target, text), fw::ReadResult::Ok);
    EXPECT_EQ(text, bytes);
}

TEST_F(FileTest, ReadingAMissingFileCreatesItEmpty) {
    std::string text = "stale";
    EXPECT_EQ(fw::ReadWholeFile(target, text), fw::ReadResult::Ok);
    EXPECT_EQ(text, "");
    EXPECT_EQ(ReadBytes(target), "");
}

TEST_F(FileTest, ReadingAFileHeldByAnotherProgramReportsItLocked) {
    WriteBytes(target, "content");
    wintest::HeldOpen lock(target);
    ASSERT_TRUE(lock.IsHeld());
    std::string text = "untouched";
    EXPECT_EQ(fw::ReadWholeFile(target, text), fw::ReadResult::Locked);
    EXPECT_EQ(fw::ReadWholeFile(target, text, 2), fw::ReadResult::Locked);
    EXPECT_EQ(text, "untouched");
}

TEST_F(FileTest, ReadingInAMissingFolderReportsNotOpened) {
    std::string text = "untouched";
    EXPECT_EQ(fw::ReadWholeFile(dir.File("missing\\x.txt"), text, 2), fw::ReadResult::NotOpened);
    EXPECT_EQ(text, "untouched");
    EXPECT_TRUE(FileNames(dir.Path()).empty());
}

// ---- Texts --------------------------------------------------------------------

TEST(FormatOne, TheArgumentIsNeverReadAsAFormat) {
    EXPECT_EQ(fw::FormatOne(L"--%s--", L"C:\\%s%n%d\\x.txt"), L"--C:\\%s%n%d\\x.txt--");
    EXPECT_EQ(fw::FormatOne(L"a %s b %s", L"%s"), L"a %s b %s");
    EXPECT_EQ(fw::FormatOne(L"no place", L"x"), L"no place");
    EXPECT_EQ(fw::FormatOne(L"%s", L""), L"");
}

struct ArgumentCase {
    const wchar_t* commandLine;
    const wchar_t* file;
};

class FileArguments : public testing::TestWithParam<ArgumentCase> {};

TEST_P(FileArguments, FirstArgumentThatIsNoSwitch) {
    EXPECT_EQ(fw::FileArgument(GetParam().commandLine), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Framework, FileArguments,
    testing::Values(ArgumentCase{L"q.exe", L""},
                    ArgumentCase{L"q.exe a.txt", L"a.txt"},
                    ArgumentCase{L"q.exe -i", L""},
                    ArgumentCase{L"q.exe -i a.txt", L"a.txt"},
                    ArgumentCase{L"q.exe a.txt -i", L"a.txt"},
                    ArgumentCase{L"q.exe /x --y a.txt b.txt", L"a.txt"},
                    ArgumentCase{L"q.exe \"C:\\My Files\\a b.txt\"", L"C:\\My Files\\a b.txt"},
                    ArgumentCase{L"\"C:\\Program Files\\q.exe\" \"x y.txt\" z.txt", L"x y.txt"},
                    ArgumentCase{L"q.exe C:\\dir-i\\a.txt", L"C:\\dir-i\\a.txt"},
                    ArgumentCase{L"q.exe 日本.txt", L"日本.txt"}));

}  // namespace

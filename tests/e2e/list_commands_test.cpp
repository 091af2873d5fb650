// The view's list and file commands in the real program: clearing a list,
// the default file, the recent files and the "▼" button's menu.
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const char kNone[] = "未登録";
const int kListMenuButton = 1028;
const UINT kShowClipHistory = 32801;
const UINT kShowUrlHistory = 32802;
const UINT kDefaultFile = 32773;
const UINT kClearSentences = 32815;
const UINT kClearClipHistory = 32816;
const UINT kClearUrlHistory = 32817;
const UINT kRecentFirst = 200;

// Down-arrow presses from the first item of the "▼" menu (the separator
// after the three lists is skipped).
const int kMenuClipHistory = 1;
const int kMenuUrlHistory = 2;
const int kMenuFirstRecent = 4;

std::vector<std::string> Captions(std::vector<std::string> texts) {
    texts.resize(8, kNone);
    return texts;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) joined += "[" + text + "]";
    return joined;
}

::testing::AssertionResult CaptionsBecome(const Program& program, const std::vector<std::string>& expected) {
    if (WaitUntil([&] { return program.SlotTexts() == expected; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "captions " << Joined(program.SlotTexts()) << ", expected "
                                         << Joined(expected);
}

::testing::AssertionResult ChooseFromListMenu(const Program& program, int downs) {
    program.Click(kListMenuButton);
    HWND menu = WaitPopupMenu(program);
    if (!menu) return ::testing::AssertionFailure() << "the \"▼\" button opened no menu";
    if (!ChooseFromPopupMenu(menu, downs)) return ::testing::AssertionFailure() << "the menu stays open";
    return ::testing::AssertionSuccess();
}

class ListCommandsTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        EmptyTheClipboard();
    }

    void WriteList(std::wstring_view name, const std::vector<std::string>& utf8Texts) {
        std::vector<std::string> ansi;
        for (const std::string& text : utf8Texts) ansi.push_back(Ansi(text));
        WriteBytes(folder.File(name), ListFileBytes(ansi));
    }
};

TEST_F(ListCommandsTest, ClearingAListShowsNotRegisteredAtOnce) {
    WriteList(L"Quillstack.txt", {"S0", "S1"});
    WriteList(L"Quillstack_Title.txt", {"Title 0", ""});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put("see http://example.com/a"));
    ASSERT_TRUE(CaptionsBecome(program, Captions({"Title 0", "S1"})));

    program.Command(kClearSentences);
    EXPECT_TRUE(CaptionsBecome(program, Captions({})));

    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"see http://exa"})));
    program.Command(kClearClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({})));

    program.Command(kShowUrlHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"http://example"})));
    program.Command(kClearUrlHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({})));

    // Clearing the sentences is a change the exit writes.
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), "");
}

TEST_F(ListCommandsTest, ListMenuSwitchesBetweenTheLists) {
    WriteList(L"Quillstack.txt", {"S0"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put("x ftp://host/f"));
    ASSERT_TRUE(CaptionsBecome(program, Captions({"S0"})));

    ASSERT_TRUE(ChooseFromListMenu(program, kMenuClipHistory));
    EXPECT_TRUE(CaptionsBecome(program, Captions({"x ftp://host/f"})));
    ASSERT_TRUE(ChooseFromListMenu(program, kMenuUrlHistory));
    EXPECT_TRUE(CaptionsBecome(program, Captions({"ftp://host/f"})));
    ASSERT_TRUE(ChooseFromListMenu(program, 0));
    EXPECT_TRUE(CaptionsBecome(program, Captions({"S0"})));
    ASSERT_TRUE(program.Exit());
}

class FileCommandsTest : public ListCommandsTest {
protected:
    void SetUp() override {
        ListCommandsTest::SetUp();
        WriteList(L"Quillstack.txt", {"Default A"});
        WriteList(Wide("他の文.txt"), {"Other B"});
        WriteList(L"third.txt", {"Third C"});
        // The recent files in the order the settings file keeps them.
        recentLines_ = "Recent File=\r\n" + folder.AnsiFile("他の文.txt") + "\r\n" + folder.AnsiFile("third.txt") + "\r\n";
        WriteBytes(folder.File(L"Quillstack.ini"), "RecentCount=5\r\n" + recentLines_);
    }

    std::string recentLines_;
};

TEST_F(FileCommandsTest, DefaultAndRecentFilesLoadWithoutReorderingTheRecentList) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ASSERT_TRUE(CaptionsBecome(program, Captions({"Default A"})));

    program.Command(kRecentFirst + 1);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Third C"})));
    program.Command(kDefaultFile);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Default A"})));
    ASSERT_TRUE(ChooseFromListMenu(program, kMenuFirstRecent));
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Other B"})));

    ASSERT_TRUE(program.Exit());
    std::string settings = ReadBytes(folder.File(L"Quillstack.ini"));
    EXPECT_NE(settings.find(recentLines_), std::string::npos) << settings;
}

TEST_F(FileCommandsTest, LoadingWhileAHistoryIsShownSwitchesBackToTheSentences) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put("http://a.example/"));

    ASSERT_TRUE(ChooseFromListMenu(program, kMenuUrlHistory));
    EXPECT_TRUE(CaptionsBecome(program, Captions({"http://a.examp"})));
    program.Command(kRecentFirst);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Other B"})));

    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"http://a.examp"})));
    program.Command(kDefaultFile);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Default A"})));

    ASSERT_TRUE(program.Exit());
}

}  // namespace
}  // namespace e2e

// The view's list and file commands in the real program: the "▼" button's
// menu, the default file, the recent files and clearing a list.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

// Down-arrow presses from the first item of the "▼" menu (the separator
// after the three lists is skipped).
const int kMenuSentences = 0;
const int kMenuClipHistory = 1;
const int kMenuUrlHistory = 2;
const int kMenuFirstRecent = 4;

class ListCommandsTest : public ProgramTest {
protected:
    // A click on the "▼" button, then its menu's item `downs` chosen with
    // the keyboard.
    ::testing::AssertionResult ChooseFromListMenu(int downs) {
        program->Click(IDC_LISTMENU);
        HWND menu = program->WaitPopupMenu();
        if (!menu) return ::testing::AssertionFailure() << "the \"▼\" button opened no menu";
        if (!ChooseFromPopupMenu(menu, downs)) return ::testing::AssertionFailure() << "the menu stays open";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(ListCommandsTest, TheListMenuSwitchesListsLoadingAFileShowsItsSentencesAndClearingEmptiesThem) {
    WriteList(L"Quillstack.txt", {"Default A"});
    WriteList(Wide("他の文.txt"), {"Other B"});
    WriteList(L"third.txt", {"Third C"});
    // The recent files in the order the settings file keeps them.
    const std::string recent =
        "Recent File=\r\n" + folder.AnsiFile("他の文.txt") + "\r\n" + folder.AnsiFile("third.txt") + "\r\n";
    WriteBytes(folder.File(L"Quillstack.ini"), "RecentCount=5\r\n" + recent);
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("x http://a.example/"));
    EXPECT_TRUE(SlotsShow(*program, {"Default A"}));

    ASSERT_TRUE(ChooseFromListMenu(kMenuClipHistory));
    EXPECT_TRUE(SlotsShow(*program, {"x http://a.exa"}));
    ASSERT_TRUE(ChooseFromListMenu(kMenuUrlHistory));
    EXPECT_TRUE(SlotsShow(*program, {"http://a.examp"}));
    // Loaded while a history is shown: the sentences come back.
    program->Command(ID_RECENT_FIRST + 1);
    EXPECT_TRUE(SlotsShow(*program, {"Third C"}));
    ASSERT_TRUE(ChooseFromListMenu(kMenuClipHistory));
    EXPECT_TRUE(SlotsShow(*program, {"x http://a.exa"}));
    program->Command(ID_FILE_DEFAULT);
    EXPECT_TRUE(SlotsShow(*program, {"Default A"}));
    ASSERT_TRUE(ChooseFromListMenu(kMenuFirstRecent));
    EXPECT_TRUE(SlotsShow(*program, {"Other B"}));
    ASSERT_TRUE(ChooseFromListMenu(kMenuUrlHistory));
    EXPECT_TRUE(SlotsShow(*program, {"http://a.examp"}));
    ASSERT_TRUE(ChooseFromListMenu(kMenuSentences));
    EXPECT_TRUE(SlotsShow(*program, {"Other B"}));

    const UINT lists[][2] = {{ID_MODE_SENTENCES, ID_CLEAR_SENTENCES},
                             {ID_MODE_CLIPHISTORY, ID_CLEAR_CLIPHISTORY},
                             {ID_MODE_URLHISTORY, ID_CLEAR_URLHISTORY}};
    for (const auto& [show, clear] : lists) {
        ASSERT_TRUE(SendCommand(*program, show) && SendCommand(*program, clear));
        // Sent: the captions must read so as soon as the command is done.
        EXPECT_TRUE(SlotsShow(*program, {}, 0ms)) << "command " << clear;
    }
    // Clearing the sentences is a change the exit writes.
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(ReadBytes(folder.File(Wide("他の文.txt"))), "");
    // Loading did not reorder the recent files.
    const std::string settings = ReadBytes(folder.File(L"Quillstack.ini"));
    EXPECT_NE(settings.find(recent), std::string::npos) << settings;
}

}  // namespace
}  // namespace e2e

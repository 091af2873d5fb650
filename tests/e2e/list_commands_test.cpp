// The view's list and file commands in the real program: clearing a list,
// the default file, the recent files and the "▼" button's menu.
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

TEST_F(ListCommandsTest, ClearingAListShowsNotRegisteredAtOnce) {
    WriteList(L"Quillstack.txt", {"S0", "S1"});
    WriteList(L"Quillstack_Title.txt", {"Title 0", ""});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("see http://example.com/a"));
    const struct {
        UINT show;
        UINT clear;
        std::vector<std::string> captions;
    } lists[] = {
        {ID_MODE_SENTENCES, ID_CLEAR_SENTENCES, {"Title 0", "S1"}},
        {ID_MODE_CLIPHISTORY, ID_CLEAR_CLIPHISTORY, {"see http://exa"}},
        {ID_MODE_URLHISTORY, ID_CLEAR_URLHISTORY, {"http://example"}},
    };
    for (const auto& list : lists) {
        ASSERT_TRUE(SendCommand(*program, list.show));
        EXPECT_TRUE(SlotsShow(*program, list.captions));
        // Sent: the captions must read so as soon as the command is done.
        ASSERT_TRUE(SendCommand(*program, list.clear));
        EXPECT_TRUE(SlotsShow(*program, {}, 0ms)) << "command " << list.clear;
    }
    // Clearing the sentences is a change the exit writes.
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), "");
}

TEST_F(ListCommandsTest, TheListMenuSwitchesListsAndLoadingAFileShowsItsSentences) {
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

    ASSERT_TRUE(program->Exit());
    // Loading did not reorder the recent files.
    const std::string settings = ReadBytes(folder.File(L"Quillstack.ini"));
    EXPECT_NE(settings.find(recent), std::string::npos) << settings;
}

}  // namespace
}  // namespace e2e

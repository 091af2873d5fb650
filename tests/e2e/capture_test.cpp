// Recording the clipboard: what another program copies goes to the front of
// the clipboard history and its addresses to the URL history; what the
// program copies itself (a slot press, an append copy) is not recorded.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const int kAppendBehind = 0;  // items of a slot's pop-up menu
const int kAppendFront = 1;
const int kRegister = 2;

class CaptureTest : public ProgramTest {
protected:
    // Sends a scroll action as the scroll bar itself does: the action, then
    // the end of scrolling. Sent, so the captions are updated when it returns.
    void Scroll(int code) {
        DWORD_PTR result = 0;
        for (int action : {code, static_cast<int>(SB_ENDSCROLL)}) {
            SendMessageTimeoutW(program->View(), WM_VSCROLL, MAKEWPARAM(action, 0),
                                reinterpret_cast<LPARAM>(program->Control(IDC_SCROLL)), SMTO_NORMAL, 5000, &result);
        }
    }

    // The captions of the whole list of 16 entries, read a page at a time
    // with the scroll bar; ends back at the top.
    std::vector<std::string> ReadList() {
        std::vector<std::string> captions = program->SlotTexts();
        Scroll(SB_PAGEDOWN);
        for (std::string& caption : program->SlotTexts()) captions.push_back(std::move(caption));
        Scroll(SB_PAGEUP);
        return captions;
    }
};

TEST_F(CaptureTest, LatestTextFirstEachTextOnceAndTheBoundDropsTheLast) {
    WriteSettings(folder, {"SentenceMaxCount=16"});
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {}));
    auto text = [](int n) { return "text " + std::to_string(100 + n).substr(1); };
    std::vector<std::string> expected;
    for (int n = 1; n <= 16; ++n) {
        ASSERT_TRUE(Copy(text(n)));
        expected.insert(expected.begin(), text(n));
    }
    // The same text again leaves one entry.
    ASSERT_TRUE(Copy(text(16)));
    EXPECT_EQ(ReadList(), expected);

    // An older text moves to the front; the last one stays.
    ASSERT_TRUE(Copy(text(5)));
    std::erase(expected, text(5));
    expected.insert(expected.begin(), text(5));
    EXPECT_EQ(ReadList(), expected);

    // A new text drops the last.
    ASSERT_TRUE(Copy("new text"));
    expected.pop_back();
    expected.insert(expected.begin(), "new text");
    EXPECT_EQ(ReadList(), expected);
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, AddressesGoToTheUrlHistoryTheLaterOnesFirst) {
    ASSERT_TRUE(Start(ID_MODE_URLHISTORY));
    ASSERT_TRUE(Copy("see http://a/1 then\r\nhttp://b/2,ftp://c/3"));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://c/3", "http://b/2", "http://a/1"}));

    // No begin string, so no address; the text itself is recorded.
    ASSERT_TRUE(Copy("www.d.jp mailto:e"));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://c/3", "http://b/2", "http://a/1"}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_EQ(program->SlotText(0), "www.d.jp mailt");
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, PressingASlotCopiesItsEntryAndRecordsNothing) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(Copy("first"));
    ASSERT_TRUE(Copy("second"));
    ASSERT_TRUE(SlotsShow(*program, {"second", "first"}));

    EXPECT_EQ(PressSlot(1), "first");
    EXPECT_TRUE(SlotsShow(*program, {"second", "first"}));
    // A slot past the list's end copies nothing.
    EXPECT_TRUE(PressLeavesClipboard(IDC_SLOT0 + 2));
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, AppendCopiesPutTheEntryBehindOrInFrontOfTheClipboardText) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(Copy("B"));
    ASSERT_TRUE(Copy("A"));
    ASSERT_TRUE(SlotsShow(*program, {"A", "B"}));

    EXPECT_EQ(CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendBehind)); }), "AB");
    ASSERT_TRUE(Copy("A"));
    EXPECT_EQ(CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendFront)); }), "BA");
    EXPECT_TRUE(SlotsShow(*program, {"A", "B"}));
    ASSERT_TRUE(program->Exit());
}

// Text put there by a program that has no window is another program's
// change; a picture without text records nothing, and the slot menu's
// commands then find no text to use.
TEST_F(CaptureTest, TextWithoutAnOwnerIsRecordedAPictureIsNot) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.Put("no owner", false); }));
    EXPECT_TRUE(SlotsShow(*program, {"no owner"}));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.PutBitmap(); }));
    for (int item : {kAppendBehind, kAppendFront, kRegister}) EXPECT_TRUE(ChooseOnSlot(1, item)) << item;
    // Posted after the menus' commands, so handled after them.
    program->Command(ID_MODE_SENTENCES);
    EXPECT_TRUE(SlotsShow(*program, {}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"no owner"}));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(ClipboardText(), "");
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, SeveralMegabytesAreRecordedWholeWithTheAddressAtTheirEnd) {
    ASSERT_TRUE(Start(ID_MODE_URLHISTORY));
    const std::string text = "long:" + std::string(3 << 20, 'x') + " http://tail/z";
    ASSERT_TRUE(Copy(text));
    EXPECT_TRUE(SlotsShow(*program, {"http://tail/z"}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    std::optional<std::string> copied = PressSlot(0);
    ASSERT_TRUE(copied);
    EXPECT_TRUE(*copied == text) << "the entry differs from the copied text: " << copied->size() << " bytes";
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, TextBlockWithoutTerminatingNulIsRecordedToItsEnd) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return PutClipboardBytes(writer.Window(), "thirteen byte", 13); }));
    // Wine ends the text inside the block (on its last byte); the program
    // must record what any reader gets, and nothing from beyond the block.
    const std::string given = ClipboardText();
    ASSERT_FALSE(given.empty());
    EXPECT_EQ(std::string("thirteen byte").rfind(given, 0), 0u) << given;
    EXPECT_TRUE(SlotsShow(*program, {given}));
    ASSERT_TRUE(Copy("other"));
    EXPECT_EQ(PressSlot(1), given);
    ASSERT_TRUE(program->Exit());
}

TEST_F(CaptureTest, ClipboardHeldOpenByAnotherProgramNeitherHangsItNorStopsTheChain) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(Copy("before"));
    ASSERT_TRUE(OpenClipboard(writer.Window()));
    // Another viewer passes a notification on while the clipboard is busy.
    EXPECT_TRUE(WaitHandled(*tail, [&] { return PostMessageW(program->View(), WM_DRAWCLIPBOARD, 0, 0) != FALSE; }))
        << "the notification was not passed on";
    EXPECT_TRUE(Answers(*program, 3s)) << "the program hangs on the busy clipboard";
    CloseClipboard();

    ASSERT_TRUE(Copy("after"));
    EXPECT_TRUE(SlotsShow(*program, {"after", "before"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

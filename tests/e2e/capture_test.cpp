// Recording the clipboard: what another program copies goes to the front of
// the clipboard history and its addresses to the URL history; what the
// program copies itself (a slot press, an append copy) is not recorded.
#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using CaptureTest = ProgramTest;

// Eight entries fit the panel, so the whole history shows at once. (The
// order rules themselves are the core's tests; here the program applies
// them to what another program copies, within SentenceMaxCount.)
TEST_F(CaptureTest, LatestTextFirstEachTextOnceAndTheBoundDropsTheLast) {
    WriteSettings(folder, {"SentenceMaxCount=8"});
    // Text already there at the start is the first entry.
    ASSERT_TRUE(writer.Put("text 1"));
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    std::vector<std::string> expected{"text 1"};
    EXPECT_TRUE(SlotsShow(*program, expected));
    for (int n = 2; n <= 8; ++n) {
        ASSERT_TRUE(Copy("text " + std::to_string(n)));
        expected.insert(expected.begin(), "text " + std::to_string(n));
    }
    // The same text again leaves one entry; an older one moves to the front.
    ASSERT_TRUE(Copy("text 8"));
    ASSERT_TRUE(Copy("text 5"));
    std::erase(expected, "text 5");
    expected.insert(expected.begin(), "text 5");
    EXPECT_TRUE(SlotsShow(*program, expected));

    // A new text drops the last; its addresses go to the URL history.
    ASSERT_TRUE(Copy("see http://a/1,ftp://b/2"));
    expected.pop_back();
    expected.insert(expected.begin(), "see http://a/1");
    EXPECT_TRUE(SlotsShow(*program, expected));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"ftp://b/2", "http://a/1"}));
    ASSERT_TRUE(program->Exit());
}

// Append copies put the entry behind or in front of the clipboard text, and
// registering into a history slot replaces that entry. Text put there by a
// program that has no window is another program's change; a picture
// without text records nothing, and the slot menu's commands then stay
// grayed, so choosing them on a filled slot changes nothing.
TEST_F(CaptureTest, AppendCopiesAndRegisteringTakeTheClipboardTextOnly) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(Copy("B"));
    ASSERT_TRUE(Copy("A"));
    ASSERT_TRUE(SlotsShow(*program, {"A", "B"}));
    EXPECT_EQ(CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendBehind)); }), "AB");
    ASSERT_TRUE(Copy("A"));
    EXPECT_EQ(CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendFront)); }), "BA");
    EXPECT_TRUE(SlotsShow(*program, {"A", "B"}));
    EXPECT_TRUE(ChooseOnSlot(1, kRegister));
    EXPECT_TRUE(SlotsShow(*program, {"A", "BA"}));

    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.Put("no owner", false); }));
    EXPECT_TRUE(SlotsShow(*program, {"no owner", "A", "BA"}));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.PutBitmap(); }));
    const DWORD sequence = GetClipboardSequenceNumber();
    for (int item : {kAppendBehind, kAppendFront, kRegister}) EXPECT_TRUE(ChooseOnSlot(0, item)) << item;
    // Posted after the menus' commands, so handled after them.
    program->Command(ID_MODE_SENTENCES);
    EXPECT_TRUE(SlotsShow(*program, {}));
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "a grayed command changed the clipboard";
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"no owner", "A", "BA"}));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(program->Exit());
}

// Text marked by the program that copied it (a password manager) as not for
// clipboard histories is recorded in neither history; the chain still
// hears of it.
TEST_F(CaptureTest, TextMarkedAsNotForHistoriesIsNotRecorded) {
    ASSERT_TRUE(Start());
    const struct {
        const wchar_t* marker;  // a registered format holding `value`
        DWORD value;
        bool recorded;
    } cases[] = {
        {L"ExcludeClipboardContentFromMonitorProcessing", 0, false},
        {L"CanIncludeInClipboardHistory", 0, false},
        {L"Clipboard Viewer Ignore", 0, false},
        {L"CanIncludeInClipboardHistory", 1, true},
        {nullptr, 0, true},
    };
    std::vector<std::string> recorded;  // an address: the same in both histories
    for (const auto& c : cases) {
        const std::string url = "http://pw/" + std::to_string(&c - cases);
        std::vector<std::pair<UINT, std::string>> data{{CF_TEXT, url + '\0'}};
        const auto* value = reinterpret_cast<const char*>(&c.value);
        if (c.marker) data.emplace_back(RegisterClipboardFormatW(c.marker), std::string(value, sizeof(c.value)));
        ASSERT_TRUE(WaitHandled(*tail, [&] { return PutClipboardData(writer.Window(), data); }));
        if (c.recorded) recorded.insert(recorded.begin(), url);
    }
    for (UINT mode : {ID_MODE_CLIPHISTORY, ID_MODE_URLHISTORY}) {
        ASSERT_TRUE(SendCommand(*program, mode));
        EXPECT_TRUE(SlotsShow(*program, recorded)) << mode;
    }
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

// A press, an append copy and a registration then do nothing either.
TEST_F(CaptureTest, ClipboardHeldOpenByAnotherProgramNeitherHangsItNorStopsTheChain) {
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(Copy("before"));
    ASSERT_TRUE(Copy("held"));
    ASSERT_TRUE(OpenClipboard(writer.Window()));
    const DWORD sequence = GetClipboardSequenceNumber();
    // Another viewer passes a notification on while the clipboard is busy.
    EXPECT_TRUE(WaitHandled(*tail, [&] { return PostMessageW(program->View(), WM_DRAWCLIPBOARD, 0, 0) != FALSE; }))
        << "the notification was not passed on";
    program->Click(IDC_SLOT0 + 1);
    for (int item : {kAppendBehind, kAppendFront, kRegister}) EXPECT_TRUE(ChooseOnSlot(1, item)) << item;
    // Posted after the menus' commands, so handled after them.
    program->Command(ID_MODE_SENTENCES);
    EXPECT_TRUE(SlotsShow(*program, {}, 3s)) << "the program hangs on the busy clipboard";
    CloseClipboard();
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);

    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(Copy("after"));
    EXPECT_TRUE(SlotsShow(*program, {"after", "held", "before"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

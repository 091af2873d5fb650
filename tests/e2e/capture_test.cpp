// Recording the clipboard: what another program copies goes to the front of
// the clipboard history and its addresses to the URL history; what the
// program copies itself (a slot press, an append copy) is not recorded.
#include <algorithm>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using CaptureTest = ProgramTest;

// Eight entries fit the panel, so the whole history shows at once. (The
// order rules themselves are the core's tests; here the program applies
// them to what another program copies, within SentenceMaxCount.)
TEST_F(CaptureTest, OtherProgramsTextGoesFirstOnceWithinTheBoundAndItsAddressesToTheUrlHistory) {
    WriteSettings(folder, {"SentenceMaxCount=8"});
    // Text already there at the start is the first entry.
    ASSERT_TRUE(writer.Put("text 1"));
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    std::vector<std::string> expected{"text 1"};
    EXPECT_TRUE(SlotsShow(*program, expected));
    auto record = [&](const std::string& text) {
        std::erase(expected, text);
        expected.insert(expected.begin(), text);
        expected.resize(std::min<std::size_t>(expected.size(), 8));
    };
    auto copy = [&](const std::string& text) {
        ASSERT_TRUE(Copy(text));
        record(text);
    };
    for (int n = 2; n <= 8; ++n) copy("text " + std::to_string(n));
    // The same text again leaves one entry; an older one moves to the front.
    copy("text 8");
    copy("text 5");
    EXPECT_TRUE(SlotsShow(*program, expected));
    // A new text drops the last.
    copy("see http://a/1,ftp://b/2");
    expected[0] = "see http://a/1";
    EXPECT_TRUE(SlotsShow(*program, expected));

    // Text marked by the program that copied it (a password manager) as not
    // for clipboard histories is recorded in neither; the chain still hears
    // of it.
    const struct {
        const wchar_t* marker;  // a registered format holding `value`
        DWORD value;
    } marked[] = {{L"ExcludeClipboardContentFromMonitorProcessing", 0},
                  {L"CanIncludeInClipboardHistory", 0},
                  {L"Clipboard Viewer Ignore", 0},
                  {L"CanIncludeInClipboardHistory", 1}};
    for (const auto& [marker, value] : marked) {
        const std::string url = "http://pw/" + std::to_string(value);
        const std::string bytes(reinterpret_cast<const char*>(&value), sizeof(value));
        ASSERT_TRUE(WaitHandled(*tail, [&] {
            return PutClipboardData(writer.Window(), {{CF_TEXT, url + '\0'}, {RegisterClipboardFormatW(marker), bytes}});
        }));
    }
    record("http://pw/1");
    EXPECT_TRUE(SlotsShow(*program, expected));

    // Several megabytes are recorded whole, the address at their end too.
    const std::string text = "long:" + std::string(3 << 20, 'x') + " http://tail/z";
    ASSERT_TRUE(Copy(text));
    std::optional<std::string> copied = PressSlot(0);
    ASSERT_TRUE(copied);
    EXPECT_TRUE(*copied == text) << "the entry differs from the copied text: " << copied->size() << " bytes";
    ASSERT_TRUE(SendCommand(*program, ID_MODE_URLHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"http://tail/z", "http://pw/1", "ftp://b/2", "http://a/1"}));
    ASSERT_TRUE(program->Exit());
}

// Append copies put the entry behind or in front of the clipboard text, and
// registering into a history slot replaces that entry. Text put there by a
// program that has no window is another program's change; a picture
// without text records nothing, and the slot menu's commands then stay
// grayed. With the clipboard held open by another program a notification
// is still passed on, and a press, an append copy and a registration do
// nothing, without a hang.
TEST_F(CaptureTest, AppendCopiesAndRegisteringTakeTheClipboardTextOnlyAndABusyClipboardHangsNothing) {
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

    // Each case ends with the clipboard unchanged and the histories too.
    auto slotCommandsChangeNothing = [&](const std::function<void()>& busy, bool press) {
        const DWORD sequence = GetClipboardSequenceNumber();
        busy();
        if (press) program->Click(IDC_SLOT0 + 1);
        for (int item : {kAppendBehind, kAppendFront, kRegister}) EXPECT_TRUE(ChooseOnSlot(1, item)) << item;
        // Posted after the menus' commands, so handled after them.
        program->Command(ID_MODE_SENTENCES);
        EXPECT_TRUE(SlotsShow(*program, {}, 3s)) << "the program hangs";
        CloseClipboard();
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "a slot command changed the clipboard";
        ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
        EXPECT_TRUE(SlotsShow(*program, {"no owner", "A", "BA"}));
    };
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.PutBitmap(); }));
    slotCommandsChangeNothing([] {}, false);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    slotCommandsChangeNothing([&] {
        ASSERT_TRUE(OpenClipboard(writer.Window()));
        // Another viewer passes a notification on while the clipboard is busy.
        EXPECT_TRUE(WaitHandled(*tail, [&] { return PostMessageW(program->View(), WM_DRAWCLIPBOARD, 0, 0) != 0; }))
            << "the notification was not passed on";
    }, true);
    ASSERT_TRUE(Copy("after"));
    EXPECT_TRUE(SlotsShow(*program, {"after", "no owner", "A", "BA"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

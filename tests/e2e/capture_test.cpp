// Recording the clipboard: what another program copies goes to the front of
// the clipboard history and its addresses to the URL history; what the
// program copies itself (a slot press, an append copy) is not recorded. The
// program shares the viewer chain with other viewers and keeps it whole
// whichever of them leaves, itself included, and a hung viewer after it
// does not freeze it.
#include <algorithm>
#include <memory>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using CaptureTest = ProgramTest;

// The order rules themselves are the core's tests; here the program applies
// them to what another program copies, within SentenceMaxCount (eight, so
// the whole history shows at once). Then append copies put the entry
// behind or in front of the clipboard text, and registering into a history
// slot replaces that entry. Text put there by a program that has no window
// is another program's change; a picture without text records nothing, and
// the slot menu's commands then stay grayed. With the clipboard held open
// by another program a notification is still passed on, and a press, an
// append copy and a registration do nothing, without a hang.
TEST_F(CaptureTest, OtherProgramsTextIsRecordedOnceWithinTheBoundAndTheProgramsOwnCopiesAreNot) {
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
    // The same text again leaves one entry; an older one moves to the front;
    // a new text drops the last.
    for (const char* text : {"text 2", "text 3", "text 4", "text 5", "text 6", "text 7", "text 8", "text 8", "text 5",
                             "see http://a/1,ftp://b/2"}) {
        ASSERT_TRUE(Copy(text));
        record(text);
    }
    expected[0] = "see http://a/1";
    EXPECT_TRUE(SlotsShow(*program, expected));

    // Text marked by the program that copied it (a password manager) as not
    // for clipboard histories is recorded in neither; the chain still hears
    // of it.
    const std::pair<const wchar_t*, DWORD> marked[] = {{L"ExcludeClipboardContentFromMonitorProcessing", 0},
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

    ASSERT_TRUE(SendCommand(*program, ID_CLEAR_CLIPHISTORY) && SendCommand(*program, ID_MODE_CLIPHISTORY));
    ASSERT_TRUE(Copy("B") && Copy("A"));
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

// A viewer on a thread of its own that stops serving messages once it has
// joined the chain, as a hung program would.
class HungViewer {
public:
    HungViewer() : thread_(CreateThread(nullptr, 0, &Run, this, 0, nullptr)) { WaitForSingleObject(ready_, 10000); }
    ~HungViewer() {
        SetEvent(release_);
        // Leaving the chain may send to the program, which may pass it on
        // to a window of this thread.
        while (MsgWaitForMultipleObjects(1, &thread_, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) Pump();
        for (HANDLE handle : {thread_, ready_, release_}) CloseHandle(handle);
    }

private:
    static DWORD WINAPI Run(void* data) {
        auto* self = static_cast<HungViewer*>(data);
        ClipboardViewer viewer;
        SetEvent(self->ready_);
        WaitForSingleObject(self->release_, INFINITE);
        return 0;
    }

    HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread_;
};

// Viewers 0 to 2 join before the program and viewer 3 after it, so the
// chain runs 3, program, 2, 1, 0. Each path of the program's chain
// handling comes in turn: a viewer further on leaves (it passes the
// message on), the viewer after it leaves (it links past it), and the
// program itself leaves from the middle of the chain. Then a program whose
// next viewer hangs still records and answers.
TEST_F(CaptureTest, EveryoneLeftInTheChainHearsEveryChangeWhoeverLeavesAndAHungViewerFreezesNothing) {
    std::vector<std::unique_ptr<ClipboardViewer>> viewers;
    std::vector<bool> inChain;
    // Copies `text`: the program, while it runs, records it; the viewers
    // still in the chain hear of it, and those that left hear nothing.
    auto everyoneHears = [&](const std::string& text) {
        const bool runs = program->Running();
        std::vector<int> before;
        for (const auto& viewer : viewers) before.push_back(viewer->Notifications());
        auto heard = [&](std::size_t v) { return viewers[v]->Notifications() > before[v]; };
        EXPECT_TRUE(writer.Put(text));
        WaitUntil([&] {
            for (std::size_t v = 0; v < viewers.size(); ++v) {
                if (inChain[v] && !heard(v)) return false;
            }
            return !runs || program->SlotText(0) == text;
        });
        if (runs) {
            EXPECT_EQ(program->SlotText(0), text) << "not recorded";
            // Whatever the program still passes on has arrived once it answers.
            EXPECT_TRUE(Answers(*program)) << "the program hangs";
        }
        Pump();
        for (std::size_t v = 0; v < viewers.size(); ++v) {
            EXPECT_EQ(heard(v), inChain[v]) << text << ": viewer " << v << (inChain[v] ? " missed it" : " left but heard");
        }
    };
    auto join = [&] {
        viewers.push_back(std::make_unique<ClipboardViewer>());
        inChain.push_back(true);
    };
    for (int i = 0; i < 3; ++i) join();
    program.emplace(folder);
    ASSERT_TRUE(program->WaitFrame() && SendCommand(*program, ID_MODE_CLIPHISTORY));
    join();
    everyoneHears("all");
    for (int leaver : {1, 2}) {
        viewers[leaver]->Leave();
        inChain[leaver] = false;
        everyoneHears("viewer " + std::to_string(leaver) + " gone");
    }
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(program->ExitCode(), 0u);
    everyoneHears("program gone");
    viewers.clear();

    HungViewer hung;  // joins last, so it is the next program's next viewer
    program.emplace(folder);
    ASSERT_TRUE(program->WaitFrame() && SendCommand(*program, ID_MODE_CLIPHISTORY));
    for (const char* text : {"first", "second"}) {
        ASSERT_TRUE(writer.Put(text));
        EXPECT_TRUE(WaitUntil([&] { return program->SlotText(0) == text; })) << text;
        EXPECT_TRUE(Answers(*program, 10s)) << "the program waits for the hung viewer for good";
    }
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

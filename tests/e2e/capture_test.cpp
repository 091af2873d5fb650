// Recording the clipboard: what other programs copy, not what the program
// copies itself; the viewer chain stays whole whoever leaves.
#include <algorithm>
#include <array>
#include <cstdio>
#include <set>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using CaptureTest = ProgramTest;

// The order rules are the core's tests; here the program applies them
// within SentenceMaxCount. Text from a program without a window counts; a
// picture records nothing and leaves the slot menu grayed. With the
// clipboard held open elsewhere slot commands do nothing, without a hang.
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
    for (const char* text : {"text 2", "text 3", "text 4", "text 5", "text 6", "text 7", "text 8", "text 8", "text 5",
                             "see http://a/1,ftp://b/2"}) {
        ASSERT_TRUE(Copy(text));
        record(text);
    }
    expected[0] = "see http://a/1";
    EXPECT_TRUE(SlotsShow(*program, expected));

    // Text marked (by a password manager) as not for histories is recorded
    // in neither; the chain still hears of it.
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
    EXPECT_TRUE(SlotsShow(*program, {"A", "B"}));
    EXPECT_TRUE(ChooseOnSlot(1, kRegister));
    EXPECT_TRUE(SlotsShow(*program, {"A", "AB"}));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.Put("no owner", false); }));
    EXPECT_TRUE(SlotsShow(*program, {"no owner", "A", "AB"}));

    auto slotCommandsChangeNothing = [&](const std::function<void()>& busy, bool press) {
        const DWORD sequence = GetClipboardSequenceNumber();
        busy();
        if (press) program->Click(IDC_SLOT0 + 1);
        for (int item : {kAppendBehind, kAppendFront, kRegister}) EXPECT_TRUE(ChooseOnSlot(1, item)) << item;
        program->Command(ID_MODE_SENTENCES);
        EXPECT_TRUE(SlotsShow(*program, {}, 3s)) << "the program hangs";
        CloseClipboard();
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "a slot command changed the clipboard";
        ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
        EXPECT_TRUE(SlotsShow(*program, {"no owner", "A", "AB"}));
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
    EXPECT_TRUE(SlotsShow(*program, {"after", "no owner", "A", "AB"}));
    ASSERT_TRUE(program->Exit());
}

// A viewer on a thread of its own that stops serving messages once joined.
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

// The chain runs 3, program, 2, 1, 0: a viewer further on leaves (the
// program passes it on), the one after it leaves (it links past), the
// program leaves from the middle. Then a hung next viewer freezes nothing.
TEST_F(CaptureTest, EveryoneLeftInTheChainHearsEveryChangeWhoeverLeavesAndAHungViewerFreezesNothing) {
    std::array<std::optional<ClipboardViewer>, 4> viewers;
    std::array<bool, 4> inChain{true, true, true, true};
    auto everyoneHears = [&](const std::string& text) {
        const bool runs = program->Running();
        std::array<int, 4> before{};
        for (int v = 0; v < 4; ++v) before[v] = viewers[v]->Notifications();
        auto heard = [&](int v) { return viewers[v]->Notifications() > before[v]; };
        EXPECT_TRUE(writer.Put(text));
        WaitUntil([&] {
            for (int v = 0; v < 4; ++v) {
                if (inChain[v] && !heard(v)) return false;
            }
            return !runs || program->SlotText(0) == text;
        });
        if (runs) { EXPECT_TRUE(program->SlotText(0) == text && Answers(*program)) << "not recorded, or hangs: " << text; }
        Pump();
        for (int v = 0; v < 4; ++v) {
            EXPECT_EQ(heard(v), inChain[v]) << text << ": viewer " << v << (inChain[v] ? " missed it" : " left but heard");
        }
    };
    for (int v = 0; v < 3; ++v) viewers[v].emplace();
    program.emplace(folder);
    ASSERT_TRUE(program->WaitFrame() && SendCommand(*program, ID_MODE_CLIPHISTORY));
    viewers[3].emplace();
    everyoneHears("all");
    for (int leaver : {1, 2}) {
        viewers[leaver]->Leave();
        inChain[leaver] = false;
        everyoneHears("viewer " + std::to_string(leaver) + " gone");
    }
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(program->ExitCode(), 0u);
    everyoneHears("program gone");
    for (auto& viewer : viewers) viewer.reset();

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

// Local time in 100 ns ticks.
ULONGLONG LocalTicks() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME file{};
    SystemTimeToFileTime(&now, &file);
    return ULONGLONG{file.dwHighDateTime} << 32 | file.dwLowDateTime;
}

// `format` (UTF-8, printf style) for each second from `from` to now, in
// ANSI, its first `skip` bytes left out.
std::set<std::string> SinceThen(ULONGLONG from, const char* format, std::size_t skip = 0) {
    std::set<std::string> texts;
    for (ULONGLONG t = from - from % 10'000'000; t <= LocalTicks(); t += 10'000'000) {
        const FILETIME file{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        SYSTEMTIME s{};
        FileTimeToSystemTime(&file, &s);
        char text[96];
        std::snprintf(text, sizeof(text), format, s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute, s.wSecond);
        texts.insert(Ansi(text).substr(skip));
    }
    return texts;
}

// The clock follows the time. On: the clock copies the template in the
// Japanese formats, and "<TIME>" in a pressed entry (in an append copy the
// clipboard's part too) becomes the moment. Off: an empty template copies
// nothing, "<TIME>" stays. Neither copy is recorded.
class TimeTagTest : public ProgramTest, public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(Setting, TimeTagTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "On" : "Off"); });

TEST_P(TimeTagTest, ClockAndSlotPressesCopyTheMomentAndRecordNothing) {
    const bool on = GetParam();
    WriteSettings(folder, on ? std::vector<std::string_view>{"EnableTimeTag=YES", "Date=2", "Time=1"}
                             : std::vector<std::string_view>{"EnableTimeTag=NOT", "TimeCopyTemplate="});
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    HWND clock = program->Control(IDC_CLOCK);
    std::string shown;
    auto showsNow = [&] {
        const ULONGLONG before = LocalTicks();
        shown = Ansi(Utf8(WindowText(clock)));
        return SinceThen(before, "%04d/%02d/%02d %02d:%02d:%02d", 11).count(shown) == 1;
    };
    EXPECT_TRUE(WaitUntil(showsNow, 3s)) << "the clock shows " << shown;
    const std::wstring first = WindowText(clock);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(clock) != first; }, 2s)) << "the clock stands still";
    EXPECT_TRUE(WaitUntil(showsNow, 1s)) << "the clock shows " << shown;

    ASSERT_TRUE(Copy("Sent <TIME> <time>") && Copy("marker"));
    ASSERT_TRUE(SlotsShow(*program, {"marker", "Sent <TIME> <t"}));
    auto copiesTheMoment = [&](auto press, const char* expected) {
        const ULONGLONG before = LocalTicks();
        const std::string copied = CopiedBy(press).value_or("nothing");
        EXPECT_EQ((on ? SinceThen(before, expected) : std::set<std::string>{expected}).count(copied), 1u)
            << "copied: " << copied;
    };
    if (on) {
        copiesTheMoment([&] { program->Click(IDC_CLOCK); }, "%04d年%02d月%02d日, %02d時%02d分%02d秒");
    } else {
        const DWORD sequence = GetClipboardSequenceNumber();
        EXPECT_TRUE(SendClick(program->Control(IDC_CLOCK)) && GetClipboardSequenceNumber() == sequence);
    }
    copiesTheMoment([&] { program->Click(IDC_SLOT0 + 1); },
                    on ? "Sent %04d/%02d/%02d %02d:%02d:%02d <time>" : "Sent <TIME> <time>");
    ASSERT_TRUE(Copy("C <TIME>"));
    copiesTheMoment([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendFront)); },
                    on ? "markerC %04d/%02d/%02d %02d:%02d:%02d" : "markerC <TIME>");
    EXPECT_TRUE(SlotsShow(*program, {"C <TIME>", "marker", "Sent <TIME> <t"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

// Recording the clipboard: what another program copies goes to the front of
// the clipboard history and its addresses to the URL history; what the
// program copies itself is not, the date and time it puts in included. The
// viewer chain stays whole whoever leaves.
#include <algorithm>
#include <array>
#include <cstdio>
#include <set>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using CaptureTest = ProgramTest;

// The order rules themselves are the core's tests; here the program applies
// them within SentenceMaxCount (eight: the whole history shows at once).
// Text put there by a program that has no window is another program's
// change; a picture without text records nothing, and the slot menu's
// commands then stay grayed. With the clipboard held open by another
// program a press, an append copy and a registration do nothing, without a
// hang.
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
    // (An append copy in front, of the time tag's tests, is not recorded either.)
    EXPECT_EQ(CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendBehind)); }), "AB");
    EXPECT_TRUE(SlotsShow(*program, {"A", "B"}));
    // Registering into a history slot replaces that entry.
    EXPECT_TRUE(ChooseOnSlot(1, kRegister));
    EXPECT_TRUE(SlotsShow(*program, {"A", "AB"}));
    ASSERT_TRUE(WaitHandled(*tail, [&] { return writer.Put("no owner", false); }));
    EXPECT_TRUE(SlotsShow(*program, {"no owner", "A", "AB"}));

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
    std::array<std::optional<ClipboardViewer>, 4> viewers;
    std::array<bool, 4> inChain{true, true, true, true};
    // Copies `text`: the program, while it runs, records it; the viewers
    // still in the chain hear of it, and those that left hear nothing.
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
        // Whatever the program still passes on has arrived once it answers.
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

SYSTEMTIME LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

// `format` (UTF-8, printf style) filled with the moment's date and time, in ANSI.
std::string Stamp(const char* format, const SYSTEMTIME& t) {
    char text[96];
    std::snprintf(text, sizeof(text), format, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return Ansi(text);
}

const char kSlashed[] = "%04d/%02d/%02d %02d:%02d:%02d";

// What `format` gives for each whole second from `from` to now, its first
// `skip` bytes left out.
std::set<std::string> SinceThen(SYSTEMTIME from, const char* format, std::size_t skip = 0) {
    auto ticks = [](const SYSTEMTIME& t) {
        FILETIME file{};
        SystemTimeToFileTime(&t, &file);
        return ULONGLONG{file.dwHighDateTime} << 32 | file.dwLowDateTime;
    };
    from.wMilliseconds = 0;
    std::set<std::string> texts;
    for (ULONGLONG t = ticks(from), to = ticks(LocalNow()); t <= to; t += 10'000'000) {
        const FILETIME file{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        SYSTEMTIME second{};
        FileTimeToSystemTime(&file, &second);
        texts.insert(Stamp(format, second).substr(skip));
    }
    return texts;
}

// The clock shows the time and follows it. With the time tag on: the clock
// copies the template in the Japanese formats, read from the program's
// string table, and "<TIME>" in a pressed entry becomes the moment, in an
// append copy over the joined text, the clipboard's part too. With it off:
// an empty template copies nothing, and "<TIME>" is copied as it stands.
// Neither copy is recorded.
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
        const SYSTEMTIME before = LocalNow();
        shown = Ansi(Utf8(WindowText(clock)));
        return SinceThen(before, kSlashed, 11).count(shown) == 1;
    };
    EXPECT_TRUE(WaitUntil(showsNow, 3s)) << "the clock shows " << shown;
    const std::wstring first = WindowText(clock);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(clock) != first; }, 2s)) << "the clock stands still";
    EXPECT_TRUE(WaitUntil(showsNow, 1s)) << "the clock shows " << shown;

    ASSERT_TRUE(Copy("Sent <TIME> <time>") && Copy("marker"));
    ASSERT_TRUE(SlotsShow(*program, {"marker", "Sent <TIME> <t"}));
    // What `press` copies is one of `expected`'s texts for a moment since it began.
    auto copiesTheMoment = [&](auto press, const char* expected) {
        const SYSTEMTIME before = LocalNow();
        const std::string copied = CopiedBy(press).value_or("nothing");
        EXPECT_EQ((on ? SinceThen(before, expected) : std::set<std::string>{expected}).count(copied), 1u)
            << "copied: " << copied;
    };
    if (on) {
        copiesTheMoment([&] { program->Click(IDC_CLOCK); }, "%04d年%02d月%02d日, %02d時%02d分%02d秒");
    } else {
        EXPECT_TRUE(PressLeavesClipboard(IDC_CLOCK));
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

// Date and time text in the running program: the clock button's caption,
// the template it copies when pressed, and the "<TIME>" tag of a pressed
// entry. Every format, at fixed moments, is the core's unit tests' concern;
// here the texts must follow the real clock and the settings.
#include <cstdio>
#include <set>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

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

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

// `format` (UTF-8, printf style) filled with three fields, in ANSI.
std::string Fill(const char* format, int a, int b, int c) {
    char text[64];
    std::snprintf(text, sizeof(text), format, a, b, c);
    return Ansi(text);
}
std::string Date(const char* format, const SYSTEMTIME& t) {
    return Fill(format, t.wYear, t.wMonth, t.wDay);
}
std::string Time(const char* format, const SYSTEMTIME& t) {
    return Fill(format, t.wHour, t.wMinute, t.wSecond);
}

// What `text` gives for each whole second from `from` to `to`.
template <class Text>
std::set<std::string> Between(SYSTEMTIME from, SYSTEMTIME to, Text text) {
    auto ticks = [](const SYSTEMTIME& t) {
        FILETIME file{};
        SystemTimeToFileTime(&t, &file);
        return ULONGLONG{file.dwHighDateTime} << 32 | file.dwLowDateTime;
    };
    from.wMilliseconds = 0;
    std::set<std::string> texts;
    for (ULONGLONG t = ticks(from); t <= ticks(to); t += 10'000'000) {
        const FILETIME file{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        SYSTEMTIME second{};
        FileTimeToSystemTime(&file, &second);
        texts.insert(text(second));
    }
    return texts;
}

// The clock shows the time and follows it. With the time tag on: the clock
// copies the template in the Japanese formats, read from the program's
// string table, and "<TIME>" in a pressed entry becomes the moment. With it
// off: an empty template copies nothing, and "<TIME>" is copied as it
// stands. Neither copy is recorded.
class TimeTagTest : public ProgramTest, public ::testing::WithParamInterface<bool> {};

INSTANTIATE_TEST_SUITE_P(Setting, TimeTagTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "On" : "Off"); });

TEST_P(TimeTagTest, ClockAndSlotPressesCopyTheMomentAndRecordNothing) {
    const bool on = GetParam();
    if (on) {
        WriteSettings(folder, {"EnableTimeTag=YES", "Date=2", "Time=1"});
    } else {
        WriteSettings(folder, {"EnableTimeTag=NOT", "TimeCopyTemplate="});
    }
    ASSERT_TRUE(Start(ID_MODE_CLIPHISTORY));
    HWND clock = program->Control(IDC_CLOCK);
    std::string shown;
    auto showsNow = [&] {
        const SYSTEMTIME before = LocalNow();
        shown = Ansi(Utf8(WindowText(clock)));
        return Between(before, LocalNow(), [](const SYSTEMTIME& t) { return Time("%02d:%02d:%02d", t); }).count(shown);
    };
    EXPECT_TRUE(WaitUntil(showsNow, 3s)) << "the clock shows " << shown;
    const std::wstring first = WindowText(clock);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(clock) != first; }, 2s)) << "the clock stands still";
    EXPECT_TRUE(WaitUntil(showsNow, 1s)) << "the clock shows " << shown;

    ASSERT_TRUE(Copy("Sent <TIME> <time>"));
    ASSERT_TRUE(Copy("marker"));
    ASSERT_TRUE(SlotsShow(*program, {"marker", "Sent <TIME> <t"}));

    SYSTEMTIME before = LocalNow();
    if (on) {
        std::optional<std::string> copied = CopiedBy([&] { program->Click(IDC_CLOCK); });
        ASSERT_TRUE(copied);
        auto stamp = [](const SYSTEMTIME& t) {
            return Date("%04d年%02d月%02d日", t) + ", " + Time("%02d時%02d分%02d秒", t);
        };
        EXPECT_EQ(Between(before, LocalNow(), stamp).count(*copied), 1u) << "copied: " << *copied;
    } else {
        EXPECT_TRUE(PressLeavesClipboard(IDC_CLOCK));
    }

    before = LocalNow();
    std::optional<std::string> copied = PressSlot(1);
    ASSERT_TRUE(copied);
    auto tagged = [](const SYSTEMTIME& t) {
        return "Sent " + Date("%04d/%02d/%02d", t) + " " + Time("%02d:%02d:%02d", t) + " <time>";
    };
    const std::set<std::string> expected =
        on ? Between(before, LocalNow(), tagged) : std::set<std::string>{"Sent <TIME> <time>"};
    EXPECT_EQ(expected.count(*copied), 1u) << "copied: " << *copied;

    // An append copy expands the tag over the joined text, the clipboard's part too.
    ASSERT_TRUE(Copy("C <TIME>"));
    before = LocalNow();
    const std::string appended = CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendFront)); }).value_or("none");
    auto joined = [&](const SYSTEMTIME& t) { return "markerC " + tagged(t).substr(5, 19); };
    EXPECT_EQ((on ? Between(before, LocalNow(), joined) : std::set<std::string>{"markerC <TIME>"}).count(appended), 1u)
        << "copied: " << appended;
    EXPECT_TRUE(SlotsShow(*program, {"C <TIME>", "marker", "Sent <TIME> <t"}));
    ASSERT_TRUE(program->Exit());
}

}  // namespace
}  // namespace e2e

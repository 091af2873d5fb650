// Date and time text: the clock button's caption, the template it copies
// when pressed, and the "<TIME>" tag of copied entries.
#include <cstdio>
#include <optional>
#include <set>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

std::string Digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%0*d", width, value);
    return buffer;
}

// The date formats 0..2 and the time formats 0..1 (UTF-8); others empty.
std::string DateText(const SYSTEMTIME& t, int index) {
    static const char* const kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    static const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    const std::string year = Digits(t.wYear, 4), month = Digits(t.wMonth, 2), day = Digits(t.wDay, 2);
    switch (index) {
    case 0:
        return std::string(kDays[t.wDayOfWeek]) + ", " + kMonths[t.wMonth - 1] + ", " + day + ", " + year;
    case 1:
        return year + "/" + month + "/" + day;
    case 2:
        return year + "年" + month + "月" + day + "日";
    default:
        return {};
    }
}

std::string TimeText(const SYSTEMTIME& t, int index) {
    const std::string hour = Digits(t.wHour, 2), minute = Digits(t.wMinute, 2), second = Digits(t.wSecond, 2);
    switch (index) {
    case 0:
        return hour + ":" + minute + ":" + second;
    case 1:
        return hour + "時" + minute + "分" + second + "秒";
    default:
        return {};
    }
}

SYSTEMTIME LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

constexpr ULONGLONG kSecond = 10'000'000;  // in file-time units

ULONGLONG Ticks(const SYSTEMTIME& t) {
    FILETIME file{};
    SystemTimeToFileTime(&t, &file);
    return ULARGE_INTEGER{{file.dwLowDateTime, file.dwHighDateTime}}.QuadPart;
}

SYSTEMTIME FromTicks(ULONGLONG ticks) {
    ULARGE_INTEGER value{};
    value.QuadPart = ticks;
    FILETIME file{value.LowPart, value.HighPart};
    SYSTEMTIME t{};
    FileTimeToSystemTime(&file, &t);
    return t;
}

// Every whole second from `from` to `to`, both included.
std::vector<SYSTEMTIME> SecondsBetween(SYSTEMTIME from, const SYSTEMTIME& to) {
    from.wMilliseconds = 0;
    std::vector<SYSTEMTIME> seconds;
    for (ULONGLONG t = Ticks(from); t <= Ticks(to) && seconds.size() < 120; t += kSecond) {
        seconds.push_back(FromTicks(t));
    }
    return seconds;
}

// The texts (ANSI) that `format` gives for any second from `from` to `to`.
template <class Format>
std::set<std::string> TextsBetween(const SYSTEMTIME& from, const SYSTEMTIME& to, Format format) {
    std::set<std::string> texts;
    for (const SYSTEMTIME& second : SecondsBetween(from, to)) texts.insert(Ansi(format(second)));
    return texts;
}

std::string Join(const std::set<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) joined += "\n  " + text;
    return joined;
}

class DateTimeTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        EmptyTheClipboard();
    }

    // Starts the program, after the tail viewer that tells when it has dealt
    // with a change, with the clipboard history shown and one entry in it, so
    // that any recording would show.
    bool Start() {
        tail.emplace();
        program.emplace(folder);
        return program->WaitFrame() && SendCommand(*program, ID_MODE_CLIPHISTORY) && Copy("marker") &&
               SlotsShow(*program, {"marker"});
    }

    bool Copy(std::string_view text) {
        return WaitHandled(*tail, [&] { return writer.Put(text); });
    }

    // Runs `press`, which makes the program copy, and returns the clipboard's
    // text once the program has dealt with its own change.
    template <class Press>
    std::optional<std::string> CopiedBy(Press press) {
        const DWORD sequence = GetClipboardSequenceNumber();
        std::optional<std::string> text;
        WaitHandled(*tail, [&] {
            press();
            text = ClipboardTextAfter(sequence);
            return text.has_value();
        });
        return text;
    }

    ClipboardWriter writer;
    std::optional<ClipboardViewer> tail;
    std::optional<Program> program;
};

TEST_F(DateTimeTest, ClockShowsTheTimeAndFollowsIt) {
    ASSERT_TRUE(Start());
    HWND clock = program->Control(IDC_CLOCK);
    // The second before counts too: a tick may be due.
    auto showsNow = [&] {
        const SYSTEMTIME earlier = FromTicks(Ticks(LocalNow()) - kSecond);
        const std::string shown = Ansi(Utf8(WindowText(clock)));
        return TextsBetween(earlier, LocalNow(), [](const SYSTEMTIME& t) { return TimeText(t, 0); }).count(shown) > 0;
    };
    EXPECT_TRUE(WaitUntil(showsNow, 3s)) << "the clock shows " << Utf8(WindowText(clock));

    const std::wstring shown = WindowText(clock);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(clock) != shown; }, 2s)) << "the clock stands still";
    EXPECT_TRUE(WaitUntil(showsNow, 1s)) << "the clock shows " << Utf8(WindowText(clock));
    ASSERT_TRUE(program->Exit());
}

// Settings lines, and what the clock button then copies at a given moment
// (UTF-8), or nothing when the clipboard must stay as it is.
struct TemplateCase {
    const char* name;
    std::vector<std::string_view> settings;
    std::optional<std::string> (*expected)(const SYSTEMTIME& t);
};

void PrintTo(const TemplateCase& c, std::ostream* os) {
    *os << c.name;
}

const TemplateCase kTemplateCases[] = {
    {"DefaultTemplate", {}, [](const SYSTEMTIME& t) -> std::optional<std::string> {
         return DateText(t, 0) + ", " + TimeText(t, 0);
     }},
    {"SlashesAndJapaneseTime", {"Date=1", "Time=1"}, [](const SYSTEMTIME& t) -> std::optional<std::string> {
         return DateText(t, 1) + ", " + TimeText(t, 1);
     }},
    {"JapaneseDate", {"Date=2", "Time=0"}, [](const SYSTEMTIME& t) -> std::optional<std::string> {
         return DateText(t, 2) + ", " + TimeText(t, 0);
     }},
    {"TagsTwiceAndTimeTagLeftAlone",
     {"EnableTimeTag=YES", "TimeCopyTemplate=[<D>|<D>] <T> <TIME> <d>"},
     [](const SYSTEMTIME& t) -> std::optional<std::string> {
         return "[" + DateText(t, 0) + "|" + DateText(t, 0) + "] " + TimeText(t, 0) + " <TIME> <d>";
     }},
    {"DateOutsideTheTable", {"Date=5"}, [](const SYSTEMTIME& t) -> std::optional<std::string> {
         return ", " + TimeText(t, 0);
     }},
    {"NoTags", {"TimeCopyTemplate=plain"}, [](const SYSTEMTIME&) -> std::optional<std::string> {
         return "plain";
     }},
    {"EmptyTemplate", {"TimeCopyTemplate="}, [](const SYSTEMTIME&) -> std::optional<std::string> {
         return std::nullopt;
     }},
};

class ClockButton : public DateTimeTest, public ::testing::WithParamInterface<TemplateCase> {};

TEST_P(ClockButton, CopiesTheFilledTemplateAndRecordsNothing) {
    const TemplateCase& c = GetParam();
    WriteSettings(folder, c.settings);
    ASSERT_TRUE(Start());
    HWND clock = program->Control(IDC_CLOCK);
    const SYSTEMTIME before = LocalNow();
    if (!c.expected(before)) {
        // Sent, so that the program is done with the press when this returns.
        const DWORD sequence = GetClipboardSequenceNumber();
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutW(clock, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result));
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the clipboard changed";
        EXPECT_EQ(ClipboardText(), "marker");
    } else {
        std::optional<std::string> copied = CopiedBy([&] { PostMessageW(clock, BM_CLICK, 0, 0); });
        const SYSTEMTIME after = LocalNow();
        ASSERT_TRUE(copied);
        std::set<std::string> expected =
            TextsBetween(before, after, [&](const SYSTEMTIME& t) { return *c.expected(t); });
        EXPECT_EQ(expected.count(*copied), 1u) << "copied: " << *copied << "\nexpected one of:" << Join(expected);
    }
    EXPECT_TRUE(SlotsShow(*program, {"marker"}));
    ASSERT_TRUE(program->Exit());
}

INSTANTIATE_TEST_SUITE_P(Settings, ClockButton, ::testing::ValuesIn(kTemplateCases),
                         [](const ::testing::TestParamInfo<TemplateCase>& info) { return info.param.name; });

// "<TIME>" in a copied entry: replaced by the moment of the copy when the
// setting is on, copied as it stands when off; the lower-case tag never.
struct TimeTagCase {
    const char* name;
    bool enabled;
};

void PrintTo(const TimeTagCase& c, std::ostream* os) {
    *os << c.name;
}

class TimeTag : public DateTimeTest, public ::testing::WithParamInterface<TimeTagCase> {};

TEST_P(TimeTag, InACopiedEntry) {
    WriteSettings(folder, {GetParam().enabled ? "EnableTimeTag=YES" : "EnableTimeTag=NOT"});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("Sent <TIME> <time>"));
    ASSERT_TRUE(Copy("other"));
    ASSERT_TRUE(SlotsShow(*program, {"other", "Sent <TIME> <t", "marker"}));

    const SYSTEMTIME before = LocalNow();
    std::optional<std::string> copied = CopiedBy([&] { program->Click(IDC_SLOT0 + 1); });
    const SYSTEMTIME after = LocalNow();
    ASSERT_TRUE(copied);
    if (GetParam().enabled) {
        std::set<std::string> expected = TextsBetween(before, after, [](const SYSTEMTIME& t) {
            return "Sent " + DateText(t, 1) + " " + TimeText(t, 0) + " <time>";
        });
        EXPECT_EQ(expected.count(*copied), 1u) << "copied: " << *copied << "\nexpected one of:" << Join(expected);
    } else {
        EXPECT_EQ(*copied, "Sent <TIME> <time>");
    }
    EXPECT_TRUE(SlotsShow(*program, {"other", "Sent <TIME> <t", "marker"}));
    ASSERT_TRUE(program->Exit());
}

INSTANTIATE_TEST_SUITE_P(Setting, TimeTag, ::testing::Values(TimeTagCase{"On", true}, TimeTagCase{"Off", false}),
                         [](const ::testing::TestParamInfo<TimeTagCase>& info) { return info.param.name; });

}  // namespace
}  // namespace e2e

// The eight-button panel of the real program: captions, copying a slot,
// the scroll bar and the wheel, the slot buttons' context menu, the form's
// background and a hand-edited SentenceMaxCount below eight.
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const char kNone[] = "未登録";
const int kScrollBar = 1077;
const UINT kShowSentences = 32800;
const UINT kShowClipHistory = 32801;
const UINT kFileOpen = 57601;

void WriteSentences(const TempFolder& folder, const std::vector<std::string>& utf8Texts) {
    std::vector<std::string> ansi;
    for (const std::string& text : utf8Texts) ansi.push_back(Ansi(text));
    WriteBytes(folder.File(L"Quillstack.txt"), ListFileBytes(ansi));
}

// `texts` on the first slots, the placeholder on the rest.
std::vector<std::string> Captions(std::vector<std::string> texts) {
    texts.resize(8, kNone);
    return texts;
}

// Entries "E00", "E01", ... as the list holds them.
std::string Numbered(int i) {
    return (i < 10 ? "E0" : "E") + std::to_string(i);
}

std::vector<std::string> NumberedFrom(int top) {
    std::vector<std::string> texts;
    for (int slot = 0; slot < 8; ++slot) texts.push_back(Numbered(top + slot));
    return texts;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) joined += "[" + text + "]";
    return joined;
}

::testing::AssertionResult CaptionsBecome(const Program& program, const std::vector<std::string>& expected) {
    if (WaitUntil([&] { return program.SlotTexts() == expected; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "captions " << Joined(program.SlotTexts()) << ", expected "
                                         << Joined(expected);
}

int ScrollPos(const Program& program) {
    return GetScrollPos(program.Control(kScrollBar), SB_CTL);
}

// A scroll bar action as the bar itself reports it to the form.
void PostScroll(const Program& program, int code, int position = 0) {
    PostMessageW(program.View(), WM_VSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(program.Control(kScrollBar)));
}

void PostWheel(HWND window, int delta) {
    RECT rect{};
    GetWindowRect(window, &rect);
    PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                 MAKELPARAM(rect.left + 2, rect.top + 2));
}

void RightClick(const Program& program, int slot) {
    PostMessageW(program.Control(1000 + slot), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
}

// Right-button press on a slot, then the `item`-th command of its menu.
::testing::AssertionResult ChooseSlotCommand(const Program& program, int slot, int item) {
    RightClick(program, slot);
    HWND menu = WaitPopupMenu(program);
    if (!menu) return ::testing::AssertionFailure() << "no context menu on slot " << slot;
    if (!ChooseFromPopupMenu(menu, item)) return ::testing::AssertionFailure() << "the menu stays open";
    return ::testing::AssertionSuccess();
}

// Puts `text` on the clipboard and waits until the program has recorded it
// (Wine tells the viewers a moment later), then shows the sentences again.
// A copy made before the record would be read in its place.
::testing::AssertionResult PutRecorded(const Program& program, ClipboardWriter& writer, const std::string& text) {
    if (!writer.Put(text)) return ::testing::AssertionFailure() << "cannot put " << text;
    program.Command(kShowClipHistory);
    bool recorded = WaitUntil([&] { return program.SlotText(0) == text; });
    program.Command(kShowSentences);
    if (!recorded) return ::testing::AssertionFailure() << text << " was not recorded";
    return ::testing::AssertionSuccess();
}

const int kAppendBehind = 0;
const int kAppendFront = 1;
const int kRegister = 2;

class PanelTest : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        EmptyTheClipboard();
    }
};

// ---- Captions -------------------------------------------------------------

TEST_F(PanelTest, EmptyListShowsNotRegisteredAndItsSlotsCopyNothing) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_TRUE(CaptionsBecome(program, Captions({})));

    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put("Before"));
    program.Click(1000);
    program.Click(1007);
    // Shown after the presses: by then they have been handled.
    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Before"})));
    EXPECT_EQ(ClipboardText(), "Before");
    ASSERT_TRUE(program.Exit());
}

struct ViewCase {
    int view;
    std::vector<std::string> sentences;
    std::string clipCaption;  // of a 20-byte text in the clipboard history
};

void PrintTo(const ViewCase& c, std::ostream* out) {
    *out << "View=" << c.view;
}

class ViewSettingTest : public PanelTest, public ::testing::WithParamInterface<ViewCase> {};

// Cuts end on whole characters: a 14-byte cut that would split a
// double-byte character takes 13 bytes.
INSTANTIATE_TEST_SUITE_P(
    Views, ViewSettingTest,
    ::testing::Values(
        ViewCase{0,
                 {"Greeting", "abcdefghijklmn", "aあいうえおか", "あいうえおかき", "x日本語のタイ"},
                 "0123456789ABCD"},
        ViewCase{1, {"Hello", "abcdefghijklmn", "aあいうえおか", "あいうえおかき", "Short text"}, "0123456789ABCD"},
        ViewCase{2, {"Hello", "ghijklmnopqrst", "いうえおかきく", "うえおかきくa", "Short text"}, "6789ABCDEFGHIJ"}),
    [](const auto& info) { return "View" + std::to_string(info.param.view); });

TEST_P(ViewSettingTest, CaptionsShowTitlesStartsOrEnds) {
    WriteSettings(folder, {"View=" + std::to_string(GetParam().view)});
    WriteSentences(folder, {"Hello", "abcdefghijklmnopqrst", "aあいうえおかきく", "あいうえおかきくa", "Short text"});
    WriteBytes(folder.File(L"Quillstack_Title.txt"),
               ListFileBytes({"Greeting", "", "", "", Ansi("x日本語のタイトル")}));
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_TRUE(CaptionsBecome(program, Captions(GetParam().sentences)));

    // The histories have no titles: View 0 shows their start, as View 1 does.
    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put("0123456789ABCDEFGHIJ"));
    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({GetParam().clipCaption})));
    ASSERT_TRUE(program.Exit());
}

// ---- Pressing a slot --------------------------------------------------------

TEST_F(PanelTest, PressingASlotCopiesItsEntryAndRecordsNothing) {
    WriteSentences(folder, {"Hello", "World"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(PutRecorded(program, writer, "Marker"));

    program.Click(1001);
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "World"; })) << ClipboardText();
    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Marker"})));

    // An index past the list's end copies nothing.
    program.Click(1002);
    program.Command(kShowSentences);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Hello", "World"})));
    EXPECT_EQ(ClipboardText(), "World");
    ASSERT_TRUE(program.Exit());
}

// ---- Scrolling ------------------------------------------------------------

class ScrollTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        WriteSettings(folder, {"SentenceMaxCount=16"});
        std::vector<std::string> texts;
        for (int i = 0; i < 16; ++i) texts.push_back(Numbered(i));
        WriteSentences(folder, texts);
    }
};

TEST_F(ScrollTest, RangeIsZeroToEightAndTheBarsMessagesMoveTheCaptions) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    int low = -1, high = -1;
    GetScrollRange(program.Control(kScrollBar), SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 8);
    ASSERT_TRUE(CaptionsBecome(program, NumberedFrom(0)));

    struct Step {
        int code;
        int position;
        int top;
    };
    // A step that must not move is followed by one that moves relatively,
    // so a wrong position shows in the next step.
    const Step steps[] = {
        {SB_LINEDOWN, 0, 1},   {SB_LINEDOWN, 0, 2},      {SB_LINEUP, 0, 1},
        {SB_THUMBTRACK, 4, 4}, {SB_THUMBTRACK, 5, 5},    {SB_THUMBPOSITION, 5, 5},
        {SB_ENDSCROLL, 0, 5},  {SB_PAGEDOWN, 0, 8},      {SB_LINEDOWN, 0, 8},
        {SB_LINEUP, 0, 7},     {SB_THUMBTRACK, 3, 3},    {SB_PAGEUP, 0, 0},
        {SB_LINEUP, 0, 0},     {SB_LINEDOWN, 0, 1},      {SB_TOP, 0, 1},
        {SB_LINEDOWN, 0, 2},
    };
    for (const Step& step : steps) {
        PostScroll(program, step.code, step.position);
        EXPECT_TRUE(CaptionsBecome(program, NumberedFrom(step.top)))
            << "code " << step.code << " position " << step.position;
        EXPECT_EQ(ScrollPos(program), step.top) << "code " << step.code;
    }
    ASSERT_TRUE(program.Exit());
}

TEST_F(ScrollTest, WheelOverTheFormOrASlotMovesByLines) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_GE(lines, 1u);
    ASSERT_LE(lines, 4u) << "the steps below assume small wheel steps";
    const int step = static_cast<int>(lines);
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    HWND slot = program.Control(1003);

    PostWheel(program.View(), -WHEEL_DELTA);
    EXPECT_TRUE(CaptionsBecome(program, NumberedFrom(step)));
    PostWheel(slot, -WHEEL_DELTA);
    EXPECT_TRUE(CaptionsBecome(program, NumberedFrom(2 * step)));
    PostWheel(slot, WHEEL_DELTA);
    EXPECT_TRUE(CaptionsBecome(program, NumberedFrom(step)));
    EXPECT_EQ(ScrollPos(program), step);
    // Never past either end.
    for (int i = 0; i < 4; ++i) PostWheel(program.View(), -WHEEL_DELTA);
    EXPECT_TRUE(CaptionsBecome(program, NumberedFrom(8)));
    for (int i = 0; i < 4; ++i) PostWheel(slot, WHEEL_DELTA);
    EXPECT_TRUE(CaptionsBecome(program, NumberedFrom(0)));
    EXPECT_EQ(ScrollPos(program), 0);
    ASSERT_TRUE(program.Exit());
}

TEST_F(ScrollTest, CaptureWhileScrolledShiftsTheCaptionsByOne) {
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    program.Command(kShowClipHistory);
    ClipboardWriter writer;
    // Most recent first: T12 at index 0, T09 at index 3.
    for (int i = 1; i <= 12; ++i) {
        std::string text = "T" + std::to_string(100 + i).substr(1);
        ASSERT_TRUE(writer.Put(text));
        ASSERT_TRUE(WaitUntil([&] { return program.SlotText(0) == text; })) << text;
    }
    PostScroll(program, SB_THUMBTRACK, 3);
    EXPECT_TRUE(CaptionsBecome(program, {"T09", "T08", "T07", "T06", "T05", "T04", "T03", "T02"}));

    ASSERT_TRUE(writer.Put("New"));
    EXPECT_TRUE(CaptionsBecome(program, {"T10", "T09", "T08", "T07", "T06", "T05", "T04", "T03"}));
    EXPECT_EQ(ScrollPos(program), 3);
    PostScroll(program, SB_PAGEUP);
    EXPECT_TRUE(CaptionsBecome(program, {"New", "T12", "T11", "T10", "T09", "T08", "T07", "T06"}));
    ASSERT_TRUE(program.Exit());
}

// ---- Context menu -----------------------------------------------------------

TEST_F(PanelTest, RegisteringTheClipboardTextShowsItAndTheExitWritesIt) {
    WriteSentences(folder, {"S0"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put(Ansi("新しい文")));

    ASSERT_TRUE(ChooseSlotCommand(program, 2, kRegister));
    EXPECT_TRUE(CaptionsBecome(program, Captions({"S0", kNone, "新しい文"})));
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"S0"})) << "written before the exit";
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"S0", "", Ansi("新しい文")}));
}

TEST_F(PanelTest, ExitWithoutSavingLeavesARegistrationUnwritten) {
    WriteSentences(folder, {"S0"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put("Fresh"));
    ASSERT_TRUE(ChooseSlotCommand(program, 0, kRegister));
    ASSERT_TRUE(CaptionsBecome(program, Captions({"Fresh"})));

    program.Command(32772);
    ASSERT_TRUE(program.WaitExit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"S0"}));
}

TEST_F(PanelTest, AppendCopiesPutTheEntryBehindOrInFront) {
    WriteSentences(folder, {"B"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;

    ASSERT_TRUE(writer.Put("A"));
    ASSERT_TRUE(ChooseSlotCommand(program, 0, kAppendBehind));
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "AB"; })) << ClipboardText();
    ASSERT_TRUE(writer.Put("A"));
    ASSERT_TRUE(ChooseSlotCommand(program, 0, kAppendFront));
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "BA"; })) << ClipboardText();
    ASSERT_TRUE(program.Exit());
}

TEST_F(PanelTest, WithOnlyABitmapOnTheClipboardTheContextCommandsDoNothing) {
    WriteSentences(folder, {"S0", "S1"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(PutRecorded(program, writer, "Marker"));
    ASSERT_TRUE(writer.PutBitmap());

    for (int item : {kAppendBehind, kAppendFront, kRegister}) {
        EXPECT_TRUE(ChooseSlotCommand(program, 1, item)) << "item " << item;
    }
    // Shown after the menus: any command they sent has been handled.
    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Marker"})));
    EXPECT_EQ(ClipboardText(), "");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    program.Command(kShowSentences);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"S0", "S1"})));
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"S0", "S1"}));
}

// ---- Background ---------------------------------------------------------------

// Screen points of the form that no control covers.
std::vector<POINT> BackgroundPoints(HWND view) {
    RECT client{};
    GetClientRect(view, &client);
    std::vector<POINT> points;
    for (int y = client.top + 1; y < client.bottom - 1; y += 3) {
        for (int x = client.left + 1; x < client.right - 1; x += 3) {
            POINT point{x, y};
            ClientToScreen(view, &point);
            if (WindowFromPoint(point) == view) points.push_back(point);
        }
    }
    return points;
}

TEST_F(PanelTest, FormBackgroundHasBkColor) {
    const COLORREF colour = RGB(12, 200, 34);
    WriteSettings(folder, {"BkColor=" + std::to_string(colour)});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    std::vector<POINT> points = BackgroundPoints(program.View());
    ASSERT_GT(points.size(), 20u);

    HDC screen = GetDC(nullptr);
    std::size_t other = 0;
    bool painted = WaitUntil([&] {
        other = 0;
        for (POINT point : points) other += GetPixel(screen, point.x, point.y) != colour;
        return other == 0;
    });
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(painted) << other << " of " << points.size() << " background points have another colour";
    ASSERT_TRUE(program.Exit());
}

// ---- SentenceMaxCount below eight -----------------------------------------------

TEST_F(PanelTest, SentenceMaxCountThreeNeverScrollsNorUsesIndexesOutsideTheList) {
    WriteSettings(folder, {"SentenceMaxCount=3"});
    WriteSentences(folder, {"S0", "S1"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    int low = -1, high = -1;
    GetScrollRange(program.Control(kScrollBar), SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 0);

    PostScroll(program, SB_LINEDOWN);
    PostScroll(program, SB_PAGEDOWN);
    PostScroll(program, SB_THUMBTRACK, 4);
    PostWheel(program.View(), -WHEEL_DELTA);
    ClipboardWriter writer;
    ASSERT_TRUE(PutRecorded(program, writer, "Fresh"));
    // Slot 0 still stands for entry 0: the registration lands there.
    ASSERT_TRUE(ChooseSlotCommand(program, 0, kRegister));
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Fresh", "S1"})));
    EXPECT_EQ(ScrollPos(program), 0);

    // Slot 5 stands for entry 5, past SentenceMaxCount: nothing to copy,
    // nowhere to register.
    ASSERT_TRUE(PutRecorded(program, writer, "Other"));
    program.Click(1005);
    ASSERT_TRUE(ChooseSlotCommand(program, 5, kRegister));
    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Other", "Fresh"})));
    EXPECT_EQ(ClipboardText(), "Other");
    program.Command(kShowSentences);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Fresh", "S1"})));

    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"Fresh", "S1"}));
}

class TinyMaxCountTest : public PanelTest, public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(HandEdited, TinyMaxCountTest, ::testing::Values(0, -5),
                         [](const auto& info) { return info.param < 0 ? std::string("Negative") : "Zero"; });

TEST_P(TinyMaxCountTest, CapturesScrollsAndPressesDoNotCrash) {
    WriteSettings(folder, {"SentenceMaxCount=" + std::to_string(GetParam())});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    EXPECT_TRUE(CaptionsBecome(program, Captions({})));
    program.Command(kShowClipHistory);
    ClipboardWriter writer;
    for (const char* text : {"one", "two"}) {
        ASSERT_TRUE(writer.Put(text));
        EXPECT_TRUE(WaitUntil([&] { return program.SlotText(0) == text; })) << program.SlotText(0);
        PostScroll(program, SB_PAGEDOWN);
        PostScroll(program, SB_LINEUP);
        for (int slot = 0; slot < 8; ++slot) program.Click(1000 + slot);
        EXPECT_TRUE(ChooseSlotCommand(program, 7, kRegister));
    }
    EXPECT_EQ(ScrollPos(program), 0);
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(program.ExitCode(), 0u);
}

// ---- Grayed commands --------------------------------------------------------------

TEST_F(PanelTest, GrayedLoadCommandOpensNothingAndChangesNothing) {
    WriteSentences(folder, {"S0"});
    Program program(folder);
    ASSERT_TRUE(program.WaitFrame());
    ClipboardWriter writer;
    ASSERT_TRUE(writer.Put("Marker"));

    program.Command(kFileOpen);
    program.Command(kShowClipHistory);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"Marker"})));
    for (HWND window : program.TopWindows()) {
        if (window == program.Frame() || !IsWindowVisible(window)) continue;
        ADD_FAILURE() << "a window opened: " << Utf8(ClassName(window)) << " " << Utf8(WindowText(window));
    }
    EXPECT_EQ(ClipboardText(), "Marker");
    program.Command(kShowSentences);
    EXPECT_TRUE(CaptionsBecome(program, Captions({"S0"})));
    ASSERT_TRUE(program.Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"S0"}));
}

}  // namespace
}  // namespace e2e

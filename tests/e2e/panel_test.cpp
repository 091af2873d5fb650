// The eight-button panel of the real program: captions, the scroll bar and
// the wheel, the form's background, a hand-edited SentenceMaxCount below
// eight and a grayed command. (Pressing a slot and its pop-up menu's copies
// are in capture_test.cpp, registering into a slot in settings_file_test.cpp.)
#include <ostream>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const int kRegister = 2;  // the item of a slot's pop-up menu

int ScrollPos(const Program& program) {
    return GetScrollPos(program.Control(IDC_SCROLL), SB_CTL);
}

int ScrollMax(const Program& program) {
    int low = -1, high = -1;
    GetScrollRange(program.Control(IDC_SCROLL), SB_CTL, &low, &high);
    return low == 0 ? high : -1;
}

// A scroll bar action as the bar itself reports it to the form.
void PostScroll(const Program& program, int code, int position = 0) {
    PostMessageW(program.View(), WM_VSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(program.Control(IDC_SCROLL)));
}

void PostWheel(HWND window, int delta) {
    RECT rect{};
    GetWindowRect(window, &rect);
    PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(rect.left + 2, rect.top + 2));
}

using PanelTest = ProgramTest;

TEST_F(PanelTest, EmptyListShowsNotRegisteredAndItsSlotsCopyNothing) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(SlotsShow(*program, {}));
    ASSERT_TRUE(writer.Put("Before"));
    EXPECT_TRUE(PressLeavesClipboard(IDC_SLOT0));
    EXPECT_TRUE(PressLeavesClipboard(IDC_SLOT7));
    ASSERT_TRUE(program->Exit());
}

// ---- Captions: titles, starts or ends ----------------------------------------

struct ViewCase {
    int view;
    std::vector<std::string> sentences;  // the captions of the sentences
    std::string history;                 // of a 20-byte text in the clipboard history
};

void PrintTo(const ViewCase& c, std::ostream* os) {
    *os << "View=" << c.view;
}

class ViewSettingTest : public ProgramTest, public ::testing::WithParamInterface<ViewCase> {};

// Cuts end on whole characters: a 14-byte cut that would split a
// double-byte character takes 13 bytes.
INSTANTIATE_TEST_SUITE_P(
    Views, ViewSettingTest,
    ::testing::Values(
        ViewCase{0, {"Greeting", "abcdefghijklmn", "aあいうえおか", "x日本語のタイ"}, "0123456789ABCD"},
        ViewCase{1, {"Hello", "abcdefghijklmn", "aあいうえおか", "あいうえおかき"}, "0123456789ABCD"},
        ViewCase{2, {"Hello", "ghijklmnopqrst", "いうえおかきく", "うえおかきくa"}, "6789ABCDEFGHIJ"}),
    [](const auto& info) { return "View" + std::to_string(info.param.view); });

TEST_P(ViewSettingTest, CaptionsShowTitlesStartsOrEnds) {
    WriteSettings(folder, {"View=" + std::to_string(GetParam().view)});
    WriteList(L"Quillstack.txt", {"Hello", "abcdefghijklmnopqrst", "aあいうえおかきく", "あいうえおかきくa"});
    WriteList(L"Quillstack_Title.txt", {"Greeting", "", "", "x日本語のタイトル"});
    ASSERT_TRUE(Start());
    EXPECT_TRUE(SlotsShow(*program, GetParam().sentences));

    // The histories have no titles: View 0 shows their start, as View 1 does.
    ASSERT_TRUE(Copy("0123456789ABCDEFGHIJ"));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {GetParam().history}));
    ASSERT_TRUE(program->Exit());
}

// ---- Scrolling ----------------------------------------------------------------

class ScrollTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WriteSettings(folder, {"SentenceMaxCount=16"});
        std::vector<std::string> texts;
        for (int i = 0; i < 16; ++i) texts.push_back(Entry(i));
        WriteList(L"Quillstack.txt", texts);
    }

    static std::string Entry(int i) { return "E" + std::to_string(100 + i).substr(1); }

    // The captions with entry `top` on slot 0.
    static std::vector<std::string> From(int top) {
        std::vector<std::string> texts;
        for (int slot = 0; slot < 8; ++slot) texts.push_back(Entry(top + slot));
        return texts;
    }
};

TEST_F(ScrollTest, RangeIsZeroToEightAndTheBarsMessagesMoveTheCaptions) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(ScrollMax(*program), 8);
    ASSERT_TRUE(SlotsShow(*program, From(0)));

    struct Step {
        int code;
        int position;
        int top;
    };
    // A step that must not move is followed by one that moves relatively,
    // so a wrong position shows in the next step. Thumb messages come
    // outside a live drag too: their own position counts then.
    const Step steps[] = {
        {SB_LINEDOWN, 0, 1},   {SB_LINEDOWN, 0, 2},      {SB_LINEUP, 0, 1},     {SB_THUMBTRACK, 4, 4},
        {SB_THUMBTRACK, 5, 5}, {SB_THUMBPOSITION, 5, 5}, {SB_ENDSCROLL, 0, 5},  {SB_PAGEDOWN, 0, 8},
        {SB_LINEDOWN, 0, 8},   {SB_LINEUP, 0, 7},        {SB_THUMBTRACK, 3, 3}, {SB_PAGEUP, 0, 0},
        {SB_LINEUP, 0, 0},     {SB_LINEDOWN, 0, 1},      {SB_TOP, 0, 1},        {SB_LINEDOWN, 0, 2},
    };
    for (const Step& step : steps) {
        PostScroll(*program, step.code, step.position);
        EXPECT_TRUE(SlotsShow(*program, From(step.top))) << "code " << step.code << " position " << step.position;
        EXPECT_EQ(ScrollPos(*program), step.top) << "code " << step.code;
    }
    ASSERT_TRUE(program->Exit());
}

TEST_F(ScrollTest, WheelOverTheFormOrASlotMovesByLines) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_TRUE(lines >= 1 && lines <= 4) << lines << ": the steps below assume small wheel steps";
    const int step = static_cast<int>(lines);
    ASSERT_TRUE(Start());
    HWND slot = program->Control(IDC_SLOT0 + 3);

    PostWheel(program->View(), -WHEEL_DELTA);
    EXPECT_TRUE(SlotsShow(*program, From(step)));
    PostWheel(slot, -WHEEL_DELTA);
    EXPECT_TRUE(SlotsShow(*program, From(2 * step)));
    PostWheel(slot, WHEEL_DELTA);
    EXPECT_TRUE(SlotsShow(*program, From(step)));
    // Never past either end.
    for (int i = 0; i < 4; ++i) PostWheel(program->View(), -WHEEL_DELTA);
    EXPECT_TRUE(SlotsShow(*program, From(8)));
    for (int i = 0; i < 4; ++i) PostWheel(slot, WHEEL_DELTA);
    EXPECT_TRUE(SlotsShow(*program, From(0)));
    EXPECT_EQ(ScrollPos(*program), 0);
    ASSERT_TRUE(program->Exit());
}

// A hand-edited SentenceMaxCount below eight: nothing scrolls, slot 0 still
// stands for entry 0, and a slot past the count neither copies nor
// registers, whatever the count.
class SmallMaxCountTest : public ProgramTest, public ::testing::WithParamInterface<int> {};

INSTANTIATE_TEST_SUITE_P(HandEdited, SmallMaxCountTest, ::testing::Values(3, -5),
                         [](const auto& info) { return std::string(info.param < 0 ? "Negative" : "Three"); });

TEST_P(SmallMaxCountTest, NothingScrollsAndNoSlotReachesPastTheCount) {
    const int max = GetParam();
    WriteSettings(folder, {"SentenceMaxCount=" + std::to_string(max)});
    ASSERT_TRUE(Start());
    EXPECT_EQ(ScrollMax(*program), 0);
    PostScroll(*program, SB_LINEDOWN);
    PostScroll(*program, SB_PAGEDOWN);
    PostScroll(*program, SB_THUMBTRACK, 4);
    PostWheel(program->View(), -WHEEL_DELTA);
    ASSERT_TRUE(Copy("Fresh"));
    for (int slot : {0, 5, 7}) EXPECT_TRUE(ChooseOnSlot(slot, kRegister)) << slot;
    EXPECT_EQ(ScrollPos(*program), 0);
    for (int slot = 0; slot < 8; ++slot) program->Click(IDC_SLOT0 + slot);

    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(program->ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), max > 0 ? ListFileBytes({"Fresh"}) : "");
    EXPECT_EQ(ClipboardText(), "Fresh");
}

// ---- Background and grayed commands ---------------------------------------------

TEST_F(PanelTest, FormBackgroundHasBkColor) {
    const COLORREF colour = RGB(12, 200, 34);
    WriteSettings(folder, {"BkColor=" + std::to_string(colour)});
    ASSERT_TRUE(Start());
    // Screen points of the form that no control covers.
    HWND view = program->View();
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
    ASSERT_TRUE(program->Exit());
}

TEST_F(PanelTest, GrayedLoadCommandOpensNothingAndChangesNothing) {
    WriteList(L"Quillstack.txt", {"S0"});
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Copy("Marker"));
    program->Command(ID_FILE_OPEN);
    // Posted after it, so handled after it.
    program->Command(ID_MODE_CLIPHISTORY);
    EXPECT_TRUE(SlotsShow(*program, {"Marker"}));
    for (HWND window : program->TopWindows()) {
        EXPECT_TRUE(window == program->Frame() || !IsWindowVisible(window))
            << "a window opened: " << Utf8(ClassName(window)) << " " << Utf8(WindowText(window));
    }
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")), ListFileBytes({"S0"}));
}

}  // namespace
}  // namespace e2e

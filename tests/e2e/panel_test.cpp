// The eight-button panel of the real program: captions, the scroll bar and
// the wheel, the form's background and a hand-edited SentenceMaxCount below
// eight. (Pressing a slot and its pop-up menu's copies are in
// capture_test.cpp, registering into a slot in settings_file_test.cpp.)
#include <cstdlib>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

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

// ---- Captions: titles, starts or ends ----------------------------------------

// The View setting reaches the captions: titles where there are some (the
// cuts themselves are the core's tests), else the start or the end; the
// histories have no titles, so View 0 shows their start.
// Captions are set verbatim: '&' stays (the button makes it a mnemonic),
// line breaks too.
TEST_F(PanelTest, CaptionsShowTitlesStartsOrEndsAsTheViewSettingSays) {
    WriteList(L"Quillstack.txt", {"Hello", "あいうえおかきくa", "R&D\r\nx"});
    WriteList(L"Quillstack_Title.txt", {"Greeting", ""});
    const struct {
        int view;
        std::vector<std::string> sentences, history;
    } cases[] = {
        {0, {"Greeting", "あいうえおかき", "R&D\r\nx"}, {"0123456789ABCD"}},
        {2, {"Hello", "うえおかきくa", "R&D\r\nx"}, {"6789ABCDEFGHIJ"}},
    };
    for (const auto& c : cases) {
        WriteSettings(folder, {"View=" + std::to_string(c.view)});
        ASSERT_TRUE(Start());
        EXPECT_TRUE(SlotsShow(*program, c.sentences)) << "View=" << c.view;
        ASSERT_TRUE(Copy("0123456789ABCDEFGHIJ"));
        ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
        EXPECT_TRUE(SlotsShow(*program, c.history)) << "View=" << c.view;
        ASSERT_TRUE(program->Exit());
    }
}

// ---- Scrolling and the background ----------------------------------------------

std::string Entry(int i) {
    return "E" + std::to_string(100 + i).substr(1);
}

// The captions with entry `top` on slot 0.
std::vector<std::string> From(int top) {
    std::vector<std::string> texts;
    for (int slot = 0; slot < 8; ++slot) texts.push_back(Entry(top + slot));
    return texts;
}

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

TEST_F(PanelTest, BackgroundHasBkColorAndTheBarsMessagesAndTheWheelScrollWhatTheSlotsStandFor) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_TRUE(lines >= 1 && lines <= 4) << lines << ": the steps below assume small wheel steps";
    const int step = static_cast<int>(lines);
    const COLORREF colour = RGB(12, 200, 34);
    WriteSettings(folder, {"SentenceMaxCount=16", "BkColor=" + std::to_string(colour)});
    std::vector<std::string> texts;
    for (int i = 0; i < 16; ++i) texts.push_back(Entry(i));
    WriteList(L"Quillstack.txt", texts);
    ASSERT_TRUE(Start());
    EXPECT_EQ(ScrollMax(*program), 8);
    ASSERT_TRUE(SlotsShow(*program, From(0)));

    const std::vector<POINT> points = BackgroundPoints(program->View());
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

    // The bar's own messages reach the panel and its position; each code's
    // arithmetic is the core's tests. A step that must not move is followed
    // by one that moves relatively, so a wrong position shows next. Thumb
    // messages come outside a live drag too: their own position counts then.
    const struct {
        int code, position, top;
    } steps[] = {
        {SB_LINEDOWN, 0, 1}, {SB_THUMBTRACK, 5, 5}, {SB_ENDSCROLL, 0, 5}, {SB_LINEUP, 0, 4},
        {SB_PAGEDOWN, 0, 8}, {SB_LINEDOWN, 0, 8},   {SB_LINEUP, 0, 7},    {SB_PAGEUP, 0, 0},
    };
    for (const auto& [code, position, top] : steps) {
        PostScroll(*program, code, position);
        EXPECT_TRUE(SlotsShow(*program, From(top))) << "code " << code << " position " << position;
        EXPECT_EQ(ScrollPos(*program), top) << "code " << code;
    }

    // The wheel, over the form or a slot, moves by lines, never past either end.
    HWND slot = program->Control(IDC_SLOT0 + 3);
    const struct {
        HWND window;
        int turns, top;
    } wheel[] = {{program->View(), -1, step}, {slot, -1, 2 * step}, {slot, 1, step}, {program->View(), -4, 8}, {slot, 4, 0}};
    for (const auto& [window, turns, top] : wheel) {
        for (int i = 0; i < std::abs(turns); ++i) PostWheel(window, turns < 0 ? -WHEEL_DELTA : WHEEL_DELTA);
        EXPECT_TRUE(SlotsShow(*program, From(top))) << turns;
    }
    EXPECT_EQ(ScrollPos(*program), 0);

    // Scrolled, a slot stands for entry m_nTop + slot in every command; a
    // capture and a mode switch leave m_nTop where it is.
    PostScroll(*program, SB_THUMBTRACK, 3);
    ASSERT_TRUE(SlotsShow(*program, From(3)));
    EXPECT_EQ(PressSlot(2), Entry(5));
    EXPECT_EQ(CopiedBy([&] { EXPECT_TRUE(ChooseOnSlot(1, kAppendBehind)); }), Entry(5) + Entry(4));
    ASSERT_TRUE(Copy("Fresh"));
    EXPECT_TRUE(ChooseOnSlot(0, kRegister));
    std::vector<std::string> sentences = From(3);
    sentences[0] = "Fresh";
    EXPECT_TRUE(SlotsShow(*program, sentences));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    for (const char* text : {"c1", "c2", "c3", "c4"}) ASSERT_TRUE(Copy(text));
    EXPECT_TRUE(SlotsShow(*program, {"c1", "Fresh"}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_SENTENCES));
    EXPECT_TRUE(SlotsShow(*program, sentences));
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

}  // namespace
}  // namespace e2e

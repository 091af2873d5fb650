// The eight-button panel of the real program: captions, the scroll bar and
// the wheel, and a hand-edited SentenceMaxCount below eight. (Pressing a slot and its pop-up menu's copies are in
// capture_test.cpp, registering into a slot in settings_file_test.cpp.)
#include <cstdlib>

#include "res/resource.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

int ScrollPos(const Program& program) { return GetScrollPos(program.Control(IDC_SCROLL), SB_CTL); }

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

std::string Entry(int i) { return "E" + std::to_string(100 + i).substr(1); }

// The captions with entry `top` on slot 0 (or `count` entries from `top`).
std::vector<std::string> From(int top, int count = 8) {
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back(Entry(top + i));
    return texts;
}

using PanelTest = ProgramTest;

TEST_F(PanelTest, TheBarsMessagesAndTheWheelScrollWhatTheSlotsStandFor) {
    UINT step = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &step, 0);
    ASSERT_TRUE(step >= 1 && step <= 4) << step << ": the steps below assume small wheel steps";
    WriteList(L"Quillstack.txt", From(0, 16));
    ASSERT_TRUE(Start());
    EXPECT_EQ(ScrollMax(*program), 8);
    ASSERT_TRUE(SlotsShow(*program, From(0)));

    // The bar's own messages reach the panel and its position; each code's
    // arithmetic is the core's tests. A step that must not move is followed
    // by one that moves relatively, so a wrong position shows next. Thumb
    // messages come outside a live drag too: their own position counts then.
    const int steps[][3] = {{SB_LINEDOWN, 0, 1}, {SB_THUMBTRACK, 5, 5}, {SB_ENDSCROLL, 0, 5}, {SB_LINEUP, 0, 4},
                            {SB_PAGEDOWN, 0, 8}, {SB_LINEDOWN, 0, 8},   {SB_LINEUP, 0, 7},    {SB_PAGEUP, 0, 0}};
    for (const auto& [code, position, top] : steps) {
        PostScroll(*program, code, position);
        EXPECT_TRUE(SlotsShow(*program, From(top))) << "code " << code << " position " << position;
        EXPECT_EQ(ScrollPos(*program), top) << "code " << code;
    }
    // The wheel, over the form or a slot, moves by lines, never past either end.
    HWND slot = program->Control(IDC_SLOT0 + 3);
    const int one = static_cast<int>(step);
    const std::tuple<HWND, int, int> wheel[] = {
        {program->View(), -1, one}, {slot, -1, 2 * one}, {slot, 1, one}, {program->View(), -4, 8}, {slot, 4, 0}};
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

// View 0 shows a sentence's title where it has one, else its start, and a
// history's start (it has no titles); captions are set verbatim ('&' stays,
// the button makes it a mnemonic; line breaks too). With a hand-edited
// SentenceMaxCount below eight nothing scrolls, slot 0 still stands for
// entry 0, and a slot past the count neither copies nor registers.
TEST_F(PanelTest, CaptionsShowTitlesOrStartsAndNoSlotReachesPastASmallMaxCount) {
    WriteSettings(folder, {"SentenceMaxCount=3"});
    WriteList(L"Quillstack.txt", {"Hello", "あいうえおかきくa", "R&D\r\nx"});
    WriteList(L"Quillstack_Title.txt", {"Greeting", ""});
    ASSERT_TRUE(Start());
    const std::vector<std::string> captions{"Greeting", "あいうえおかき", "R&D\r\nx"};
    EXPECT_TRUE(SlotsShow(*program, captions));
    ASSERT_TRUE(Copy("0123456789ABCDEFGHIJ"));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_CLIPHISTORY));
    EXPECT_TRUE(SlotsShow(*program, {"0123456789ABCD"}));
    ASSERT_TRUE(SendCommand(*program, ID_MODE_SENTENCES));

    EXPECT_EQ(ScrollMax(*program), 0);
    for (int code : {SB_LINEDOWN, SB_PAGEDOWN}) PostScroll(*program, code);
    PostScroll(*program, SB_THUMBTRACK, 4);
    PostWheel(program->View(), -WHEEL_DELTA);
    for (int slot : {0, 5, 7}) EXPECT_TRUE(ChooseOnSlot(slot, kRegister)) << slot;
    EXPECT_TRUE(SlotsShow(*program, captions));
    EXPECT_EQ(ScrollPos(*program), 0);
    for (int slot = 0; slot < 8; ++slot) program->Click(IDC_SLOT0 + slot);
    ASSERT_TRUE(program->Exit());
    EXPECT_EQ(program->ExitCode(), 0u);
    EXPECT_EQ(ReadBytes(folder.File(L"Quillstack.txt")),
              ListFileBytes({"0123456789ABCDEFGHIJ", Ansi("あいうえおかきくa"), "R&D\r\nx"}));
    EXPECT_EQ(ClipboardText(), "R&D\r\nx");
}

}  // namespace
}  // namespace e2e

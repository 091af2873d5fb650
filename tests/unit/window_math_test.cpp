// Arithmetic of the panel's scrolling and of the frame's placement.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <optional>
#include <vector>

#include "core/frame_math.h"
#include "core/panel_math.h"

namespace qs {
namespace {

TEST(PanelMath, ScrollRangeAndPosition) {
    EXPECT_EQ(ScrollMax(16), 8);
    EXPECT_EQ(ScrollMax(7), 0);
    EXPECT_EQ(ScrollMax(INT_MIN), 0);
    EXPECT_EQ(ScrollPosition(kScrollLineUp, 3, 0, 8), 2);
    EXPECT_EQ(ScrollPosition(kScrollLineDown, 3, 0, 8), 4);
    EXPECT_EQ(ScrollPosition(kScrollLineDown, INT_MAX, 0, 8), 8);
    EXPECT_EQ(ScrollPosition(kScrollPageUp, 3, 0, 8), 0);
    EXPECT_EQ(ScrollPosition(kScrollPageDown, 0, 0, 992), 8);
    EXPECT_EQ(ScrollPosition(kScrollThumbPosition, 3, 7, 8), 3);
    EXPECT_EQ(ScrollPosition(kScrollThumbPosition, 12, 0, 8), 8) << "a bar beyond a lowered range comes back";
    EXPECT_EQ(ScrollPosition(kScrollThumbTrack, 3, 6, 8), 6);
    EXPECT_EQ(ScrollPosition(kScrollTop, 3, 0, 8), 3);
    EXPECT_EQ(ScrollPosition(kScrollEnd, 3, 0, 8), std::nullopt);
    // The message carries 16 bits; the bar's track position the rest, but
    // only while it agrees with them (a drag), else the message is the wish.
    EXPECT_EQ(ThumbPosition(70000 & 0xFFFF, 70000), 70000);
    EXPECT_EQ(ThumbPosition(0xFFFF, 131071), 131071);
    EXPECT_EQ(ThumbPosition(3, 70000), 3);
    EXPECT_EQ(ThumbPosition(4, 9), 4);
}

TEST(PanelMath, WheelTurnsWholeAndPartialNotchesIntoLines) {
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.Lines(-120, 3), 3);
    EXPECT_EQ(wheel.Lines(120, 3), -3);
    EXPECT_EQ(wheel.Lines(-120, 0), 0);
    // Partial deltas add up; half a line, then a turn back: the half is dropped.
    EXPECT_EQ(wheel.Lines(-30, 3) + wheel.Lines(-30, 3) + wheel.Lines(-30, 3), 2);
    EXPECT_EQ(wheel.Lines(-30, 3), 1);
    EXPECT_EQ(wheel.Lines(20, 3), 0);
    EXPECT_EQ(wheel.Lines(-20, 3), 0);
    EXPECT_EQ(wheel.Lines(-20, 3), 1);
    wheel.Reset();
    EXPECT_EQ(wheel.Lines(INT_MIN, INT_MAX), INT_MAX) << "huge deltas do not overflow";
}

// Never a negative index, never one at or past the limit.
TEST(PanelMath, SlotIndexIsARealPositionOrNone) {
    EXPECT_EQ(SlotIndex(3, 7, 16), 10);
    EXPECT_EQ(SlotIndex(8, 7, 16), 15);
    for (const auto& [top, slot, limit] :
         {std::array{9, 7, 16}, {0, 8, 16}, {0, -1, 16}, {-1, 0, 16}, {INT_MAX, 7, INT_MAX}}) {
        EXPECT_EQ(SlotIndex(top, slot, limit), std::nullopt) << top << " + " << slot << " < " << limit;
    }
}

// Every height a roll takes from `from`, for a caption (up) or a full
// height (down) of `to`.
std::vector<int> Roll(std::optional<int> (*step)(int, int), int from, int to) {
    std::vector<int> heights;
    for (std::optional<int> h = step(from, to); h && heights.size() < 100; h = step(*h, to)) heights.push_back(*h);
    return heights;
}

TEST(FrameMath, RollsAndTrayListLength) {
    const struct {
        bool up;
        int from, to;
        std::vector<int> heights;
    } cases[] = {
        {true, 50, 19, {40, 30, 20, 10}}, {true, 45, 19, {35, 25, 15}}, {true, 19, 19, {}},
        {true, 15, 4, {5, 0}},            {true, 8, -3, {0}},           {false, 19, 60, {29, 39, 49, 59, 60}},
        {false, 265, 270, {270}},         {false, 270, 270, {}},        {false, -25, 20, {10, 20}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Roll(c.up ? RollUpStep : RollDownStep, c.from, c.to), c.heights) << c.from << " to " << c.to;
    }
    EXPECT_EQ(TrayListLength(8), 8);
    EXPECT_EQ(TrayListLength(9), 16);
}

// A 150-wide frame and a 200-wide editor at offset (dx, dy) from it.
TEST(FrameMath, EditorDocksWithinThirtyPixelsOfEitherSide) {
    const ScreenRect frame{100, 100, 250, 370};
    const std::optional<DockOffset> none;
    const struct {
        int dx, dy;
        std::optional<DockOffset> docked;
    } cases[] = {
        {165, 10, DockOffset{165, 10}},  // where it was docked: kept as it is
        {149, 0, none}, {150, 0, DockOffset{150, 0}}, {179, 0, DockOffset{150, 0}}, {180, 0, none}, {-230, 0, none},
        {-229, 0, DockOffset{-200, 0}}, {-200, 5, DockOffset{-200, 0}}, {-199, 0, none}, {150, 29, DockOffset{150, 0}},
        {150, 30, DockOffset{150, 30}}, {150, -29, DockOffset{150, 0}}, {150, -30, DockOffset{150, -30}},
        {160, 300, DockOffset{150, 270}}, {160, -300, DockOffset{150, -270}}, {150, 301, none}, {150, -301, none},
    };
    for (const auto& c : cases) {
        const ScreenRect editor{100 + c.dx, 100 + c.dy, 300 + c.dx, 400 + c.dy};
        EXPECT_EQ(TryDockEditor(frame, editor, {165, 10}), c.docked) << c.dx << "," << c.dy;
    }
}

// A 150 by 270 frame; a 100 by 80 window in a 1000 by 700 work area.
TEST(FrameMath, TheTemporarySaveWindowShowsUnderTheFrameOrAboveItInsideTheWorkArea) {
    const ScreenRect work{0, 0, 1000, 700};
    const struct {
        int left, top;  // of the frame
        ScreenPoint at;
    } cases[] = {
        {100, 100, {100, 370}},   // under it
        {100, 350, {100, 620}},   // just fits under it
        {100, 351, {100, 271}},   // above it
        {-40, 100, {0, 370}},     // the frame partly off the left edge
        {950, 100, {900, 370}},   // and off the right edge
        {100, 500, {100, 420}},   // the frame's bottom off the work area
        {100, -100, {100, 170}},  // its top
    };
    for (const auto& c : cases) {
        const ScreenRect frame{c.left, c.top, c.left + 150, c.top + 270};
        EXPECT_EQ(PlaceUnderFrame(frame, 100, 80, work), c.at) << c.left << "," << c.top;
    }
    // Larger than the work area: its top-left corner stays inside.
    EXPECT_EQ(PlaceUnderFrame({100, 100, 250, 370}, 1200, 800, work), (ScreenPoint{0, 0}));
    // A work area that does not start at the origin (a second monitor).
    EXPECT_EQ(PlaceUnderFrame({1500, 900, 1650, 1170}, 100, 80, {1280, 0, 2560, 1024}), (ScreenPoint{1500, 820}));
}

}  // namespace
}  // namespace qs

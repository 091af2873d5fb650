#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <optional>
#include <tuple>
#include <vector>

#include "core/frame_math.h"
#include "core/panel_math.h"

namespace qs {
namespace {

TEST(PanelMath, ScrollPositionsAndSlotIndexes) {
    EXPECT_EQ(ScrollMax(16), 8);
    EXPECT_EQ(ScrollMax(7), 0);
    EXPECT_EQ(ScrollMax(INT_MIN), 0);
    // Ordinary steps are tested end to end; here the ends and the wishes.
    EXPECT_EQ(ScrollPosition(kScrollLineDown, INT_MAX, 0, 8), 8);
    EXPECT_EQ(ScrollPosition(kScrollPageDown, 0, 0, 992), 8);
    EXPECT_EQ(ScrollPosition(kScrollThumbPosition, 3, 7, 8), 3);
    EXPECT_EQ(ScrollPosition(kScrollThumbPosition, 12, 0, 8), 8) << "a bar beyond a lowered range comes back";
    EXPECT_EQ(ScrollPosition(kScrollThumbTrack, 3, 50, 8), 8);
    EXPECT_EQ(ScrollPosition(kScrollTop, 3, 0, 8), 3);
    // The message carries 16 bits; the bar's track position the rest, but
    // only while it agrees with them (a drag), else the message is the wish.
    EXPECT_EQ(ThumbPosition(70000 & 0xFFFF, 70000), 70000);
    EXPECT_EQ(ThumbPosition(0xFFFF, 131071), 131071);
    EXPECT_EQ(ThumbPosition(3, 70000), 3);
    EXPECT_EQ(ThumbPosition(4, 9), 4);
    // A slot's index: never negative, never at or past the limit.
    EXPECT_EQ(SlotIndex(3, 7, 16), 10);
    EXPECT_EQ(SlotIndex(8, 7, 16), 15);
    for (auto [top, slot, limit] : {std::array{9, 7, 16}, {0, 8, 16}, {0, -1, 16}, {-1, 0, 16}, {INT_MAX, 7, INT_MAX}}) {
        EXPECT_EQ(SlotIndex(top, slot, limit), std::nullopt) << top << " + " << slot << " < " << limit;
    }
}

TEST(PanelMath, WheelTurnsWholeAndPartialNotchesIntoLines) {
    WheelAccumulator wheel;
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

// Every height a roll takes from `from` to a caption (up) or full height (down) of `to`.
std::vector<int> Roll(std::optional<int> (*step)(int, int), int from, int to) {
    std::vector<int> heights;
    for (std::optional<int> h = step(from, to); h && heights.size() < 100; h = step(*h, to)) heights.push_back(*h);
    return heights;
}

TEST(FrameMath, RollsAndTrayListLength) {
    const std::tuple<bool, int, int, std::vector<int>> cases[] = {  // up or down, from, to, every height
        {true, 50, 19, {40, 30, 20, 10}}, {true, 45, 19, {35, 25, 15}}, {true, 19, 19, {}},
        {true, 15, 4, {5, 0}},            {true, 8, -3, {0}},           {false, 19, 60, {29, 39, 49, 59, 60}},
        {false, 265, 270, {270}},         {false, 270, 270, {}},        {false, -25, 20, {10, 20}},
    };
    for (const auto& [up, from, to, heights] : cases) {
        EXPECT_EQ(Roll(up ? RollUpStep : RollDownStep, from, to), heights) << from << " to " << to;
    }
    EXPECT_EQ(TrayListLength(8), 8);
    EXPECT_EQ(TrayListLength(9), 16);
}

// A 150-wide frame and a 200-wide editor at offset (dx, dy) from it.
TEST(FrameMath, EditorDocksWithinThirtyPixelsOfEitherSide) {
    const ScreenRect frame{100, 100, 250, 370};
    const std::optional<DockOffset> none;
    const std::tuple<int, int, std::optional<DockOffset>> cases[] = {
        {165, 10, DockOffset{165, 10}},  // where it was docked: kept as it is
        {149, 0, none}, {150, 0, DockOffset{150, 0}}, {179, 0, DockOffset{150, 0}}, {180, 0, none}, {-230, 0, none},
        {-229, 0, DockOffset{-200, 0}}, {-200, 5, DockOffset{-200, 0}}, {-199, 0, none}, {150, 29, DockOffset{150, 0}},
        {150, 30, DockOffset{150, 30}}, {150, -29, DockOffset{150, 0}}, {150, -30, DockOffset{150, -30}},
        {160, 300, DockOffset{150, 270}}, {160, -300, DockOffset{150, -270}}, {150, 301, none}, {150, -301, none},
    };
    for (const auto& [dx, dy, docked] : cases) {
        EXPECT_EQ(TryDockEditor(frame, {100 + dx, 100 + dy, 300 + dx, 400 + dy}, {165, 10}), docked) << dx << "," << dy;
    }
}

// A 150 by 270 frame; a 100 by 80 window in a 1000 by 700 work area.
TEST(FrameMath, TheTemporarySaveWindowShowsUnderTheFrameOrAboveItInsideTheWorkArea) {
    const ScreenRect work{0, 0, 1000, 700};
    const auto place = [&work](int left, int top) {
        return PlaceUnderFrame({left, top, left + 150, top + 270}, 100, 80, work);
    };
    EXPECT_EQ(place(100, 100), (ScreenPoint{100, 370})) << "under it";
    EXPECT_EQ(place(100, 350), (ScreenPoint{100, 620})) << "just fits under it";
    EXPECT_EQ(place(100, 351), (ScreenPoint{100, 271})) << "above it";
    EXPECT_EQ(place(-40, 100), (ScreenPoint{0, 370})) << "the frame partly off the left edge";
    EXPECT_EQ(place(950, 100), (ScreenPoint{900, 370})) << "and off the right edge";
    // Larger than the work area: its top-left corner stays inside.
    EXPECT_EQ(PlaceUnderFrame({100, 100, 250, 370}, 1200, 800, work), (ScreenPoint{0, 0}));
    // A work area that does not start at the origin (a second monitor).
    EXPECT_EQ(PlaceUnderFrame({1500, 900, 1650, 1170}, 100, 80, {1280, 0, 2560, 1024}), (ScreenPoint{1500, 820}));
}

}  // namespace
}  // namespace qs

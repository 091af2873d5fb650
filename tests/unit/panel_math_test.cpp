#include "core/panel_math.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <optional>

namespace qs {
namespace {

TEST(PanelMath, ScrollRangeAndPosition) {
    EXPECT_EQ(ScrollMax(16), 8);
    EXPECT_EQ(ScrollMax(7), 0);
    EXPECT_EQ(ScrollMax(-5), 0);
    EXPECT_EQ(ScrollMax(INT_MIN), 0);
    EXPECT_EQ(ScrollPosition(kScrollLineUp, 3, 0, 8), 2);
    EXPECT_EQ(ScrollPosition(kScrollLineDown, 3, 0, 8), 4);
    EXPECT_EQ(ScrollPosition(kScrollLineDown, INT_MAX, 0, 8), 8);
    EXPECT_EQ(ScrollPosition(kScrollPageUp, 3, 0, 8), 0);
    EXPECT_EQ(ScrollPosition(kScrollPageDown, 0, 0, 992), 8);
    EXPECT_EQ(ScrollPosition(kScrollPageDown, 0, 0, ScrollMax(4)), 0) << "fewer than eight entries: nothing scrolls";
    EXPECT_EQ(ScrollPosition(kScrollThumbPosition, 3, 7, 8), 3);
    EXPECT_EQ(ScrollPosition(kScrollThumbPosition, 12, 0, 8), 8) << "a bar beyond a lowered range comes back";
    EXPECT_EQ(ScrollPosition(kScrollThumbTrack, 3, 6, 8), 6);
    EXPECT_EQ(ScrollPosition(kScrollThumbTrack, 3, 50, 8), 8);
    EXPECT_EQ(ScrollPosition(kScrollThumbTrack, 3, -2, 8), 0);
    EXPECT_EQ(ScrollPosition(kScrollTop, 3, 0, 8), 3);
    EXPECT_EQ(ScrollPosition(kScrollEnd, 3, 0, 8), std::nullopt);
}

// The message carries 16 bits; the bar's track position the rest, but only
// while it agrees with them (a drag), else the message is the wish.
TEST(PanelMath, ThumbPositionTakesTheHighBitsFromTheTrackPosition) {
    const int cases[][3] = {
        // message, track position, whole position
        {5, 5, 5},
        {70000 & 0xFFFF, 70000, 70000},
        {0, 65536, 65536},
        {0xFFFF, 131071, 131071},
        {3, 70000, 3},
        {4, 9, 4},
    };
    for (const auto& [message, track, whole] : cases) {
        EXPECT_EQ(ThumbPosition(message, track), whole) << message << " with " << track;
    }
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
    for (const auto& [top, slot, limit] : {std::array{9, 7, 16}, {0, 8, 16}, {0, -1, 16}, {-1, 0, 16}, {0, 5, 4},
                                           {INT_MAX, 7, INT_MAX}}) {
        EXPECT_EQ(SlotIndex(top, slot, limit), std::nullopt) << top << " + " << slot << " < " << limit;
    }
}

}  // namespace
}  // namespace qs

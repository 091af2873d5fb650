#include "view/panel_math.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace qs {
namespace {

TEST(ScrollMaxTest, NeverBelowZero) {
    EXPECT_EQ(ScrollMax(16), 8);
    EXPECT_EQ(ScrollMax(1000), 992);
    EXPECT_EQ(ScrollMax(8), 0);
    EXPECT_EQ(ScrollMax(7), 0);
    EXPECT_EQ(ScrollMax(0), 0);
    EXPECT_EQ(ScrollMax(-5), 0);
}

struct ScrollCase {
    int code;
    int current;
    int thumb;
    int max;
    std::optional<int> expected;
};

class ScrollPositionTest : public testing::TestWithParam<ScrollCase> {};

TEST_P(ScrollPositionTest, Moves) {
    const ScrollCase& c = GetParam();
    EXPECT_EQ(ScrollPosition(c.code, c.current, c.thumb, c.max), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ScrollPositionTest,
    testing::Values(ScrollCase{kScrollLineUp, 3, 0, 8, 2}, ScrollCase{kScrollLineUp, 0, 0, 8, 0},
                    ScrollCase{kScrollLineDown, 3, 0, 8, 4},
                    ScrollCase{kScrollLineDown, 8, 0, 8, 8},
                    ScrollCase{kScrollPageUp, 3, 0, 8, 0},
                    ScrollCase{kScrollPageUp, 8, 0, 8, 0},
                    ScrollCase{kScrollPageDown, 5, 0, 8, 8},
                    ScrollCase{kScrollPageDown, 0, 0, 992, 8},
                    ScrollCase{kScrollThumbPosition, 3, 7, 8, 3},
                    ScrollCase{kScrollThumbTrack, 3, 6, 8, 6},
                    ScrollCase{kScrollThumbTrack, 3, 50, 8, 8},
                    ScrollCase{kScrollThumbTrack, 3, -2, 8, 0},
                    ScrollCase{kScrollTop, 3, 0, 8, 3}, ScrollCase{kScrollBottom, 3, 0, 8, 3},
                    ScrollCase{kScrollEnd, 3, 0, 8, std::nullopt},
                    ScrollCase{9, 3, 0, 8, 3}, ScrollCase{-1, 3, 0, 8, 3},
                    // A bar left beyond a lowered range is brought back.
                    ScrollCase{kScrollThumbPosition, 12, 0, 8, 8},
                    // Fewer than eight entries: nothing scrolls.
                    ScrollCase{kScrollPageDown, 0, 0, ScrollMax(4), 0},
                    ScrollCase{kScrollThumbTrack, 0, 3, ScrollMax(4), 0},
                    ScrollCase{kScrollLineDown, INT_MAX, 0, 8, 8}));

TEST(WheelAccumulatorTest, WholeNotchesMoveByTheSetLines) {
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.Lines(-120, 3), 3);
    EXPECT_EQ(wheel.Lines(120, 3), -3);
    EXPECT_EQ(wheel.Lines(-240, 1), 2);
    EXPECT_EQ(wheel.Lines(-120, 8), 8);
    EXPECT_EQ(wheel.Lines(-120, 0), 0);
}

TEST(WheelAccumulatorTest, PartialDeltasAddUp) {
    WheelAccumulator wheel;
    int total = 0;
    EXPECT_EQ(wheel.Lines(-30, 3), 0);
    for (int i = 0; i < 3; ++i) total += wheel.Lines(-30, 3);
    EXPECT_EQ(total, 3);
    // Half a line up, then a turn back down: the half line is dropped.
    EXPECT_EQ(wheel.Lines(20, 3), 0);
    EXPECT_EQ(wheel.Lines(-20, 3), 0);
    EXPECT_EQ(wheel.Lines(-20, 3), 1);
}

TEST(WheelAccumulatorTest, HugeDeltasDoNotOverflow) {
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.Lines(INT_MIN, INT_MAX), INT_MAX);
    wheel.Reset();
    EXPECT_EQ(wheel.Lines(INT_MAX, INT_MAX), -INT_MAX);
}

struct SlotCase {
    int top;
    int slot;
    int limit;
    std::optional<int> expected;
};

class SlotIndexTest : public testing::TestWithParam<SlotCase> {};

TEST_P(SlotIndexTest, Validates) {
    const SlotCase& c = GetParam();
    EXPECT_EQ(SlotIndex(c.top, c.slot, c.limit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, SlotIndexTest,
    testing::Values(SlotCase{0, 0, 16, 0}, SlotCase{3, 7, 16, 10}, SlotCase{8, 7, 16, 15},
                    SlotCase{9, 7, 16, std::nullopt}, SlotCase{0, 8, 16, std::nullopt},
                    SlotCase{0, -1, 16, std::nullopt}, SlotCase{-1, 0, 16, std::nullopt},
                    SlotCase{-8, 7, 16, std::nullopt}, SlotCase{0, 5, 4, std::nullopt},
                    SlotCase{0, 0, 0, std::nullopt}, SlotCase{INT_MAX, 7, INT_MAX, std::nullopt}));

}  // namespace
}  // namespace qs

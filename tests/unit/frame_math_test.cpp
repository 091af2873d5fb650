#include "core/frame_math.h"

#include <gtest/gtest.h>

#include <vector>

namespace qs {
namespace {

// Every height a roll takes from `from`, for a caption (up) or a full
// height (down) of `to`.
std::vector<int> Roll(std::optional<int> (*step)(int, int), int from, int to) {
    std::vector<int> heights;
    for (std::optional<int> h = step(from, to); h && heights.size() < 100; h = step(*h, to)) heights.push_back(*h);
    return heights;
}

TEST(FrameMath, RollsMoveInStepsOfTenUpToNineBelowTheCaptionOrExactlyToTheFullHeight) {
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
    EXPECT_EQ(Roll(RollUpStep, 270, 20).size(), 25u);
}

TEST(FrameMath, TrayListOffersSixteenItemsOnceTheListReachesPastEight) {
    const int cases[][2] = {{-1, 8}, {0, 8}, {8, 8}, {9, 16}, {1000, 16}};
    for (const auto& [count, items] : cases) EXPECT_EQ(TrayListLength(count), items) << count;
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

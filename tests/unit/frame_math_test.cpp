#include "core/frame_math.h"

#include <gtest/gtest.h>

#include <vector>

namespace qs {
namespace {

template <class Step>
std::vector<int> Heights(Step step, int from, int to) {
    std::vector<int> heights;
    for (std::optional<int> h = step(from, to); h && heights.size() < 100; h = step(*h, to)) heights.push_back(*h);
    return heights;
}

TEST(FrameMath, RollUpStepsOfTenEndAtMostNineBelowTheCaption) {
    const struct {
        int from, caption;
        std::vector<int> heights;
    } cases[] = {
        {270, 20, {260, 250, 240, 230, 220, 210, 200, 190, 180, 170, 160, 150, 140,
                   130, 120, 110, 100, 90, 80, 70, 60, 50, 40, 30, 20}},
        {50, 19, {40, 30, 20, 10}},
        {45, 19, {35, 25, 15}},
        {19, 19, {}},
        {10, 19, {}},
        {15, 4, {5, 0}},
        {8, -3, {0}},  // never below zero, and it ends there
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Heights(RollUpStep, c.from, c.caption), c.heights) << c.from << " to " << c.caption;
    }
}

TEST(FrameMath, RollDownStepsOfTenEndExactlyAtTheFullHeight) {
    const struct {
        int from, full;
        std::vector<int> heights;
    } cases[] = {
        {240, 270, {250, 260, 270}},
        {19, 60, {29, 39, 49, 59, 60}},
        {265, 270, {270}},
        {270, 270, {}},
        {300, 270, {}},
        {-25, 20, {10, 20}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Heights(RollDownStep, c.from, c.full), c.heights) << c.from << " to " << c.full;
    }
    EXPECT_EQ(Heights(RollDownStep, 10, 270).size(), 26u);
}

TEST(FrameMath, TrayListOffersSixteenOnceTheListReachesPastEight) {
    const int cases[][2] = {{0, 8}, {3, 8}, {8, 8}, {9, 16}, {16, 16}, {1000, 16}, {-1, 8}};
    for (const auto& c : cases) EXPECT_EQ(TrayListLength(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace qs

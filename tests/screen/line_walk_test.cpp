#include "screen/line_walk.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace marvolin::screen {
namespace {

TEST(LineWalkTest, VisitsOnePixelPerStepOfTheLongerAxisWithoutTheEnd) {
    using Points = std::vector<std::pair<int, int>>;
    const struct {
        int x0, y0, x1, y1;
        Points expected;
    } cases[] = {
        {5, 5, 5, 5, {}},
        {5, 5, 5, 2, {{5, 5}, {5, 4}, {5, 3}}},
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},
        // An exact half rounds back toward the start, so the reverse line is no mirror image.
        {4, 1, 0, 0, {{4, 1}, {3, 1}, {2, 1}, {1, 0}}},
        {0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}}},
        {10, 10, 11, 12, {{10, 10}, {10, 11}}},
        {0, 0, -3, -3, {{0, 0}, {-1, -1}, {-2, -2}}},
        {3, 0, 1, -5, {{3, 0}, {3, -1}, {2, -2}, {2, -3}, {1, -4}}},
    };
    for (const auto& c : cases) {
        Points visited;
        WalkLine(c.x0, c.y0, c.x1, c.y1, [&](int x, int y) { visited.emplace_back(x, y); });
        EXPECT_EQ(visited, c.expected) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
    }
}

}  // namespace
}  // namespace marvolin::screen

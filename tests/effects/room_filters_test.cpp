#include "effects/room_filters.h"

#include <gtest/gtest.h>

#include <vector>

#include "effects/routine_test_support.h"

namespace marvolin::effects {
namespace {

// Exact reference outputs of the reverberator's filters on a few samples. The values are
// float roundings of double arithmetic in a fixed order: any restructuring of the loops
// that changes the order or the precision of an operation changes them.
// Feedback coefficients of the order a room gives, with all the bits of a double.
constexpr double kG1 = 0.21404000520706177;
constexpr double kG2 = 0.75593364238739014;

TEST(RoomFiltersTest, CombLineGivesItsReferenceSamples) {
    testing::RecordingHost host;
    ProgressTick tick(host, 1000);
    const std::vector<float> early = {0.7f, -0.3f, 0.45f, 0.9f, -0.65f, 0.1f};
    std::vector<float> line(16);
    std::vector<float> late(16, 0.125f);
    RunCombFilter(early, 2, kG1, kG2, line, late, tick);
    // line[i] = early[i - 2] + g2 (line[i - 2] + g1 line[i - 3]), added onto late.
    EXPECT_EQ(line, (std::vector<float>{0.0f, 0.0f, 0.699999988f, -0.300000012f, 0.979153514f,
                                        0.78647989f, 0.0416350923f, 0.852953672f, 0.158725843f,
                                        0.651512921f, 0.257994145f, 0.518182397f, 0.300441265f,
                                        0.433454961f, 0.310955584f, 0.376274586f}));
    EXPECT_EQ(late, (std::vector<float>{0.125f, 0.125f, 0.824999988f, -0.175000012f, 1.10415351f,
                                        0.91147989f, 0.166635096f, 0.977953672f, 0.283725858f,
                                        0.776512921f, 0.382994145f, 0.643182397f, 0.425441265f,
                                        0.55845499f, 0.435955584f, 0.501274586f}));
    EXPECT_TRUE(host.percents.empty());

    // With no delay the line reads its own sample before writing it, as zero.
    std::vector<float> undelayed(5);
    std::vector<float> sum(5);
    RunCombFilter({1.0f, 0.5f}, 0, 0.214, 0.75, undelayed, sum, tick);
    const std::vector<float> expected = {1.0f, 0.66049999f, 0.106010251f, 0.017014645f,
                                         0.0027308506f};
    EXPECT_EQ(undelayed, expected);
    EXPECT_EQ(sum, expected);
}

TEST(RoomFiltersTest, CombLineTicksOncePerSample) {
    testing::RecordingHost host;
    ProgressTick tick(host, 4);
    std::vector<float> line(12);
    std::vector<float> late(12);
    RunCombFilter({1.0f}, 3, 0.2, 0.5, line, late, tick);
    EXPECT_EQ(host.percents, (std::vector<std::uint32_t>{2, 3, 4}));
}

TEST(RoomFiltersTest, AllPassGivesItsReferenceSamples) {
    const std::vector<float> impulses = {1.0f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f, 0.0f, -0.25f};
    std::vector<float> out(8);
    RunAllPass(impulses, 3, out);
    // out[i] = 0.64 (late[i - 3] + 0.6 out[i - 3]) - 0.6 late[i]
    EXPECT_EQ(out, (std::vector<float>{-0.600000024f, 0.0f, 0.0f, 0.109599963f, 0.0f, 0.0f,
                                       0.362086385f, 0.150000006f}));

    const std::vector<float> late = {0.7f,  -0.3f,  0.45f, 0.9f, -0.65f, 0.1f,
                                     0.33f, -0.81f, 0.0f,  0.0f, 0.0f,   0.0f};
    std::vector<float> mixed(12);
    RunAllPass(late, 3, mixed);
    EXPECT_EQ(mixed, (std::vector<float>{-0.420000017f, 0.180000007f, -0.270000011f, -0.253280044f,
                                         0.267120004f, 0.124319978f, 0.28074041f, 0.172574133f,
                                         0.111738876f, 0.319004327f, -0.45213151f, 0.0429077297f}));

    // With no delay the output is read before it is written: 0.64 x - 0.6 x.
    std::vector<float> undelayed(3);
    RunAllPass({1.0f, 0.5f, 0.25f}, 0, undelayed);
    EXPECT_EQ(undelayed, (std::vector<float>{0.0399999619f, 0.0199999809f, 0.00999999046f}));
}

}  // namespace
}  // namespace marvolin::effects

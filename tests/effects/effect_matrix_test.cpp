#include "effects/effect_matrix.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "effects/routines.h"

namespace marvolin::effects {
namespace {

TEST(EffectMatrixTest, HoldsFortyDistinctEffectsInButtonOrder) {
    const auto matrix = EffectMatrix();
    ASSERT_EQ(matrix.size(), 40u);
    std::set<std::string> names;
    std::set<std::pair<int, int>> buttons;
    for (const EffectEntry& entry : matrix) {
        names.insert(entry.FullName());
        buttons.insert({entry.category, entry.clickedEffectButton});
        for (const Routine routine : entry.routines) {
            EXPECT_NE(routine, nullptr) << entry.FullName();
        }
    }
    EXPECT_EQ(names.size(), 40u);
    EXPECT_EQ(buttons.size(), 40u);
    struct Place {
        std::size_t index;
        const char* name;
        std::uint16_t category, button;
    };
    const Place places[] = {{0, "Acoustics/Airport", 0, 8}, {4, "Acoustics/Tunnel", 0, 12},
                            {5, "Aliens/Creature", 1, 8},   {16, "Echoes/Classic", 3, 9},
                            {29, "Robots/Vocoder", 5, 12},  {31, "Transmissions/Flanger", 6, 9},
                            {39, "Volumes/Tremolos", 7, 12}};
    for (const Place& place : places) {
        EXPECT_EQ(matrix[place.index].FullName(), place.name);
        EXPECT_EQ(matrix[place.index].category, place.category) << place.name;
        EXPECT_EQ(matrix[place.index].clickedEffectButton, place.button) << place.name;
    }
}

TEST(EffectMatrixTest, OnlyFourEffectsRunMoreThanOneRoutine) {
    struct Chain {
        std::string name;
        std::size_t routines;
    };
    const Chain chains[] = {
        {"Acoustics/Cathedral", 2},  // the room, then echoes
        {"Acoustics/Tunnel", 2},
        {"Robots/Vocoder", 2},         // echoes twice
        {"Transmissions/Flanger", 3},  // the flanger three times
    };
    std::size_t chained = 0;
    for (const EffectEntry& entry : EffectMatrix()) {
        if (entry.routines.size() > 1) {
            ++chained;
        } else {
            EXPECT_EQ(entry.routines.size(), 1u) << entry.FullName();
        }
    }
    EXPECT_EQ(chained, std::size(chains));
    for (const Chain& chain : chains) {
        const auto entry = FindEffectByName(chain.name);
        ASSERT_TRUE(entry) << chain.name;
        EXPECT_EQ(entry->routines.size(), chain.routines) << chain.name;
    }
    // The steps of a chain differ in their share of the progress.
    const auto vocoder = FindEffectByName("Robots/Vocoder");
    EXPECT_NE(vocoder->routines[0], vocoder->routines[1]);
    EXPECT_EQ(FindEffectByName("Aliens/Reverse")->routines[0], RunReverser);
}

TEST(EffectMatrixTest, FindsEffectsByButtonAndByNameIgnoringCase) {
    struct Case {
        std::string name;
        std::uint16_t category;
        std::uint16_t button;
    };
    const Case known[] = {{"Aliens/E.T.", 1, 9},           {"aliens/e.t.", 1, 9},
                          {"DELIRIUM/UNDER WATER", 2, 12}, {"Echoes/Classic", 3, 9},
                          {"Echoes/Reverse", 3, 10},       {"Aliens/Reverse", 1, 12},
                          {"Filters/Low-pass", 4, 10},     {"Transmissions/Cut-Up", 6, 10},
                          {"Volumes/Fade-in", 7, 8},       {"Volumes/Bell Curve", 7, 10}};
    for (const Case& c : known) {
        const auto byName = FindEffectByName(c.name);
        ASSERT_TRUE(byName) << c.name;
        EXPECT_EQ(byName->category, c.category) << c.name;
        EXPECT_EQ(byName->clickedEffectButton, c.button) << c.name;
        const auto byButton = FindEffect(c.category, c.button);
        ASSERT_TRUE(byButton);
        EXPECT_EQ(byButton->FullName(), byName->FullName());
    }

    for (const char* unknown : {"", "Aliens", "Aliens/", "/E.T.", "Aliens/E.T", "E.T.",
                                "Aliens/E.T./", "Aliens /E.T.", "Echoes/Classic "}) {
        EXPECT_FALSE(FindEffectByName(unknown)) << unknown;
    }
    EXPECT_FALSE(FindEffect(8, 8));
    EXPECT_FALSE(FindEffect(0, 7));
    EXPECT_FALSE(FindEffect(0, 13));
}

}  // namespace
}  // namespace marvolin::effects

#include "model/events.hpp"

#include <gtest/gtest.h>

namespace et {
namespace {

std::array<bool, 6> Distance(int index) {
    std::array<bool, 6> set{};
    if (index >= 0) {
        set[static_cast<std::size_t>(index)] = true;
    }
    return set;
}

std::array<bool, 5> Stroke(int index) {
    std::array<bool, 5> set{};
    if (index >= 0) {
        set[static_cast<std::size_t>(index)] = true;
    }
    return set;
}

// Stroke options: 0 Free, 1 Back, 2 Breast, 3 Fly, 4 I.M.; distances 50 .. 1500.
TEST(ValidDistStroke, GivesTheStandardEventsAndNothingElse) {
    struct Case {
        int distance;
        int stroke;
        bool fiftyMetres;
        std::int16_t code;
    };
    const Case cases[] = {
        {1, 4, false, 29}, {1, 4, true, 0},   {0, 4, false, 0},  {3, 1, false, 0},
        {5, 0, false, 6},  {5, 0, true, 6},   {2, 4, false, 16}, {2, 4, true, 16},
        {0, 0, false, 1},  {0, 1, false, 13}, {0, 2, false, 7},  {0, 3, false, 10},
        {1, 0, false, 2},  {1, 1, false, 14}, {1, 2, false, 8},  {1, 3, false, 11},
        {2, 0, false, 3},  {2, 1, false, 15}, {2, 2, false, 9},  {2, 3, false, 12},
        {3, 0, false, 4},  {3, 4, false, 17}, {4, 0, false, 5},  {4, 4, false, 0},
        {-1, 0, false, 0}, {-1, 4, false, 0}, {2, -1, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValidDistStroke(Distance(c.distance), Stroke(c.stroke), c.fiftyMetres), c.code)
            << c.distance << "/" << c.stroke << "/" << c.fiftyMetres;
    }
}

TEST(ValidDistStroke, TheFirstSetOptionOfEachGroupDecides) {
    std::array<bool, 6> distances{};
    distances[1] = distances[3] = true; // 100 and 400
    std::array<bool, 5> strokes{};
    strokes[1] = strokes[4] = true; // Back and I.M.
    EXPECT_EQ(ValidDistStroke(distances, strokes, false), 14);
}

TEST(EventCodeToText, NamesEveryCodeAndLeavesTheDistanceOfUnknownOnes) {
    struct Case {
        std::int16_t code;
        const char* distance;
        const char* full;
        const char* abbr;
    };
    const Case cases[] = {
        {6, "1500", "Freestyle", "Free"},
        {29, "4x1L", "Individual Medley", "IM"},
        {1, "50  ", "Freestyle", "Free"},
        {8, "100 ", "Breaststroke", "Breast"},
        {12, "200 ", "Butterfly", "Fly"},
        {15, "200 ", "Backstroke", "Back"},
        {20, "400 ", "Medley Team", "MT"},
        {28, "2L", "Backstroke", "Back"},
        {34, "4x2L", "Medley Team", "MT"},
        {35, "kept", "", ""},
        {0, "kept", "", ""},
        {-3, "kept", "", ""},
    };
    for (const Case& c : cases) {
        std::string distance = "kept";
        std::string full = "x";
        std::string abbr = "x";
        const std::int16_t code = c.code;
        EventCodeToText(code, distance, full, abbr);
        EXPECT_EQ(distance, c.distance) << c.code;
        EXPECT_EQ(full, c.full) << c.code;
        EXPECT_EQ(abbr, c.abbr) << c.code;
    }
}

TEST(IndividualEvents, AgreeWithTheEventTexts) {
    for (const IndividualEvent& e : kIndividualEvents) {
        std::string distance;
        std::string full;
        std::string abbr;
        EventCodeToText(e.code, distance, full, abbr);
        EXPECT_EQ(std::stoi(distance), e.distance) << e.code;
        EXPECT_EQ(abbr, e.stroke) << e.code;
    }
}

} // namespace
} // namespace et

#include "points/gb_points.hpp"

#include "convert/pool_factors.hpp"

#include <gtest/gtest.h>

#include <string>

namespace et {
namespace {

TEST(GetRefTime, LooksUpEachSexAndCourse) {
    struct Case {
        std::int16_t event;
        const char* sex;
        std::int16_t course;
        double seconds;
    };
    const Case cases[] = {
        {1, "B", 1, 21.86},  {1, "G", 3, 24.25},   {1, "M", 1, 21.86},  {1, "F", 3, 24.25},
        {1, "L", 3, 24.25},  {1, "G", 1, 24.57},   {1, "B", 0, 21.29},  {1, "B", 2, 21.29},
        {1, "B", 9, 21.29},  {2, "B", 3, 47.0},    {2, "G", 3, 52.89},  {29, "B", 3, 52.87},
        {29, "G", 3, 59.8},  {29, "B", 1, 0.0},    {29, "G", 1, 0.0},   {33, "G", 1, 110.01},
        {32, "G", 1, 0.0},   {32, "G", 3, 98.69},  {6, "G", 1, 960.31}, {6, "B", 3, 870.6},
        {3, "B", 3, 103.23}, {20, "M", 1, 215.66}, {1, "b", 1, 0.0},    {1, "X", 1, 0.0},
        {1, "", 1, 0.0},     {1, "BG", 1, 0.0},    {0, "B", 1, 0.0},    {35, "G", 3, 0.0},
        {-2, "B", 3, 0.0},   {21, "B", 1, 0.0},    {28, "G", 3, 0.0},   {30, "B", 3, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(GetRefTime(c.event, c.sex, c.course), c.seconds)
            << c.event << " " << c.sex << " " << c.course;
    }
}

TEST(GetRefTime, CellsFollowTheTablesPattern) {
    // Individual events and the three long relays have every cell; single lengths and the
    // 4x2L IM none; the 4x1L IM and the 4x2L relays short course only; the 4x1L relays long
    // course only.
    const auto cells = [](int code) -> std::pair<bool, bool> { // long course, short course
        if (code >= 1 && code <= 20) {
            return {true, true};
        }
        if (code == 29 || code == 32 || code == 34) {
            return {false, true};
        }
        if (code == 31 || code == 33) {
            return {true, false};
        }
        return {false, false};
    };
    for (int code = -1; code <= 36; ++code) {
        const auto [hasLong, hasShort] = cells(code);
        const auto event = static_cast<std::int16_t>(code);
        for (const char* sex : {"B", "G"}) {
            const double longCourse = GetRefTime(event, sex, kLongCourse);
            const double shortCourse = GetRefTime(event, sex, kShortCourse);
            EXPECT_EQ(longCourse > 0.0, hasLong) << code << " " << sex;
            EXPECT_EQ(shortCourse > 0.0, hasShort) << code << " " << sex;
            // Women are slower than men, and a short-course time is faster than a long-course
            // one: a cell in the wrong column breaks one of these.
            if (hasLong && hasShort) {
                EXPECT_LT(shortCourse, longCourse) << code << " " << sex;
            }
        }
        for (const std::int16_t course : {kLongCourse, kShortCourse}) {
            if (GetRefTime(event, "B", course) > 0.0) {
                EXPECT_LT(GetRefTime(event, "B", course), GetRefTime(event, "G", course)) << code;
            }
        }
    }
}

TEST(AlphaToTime, ReadsTheTableLayout) {
    EXPECT_DOUBLE_EQ(AlphaToTime("01.43.23"), 103.23);
    EXPECT_DOUBLE_EQ(AlphaToTime("14.30.60"), 870.6);
    EXPECT_EQ(AlphaToTime(" 1.43.23"), 0.0);
    EXPECT_EQ(AlphaToTime(""), 0.0);
}

TEST(CalcGBPoints, ScoresAgainstTheReferenceTime) {
    struct Case {
        double T, R, points;
    };
    const Case cases[] = {
        {23.50, 21.29, 787},
        {23.50, 24.25, 1073},
        {55.00, 48.38, 729},
        {55.00, 54.14, 964},
        {10.50, 21.29, 3212},
        {90.00, 21.29, 0},
        {330.00, 960.31, 4532},
        {300.00, 960.31, 0},
        {21.29, 21.29, 1000},
        {0.01, 21.29, 0},
        {0.0, 21.29, 0},
        {-5.0, 21.29, 0},
        {10.0, 30.0, 4641},
        {60.0, 52.89, 733},
        {60.0, 47.0, 528},
        // The ratio is held in single precision: 3.0000001 is 3 and still scores, 3.0000004
        // is above 3 and does not.
        {10.0, 30.000001, 4641},
        {10.0, 30.000004, 0},
        // 0.01 s scores nothing even against a reference time it is close to; 0.011 s does.
        {0.01, 0.02, 0},
        {0.011, 0.022, 3162},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalcGBPoints(c.T, c.R), c.points) << c.T << " against " << c.R;
    }
}

TEST(FormatPoints, ShowsWholeNumbersAndNothingForZero) {
    EXPECT_EQ(FormatPoints(0.0), "");
    EXPECT_EQ(FormatPoints(787.0), "787");
    EXPECT_EQ(FormatPoints(4641.0), "4641");
}

constexpr const char* kBlank = "        ";

struct ShowCase {
    const char* name;
    std::int16_t type, turnsPH, event;
    const char* box50;
    const char* box25;
    std::optional<std::string> male, female;
    bool message;
};

TEST(ShowGBPoints, OnlyTheFiftyMetrePoolIsLongCourse) {
    // 100 Free with 55.0 in the 50 metres box and 60.0 in the 25 metres box.
    struct Case {
        std::size_t pool; // kPools index
        const char* male;
        const char* female;
    };
    const Case cases[] = {
        {0, "729", "964"}, {1, "528", "733"}, {2, "528", "733"},
        {3, "528", "733"}, {4, "528", "733"}, {5, "528", "733"},
        {6, "528", "733"}, {7, "528", "733"}, {8, "528", "733"},
    };
    for (const Case& c : cases) {
        const PoolInfo& pool = kPools[c.pool];
        const PointsUpdate update =
            ShowGBPoints(pool.type, pool.turnsPerHundred, 2, "   55.0", " 1.00.0");
        EXPECT_EQ(update.box[0], c.male) << pool.caption;
        EXPECT_EQ(update.box[1], c.female) << pool.caption;
        EXPECT_FALSE(update.missingReference) << pool.caption;
    }
}

TEST(ShowGBPoints, ScoresTheRightBoxInTheRightCourse) {
    const std::optional<std::string> keep;
    const ShowCase cases[] = {
        {"25 metres is short course from the 25 metres box", 1, 3, 2, " 1.01.4", " 1.00.0", "528",
         "733", false},
        {"a yards pool is short course too", 3, 3, 1, "   28.3", "   23.5", "787", "1073", false},
        {"50 metres is long course from the 50 metres box", 1, 1, 2, "   55.0", "   99.0", "729",
         "964", false},
        {"no reference time: message, nothing written", 1, 3, 0, " 1.01.4", " 1.00.0", keep, keep,
         true},
        {"100 IM scores short course", 1, 3, 29, kBlank, "   52.87", "1000", "1305", false},
        {"100 IM has no long-course time", 1, 1, 29, "   52.87", kBlank, keep, keep, true},
        {"a blank box empties both figures", 1, 3, 2, " 1.01.4", kBlank, "", "", false},
        {"10 seconds or less empties both figures", 1, 3, 1, "   10.1", "   10.0", "", "", false},
        {"just over 10 seconds scores", 1, 3, 1, "   10.1", "   10.1", "3354", "3832", false},
        {"over 45 minutes empties both figures", 1, 3, 6, kBlank, "45.00.1", "", "", false},
        {"too slow for the men's figure, just scoring for the women's", 1, 1, 1, " 1.30.0", kBlank,
         "", "2", false},
    };
    for (const ShowCase& c : cases) {
        const PointsUpdate update = ShowGBPoints(c.type, c.turnsPH, c.event, c.box50, c.box25);
        EXPECT_EQ(update.box[0], c.male) << c.name;
        EXPECT_EQ(update.box[1], c.female) << c.name;
        EXPECT_EQ(update.missingReference, c.message) << c.name;
    }
}

} // namespace
} // namespace et

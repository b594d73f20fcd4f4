#include "convert/conversion.hpp"
#include "convert/display.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"
#include "model/time_text.hpp"
#include "swim/swim.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace et {
namespace {

TEST(GetPoolFactors, GivesMeasureTurnFactorAndTurns) {
    struct Case {
        std::int16_t distance, event, type, turnsPH;
        double measure, turnFactor;
        float turns;
    };
    const Case cases[] = {
        {100, 2, 3, 3, 0.91087, 42.245, 2.0F},   {100, 2, 1, 1, 1.0, 42.245, 0.0F},
        {200, 15, 2, 3, 1.006041, 41.98, 8.0F},  {1500, 6, 3, 3, 1.004155, 46.221, 495.0F},
        {1500, 6, 1, 3, 1.0, 46.221, 450.0F},    {50, 10, 1, 4, 1.0, 38.269, 0.75F},
        {400, 17, 3, 4, 0.91046, 55.366, 48.0F}, {800, 5, 2, 2, 1.006041, 45.525, 64.0F},
        {200, 16, 3, 3, 0.90443, 49.7, 8.0F},    {100, 8, 3, 2, 0.90895, 63.616, 1.0F},
    };
    for (const Case& c : cases) {
        for (int call = 0; call < 2; ++call) { // a second call gives the same
            double pm = 0.0;
            double tf = 0.0;
            float nt = -1.0F;
            GetPoolFactors(c.distance, c.event, c.type, c.turnsPH, pm, tf, nt);
            EXPECT_EQ(pm, c.measure) << c.event << " in " << c.type << "/" << c.turnsPH;
            EXPECT_EQ(tf, c.turnFactor) << c.event;
            EXPECT_EQ(nt, c.turns) << c.event << " in " << c.type << "/" << c.turnsPH;
        }
    }
}

TEST(GetPoolFactors, EventsWithoutFactorsLeaveTheCallersValues) {
    for (const int event : {0, 29, 18, -1, 35}) {
        for (const int type : {1, 2, 3}) {
            double pm = 7.0;
            double tf = 8.0;
            float nt = 9.0F;
            GetPoolFactors(100, static_cast<std::int16_t>(event), static_cast<std::int16_t>(type),
                           3, pm, tf, nt);
            EXPECT_EQ(tf, 8.0);
            EXPECT_EQ(nt, 9.0F);
            // Metric and near-metric measures hold for any event; a yard pool needs the event.
            EXPECT_EQ(pm, type == 1 ? 1.0 : type == 2 ? 1.006041 : 7.0) << event;
        }
    }
}

TEST(LongCourseTime, SolvesThePoolModel) {
    struct Case {
        std::int16_t event, distance;
        double swum;
        std::int16_t type, turnsPH;
        double longCourse;
    };
    const Case cases[] = {
        {2, 100, 60.0, 1, 3, 61.3766},
        {1, 50, 25.0, 3, 3, 28.2486},
        {6, 1500, 900.0, 1, 3, 922.5457},
    };
    for (const Case& c : cases) {
        const auto T = LongCourseTime(c.event, c.distance, c.swum, c.type, c.turnsPH);
        ASSERT_TRUE(T.has_value());
        EXPECT_NEAR(*T, c.longCourse, 5e-5) << c.event;
    }
    // In the 50-metre pool the time is the long-course time, exactly.
    EXPECT_EQ(LongCourseTime(2, 100, 60.0, 1, 1), 60.0);
    EXPECT_FALSE(LongCourseTime(29, 100, 60.0, 1, 3).has_value());
    EXPECT_FALSE(LongCourseTime(0, 100, 60.0, 3, 3).has_value());
}

TEST(TimeConvertTo50, RoundsToTheNearestTenth) {
    EXPECT_DOUBLE_EQ(TimeConvertTo50(60.0, 1.0, 42.245, 2.0F), 61.4);
    EXPECT_EQ(TimeConvertTo50(60.0, 1.0, 42.245, 0.0F), 60.0);
    EXPECT_DOUBLE_EQ(TimeConvertTo50(60.04, 1.0, 0.0, 0.0F), 60.0);
    EXPECT_DOUBLE_EQ(TimeConvertTo50(60.06, 1.0, 0.0, 0.0F), 60.1);
}

struct DisplayCase {
    const char* name;
    std::int16_t event, distance;
    double swum;
    std::int16_t type, turnsPH;
    BoxTexts boxes;
};

const std::string B(kBlankBox);

TEST(ConvertedTimes, ShowsEveryPoolToATenth) {
    const DisplayCase cases[] = {
        {"100 Free 60.00 in 25 metres",
         2,
         100,
         60.0,
         1,
         3,
         {" 1.01.4", " 1.00.7", " 1.00.0", "   59.3", " 1.01.1", " 1.00.4", "   55.2", "   54.5",
          "   53.8"}},
        {"100 Free 50.00 in 50 metres",
         2,
         100,
         50.0,
         1,
         1,
         {"   50.0", "   49.2", "   48.3", "   47.5", "   49.5", "   48.6", "   44.7", "   43.9",
          "   43.0"}},
        {"1500 Free 900.00 in 25 metres",
         6,
         1500,
         900.0,
         1,
         3,
         {"15.22.6", "15.11.3", "15.00.0", "14.48.7", "15.16.9", "15.05.6", B, "15.01.6", B}},
        {"200 IM 130.00 in 25 metres",
         16,
         200,
         130.0,
         1,
         3,
         {" 2.13.0", B, " 2.10.0", B, B, " 2.10.8", B, " 1.57.3", B}},
        {"50 Free 25.00 in 25 yards",
         1,
         50,
         25.0,
         3,
         3,
         {"   28.3", B, "   27.5", B, B, "   27.7", B, "   25.0", B}},
        // Every step rounded to double on its own: the 25 yards time works out a hair under
        // 32.945, so it shows 32.9. A fused multiply-add in the pool model would show 33.0.
        {"800 Free 100.00 in 50 metres",
         5,
         800,
         100.0,
         1,
         1,
         {" 1.40.0", " 1.10.9", "   41.7", "   12.6", " 1.11.5", "   42.3", " 1.02.1", "   32.9",
          "   03.8"}},
        {"100 IM has no factors", 29, 100, 60.0, 1, 3, {B, B, B, B, B, B, B, B, B}},
        {"no event", 0, 100, 60.0, 3, 3, {B, B, B, B, B, B, B, B, B}},
    };
    for (const DisplayCase& c : cases) {
        EXPECT_EQ(ConvertedTimes(c.event, c.distance, c.swum, c.type, c.turnsPH), c.boxes)
            << c.name;
    }
}

TEST(DispTimes, ShowsTheTenthOfTheTimePlusAHalfTenth) {
    struct Case {
        double longCourse;
        const char* shown; // the 50 metres box
    };
    const Case cases[] = {
        // 65.446 + 0.05 rounds to 65.50 in hundredths, so the higher tenth shows.
        {65.446, " 1.05.5"},
        {65.44, " 1.05.4"},
        {65.45, " 1.05.5"},
        {65.444, " 1.05.4"},
        // The half tenth carries into the minute, and the cut keeps 'm.ss.t' or 'mm.ss.t'.
        {59.95, " 1.00.0"},
        {59.944, "   59.9"},
        {599.95, "10.00.0"},
        {599.944, " 9.59.9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DispTimes(2, c.longCourse, 100)[0], c.shown) << c.longCourse;
    }
}

TEST(ConvertedTimes, TheEnteredPoolShowsTheEnteredTimeToATenth) {
    // Every pool in which the event can be swum gives back what was typed, whatever the event.
    for (std::size_t box = 0; box < kPools.size(); ++box) {
        const PoolInfo& pool = kPools[box];
        for (const auto& event : kIndividualEvents) {
            for (const double swum : {24.37, 61.23, 133.37, 500.01, 1020.53}) {
                const BoxTexts boxes = ConvertedTimes(event.code, event.distance, swum, pool.type,
                                                      pool.turnsPerHundred);
                if (boxes[box] == B) {
                    continue;
                }
                const std::string expected = TimeToAlpha(swum + 0.05, "P").substr(0, 7);
                EXPECT_EQ(boxes[box], expected) << event.code << " in " << pool.caption;
            }
        }
    }
}

TEST(BoxText, IsThatBoxOfTheWholeSwim) {
    // Every event (and the 100 IM, which has no factors) typed in every pool, at times from 10.00
    // seconds (refused) through swims too fast to come out in every pool to 45 minutes and just
    // over (refused): one box worked out alone is that box of the nine, to the character, and a
    // time is refused alike.
    std::vector<IndividualEvent> events(kIndividualEvents.begin(), kIndividualEvents.end());
    events.push_back({kMedley4x1L, 100, "IM"});
    std::vector<long> times = {1000, 1001, 1099, 269999, 270000, 270001};
    for (long hundredths = 1003; hundredths < 270000; hundredths += 1013) {
        times.push_back(hundredths);
    }
    std::size_t blank = 0;
    for (const PoolInfo& pool : kPools) {
        for (const IndividualEvent& event : events) {
            for (const long hundredths : times) {
                char text[32];
                std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", hundredths / 6000,
                              hundredths / 100 % 60, hundredths % 100);
                SwimResult whole;
                std::string wholeError;
                const bool taken = EvaluateSwim(pool, event, text, whole, wholeError);
                TypedSwim swim;
                std::string error;
                ASSERT_EQ(ReadSwim(pool, event, text, swim, error), taken) << text;
                EXPECT_EQ(error, wholeError) << text;
                for (std::size_t n = 0; taken && n < kPools.size(); ++n) {
                    const std::string box = BoxText(event, swim, n);
                    ASSERT_EQ(box, whole.boxes[n])
                        << event.distance << " " << event.stroke << " " << text << " in "
                        << pool.caption << ", box " << n;
                    blank += box == kBlankBox ? 1U : 0U;
                }
            }
        }
    }
    EXPECT_GT(blank, 0U); // blank boxes were compared too
}

} // namespace
} // namespace et

namespace {

// A time comes out at zero or less only where a pool has more turns to take off than the swim has
// time; the pool so named is the first such in box order. Plausible times and their pools say
// nothing.
TEST(ImplausibleTimeWarning, NamesHowTheTextWasReadAndWhy) {
    const et::IndividualEvent& free100 = et::kIndividualEvents[1];
    et::PoolTimes times;
    times.fill(60.0);
    EXPECT_EQ(et::ImplausibleTimeWarning(free100, "60.00", 60.0, times), "");
    times[3] = 0.0;
    times[8] = -1.0;
    EXPECT_EQ(et::ImplausibleTimeWarning(free100, " 60.00 ", 60.0, times),
              "60.00 was read as 60.00 seconds, which comes out at zero or less in 20 metres");
    times[3].reset(); // a pool the event cannot be swum in
    EXPECT_EQ(et::ImplausibleTimeWarning(free100, "1:00.00", 60.0, times),
              "1:00.00 was read as 60.00 seconds, which comes out at zero or less in 20 yards");

    // The real thing: a 1500 typed as minutes and seconds with one separator, in a 50 metres
    // pool, has no time at all in the pools with many turns.
    const et::IndividualEvent& free1500 = et::kIndividualEvents[5];
    const et::PoolTimes real = et::TimesInEveryPool(free1500.code, 16.3, free1500.distance);
    EXPECT_TRUE(std::any_of(real.begin(), real.end(), [](auto t) { return t && *t <= 0.0; }));
    EXPECT_EQ(et::BoxesOf(real), et::DispTimes(free1500.code, 16.3, free1500.distance));
    EXPECT_EQ(et::ImplausibleTimeWarning(free1500, "16:30", 16.3, real),
              "16:30 was read as 16.30 seconds, under a third of the 1500 Free reference time: "
              "write 16:30.00 for 16 minutes 30 seconds");
}

} // namespace

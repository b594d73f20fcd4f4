// Properties over the whole domain: every individual event, every pool, every entered time.
#include "convert/conversion.hpp"
#include "convert/display.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"
#include "model/time_text.hpp"
#include "points/gb_points.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace et {
namespace {

// Seconds shown in a box, or -1 for a blank box.
double BoxSeconds(const std::string& box) {
    if (box == kBlankBox) {
        return -1.0;
    }
    double value = 0.0;
    std::string normal;
    std::int16_t nerr = -1;
    timecheck(box, value, normal, nerr);
    // Converted times of very short swims may fall under the 10 seconds that can be entered.
    EXPECT_NE(nerr, kTimeMalformed) << "'" << box << "'";
    return value;
}

TEST(Properties, TheLongCourseTimeTakesThePoolModelBackToTheEnteredTime) {
    for (const auto& event : kIndividualEvents) {
        for (const PoolInfo& pool : kPools) {
            double pm = 0.0;
            double tf = 0.0;
            float nt = 0.0F;
            GetPoolFactors(event.distance, event.code, pool.type, pool.turnsPerHundred, pm, tf, nt);
            for (double swum = 10.01; swum <= 2700.0; swum *= 1.37) {
                const auto T = LongCourseTime(event.code, event.distance, swum, pool.type,
                                              pool.turnsPerHundred);
                ASSERT_TRUE(T.has_value());
                const double back = pm * *T - tf * static_cast<double>(nt) / *T;
                EXPECT_NEAR(back, swum, 1e-9 * swum) << event.code << " in " << pool.caption;
            }
        }
    }
}

TEST(Properties, SlowerSwimsNeverConvertFasterNorScoreMore) {
    for (const auto& event : kIndividualEvents) {
        for (const PoolInfo& pool : kPools) {
            std::array<double, 9> before{};
            std::array<int, 2> pointsBefore{};
            bool first = true;
            // Every tenth up to 200 s, then coarser steps to 45 minutes.
            for (int tenths = 101; tenths <= 27000; tenths += tenths < 2000 ? 1 : 37) {
                const double swum = tenths / 10.0;
                const BoxTexts boxes = ConvertedTimes(event.code, event.distance, swum, pool.type,
                                                      pool.turnsPerHundred);
                for (std::size_t b = 0; b < boxes.size(); ++b) {
                    const double now = BoxSeconds(boxes[b]);
                    if (!first) {
                        // A blank box may gain a time as the swim slows, never lose it.
                        ASSERT_TRUE(before[b] < 0 || now >= 0) << event.code << " box " << b;
                        ASSERT_GE(now, before[b]) << event.code << " in " << pool.caption << " box "
                                                  << b << " at " << swum;
                    }
                    before[b] = now;
                }
                const PointsUpdate points =
                    ShowGBPoints(pool.type, pool.turnsPerHundred, event.code, boxes[0], boxes[2]);
                ASSERT_FALSE(points.missingReference);
                // Only a scored time counts: one of 10 seconds or less scores nothing at all.
                const double scored = BoxSeconds(pool.turnsPerHundred == 1 && pool.type == 1
                                                     ? boxes[kFiftyMetreBox]
                                                     : boxes[kTwentyFiveMetreBox]);
                for (std::size_t sex = 0; sex < 2; ++sex) {
                    ASSERT_TRUE(points.box[sex].has_value());
                    const int now = points.box[sex]->empty() ? 0 : std::stoi(*points.box[sex]);
                    // Under 10 seconds nothing is scored, and a time under a third of the
                    // reference time is off the table and scores nothing: neither is a score.
                    const double reference = GetRefTime(
                        event.code, sex == 0 ? "B" : "G",
                        pool.type == 1 && pool.turnsPerHundred == 1 ? kLongCourse : kShortCourse);
                    if (scored <= kShortestTime || reference / scored > 3.0) {
                        ASSERT_EQ(now, 0);
                        pointsBefore[sex] = 10000;
                        continue;
                    }
                    if (!first) {
                        ASSERT_LE(now, pointsBefore[sex])
                            << event.code << " in " << pool.caption << " at " << swum;
                    }
                    pointsBefore[sex] = now;
                }
                first = false;
            }
        }
    }
}

TEST(Properties, NoEnteredTimeGivesNaNOrANegativeTime) {
    for (const auto& event : kIndividualEvents) {
        for (const PoolInfo& pool : kPools) {
            for (int hundredths = 1001; hundredths <= 270000; hundredths += 997) {
                const double swum = hundredths / 100.0;
                const auto T = LongCourseTime(event.code, event.distance, swum, pool.type,
                                              pool.turnsPerHundred);
                ASSERT_TRUE(T.has_value());
                ASSERT_TRUE(std::isfinite(*T));
                ASSERT_GT(*T, 0.0);
                for (const std::string& box : DispTimes(event.code, *T, event.distance)) {
                    ASSERT_TRUE(box == kBlankBox || (box.size() == 7 && BoxSeconds(box) >= 0.0))
                        << "'" << box << "'";
                }
            }
        }
    }
}

} // namespace
} // namespace et

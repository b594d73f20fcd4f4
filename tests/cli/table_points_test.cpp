#include "cli/points_target.hpp"
#include "convert/swim.hpp"
#include "cli/table.hpp"

#include "convert/display.hpp"
#include "points/gb_points.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using et::cli::AcceptedHundredths;
using et::cli::StepHundredths;

TEST(TableInputs, TimesAreTakenAsTheWindowTakesThem) {
    struct Case {
        std::string_view text;
        std::optional<long> hundredths;
    };
    const Case cases[] = {
        {"59.9", 5990},          {"1:00.00", 6000},    {"1.00", std::nullopt},
        {"75.2", 7520},          {"45:00.00", 270000}, {"45:00.01", std::nullopt},
        {"10.00", std::nullopt}, {"10.01", 1001},      {"1.75.00", std::nullopt},
        {"abc", std::nullopt},   {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_EQ(AcceptedHundredths(c.text, error), c.hundredths);
        EXPECT_EQ(error.empty(), c.hundredths.has_value());
    }
}

TEST(TableInputs, StepsInSecondsToTheHundredth) {
    struct Case {
        std::string_view text;
        std::optional<long> hundredths;
    };
    const Case cases[] = {
        {"0.1", 10},          {"1", 100},
        {"0.05", 5},          {".5", 50},
        {"2.", 200},          {"0.01", 1},
        {"0", std::nullopt},  {"0.001", std::nullopt},
        {"-1", std::nullopt}, {"1e2", std::nullopt},
        {"", std::nullopt},   {".", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(StepHundredths(c.text), c.hundredths);
    }
}

TEST(Table, RowsStepInWholeHundredthsAndMatchTheBoxes) {
    const et::PoolInfo& pool = et::kPools[2];                    // 25 metres
    const et::IndividualEvent& event = et::kIndividualEvents[1]; // 100 Free
    std::string written;
    {
        et::cli::CsvWriter out([&](std::string_view bytes) {
            written += bytes;
            return true;
        });
        // Thirty steps of 0.1 from 59.80: a float accumulator would drift off the hundredths.
        ASSERT_TRUE(et::cli::WriteTableCsv(pool, event, {5980, 6280, 10}, out));
    }
    std::string expected = "time,50m,33m,25m,20m,36y,27y,33y,25y,20y\n";
    for (long h = 5980; h <= 6280; h += 10) {
        const std::string entered = et::EnteredTimeText(h);
        expected += entered;
        for (const std::string& box :
             et::ConvertedTimes(event.code, event.distance, static_cast<double>(h) / 100.0,
                                pool.type, pool.turnsPerHundred)) {
            expected += "," + std::string(et::BareBoxText(box));
        }
        expected += "\n";
    }
    EXPECT_EQ(written, expected);
    EXPECT_NE(written.find("\n1.00.00,1.01.4,1.00.7,1.00.0,59.3,1.01.1,1.00.4,55.2,54.5,53.8\n"),
              std::string::npos);
    EXPECT_NE(written.find("\n1.02.80,"), std::string::npos); // the last row is included
}

TEST(PointsTarget, SlowestTimeScoringTheTargetForEveryEventSexAndCourse) {
    const long targets[] = {1, 2, 100, 499, 500, 528, 733, 999, 1000, 1001, 2500, 4000, 4600};
    for (const et::IndividualEvent& event : et::kIndividualEvents) {
        for (const std::string_view sex : {"M", "F"}) {
            for (const std::int16_t course : {et::kLongCourse, et::kShortCourse}) {
                const double R = et::GetRefTime(event.code, sex, course);
                for (const long target : targets) {
                    SCOPED_TRACE(std::to_string(event.code) + std::string(sex) +
                                 std::to_string(course) + " " + std::to_string(target));
                    const auto found = et::cli::FindPointsTarget(event, sex, course, target);
                    ASSERT_EQ(found.outcome, et::cli::PointsTarget::Outcome::Found);
                    const double T = static_cast<double>(found.hundredths) / 100.0;
                    EXPECT_GE(et::CalcGBPoints(T, R), static_cast<double>(target));
                    EXPECT_LT(et::CalcGBPoints(T + 0.01, R), static_cast<double>(target));
                    EXPECT_EQ(found.pointsAt, et::CalcGBPoints(T, R));
                }
                // 1000 points lies at the reference time (a hundredth under it where the
                // formula, evaluated in doubles, gives 999.99... at the reference time itself).
                const auto thousand = et::cli::FindPointsTarget(event, sex, course, 1000);
                EXPECT_NEAR(static_cast<double>(thousand.hundredths), R * 100.0, 1.0);
            }
        }
    }
}

TEST(PointsTarget, NoTimeScoresAboveTheFormulasBest) {
    for (const et::IndividualEvent& event : et::kIndividualEvents) {
        for (const std::string_view sex : {"M", "F"}) {
            for (const std::int16_t course : {et::kLongCourse, et::kShortCourse}) {
                SCOPED_TRACE(std::to_string(event.code) + std::string(sex) +
                             std::to_string(course));
                const auto above = et::cli::FindPointsTarget(event, sex, course, 4642);
                ASSERT_EQ(above.outcome, et::cli::PointsTarget::Outcome::Unreachable);
                EXPECT_LE(above.best, 4641.0);
                EXPECT_GE(above.best, 4600.0);
                const auto best =
                    et::cli::FindPointsTarget(event, sex, course, static_cast<long>(above.best));
                ASSERT_EQ(best.outcome, et::cli::PointsTarget::Outcome::Found);
                EXPECT_EQ(best.pointsAt, above.best);
                // Quicker times are never worth more: at under a third of the reference time
                // they score nothing at all.
                for (long h = best.hundredths - 300; h < best.hundredths; ++h) {
                    EXPECT_LE(et::cli::PointsOfHundredths(h, best.reference), above.best);
                }
                EXPECT_EQ(et::cli::PointsOfHundredths(best.hundredths - 300, best.reference), 0.0);
                EXPECT_EQ(
                    et::cli::FindPointsTarget(event, sex, course, static_cast<long>(above.best) + 1)
                        .outcome,
                    et::cli::PointsTarget::Outcome::Unreachable);
            }
        }
    }
}

} // namespace

#include "cli/names.hpp"
#include "cli/points_target.hpp"
#include "cli/table.hpp"
#include "convert/display.hpp"
#include "points/gb_points.hpp"
#include "support/fake_platform.hpp"
#include "swim/swim.hpp"
#include "ui/form/main_form.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

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

// The window's points boxes for typed times, the window driven as a user drives it: the event
// from the list, then the pool, then the time typed into the time box. Each time is typed once.
class TypedScores {
public:
    TypedScores(std::int16_t eventOption, std::int16_t poolOption) {
        form_.Form_Load();
        form_.SelectOption(et::form::OptionGroup::optEvent, eventOption);
        form_.SelectOption(et::form::OptionGroup::optPoolLen, poolOption);
    }
    std::int16_t Event() const { return form_.State().SelEvent; }
    bool Quiet() const { return platform_.messages.empty(); }
    // Every time typed so far, quickest first.
    std::vector<long> Typed() const {
        std::vector<long> typed;
        for (const auto& entry : shown_) {
            typed.push_back(entry.first);
        }
        return typed;
    }

    // What the male (0) or female (1) box shows for a time of so many hundredths; 0 if empty.
    double Points(long hundredths, std::size_t sex) {
        auto known = shown_.find(hundredths);
        if (known == shown_.end()) {
            char typed[32];
            std::snprintf(typed, sizeof typed, "%ld:%02ld.%02ld", hundredths / 6000,
                          hundredths / 100 % 60, hundredths % 100);
            form_.SetTimeText(typed);
            std::array<double, 2> points{};
            for (std::size_t n = 0; n < 2; ++n) {
                const std::string& box = form_.State().txtGBPnt[n].Text;
                points[n] = box.empty() ? 0.0 : std::stod(box);
            }
            known = shown_.emplace(hundredths, points).first;
        }
        return known->second[sex];
    }

private:
    et::test::FakePlatform platform_;
    et::form::MainForm form_{platform_};
    std::map<long, std::array<double, 2>> shown_;
};

// For every event, pool and sex, the slowest typed time whose points box shows the target or
// more, looked for through the window: a walk in steps of kStep hundredths from 10.01 until the
// box has scored and fallen under 800, then every hundredth about the first scoring time (the
// best score) and about each target's crossing, where a run of hundredths shares one tenth of
// the box.
TEST(PointsTarget, SlowestTypedTimeTheWindowScoresAtTheTarget) {
    constexpr long kStep = 32;
    constexpr double kLowestTarget = 800.0;
    std::size_t checked = 0;
    for (std::int16_t option = 0; option < 18; ++option) {
        for (const et::PoolInfo& pool : et::kPools) {
            TypedScores window(option, pool.option);
            const auto event = std::find_if(
                et::kIndividualEvents.begin(), et::kIndividualEvents.end(),
                [&](const et::IndividualEvent& e) { return e.code == window.Event(); });
            if (event == et::kIndividualEvents.end()) {
                break; // the 100 I.M. option: no individual event
            }
            for (std::size_t sex = 0; sex < 2; ++sex) {
                const std::string_view code = sex == 0 ? "M" : "F";
                SCOPED_TRACE(std::string(pool.caption) + " " + et::cli::EventName(*event) + " " +
                             std::string(code));
                const auto points = [&](long h) { return window.Points(h, sex); };
                std::vector<long> walk;
                long firstScoring = 0;
                for (long h = 1001; h <= 270000; h += kStep) {
                    walk.push_back(h);
                    firstScoring = firstScoring == 0 && points(h) > 0.0 ? h : firstScoring;
                    if (firstScoring != 0 && points(h) < kLowestTarget) {
                        break;
                    }
                }
                ASSERT_NE(firstScoring, 0);
                double best = 0.0;
                for (long h = std::max(1001L, firstScoring - kStep); h <= firstScoring + kStep;
                     ++h) {
                    best = std::max(best, points(h));
                }
                for (const long h : walk) {
                    best = std::max(best, points(h));
                }
                std::vector<double> targets = {kLowestTarget, 1000, 1001, best};
                for (std::size_t i = 1; i < 4; ++i) {
                    targets.push_back(std::max(kLowestTarget, points(walk[walk.size() * i / 4])));
                }
                for (const double target : targets) {
                    SCOPED_TRACE(target);
                    // The slowest time typed so far still at the target, then every hundredth
                    // up to the next step of the walk.
                    long answer = 0;
                    for (const long h : window.Typed()) {
                        answer = points(h) >= target ? h : answer;
                    }
                    ASSERT_NE(answer, 0);
                    for (long h = answer + 1; h <= answer + kStep; ++h) {
                        answer = points(h) >= target ? h : answer;
                    }
                    const auto found =
                        et::cli::FindPointsTarget(pool, *event, code, static_cast<long>(target));
                    ASSERT_EQ(found.outcome, et::cli::PointsTarget::Outcome::Found);
                    EXPECT_EQ(found.hundredths, answer);
                    EXPECT_EQ(found.pointsAt, points(answer));
                    ASSERT_TRUE(found.pointsAfter.has_value());
                    EXPECT_EQ(*found.pointsAfter, points(answer + 1));
                    EXPECT_LT(*found.pointsAfter, target);
                    EXPECT_EQ(found.best, best);
                    ++checked;
                }
                const auto above =
                    et::cli::FindPointsTarget(pool, *event, code, static_cast<long>(best) + 1);
                EXPECT_EQ(above.outcome, et::cli::PointsTarget::Outcome::Unreachable);
            }
            EXPECT_TRUE(window.Quiet());
        }
    }
    EXPECT_EQ(checked, 17U * 9U * 2U * 7U);
}

TEST(PointsTarget, NoTimeScoresAboveTheFormulasBest) {
    for (const et::IndividualEvent& event : et::kIndividualEvents) {
        for (const et::PoolInfo& pool : et::kPools) {
            for (const std::string_view sex : {"M", "F"}) {
                SCOPED_TRACE(std::to_string(event.code) + std::string(sex) + " " +
                             std::string(pool.code));
                const auto above = et::cli::FindPointsTarget(pool, event, sex, 4642);
                ASSERT_EQ(above.outcome, et::cli::PointsTarget::Outcome::Unreachable);
                EXPECT_LE(above.best, 4641.0);
                EXPECT_GT(above.best, 1000.0);
                const auto best =
                    et::cli::FindPointsTarget(pool, event, sex, static_cast<long>(above.best));
                ASSERT_EQ(best.outcome, et::cli::PointsTarget::Outcome::Found);
                EXPECT_EQ(best.pointsAt, above.best);
                EXPECT_EQ(
                    et::cli::FindPointsTarget(pool, event, sex, static_cast<long>(above.best) + 1)
                        .outcome,
                    et::cli::PointsTarget::Outcome::Unreachable);
                // Typed in the pool whose box is scored, 1000 points lies at the reference time:
                // the box shows it to a tenth, so the answer is at most a tenth and a half away.
                if (pool.code == "50m" || pool.code == "25m") {
                    const auto thousand = et::cli::FindPointsTarget(pool, event, sex, 1000);
                    EXPECT_NEAR(static_cast<double>(thousand.hundredths),
                                thousand.reference * 100.0, 15.0);
                }
            }
        }
    }
}

TEST(PointsTarget, SmallTargetsEndWhereTheWindowStopsScoring) {
    const et::IndividualEvent& free1500 = et::kIndividualEvents[5];
    // Typed in 50 metres, a women's 1500 of 45 minutes still scores: the answer is the slowest
    // time the box takes, with none slower.
    const auto fifty = et::cli::FindPointsTarget(et::kPools[0], free1500, "F", 1);
    ASSERT_EQ(fifty.outcome, et::cli::PointsTarget::Outcome::Found);
    EXPECT_EQ(fifty.hundredths, 270000);
    EXPECT_GE(fifty.pointsAt, 1.0);
    EXPECT_FALSE(fifty.pointsAfter.has_value());

    // Typed in 20 metres, the men's 1500 is scored from its 25 metres time, which passes 45
    // minutes before the typed time does: from there the box shows nothing.
    const auto twenty = et::cli::FindPointsTarget(et::kPools[3], free1500, "M", 1);
    ASSERT_EQ(twenty.outcome, et::cli::PointsTarget::Outcome::Found);
    EXPECT_LT(twenty.hundredths, 270000);
    EXPECT_EQ(twenty.pointsAfter, 0.0);
    const auto box25 = [&](long hundredths) {
        et::SwimResult result;
        std::string error;
        EXPECT_TRUE(et::EvaluateSwim(et::kPools[3], free1500, et::cli::TypedTimeText(hundredths),
                                     result, error));
        return std::string(et::BareBoxText(result.boxes[et::kTwentyFiveMetreBox]));
    };
    EXPECT_EQ(box25(twenty.hundredths), "45.00.0");
    EXPECT_EQ(box25(twenty.hundredths + 1), "45.00.1");
}

TEST(PointsTarget, TypedAsTheTimeBoxTakesThem) {
    const std::pair<long, std::string_view> cases[] = {{1001, "10.01"},     {5804, "58.04"},
                                                       {6000, "1:00.00"},   {6234, "1:02.34"},
                                                       {90000, "15:00.00"}, {270000, "45:00.00"}};
    for (const auto& [hundredths, text] : cases) {
        EXPECT_EQ(et::cli::TypedTimeText(hundredths), text);
        std::string error;
        EXPECT_EQ(et::cli::AcceptedHundredths(text, error), hundredths);
    }
}

} // namespace

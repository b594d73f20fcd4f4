#include "chart/scales.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using et::chart::Axis;
using et::chart::DateAxis;
using et::chart::DayIndex;
using et::chart::TimeAxis;
using et::chart::TimeLabel;

std::vector<std::string> Labels(const Axis& axis) {
    std::vector<std::string> labels;
    for (const auto& tick : axis.ticks) {
        labels.push_back(tick.label + (tick.below.empty() ? "" : "/" + tick.below));
    }
    return labels;
}

struct TimeCase {
    const char* name;
    long fastest;
    long slowest;
    std::vector<std::string> labels; // the first and last are the axis' ends
};

TEST(TimeAxis, RoundStepsFromSprintsToDistance) {
    const std::vector<TimeCase> cases = {
        {"50 free around 20 s", 2010, 2140, {"19.5", "20.0", "20.5", "21.0", "21.5", "22.0"}},
        {"one swim of 20 s", 2000, 2000, {"19.8", "19.9", "20.0", "20.1", "20.2"}},
        {"either side of a minute", 5820, 6100, {"57", "58", "59", "1:00", "1:01", "1:02"}},
        {"around 2 minutes", 11850, 12900, {"1:55", "2:00", "2:05", "2:10", "2:15"}},
        {"around 17 minutes", 100000, 106000, {"16:00", "16:30", "17:00", "17:30", "18:00"}},
        {"around 30 minutes", 170000, 185000, {"28:00", "29:00", "30:00", "31:00", "32:00"}},
        {"20 s to 30 min", 2000, 180000, {"0", "10:00", "20:00", "30:00", "40:00"}},
        {"given slowest first", 6100, 5820, {"57", "58", "59", "1:00", "1:01", "1:02"}},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Axis axis = TimeAxis(c.fastest, c.slowest, 5);
        EXPECT_EQ(Labels(axis), c.labels);
        ASSERT_FALSE(axis.ticks.empty());
        EXPECT_EQ(axis.low, axis.ticks.front().value);
        EXPECT_EQ(axis.high, axis.ticks.back().value);
        // Every swim lies strictly inside, off the frame.
        EXPECT_LT(axis.low, static_cast<double>(std::min(c.fastest, c.slowest)));
        EXPECT_GT(axis.high, static_cast<double>(std::max(c.fastest, c.slowest)));
    }
}

TEST(TimeAxis, FasterIsHigherOnThePage) {
    const Axis axis = TimeAxis(6000, 6600, 5);
    // Drawn from the top of the plot (y 10) down to its bottom (y 150).
    EXPECT_LT(Place(axis, 6000, 10, 150), Place(axis, 6600, 10, 150));
    EXPECT_DOUBLE_EQ(Place(axis, axis.low, 10, 150), 10);
    EXPECT_DOUBLE_EQ(Place(axis, axis.high, 10, 150), 150);
}

TEST(TimeLabel, MinutesAndSecondsAsRead) {
    struct Case {
        long hundredths;
        bool tenths;
        const char* label;
    };
    for (const Case& c : std::vector<Case>{{5800, false, "58"},
                                           {6530, false, "1:05"},
                                           {6000, false, "1:00"},
                                           {5850, true, "58.5"},
                                           {5995, true, "1:00.0"},
                                           {105050, true, "17:30.5"},
                                           {180000, false, "30:00"}}) {
        EXPECT_EQ(TimeLabel(c.hundredths, c.tenths), c.label) << c.hundredths;
    }
}

TEST(DayIndex, DatesAndNoDates) {
    EXPECT_EQ(DayIndex(19700101), 0);
    EXPECT_EQ(DayIndex(20240301).value() - DayIndex(20240228).value(), 2); // a leap year
    EXPECT_EQ(DayIndex(20230301).value() - DayIndex(20230228).value(), 1);
    for (const std::uint32_t none : {0U, 20260230U, 20261301U, 2026031U}) {
        EXPECT_FALSE(DayIndex(none).has_value()) << none;
    }
    EXPECT_EQ(et::chart::IsoDate(20260314), "2026-03-14");
}

struct DateCase {
    const char* name;
    std::uint32_t first;
    std::uint32_t last;
    int maxTicks;
    std::vector<std::string> labels;
};

TEST(DateAxis, MonthsQuartersAndYears) {
    const std::vector<DateCase> cases = {
        {"one day", 20260314, 20260314, 12, {"Mar/2026", "Apr"}},
        {"one season",
         20250920,
         20260705,
         12,
         {"Oct/2025", "Nov", "Dec", "Jan/2026", "Feb", "Mar", "Apr", "May", "Jun", "Jul"}},
        {"one season, narrow", 20250920, 20260705, 6, {"Nov", "Jan/2026", "Mar", "May", "Jul"}},
        {"three years by quarter",
         20230901,
         20260731,
         12,
         {"Oct", "Jan/2024", "Apr", "Jul", "Oct", "Jan/2025", "Apr", "Jul", "Oct", "Jan/2026",
          "Apr", "Jul"}},
        {"three years by half",
         20230901,
         20260731,
         6,
         {"Jan/2024", "Jul", "Jan/2025", "Jul", "Jan/2026", "Jul"}},
        {"three years by year", 20230901, 20260731, 3, {"2024", "2025", "2026"}},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(c.name);
        const long first = DayIndex(c.first).value();
        const long last = DayIndex(c.last).value();
        const Axis axis = DateAxis(first, last, c.maxTicks);
        EXPECT_EQ(Labels(axis), c.labels);
        EXPECT_LT(axis.low, static_cast<double>(first));
        EXPECT_GT(axis.high, static_cast<double>(last));
        for (const auto& tick : axis.ticks) {
            EXPECT_GE(tick.value, axis.low);
            EXPECT_LE(tick.value, axis.high);
        }
    }
}

} // namespace

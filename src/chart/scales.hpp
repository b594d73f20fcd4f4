#pragma once
// The two scales of a season's chart: swim times up the page (faster is higher) and dates along
// it, each with ticks at round values and labels that read at a glance.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace et::chart {

struct Tick {
    double value = 0.0;
    std::string label;
    std::string below; // a second line under a date's month: its year; else empty
};

// An axis from low to high, its ticks in order between them (both ends included).
struct Axis {
    double low = 0.0;
    double high = 0.0;
    std::vector<Tick> ticks;
};

// Where value falls on a line drawn from `from` (low) to `to` (high).
double Place(const Axis& axis, double value, double from, double to);

// A time label: "28", "58.5", "1:05", "17:30.5"; the tenth only where asked.
std::string TimeLabel(long hundredths, bool tenths);

// An axis of times in hundredths around the fastest and slowest swims (20 seconds to 45 minutes),
// with a little room beyond both and at most maxIntervals steps of a round length: a tenth, a
// fifth or a half of a second, 1, 2, 5, 10, 15 or 30 seconds, 1, 2, 5 or 10 minutes. Its ends lie
// on ticks. One swim alone still gets an axis of its own around it.
Axis TimeAxis(long fastest, long slowest, int maxIntervals);

// The days since 1970-01-01 of a date written YYYYMMDD; nothing for no such date.
std::optional<long> DayIndex(std::uint32_t day);
// A date YYYYMMDD as "2026-03-14".
std::string IsoDate(std::uint32_t day);

// An axis of day indices from the first swim to the last, with some days of room on both sides
// (two months at least, for a season of one gala), ticked on the first of a month: every month,
// two, a quarter, half a year, a year, two or five years, the fewest that give at most maxTicks
// ticks. Months are labelled "Mar" with the year below on each January and on the first tick
// unless a January follows it; whole years "2026".
Axis DateAxis(long first, long last, int maxTicks);

} // namespace et::chart

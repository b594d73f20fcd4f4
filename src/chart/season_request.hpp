#pragma once
// A swimmer's season, as the club's results hold it, made into the chart of it: the swimmer
// found by name (and birth date or license where the name is not enough), a panel per event with
// each swim that counts (the rules of the best times) in the pool drawn in, the best marked, and
// the qualifying time that applies where standards are given. Plain values; no Qt, no file.

#include "chart/season_chart.hpp"
#include "check/plain_meet.hpp"
#include "club/best_times.hpp"
#include "club/season.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace et::chart {

// Who is asked for: "Lastname, Firstname" in any letter case, and a birth date (YYYY-MM-DD) and
// a license where they are given.
struct SwimmerQuery {
    std::string name;
    std::string birthdate;
    std::string license;
};

// The season's swimmers that the query (and the filter's club) names, in the season's order.
std::vector<std::uint32_t> FindSwimmers(const meet::Results& results, const SwimmerQuery& query,
                                        const meet::SwimFilter& filter);

// "Lastname, Firstname (2012-05-04, Club)", to tell one swimmer from another of the same name.
std::string SwimmerLine(const meet::ResultsSwimmer& swimmer);

// Whether text names one of the calculator's individual events, "100 Free" in any case.
bool IsEventName(std::string_view text);

// What to draw of a swimmer: the pool (a Lenex course code of the nine), the one event ("100
// Free", empty for all) and the swims the filter keeps. standards: the lists of qualifying times
// read (none when null), judged as the entry check judges the swimmer's best swim.
struct ProgressionAsk {
    std::uint32_t swimmer = 0;
    std::string course;
    std::string event;
    meet::SwimFilter filter;
    const meet::PlainMeet* standards = nullptr;
};

// One swim that counts, as a row of the CSV: each panel's swims in date order, the undated last.
struct ListedSwim {
    std::string event;
    const ChartSwim* swim = nullptr;
    std::string swumCourse; // its Lenex course code
};

struct Progression {
    ChartRequest request;
    std::vector<ListedSwim> listed; // points into request
    std::size_t undated = 0;        // swims listed but not drawn, for want of a date
    std::size_t blank = 0;          // swims with no time in the pool drawn in, which do not count
};

// The chart of the swimmer's season. A Progression is not copied: its rows point into itself.
void MakeProgression(const meet::Results& results, const ProgressionAsk& ask, Progression& made);

// The swims listed, as CSV (CRLF line ends), header first.
inline constexpr std::string_view kProgressionHeader = "date,meet,event,swum_time,swum_course,time";
std::string ProgressionCsv(const Progression& made);

} // namespace et::chart

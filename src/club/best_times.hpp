#pragma once
// Each swimmer's best time per event in a pool, every swim made in another pool converted exactly
// as the window converts it, and the best times as CSV.

#include "club/season.hpp"
#include "model/events.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace et::meet {

// Which swims and swimmers count: swims dated from and to (inclusive Lenex dates; empty for no
// bound), swimmers whose club name or code holds club in any letter case (empty for all).
struct SwimFilter {
    std::string from;
    std::string to;
    std::string club;
};

bool ClubMatches(const ResultsSwimmer& swimmer, std::string_view club);

// A swimmer's best swim of an event, and its time in the pool asked for.
struct Best {
    std::uint32_t swim = 0;
    long hundredths = 0; // its own time when made in that pool, else the window's box
    bool converted = false;
};

// Whether swim a (made on aDay) is a better best than b: faster, then made in that pool, then the
// earlier; an undated swim counts as the latest.
bool BetterBest(const Best& a, std::uint32_t aDay, const Best& b, std::uint32_t bDay);

struct BestTimes {
    std::vector<Best> best; // ordered by event, gender, time
    std::size_t blank = 0;  // swims whose box in that pool stays blank, which do not count
};

// Each swimmer's best time per event in course (a Lenex code of one of the nine pools): the
// smallest time there; on a tie the swim made in that pool itself, then the earlier.
BestTimes BestTimesIn(const Results& results, const std::string& course, const SwimFilter& filter);

// The best times as CSV (CRLF line ends), header first, handed to write in pieces; false from
// write stops. The same whole.
inline constexpr std::string_view kBestTimesHeader =
    "athlete,birthdate,gender,club,license,event,time,swum_time,swum_course,meet,city,date";
bool WriteBestTimesCsv(const Results& results, const std::vector<Best>& best,
                       const std::function<bool(std::string_view)>& write);
std::string BestTimesCsv(const Results& results, const std::vector<Best>& best);

// "100 Free", as the report names the event.
std::string IdentityName(const IndividualEvent& event);

} // namespace et::meet

#pragma once
// Results files: the swims that meets' Lenex results files (.lef, or .lxf holding one .lef) tell
// of, gathered across files with each swimmer known once, and each swimmer's best time per event
// in a pool, every swim in another pool converted exactly as the window converts it. No Qt: bytes
// in, rows and messages out, for the command line and the web page alike.

#include "meet/meet_model.hpp"
#include "model/events.hpp"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace et::meet {

// A swimmer as the results files give them; the club is the one of the latest meet read.
struct ResultsSwimmer {
    std::string lastname;
    std::string firstname;
    std::string gender;    // M or F
    std::string birthdate; // a Lenex date as read, YYYY-MM-DD
    std::string license;
    std::string nation;
    // The HANDICAP element's attributes (free, breast, medley, ...) as the latest meet gives them.
    std::vector<std::pair<std::string, std::string>> handicap;
    std::string club;
    std::string clubCode;
    std::string clubNation;
    std::string clubType; // UNATTACHED for a swimmer of no club
    std::string clubDate; // the date of the meet that gave the club
};

struct ResultsMeet {
    std::string name;
    std::string city;
};

// One swim made: an athlete's result with a swim time above zero and no status, or an exhibition
// swim, in an event the calculator converts.
struct ResultsSwim {
    std::uint32_t swimmer = 0; // in Results::swimmers
    std::uint32_t event = 0;   // in Results::events (its swim style and course)
    std::uint32_t meet = 0;    // in Results::meets
    const IndividualEvent* identity = nullptr;
    long hundredths = 0;
    std::uint32_t day = 0; // its date as YYYYMMDD: the session's, else the meet's first; 0 unknown
};

struct ResultsCounts {
    std::size_t results = 0;      // RESULT elements read, relays' included
    std::size_t swims = 0;        // swims that count
    std::size_t notSwum = 0;      // a status other than EXH (DSQ, DNS, DNF, SICK, WDR), or no time:
                                  // none, NT or 00:00:00.00 (a final not swum)
    std::size_t relays = 0;       // relays' results and results of relay events, left out
    std::size_t noConversion = 0; // events or pools with no conversion, left out
    std::size_t unreadable = 0;   // no Lenex swim time, or no event of the meet: with a warning
};

// Everything read from the results files so far.
struct Results {
    std::vector<ResultsSwimmer> swimmers;
    std::deque<Event> events;
    std::vector<ResultsMeet> meets;
    std::deque<ResultsSwim> swims; // in blocks: a season's swims are never moved as they grow
    ResultsCounts counts;
    std::vector<std::string> warnings; // "results.lef:120:9: ..." for each result skipped

    // One swimmer across files: two athletes of one file are two swimmers unless they share an
    // athleteid; two whose birth dates or genders differ (both given) are never one; else one
    // license that identifies (IdentifyingLicense) on both makes one swimmer, and so do the same
    // last name, first name and birth date without regard to case unless both carry licenses
    // that identify and differ.
    std::unordered_multimap<std::string, std::uint32_t> byLicense;
    std::unordered_multimap<std::string, std::uint32_t> byName;
    // The files read, and for each swimmer the last file that gave them: within one file two
    // athletes are never one swimmer unless they share an athleteid.
    std::uint32_t files = 0;
    std::vector<std::uint32_t> lastFile;
};

// Whether a license is a federation's registration number that tells a swimmer: four digits or
// more, not all of them zeros (letters beside them allowed). A sports rank (II, КМС, 1юн), "0" or
// nothing is none. A file that gives one license to two athletes does not identify by it either.
bool IdentifyingLicense(std::string_view license);

// Reads one results file (.lef or .lxf, told apart by content) and adds its swims. Empty on
// success, else the message ("results.lef:12:5: ..."), and results is left as it was.
std::string AddResults(Results& results, std::string_view bytes, std::string_view name);

// True when text is a Lenex date (YYYY-MM-DD).
bool IsLenexDate(std::string_view text);
// The date of that text; all zero when it is none.
Date ParseLenexDate(std::string_view text);
// A Lenex date as a number YYYYMMDD, 0 when it is none; and back ("" for 0).
std::uint32_t DayNumber(std::string_view text);
std::string DayText(std::uint32_t day);

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

#pragma once
// Club entries chosen from the season's results: for each swimmer and each individual event of an
// invitation that fits them (the event's gender and age groups), the fastest swim of the
// qualifying period in the event's pool, converted as the window converts it, put to the entry
// check itself in memory (its lists, then the invitation's rules of an entry), and kept within
// the invitation's limits as the check keeps a file's entries. What a file format then writes.

#include "check/entry_check.hpp"
#include "check/fees.hpp"
#include "check/plain_meet.hpp"
#include "check/report.hpp"
#include "club/season.hpp"
#include "model/events.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace et::meet {

// An individual event of the invitation that can be entered from results (no final, no relay,
// a swim style the calculator converts, a course it knows).
struct InvitationEvent {
    std::size_t index = 0; // in PlainMeet::events
    std::string id;
    std::string course;
    const IndividualEvent* identity = nullptr;
};

// The period the entries are chosen in and judged by, from..to (dates YYYY-MM-DD, or empty):
// each end given in place of the invitation's. A period with a first day and no last ends, as an
// invitation's without one does, the day before the meet. Empty, or why a day is no date.
std::string ChoosePeriod(const std::string& from, const std::string& to, MeetPart& part);

// The entries chosen for a club, one per swimmer and event considered, in the order a club's
// entries file lists them: by club, then by swimmer's name.
struct ClubCandidates {
    std::vector<std::uint32_t> swimmers; // the season's swimmer of each owner
    std::vector<Owner> owners;           // athleteid 1, 2, 3... in this order
    std::vector<CandidateEntry> entries; // each owner's together
    std::vector<std::size_t> events;     // each entry's event among the invitation's events
    std::vector<std::uint32_t> swims;    // each entry's swim among the season's
    std::vector<char> written;           // whether each entry goes into the entries file
    std::vector<ReportRow> rows;         // each entry's row, as `entries` reports it
    Counts counts;
    MeetFees fees; // what the entries written that the meet accepts cost
};

// The candidates of the swimmers of results (whose club name or code holds club, in any case;
// empty for all) for the invitation's events, each checked against meet's lists and the rules
// and limits of its (first) meet, whose period they are chosen in. An entry is written when it
// meets a standard that applies, or, with all, whatever its time.
ClubCandidates ChooseClubEntries(const Results& results, const PlainMeet& meet,
                                 const std::vector<InvitationEvent>& events,
                                 const std::string& club, bool all);

// A swimmer of the season as the entry check knows an entrant, athleteid number.
Owner OwnerOf(const ResultsSwimmer& swimmer, std::size_t number);

// Whether two swimmers of the season are of one club as an entries file groups them.
bool SameEntriesClub(const ResultsSwimmer& a, const ResultsSwimmer& b);

} // namespace et::meet

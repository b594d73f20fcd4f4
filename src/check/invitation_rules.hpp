#pragma once
// The rules an invitation states beyond the time, as an entry secretary checks them: the swim was
// made in the qualifying period, the swimmer may swim the event (its gender, its age groups), and
// the club's entries stay within the meet's limits. Plain values in, a verdict and its reason
// out: a meet file's entries and a club's entries made from results are judged alike.

#include "check/entry_check.hpp"
#include "check/plain_meet.hpp"
#include "check/report.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace et::meet {

// "2025-08-14"; empty for no day.
std::string DateText(const Date& day);

// One rule's answer: empty when the rule lets the entry through, else why it does not ("swum
// 2025-08-14, before the qualifying period 2025-09-01 to 2026-04-30").

// "2025-09-01 to 2026-04-30", "from 2025-09-01", "up to 2026-04-30" or "open": a period of
// both days included, a Date of year 0 where it has no bound.
std::string PeriodText(const Date& from, const Date& until);

// The qualifying period from..until (both days in; year 0: no first or no last day) for a swim
// made on swum. A swim without a date passes: see EntryRules.
std::string PeriodRule(const Date& from, const Date& until, const Date& swum);
// EVENT@gender M or F against the swimmer's (or a relay team's M, F, X).
std::string GenderRule(std::string_view eventGender, const Owner& entrant);
// The event's age groups (each with its own gender where it has one), or only the one
// agegroupid names: age is the swimmer's as the meet reckons it (a relay team's own agemin and
// agemax are used instead). Unknown ages pass: see EntryRules.
std::string AgeGroupRule(const std::vector<AgeGroup>& groups, const Owner& entrant,
                         std::optional<int> age, std::string_view agegroupid);

enum class Eligibility : std::uint8_t { Eligible, Ineligible, Error };

struct RuleVerdict {
    Eligibility eligibility = Eligibility::Eligible;
    std::string reason; // why not (each rule refused, "; " between); for an error what is wrong
    std::string note;   // for an eligible entry, what could not be checked
};

// The rules of one entry: entrant of part's meet entered in event, with the judged swim made on
// swum (nullopt for an entry without a swim; a Date of year 0 for a swim without a date, judged
// as eligible with a note), and the entry's agegroupid (empty when it names none). An event
// whose age groups cannot be read, or an agegroupid that names none of them, is an error.
RuleVerdict EntryRules(const MeetPart& part, const Event& event, const Owner& entrant,
                       const std::optional<Date>& swum, std::string_view agegroupid);

// One of a club's entries the meet would accept, as the limits count it.
struct LimitedEntry {
    std::uint32_t entrant = 0; // the swimmer or relay team: one number each
    bool relay = false;
    std::size_t event = 0; // its index in PlainMeet::events, in the programme's order
    long hundredths = -1;  // its entry time in the event's pool; -1 when it has none
};

// The limits of part's meet over one club's entries (in the file's order): first each event's
// maxentries, the fastest entries kept (then the first in the file); then each swimmer's
// maxentriesathlete of the meet and of each session, and the club's maxentriesrelay, counted in
// the programme's order. For each entry, empty when it is within every limit, else the limit it
// is over ("over the meet's limit of 4 entries a swimmer").
std::vector<std::string> LimitsOver(const MeetPart& part, const std::vector<Event>& events,
                                    const std::vector<LimitedEntry>& club);

// Whether part's meet limits entries at all (so that a club's rows must be seen together).
bool HasLimits(const MeetPart& part, const std::vector<Event>& events);

// Whether any of the meet's invitation rules can refuse an entry: a qualifying period, an event
// of one gender or with age groups, a limit.
bool HasInvitationRules(const PlainMeet& meet);

// The rules of entry index of entries (whose facts are given) applied to its row as the time
// check made it: an entry the rules refuse becomes ineligible, one they cannot judge an error;
// the entry's own status and an error stand first.
void ApplyEntryRules(const PlainMeet& meet, EntrySource& entries, std::size_t index,
                     const EntryFacts& facts, ReportRow& row);

// The limits of part's meet applied to the first count rows of one club's entries, as the rules
// of each entry left them: an accepted entry over a limit becomes ineligible. entries are what
// the limits count of each row (its time in its event's pool).
void ApplyLimits(const MeetPart& part, const std::vector<Event>& events,
                 const std::vector<LimitedEntry>& entries, std::vector<ReportRow>& rows,
                 std::size_t count);

} // namespace et::meet

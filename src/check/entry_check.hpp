#pragma once
// The entry check: every entry of a meet converted to its event's pool exactly as the calculator
// window converts it, judged against the time standard lists that apply to the swimmer, then by
// the invitation's rules and limits, and told in one report row. Plain values in: the meet
// (PlainMeet) and its entries through an EntrySource, which a file format gives. The check knows
// no file: a format reads its own codes into the model's and says where an entry is.

#include "check/plain_meet.hpp"
#include "check/report.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace et::meet {

// No event of the meet.
inline constexpr std::size_t kNoEvent = static_cast<std::size_t>(-1);

// A value as the entry gives it; given is false when the entry has none.
struct GivenText {
    bool given = false;
    std::string text;
};

// A swim time as the entry gives it: its text as the file writes it (the report shows it), and
// what it is.
struct GivenTime {
    enum class Kind : std::uint8_t {
        None,      // the entry gives none, or says it has none ("NT")
        Swim,      // a swim time: hundredths (0 stands for no time)
        Unreadable // a text that is no swim time
    };
    Kind kind = Kind::None;
    std::string text;
    long hundredths = 0;
};

// Whose entry it is and in which event.
struct EntryEvent {
    std::uint32_t owner = 0;      // in PlainMeet::owners
    std::size_t event = kNoEvent; // in PlainMeet::events: the event of the owner's meet it names
};

// One entry as plain values, read from its file: the swimmer or relay team and the event, the
// entry's own status, the entry time and the course it was swum in, and the qualifying swim the
// entry tells of apart from its entry time (its time, course and day), its age group.
struct EntryFacts {
    EntryEvent entrant;
    GivenText eventid;  // the event as the entry names it
    std::string status; // the entry's own status (WDR, RJC, SICK, DNS, EXH...); empty for none
    GivenTime entryTime;
    GivenText entryCourse;
    GivenTime swumTime;
    GivenText swumCourse;
    GivenText swumDay;
    Date day; // swumDay's date; year 0 when it is none
    std::string agegroupid;
    // What the entry's line lacks for it to be checked at all, in the format's own words ("no
    // event number (D0 columns 73-76)"); empty when nothing. Its row is an error that says so.
    std::string lacking;
};

// How a file names an entry's values, and the forms they take, in the check's messages
// ("entrycourse 'SCX' is no Lenex course").
struct EntryWords {
    std::string_view event;       // "eventid"
    std::string_view entryTime;   // "entrytime"
    std::string_view entryCourse; // "entrycourse"
    std::string_view swum;        // where the qualifying swim is told: "MEETINFO"
    std::string_view swumTime;    // "MEETINFO qualificationtime"
    std::string_view swumCourse;  // "MEETINFO course"
    std::string_view swumDay;     // "MEETINFO date"
    std::string_view timeForm;    // "Lenex swim time like 00:01:02.34 (...)"
    std::string_view courseForm;  // "Lenex course"
    std::string_view dateForm;    // "date (YYYY-MM-DD)"
};

// A meet's entries as a file format gives them to the check, in the file's order: a club's
// entries together.
class EntrySource {
public:
    virtual ~EntrySource() = default;
    virtual std::size_t size() const = 0;
    // Whose entry i is and in which event.
    virtual EntryEvent EventOf(std::size_t i) const = 0;
    // The facts of entry i, into facts (whose texts keep their room from the entry before).
    virtual void Read(std::size_t i, EntryFacts& facts) const = 0;
    // Where entry i is in its file, for messages: "meet.lef:12:5". Asked in the file's order.
    virtual std::string Where(std::size_t i) = 0;
    virtual const EntryWords& Words() const = 0;
};

// Converts and checks every entry. courseOverride, when set, is a course code ("SCM", "LCM",
// ...) that replaces the meet's and the sessions' course as the pool entries are checked and
// converted into; the course an entry time was swum in is still the file's (its entry course,
// its qualifying swim's, else the event's course as the file gives it). Unknown codes are a
// usage error for the caller to catch with IsKnownCourse first.
CheckResult CheckEntries(const PlainMeet& meet, EntrySource& entries,
                         const std::optional<std::string>& courseOverride, const Progress& progress,
                         const RowSink& sink);

bool IsKnownCourse(std::string_view course);

// An entry that is in no file (a club's entry made from results), as plain values: the swimmer,
// the meet's event, its entry time in the event's course, and the swim made for it (its time,
// course and day), as a club's entries file writes them.
struct CandidateEntry {
    std::uint32_t owner = 0; // in the owners checked
    std::size_t event = 0;   // in PlainMeet::events
    long hundredths = 0;     // the entry time in the event's course
    long swum = 0;           // the swim's own time, in swumCourse
    std::string swumCourse;
    Date day; // the day it was swum; year 0 when not known
};

// Each candidate checked as the entry check checks an entry of a file, by the same rules: its
// swim judged against the meet's lists, then the invitation's rules of one entry (the qualifying
// period, gender, age groups). The limits, which weigh a club's entries together, are the
// caller's (LimitsOver). Rows and verdicts in the candidates' order.
CheckResult CheckCandidates(const PlainMeet& meet, const std::vector<Owner>& owners,
                            const std::vector<CandidateEntry>& candidates);

} // namespace et::meet

#pragma once
// The entry check's report: one row per entry with its verdict and reason, the counts of the
// summary, the conversions to write back, and the report as CSV. Plain values: the command
// line, the entries window and the page print and show these rows; none of them decides.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace et::meet {

// Ineligible: the meet's rules refuse the entry whatever its time (the qualifying period, who may
// swim the event, the entry limits). Withdrawn: the entry's own status (WDR, RJC, SICK, DNS...)
// takes it out of the meet; it is neither judged nor converted.
enum class Verdict : std::uint8_t {
    Meets,
    Misses,
    NoStandard,
    NoTime,
    NotConverted,
    Error,
    Ineligible,
    Withdrawn
};

// "meets", "misses", "no standard", "no time", "not converted", "error", "ineligible",
// "withdrawn".
std::string_view VerdictText(Verdict verdict);

// One entry of the meet, athletes' and relays' alike, in the file's order. Times and courses as
// the file writes them where they come from the file; converted_time as the window's box shows it
// without its leading spaces ("1.01.4", "59.3"). entry_course is the course of the entry time,
// whatever the verdict: its entry course, else its qualifying swim's course when the entry gives
// no other qualifying time, else the event's.
struct ReportRow {
    std::string club;
    std::string athleteid;
    std::string athlete; // "Lastname, Firstname"; for a relay its club and number
    std::string eventid;
    std::string event; // "100 Free"
    std::string entry_time;
    std::string entry_course;
    std::string course; // the event's: its session's, else the meet's (or the override)
    std::string converted_time;
    std::string standard; // the name of the list met, or missed by the least
    std::string standard_time;
    Verdict verdict = Verdict::Error;
    std::string reason;
    // The swim checked when the entry gives a qualifying time of its own, and its course; empty
    // when the entry time was checked.
    std::string qualifying_time;
    std::string qualifying_course;
    // The swim put to the time standard lists, whichever it is (the qualifying swim or the entry
    // time), and its course; empty when no swim was (no time, withdrawn, error, not converted
    // into the event's pool).
    std::string judged_time;
    std::string judged_course;
    // The course of the standard it was compared with (standard_time's), and the judged swim's
    // time there as the window's box shows it when that is another pool ("58.6"); empty when
    // it was compared in its own pool or with no standard.
    std::string standard_course;
    std::string judged_converted;
};

// The report's CSV columns, in order (later columns are added at the end).
inline constexpr std::string_view kReportHeader =
    "club,athleteid,athlete,eventid,event,entry_time,entry_course,course,converted_time,standard,"
    "standard_time,verdict,reason,qualifying_time,qualifying_course,judged_time,judged_course,"
    "standard_course,judged_converted";

struct Counts {
    std::size_t read = 0;
    std::size_t converted = 0;
    std::size_t meeting = 0;
    std::size_t missing = 0;
    std::size_t notConverted = 0;
    std::size_t errors = 0;
    std::size_t ineligible = 0;
    std::size_t withdrawn = 0;
};

// Counts a row as the check's summary does.
void AddToCounts(Counts& counts, const ReportRow& row);

// Called now and then during the check with entries done and entries in all; returning false
// stops the check (the rows so far are then incomplete and must not be used).
using Progress = std::function<bool(std::size_t done, std::size_t total)>;

// An entry converted to its event's pool, for writing the converted meet: its place among the
// meet's entries (the file's order), its time there and the event's course, and the course its
// entry time was swum in.
struct Conversion {
    std::uint32_t entry = 0;
    std::int32_t hundredths = 0;
    std::string_view course; // the course code, a constant text
    std::string_view swum;   // the same
};

struct CheckResult {
    std::vector<ReportRow> rows;
    Counts counts;
    bool cancelled = false;
    std::vector<Conversion> conversions;
    std::vector<Verdict> verdicts; // by entry, in the file's order, kept rows or not
};

// Takes each row as it is made, when the rows are not to be kept (a large meet's report
// written as it goes).
using RowSink = std::function<void(const ReportRow&)>;

// The report as CSV (RFC 4180: CRLF line ends, header line first).
std::string ReportCsv(const std::vector<ReportRow>& rows);
// One row of it, appended to out with its line end.
void AppendReportCsvRow(std::string& out, const ReportRow& row);

// A CSV field (RFC 4180), quoted when it must be.
void AppendCsvField(std::string& out, std::string_view field);

} // namespace et::meet

#pragma once
// The meet entry check: a Lenex meet file (.lef, or .lxf holding one .lef) read and kept whole,
// every entry converted to the pool of its event exactly as the calculator window converts it and
// checked against the qualifying times, and the converted meet written back for the meet
// management program. No Qt: the command line and the entries window only show these rows.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace et::meet {

// Ineligible: the meet's rules refuse the entry whatever its time (the qualifying period, who may
// swim the event, the entry limits). Withdrawn: the entry's own status (WDR, RJC, SICK, DNS...)
// takes it out of the meet; it is neither judged nor converted.
enum class Verdict {
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

// One entry of the meet, athletes' and relays' alike, in document order. Times and courses as
// Lenex writes them where they come from the file; converted_time as the window's box shows it
// without its leading spaces ("1.01.4", "59.3"). entry_course is the course of the entry time:
// its entrycourse, else its MEETINFO's course when MEETINFO gives no other qualification time,
// else the event's.
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
    // The swim checked when the entry's MEETINFO gives its qualificationtime, and its course;
    // empty when the entry time was checked.
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

// What stands above the entries: the meet's name, city, first session date and course.
struct MeetHeading {
    std::string name;
    std::string city;
    std::string date;
    std::string course;
};

// A Lenex document kept whole, with the time standard lists added from further files.
class Meet;

struct ReadResult {
    std::unique_ptr<Meet> meet; // null when the file could not be read as Lenex
    std::string error;          // then what went wrong and where: "meet.lef:12:5: ..."
};

// Reads a .lef or .lxf, told apart by content.
ReadResult ReadMeetFile(const std::string& path);
// The same from bytes already in memory; name is used in messages.
ReadResult ReadMeetBytes(std::string_view bytes, std::string_view name);

// Adds the time standard lists of another Lenex file (an invitation, a federation's list).
// Empty on success, else the message.
std::string AddStandards(Meet& meet, const Meet& standards);

// Adds the time standard lists of a further file given as its bytes: a Lenex file (.lef or
// .lxf, told by content: it starts with '<' or is a ZIP archive), or a table of qualifying times
// saved as CSV, with a header line naming the columns list, gender, agemin, agemax, course,
// event and time (and type, MAXIMUM or MINIMUM), in any order. The rows of one list, gender, age
// group, course and type make one list. Nothing is added unless the whole file is read. Empty on
// success, else the message naming the file and line: "times.csv:12: reason".
std::string AddStandardsFile(Meet& meet, std::string_view bytes, std::string_view name);
// The same for the file at path.
std::string AddStandardsPath(Meet& meet, const std::string& path);

MeetHeading Heading(const Meet& meet);

// What a meet file holds: to tell a file with no entries (results, records, an invitation) from
// a meet's entries. Swimmers and relays are those the file lists; lists include any added.
struct MeetContents {
    std::size_t entries = 0;
    std::size_t swimmers = 0;
    std::size_t relays = 0;
    std::size_t results = 0;
    std::size_t events = 0;
    std::size_t records = 0;
    std::size_t lists = 0;
};
MeetContents Contents(const Meet& meet);
// Empty when the meet holds entries; else what it holds instead, to follow the file's name:
// "holds 3088 results of 865 swimmers and no entries", "is an invitation: 40 events, no
// entries".
std::string NoEntriesText(const MeetContents& contents);

// Called now and then during the check with entries done and entries in all; returning false
// stops the check (the rows so far are then incomplete and must not be used).
using Progress = std::function<bool(std::size_t done, std::size_t total)>;

// An entry converted to its event's pool, for writing the converted meet: its place among the
// meet's entries (document order), its time there and the event's course, and the course its
// entry time was swum in.
struct Conversion {
    std::size_t entry = 0;
    long hundredths = 0;
    std::string_view course; // the Lenex code, a constant text
    std::string_view swum;   // the same
};

struct CheckResult {
    std::vector<ReportRow> rows;
    Counts counts;
    bool cancelled = false;
    std::vector<Conversion> conversions;
    std::vector<Verdict> verdicts; // by entry, in document order, kept rows or not
};

// Takes each row as it is made, when the rows are not to be kept (a large meet's report
// written as it goes).
using RowSink = std::function<void(const ReportRow&)>;

// Converts and checks every entry. courseOverride, when set, is a Lenex course code ("SCM",
// "LCM", ...) that replaces the meet's and the sessions' course as the pool entries are checked
// and converted into; the course an entry time was swum in is still the file's (entrycourse,
// MEETINFO, else the event's course as the file gives it). Unknown codes are a usage error for
// the caller to catch with IsKnownCourse first.
CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride = {},
                         const Progress& progress = {});
// The same, each row handed to sink instead of kept (rows stays empty).
CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride,
                         const Progress& progress, const RowSink& sink);

bool IsKnownCourse(std::string_view lenexCourse);

// The report as CSV (RFC 4180: CRLF line ends, header line first).
std::string ReportCsv(const std::vector<ReportRow>& rows);
// One row of it, appended to out with its line end.
void AppendReportCsvRow(std::string& out, const ReportRow& row);

// The converted meet: every converted entry's entrytime and entrycourse set, the original kept in
// its MEETINFO; nothing else changes. Written whole or not at all, as .lxf (ZIP) or .lef by the
// output's name; never onto the file it was read from. Empty on success, else the message.
std::string WriteConvertedMeet(const Meet& meet, const CheckResult& result,
                               const std::string& outputPath);
// How hard an .lxf's member is compressed: as zlib does by default, or as fast as it can (a
// large file made anew, such as a region's club entries, a little larger for it).
enum class Deflate : std::uint8_t { Default, Fastest };
// The converted meet's file in memory, .lxf (ZIP, its .lef named after outputName) or .lef by
// outputName's ending, or an error message: {bytes, error}.
std::pair<std::string, std::string> ConvertedMeetFile(const Meet& meet, const CheckResult& result,
                                                      const std::string& outputName,
                                                      Deflate deflate = Deflate::Default);
// Empty when the converted meet can be written under that name (.lef or .lxf), else the message:
// to ask before any work is done.
std::string ConvertedMeetNameError(const std::string& outputPath);

} // namespace et::meet

// The meet's definition, so that a ReadResult can be kept and destroyed anywhere.
#include "meet/meet_model.hpp" // IWYU pragma: export

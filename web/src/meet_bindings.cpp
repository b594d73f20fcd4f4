// The entries page's WebAssembly module: the meet library behind one class with a handful of calls
// of plain values. Bytes and choices go in; the table's rows (in batches), the counts, the heading,
// the fees per club, the report, the fees CSV and the converted meet come out. The page's worker
// makes one per meet it opens, and one club session for entries made from results files.
#include "chart/season_chart.hpp"
#include "chart/season_request.hpp"
#include "check/fees.hpp"
#include "check/swim_values.hpp"
#include "club/best_times.hpp"
#include "club/season.hpp"
#include "formats/meet_files.hpp"
#include "formats/results_files.hpp"
#include "lenex/club_entries.hpp"
#include "lenex/converted_meet.hpp"
#include "lenex/lenex_entries.hpp"
#include "lenex/meet_file.hpp"

#include <emscripten/bind.h>
#include <emscripten/heap.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

using emscripten::val;

// The table's rows travel as UTF-8 text: fields end with kField, rows with kRow. A file cannot
// put these characters in a name (XML allows no control characters), but a character reference
// could: such a character is shown as U+FFFD.
constexpr char kField = '\x1f';
constexpr char kRow = '\x1e';
// Rows are handed to the page in batches of this many, as they are checked.
constexpr std::size_t kBatch = 4096;

void AppendText(std::string& out, std::string_view text) {
    if (text.find_first_of("\x1e\x1f") == std::string_view::npos) {
        out += text;
        return;
    }
    for (const char c : text) {
        if (c == kField || c == kRow) {
            out += "\xEF\xBF\xBD";
        } else {
            out += c;
        }
    }
}

void AppendShown(std::string& out, std::string_view text) {
    AppendText(out, text);
    out += kField;
}

// A JavaScript Uint8Array holding a copy of the bytes.
val Bytes(std::string_view bytes) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(),
                                            reinterpret_cast<const unsigned char*>(bytes.data())));
}

// One report row as the table shows it: times as swimmers write them, the verdict by its number.
void AppendTableRow(std::string& batch, const et::meet::ReportRow& row) {
    AppendShown(batch, row.club);
    AppendShown(batch, row.athlete);
    AppendShown(batch, row.event);
    AppendShown(batch, et::meet::SwimmersTime(row.entry_time));
    AppendShown(batch, row.entry_course);
    AppendShown(batch, row.converted_time);
    if (!row.qualifying_time.empty()) {
        AppendText(batch, et::meet::SwimmersTime(row.qualifying_time));
        batch += " (";
        AppendText(batch, row.qualifying_course);
        batch += ')';
    }
    batch += kField;
    AppendText(batch, row.standard);
    if (!row.standard_time.empty()) {
        batch += " (";
        AppendText(batch, et::meet::SwimmersTime(row.standard_time));
        batch += ')';
    }
    batch += kField;
    batch += static_cast<char>('0' + static_cast<int>(row.verdict));
    batch += kField;
    AppendShown(batch, row.reason);
    batch.back() = kRow;
}

// {clubs: [{club, entries, swimmers, relays, total, currency, lines: [{what, count, each,
// amount}]}], problems: [text]}, amounts as the currency's units ("42.50").
val FeesValue(const et::meet::MeetFees& fees) {
    val clubs = val::array();
    for (const et::meet::ClubFees& club : fees.clubs) {
        val lines = val::array();
        for (const et::meet::FeeLine& line : club.lines) {
            val out = val::object();
            out.set("what", line.what);
            out.set("count", line.count);
            out.set("each", et::meet::MoneyText(line.each));
            out.set("amount", et::meet::MoneyText(line.amount));
            lines.call<void>("push", out);
        }
        val out = val::object();
        out.set("club", club.club);
        out.set("entries", club.entries);
        out.set("swimmers", club.swimmers);
        out.set("relays", club.relays);
        out.set("total", et::meet::MoneyText(club.total));
        out.set("currency", club.currency);
        out.set("lines", lines);
        clubs.call<void>("push", out);
    }
    val problems = val::array();
    for (const std::string& problem : fees.problems) {
        problems.call<void>("push", problem);
    }
    val out = val::object();
    out.set("clubs", clubs);
    out.set("problems", problems);
    return out;
}

class MeetSession {
public:
    // A place for the meet file's bytes, in the module's memory: the page copies the file into
    // the Uint8Array returned, once, and calls open().
    val buffer(std::size_t size) {
        incoming_.assign(size, '\0');
        return val(emscripten::typed_memory_view(
            size, reinterpret_cast<unsigned char*>(incoming_.data())));
    }

    // Reads the meet, Lenex or SDIF (told by content), from the bytes put in buffer(), which a
    // Lenex meet keeps as they are (the library never marks them up, so the page needs no copy of
    // its own). Empty, or the message (with the line and column); a file with no entries
    // (results, records) says what it holds, as the command line does.
    std::string open(const std::string& name) {
        et::formats::OpenResult read =
            et::formats::OpenMeetData(std::exchange(incoming_, {}), name);
        if (!read.meet) {
            return read.error;
        }
        if (const std::string holds = read.meet->NoEntriesText(); !holds.empty()) {
            return name + " " + holds + "; there is nothing to check";
        }
        meet_ = std::move(read.meet);
        return {};
    }

    std::string addStandards(const std::string& bytes, const std::string& name) {
        return meet_->AddStandardsFile(bytes, name);
    }

    // Converts and checks every entry in course ("" for the file's own). onProgress(done, total)
    // is called now and then, onRows(Uint8Array) with each batch of rows in file order.
    void check(const std::string& course, val onProgress, val onRows) {
        course_ = course.empty() ? std::nullopt : std::optional<std::string>(course);
        std::string batch;
        std::size_t inBatch = 0;
        const auto flush = [&] {
            if (inBatch > 0) {
                onRows(Bytes(batch));
                batch.clear();
                inBatch = 0;
            }
        };
        result_ = meet_->Check(
            course_,
            [&](std::size_t done, std::size_t total) {
                onProgress(done, total);
                return true;
            },
            [&](const et::meet::ReportRow& row) {
                AppendTableRow(batch, row);
                if (++inBatch == kBatch) {
                    flush();
                }
            });
        flush();
        fees_ = meet_->Fees(result_);
    }

    // The fees per club: see FeesValue.
    val fees() const { return FeesValue(fees_); }

    // The fees as equivtimes-cli entries --fees writes them.
    val feesCsv() const { return Bytes(et::meet::FeesCsv(fees_)); }

    // {read, converted, meeting, missing, notConverted, errors, ineligible, withdrawn}
    val counts() const {
        const et::meet::Counts& counts = result_.counts;
        val out = val::object();
        out.set("read", counts.read);
        out.set("converted", counts.converted);
        out.set("meeting", counts.meeting);
        out.set("missing", counts.missing);
        out.set("notConverted", counts.notConverted);
        out.set("errors", counts.errors);
        out.set("ineligible", counts.ineligible);
        out.set("withdrawn", counts.withdrawn);
        return out;
    }

    // {name, city, date, course, fileCourse, converted}: the course the entries were checked in,
    // the file's own, and the ending of the converted copy's name ("-converted.lxf",
    // "-converted.cl2": an SDIF file is written in its own dialect).
    val heading() const {
        const et::meet::MeetHeading heading = meet_->Heading();
        val out = val::object();
        out.set("name", heading.name);
        out.set("city", heading.city);
        out.set("date", heading.date);
        out.set("course", course_.value_or(heading.course));
        out.set("fileCourse", heading.course);
        out.set("converted", meet_->SuggestedSuffix());
        return out;
    }

    // The report as the command line writes it (made again from the meet, so that the rows
    // need not be kept twice).
    val report() const {
        std::string csv(et::meet::kReportHeader);
        csv += "\r\n";
        meet_->Check(course_, {}, [&csv](const et::meet::ReportRow& row) {
            et::meet::AppendReportCsvRow(csv, row);
        });
        return Bytes(csv);
    }

    // The converted meet, .lxf or .lef by the name's ending (an SDIF file's copy .cl2 or .sd3, in
    // its own dialect): {bytes} or {error}.
    val converted(const std::string& name) const {
        const auto [bytes, error] = meet_->ConvertedFile(result_, name);
        val out = val::object();
        if (error.empty()) {
            out.set("bytes", Bytes(bytes));
        } else {
            out.set("error", error);
        }
        return out;
    }

    // The module's memory in bytes: it only grows, so this is its peak.
    static double heapSize() { return static_cast<double>(emscripten_get_heap_size()); }

private:
    std::string incoming_;
    std::unique_ptr<et::formats::MeetFile> meet_;
    std::optional<std::string> course_;
    et::meet::CheckResult result_;
    et::meet::MeetFees fees_;
};

// A club's entries made from results files for a meet's invitation: the results read one file
// at a time, then the entries made, their report rows shown as the meet's are.
class ClubSession {
public:
    // Reads one results file (.lef, .lxf, .cl2, .sd3 or a .zip holding one). Empty, or the message
    // (with the line).
    std::string addResults(const std::string& bytes, const std::string& name) {
        return et::formats::AddResultsFile(results_, bytes, name);
    }

    // The entries for the invitation of the swimmers whose club name or code holds club, as the
    // file output names it (.lxf or .lef), of the swims from and to (Lenex dates; empty: the
    // invitation's qualifying period), with the club's contact: {error} or {rows: Uint8Array
    // of the table's rows, counts, entries, athletes, warnings: [text], file: Uint8Array, fees:
    // what the entries written cost, as FeesValue}; the warnings end with what the file says in
    // the user's place.
    val make(const std::string& invitation, const std::string& invitationName,
             const std::string& club, const std::string& output, const std::string& from,
             const std::string& to, const std::string& contactName,
             const std::string& contactEmail) const {
        et::meet::ClubEntriesRequest request;
        request.invitation = {invitationName, invitation};
        request.club = club;
        request.output = output;
        request.version = EQUIVTIMES_VERSION;
        request.from = from;
        request.to = to;
        request.contactName = contactName;
        request.contactEmail = contactEmail;
        const et::meet::ClubEntries made = et::meet::MakeClubEntries(results_, request);
        val out = val::object();
        if (!made.error.empty()) {
            out.set("error", made.error);
            return out;
        }
        std::string rows;
        for (const et::meet::ReportRow& row : made.rows) {
            AppendTableRow(rows, row);
        }
        val warnings = val::array();
        for (const std::string& warning : results_.warnings) {
            warnings.call<void>("push", warning);
        }
        for (const std::string& note : made.notes) {
            warnings.call<void>("push", note);
        }
        val counts = val::object();
        counts.set("read", made.counts.read);
        counts.set("meeting", made.counts.meeting);
        counts.set("missing", made.counts.missing);
        counts.set("ineligible", made.counts.ineligible);
        out.set("rows", Bytes(rows));
        out.set("counts", counts);
        out.set("entries", made.entries);
        out.set("athletes", made.athletes);
        out.set("warnings", warnings);
        out.set("file", Bytes(made.file));
        out.set("fees", FeesValue(made.fees));
        return out;
    }

    // The season's swimmers as the chart's choice lists them, "Lastname, Firstname (2012-05-04,
    // Club)", in the season's order: a line's place is the swimmer's number for chart.
    val swimmers() const {
        val lines = val::array();
        for (const et::meet::ResultsSwimmer& swimmer : results_.swimmers) {
            lines.call<void>("push", et::chart::SwimmerLine(swimmer));
        }
        return lines;
    }

    // A swimmer's season drawn in course (a Lenex code), every event and swim, as progression
    // draws it: {svg, csv, undated} (the SVG text, the swims as CSV, the swims of no date not
    // drawn), or {error} when no swim counts.
    val chart(std::uint32_t swimmer, const std::string& course) const {
        val out = val::object();
        if (swimmer >= results_.swimmers.size() || et::meet::PoolOfCourse(course) == nullptr) {
            out.set("error", std::string("no such swimmer or course"));
            return out;
        }
        et::chart::ProgressionAsk ask;
        ask.swimmer = swimmer;
        ask.course = course;
        et::chart::Progression made;
        et::chart::MakeProgression(results_, ask, made);
        if (made.listed.size() == made.undated) {
            out.set("error", made.request.swimmer + " has no swims that count in " + course +
                                 (made.undated > 0 ? " with a date" : ""));
            return out;
        }
        out.set("svg", et::chart::SeasonSvg(made.request));
        out.set("csv", et::chart::ProgressionCsv(made));
        out.set("undated", made.undated);
        return out;
    }

private:
    et::meet::Results results_;
};

} // namespace

EMSCRIPTEN_BINDINGS(equivmeet) {
    emscripten::class_<MeetSession>("MeetSession")
        .constructor<>()
        .function("buffer", &MeetSession::buffer)
        .function("open", &MeetSession::open)
        .function("addStandards", &MeetSession::addStandards)
        .function("check", &MeetSession::check)
        .function("counts", &MeetSession::counts)
        .function("fees", &MeetSession::fees)
        .function("feesCsv", &MeetSession::feesCsv)
        .function("heading", &MeetSession::heading)
        .function("report", &MeetSession::report)
        .function("converted", &MeetSession::converted)
        .class_function("heapSize", &MeetSession::heapSize);
    emscripten::class_<ClubSession>("ClubSession")
        .constructor<>()
        .function("addResults", &ClubSession::addResults)
        .function("make", &ClubSession::make)
        .function("swimmers", &ClubSession::swimmers)
        .function("chart", &ClubSession::chart);
}

// equivtimes-cli best-times and club-entries: the swims of meets' results files (Lenex or SDIF),
// each swimmer's best time per event in one pool, and a club's entries for a meet's invitation. The
// meet library decides everything; this reads the files, hands their bytes over and writes.

#include "cli/commands.hpp"
#include "cli/results_input.hpp"

#include "check/fees.hpp"
#include "check/swim_values.hpp"
#include "club/best_times.hpp"
#include "club/season.hpp"
#include "formats/results_files.hpp"
#include "io/whole_file.hpp"
#include "lenex/club_entries.hpp"
#include "lenex/meet_file.hpp"

#include <deque>

namespace et::cli {
namespace {

void Tell(std::FILE* err, std::string_view message) {
    std::fprintf(err, "equivtimes-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

// The name of the output that would be written onto one of the files read; empty when none.
std::string OntoInput(const std::vector<std::string>& outputs,
                      const std::vector<std::string>& inputs) {
    for (const std::string& output : outputs) {
        if (output.empty() || output == "-") {
            continue;
        }
        for (const std::string& input : inputs) {
            if (output == input || io::SameFile(output, input)) {
                return output;
            }
        }
    }
    return {};
}

} // namespace

// Reads a file whole, refusing one larger than a meet file can be.
std::string ReadInput(const std::string& path, std::string& bytes) {
    std::string error = io::ReadWholeFile(path, bytes, meet::kLargestMeetFile);
    if (error.empty() && bytes.size() > meet::kLargestMeetFile) {
        error = path + ": the file is larger than " + std::to_string(meet::kLargestMeetFile >> 20) +
                " MiB";
    }
    return error;
}

// Reads every results file into results; false (with the message told) when one cannot be read.
bool ReadResults(const std::vector<std::string>& paths, meet::Results& results, std::FILE* err) {
    std::string bytes;
    for (const std::string& path : paths) {
        std::string error = ReadInput(path, bytes);
        if (error.empty()) {
            error = formats::AddResultsFile(results, bytes, path);
        }
        if (!error.empty()) {
            Tell(err, error);
            return false;
        }
    }
    for (const std::string& warning : results.warnings) {
        std::fprintf(err, "%s\n", warning.c_str());
    }
    return true;
}

void Summary(std::FILE* err, const meet::ResultsCounts& counts) {
    std::fprintf(err,
                 "%zu results read: %zu swims, %zu not swum (a status or no time), %zu of relays "
                 "and %zu with no conversion left out, %zu unreadable\n",
                 counts.results, counts.swims, counts.notSwum, counts.relays, counts.noConversion,
                 counts.unreadable);
}

// Writes text to path whole or not at all, or to out for "-".
bool WriteOut(const std::string& path, const std::string& text, std::FILE* out, std::FILE* err) {
    if (path == "-") {
        if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) {
            Tell(err, "cannot write the output");
            return false;
        }
        return true;
    }
    if (const std::string error = io::WriteWholeFile(path, text); !error.empty()) {
        Tell(err, error);
        return false;
    }
    return true;
}

namespace {

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Why --from or --to is no date; empty when both are dates or left out.
std::string DatesError(const std::string& from, const std::string& to) {
    for (const auto& [option, date] : {std::pair{"--from", &from}, std::pair{"--to", &to}}) {
        if (!date->empty() && !meet::IsLenexDate(*date)) {
            return std::string(option) + " " + *date + " is no date like 2026-03-31";
        }
    }
    return {};
}

// Why club-entries cannot be run with these options; empty when it can.
std::string ClubEntriesUsageError(const ClubEntriesOptions& options) {
    if (std::string error = meet::EntriesFileNameError(options.output); !error.empty()) {
        return error;
    }
    const std::vector<std::string> inputs =
        Joined(Joined({options.invitation}, options.results), options.standards);
    if (const std::string onto = OntoInput({options.output, options.report}, inputs);
        !onto.empty()) {
        return onto + ": that is a file being read; write to another file";
    }
    if (std::string error = DatesError(options.from, options.to); !error.empty()) {
        return error;
    }
    if (const std::string& email = options.contactEmail;
        !email.empty() && (email.find('@') == std::string::npos || email.front() == '@' ||
                           email.back() == '@' || email.find(' ') != std::string::npos)) {
        return "--contact-email " + email + " is no email address like secretary@club.org";
    }
    if (options.output == options.report || io::SameFile(options.output, options.report)) {
        return "the report and the entries file cannot be one file";
    }
    return {};
}

// The request for the club's entries: the invitation and the standards files read into bytes,
// which are kept while the entries are made; false when one cannot be read, after telling why.
bool ReadClubEntriesRequest(const ClubEntriesOptions& options, std::deque<std::string>& bytes,
                            meet::ClubEntriesRequest& request, std::FILE* err) {
    for (const std::string& path : Joined({options.invitation}, options.standards)) {
        bytes.emplace_back();
        if (const std::string error = ReadInput(path, bytes.back()); !error.empty()) {
            Tell(err, error);
            return false;
        }
        request.standards.push_back({path, bytes.back()});
    }
    request.invitation = request.standards.front();
    request.standards.erase(request.standards.begin());
    request.club = options.club;
    request.from = options.from;
    request.to = options.to;
    request.all = options.all;
    request.output = options.output;
    request.version = options.version;
    request.contactName = options.contactName;
    request.contactEmail = options.contactEmail;
    return true;
}

// What was read and made, what was left out, and what the entries written cost each club.
void ClubEntriesSummary(const meet::ResultsCounts& read, const meet::ClubEntries& made,
                        std::FILE* err) {
    for (const std::string& note : made.notes) {
        std::fprintf(err, "club-entries: %s\n", note.c_str());
    }
    std::fputs("club-entries: ", err);
    Summary(err, read);
    const meet::Counts& counts = made.counts;
    std::fprintf(err,
                 "club-entries: %zu swimmer-event pairs considered: %zu meeting, %zu missing, "
                 "%zu not converted, %zu errors; %zu entries for %zu swimmers written\n",
                 counts.read, counts.meeting, counts.missing, counts.notConverted, counts.errors,
                 made.entries, made.athletes);
    if (counts.ineligible > 0) {
        std::fprintf(err,
                     "club-entries: %zu ineligible by the invitation's rules (the qualifying "
                     "period, the limits)\n",
                     counts.ineligible);
    }
    for (const std::string& problem : made.fees.problems) {
        std::fprintf(err, "club-entries: %s\n", problem.c_str());
    }
    for (const meet::ClubFees& club : made.fees.clubs) {
        if (!club.lines.empty()) {
            std::fprintf(err, "club-entries: fees of %s: %s%s%s (%zu %s, %zu %s)\n",
                         club.club.c_str(), meet::MoneyText(club.total).c_str(),
                         club.currency.empty() ? "" : " ", club.currency.c_str(), club.entries,
                         club.entries == 1 ? "entry" : "entries", club.swimmers,
                         club.swimmers == 1 ? "swimmer" : "swimmers");
        }
    }
}

} // namespace

int RunBestTimes(const BestTimesOptions& options, std::FILE* out, std::FILE* err) {
    if (meet::PoolOfCourse(options.course) == nullptr) {
        Tell(err, "--course " + options.course +
                      " is no course of the nine pools: LCM, SCM, SCM33, SCM20, SCY, SCY20, "
                      "SCY27, SCY33 or SCY36");
        return kExitUsage;
    }
    if (const std::string error = DatesError(options.from, options.to); !error.empty()) {
        Tell(err, error);
        return kExitUsage;
    }
    if (const std::string onto = OntoInput({options.output}, options.results); !onto.empty()) {
        Tell(err, onto + ": that is a file being read; write to another file");
        return kExitUsage;
    }
    meet::Results results;
    if (!ReadResults(options.results, results, err)) {
        return kExitUsage;
    }
    const meet::BestTimes best = meet::BestTimesIn(
        results, options.course, meet::SwimFilter{options.from, options.to, options.club});
    // The table goes out as it is made.
    io::WholeFileWriter file;
    const bool toFile = options.output != "-";
    if (toFile) {
        if (const std::string error = file.Open(options.output); !error.empty()) {
            Tell(err, error);
            return kExitUsage;
        }
    }
    const bool written = meet::WriteBestTimesCsv(results, best.best, [&](std::string_view piece) {
        return toFile ? file.Write(piece)
                      : std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
    });
    const std::string error = toFile ? file.Commit() : std::string();
    if (!written || !error.empty()) {
        Tell(err, error.empty() ? "cannot write the best times" : error);
        return kExitUsage;
    }
    std::fputs("best-times: ", err);
    Summary(err, results.counts);
    std::fprintf(err, "best-times: %zu best times in %s; %zu swims with no time there\n",
                 best.best.size(), options.course.c_str(), best.blank);
    return results.counts.unreadable > 0 ? kExitRejected : kExitOk;
}

int RunClubEntries(const ClubEntriesOptions& options, std::FILE* out, std::FILE* err) {
    if (const std::string error = ClubEntriesUsageError(options); !error.empty()) {
        Tell(err, error);
        return kExitUsage;
    }
    meet::Results results;
    if (!ReadResults(options.results, results, err)) {
        return kExitUsage;
    }
    std::deque<std::string> bytes;
    meet::ClubEntriesRequest request;
    if (!ReadClubEntriesRequest(options, bytes, request, err)) {
        return kExitUsage;
    }
    const meet::ClubEntries made = meet::MakeClubEntries(results, request);
    if (!made.error.empty()) {
        Tell(err, made.error);
        return kExitUsage;
    }
    if (!options.report.empty() &&
        !WriteOut(options.report, meet::ReportCsv(made.rows), out, err)) {
        return kExitUsage;
    }
    if (!WriteOut(options.output, made.file, out, err)) {
        return kExitUsage;
    }
    ClubEntriesSummary(results.counts, made, err);
    return results.counts.unreadable > 0 || made.counts.errors > 0 ? kExitRejected : kExitOk;
}

} // namespace et::cli

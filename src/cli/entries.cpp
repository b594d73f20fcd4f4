// equivtimes-cli entries: a meet file's entries (Lenex or SDIF) converted to the meet's pool and
// checked against the qualifying times, reported as CSV, and the converted meet written back in
// the format it was read in.

#include "cli/commands.hpp"

#include "check/fees.hpp"
#include "formats/meet_files.hpp"
#include "io/whole_file.hpp"

#include <memory>

namespace et::cli {
namespace {

void Tell(std::FILE* err, std::string_view message) {
    std::fprintf(err, "equivtimes-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

bool IsStdout(const std::string& path) {
    return path.empty() || path == "-";
}

// True when an output would be written onto one of the files read.
bool OntoInput(const std::string& output, const EntriesOptions& options) {
    if (output == options.meetFile || io::SameFile(output, options.meetFile)) {
        return true;
    }
    for (const std::string& standards : options.standards) {
        if (output == standards || io::SameFile(output, standards)) {
            return true;
        }
    }
    return false;
}

// The report's rows go out as they come, in pieces of this size.
constexpr std::size_t kReportPiece = std::size_t{1} << 16;

class ReportOutput {
public:
    ReportOutput(std::FILE* out, io::WholeFileWriter* file) : out_(out), file_(file) {}

    void Add(const meet::ReportRow& row) {
        meet::AppendReportCsvRow(buffer_, row);
        if (buffer_.size() >= kReportPiece) {
            Flush();
        }
    }
    void AddHeader() {
        buffer_ += meet::kReportHeader;
        buffer_ += "\r\n";
    }
    bool Flush() {
        if (file_ != nullptr) {
            ok_ = file_->Write(buffer_) && ok_;
        } else {
            ok_ = std::fwrite(buffer_.data(), 1, buffer_.size(), out_) == buffer_.size() && ok_;
        }
        buffer_.clear();
        return ok_;
    }

private:
    std::FILE* out_;
    io::WholeFileWriter* file_;
    std::string buffer_;
    bool ok_ = true;
};

// Why the options cannot be run (a course that is none, an output onto a file read or onto
// another output); empty when they can.
std::string UsageError(const EntriesOptions& options) {
    if (options.course && !meet::IsKnownCourse(*options.course)) {
        return "--course " + *options.course +
               " is no Lenex course: LCM, SCM, SCM33, SCM20, SCY, SCY20, SCY27, SCY33, "
               "SCY36, SCM16 or OPEN";
    }
    if (!options.output.empty()) {
        if (std::string error = formats::AnyOutputNameError(options.output); !error.empty()) {
            return error;
        }
    }
    for (const std::string* output : {&options.report, &options.output, &options.fees}) {
        if (!IsStdout(*output) && OntoInput(*output, options)) {
            return *output + ": that is a file being read; write to another file";
        }
    }
    if (!options.output.empty() && !IsStdout(options.report) &&
        (options.output == options.report || io::SameFile(options.output, options.report))) {
        return "the report and the converted meet cannot be one file";
    }
    if (!options.fees.empty() && !IsStdout(options.fees) &&
        ((!IsStdout(options.report) &&
          (options.fees == options.report || io::SameFile(options.fees, options.report))) ||
         options.fees == options.output || io::SameFile(options.fees, options.output))) {
        return "the fees go to a file of their own";
    }
    if (IsStdout(options.fees) && !options.fees.empty() && IsStdout(options.report)) {
        return "the report and the fees cannot both go to standard output";
    }
    return {};
}

// The meet file read, with the lists of the further standards files added and its problems told;
// null when it cannot be checked, after telling why.
std::unique_ptr<formats::MeetFile> ReadMeetToCheck(const EntriesOptions& options, std::FILE* err) {
    formats::OpenResult read = formats::OpenMeetFile(options.meetFile);
    if (!read.meet) {
        Tell(err, read.error);
        return nullptr;
    }
    // Results, records or an invitation: nothing to check, nothing written.
    if (const std::string holds = read.meet->NoEntriesText(); !holds.empty()) {
        Tell(err, options.meetFile + " " + holds + "; nothing is written");
        return nullptr;
    }
    // The converted copy is written in the format read: its name must say so.
    if (!options.output.empty() && !IsStdout(options.output)) {
        if (const std::string error = read.meet->OutputNameError(options.output); !error.empty()) {
            Tell(err, error);
            return nullptr;
        }
    }
    for (const std::string& path : options.standards) {
        if (const std::string error = read.meet->AddStandardsPath(path); !error.empty()) {
            Tell(err, error);
            return nullptr;
        }
    }
    for (const std::string& problem : read.meet->plain().problems) {
        std::fprintf(err, "%s\n", problem.c_str());
    }
    return std::move(read.meet);
}

struct ReportedCheck {
    meet::CheckResult result;
    bool written = false; // the whole report reached its file or standard output
};

// Checks every entry, each row written to the report as it comes and each error told; nothing
// when the report's file cannot be opened, after telling why.
std::optional<ReportedCheck> CheckIntoReport(const formats::MeetFile& meet,
                                             const EntriesOptions& options, std::FILE* out,
                                             std::FILE* err) {
    std::unique_ptr<io::WholeFileWriter> reportFile;
    if (!IsStdout(options.report)) {
        reportFile = std::make_unique<io::WholeFileWriter>();
        if (const std::string error = reportFile->Open(options.report); !error.empty()) {
            Tell(err, error);
            return std::nullopt;
        }
    }
    ReportOutput report(out, reportFile.get());
    report.AddHeader();
    ReportedCheck checked;
    checked.result = meet.Check(options.course, {}, [&](const meet::ReportRow& row) {
        if (row.verdict == meet::Verdict::Error) {
            std::fprintf(err, "%s\n", row.reason.c_str());
        }
        report.Add(row);
    });
    checked.written = report.Flush();
    if (reportFile) {
        if (const std::string error = reportFile->Commit(); !error.empty()) {
            Tell(err, error);
            checked.written = false;
        }
    } else if (!checked.written) {
        Tell(err, "cannot write the report");
    }
    return std::optional<ReportedCheck>(std::move(checked));
}

void TellCounts(const meet::Counts& counts, std::FILE* err) {
    std::fprintf(err,
                 "entries: %zu read, %zu converted, %zu meeting, %zu missing, %zu not converted, "
                 "%zu errors, %zu withdrawn\n",
                 counts.read, counts.converted, counts.meeting, counts.missing, counts.notConverted,
                 counts.errors, counts.withdrawn);
    if (counts.ineligible > 0) {
        // Only a meet whose invitation refuses some entries says how many.
        std::fprintf(err, "entries: %zu ineligible by the invitation's rules\n", counts.ineligible);
    }
}

// Writes what each club pays to the fees' file or standard output; false after telling why not.
bool WriteFees(const formats::MeetFile& meet, const meet::CheckResult& result,
               const std::string& path, std::FILE* out, std::FILE* err) {
    const meet::MeetFees fees = meet.Fees(result);
    for (const std::string& problem : fees.problems) {
        Tell(err, problem);
    }
    const std::string csv = meet::FeesCsv(fees);
    if (IsStdout(path)) {
        if (std::fwrite(csv.data(), 1, csv.size(), out) != csv.size()) {
            Tell(err, "cannot write the fees");
            return false;
        }
    } else if (const std::string error = io::WriteWholeFile(path, csv); !error.empty()) {
        Tell(err, error);
        return false;
    }
    return true;
}

} // namespace

int RunEntries(const EntriesOptions& options, std::FILE* out, std::FILE* err) {
    if (const std::string error = UsageError(options); !error.empty()) {
        Tell(err, error);
        return kExitUsage;
    }
    const std::unique_ptr<formats::MeetFile> meet = ReadMeetToCheck(options, err);
    if (!meet) {
        return kExitUsage;
    }
    const std::optional<ReportedCheck> checked = CheckIntoReport(*meet, options, out, err);
    if (!checked) {
        return kExitUsage;
    }
    const meet::CheckResult& result = checked->result;
    TellCounts(result.counts, err);
    if (!checked->written) {
        return kExitUsage;
    }
    if (!options.fees.empty() && !WriteFees(*meet, result, options.fees, out, err)) {
        return kExitUsage;
    }
    if (!options.output.empty()) {
        if (const std::string error = meet->WriteConverted(result, options.output);
            !error.empty()) {
            Tell(err, error);
            return kExitUsage;
        }
    }
    return result.counts.errors > 0 ? kExitRejected : kExitOk;
}

} // namespace et::cli

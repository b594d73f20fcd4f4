#include "cli/commands.hpp"

#include "cli/batch.hpp"
#include "cli/convert_report.hpp"
#include "cli/names.hpp"
#include "cli/points_target.hpp"
#include "cli/table.hpp"
#include "io/whole_file.hpp"
#include "model/time_text.hpp"
#include "points/gb_points.hpp"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>

namespace et::cli {
namespace {

constexpr std::string_view kProgram = "equivtimes-cli";

void Say(std::FILE* err, std::string_view message) {
    std::fprintf(err, "%.*s: %.*s\n", static_cast<int>(kProgram.size()), kProgram.data(),
                 static_cast<int>(message.size()), message.data());
}

bool Print(std::FILE* out, std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), out) == text.size();
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

std::string OpenFailure(std::string_view what, const std::string& path) {
    return "cannot " + std::string(what) + " " + path + ": " + std::strerror(errno);
}

bool IsStandardStream(const std::string& name) {
    return name.empty() || name == "-";
}

// Where a subcommand's output goes: standard output, streamed as it comes, or the file named by
// -o, which appears only once it is whole.
class Output {
public:
    Output(const std::string& name, std::FILE* stream)
        : toFile_(!IsStandardStream(name)), name_(name), stream_(stream) {}

    bool toFile() const { return toFile_; }

    // False after saying why the file cannot be written.
    bool Open(std::FILE* err) {
        if (!toFile_) {
            return true;
        }
        const std::string error = file_.Open(name_);
        if (!error.empty()) {
            Say(err, error);
        }
        return error.empty();
    }

    WriteBytes Sink() {
        if (toFile_) {
            return [this](std::string_view bytes) { return file_.Write(bytes); };
        }
        return WriteToFile(stream_);
    }

    // Puts a complete file in place, or flushes standard output; false after saying why the
    // output could not be written.
    bool Finish(bool complete, std::FILE* err) {
        if (!toFile_) {
            if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0 || !complete) {
                Say(err, "cannot write the output");
                return false;
            }
            return true;
        }
        if (complete) {
            file_.Commit();
        } else {
            file_.Abandon();
        }
        if (!file_.ok()) {
            Say(err, file_.error());
        }
        return file_.ok();
    }

    // A run that stopped part way: a file is left as it was, standard output keeps what it got.
    void Abandon(std::FILE* err) {
        if (toFile_) {
            file_.Abandon();
            Say(err, "nothing written to " + name_);
        } else {
            std::fflush(stream_);
        }
    }

private:
    bool toFile_;
    std::string name_;
    std::FILE* stream_;
    io::WholeFileWriter file_;
};

} // namespace

int RunConvert(const ConvertOptions& options, std::FILE* out, std::FILE* err) {
    SwimResult result;
    std::string error;
    NameReader names;
    const bool accepted =
        EvaluateRow(names, options.pool, options.event, options.time, result, error);
    if (options.format == "csv") {
        CsvWriter csv(WriteToFile(out));
        ConvertCsv(csv, options.pool, options.event, options.time, accepted ? &result : nullptr,
                   error);
        if (!csv.Flush()) {
            Say(err, "cannot write the output");
            return kExitUsage;
        }
    } else if (accepted) {
        const PoolInfo& pool = kPools[*ParsePool(options.pool)];
        const std::string text =
            ConvertText(pool, *ParseEvent(options.event), options.time, result);
        if (!Print(out, text)) {
            Say(err, "cannot write the output");
            return kExitUsage;
        }
    }
    if (!accepted) {
        Say(err, error);
        return kExitRejected;
    }
    if (!result.warning.empty()) {
        Say(err, "warning: " + result.warning);
    }
    return kExitOk;
}

int RunBatch(const BatchOptions& options, std::FILE* in, std::FILE* out, std::FILE* err) {
    const bool fromStdin = IsStandardStream(options.input);
    // Writing the converted list over the entry list it comes from would lose the entries: the
    // same file under any name (a link, a hard link, standard input) is refused before either is
    // touched.
    if (!IsStandardStream(options.output)) {
        const std::string source =
            fromStdin ? "/dev/fd/" + std::to_string(fileno(in)) : options.input;
        if (io::SameFile(source, options.output)) {
            Say(err, "the output " + options.output + " is " +
                         (fromStdin ? std::string("the file on standard input")
                                    : "the input file " + options.input) +
                         ": name another output file");
            return kExitUsage;
        }
    }
    OwnedFile inputFile;
    if (!fromStdin) {
        inputFile.reset(std::fopen(options.input.c_str(), "rb"));
        if (!inputFile) {
            Say(err, OpenFailure("read", options.input));
            return kExitUsage;
        }
        in = inputFile.get();
    }
    Output output(options.output, out);
    if (!output.Open(err)) {
        return kExitUsage;
    }
    // Our own buffers are large; stdio's would only copy the bytes once more.
    std::setvbuf(out, nullptr, _IONBF, 0);
    // A list full of rejected rows should not cost a write to the terminal per row.
    std::setvbuf(err, nullptr, _IOFBF, std::size_t{1} << 16);

    CsvReader reader(ReadFromFile(in));
    BatchSummary summary;
    {
        CsvWriter writer(output.Sink());
        const std::string name = fromStdin ? "<stdin>" : options.input;
        summary = RunBatch(reader, writer, name, [err](std::string_view line) {
            std::fprintf(err, "%.*s\n", static_cast<int>(line.size()), line.data());
        });
    }
    if (summary.failed && !summary.writeFailed) {
        output.Abandon(err);
        std::fflush(err);
        return kExitUsage;
    }
    const bool written = output.Finish(!summary.writeFailed, err);
    std::fflush(err);
    if (!written) {
        return kExitUsage;
    }
    return summary.rejected > 0 ? kExitRejected : kExitOk;
}

int RunTable(const TableOptions& options, std::FILE* out, std::FILE* err) {
    const auto poolIndex = ParsePool(options.pool);
    if (!poolIndex) {
        Say(err, UnknownPoolMessage(options.pool));
        return kExitRejected;
    }
    const auto event = ParseEvent(options.event);
    if (!event) {
        Say(err, UnknownEventMessage(options.event));
        return kExitRejected;
    }
    std::string error;
    const auto from = AcceptedHundredths(options.from, error);
    if (!from) {
        Say(err, "--from: " + error);
        return kExitRejected;
    }
    const auto to = AcceptedHundredths(options.to, error);
    if (!to) {
        Say(err, "--to: " + error);
        return kExitRejected;
    }
    const auto step = StepHundredths(options.step);
    if (!step) {
        Say(err, "--step: '" + options.step +
                     "' is not a step in seconds of at least 0.01, with at most two decimals");
        return kExitUsage;
    }
    if (*from > *to) {
        Say(err, "--from " + options.from + " is slower than --to " + options.to);
        return kExitUsage;
    }
    const TableRange range{*from, *to, *step};
    const PoolInfo& pool = kPools[*poolIndex];
    // Slower rows are never less plausible than the first: the two ends say it all.
    for (const auto& [option, text] :
         {std::pair{"--from ", &options.from}, std::pair{"--to ", &options.to}}) {
        SwimResult result;
        if (EvaluateSwim(pool, *event, *text, result, error) && !result.warning.empty()) {
            Say(err, "warning: " + std::string(option) + result.warning);
        }
    }
    Output output(options.output, out);
    if (!output.Open(err)) {
        return kExitUsage;
    }
    bool complete = false;
    if (options.format == "csv") {
        CsvWriter csv(output.Sink());
        complete = WriteTableCsv(pool, *event, range, csv);
    } else {
        complete = WriteTableText(pool, *event, range, output.Sink());
    }
    return output.Finish(complete, err) ? kExitOk : kExitUsage;
}

int RunPoints(const PointsOptions& options, std::FILE* out, std::FILE* err) {
    if (options.points < 1) {
        Say(err, "--points: the target must be 1 point or more");
        return kExitUsage;
    }
    if (options.pool.empty() == options.course.empty()) {
        Say(err, "points: give the pool with --pool (or --course long or short)");
        return kExitUsage;
    }
    const std::string poolText = !options.pool.empty()                        ? options.pool
                                 : EqualsIgnoringCase(options.course, "long") ? "50m"
                                                                              : "25m";
    const auto poolIndex = ParsePool(poolText);
    if (!poolIndex) {
        Say(err, UnknownPoolMessage(poolText));
        return kExitRejected;
    }
    const auto event = ParseEvent(options.event);
    if (!event) {
        Say(err, UnknownEventMessage(options.event));
        return kExitRejected;
    }
    const PoolInfo& pool = kPools[*poolIndex];
    const bool male = EqualsIgnoringCase(options.sex, "male");
    const std::string sex = male ? "male" : "female";
    const PointsTarget found = FindPointsTarget(pool, *event, male ? "M" : "F", options.points);
    const std::string what = EventName(*event) + ", " + sex + ", " + std::string(pool.caption);
    switch (found.outcome) {
    case PointsTarget::Outcome::NoReference:
        Say(err, std::string(kNoReferenceMessage) + " (" + what + ")");
        return kExitRejected;
    case PointsTarget::Outcome::Unreachable:
        Say(err, std::to_string(options.points) + " points cannot be scored in " + what +
                     (found.best > 0.0 ? ": no time scores more than " + FormatPoints(found.best)
                                       : ": no time typed in that pool scores"));
        return kExitRejected;
    case PointsTarget::Outcome::Found:
        break;
    }
    const std::string time = TypedTimeText(found.hundredths);
    bool written = false;
    if (options.format == "csv") {
        CsvWriter csv(WriteToFile(out));
        for (const std::string_view name : {"event", "sex", "pool", "points", "time", "scores"}) {
            csv.Field(name);
        }
        csv.EndRecord();
        for (const std::string& field :
             {EventName(*event), sex, std::string(pool.code), std::to_string(options.points), time,
              FormatPoints(found.pointsAt)}) {
            csv.Field(field);
        }
        csv.EndRecord();
        written = csv.Flush();
    } else {
        std::string text = what + ": " + std::to_string(options.points) +
                           (options.points == 1 ? " point" : " points") + " needs " + time +
                           " or faster\n";
        text += time + " scores " + FormatPoints(found.pointsAt);
        if (found.pointsAfter) {
            text += ", " + TypedTimeText(found.hundredths + 1) + " scores " +
                    (*found.pointsAfter >= 1.0 ? FormatPoints(*found.pointsAfter) : "0");
        } else {
            text += ", the slowest time the window takes";
        }
        text += " (reference time " + TypedTimeText(std::lround(found.reference * 100.0)) + ")\n";
        written = Print(out, text) && std::fflush(out) == 0;
    }
    if (!written) {
        Say(err, "cannot write the output");
        return kExitUsage;
    }
    return kExitOk;
}

} // namespace et::cli

#include "cli/commands.hpp"

#include "cli/batch.hpp"
#include "cli/convert_report.hpp"
#include "cli/names.hpp"
#include "cli/points_target.hpp"
#include "cli/table.hpp"
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

} // namespace

int RunConvert(const ConvertOptions& options, std::FILE* out, std::FILE* err) {
    SwimResult result;
    std::string error;
    const bool accepted = EvaluateRow(options.pool, options.event, options.time, result, error);
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
    return kExitOk;
}

int RunBatch(const BatchOptions& options, std::FILE* in, std::FILE* out, std::FILE* err) {
    const bool fromStdin = options.input.empty() || options.input == "-";
    OwnedFile inputFile;
    if (!fromStdin) {
        inputFile.reset(std::fopen(options.input.c_str(), "rb"));
        if (!inputFile) {
            Say(err, OpenFailure("read", options.input));
            return kExitUsage;
        }
        in = inputFile.get();
    }
    const bool toStdout = options.output.empty() || options.output == "-";
    OwnedFile outputFile;
    if (!toStdout) {
        outputFile.reset(std::fopen(options.output.c_str(), "wb"));
        if (!outputFile) {
            Say(err, OpenFailure("write", options.output));
            return kExitUsage;
        }
        out = outputFile.get();
    }
    // Our own buffers are large; stdio's would only copy the bytes once more.
    std::setvbuf(out, nullptr, _IONBF, 0);
    // A list full of rejected rows should not cost a write to the terminal per row.
    std::setvbuf(err, nullptr, _IOFBF, std::size_t{1} << 16);

    CsvReader reader(ReadFromFile(in));
    BatchSummary summary;
    {
        CsvWriter writer(WriteToFile(out));
        const std::string name = fromStdin ? "<stdin>" : options.input;
        summary = RunBatch(reader, writer, name, [err](std::string_view line) {
            std::fprintf(err, "%.*s\n", static_cast<int>(line.size()), line.data());
        });
    }
    std::fflush(err);
    bool writeFailed = summary.writeFailed || std::fflush(out) != 0;
    if (outputFile) {
        writeFailed = std::fclose(outputFile.release()) != 0 || writeFailed;
    }
    if (writeFailed) {
        Say(err, "cannot write " + (toStdout ? std::string("the output") : options.output));
        return kExitUsage;
    }
    if (summary.failed) {
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
    bool written = false;
    if (options.format == "csv") {
        CsvWriter csv(WriteToFile(out));
        written = WriteTableCsv(pool, *event, range, csv);
    } else {
        written = WriteTableText(pool, *event, range, WriteToFile(out));
    }
    if (!written) {
        Say(err, "cannot write the output");
        return kExitUsage;
    }
    return kExitOk;
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

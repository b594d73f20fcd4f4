// equivtimes-cli progression: one swimmer's season from meets' results files drawn as an SVG
// chart in one pool, and its swims as CSV. The chart library decides everything; this reads the
// files, finds the swimmer and writes.

#include "cli/commands.hpp"
#include "cli/results_input.hpp"

#include "chart/season_chart.hpp"
#include "chart/season_request.hpp"
#include "check/swim_values.hpp"
#include "club/season.hpp"
#include "io/whole_file.hpp"
#include "lenex/meet_file.hpp"

#include <utility>

namespace et::cli {
namespace {

void Say(std::FILE* err, std::string_view message) {
    std::fprintf(err, "equivtimes-cli: %.*s\n", static_cast<int>(message.size()), message.data());
}

// Why the options cannot be run; empty when they can.
std::string ProgressionUsageError(const ProgressionOptions& options) {
    if (meet::PoolOfCourse(options.course) == nullptr) {
        return "--course " + options.course +
               " is none of LCM, SCM, SCM33, SCM20, SCY, SCY20, SCY27, SCY33, SCY36";
    }
    for (const auto& [option, date] :
         {std::pair{"--from", &options.from}, std::pair{"--to", &options.to},
          std::pair{"--birthdate", &options.birthdate}}) {
        if (!date->empty() && !meet::IsLenexDate(*date)) {
            return std::string(option) + " " + *date + " is no date like 2026-03-31";
        }
    }
    if (!options.event.empty() && !chart::IsEventName(options.event)) {
        return "--event " + options.event + " is no event like \"100 Free\" or \"200 IM\"";
    }
    for (const std::string& output : {options.output, options.csv}) {
        if (output.empty() || output == "-") {
            continue;
        }
        for (const std::string& input : options.results) {
            if (output == input || io::SameFile(output, input)) {
                return output + ": that is a file being read; write to another file";
            }
        }
    }
    if (options.output == options.csv) {
        return "the chart and the CSV cannot be one output";
    }
    return {};
}

} // namespace

int RunProgression(const ProgressionOptions& options, std::FILE* out, std::FILE* err) {
    if (const std::string error = ProgressionUsageError(options); !error.empty()) {
        Say(err, error);
        return kExitUsage;
    }
    meet::Results results;
    if (!ReadResults(options.results, results, err)) {
        return kExitUsage;
    }
    meet::Meet standards;
    for (const std::string& path : options.standards) {
        if (const std::string error = meet::AddStandardsPath(standards, path); !error.empty()) {
            Say(err, error);
            return kExitUsage;
        }
    }
    const meet::SwimFilter filter{options.from, options.to, options.club};
    const std::vector<std::uint32_t> found =
        chart::FindSwimmers(results, {options.swimmer, options.birthdate, options.license}, filter);
    if (found.empty()) {
        Say(err, "no swimmer " + options.swimmer + " in the results" +
                     (options.birthdate.empty() && options.license.empty() && options.club.empty()
                          ? ""
                          : " with the birth date, license or club given"));
        return kExitRejected;
    }
    if (found.size() > 1) {
        Say(err, std::to_string(found.size()) + " swimmers are called " + options.swimmer +
                     "; say which with --birthdate or --license:");
        for (const std::uint32_t swimmer : found) {
            std::fprintf(err, "  %s\n", chart::SwimmerLine(results.swimmers[swimmer]).c_str());
        }
        return kExitUsage;
    }
    chart::ProgressionAsk ask;
    ask.swimmer = found.front();
    ask.course = options.course;
    ask.event = options.event;
    ask.filter = filter;
    ask.standards = options.standards.empty() ? nullptr : &standards;
    chart::Progression made;
    chart::MakeProgression(results, ask, made);
    const std::string& who = made.request.swimmer;
    if (made.listed.size() == made.undated) {
        Say(err, who + " has no swims that count in " + options.course +
                     (made.undated > 0 ? " with a date (" + std::to_string(made.undated) +
                                             " with none): nothing written"
                                       : ": nothing written"));
        return kExitRejected;
    }
    if (!options.csv.empty() && !WriteOut(options.csv, chart::ProgressionCsv(made), out, err)) {
        return kExitUsage;
    }
    if (!WriteOut(options.output, chart::SeasonSvg(made.request), out, err)) {
        return kExitUsage;
    }
    const std::size_t drawn = made.listed.size() - made.undated;
    const std::size_t events = made.request.panels.size();
    std::fprintf(err, "progression: %zu %s of %s drawn in %zu %s in %s", drawn,
                 drawn == 1 ? "swim" : "swims", who.c_str(), events,
                 events == 1 ? "event" : "events", options.course.c_str());
    if (made.undated > 0) {
        std::fprintf(err, "; %zu with no date listed in the CSV but not drawn", made.undated);
    }
    if (made.blank > 0) {
        std::fprintf(err, "; %zu with no time in %s left out", made.blank, options.course.c_str());
    }
    std::fputs("\n", err);
    return kExitOk;
}

} // namespace et::cli

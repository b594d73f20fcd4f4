// A results file: any bytes read as a meet's Lenex results. Either its swims are added, or a
// message names the file and the season read so far stays as it was; every swim read is above
// zero (00:00:00.00 is a final not swum), the best times of what was read come in every pool,
// each a time above zero, and as CSV one line a swimmer's event.
#include "meet/results.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    et::meet::Results results;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string error = et::meet::AddResults(results, bytes, "results.lef");
    if (!error.empty()) {
        Require(error.starts_with("results.lef"));
        Require(results.swims.empty() && results.swimmers.empty() && results.counts.results == 0);
        return 0;
    }
    Require(results.counts.swims == results.swims.size());
    // 00:00:00.00 is a final not swum, never a swim made.
    for (const et::meet::ResultsSwim& swim : results.swims) {
        Require(swim.hundredths > 0);
    }
    for (const std::string_view course : {"LCM", "SCM", "SCY27", "SCY"}) {
        const et::meet::BestTimes best =
            et::meet::BestTimesIn(results, std::string(course), et::meet::SwimFilter());
        for (const et::meet::Best& one : best.best) {
            Require(one.hundredths > 0 && one.swim < results.swims.size() &&
                    results.swims[one.swim].hundredths > 0);
        }
        const std::string csv = et::meet::BestTimesCsv(results, best.best);
        Require(csv.starts_with(et::meet::kBestTimesHeader));
        Require(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')) >=
                best.best.size() + 1);
    }
    return 0;
}

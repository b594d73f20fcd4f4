// The core work of one keystroke in the time box: read the text, find the long-course time,
// write the nine converted times and score the swim for a man and a woman.
#include "convert/display.hpp"
#include "convert/pool_factors.hpp"
#include "model/time_text.hpp"
#include "points/gb_points.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void Keystroke(benchmark::State& state, const char* text, std::int16_t event, std::int16_t distance,
               std::size_t poolBox) {
    const et::PoolInfo& pool = et::kPools[poolBox];
    for (auto _ : state) {
        double value = 0.0;
        std::string normal;
        std::int16_t nerr = 0;
        et::timecheck(text, value, normal, nerr);
        const et::BoxTexts boxes =
            et::ConvertedTimes(event, distance, value, pool.type, pool.turnsPerHundred);
        const et::PointsUpdate points =
            et::ShowGBPoints(pool.type, pool.turnsPerHundred, event, boxes[0], boxes[2]);
        benchmark::DoNotOptimize(boxes);
        benchmark::DoNotOptimize(points);
    }
}

void Parse(benchmark::State& state) {
    for (auto _ : state) {
        double value = 0.0;
        std::string normal;
        std::int16_t nerr = 0;
        et::timecheck("2.05.37", value, normal, nerr);
        benchmark::DoNotOptimize(value);
    }
}

} // namespace

BENCHMARK_CAPTURE(Keystroke, free100_25m, "60.00", 2, 100, 2);
BENCHMARK_CAPTURE(Keystroke, fly200_33yd, "2.05.37", 12, 200, 6);
BENCHMARK_CAPTURE(Keystroke, free1500_50m, "15.10.25", 6, 1500, 0);
BENCHMARK(Parse);

BENCHMARK_MAIN();

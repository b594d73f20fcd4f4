#include "chart/scales.hpp"

#include <algorithm>
#include <array>
#include <chrono>
#include <string_view>

namespace et::chart {
namespace {

// Round lengths of a time step, in hundredths: tenths of a second for sprints seen close up, up to
// ten minutes for a distance swimmer's season.
constexpr std::array<long, 14> kTimeSteps = {10,   20,   50,   100,   200,   500,   1000,
                                             1500, 3000, 6000, 12000, 30000, 60000, 120000};

// Month steps of a date axis.
constexpr std::array<long, 7> kMonthSteps = {1, 2, 3, 6, 12, 24, 60};

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The smallest multiple of step at or above value, and the largest at or below it.
long CeilTo(long value, long step) {
    const long q = value / step;
    return (q * step < value ? q + 1 : q) * step;
}
long FloorTo(long value, long step) {
    const long q = value / step;
    return (q * step > value ? q - 1 : q) * step;
}

std::string TwoDigits(long n) {
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// Months counted from year 0: the first of the month k.
long DayOfMonthStart(long k) {
    using namespace std::chrono;
    const year_month_day ymd{year{static_cast<int>(k / 12)},
                             month{static_cast<unsigned>(k % 12 + 1)}, day{1}};
    return sys_days{ymd}.time_since_epoch().count();
}

} // namespace

double Place(const Axis& axis, double value, double from, double to) {
    if (!(axis.high > axis.low)) {
        return (from + to) / 2.0;
    }
    return from + (value - axis.low) / (axis.high - axis.low) * (to - from);
}

std::string TimeLabel(long hundredths, bool tenths) {
    const long unit = tenths ? 10 : 100;
    const long units = (std::max(hundredths, 0L) + unit / 2) / unit;
    const long seconds = tenths ? units / 10 : units;
    const long minutes = seconds / 60;
    // Appended piece by piece: GCC 12's optimiser warns (wrongly) of overlapping copies when a
    // short literal is added in front of a string.
    std::string label = std::to_string(minutes > 0 ? minutes : seconds);
    if (minutes > 0) {
        label += ':';
        label += TwoDigits(seconds % 60);
    }
    if (tenths) {
        label += '.';
        label += std::to_string(units % 10);
    }
    return label;
}

Axis TimeAxis(long fastest, long slowest, int maxIntervals) {
    const long lo = std::min(fastest, slowest);
    const long hi = std::max(fastest, slowest);
    // Room of a twelfth of the spread beyond the fastest and slowest, and at least a hundredth
    // of the time, so that a swim alone sits inside an axis of its own.
    const long pad = std::max({(hi - lo) / 12, hi / 100, 10L});
    const long padLo = std::max(lo - pad, 0L);
    const long padHi = hi + pad;
    long step = kTimeSteps.back();
    for (const long candidate : kTimeSteps) {
        if ((CeilTo(padHi, candidate) - FloorTo(padLo, candidate)) / candidate <= maxIntervals) {
            step = candidate;
            break;
        }
    }
    Axis axis;
    const long low = FloorTo(padLo, step);
    const long high = CeilTo(padHi, step);
    axis.low = static_cast<double>(low);
    axis.high = static_cast<double>(high);
    for (long t = low; t <= high; t += step) {
        axis.ticks.push_back({static_cast<double>(t), TimeLabel(t, step < 100), {}});
    }
    return axis;
}

std::optional<long> DayIndex(std::uint32_t day) {
    using namespace std::chrono;
    const year_month_day ymd{year{static_cast<int>(day / 10000)}, month{day / 100 % 100},
                             std::chrono::day{day % 100}};
    if (!ymd.ok()) {
        return std::nullopt;
    }
    return sys_days{ymd}.time_since_epoch().count();
}

std::string IsoDate(std::uint32_t day) {
    std::string year = std::to_string(day / 10000);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return year + "-" + TwoDigits(day / 100 % 100) + "-" + TwoDigits(day % 100);
}

Axis DateAxis(long first, long last, int maxTicks) {
    const long lo = std::min(first, last);
    const long hi = std::max(first, last);
    const long span = hi - lo;
    // Any 62 days hold the first of two months, so that even a single gala has two ticks.
    const long pad = std::max({span / 20, 10L, (62 - span + 1) / 2});
    Axis axis;
    axis.low = static_cast<double>(lo - pad);
    axis.high = static_cast<double>(hi + pad);

    using namespace std::chrono;
    const year_month_day start{sys_days{days{lo - pad}}};
    long firstMonth = static_cast<int>(start.year()) * 12L +
                      static_cast<long>(static_cast<unsigned>(start.month())) - 1;
    if (start.day() != day{1}) {
        ++firstMonth;
    }
    long step = kMonthSteps.back();
    for (const long candidate : kMonthSteps) {
        long count = 0;
        for (long k = CeilTo(firstMonth, candidate); DayOfMonthStart(k) <= hi + pad;
             k += candidate) {
            ++count;
        }
        if (count <= maxTicks) {
            step = candidate;
            break;
        }
    }
    for (long k = CeilTo(firstMonth, step); DayOfMonthStart(k) <= hi + pad; k += step) {
        Tick tick{static_cast<double>(DayOfMonthStart(k)), {}, {}};
        const std::string yearText = std::to_string(k / 12);
        if (step >= 12) {
            tick.label = yearText;
        } else {
            tick.label = std::string(kMonthNames[static_cast<std::size_t>(k % 12)]);
            if (axis.ticks.empty() || k % 12 == 0) {
                tick.below = yearText;
            }
        }
        axis.ticks.push_back(std::move(tick));
    }
    // A January next to the first tick tells its year too, and the two would run into each other.
    if (axis.ticks.size() > 1 && !axis.ticks[1].below.empty()) {
        axis.ticks[0].below.clear();
    }
    return axis;
}

} // namespace et::chart

#include "points/gb_points.hpp"

#include "convert/pool_factors.hpp"
#include "model/events.hpp"
#include "model/time_text.hpp"

#include <cmath>

namespace et {
namespace {

// Columns: men long course, men short course, women long course, women short course.
// Empty cells are events with no reference time for that sex and course.
using RefRow = std::array<std::string_view, 4>;
constexpr std::array<RefRow, 35> kReferenceTimes = {{
    {"", "", "", ""},                                 // 0: no event
    {"00.21.86", "00.21.29", "00.24.57", "00.24.25"}, // 50 Free
    {"00.48.38", "00.47.00", "00.54.14", "00.52.89"}, // 100 Free
    {"01.46.06", "01.43.23", "01.57.36", "01.55.05"}, // 200 Free
    {"03.44.19", "03.38.95", "04.05.81", "04.01.46"}, // 400 Free
    {"07.47.91", "07.36.77", "08.21.55", "08.16.35"}, // 800 Free
    {"14.50.57", "14.30.60", "16.00.31", "15.53.97"}, // 1500 Free
    {"00.27.46", "00.26.46", "00.30.88", "00.30.25"}, // 50 Breast
    {"01.00.44", "00.58.38", "01.07.21", "01.05.76"}, // 100 Breast
    {"02.10.70", "02.06.60", "02.24.20", "02.20.55"}, // 200 Breast
    {"00.23.54", "00.22.86", "00.25.84", "00.25.54"}, // 50 Fly
    {"00.52.03", "00.50.87", "00.57.62", "00.57.20"}, // 100 Fly
    {"01.55.26", "01.52.38", "02.06.45", "02.05.36"}, // 200 Fly
    {"00.25.12", "00.23.43", "00.28.40", "00.27.15"}, // 50 Back
    {"00.54.09", "00.51.29", "01.00.32", "00.58.28"}, // 100 Back
    {"01.57.28", "01.52.25", "02.08.33", "02.05.38"}, // 200 Back
    {"01.59.39", "01.55.67", "02.11.37", "02.08.97"}, // 200 IM
    {"04.12.63", "04.05.44", "04.35.86", "04.30.27"}, // 400 IM
    {"03.14.84", "03.10.87", "03.38.63", "03.35.68"}, // 400 FT
    {"07.09.61", "07.02.02", "07.57.57", "07.49.39"}, // 800 FT
    {"03.35.66", "03.29.73", "04.00.89", "03.57.40"}, // 400 MT
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""}, // 1L, 2L Free, Breast
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},
    {"", "", "", ""},                 // 1L, 2L Fly, Back
    {"", "00.52.87", "", "00.59.80"}, // 4x1L IM
    {"", "", "", ""},                 // 4x2L IM
    {"01.26.59", "", "01.36.55", ""}, // 4x1L FT
    {"", "01.25.83", "", "01.38.69"}, // 4x2L FT
    {"01.37.66", "", "01.50.01", ""}, // 4x1L MT
    {"", "01.35.30", "", "01.49.10"}, // 4x2L MT
}};

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int TwoDigits(std::string_view text, std::size_t at) {
    int value = 0;
    for (std::size_t i = at; i < at + 2 && i < text.size(); ++i) {
        if (!isDigit(text[i])) {
            break;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

constexpr std::array<std::string_view, 2> kPassSex = {"B", "G"};

} // namespace

double AlphaToTime(std::string_view text) {
    if (text.empty() || !isDigit(text[0])) {
        return 0.0;
    }
    const int minutes = TwoDigits(text, 0);
    const int seconds = TwoDigits(text, 3);
    const int hundredths = TwoDigits(text, 6);
    return static_cast<double>(seconds) + static_cast<double>(minutes) * 60.0 +
           static_cast<double>(hundredths) / 100.0;
}

double GetRefTime(std::int16_t EventCode, std::string_view Sex, std::int16_t Course) {
    std::size_t column = Course == kLongCourse ? 0 : 1;
    if (Sex == "B" || Sex == "M") {
        // men's columns
    } else if (Sex == "G" || Sex == "L" || Sex == "F") {
        column += 2;
    } else {
        return 0.0;
    }
    if (EventCode < 1 || EventCode > kLastEventCode) {
        return 0.0;
    }
    // The table's texts read once, not on every scoring.
    static const auto seconds = [] {
        std::array<std::array<double, 4>, kReferenceTimes.size()> read{};
        for (std::size_t event = 0; event < kReferenceTimes.size(); ++event) {
            for (std::size_t c = 0; c < 4; ++c) {
                const std::string_view cell = kReferenceTimes[event][c];
                read[event][c] = cell.empty() ? 0.0 : AlphaToTime(cell);
            }
        }
        return read;
    }();
    return seconds[static_cast<std::size_t>(EventCode)][column];
}

double CalcGBPoints(double T, double R) {
    double points = 0.0;
    if (T <= 0.01) {
        return points;
    }
    // A time under a third of the reference time scores nothing; exactly a third still scores.
    const auto ratio = static_cast<float>(R / T);
    if (ratio > 3.0F) {
        return points;
    }
    points = std::floor(std::exp(std::log(0.1) * T / R) * 10000.0);
    return points;
}

std::string FormatPoints(double points) {
    if (!(points >= 1.0)) {
        return {};
    }
    return std::to_string(static_cast<long long>(points));
}

PointsUpdate ShowGBPoints(std::int16_t SelPoolType, std::int16_t SelPoolLenCode,
                          std::int16_t SelEvent, std::string_view box50, std::string_view box25) {
    const bool longCourse = IsFiftyMetrePool(SelPoolType, SelPoolLenCode);
    const std::int16_t course = longCourse ? kLongCourse : kShortCourse;
    const std::string_view timeText = longCourse ? box50 : box25;

    // Both passes score the same text: it is read once.
    double T = 0.0;
    std::string normalised;
    std::int16_t nerr = kTimeOk;
    timecheck(timeText, T, normalised, nerr);

    PointsUpdate update;
    for (std::size_t pass = 0; pass < kPassSex.size(); ++pass) {
        const double R = GetRefTime(SelEvent, kPassSex[pass], course);
        if (R <= 0.0) {
            update.missingReference = true;
            return update;
        }
        if (!IsWorkableTime(nerr, T)) {
            // Both passes score the same text: neither box can show a figure for this swim.
            update.box[0] = std::string();
            update.box[1] = std::string();
            return update;
        }
        update.box[pass] = FormatPoints(CalcGBPoints(T, R));
    }
    return update;
}

} // namespace et

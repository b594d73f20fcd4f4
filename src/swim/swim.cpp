#include "swim/swim.hpp"

#include "convert/conversion.hpp"
#include "model/time_text.hpp"
#include "points/gb_points.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace et {

bool ReadEnteredTime(std::string_view timeText, double& swtime, std::string& normalised,
                     std::string& error) {
    if (timeText.find_first_not_of(' ') == std::string_view::npos) {
        error = "no time given";
        return false;
    }
    std::int16_t nerr = kTimeOk;
    timecheck(timeText, swtime, normalised, nerr);
    if (nerr == kTimeMalformed) {
        error = "time '";
        error += timeText;
        error += "' is not a swim time like 59.87 or 1:02.34";
        return false;
    }
    // The window takes no time of 10.00 seconds or less, nor one over 45 minutes.
    if (!IsWorkableTime(nerr, swtime)) {
        error = "time '";
        error += timeText;
        error += swtime > kLongestTime ? "' is over 45 minutes" : "' is not above 10.00 seconds";
        return false;
    }
    return true;
}

bool ReadSwim(const PoolInfo& pool, const IndividualEvent& event, std::string_view timeText,
              TypedSwim& swim, std::string& error) {
    double swtime = 0.0;
    std::string normalised;
    if (!ReadEnteredTime(timeText, swtime, normalised, error)) {
        return false;
    }
    swim.swtime = swtime;
    swim.longCourse =
        LongCourseTime(event.code, event.distance, swtime, pool.type, pool.turnsPerHundred);
    return true;
}

std::string BoxText(const IndividualEvent& event, const TypedSwim& swim, std::size_t n) {
    return BoxOf(swim.longCourse ? TimeInPool(event.code, *swim.longCourse, event.distance, n)
                                 : std::nullopt);
}

bool EvaluateSwim(const PoolInfo& pool, const IndividualEvent& event, std::string_view timeText,
                  SwimResult& result, std::string& error) {
    TypedSwim swim;
    if (!ReadSwim(pool, event, timeText, swim, error)) {
        return false;
    }
    const PoolTimes times = swim.longCourse
                                ? TimesInEveryPool(event.code, *swim.longCourse, event.distance)
                                : PoolTimes{};
    result.boxes = BoxesOf(times);
    result.warning = ImplausibleTimeWarning(event, timeText, swim.swtime, times);
    const PointsUpdate points =
        ShowGBPoints(pool.type, pool.turnsPerHundred, event.code, result.boxes[kFiftyMetreBox],
                     result.boxes[kTwentyFiveMetreBox]);
    // A fresh swim has no earlier figures to keep: a box left alone is an empty box.
    result.male = points.box[0].value_or(std::string());
    result.female = points.box[1].value_or(std::string());
    return true;
}

namespace {

// The lowest and the highest of an event's reference times (either sex, either course); 0 where
// the table has none.
struct ReferenceRange {
    double lowest = 0.0;
    double highest = 0.0;
};

ReferenceRange ReferenceRangeOf(std::int16_t code) {
    ReferenceRange range;
    for (const std::string_view sex : {"M", "F"}) {
        for (const std::int16_t course : {kLongCourse, kShortCourse}) {
            const double R = GetRefTime(code, sex, course);
            range.lowest = R > 0.0 && (range.lowest == 0.0 || R < range.lowest) ? R : range.lowest;
            range.highest = std::max(range.highest, R);
        }
    }
    return range;
}

// Every event's range, read from the reference table once: a batch asks for it on every row.
const ReferenceRange& ReferenceRangeOfEvent(std::int16_t code) {
    static const std::array<ReferenceRange, kLastEventCode + 1> ranges = [] {
        std::array<ReferenceRange, kLastEventCode + 1> table{};
        for (std::int16_t n = 1; n <= kLastEventCode; ++n) {
            table[static_cast<std::size_t>(n)] = ReferenceRangeOf(n);
        }
        return table;
    }();
    static const ReferenceRange none;
    return code >= 1 && code <= kLastEventCode ? ranges[static_cast<std::size_t>(code)] : none;
}

} // namespace

std::string ImplausibleTimeWarning(const IndividualEvent& event, std::string_view timeText,
                                   double swtime, const PoolTimes& times) {
    const auto [lowest, highest] = ReferenceRangeOfEvent(event.code);
    // In whole hundredths, so that exactly a third is not under it.
    const bool tooFast = std::lround(swtime * 100.0) * 3 < std::lround(lowest * 100.0);
    const PoolInfo* gone = nullptr;
    for (std::size_t n = 0; n < times.size() && gone == nullptr; ++n) {
        gone = times[n] && *times[n] <= 0.0 ? &kPools[n] : nullptr;
    }
    if (!tooFast && gone == nullptr) {
        return {};
    }
    const auto first = timeText.find_first_not_of(' ');
    const auto last = timeText.find_last_not_of(' ');
    const std::string_view typed = timeText.substr(first, last - first + 1);
    char number[32];
    std::snprintf(number, sizeof number, "%.2f", swtime);
    std::string warning = std::string(typed) + " was read as " + number + " seconds";
    warning += tooFast ? ", under a third of the " + std::to_string(event.distance) + " " +
                             std::string(event.stroke) + " reference time"
                       : ", which comes out at zero or less in " + std::string(gone->caption);

    // One separator is seconds and hundredths; the swimmer may have meant minutes and seconds.
    const auto separator = typed.find_first_of(".:");
    if (separator == std::string_view::npos ||
        typed.find_first_of(".:", separator + 1) != std::string_view::npos) {
        return warning;
    }
    const std::string_view minutes = typed.substr(0, separator);
    const std::string_view seconds = typed.substr(separator + 1);
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() <= 2 &&
               text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(minutes) || !digits(seconds) || seconds.size() != 2 || seconds >= "60") {
        return warning;
    }
    const int m = std::stoi(std::string(minutes));
    const int sec = std::stoi(std::string(seconds));
    // Read as minutes and seconds it must be a swim of this event: not under a third of the
    // lowest reference time, and not so slow that it would score nothing (four reference times).
    const double meant = m * 60.0 + sec;
    if (meant * 3.0 < lowest || meant > 4.0 * highest || meant > kLongestTime) {
        return warning;
    }
    std::snprintf(number, sizeof number, "%d:%02d.00", m, sec);
    warning += std::string(": write ") + number + " for " + std::to_string(m) +
               (m == 1 ? " minute" : " minutes");
    if (sec != 0) {
        warning += " " + std::to_string(sec) + (sec == 1 ? " second" : " seconds");
    }
    return warning;
}

std::string_view BareBoxText(std::string_view box) {
    const auto first = box.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : box.substr(first);
}

std::string EnteredTimeText(long hundredths) {
    const std::string laidOut = TimeToAlpha(static_cast<double>(hundredths) / 100.0, "P");
    return std::string(BareBoxText(laidOut));
}

} // namespace et

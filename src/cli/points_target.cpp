#include "cli/points_target.hpp"

#include "model/time_text.hpp"
#include "points/gb_points.hpp"
#include "swim/swim.hpp"

#include <cstdio>
#include <cstdlib>

namespace et::cli {
namespace {

constexpr long kFastestTyped = 1001;   // the window takes times above 10.00 seconds
constexpr long kSlowestTyped = 270000; // up to 45 minutes

// One typed time as the window shows it: the points in the chosen box, and the time of the box
// they were scored from (0 when it is blank or not a time).
struct Shown {
    double points = 0.0;
    double scoredSeconds = 0.0;
};

Shown ShownFor(const PoolInfo& pool, const IndividualEvent& event, std::string_view sex,
               long hundredths) {
    Shown shown;
    SwimResult result;
    std::string error;
    if (!EvaluateSwim(pool, event, TypedTimeText(hundredths), result, error)) {
        return shown;
    }
    const std::string& box = sex == "M" ? result.male : result.female;
    shown.points = box.empty() ? 0.0 : std::strtod(box.c_str(), nullptr);
    const bool longCourse = IsFiftyMetrePool(pool.type, pool.turnsPerHundred);
    std::string normalised;
    std::int16_t nerr = kTimeOk;
    timecheck(result.boxes[longCourse ? kFiftyMetreBox : kTwentyFiveMetreBox], shown.scoredSeconds,
              normalised, nerr);
    if (nerr == kTimeMalformed) {
        shown.scoredSeconds = 0.0;
    }
    return shown;
}

// The first hundredth in [lo, hi] for which past() holds, past() being false up to some time and
// true from it on; hi + 1 when it never holds.
template <typename Past> long FirstPast(long lo, long hi, Past&& past) {
    long first = hi + 1;
    while (lo <= hi) {
        const long mid = lo + (hi - lo) / 2;
        if (past(mid)) {
            first = mid;
            hi = mid - 1;
        } else {
            lo = mid + 1;
        }
    }
    return first;
}

} // namespace

std::string TypedTimeText(long hundredths) {
    char text[32];
    const long minutes = hundredths / 6000;
    const long seconds = hundredths / 100 % 60;
    const long rest = hundredths % 100;
    if (minutes == 0) {
        std::snprintf(text, sizeof text, "%ld.%02ld", seconds, rest);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", minutes, seconds, rest);
    }
    return text;
}

double WindowPoints(const PoolInfo& pool, const IndividualEvent& event, std::string_view sex,
                    long hundredths) {
    return ShownFor(pool, event, sex, hundredths).points;
}

PointsTarget FindPointsTarget(const PoolInfo& pool, const IndividualEvent& event,
                              std::string_view sex, long target) {
    PointsTarget found;
    const bool longCourse = IsFiftyMetrePool(pool.type, pool.turnsPerHundred);
    found.reference = GetRefTime(event.code, sex, longCourse ? kLongCourse : kShortCourse);
    if (found.reference <= 0.0) {
        found.outcome = PointsTarget::Outcome::NoReference;
        return found;
    }
    const double R = found.reference;
    const auto shown = [&](long h) { return ShownFor(pool, event, sex, h); };
    const auto points = [&](long h) { return shown(h).points; };

    // The scored box grows with the typed time, a tenth at a time. Under a third of the reference
    // time it scores nothing; from there the points only fall as the box grows, to nothing again
    // long after the reference time. So the first typed time that scores, or whose box is past the
    // reference time, is the one worth the most.
    const long first = FirstPast(kFastestTyped, kSlowestTyped, [&](long h) {
        const Shown s = shown(h);
        return s.points > 0.0 || s.scoredSeconds > R;
    });
    found.best = first <= kSlowestTyped ? points(first) : 0.0;
    if (static_cast<double>(target) > found.best) {
        found.outcome = PointsTarget::Outcome::Unreachable;
        return found;
    }
    // From the best time on, the points never rise again: the slowest time still at the target
    // lies just before the first one under it.
    const long under = FirstPast(first, kSlowestTyped,
                                 [&](long h) { return points(h) < static_cast<double>(target); });
    found.outcome = PointsTarget::Outcome::Found;
    found.hundredths = under - 1;
    found.pointsAt = points(found.hundredths);
    if (under <= kSlowestTyped) {
        found.pointsAfter = points(under);
    }
    return found;
}

} // namespace et::cli

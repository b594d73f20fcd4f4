#include "cli/points_target.hpp"

#include "points/gb_points.hpp"

#include <cmath>

namespace et::cli {

double PointsOfHundredths(long hundredths, double reference) {
    return CalcGBPoints(static_cast<double>(hundredths) / 100.0, reference);
}

PointsTarget FindPointsTarget(const IndividualEvent& event, std::string_view sex,
                              std::int16_t course, long target) {
    PointsTarget found;
    found.reference = GetRefTime(event.code, sex, course);
    if (found.reference <= 0.0) {
        found.outcome = PointsTarget::Outcome::NoReference;
        return found;
    }
    const double R = found.reference;
    const auto points = [R](long h) { return PointsOfHundredths(h, R); };

    // The fastest time that scores at all is about a third of the reference time; anything
    // quicker scores 0. Start just below it and walk up to the first scoring hundredth.
    long fastest = std::max(2L, static_cast<long>(std::floor(R * 100.0 / 3.0)) - 2);
    while (points(fastest) <= 0.0) {
        ++fastest;
    }
    found.best = points(fastest);
    if (static_cast<double>(target) > found.best) {
        found.outcome = PointsTarget::Outcome::Unreachable;
        return found;
    }

    // Points fall as the time grows. At five reference times a swim scores 10000 * 10^-5 = 0.1,
    // which floors to 0, under any target of 1 or more.
    long lo = fastest;                                       // scores at least the target
    long hi = static_cast<long>(std::ceil(R * 100.0 * 5.0)); // scores under it
    while (hi - lo > 1) {
        const long mid = lo + (hi - lo) / 2;
        if (points(mid) >= static_cast<double>(target)) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    found.outcome = PointsTarget::Outcome::Found;
    found.hundredths = lo;
    found.pointsAt = points(lo);
    found.pointsAfter = points(lo + 1);
    return found;
}

} // namespace et::cli

#pragma once
// The time a swimmer needs for a points target, in the window's own terms: the slowest time typed
// in a pool, to the hundredth, that the window scores at N points or more. The window scores the
// converted 50 metres (a swim in the 50-metre pool) or 25 metres box, whose text is to a tenth,
// so a whole run of typed hundredths shares one score.

#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace et::cli {

struct PointsTarget {
    enum class Outcome { Found, NoReference, Unreachable } outcome = Outcome::NoReference;
    double reference = 0.0; // seconds; scores 1000
    long hundredths = 0;    // the slowest typed time scoring at least the target (Found)
    double pointsAt = 0.0;  // what the window shows for it
    // What a hundredth slower scores (under the target); nothing when that time is over 45
    // minutes, which the time box does not take.
    std::optional<double> pointsAfter;
    double best = 0.0; // the most that any typed time in the pool scores
};

// The points the window shows for a time of so many hundredths typed in the pool: the male
// (sex "M") or female ("F") box, 0 for an empty box or a time the window does not take.
double WindowPoints(const PoolInfo& pool, const IndividualEvent& event, std::string_view sex,
                    long hundredths);

// Sex "M" or "F"; target from 1.
PointsTarget FindPointsTarget(const PoolInfo& pool, const IndividualEvent& event,
                              std::string_view sex, long target);

// A time in hundredths as one types it into the time box: "58.04", "1:02.34", "15:00.00".
std::string TypedTimeText(long hundredths);

} // namespace et::cli

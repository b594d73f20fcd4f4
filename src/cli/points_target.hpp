#pragma once
// The time a swimmer needs for a points target: the slowest time, to the hundredth, that the
// points formula scores at N points or more against the event's reference time.

#include "model/events.hpp"

#include <cstdint>
#include <string>

namespace et::cli {

struct PointsTarget {
    enum class Outcome { Found, NoReference, Unreachable } outcome = Outcome::NoReference;
    double reference = 0.0;   // seconds; scores 1000
    long hundredths = 0;      // the slowest time scoring at least the target (Found)
    double pointsAt = 0.0;    // what that time scores
    double pointsAfter = 0.0; // what a hundredth slower scores: under the target
    double best = 0.0;        // the most any time scores for this reference time
};

// Sex "M" or "F"; course kLongCourse or kShortCourse; target from 1.
PointsTarget FindPointsTarget(const IndividualEvent& event, std::string_view sex,
                              std::int16_t course, long target);

// The points of a swim of so many hundredths, straight from CalcGBPoints.
double PointsOfHundredths(long hundredths, double reference);

} // namespace et::cli

#include "convert/conversion.hpp"

#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <cmath>

namespace et {
namespace {

// The positive root of PM * T^2 - t * T - TF * NT = 0, in this order of operations: the tenth
// shown in a box depends on it.
double SolveForLongCourse(double swtime, double pm, double tf, float nt) {
    const double a = ((pm * 4.0) * tf) * static_cast<double>(nt) + swtime * swtime;
    const double r = std::sqrt(a);
    return (r + swtime) / (pm + pm);
}

} // namespace

std::optional<double> LongCourseTime(std::int16_t EvntCode, std::int16_t Distance, double swtime,
                                     std::int16_t poolType, std::int16_t turnsPerHundred) {
    if (!IsIndividualEvent(EvntCode)) {
        return std::nullopt;
    }
    if (IsFiftyMetrePool(poolType, turnsPerHundred)) {
        return swtime;
    }
    double pm = 0.0;
    double tf = 0.0;
    float nt = 0.0F;
    GetPoolFactors(Distance, EvntCode, poolType, turnsPerHundred, pm, tf, nt);
    return SolveForLongCourse(swtime, pm, tf, nt);
}

double TimeConvertTo50(double swtime, double PoolMeasure, double TurnFactor, float NumbTurn) {
    const double x = SolveForLongCourse(swtime, PoolMeasure, TurnFactor, NumbTurn);
    return std::floor((x + 0.05) * 10.0) / 10.0;
}

} // namespace et

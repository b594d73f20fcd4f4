#pragma once
// The pool model: a swim of long-course time T takes PM * T - TF * NT / T in a pool.

#include <cstdint>
#include <optional>

namespace et {

// The long-course (50-metre) time of a swim of swtime seconds in the given pool. Never rounded.
// Events without pool factors (anything but 1 to 17) have no long-course time.
std::optional<double> LongCourseTime(std::int16_t EvntCode, std::int16_t Distance, double swtime,
                                     std::int16_t poolType, std::int16_t turnsPerHundred);

// The same conversion from explicit factors, without the 50-metre shortcut, rounded to tenths.
double TimeConvertTo50(double swtime, double PoolMeasure, double TurnFactor, float NumbTurn);

} // namespace et

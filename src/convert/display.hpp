#pragma once
// The nine converted-time texts of a swim, as the window's boxes show them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace et {

using BoxTexts = std::array<std::string, 9>;

// A box with nothing in it holds eight spaces.
inline constexpr std::string_view kBlankBox = "        ";

// Every box blank.
BoxTexts BlankBoxes();

// The time of a swim of long-course time Timeval in each of the nine pools, unrounded, in box
// order; nothing where the event's distance is not a whole number of lengths, and nothing at all
// for an event without pool factors. A swim far too fast for its distance can come out at zero
// or less where it has many turns to take off.
using PoolTimes = std::array<std::optional<double>, 9>;
PoolTimes TimesInEveryPool(std::int16_t EvntCode, double Timeval, std::int16_t Distance);
// The same for the pool of one box (n in box order): TimesInEveryPool(...)[n].
std::optional<double> TimeInPool(std::int16_t EvntCode, double Timeval, std::int16_t Distance,
                                 std::size_t n);

// The box texts of those times: each to a tenth, blank where there is no time or it is not above
// zero.
BoxTexts BoxesOf(const PoolTimes& times);
// One box of them: BoxesOf(times)[n] is BoxOf(times[n]).
std::string BoxOf(const std::optional<double>& time);

// The time of a swim of long-course time Timeval in each of the nine pools, to a tenth, in box
// order (50, 33 1/3, 25, 20 metres, 36 2/3, 27 1/2 yards, 33 1/3, 25, 20 yards): ' 1.01.4' or
// '   59.3'. A box stays blank where the event's distance is not a whole number of lengths, and
// every box is blank for an event without pool factors.
BoxTexts DispTimes(std::int16_t EvntCode, double Timeval, std::int16_t Distance);

// The boxes for a swim of swtime seconds in a pool: the long-course time, then DispTimes.
BoxTexts ConvertedTimes(std::int16_t EvntCode, std::int16_t Distance, double swtime,
                        std::int16_t poolType, std::int16_t turnsPerHundred);

} // namespace et

#pragma once
// Swim times as text: reading what the user types, and writing times for the boxes.

#include <cstdint>
#include <string>
#include <string_view>

namespace et {

// Error codes of timecheck.
inline constexpr std::int16_t kTimeOk = 0;
inline constexpr std::int16_t kTimeMalformed = 1;
inline constexpr std::int16_t kTimeOutOfRange = 2;

// Entered swims run from 10 seconds to 45 minutes, both ends included.
inline constexpr double kShortestTime = 10.0;
inline constexpr double kLongestTime = 2700.0;

// A time that is worked with: well formed, in range and above 10 seconds. A time of exactly
// 10.00 reads as valid but is neither converted nor scored.
constexpr bool IsWorkableTime(std::int16_t nerr, double Timeval) {
    return nerr == kTimeOk && Timeval > kShortestTime;
}

// Reads a typed time of up to three fields (minutes, seconds, hundredths) separated by "." or
// ":", taken from the right. nerr is 0 for a good time, 1 for malformed text (Timeval and TimeStr
// are then left as the caller had them) and 2 for a time outside 10.00 .. 2700.00 seconds (both
// still set). TimeStr is the 'mm:ss.hh' form. Any text at all may be passed.
void timecheck(std::string_view Timetxt, double& Timeval, std::string& TimeStr, std::int16_t& nerr);

// Writes a time as "P" (' m.ss.hh', eight characters, minutes space-filled) or "F" ('mmsshh').
// Any other layout code, or a time outside 0 .. under 100 minutes, gives the empty text.
std::string TimeToAlpha(double swtime, std::string_view TFFormat);

} // namespace et

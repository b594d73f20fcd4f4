#pragma once
// British comparative points: the 2004-2005 reference times and the points formula.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace et {

inline constexpr std::int16_t kLongCourse = 1;
inline constexpr std::int16_t kShortCourse = 3;

inline constexpr std::string_view kNoReferenceMessage =
    "This event does not have a British Points Reference Time defined";

// A table time text 'mm.ss.hh' in seconds; 0 when it does not start with a digit.
double AlphaToTime(std::string_view text);

// The reference time (scoring 1000 points) of an event in seconds, or 0 when the table has none.
// Sex "B" or "M" is men, "G", "L" or "F" women, anything else nothing; course 1 is long course,
// any other value short course.
double GetRefTime(std::int16_t EventCode, std::string_view Sex, std::int16_t Course);

// floor(10000 * 10^(-T / R)); 0 for T of 0.01 s or less, or T under a third of R.
double CalcGBPoints(double T, double R);

// Points as the boxes show them ("####"): digits only, and the empty text for 0.
std::string FormatPoints(double points);

// What one scoring of a swim does to the two points boxes (male, female): a text to write, or
// nothing to leave the box as it is, and whether the missing-reference message comes up (after
// the texts have been written).
struct PointsUpdate {
    std::array<std::optional<std::string>, 2> box;
    bool missingReference = false;
};

// Scores the converted times just shown: a swim in the 50-metre pool as long course from the 50
// metres box, any other as short course from the 25 metres box. When that text cannot be scored
// (not a time, or 10 seconds or less) both boxes are emptied, so that no points of an earlier swim
// stand beside the new times.
PointsUpdate ShowGBPoints(std::int16_t SelPoolType, std::int16_t SelPoolLenCode,
                          std::int16_t SelEvent, std::string_view box50, std::string_view box25);

} // namespace et

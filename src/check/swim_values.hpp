#pragma once
// The meet model's values: swim times written as Lenex writes them ('HH:MM:SS.ss', the report's
// and the files' we make), pool lengths as course codes (Lenex's: LCM, SCM, SCY27...), strokes
// (FREE, BACK...), and the calculator event that a swim style names in a pool. A file format with
// codes of its own maps them into these.

#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace et::meet {

// A Lenex swim time 'HH:MM:SS.ss' in hundredths of a second; nullopt for any other text (NT
// included: test for it first).
std::optional<long> ParseLenexTime(std::string_view text);

// Hundredths of a second as a Lenex swim time: 6140 -> "00:01:01.40".
std::string LenexTimeText(long hundredths);

// A Lenex swim time as swimmers write it: "00:01:22.55" -> "1:22.55", "00:00:36.83" -> "36.83",
// an hour or more "1:02:03.45". Any other text (NT, empty, no swim time) comes back unchanged.
std::string SwimmersTime(std::string_view lenexTime);

// A time as a meet pack prints it, "1:02.34" or "62.34", or as Lenex writes it, "00:01:02.34",
// in hundredths: hours and minutes optional, two digits of hundredths, seconds under 60 after
// minutes and minutes under 60 after hours.
std::optional<long> ParseSwimTime(std::string_view text);

// A box text or a typed time of the window ("1.01.4", "59.3", "1:02.34") in hundredths.
std::optional<long> BoxHundredths(std::string_view box);

// The text the window's time box takes for a Lenex time: its minutes and seconds, "62:05.40"
// for an hour and two minutes (which the window then rejects as too long).
std::string TypedTime(long hundredths);

// One of the nine pools of the calculator for a Lenex course code; nullptr for SCM16, OPEN and
// codes Lenex does not know.
const PoolInfo* PoolOfCourse(std::string_view course);

// True for every course code Lenex knows, the nine pools and SCM16 and OPEN.
bool IsLenexCourse(std::string_view course);

// The Lenex course code of one of the nine pools.
std::string_view CourseOfPool(const PoolInfo& pool);

// A stroke as the report names it: FREE -> "Free", MEDLEY -> "IM"; unknown strokes as written.
std::string StrokeName(std::string_view lenexStroke);

// The Lenex stroke of a calculator stroke: "Free" -> FREE, "IM" -> MEDLEY; empty for others.
std::string_view LenexStroke(std::string_view stroke);

// The calculator's event for an individual swim style (relaycount 1, normal technique) of a
// distance in a pool, or nullptr when there is none: 1650 in 25 yards is the 1500 Free, and the
// 27 1/2 and 36 2/3 yards pools take both the yards (55, 110, ... 1650) and the metric figures.
const IndividualEvent* EventOfSwimStyle(std::string_view stroke, long distance,
                                        const PoolInfo& pool);

} // namespace et::meet

#pragma once
// One swim worked out the way the window does it: the typed time read by timecheck, the nine
// converted times, and the points scored from the 50 metres or 25 metres box.

#include "convert/display.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace et {

struct SwimResult {
    BoxTexts boxes;   // the nine box texts exactly as the window shows them
    std::string male; // points as the window shows them; empty for 0 or no score
    std::string female;
    std::string warning; // ImplausibleTimeWarning for the swim; empty when it is plausible
};

// Reads a typed time as the window does. True for a time the window works with, with its value
// and its 'mm:ss.hh' form; otherwise false with the reason in error.
bool ReadEnteredTime(std::string_view timeText, double& swtime, std::string& normalised,
                     std::string& error);

// A typed time as the window takes it in a pool, and its long-course time, from which every box
// is worked out.
struct TypedSwim {
    double swtime = 0.0;
    std::optional<double> longCourse; // none for an event without pool factors
};

// Reads a typed time for a swim of the event in the pool as EvaluateSwim does: true for a time
// the window accepts, else false with the reason in error and swim left as it was.
bool ReadSwim(const PoolInfo& pool, const IndividualEvent& event, std::string_view timeText,
              TypedSwim& swim, std::string& error);

// The text of one box (n in box order) for a swim so read: EvaluateSwim's boxes[n], without
// working out the other eight, the points or the warning.
std::string BoxText(const IndividualEvent& event, const TypedSwim& swim, std::size_t n);

// Fills result and returns true when the time is one the window accepts (well formed and above
// 10.00 seconds, up to 45 minutes). Otherwise returns false with the reason in error, and result
// is left as it was.
bool EvaluateSwim(const PoolInfo& pool, const IndividualEvent& event, std::string_view timeText,
                  SwimResult& result, std::string& error);

// Why a time the window takes is still not a time anyone swims, naming how the text was read;
// empty when it is plausible. Implausible is under a third of the lowest of the event's reference
// times (either sex, either course), or a time that comes out at zero or less in some pool.
// "15:00 was read as 15.00 seconds, under a third of the 1500 Free reference time: write
// 15:00.00 for 15 minutes"
std::string ImplausibleTimeWarning(const IndividualEvent& event, std::string_view timeText,
                                   double swtime, const PoolTimes& times);

// A box text without its leading spaces ("1.01.4", "59.3"); empty for a blank box.
std::string_view BareBoxText(std::string_view box);

// An entered time in hundredths of a second as the boxes lay times out, to the hundredth:
// "1.00.00", "59.90".
std::string EnteredTimeText(long hundredths);

} // namespace et

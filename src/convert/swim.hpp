#pragma once
// One swim worked out the way the window does it: the typed time read by timecheck, the nine
// converted times, and the points scored from the 50 metres or 25 metres box.

#include "convert/display.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <string>
#include <string_view>

namespace et {

struct SwimResult {
    BoxTexts boxes;   // the nine box texts exactly as the window shows them
    std::string male; // points as the window shows them; empty for 0 or no score
    std::string female;
};

// Reads a typed time as the window does. True for a time the window works with, with its value
// and its 'mm:ss.hh' form; otherwise false with the reason in error.
bool ReadEnteredTime(std::string_view timeText, double& swtime, std::string& normalised,
                     std::string& error);

// Fills result and returns true when the time is one the window accepts (well formed and above
// 10.00 seconds, up to 45 minutes). Otherwise returns false with the reason in error, and result
// is left as it was.
bool EvaluateSwim(const PoolInfo& pool, const IndividualEvent& event, std::string_view timeText,
                  SwimResult& result, std::string& error);

// A box text without its leading spaces ("1.01.4", "59.3"); empty for a blank box.
std::string_view BareBoxText(std::string_view box);

// An entered time in hundredths of a second as the boxes lay times out, to the hundredth:
// "1.00.00", "59.90".
std::string EnteredTimeText(long hundredths);

} // namespace et

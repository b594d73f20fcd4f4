#pragma once
// Pools and events as people type them on a command line or in a spreadsheet column.

#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace et {

// Letters compared without case, spaces and tabs around the text ignored.
std::string_view TrimBlanks(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A pool by its option caption ("25 metres", "33 1/3 yards") or its short code ("25m", "33y"),
// in any letter case. The result indexes kPools, which is also the box order.
std::optional<std::size_t> ParsePool(std::string_view text);

// An individual event as a distance and a stroke: "100 Free", "200 IM", "50 backstroke". Strokes
// are Free, Back, Breast, Fly and IM, or Freestyle, Backstroke, Breaststroke, Butterfly, I.M. and
// Individual Medley, in any letter case, after one or more spaces.
std::optional<IndividualEvent> ParseEvent(std::string_view text);

// "100 Free"
std::string EventName(const IndividualEvent& event);

// Why a pool or event text was not understood, for the error column and the terminal.
std::string UnknownPoolMessage(std::string_view text);
std::string UnknownEventMessage(std::string_view text);

} // namespace et

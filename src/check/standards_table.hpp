#pragma once
// Qualifying times read from a table as meet packs publish them, saved from a spreadsheet as CSV:
// a header line naming the columns list, gender, agemin, agemax, course, event and time (and
// type, MAXIMUM or MINIMUM), in any order. The rows of one list, gender, age group, course and
// type make one list.

#include "check/plain_meet.hpp"

#include <string>
#include <string_view>

namespace et::meet {

// Adds the lists of a table of qualifying times given as its bytes; nothing is added unless the
// whole table is read. Empty on success, else the message naming the file and line:
// "times.csv:12: reason".
std::string AddStandardsTable(PlainMeet& meet, std::string_view bytes, std::string_view name);

} // namespace et::meet

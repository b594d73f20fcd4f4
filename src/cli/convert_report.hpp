#pragma once
// One swim's converted times and points as a readable block or as one CSV row.

#include "cli/csv.hpp"
#include "swim/swim.hpp"

#include <string>
#include <string_view>

namespace et::cli {

// The nine pools, each with its box text as the window shows it, then the male and female
// points:
//   100 Free, 60.00 in 25 metres
//
//   50 metres      1.01.4
//   ...
//   Male points       528
std::string ConvertText(const PoolInfo& pool, const IndividualEvent& event,
                        std::string_view timeText, const SwimResult& result);

// A header and one row with the batch output's columns, for an input of pool, event and time:
// the same bytes as a batch run over a file holding just that row.
void ConvertCsv(CsvWriter& out, std::string_view pool, std::string_view event,
                std::string_view time, const SwimResult* result, std::string_view error);

} // namespace et::cli

#pragma once
// Equivalent-time tables: a run of entered times in one pool and each one's nine converted times.

#include "cli/csv.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace et::cli {

// A time that the window accepts (well formed, above 10.00 seconds, up to 45 minutes) in
// hundredths; otherwise nothing, with the reason in error.
std::optional<long> AcceptedHundredths(std::string_view timeText, std::string& error);

// A step in seconds with at most two decimals ("0.1", "1", "0.05") in hundredths, at least 1.
std::optional<long> StepHundredths(std::string_view text);

struct TableRange {
    long from = 0; // hundredths, both ends accepted times
    long to = 0;
    long step = 10;
};

// Rows from `from` up to `to` (included when a whole number of steps away), each entered time
// read through timecheck exactly as if typed into the window.
//   text: a title, a two-line heading of the pools and aligned columns.
//   csv:  time,50m,...,20y with the bare box texts.
bool WriteTableText(const PoolInfo& pool, const IndividualEvent& event, const TableRange& range,
                    const WriteBytes& write);
bool WriteTableCsv(const PoolInfo& pool, const IndividualEvent& event, const TableRange& range,
                   CsvWriter& out);

} // namespace et::cli

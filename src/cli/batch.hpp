#pragma once
// The batch conversion of an entry list: every input row and its converted times and points.
//
// Rows are matched to the header. A row shorter than the header is read as if the missing
// trailing fields were empty; a row longer than the header is rejected, and only its first
// fields (as many as the header has) are written. An empty line is a row of its own, rejected
// as "empty line", so that the output keeps one row for every input row.

#include "cli/csv.hpp"
#include "swim/swim.hpp"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace et::cli {

// The columns written after the input's own. The warning of an implausible time comes last.
inline constexpr std::array<std::string_view, 13> kResultColumns = {
    "50m", "33m", "25m",         "20m",           "36y",   "27y",    "33y",
    "25y", "20y", "male_points", "female_points", "error", "warning"};

// Reads pool and event texts as ParsePool and ParseEvent do, each distinct text once: an entry
// list names the same few pools and events over and over.
class NameReader {
public:
    std::optional<std::size_t> Pool(std::string_view text);
    std::optional<IndividualEvent> Event(std::string_view text);

private:
    template <typename Value> struct Read {
        std::string text;
        Value value{};
        bool done = false;
    };
    static constexpr std::size_t kSlots = 64; // texts remembered of each kind, by a hash
    std::array<Read<std::optional<std::size_t>>, kSlots> pools_;
    std::array<Read<std::optional<IndividualEvent>>, kSlots> events_;
};

// Works out one row from its pool, event and time texts. Returns true and fills result, or
// returns false with the message for the error column.
bool EvaluateRow(NameReader& names, std::string_view pool, std::string_view event,
                 std::string_view time, SwimResult& result, std::string& error);

// Writes the result fields: bare box texts, points and the warning, or empty fields and the
// error.
void WriteResults(CsvWriter& out, const SwimResult* result, std::string_view error);

struct BatchSummary {
    std::size_t rows = 0;     // input rows after the header
    std::size_t rejected = 0; // rows whose error column is filled
    bool failed = false;      // the run stopped: no header, a missing column, bad CSV, I/O
    bool writeFailed = false; // the output could not be written (the caller names it)
};

// Receives each diagnostic as "NAME:LINE: message".
using Diagnostic = std::function<void(std::string_view line)>;

BatchSummary RunBatch(CsvReader& in, CsvWriter& out, std::string_view inputName,
                      const Diagnostic& report);

} // namespace et::cli

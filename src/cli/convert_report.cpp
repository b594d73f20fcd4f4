#include "cli/convert_report.hpp"

#include "cli/batch.hpp"
#include "cli/names.hpp"

namespace et::cli {
namespace {

constexpr std::size_t kLabelWidth = 15;

void AddLine(std::string& out, std::string_view label, std::string_view value) {
    std::string line(label);
    line.resize(kLabelWidth, ' ');
    line += value;
    line.erase(line.find_last_not_of(' ') + 1);
    out += line;
    out += '\n';
}

std::string RightAligned(std::string_view text, std::size_t width) {
    std::string out;
    if (text.size() < width) {
        out.assign(width - text.size(), ' ');
    }
    out += text;
    return out;
}

} // namespace

std::string ConvertText(const PoolInfo& pool, const IndividualEvent& event,
                        std::string_view timeText, const SwimResult& result) {
    std::string out = EventName(event);
    out += ", ";
    out += TrimBlanks(timeText);
    out += " in ";
    out += pool.caption;
    out += "\n\n";
    for (std::size_t i = 0; i < kPools.size(); ++i) {
        AddLine(out, kPools[i].caption, result.boxes[i]);
    }
    out += '\n';
    // Points sit under the times, right-aligned with them.
    AddLine(out, "Male points", RightAligned(result.male, kBlankBox.size() - 1));
    AddLine(out, "Female points", RightAligned(result.female, kBlankBox.size() - 1));
    return out;
}

void ConvertCsv(CsvWriter& out, std::string_view pool, std::string_view event,
                std::string_view time, const SwimResult* result, std::string_view error) {
    for (const std::string_view name : {"pool", "event", "time"}) {
        out.Field(name);
    }
    for (const std::string_view name : kResultColumns) {
        out.Field(name);
    }
    out.EndRecord();
    out.Field(pool);
    out.Field(event);
    out.Field(time);
    WriteResults(out, result, error);
    out.EndRecord();
}

} // namespace et::cli

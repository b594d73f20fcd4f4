#include "cli/table.hpp"

#include "cli/names.hpp"
#include "model/time_text.hpp"
#include "swim/swim.hpp"

#include <charconv>

namespace et::cli {
namespace {

constexpr std::size_t kColumn = 7; // a box text
constexpr std::size_t kEnteredColumn = 8;

void PadLeft(std::string& line, std::string_view text, std::size_t width) {
    if (text.size() < width) {
        line.append(width - text.size(), ' ');
    }
    line += text;
}

void EndLine(std::string& out) {
    out.erase(out.find_last_not_of(' ') + 1);
    out += '\n';
}

// Every row goes through the window's own reading of the typed time.
template <typename RowFn>
bool ForEachRow(const PoolInfo& pool, const IndividualEvent& event, const TableRange& range,
                RowFn&& row) {
    SwimResult result;
    std::string error;
    for (long h = range.from; h <= range.to; h += range.step) {
        const std::string entered = EnteredTimeText(h);
        if (!EvaluateSwim(pool, event, entered, result, error) || !row(entered, result)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<long> AcceptedHundredths(std::string_view timeText, std::string& error) {
    double swtime = 0.0;
    std::string normalised;
    if (!ReadEnteredTime(timeText, swtime, normalised, error)) {
        return std::nullopt;
    }
    // The minutes, seconds and hundredths of the normalised 'mm:ss.hh' text.
    const auto field = [&](std::size_t at) {
        return (normalised[at] - '0') * 10 + (normalised[at + 1] - '0');
    };
    return static_cast<long>(field(0)) * 6000 + field(3) * 100 + field(6);
}

std::optional<long> StepHundredths(std::string_view text) {
    text = TrimBlanks(text);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || fraction.size() > 2 || whole.size() > 6) {
        return std::nullopt;
    }
    long seconds = 0;
    long hundredths = 0;
    for (const std::string_view part : {whole, fraction}) {
        for (const char c : part) {
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
        }
    }
    if (!whole.empty()) {
        std::from_chars(whole.data(), whole.data() + whole.size(), seconds);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        hundredths = hundredths * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    }
    const long step = seconds * 100 + hundredths;
    return step >= 1 ? std::optional<long>(step) : std::nullopt;
}

bool WriteTableText(const PoolInfo& pool, const IndividualEvent& event, const TableRange& range,
                    const WriteBytes& write) {
    std::string out = EventName(event);
    out += ", entered in ";
    out += pool.caption;
    out += "\n\n";
    // Captions split into size and unit: "33 1/3" over "metres".
    std::string sizes;
    std::string units;
    PadLeft(sizes, "Entered", kEnteredColumn);
    PadLeft(units, "time", kEnteredColumn);
    for (const PoolInfo& column : kPools) {
        const std::size_t space = column.caption.rfind(' ');
        sizes += ' ';
        units += ' ';
        PadLeft(sizes, column.caption.substr(0, space), kColumn);
        PadLeft(units, column.caption.substr(space + 1), kColumn);
    }
    out += sizes;
    EndLine(out);
    out += units;
    EndLine(out);

    const bool rows =
        ForEachRow(pool, event, range, [&](std::string_view entered, const SwimResult& result) {
            std::string line;
            PadLeft(line, entered, kEnteredColumn);
            for (const std::string& box : result.boxes) {
                line += ' ';
                PadLeft(line, std::string_view(box).substr(0, kColumn), kColumn);
            }
            out += line;
            EndLine(out);
            if (out.size() >= (std::size_t{1} << 16)) {
                const bool written = write(out);
                out.clear();
                return written;
            }
            return true;
        });
    return rows && write(out);
}

bool WriteTableCsv(const PoolInfo& pool, const IndividualEvent& event, const TableRange& range,
                   CsvWriter& out) {
    out.Field("time");
    for (const PoolInfo& column : kPools) {
        out.Field(column.code);
    }
    out.EndRecord();
    const bool rows =
        ForEachRow(pool, event, range, [&](std::string_view entered, const SwimResult& result) {
            out.Field(entered);
            for (const std::string& box : result.boxes) {
                out.Field(BareBoxText(box));
            }
            out.EndRecord();
            return out.ok();
        });
    return out.Flush() && rows;
}

} // namespace et::cli

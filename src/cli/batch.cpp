#include "cli/batch.hpp"

#include "cli/names.hpp"

#include <optional>

namespace et::cli {
namespace {

struct Columns {
    std::optional<std::size_t> pool;
    std::optional<std::size_t> event;
    std::optional<std::size_t> time;
};

Columns FindColumns(const CsvRecord& header) {
    Columns columns;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view name = TrimBlanks(header[i]);
        if (!columns.pool && EqualsIgnoringCase(name, "pool")) {
            columns.pool = i;
        } else if (!columns.event && EqualsIgnoringCase(name, "event")) {
            columns.event = i;
        } else if (!columns.time && EqualsIgnoringCase(name, "time")) {
            columns.time = i;
        }
    }
    return columns;
}

std::string Located(std::string_view name, std::size_t line, std::string_view message) {
    std::string text(name);
    text += ':';
    text += std::to_string(line);
    text += ": ";
    text += message;
    return text;
}

template <typename Slots, typename Parse>
const auto& Remembered(Slots& slots, std::string_view text, Parse parse) {
    std::size_t hash = text.size();
    for (const char c : text) {
        hash = hash * 31 + static_cast<unsigned char>(c);
    }
    auto& slot = slots[hash % slots.size()];
    if (!slot.done || slot.text != text) {
        slot.text.assign(text);
        slot.value = parse(text);
        slot.done = true;
    }
    return slot.value;
}

} // namespace

std::optional<std::size_t> NameReader::Pool(std::string_view text) {
    return Remembered(pools_, text, ParsePool);
}

std::optional<IndividualEvent> NameReader::Event(std::string_view text) {
    return Remembered(events_, text, ParseEvent);
}

bool EvaluateRow(NameReader& names, std::string_view pool, std::string_view event,
                 std::string_view time, SwimResult& result, std::string& error) {
    const auto poolIndex = names.Pool(pool);
    if (!poolIndex) {
        error = UnknownPoolMessage(pool);
        return false;
    }
    const auto swimEvent = names.Event(event);
    if (!swimEvent) {
        error = UnknownEventMessage(event);
        return false;
    }
    return EvaluateSwim(kPools[*poolIndex], *swimEvent, time, result, error);
}

void WriteResults(CsvWriter& out, const SwimResult* result, std::string_view error) {
    if (result == nullptr) {
        for (std::size_t i = 0; i + 2 < kResultColumns.size(); ++i) {
            out.Field({});
        }
        out.Field(error);
        out.PlainField({});
        return;
    }
    for (const std::string& box : result->boxes) {
        out.PlainField(BareBoxText(box));
    }
    out.PlainField(result->male);
    out.PlainField(result->female);
    out.PlainField({});
    out.Field(result->warning);
}

BatchSummary RunBatch(CsvReader& in, CsvWriter& out, std::string_view inputName,
                      const Diagnostic& report) {
    BatchSummary summary;
    CsvRecord record;

    const auto stop = [&](std::size_t line, std::string_view message) {
        report(Located(inputName, line, message));
        summary.failed = true;
        return summary;
    };

    switch (in.Next(record)) {
    case CsvReader::Status::End:
        return stop(1, "no header row (pool, event and time columns)");
    case CsvReader::Status::Error:
        return stop(in.line(), in.error());
    case CsvReader::Status::Record:
        break;
    }
    const Columns columns = FindColumns(record);
    if (!columns.pool || !columns.event || !columns.time) {
        std::string missing;
        for (const auto& [found, name] : {std::pair{columns.pool.has_value(), "pool"},
                                          std::pair{columns.event.has_value(), "event"},
                                          std::pair{columns.time.has_value(), "time"}}) {
            if (!found) {
                missing += missing.empty() ? "" : ", ";
                missing += name;
            }
        }
        return stop(in.line(), "the header has no " + missing + " column");
    }
    const std::size_t width = record.size();
    for (std::size_t i = 0; i < width; ++i) {
        out.Field(record[i]);
    }
    for (const std::string_view name : kResultColumns) {
        out.Field(name);
    }
    out.EndRecord();

    NameReader names;
    SwimResult result;
    std::string error;
    for (;;) {
        const CsvReader::Status status = in.Next(record);
        if (status == CsvReader::Status::End) {
            break;
        }
        if (status == CsvReader::Status::Error) {
            out.Flush();
            return stop(in.line(), in.error());
        }
        ++summary.rows;
        const std::size_t n = record.size();
        const auto field = [&](std::size_t i) { return i < n ? record[i] : std::string_view{}; };

        bool accepted = false;
        if (n == 1 && record[0].empty()) {
            error = "empty line";
        } else if (n > width) {
            error =
                "row has " + std::to_string(n) + " fields, the header has " + std::to_string(width);
        } else {
            accepted = EvaluateRow(names, field(*columns.pool), field(*columns.event),
                                   field(*columns.time), result, error);
        }

        for (std::size_t i = 0; i < width; ++i) {
            out.Field(field(i));
        }
        WriteResults(out, accepted ? &result : nullptr, error);
        out.EndRecord();
        if (!accepted) {
            ++summary.rejected;
            report(Located(inputName, in.line(), error));
        }
        if (!out.ok()) {
            break;
        }
    }
    if (!out.Flush()) {
        summary.failed = true;
        summary.writeFailed = true;
    }
    return summary;
}

} // namespace et::cli

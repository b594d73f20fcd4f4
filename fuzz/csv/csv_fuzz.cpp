// The entry-list reader and writer.
//
// The first byte picks the check:
//  - even: the rest is a list of records (fields split at 0x1F, records at 0x1E) with any bytes
//    in the fields, commas, quotes, CR and LF included. Written with CsvWriter and read back with
//    CsvReader, every record comes back, in order, with the same fields.
//  - odd: the rest is a file as a user might hand it over. Read with two different buffer sizes,
//    the reader gives the same records, the same line numbers and the same end; line numbers never
//    go back, and it stops within one record per byte.
#include "cli/csv.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

Fields FieldsOf(const et::cli::CsvRecord& record) {
    Fields fields;
    for (std::size_t i = 0; i < record.size(); ++i) {
        fields.emplace_back(record[i]);
    }
    return fields;
}

struct Reading {
    std::vector<Fields> records;
    std::vector<std::size_t> lines;
    et::cli::CsvReader::Status last = et::cli::CsvReader::Status::End;
    std::size_t lastLine = 0;
};

Reading ReadAll(std::string_view text, std::size_t bufferSize) {
    Reading reading;
    et::cli::CsvReader reader(et::cli::ReadFromText(text), bufferSize);
    et::cli::CsvRecord record;
    for (;;) {
        reading.last = reader.Next(record);
        reading.lastLine = reader.line();
        if (reading.last != et::cli::CsvReader::Status::Record) {
            break;
        }
        reading.records.push_back(FieldsOf(record));
        reading.lines.push_back(reader.line());
        // Every record takes at least one byte, the last one excepted.
        Require(reading.records.size() <= text.size() + 1);
    }
    // Once finished, it stays finished.
    Require(reader.Next(record) == reading.last && record.size() == 0);
    return reading;
}

void RoundTrip(std::string_view layout, std::size_t bufferSize) {
    std::vector<Fields> records;
    Fields current{std::string()};
    for (const char c : layout) {
        if (c == '\x1f') {
            current.emplace_back();
        } else if (c == '\x1e') {
            records.push_back(current);
            current = Fields{std::string()};
        } else {
            current.back().push_back(c);
        }
    }
    if (current.size() > 1 || !current.front().empty()) {
        records.push_back(current);
    }

    std::string file;
    {
        et::cli::CsvWriter writer(
            [&file](std::string_view bytes) {
                file.append(bytes);
                return true;
            },
            bufferSize);
        for (const Fields& fields : records) {
            for (const std::string& field : fields) {
                writer.Field(field);
            }
            writer.EndRecord();
        }
        Require(writer.Flush());
    }
    const Reading back = ReadAll(file, bufferSize);
    Require(back.last == et::cli::CsvReader::Status::End);
    Require(back.records == records);
}

void Arbitrary(std::string_view text, std::size_t bufferSize) {
    const Reading small = ReadAll(text, bufferSize);
    const Reading large = ReadAll(text, std::size_t{1} << 16);
    Require(small.records == large.records && small.lines == large.lines &&
            small.last == large.last && small.lastLine == large.lastLine);
    std::size_t previous = 1;
    for (const std::size_t line : small.lines) {
        Require(line >= previous);
        previous = line;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t selector = data[0];
    // Small buffers put record and field ends across refills.
    const std::size_t bufferSize = 1 + (selector >> 1) % 37;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    if (selector % 2 == 0) {
        RoundTrip(rest, bufferSize);
    } else {
        Arbitrary(rest, bufferSize);
    }
    return 0;
}

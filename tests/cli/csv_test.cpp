#include "cli/csv.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using et::cli::CsvReader;
using et::cli::CsvRecord;
using et::cli::CsvWriter;
using Records = std::vector<std::vector<std::string>>;

struct ReadResult {
    Records records;
    std::vector<std::size_t> lines; // where each record began
    bool failed = false;
    std::size_t errorLine = 0;
};

ReadResult ReadAll(std::string_view text, std::size_t bufferSize) {
    CsvReader reader(et::cli::ReadFromText(text), bufferSize);
    CsvRecord record;
    ReadResult result;
    for (;;) {
        const CsvReader::Status status = reader.Next(record);
        if (status == CsvReader::Status::End) {
            break;
        }
        if (status == CsvReader::Status::Error) {
            result.failed = true;
            result.errorLine = reader.line();
            break;
        }
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < record.size(); ++i) {
            fields.emplace_back(record[i]);
        }
        result.records.push_back(fields);
        result.lines.push_back(reader.line());
    }
    return result;
}

struct ReadCase {
    const char* name;
    std::string input;
    Records records;
    std::vector<std::size_t> lines;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

// Each case is read with a tiny buffer as well, so that every field, quote pair and CR LF also
// falls across a refill.
const std::vector<ReadCase> kReadCases = {
    {"plain_lf", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
    {"crlf", "a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}, {1, 2}},
    {"no_final_line_break", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
    {"byte_order_mark", "\xEF\xBB\xBFpool,time\n25m,1\n", {{"pool", "time"}, {"25m", "1"}}, {1, 2}},
    {"bom_only_at_start",
     "a\n\xEF\xBB\xBF"
     "b\n",
     {{"a"},
      {"\xEF\xBB\xBF"
       "b"}},
     {1, 2}},
    {"quoted_comma", "\"Smith, Ann\",x\n", {{"Smith, Ann", "x"}}, {1}},
    {"doubled_quotes", "\"say \"\"hi\"\"\",\"\"\"\"\n", {{"say \"hi\"", "\""}}, {1}},
    {"quoted_line_breaks",
     "\"a\nb\",c\n\"d\r\ne\"\nz\n",
     {{"a\nb", "c"}, {"d\r\ne"}, {"z"}},
     {1, 3, 5}},
    {"empty_lines", "a\n\nb\r\n\r\n", {{"a"}, {""}, {"b"}, {""}}, {1, 2, 3, 4}},
    {"empty_fields", ",,\n\"\",x,\n", {{"", "", ""}, {"", "x", ""}}, {1, 2}},
    {"ragged", "a,b,c\nd\ne,f,g,h\n", {{"a", "b", "c"}, {"d"}, {"e", "f", "g", "h"}}, {1, 2, 3}},
    {"lone_cr_is_text", "a\rb,c\n", {{"a\rb", "c"}}, {1}},
    {"cr_at_end", "a,b\r", {{"a", "b"}}, {1}},
    {"quote_inside_unquoted", "ab\"c,d\n", {{"ab\"c", "d"}}, {1}},
    {"text_after_closing_quote", "\"ab\"cd,e\n", {{"abcd", "e"}}, {1}},
    {"quoted_at_end_of_input", "a,\"b\"", {{"a", "b"}}, {1}},
    {"empty_input", "", {}, {}},
    {"bom_alone", "\xEF\xBB\xBF", {}, {}},
};

class CsvRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CsvRead, RecordsAndLines) {
    const ReadCase& c = GetParam();
    for (const std::size_t bufferSize : {std::size_t{16}, std::size_t{17}, std::size_t{1} << 16}) {
        SCOPED_TRACE(bufferSize);
        const ReadResult got = ReadAll(c.input, bufferSize);
        EXPECT_FALSE(got.failed);
        EXPECT_EQ(got.records, c.records);
        EXPECT_EQ(got.lines, c.lines);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvRead, ::testing::ValuesIn(kReadCases),
                         [](const ::testing::TestParamInfo<ReadCase>& param) {
                             return std::string(param.param.name);
                         });

TEST(CsvReadErrors, UnterminatedQuoteIsReportedWhereItOpened) {
    struct Case {
        std::string input;
        std::size_t records; // good records before the error
        std::size_t line;
    };
    const Case cases[] = {
        {"a,b\n\"never closed,x\n", 1, 2},
        {"h\n1\n2\nx,\"open\nmore\nlines", 3, 4},
        {"\"", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        for (const std::size_t bufferSize : {std::size_t{16}, std::size_t{4096}}) {
            const ReadResult got = ReadAll(c.input, bufferSize);
            EXPECT_TRUE(got.failed);
            EXPECT_EQ(got.records.size(), c.records);
            EXPECT_EQ(got.errorLine, c.line);
        }
    }
}

TEST(CsvReadErrors, OverlongRecordStopsInsteadOfGrowing) {
    const std::string input = "x,\"" + std::string(CsvReader::kMaxRecordBytes + 10, 'a');
    const ReadResult got = ReadAll(input, 4096);
    EXPECT_TRUE(got.failed);
    EXPECT_EQ(got.errorLine, 1U);
}

TEST(CsvReadErrors, ReadFailureIsAnError) {
    CsvReader reader([](char*, std::size_t) -> std::ptrdiff_t { return -1; });
    CsvRecord record;
    EXPECT_EQ(reader.Next(record), CsvReader::Status::Error);
}

TEST(CsvWrite, QuotesOnlyWhatNeedsIt) {
    std::string written;
    {
        CsvWriter writer([&](std::string_view bytes) {
            written += bytes;
            return true;
        });
        for (const std::string_view field :
             {"plain", "", "a,b", "say \"hi\"", "two\nlines", "cr\r"}) {
            writer.Field(field);
        }
        writer.EndRecord();
        writer.Field("");
        writer.EndRecord();
        EXPECT_TRUE(writer.Flush());
    }
    EXPECT_EQ(written, "plain,,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\"\n\n");
}

TEST(CsvWrite, WhatIsWrittenReadsBackTheSame) {
    const Records records = {{"\xEF\xBB\xBFstarts like a byte-order mark", "\"quoted\"", ""},
                             {"", "", ""},
                             {"a\r\nb", " x ", ","},
                             {"\xEF\xBB\xBFinside a file is plain", "Smith, Ann", ""}};
    std::string written;
    {
        CsvWriter writer(
            [&](std::string_view bytes) {
                written += bytes;
                return true;
            },
            8); // flushes after nearly every record
        for (const auto& record : records) {
            for (const auto& field : record) {
                writer.Field(field);
            }
            writer.EndRecord();
        }
    }
    EXPECT_EQ(ReadAll(written, 16).records, records);
}

TEST(CsvWrite, FailedSinkIsReported) {
    CsvWriter writer([](std::string_view) { return false; });
    writer.Field("x");
    writer.EndRecord();
    EXPECT_FALSE(writer.Flush());
    EXPECT_FALSE(writer.ok());
}

} // namespace

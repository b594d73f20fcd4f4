// A converted copy of an entries file: only the edited swims' seed columns and checksums change.
#include "sdif/sdif_file.hpp"
#include "sdif/write_seeds.hpp"
#include "sdif_lines.hpp"

#include <gtest/gtest.h>

namespace et::sdif {
namespace {

using test::Cl2;
using test::Record;
using test::SwimLine;

// A club's entries as the team program writes them (lines 1 to 8), seed course letters after the
// times and none after NT.
std::vector<std::string> EntriesLines() {
    return {
        Record("A0", {{3, "1"}, {4, "V3"}, {12, "20"}, {14, "Meet Entries"}}),
        Record("B1", {{3, "1"}, {12, "Example Time Trial"}, {122, "1228202112302021"}, {150, "S"}}),
        Record("C1", {{3, "1"}, {12, "  EXSC"}, {18, "Example Swim Club"}}),
        SwimLine("Doe, Jane Q", "30029218", "02082007", "14FF 1002  7C1314", {"", " 1:12.34L"}),
        Record("D3", {{3, "30029218"}, {17, "Janie"}}),
        SwimLine("Doe, Jane Q", "30029218", "02082007", "14FF 2005 15C1314", {"", "     NT "}),
        SwimLine("Roe, Sam", "30029219", "11302011", "10MM  501  2C0910", {"", "   28.11Y"}),
        Record("Z0", {{3, "1"}, {12, "02"}, {58, "     3"}}),
    };
}

// The lines as CL2, joined with CRLF but for an LF after line 5, and a final Ctrl-Z.
std::string Cl2Entries(std::vector<std::string> lines) {
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += Cl2(lines[i]) + (i == 4 ? "\n" : "\r\n");
    }
    return bytes + "\x1A";
}

// Where two copies differ: (line from 1, column from 1) of each changed byte, the copies being
// the same length.
std::vector<std::pair<std::size_t, std::size_t>> Changes(std::string_view a, std::string_view b) {
    std::vector<std::pair<std::size_t, std::size_t>> changes;
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) {
            changes.emplace_back(line, column);
        }
        ++column;
        if (a[i] == '\n') {
            ++line;
            column = 1;
        }
    }
    return changes;
}

bool InSeedOrChecksum(std::size_t column) {
    return (column >= 89 && column <= 97) || column >= 159;
}

TEST(SdifWrite, OnlyTheSeedColumnsAndChecksumOfEditedSwims) {
    const std::string bytes = Cl2Entries(EntriesLines());
    const ReadResult read = ReadSdif(bytes, "club.cl2");
    ASSERT_EQ(read.file.swims.size(), 3U);
    const WrittenCopy copy = WriteSeedTimes(
        bytes, {{read.file.swims[1].offset, 16543, 'S'}, {read.file.swims[0].offset, 6543, 'S'}});
    ASSERT_EQ(copy.error, "");
    ASSERT_EQ(copy.bytes.size(), bytes.size());
    const auto changes = Changes(bytes, copy.bytes);
    ASSERT_FALSE(changes.empty());
    for (const auto& [line, column] : changes) {
        EXPECT_TRUE((line == 4 || line == 6) && InSeedOrChecksum(column)) << line << ":" << column;
    }
    const ReadResult again = ReadSdif(copy.bytes, "club-converted.cl2");
    EXPECT_TRUE(again.file.warnings.empty()) << again.file.warnings.front();
    EXPECT_EQ(again.file.swims[0].seed.text, "1:05.43");
    EXPECT_EQ(again.file.swims[0].seed.course, 'S');
    EXPECT_EQ(again.file.swims[1].seed.text, "2:45.43"); // an NT seed given a time
    EXPECT_EQ(again.file.swims[2].seed.hundredths, 2811);
    EXPECT_EQ(copy.bytes.substr(read.file.swims[0].offset + 88, 9), " 1:05.43S");
}

TEST(SdifWrite, EachSeedWrittenAsItWasGivesTheFileBack) {
    const std::string bytes = Cl2Entries(EntriesLines());
    const ReadResult read = ReadSdif(bytes, "club.cl2");
    std::vector<SeedEdit> edits;
    for (const Swim& swim : read.file.swims) {
        if (swim.seed.kind == TimeKind::Time) {
            edits.push_back({swim.offset, swim.seed.hundredths, swim.seed.course});
        }
    }
    ASSERT_EQ(edits.size(), 2U);
    EXPECT_EQ(WriteSeedTimes(bytes, edits).bytes, bytes);
}

TEST(SdifWrite, PlainSdifKeepsItsBlankChecksumColumns) {
    std::string bytes;
    for (const std::string& line : EntriesLines()) {
        bytes += line + "\r\n";
    }
    const ReadResult read = ReadSdif(bytes, "club.sd3");
    const WrittenCopy copy = WriteSeedTimes(bytes, {{read.file.swims[2].offset, 2750, 'S'}});
    for (const auto& [line, column] : Changes(bytes, copy.bytes)) {
        EXPECT_TRUE(line == 7 && column >= 89 && column <= 97) << line << ":" << column;
    }
    EXPECT_EQ(copy.bytes.substr(read.file.swims[2].offset + 88, 9), "   27.50S");
}

TEST(SdifWrite, AShortLineEditedIsPaddedToItsChecksum) {
    std::vector<std::string> lines = EntriesLines();
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += (i == 6 ? lines[i].substr(0, 97) : Cl2(lines[i])) + "\r\n";
    }
    const ReadResult read = ReadSdif(bytes, "club.cl2");
    EXPECT_EQ(read.file.counts.checksumsStale, 1U);
    const WrittenCopy copy = WriteSeedTimes(bytes, {{read.file.swims[2].offset, 2750, 'S'}});
    ASSERT_EQ(copy.error, "");
    EXPECT_EQ(copy.bytes.size(), bytes.size() + 63);
    const ReadResult again = ReadSdif(copy.bytes, "club-converted.cl2");
    EXPECT_EQ(again.file.counts.checksumsStale, 0U);
    EXPECT_EQ(again.file.counts.shortLines, 0U);
    EXPECT_EQ(copy.bytes.substr(0, read.file.swims[2].offset),
              bytes.substr(0, read.file.swims[2].offset));
}

TEST(SdifWrite, EditsThatCannotBeWritten) {
    const std::string bytes = Cl2Entries(EntriesLines());
    const std::size_t swim = ReadSdif(bytes, "club.cl2").file.swims[0].offset;
    const std::pair<SeedEdit, std::string_view> cases[] = {
        {{swim + 1, 6000, 'S'}, "names no swim (D0) line"},
        {{0, 6000, 'S'}, "names no swim (D0) line"}, // the A0 line
        {{bytes.size() + 10, 6000, 'S'}, "names no swim (D0) line"},
        {{swim, 0, 'S'}, "cannot be written in 8 columns"},
        {{swim, 600000, 'S'}, "cannot be written in 8 columns"},
        {{swim, 6000, 'X'}, "the course letter must be S, Y or L"},
        {{swim, 6000, ' '}, "the course letter must be S, Y or L"},
    };
    for (const auto& [edit, error] : cases) {
        const WrittenCopy copy = WriteSeedTimes(bytes, {edit});
        EXPECT_NE(copy.error.find(error), std::string::npos) << copy.error;
        EXPECT_EQ(copy.bytes, "");
    }
    EXPECT_NE(WriteSeedTimes(bytes, {{swim, 6000, 'S'}, {swim, 6100, 'S'}}).error.find("two edits"),
              std::string::npos);
}

} // namespace
} // namespace et::sdif

// SDIF results files of our own read into the season, alone and beside Lenex results: which
// times are swims, in which pool and on which day, what is counted and left out, and who is one
// swimmer across files.
#include "club/best_times.hpp"
#include "formats/results_files.hpp"
#include "sdif_lines.hpp"
#include "support/zip_archive.hpp"

#include <gtest/gtest.h>

namespace et::sdif {
namespace {

using et::test::Zip;
using test::Joined;
using test::Record;
using test::SwimLine;

// The swims of a results file of our own: one of each kind a meet program writes.
std::vector<std::string> SeasonLines() {
    std::vector<std::string> lines = test::ResultsLines();
    lines.back() = Record("Z0", {{3, "1"}, {12, "02"}, {58, "     7"}});
    // Before the Z0: a 500 yards free, which the conversion has no row for, and a final with no
    // date of swim, swum on the meet's first day.
    lines.insert(lines.end() - 1, {SwimLine("Coe, Li", "1234567", "11302011", "13MM 5001 32 1314",
                                            {"02092025", "", "", "", " 5:59.99Y"}),
                                   SwimLine("Coe, Li", "1234567", "11302011", "13MM 1003 34 1314",
                                            {"", "", "", "", " 1:20.00Y"})});
    return lines;
}

std::string Added(meet::Results& results, const std::string& bytes, std::string_view name) {
    return formats::AddResultsFile(results, bytes, name);
}

TEST(SdifResults, TheSwimsOfAResultsFile) {
    meet::Results results;
    ASSERT_EQ(Added(results, Joined(SeasonLines()), "county.cl2"), "");
    const meet::ResultsCounts& counts = results.counts;
    // Doe's 100 Back prelim and final, Roe's 1650 (exhibition), Coe's final and 100 breast.
    EXPECT_EQ(counts.swims, 5U);
    EXPECT_EQ(counts.notSwum, 2U);      // DQ, NS
    EXPECT_EQ(counts.noConversion, 2U); // the diving, the 500 yards free
    EXPECT_EQ(counts.relays, 1U);
    EXPECT_EQ(counts.unreadable, 0U);
    EXPECT_EQ(counts.results, 10U);
    EXPECT_TRUE(results.warnings.empty()) << results.warnings.front();

    ASSERT_EQ(results.swimmers.size(), 3U);
    const meet::ResultsSwimmer& doe = results.swimmers[0];
    EXPECT_EQ(doe.lastname, "Doe");
    EXPECT_EQ(doe.firstname, "Jane"); // the middle initial left off
    EXPECT_EQ(doe.license, "0A1B2C3D4E5F61");
    EXPECT_EQ(doe.birthdate, "2012-03-14");
    EXPECT_EQ(doe.gender, "F");
    EXPECT_EQ(doe.club, "Example Swim Club");
    EXPECT_EQ(doe.clubCode, "ILXMPL");
    EXPECT_EQ(results.swimmers[2].club, "Other Club");

    struct Expected {
        std::string_view event, course;
        long distance, hundredths;
        std::uint32_t day;
    };
    const Expected expected[] = {
        {"100 Back", "SCY", 100, 6510, 20250208},     {"100 Back", "SCY", 100, 6487, 20250208},
        {"1500 Free", "SCY", 1650, 107999, 20250208}, {"50 Free", "SCM", 50, 2811, 20250209},
        {"100 Breast", "SCY", 100, 8000, 20250208},
    };
    ASSERT_EQ(results.swims.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const meet::ResultsSwim& swim = results.swims[i];
        const meet::Event& event = results.events[swim.event];
        SCOPED_TRACE(i);
        EXPECT_EQ(std::to_string(swim.identity->distance) + " " +
                      std::string(swim.identity->stroke),
                  expected[i].event);
        EXPECT_EQ(event.course, expected[i].course);
        EXPECT_EQ(event.distance, expected[i].distance);
        EXPECT_EQ(swim.hundredths, expected[i].hundredths);
        EXPECT_EQ(swim.day, expected[i].day);
    }
    // The yards 1650 is the 1500 of a long course pool, converted.
    const meet::BestTimes best = meet::BestTimesIn(results, "LCM", {});
    EXPECT_EQ(best.best.size(), 4U);
}

TEST(SdifResults, AnEntriesFileSaysWhatItHolds) {
    std::vector<std::string> lines = SeasonLines();
    lines[0] = Record("A0", {{3, "1"}, {4, "V3"}, {12, "01"}, {14, "Meet Entries"}});
    meet::Results results;
    EXPECT_EQ(Added(results, Joined(lines), "entries.sd3"), "");
    EXPECT_TRUE(results.swims.empty());
    ASSERT_EQ(results.warnings.size(), 1U);
    EXPECT_EQ(results.warnings[0], "entries.sd3: an SDIF entries file (A0 file code 01), not "
                                   "results: its 7 entries give no swims; left out");
    EXPECT_EQ(Added(results, "Swimmer,Event\r\n", "notes.csv"),
              "notes.csv: neither a Lenex results file (XML) nor an SDIF one (its first line an A0 "
              "record)");
}

TEST(SdifResults, AZipHoldingAResultsFile) {
    meet::Results results;
    const std::string zip =
        Zip({{"meet.hy3", "another program's own"}, {"MEET.CL2", Joined(SeasonLines())}});
    ASSERT_EQ(Added(results, zip, "meet.zip"), "");
    EXPECT_EQ(results.counts.swims, 5U);
}

// A Lenex results file of one 100 Back swum in a 50 metre pool, by a swimmer of a license and a
// birth date (either left out when empty).
std::string LenexResult(std::string_view last, std::string_view first, std::string_view born,
                        std::string_view license) {
    std::string athlete = "<ATHLETE athleteid=\"1\" lastname=\"" + std::string(last) +
                          "\" firstname=\"" + std::string(first) + "\" gender=\"F\"";
    if (!born.empty()) {
        athlete += " birthdate=\"" + std::string(born) + "\"";
    }
    if (!license.empty()) {
        athlete += " license=\"" + std::string(license) + "\"";
    }
    return R"(<?xml version="1.0" encoding="UTF-8"?><LENEX version="3.0"><MEETS>)"
           R"(<MEET name="Spring Open" city="Leeds" course="LCM"><SESSIONS>)"
           R"(<SESSION number="1" date="2025-03-01"><EVENTS><EVENT eventid="1" number="1">)"
           R"(<SWIMSTYLE distance="100" relaycount="1" stroke="BACK"/></EVENT></EVENTS>)"
           R"(</SESSION></SESSIONS><CLUBS><CLUB name="Example Swim Club"><ATHLETES>)" +
           athlete +
           R"(><RESULTS><RESULT eventid="1" swimtime="00:01:08.00"/></RESULTS></ATHLETE>)"
           R"(</ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>)";
}

// An SDIF results file of the 100 Back of swimmers given as name, member number and birth date,
// with the full member number of a D3 after a swim where one is given.
struct Swimmer {
    std::string_view name, number, born, full;
};
std::string SdifResult(std::initializer_list<Swimmer> swimmers) {
    std::vector<std::string> lines = {
        Record("A0", {{3, "1"}, {4, "V3"}, {12, "02"}, {14, "Meet Results"}}),
        Record("B1", {{3, "1"}, {12, "Winter Open"}, {122, "0208202502092025"}, {150, "Y"}}),
        Record("C1", {{3, "1"}, {12, "ILXMPL"}, {18, "Example Swim Club"}})};
    for (const Swimmer& swimmer : swimmers) {
        lines.push_back(SwimLine(swimmer.name, swimmer.number, swimmer.born, "12FF 1002 17 1112",
                                 {"02082025", "", "", "", " 1:04.87Y"}));
        if (!swimmer.full.empty()) {
            lines.push_back(Record("D3", {{3, swimmer.full}}));
        }
    }
    return Joined(lines);
}

TEST(SdifResults, OneSwimmerAcrossFilesOfEitherFormat) {
    struct Case {
        std::string_view what;
        std::vector<std::pair<std::string, std::string>> files; // name, bytes
        std::size_t swimmers;
    };
    const Case cases[] = {
        {"a member number in both formats, one birth date blank",
         {{"a.cl2", SdifResult({{"Doe, Jane Q", "1234567", "", ""}})},
          {"b.lef", LenexResult("Doe", "Jane", "2012-03-14", "1234567")}},
         1},
        {"name and birth date, no numbers",
         {{"a.cl2", SdifResult({{"Doe, Jane Q", "", "03142012", ""}})},
          {"b.lef", LenexResult("DOE", "Jane", "2012-03-14", "")}},
         1},
        {"a swim's 12 characters of the member id and another file's 14",
         {{"a.cl2", SdifResult({{"Doe, Jane", "0A1B2C3D4E5F", "", ""}})},
          {"b.cl2", SdifResult({{"Doe, Jane", "0A1B2C3D4E5F", "", "0A1B2C3D4E5F61"}})},
          {"c.lef", LenexResult("Doe", "Jane", "", "0A1B2C3D4E5F61")}},
         1},
        {"two 14-character ids of the same first 12",
         {{"a.cl2", SdifResult({{"Doe, Jane", "0A1B2C3D4E5F", "03142012", "0A1B2C3D4E5F61"}})},
          {"b.cl2", SdifResult({{"Doe, Jane", "0A1B2C3D4E5F", "03142012", "0A1B2C3D4E5F62"}})}},
         2},
        {"the same name with no birth date and no number",
         {{"a.cl2", SdifResult({{"Doe, Jane", "", "", ""}})},
          {"b.cl2", SdifResult({{"Doe, Jane", "", "", ""}})}},
         2},
        {"two of one file told apart by their numbers, names and birth dates alike",
         {{"a.cl2", SdifResult({{"Doe, Jane", "1234567", "03142012", ""},
                                {"Doe, Jane", "7654321", "03142012", ""}})}},
         2},
        {"the same numbers and names in one file are one swimmer",
         {{"a.cl2", SdifResult({{"Doe, Jane", "", "", ""}, {"Doe, Jane", "", "", ""}})}},
         1},
        {"one number given to two swimmers of a file tells neither",
         {{"a.cl2",
           SdifResult({{"Doe, Jane", "1234567", "", ""}, {"Roe, Ann", "1234567", "", ""}})},
          {"b.lef", LenexResult("Doe", "Jane", "", "1234567")}},
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        meet::Results results;
        for (const auto& [name, bytes] : c.files) {
            ASSERT_EQ(Added(results, bytes, name), "");
        }
        EXPECT_EQ(results.swimmers.size(), c.swimmers);
        EXPECT_EQ(results.counts.swims, results.swims.size());
    }
}

TEST(SdifResults, TheBestOfBothFormats) {
    // 1:08.00 in a 50 metre pool is faster than 1:04.87 in a 25 yard pool, in either pool.
    meet::Results results;
    ASSERT_EQ(Added(results, SdifResult({{"Doe, Jane", "1234567", "03142012", ""}}), "a.cl2"), "");
    ASSERT_EQ(Added(results, LenexResult("Doe", "Jane", "2012-03-14", "1234567"), "b.lef"), "");
    ASSERT_EQ(results.swimmers.size(), 1U);
    for (const auto& [course, converted] : {std::pair{"LCM", false}, std::pair{"SCY", true}}) {
        const meet::BestTimes best = meet::BestTimesIn(results, course, {});
        ASSERT_EQ(best.best.size(), 1U);
        EXPECT_EQ(best.best[0].converted, converted) << course;
        EXPECT_EQ(results.swims[best.best[0].swim].hundredths, 6800) << course;
    }
}

} // namespace
} // namespace et::sdif

// SDIF files of our own read whole: every swim's columns, the file's kind, zipped files, and each
// way real files break the format told in one warning and nothing lost.
#include "sdif/sdif_file.hpp"
#include "sdif_lines.hpp"
#include "support/zip_archive.hpp"

#include <functional>
#include <gtest/gtest.h>

namespace et::sdif {
namespace {

using test::Cl2ResultsLines;
using test::Joined;
using test::Record;
using test::ResultsLines;

bool Warned(const SdifFile& file, std::string_view text) {
    for (const std::string& warning : file.warnings) {
        if (warning.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(SdifRead, EverySwimOfAResultsFile) {
    const std::string bytes = Joined(Cl2ResultsLines());
    const ReadResult read = ReadSdif(bytes, "county.cl2");
    ASSERT_EQ(read.error, "");
    const SdifFile& file = read.file;
    EXPECT_TRUE(file.warnings.empty()) << file.warnings.front();
    EXPECT_EQ(file.kind, FileKind::Results);
    EXPECT_EQ(file.meet.name, "Example Winter Open");
    EXPECT_EQ(file.meet.city, "Springfield");
    EXPECT_EQ(file.meet.startDate, "2025-02-08");
    EXPECT_EQ(file.meet.endDate, "2025-02-09");
    ASSERT_TRUE(file.meet.course);
    EXPECT_EQ(file.meet.course->code, "SCY");
    ASSERT_EQ(file.teams.size(), 2U);
    EXPECT_EQ(file.teams[1].code, "ILOTHR");
    EXPECT_EQ(file.teams[1].name, "Other Club");
    const Counts& counts = file.counts;
    EXPECT_TRUE(counts.cl2);
    EXPECT_EQ(counts.checksumsStale, 0U);
    EXPECT_EQ(counts.lines, 18U);
    EXPECT_EQ(counts.swims, 5U);
    EXPECT_EQ(counts.diving, 1U);
    EXPECT_EQ(counts.swimmerInfo, 1U);
    EXPECT_EQ(counts.relays, 1U);
    EXPECT_EQ(counts.relaySwimmers, 4U);
    EXPECT_EQ(counts.splits, 2U);

    struct Expected {
        std::size_t line;
        std::string_view name, number, born, age;
        long distance;
        char stroke;
        std::string_view eventNumber, eventAge;
        std::size_t team;
        bool exhibition;
    };
    const Expected expected[] = {
        // The D3's full number goes to both of the swimmer's swims.
        {4, "Doe, Jane Q", "0A1B2C3D4E5F61", "2012-03-14", "12", 100, '2', "17A", "1112", 0, false},
        {7, "Doe, Jane Q", "0A1B2C3D4E5F61", "2012-03-14", "12", 200, '2', "22", "1112", 0, false},
        {8, "Roe, Sam", "", "", "9", 1650, '1', "5", "UN10", 0, true},
        {9, "Poe, Ann", "", "2009-05-05", "15", 1, 'H', "9", "15OV", 0, false},
        {11, "Coe, Li", "1234567", "2011-11-30", "13", 50, '1', "30", "1314", 1, false},
    };
    ASSERT_EQ(file.swims.size(), std::size(expected));
    for (std::size_t i = 0; i < file.swims.size(); ++i) {
        const Swim& swim = file.swims[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(swim.name);
        EXPECT_EQ(swim.line, want.line);
        EXPECT_EQ(bytes.substr(swim.offset, 12), "D01        " + std::string(1, want.name[0]));
        EXPECT_EQ(swim.name, want.name);
        EXPECT_EQ(swim.memberNumber, want.number);
        EXPECT_EQ(swim.birthDate, want.born);
        EXPECT_EQ(swim.ageText, want.age);
        EXPECT_EQ(swim.distance, want.distance);
        EXPECT_EQ(swim.stroke, want.stroke);
        EXPECT_EQ(swim.eventNumber, want.eventNumber);
        EXPECT_EQ(swim.eventAge, want.eventAge);
        EXPECT_EQ(swim.team, want.team);
        EXPECT_EQ(swim.exhibition, want.exhibition);
    }
    const std::vector<Swim>& swims = file.swims;
    EXPECT_EQ(swims[0].preferredName, "Janie");
    EXPECT_EQ(swims[0].sex, 'F');
    EXPECT_EQ(swims[0].eventSex, 'F');
    EXPECT_EQ(swims[0].swimDate, "2025-02-08");
    EXPECT_EQ(swims[2].age, 9);
    // Each time with the course it was swum in.
    EXPECT_EQ(swims[0].seed.hundredths, 7234);
    EXPECT_EQ(swims[0].seed.course, 'L');
    EXPECT_EQ(swims[0].prelim.hundredths, 6510);
    EXPECT_EQ(swims[0].swimOff.kind, TimeKind::Blank);
    EXPECT_EQ(swims[0].finals.hundredths, 6487);
    EXPECT_EQ(swims[0].finals.course, 'Y');
    EXPECT_EQ(swims[1].seed.text, "NT");
    EXPECT_EQ(swims[1].finals.kind, TimeKind::Code);
    EXPECT_EQ(swims[1].finals.text, "DQ");
    EXPECT_EQ(swims[3].finals.kind, TimeKind::Other); // the diving score
    EXPECT_EQ(swims[4].prelim.text, "NS");
    EXPECT_EQ(swims[4].finals.hundredths, 2811);
    EXPECT_EQ(swims[4].finals.course, 'S');
}

TEST(SdifRead, TheFileKindFromItsDescription) {
    const std::tuple<std::string_view, std::string_view, FileKind> cases[] = {
        {"01", "", FileKind::Entries},
        {"20", "Meet Entries", FileKind::Entries},
        {"02", "Meet Results", FileKind::Results},
        {"20", "Meet Results", FileKind::Results},
        {"20", "Swimmers Only", FileKind::Other},
        {"07", "", FileKind::Other},
    };
    for (const auto& [code, description, kind] : cases) {
        std::vector<std::string> lines = ResultsLines();
        lines[0] = Record("A0", {{3, "1"}, {4, "V3"}, {12, code}, {14, description}});
        const ReadResult read = ReadSdif(Joined(lines), "meet.sd3");
        EXPECT_EQ(read.file.kind, kind) << code << " " << description;
        EXPECT_EQ(read.file.fileCode, code);
    }
}

// A results file changed one way, and what reading it must then say.
struct Damage {
    std::string_view what;
    std::function<std::string(std::vector<std::string>&)> make;
    std::string_view warning; // empty: none at all
    std::function<void(const SdifFile&)> check;
};

TEST(SdifRead, RealFilesBreakTheFormatAndNothingIsLost) {
    const Damage damages[] = {
        {"LF line ends and a final Ctrl-Z",
         [](auto& lines) { return Joined(lines, "\n") + "\x1A"; }, "",
         [](const SdifFile& f) {
             EXPECT_EQ(f.counts.lfLines, 18U);
             EXPECT_TRUE(f.counts.ctrlZ);
             EXPECT_EQ(f.counts.lines, 18U);
         }},
        {"a line cut after its finals time",
         [](auto& lines) {
             lines[3].resize(124);
             return Joined(lines);
         },
         "county.cl2:4: a line shorter than 160 columns",
         [](const SdifFile& f) { EXPECT_EQ(f.swims[0].finals.hundredths, 6487); }},
        {"columns past 160",
         [](auto& lines) {
             lines[6] += "extra";
             return Joined(lines);
         },
         "county.cl2:7: a line longer than 160 columns",
         [](const SdifFile& f) { EXPECT_EQ(f.swims[1].finals.text, "DQ"); }},
        {"a record code SDIF does not have",
         [](auto& lines) {
             lines.insert(lines.begin() + 3, test::Cl2(Record("Q7", {})));
             return Joined(lines);
         },
         "county.cl2:4: a record of the unknown code 'Q7'",
         [](const SdifFile& f) {
             EXPECT_EQ(f.counts.unknown, 1U);
             EXPECT_EQ(f.swims[0].line, 5U);
         }},
        {"no team before the first swims",
         [](auto& lines) {
             lines.erase(lines.begin() + 2);
             return Joined(lines);
         },
         "county.cl2:3: a swim before any team (C1) record: its team is blank (4 lines",
         [](const SdifFile& f) {
             EXPECT_EQ(f.swims[0].team, kNoTeam);
             EXPECT_EQ(f.swims[4].team, 0U);
         }},
        {"no end record",
         [](auto& lines) {
             lines.pop_back();
             return Joined(lines);
         },
         "county.cl2: no end (Z0) record",
         [](const SdifFile& f) { EXPECT_EQ(f.swims.size(), 5U); }},
        {"checksums gone stale in another program",
         [](auto& lines) {
             // 8:12.34Y for 1:12.34L: enough for the weak sum to see it.
             lines[3][89] = '8';
             lines[3][96] = 'Y';
             lines[10][149] = '1';
             return Joined(lines);
         },
         "county.cl2:4: 2 of 18 lines carry a CL2 checksum",
         [](const SdifFile& f) {
             EXPECT_EQ(f.warnings.size(), 1U);
             EXPECT_EQ(f.counts.checksumsStale, 2U);
             EXPECT_EQ(f.swims[0].seed.hundredths, 49234);
         }},
        {"a 14-character member number over the attach and citizen columns",
         [](auto& lines) {
             lines[3].replace(39, 16, "0A1B2C3D4E5F61  ");
             return Joined(lines);
         },
         "county.cl2:4: the member number '0A1B2C3D4E5F61' runs past column 51",
         [](const SdifFile& f) { EXPECT_EQ(f.swims[0].memberNumber, "0A1B2C3D4E5F61"); }},
        {"a birth date that is no day",
         [](auto& lines) {
             lines[3].replace(55, 8, "02302012");
             return Joined(lines);
         },
         "county.cl2:4: the birth date '02302012' is no date",
         [](const SdifFile& f) { EXPECT_EQ(f.swims[0].birthDate, ""); }},
        {"a finals time with no course letter",
         [](auto& lines) {
             lines[3][123] = ' ';
             return Joined(lines);
         },
         "county.cl2:4: the finals time 1:04.87 has no course letter",
         [](const SdifFile& f) { EXPECT_EQ(f.swims[0].finals.course, ' '); }},
        {"windows-1252 names, the columns after them in place",
         [](auto& lines) {
             lines[10].replace(11, 12, "M\xFCller, J\xF6rg");
             lines[10] = test::Cl2(lines[10], "NN");
             return Joined(lines);
         },
         "",
         [](const SdifFile& f) {
             EXPECT_EQ(f.swims[4].name, "Müller, Jörg");
             EXPECT_EQ(f.swims[4].memberNumber, "1234567");
             EXPECT_EQ(f.swims[4].finals.hundredths, 2811);
         }},
        {"plain SDIF: no checksums at all",
         [](auto& lines) {
             lines = ResultsLines();
             return Joined(lines);
         },
         "",
         [](const SdifFile& f) {
             EXPECT_FALSE(f.counts.cl2);
             EXPECT_EQ(f.swims.size(), 5U);
         }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::vector<std::string> lines = Cl2ResultsLines();
        const ReadResult read = ReadSdif(damage.make(lines), "county.cl2");
        ASSERT_EQ(read.error, "");
        if (damage.warning.empty()) {
            EXPECT_TRUE(read.file.warnings.empty()) << read.file.warnings.front();
        } else {
            EXPECT_TRUE(Warned(read.file, damage.warning))
                << (read.file.warnings.empty() ? "no warning" : read.file.warnings.front());
        }
        damage.check(read.file);
    }
}

TEST(SdifRead, KnownByContent) {
    const std::string sdif = Joined(Cl2ResultsLines());
    const std::string lenex = "<?xml version=\"1.0\"?><LENEX version=\"3.0\"/>";
    EXPECT_TRUE(IsSdif(sdif));
    EXPECT_FALSE(IsSdif(lenex));
    EXPECT_FALSE(IsSdif(""));
    EXPECT_EQ(ReadSdif(lenex, "meet.cl2").error,
              "meet.cl2: not an SDIF file: its first line does not begin with a file description "
              "(A0) record");
    EXPECT_TRUE(IsSdif(et::test::Zip({{"results.CL2", sdif}})));
    EXPECT_FALSE(IsSdif(et::test::Zip({{"meet.lef", lenex}})));
}

TEST(SdifRead, TheSdifMemberOfAZip) {
    const std::string cl2 = Joined(Cl2ResultsLines());
    const std::string sd3 = Joined(ResultsLines());
    struct Case {
        std::vector<std::pair<std::string, std::string>> members;
        std::string_view member; // read
        std::string_view error;  // or this
    };
    const Case cases[] = {
        {{{"Entries.HY3", "not SDIF"}, {"Entries.CL2", cl2}}, "Entries.CL2", ""},
        {{{"results.sd3", sd3}, {"results.cl2", cl2}}, "results.cl2", ""},
        {{{"results.sd3", sd3}}, "results.sd3", ""},
        {{{"Entries.HY3", "not SDIF"}, {"notes.txt", "hello"}},
         "",
         "club.zip: the ZIP archive holds no SDIF file (.cl2 or .sd3); it holds Entries.HY3, "
         "notes.txt"},
        {{{"a.cl2", cl2}, {"b.cl2", cl2}},
         "",
         "club.zip: the ZIP archive holds 2 SDIF files (a.cl2, b.cl2); it must hold one"},
        {{{"results.cl2", "<LENEX/>"}},
         "",
         "club.zip(results.cl2): not an SDIF file: its first line does not begin with a file "
         "description (A0) record"},
    };
    for (const Case& c : cases) {
        const ReadResult read = ReadSdif(et::test::Zip(c.members), "club.zip");
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.file.zipMember, c.member);
        if (!c.member.empty()) {
            EXPECT_EQ(read.file.swims.size(), 5U);
        }
    }
    // Warnings name the member.
    std::vector<std::string> lines = Cl2ResultsLines();
    lines.pop_back();
    const ReadResult read = ReadSdif(et::test::Zip({{"r.cl2", Joined(lines)}}), "club.zip");
    EXPECT_TRUE(Warned(read.file, "club.zip(r.cl2): no end (Z0) record"));
    EXPECT_EQ(ReadSdif("PK\x03\x04garbage", "club.zip").error.substr(0, 36),
              "club.zip: not a readable ZIP archive");
}

} // namespace
} // namespace et::sdif

// Meet files opened by content and checked alike: an SDIF entries file's converted copy changes
// only seed columns and checksums, and checking it again converts nothing and changes no verdict;
// a zipped file is written as its bare member; each format's copy takes its own names.

#include "formats/meet_files.hpp"
#include "io/whole_file.hpp"
#include "support/zip_archive.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using et::formats::MeetFile;
using et::formats::OpenMeetData;

std::string Golden(const std::string& name) {
    std::string bytes;
    const std::string error =
        et::io::ReadWholeFile(std::string(GOLDEN_MEETS) + "/" + name, bytes, 1 << 20);
    EXPECT_EQ(error, "") << name;
    return bytes;
}

std::unique_ptr<MeetFile> Open(const std::string& bytes, const std::string& name,
                               const std::string& standards) {
    et::formats::OpenResult read = OpenMeetData(bytes, name);
    EXPECT_EQ(read.error, "");
    if (read.meet && !standards.empty()) {
        EXPECT_EQ(read.meet->AddStandardsFile(Golden(standards), standards), "");
    }
    return std::move(read.meet);
}

// Bytes that differ between two copies of one length, as 1-based columns of 162-byte lines
// (CRLF files) or 161-byte lines (LF files).
std::vector<std::size_t> ChangedColumns(const std::string& a, const std::string& b,
                                        std::size_t lineLength) {
    std::vector<std::size_t> columns;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) {
            columns.push_back(i % lineLength + 1);
        }
    }
    return columns;
}

struct CopyCase {
    const char* file;
    const char* standards;
    std::size_t lineLength;
    std::size_t converted;
};

TEST(SdifCopy, ChangesOnlySeedsAndCheckedAgainConvertsNothing) {
    const CopyCase cases[] = {
        {"sdif-winter.cl2", "sdif-winter-times.csv", 162, 4},
        {"sdif-lakeside.sd3", "sdif-lakeside-times.csv", 161, 3},
    };
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string input = Golden(c.file);
        const auto meet = Open(input, c.file, c.standards);
        ASSERT_TRUE(meet);
        EXPECT_EQ(meet->format(), et::formats::MeetFormat::Sdif);
        EXPECT_EQ(meet->NoEntriesText(), "");
        const et::meet::CheckResult first = meet->Check(std::nullopt);
        EXPECT_EQ(first.conversions.size(), c.converted);
        const auto [copy, error] = meet->ConvertedFile(first, "copy.cl2");
        ASSERT_EQ(error, "");
        ASSERT_EQ(copy.size(), input.size());
        for (const std::size_t column : ChangedColumns(input, copy, c.lineLength)) {
            EXPECT_TRUE((column >= 89 && column <= 97) || column >= 159) << column;
        }
        const auto again = Open(copy, "copy.cl2", c.standards);
        ASSERT_TRUE(again);
        const et::meet::CheckResult second = again->Check(std::nullopt);
        EXPECT_TRUE(second.conversions.empty());
        EXPECT_EQ(second.verdicts, first.verdicts);
        EXPECT_EQ(again->ConvertedFile(second, "copy.sd3").first, copy);
    }
}

TEST(SdifCopy, ZippedFileIsReadThroughItsMemberAndWrittenBare) {
    const std::string cl2 = Golden("sdif-winter.cl2");
    const auto meet = Open(et::test::Zip({{"Seals.HY3", "not SDIF"}, {"Seals.CL2", cl2}}),
                           "seals.zip", "sdif-winter-times.csv");
    ASSERT_TRUE(meet);
    EXPECT_EQ(meet->SuggestedSuffix(), "-converted.cl2");
    const et::meet::CheckResult result = meet->Check(std::nullopt);
    ASSERT_GE(result.rows.size(), 6U);
    EXPECT_EQ(result.rows[5].reason, "seals.zip(Seals.CL2):10: no event number (D0 columns 73-76)");
    const auto [copy, error] = meet->ConvertedFile(result, "seals.cl2");
    EXPECT_EQ(error, "");
    EXPECT_EQ(copy.size(), cl2.size());
}

TEST(SdifCopy, AnotherCourseIsWrittenOnlyInAPoolWithALetter) {
    const auto meet = Open(Golden("sdif-lakeside.sd3"), "lakeside.sd3", "");
    ASSERT_TRUE(meet);
    const et::meet::CheckResult lcm = meet->Check(std::string("LCM"));
    EXPECT_EQ(meet->ConvertedFile(lcm, "lakeside.sd3").second, "");
    const et::meet::CheckResult odd = meet->Check(std::string("SCY33"));
    EXPECT_EQ(meet->ConvertedFile(odd, "lakeside.sd3").second,
              "the entries are converted into SCY33, a pool an SDIF file has no course letter "
              "for: S, Y and L only");
}

TEST(ConvertedNames, EachFormatTakesItsOwnEndings) {
    const auto sdif = Open(Golden("sdif-winter.cl2"), "winter.cl2", "");
    const auto lenex = Open(Golden("county.lef"), "county.lef", "");
    ASSERT_TRUE(sdif && lenex);
    const struct {
        const MeetFile* meet;
        const char* name;
        bool fits;
    } cases[] = {
        {sdif.get(), "out.cl2", true},  {sdif.get(), "OUT.SD3", true},
        {sdif.get(), "out.lef", false}, {sdif.get(), "out.cl2.txt", false},
        {lenex.get(), "out.lxf", true}, {lenex.get(), "out.cl2", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.meet->OutputNameError(c.name).empty(), c.fits) << c.name;
    }
    for (const char* name : {"a.lef", "a.LXF", "a.Cl2", "a.sd3"}) {
        EXPECT_EQ(et::formats::AnyOutputNameError(name), "") << name;
    }
    EXPECT_NE(et::formats::AnyOutputNameError("a.csv"), "");
}

TEST(NoEntries, AResultsFileSaysWhatItHolds) {
    const auto results = Open(Golden("sdif-results.cl2"), "results.cl2", "");
    ASSERT_TRUE(results);
    EXPECT_EQ(results->NoEntriesText(), "holds 3 results of 2 swimmers and no entries");
}

} // namespace

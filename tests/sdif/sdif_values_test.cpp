// Times, course letters, events, age codes, dates, names and the CL2 checksum of SDIF columns.
#include "sdif/sdif_values.hpp"

#include <gtest/gtest.h>

namespace et::sdif {
namespace {

TEST(SdifTime, EveryWayTheMeetProgramsWriteIt) {
    struct Case {
        std::string_view columns;
        TimeKind kind;
        long hundredths;
    };
    const Case cases[] = {
        {"   28.11", TimeKind::Time, 2811},   // under a minute, no leading zero
        {" 1:02.73", TimeKind::Time, 6273},   // right-justified
        {"1:02.73 ", TimeKind::Time, 6273},   // left-justified
        {"20:33.05", TimeKind::Time, 123305}, // ten minutes and more fill the field
        {"  :47.53", TimeKind::Time, 4753},   // a colon with no minutes
        {"    9.05", TimeKind::Time, 905},    {"        ", TimeKind::Blank, 0},
        {"      NT", TimeKind::Code, 0}, // results: codes right-justified
        {"NT      ", TimeKind::Code, 0}, // as the format's document wants them
        {"     NT ", TimeKind::Code, 0}, // as the team program writes its entries
        {"      DQ", TimeKind::Code, 0},      {"NS      ", TimeKind::Code, 0},
        {"     DNF", TimeKind::Code, 0},      {"SCR     ", TimeKind::Code, 0},
        {"  113.30", TimeKind::Other, 0}, // a diving score
        {"   75.30", TimeKind::Other, 0}, // over a minute of seconds is no time
        {"    0.00", TimeKind::Other, 0}, // a time of zero is no swim
        {" 1:60.00", TimeKind::Other, 0},     {"  1:02.3", TimeKind::Other, 0},
        {"     dq ", TimeKind::Other, 0}, // codes are upper case
        {"1:0 2.73", TimeKind::Other, 0},
    };
    for (const Case& c : cases) {
        const TimeField field = ReadTime(c.columns, 'Y');
        EXPECT_EQ(field.kind, c.kind) << c.columns;
        EXPECT_EQ(field.hundredths, c.hundredths) << c.columns;
        EXPECT_EQ(field.course, 'Y');
    }
}

TEST(SdifTime, WrittenRightJustifiedAndReadBack) {
    const std::pair<long, std::string_view> cases[] = {
        {6273, " 1:02.73"}, {2811, "   28.11"}, {905, "    9.05"},    {123305, "20:33.05"},
        {6000, " 1:00.00"}, {1, "    0.01"},    {599999, "99:59.99"}, {0, ""},
        {-5, ""},           {600000, ""}, // 100 minutes do not fit
    };
    for (const auto& [hundredths, text] : cases) {
        EXPECT_EQ(TimeColumns(hundredths), text) << hundredths;
        if (!text.empty()) {
            EXPECT_EQ(ReadTime(text, 'S').hundredths, hundredths);
        }
    }
}

TEST(SdifCourse, LettersAndNumbersNameThreePools) {
    const std::tuple<char, std::string_view, std::string_view> known[] = {
        {'S', "SCM", "25m"}, {'1', "SCM", "25m"}, {'M', "SCM", "25m"}, {'Y', "SCY", "25y"},
        {'2', "SCY", "25y"}, {'L', "LCM", "50m"}, {'3', "LCM", "50m"},
    };
    for (const auto& [letter, code, pool] : known) {
        const std::optional<Course> course = CourseOfLetter(letter);
        ASSERT_TRUE(course) << letter;
        EXPECT_EQ(course->code, code);
        EXPECT_EQ(course->pool->code, pool);
        EXPECT_EQ(CourseOfLetter(LetterOfPool(*course->pool))->code, code);
    }
    for (const char letter : {' ', 'X', 'y', '4', 'H'}) {
        EXPECT_FALSE(CourseOfLetter(letter)) << letter;
    }
}

TEST(SdifEvent, TheCalculatorsEventOrWhyNot) {
    struct Case {
        char stroke;
        long distance;
        char course;
        EventFit fit;
        std::int16_t code; // of the event, where it converts
    };
    const Case cases[] = {
        {'1', 1650, 'Y', EventFit::Converts, 6},     // the mile in yards is the 1500 Free
        {'1', 1650, 'L', EventFit::NoConversion, 0}, // no 1650 in metres
        {'1', 1500, 'L', EventFit::Converts, 6},
        {'1', 1500, 'S', EventFit::Converts, 6},
        {'1', 1500, 'Y', EventFit::NoConversion, 0}, // the yards pools swim 1650
        {'1', 500, 'Y', EventFit::NoConversion, 0},
        {'1', 1000, 'Y', EventFit::NoConversion, 0},
        {'1', 400, 'L', EventFit::Converts, 4},
        {'5', 100, 'Y', EventFit::NoConversion, 0}, // the 100 IM has no factors
        {'5', 100, 'S', EventFit::NoConversion, 0},
        {'5', 200, 'L', EventFit::Converts, 16},
        {'5', 400, 'Y', EventFit::Converts, 17},
        {'2', 100, 'S', EventFit::Converts, 14},
        {'3', 50, 'L', EventFit::Converts, 7},
        {'4', 50, '2', EventFit::Converts, 10},
        {'4', 25, 'Y', EventFit::NoConversion, 0},
        {'H', 1, 'Y', EventFit::NotIndividual, 0},   // diving
        {'6', 200, 'Y', EventFit::NotIndividual, 0}, // a relay stroke
        {' ', 0, 'Y', EventFit::NotIndividual, 0},   // a relay-only swimmer's line
        {'1', 100, ' ', EventFit::NoCourse, 0},
        {'1', 100, 'X', EventFit::NoCourse, 0},
    };
    for (const Case& c : cases) {
        const SwimEvent event = EventOfSwim(c.stroke, c.distance, c.course);
        EXPECT_EQ(event.fit, c.fit) << c.stroke << " " << c.distance << c.course;
        EXPECT_EQ(event.event != nullptr ? event.event->code : 0, c.code)
            << c.stroke << " " << c.distance << c.course;
    }
}

TEST(SdifEvent, AgeCodesAsAgeGroups) {
    const std::pair<std::string_view, std::optional<AgeRange>> cases[] = {
        {"UN08", AgeRange{-1, 8}},  {"15OV", AgeRange{15, -1}}, {"1112", AgeRange{11, 12}},
        {"UNOV", AgeRange{-1, -1}}, {"0910", AgeRange{9, 10}},  {"1313", AgeRange{13, 13}},
        {"1211", std::nullopt},     {"UN8 ", std::nullopt},     {"", std::nullopt},
        {"OVUN", std::nullopt},     {"15OV ", std::nullopt},
    };
    for (const auto& [code, range] : cases) {
        EXPECT_EQ(AgeRangeOfCode(code), range) << code;
    }
}

TEST(SdifText, Windows1252ByteByByte) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"M\xFCller, J\xF6rg", "Müller, Jörg"},
        {"\x80 \x8A \x9F", "€ Š Ÿ"},
        {"\x81", "\xEF\xBF\xBD"}, // undefined in windows-1252
        {"A\tB", "A\xEF\xBF\xBD"
                 "B"},
        {"O'Neil, John Q", "O'Neil, John Q"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(Utf8OfWindows1252(bytes), text);
    }
}

TEST(SdifText, DatesOfTheCalendarOnly) {
    const std::pair<std::string_view, std::optional<std::string>> cases[] = {
        {"02082025", "2025-02-08"}, {"02292024", "2024-02-29"}, {"02292023", std::nullopt},
        {"13012020", std::nullopt}, {"0208202 ", std::nullopt}, {"00102020", std::nullopt},
        {"        ", std::nullopt}, {"04312020", std::nullopt},
    };
    for (const auto& [columns, iso] : cases) {
        EXPECT_EQ(IsoDate(columns), iso) << columns;
    }
}

TEST(SdifChecksum, TheFormatNotesOwnExampleLines) {
    // The entries line and the results line of the format notes, with the flag and checksum the
    // team and meet programs write after them.
    std::string entry = "D01        Doe, Jane Q                 0A1B2C3D4E5FAUSA0314201212FF 1002 "
                        "14 1112         1:12.34L";
    std::string result = "D01        Doe, Jane Q                 0A1B2C3D4E5FAUSA0314201212FF "
                         "1002 14 111202082025 1:12.34L 1:05.10Y          1:04.87Y 3 4 1 4  2  1 "
                         "20.";
    entry.resize(156, ' ');
    result.resize(156, ' ');
    EXPECT_EQ(Cl2Checksum(entry), "16");
    EXPECT_EQ(Cl2Checksum(result), "79");
    EXPECT_TRUE(Cl2ChecksumAgrees(entry + " N16"));
    EXPECT_TRUE(Cl2ChecksumAgrees(result + "NN79"));
    EXPECT_FALSE(Cl2ChecksumAgrees(result + "NN97"));
    EXPECT_FALSE(Cl2ChecksumAgrees(result + "    ")); // a plain SDIF line carries none
    // 156 blanks: 4992 // 19 = 262, + 211 = 473, written units first.
    EXPECT_EQ(Cl2Checksum(std::string(156, ' ')), "37");
}

} // namespace
} // namespace et::sdif

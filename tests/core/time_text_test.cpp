#include "model/time_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace et {
namespace {

struct ReadCase {
    std::string text;
    std::int16_t nerr;
    double seconds;     // checked when nerr is not 1
    std::string normal; // checked when nerr is not 1
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

class TimecheckTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TimecheckTest, ReadsAsTheTimeBoxDoes) {
    const ReadCase& c = GetParam();
    double value = -1.0;
    std::string normal = "untouched";
    std::int16_t nerr = -1;
    timecheck(c.text, value, normal, nerr);
    EXPECT_EQ(nerr, c.nerr);
    if (c.nerr == kTimeMalformed) {
        // A malformed text leaves the caller's values alone.
        EXPECT_EQ(value, -1.0);
        EXPECT_EQ(normal, "untouched");
    } else {
        EXPECT_DOUBLE_EQ(value, c.seconds);
        EXPECT_EQ(normal, c.normal);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TimecheckTest,
    ::testing::Values(
        ReadCase{"", 2, 0.0, "00:00.00"}, ReadCase{"     ", 2, 0.0, "00:00.00"},
        ReadCase{"45", 0, 45.0, "00:45.00"}, ReadCase{"5", 2, 0.05, "00:00.05"},
        ReadCase{"5:", 1, 0, ""}, ReadCase{"123", 1, 0, ""}, ReadCase{"9.99", 2, 9.99, "00:09.99"},
        ReadCase{"10.00", 0, 10.0, "00:10.00"}, ReadCase{"10", 0, 10.0, "00:10.00"},
        ReadCase{"45.00.00", 0, 2700.0, "45:00.00"}, ReadCase{"45.00.01", 2, 2700.01, "45:00.01"},
        ReadCase{"59.9", 0, 59.9, "00:59.90"}, ReadCase{"1.59.9", 0, 119.9, "01:59.90"},
        ReadCase{"99.99", 0, 99.99, "01:39.99"}, ReadCase{"1.60.00", 1, 0, ""},
        ReadCase{"0.60.00", 0, 60.0, "01:00.00"}, ReadCase{"75.20", 0, 75.2, "01:15.20"},
        ReadCase{"00.75.00", 0, 75.0, "01:15.00"}, ReadCase{"1.2.3.4", 1, 0, ""},
        ReadCase{"1..5", 1, 0, ""}, ReadCase{"1:.05", 1, 0, ""}, ReadCase{"12a.00", 1, 0, ""},
        ReadCase{"-1.00", 1, 0, ""}, ReadCase{"+12.00", 1, 0, ""}, ReadCase{"1 .05.00", 1, 0, ""},
        ReadCase{" 1:05.3 ", 0, 65.3, "01:05.30"}, ReadCase{"1.05.00", 0, 65.0, "01:05.00"},
        ReadCase{"1:05.00", 0, 65.0, "01:05.00"}, ReadCase{"1:05.", 0, 65.0, "01:05.00"},
        ReadCase{"1.5.", 0, 65.0, "01:05.00"}, ReadCase{".45", 2, 0.45, "00:00.45"},
        ReadCase{":45.00", 0, 45.0, "00:45.00"}, ReadCase{"45.", 0, 45.0, "00:45.00"},
        ReadCase{"45.5", 0, 45.5, "00:45.50"}, ReadCase{"\t45.00", 1, 0, ""},
        ReadCase{"45.00\t", 1, 0, ""}, ReadCase{"4\xC3\xA9.00", 1, 0, ""},
        ReadCase{"\xFF\xFE", 1, 0, ""}, ReadCase{"1.05.123", 1, 0, ""},
        // One separator is seconds and hundredths, never minutes and seconds.
        ReadCase{"1.05", 2, 1.05, "00:01.05"}, ReadCase{"1:5", 2, 1.5, "00:01.50"},
        ReadCase{".5", 2, 0.5, "00:00.50"}, ReadCase{"45:", 0, 45.0, "00:45.00"},
        // Two characters and no "." after the spaces are cut: seconds, even after a colon.
        ReadCase{" 45 ", 0, 45.0, "00:45.00"}, ReadCase{":5", 2, 5.0, "00:05.00"},
        ReadCase{" 5: ", 1, 0, ""}, ReadCase{"4.", 2, 4.0, "00:04.00"},
        // What the converted-time boxes hold reads back.
        ReadCase{" 1.05.4", 0, 65.4, "01:05.40"}, ReadCase{"   45.2", 0, 45.2, "00:45.20"},
        ReadCase{"        ", 2, 0.0, "00:00.00"}, ReadCase{"15.01.6", 0, 901.6, "15:01.60"}));

TEST(Timecheck, HugeAndOddTextsAreRejectedWithoutReadingPastThem) {
    const std::string digits(1 << 20, '7');
    const std::string separators(1 << 20, '.');
    std::string nul("12.00");
    nul[2] = '\0';
    for (const std::string& text : {digits, separators, nul, std::string(1 << 16, ' ') + "x"}) {
        double value = 0.0;
        std::string normal;
        std::int16_t nerr = -1;
        timecheck(text, value, normal, nerr);
        EXPECT_EQ(nerr, kTimeMalformed) << text.size();
    }
}

TEST(Timecheck, SetsTheErrorCodeEvenWhenTheCallerHadOne) {
    double value = 0.0;
    std::string normal;
    std::int16_t nerr = kTimeMalformed;
    timecheck("1.00.00", value, normal, nerr);
    EXPECT_EQ(nerr, kTimeOk);
}

struct WriteCase {
    double seconds;
    const char* layout;
    std::string text;
};

TEST(TimeToAlpha, WritesBothLayoutsAndNothingElse) {
    const WriteCase cases[] = {
        {65.43, "P", " 1.05.43"}, {605.0, "P", "10.05.00"}, {45.2, "P", "   45.20"},
        {65.43, "F", "010543"},   {45.2, "F", "004520"},    {119.996, "P", " 2.00.00"},
        {0.0, "P", "   00.00"},   {5.4, "P", "   05.40"},   {5999.99, "P", "99.59.99"},
        {65.43, "p", ""},         {65.43, "", ""},          {65.43, "PF", ""},
        {-1.0, "P", ""},          {6000.0, "P", ""},        {5999.996, "P", ""},
    };
    for (const WriteCase& c : cases) {
        EXPECT_EQ(TimeToAlpha(c.seconds, c.layout), c.text) << c.seconds << " " << c.layout;
    }
}

TEST(TimeToAlpha, EveryHundredthReadsBackThroughTimecheck) {
    // Whatever the window writes in a box, the points can read again.
    for (int h = 1000; h <= 270000; h += 7) {
        const double seconds = h / 100.0;
        const std::string text = TimeToAlpha(seconds, "P");
        double value = 0.0;
        std::string normal;
        std::int16_t nerr = -1;
        timecheck(text, value, normal, nerr);
        ASSERT_EQ(nerr, kTimeOk) << text;
        ASSERT_DOUBLE_EQ(value, seconds) << text;
    }
}

} // namespace
} // namespace et

// The fees a club pays for the entries the meet accepts: each entry's event fee, and the meet's
// and sessions' club, swimmer and relay fees, added up a club at a time.

#include "check/fees.hpp"
#include "lenex/lenex_entries.hpp"

#include <gtest/gtest.h>

namespace {

// A meet of two sessions: the 100 Free (8.00) and the 4x50 Free relay (16.00) in the first, the
// 200 IM (10.00) in the second; meetFees and sessionFees are FEE elements of their FEES.
std::string FeesMeet(const std::string& meetFees, const std::string& sessionFees,
                     const std::string& clubs) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS>"
           "<MEET name=\"Fees\" course=\"LCM\"><FEES>" +
           meetFees +
           "</FEES><SESSIONS><SESSION number=\"1\" date=\"2026-03-07\"><EVENTS>"
           "<EVENT eventid=\"1\"><SWIMSTYLE stroke=\"FREE\" distance=\"100\" relaycount=\"1\"/>"
           "<FEE currency=\"EUR\" value=\"800\"/></EVENT>"
           "<EVENT eventid=\"2\"><SWIMSTYLE stroke=\"FREE\" distance=\"50\" relaycount=\"4\"/>"
           "<FEE currency=\"EUR\" value=\"1600\"/></EVENT></EVENTS></SESSION>"
           "<SESSION number=\"2\" date=\"2026-03-08\"><FEES>" +
           sessionFees +
           "</FEES><EVENTS><EVENT eventid=\"3\"><SWIMSTYLE stroke=\"MEDLEY\" distance=\"200\" "
           "relaycount=\"1\"/><FEE currency=\"EUR\" value=\"1000\"/></EVENT></EVENTS></SESSION>"
           "</SESSIONS><CLUBS>" +
           clubs + "</CLUBS></MEET></MEETS></LENEX>\n";
}

std::string Entry(const std::string& event, const std::string& time = "00:01:05.00") {
    return "<ENTRY eventid=\"" + event + "\" entrytime=\"" + time + "\"/>";
}

std::string Swimmer(const std::string& id, const std::string& entries) {
    return "<ATHLETE athleteid=\"" + id + "\" lastname=\"Swimmer" + id +
           "\" firstname=\"A\" gender=\"F\" birthdate=\"2010-01-01\"><ENTRIES>" + entries +
           "</ENTRIES></ATHLETE>";
}

std::string Club(const std::string& name, const std::string& athletes,
                 const std::string& relays = "") {
    return "<CLUB name=\"" + name + "\"><ATHLETES>" + athletes + "</ATHLETES><RELAYS>" + relays +
           "</RELAYS></CLUB>";
}

std::string Relay(const std::string& number, const std::string& entries) {
    return "<RELAY number=\"" + number + "\" gender=\"F\"><ENTRIES>" + entries +
           "</ENTRIES></RELAY>";
}

std::string FeesCsvOf(const std::string& document, std::vector<std::string>* problems = nullptr) {
    const auto read = et::meet::ReadMeetBytes(document, "fees.lef");
    EXPECT_TRUE(read.meet) << read.error;
    if (!read.meet) {
        return {};
    }
    const et::meet::MeetFees fees =
        et::meet::FeesOf(*read.meet, et::meet::CheckEntries(*read.meet));
    if (problems != nullptr) {
        *problems = read.meet->problems;
        problems->insert(problems->end(), fees.problems.begin(), fees.problems.end());
    }
    return et::meet::FeesCsv(fees);
}

TEST(Fees, EachLineAsTheInvitationStatesIt) {
    const std::string swimmers =
        Swimmer("1", Entry("1") + Entry("3")) + Swimmer("2", Entry("1")) +
        Swimmer("3", Entry("1", "NT")); // no time: not accepted, not charged
    const struct {
        const char* name;
        std::string meetFees;
        std::string sessionFees;
        std::string clubs;
        std::string csv;
    } cases[] = {
        {"entry fees only, one line for one event", "", "", Club("Otters", swimmers),
         "club,entries,swimmers,relays,total,currency,100 Free,200 IM\r\n"
         "Otters,3,2,0,26.00,EUR,16.00,10.00\r\n"},
        {"a club fee once, a swimmer fee for each swimmer",
         "<FEE type=\"CLUB\" currency=\"EUR\" value=\"2500\"/>"
         "<FEE type=\"ATHLETE\" currency=\"EUR\" value=\"150\"/>",
         "", Club("Otters", swimmers),
         "club,entries,swimmers,relays,total,currency,100 Free,200 IM,club fee,swimmer fee\r\n"
         "Otters,3,2,0,54.00,EUR,16.00,10.00,25.00,3.00\r\n"},
        {"a session's swimmer fee counts the swimmers of that session only", "",
         "<FEE type=\"ATHLETE\" currency=\"EUR\" value=\"200\"/>", Club("Otters", swimmers),
         "club,entries,swimmers,relays,total,currency,100 Free,200 IM,swimmer fee (session 2)\r\n"
         "Otters,3,2,0,28.00,EUR,16.00,10.00,2.00\r\n"},
        {"a relay fee a team, each club its own row, columns for lines any club has",
         "<FEE type=\"RELAY\" currency=\"EUR\" value=\"300\"/>", "",
         Club("Otters", Swimmer("1", Entry("1")),
              Relay("1", Entry("2", "00:02:00.00")) + Relay("2", Entry("2", "00:02:10.00"))) +
             Club("Seals", Swimmer("4", Entry("3"))),
         "club,entries,swimmers,relays,total,currency,100 Free,4x50 Free,relay fee,200 IM\r\n"
         "Otters,3,1,2,46.00,EUR,8.00,32.00,6.00,0.00\r\n"
         "Seals,1,1,0,10.00,EUR,0.00,0.00,0.00,10.00\r\n"},
        {"a club without an accepted entry has no row", "<FEE type=\"CLUB\" value=\"2500\"/>", "",
         Club("Otters", Swimmer("1", Entry("1", "NT"))),
         "club,entries,swimmers,relays,total,currency\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FeesCsvOf(FeesMeet(c.meetFees, c.sessionFees, c.clubs)), c.csv) << c.name;
    }
}

TEST(Fees, FeesThatCannotBeAddedUpAreTold) {
    std::vector<std::string> problems;
    const std::string csv =
        FeesCsvOf(FeesMeet("<FEE type=\"CLUB\" currency=\"EUR\" value=\"12.50\"/>"
                           "<FEE type=\"ATHLETE\" currency=\"GBP\" value=\"100\"/>",
                           "", Club("Otters", Swimmer("1", Entry("1")))),
                  &problems);
    EXPECT_EQ(csv, "club,entries,swimmers,relays,total,currency,100 Free,swimmer fee\r\n"
                   "Otters,1,1,0,9.00,EUR,8.00,1.00\r\n");
    ASSERT_EQ(problems.size(), 2U);
    EXPECT_EQ(problems[0], "fees.lef: MEET FEE value '12.50' is not a whole number of cents; the "
                           "fee is left out");
    EXPECT_EQ(problems[1], "Otters: fees in EUR and GBP are added up as one");
}

TEST(Fees, MoneyInTheCurrencysUnits) {
    const struct {
        long cents;
        const char* text;
    } cases[] = {{0, "0.00"},         {5, "0.05"},   {4250, "42.50"},
                 {123456, "1234.56"}, {-5, "-0.05"}, {-250, "-2.50"}};
    for (const auto& c : cases) {
        EXPECT_EQ(et::meet::MoneyText(c.cents), c.text) << c.cents;
    }
}

} // namespace

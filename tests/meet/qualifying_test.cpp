// Qualifying times and the qualifying swim: times as swimmers write them, qualifying times from a
// spreadsheet table against the same lists in Lenex, and the table's bad rows.

#include "meet/entry_check.hpp"
#include "meet/lenex_values.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using et::meet::AddStandardsFile;
using et::meet::CheckEntries;
using et::meet::ReadMeetBytes;
using et::meet::ReportCsv;

// A meet in a 25 metre pool, one club; events 1 to 3 are the 100 Free, 1500 Free and 200 IM.
std::string Meet(const std::string& entries, const std::string& course = "SCM") {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><CONSTRUCTOR name="Tests" version="1" />
<MEETS><MEET name="Open" city="Leeds" course=")" +
           course + R"(">
<AGEDATE type="YEAR" value="2026-12-31" />
<SESSIONS><SESSION number="1" date="2026-03-07"><EVENTS>
<EVENT eventid="1"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE" /></EVENT>
<EVENT eventid="2"><SWIMSTYLE distance="1500" relaycount="1" stroke="FREE" /></EVENT>
<EVENT eventid="3"><SWIMSTYLE distance="200" relaycount="1" stroke="MEDLEY" /></EVENT>
</EVENTS></SESSION></SESSIONS>
<CLUBS><CLUB name="Otters"><ATHLETES>
<ATHLETE athleteid="1" lastname="Doe" firstname="Jo" gender="F" birthdate="2012-05-01">
<ENTRIES>)" +
           entries +
           R"(</ENTRIES></ATHLETE></ATHLETES></CLUB></CLUBS>
</MEET></MEETS></LENEX>
)";
}

TEST(SwimmersTimes, LenexTimesAsSwimmersWriteThem) {
    const struct {
        const char* lenex;
        const char* swimmers;
    } cases[] = {
        {"00:01:22.55", "1:22.55"},
        {"00:00:36.83", "36.83"},
        {"00:00:05.00", "5.00"},
        {"00:10:00.00", "10:00.00"},
        {"01:02:03.45", "1:02:03.45"},
        {"12:00:00.00", "12:00:00.00"},
        {"NT", "NT"},
        {"", ""},
        {"1:22.55", "1:22.55"},
        {"00:61:00.00", "00:61:00.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(et::meet::SwimmersTime(c.lenex), c.swimmers) << c.lenex;
    }
}

TEST(SwimmersTimes, MeetPackTimesRead) {
    const struct {
        const char* text;
        long hundredths; // -1: refused
    } cases[] = {
        {"1:02.34", 6234},   {"62.34", 6234},       {"00:01:02.34", 6234}, {"1:02:03.45", 372345},
        {"16:30.00", 99000}, {"9.99", 999},         {"1:2.34", -1},        {"1:62.34", -1},
        {"1:02.3", -1},      {"1:02", -1},          {"1:02.345", -1},      {"", -1},
        {"NT", -1},          {"1:02:03:04.00", -1}, {"a1.00", -1},         {".34", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(et::meet::ParseSwimTime(c.text).value_or(-1), c.hundredths) << c.text;
    }
}

// The report of the meet with one further file of qualifying times added.
std::string ReportWith(const std::string& meet, const std::string& standards,
                       const std::string& name) {
    auto read = ReadMeetBytes(meet, "meet.lef");
    EXPECT_TRUE(read.meet) << read.error;
    if (!read.meet) {
        return {};
    }
    const std::string error = AddStandardsFile(*read.meet, standards, name);
    EXPECT_EQ(error, "") << name;
    return ReportCsv(CheckEntries(*read.meet).rows);
}

TEST(StandardsTable, TheSameListsAsLenexAndAsCsvGiveTheSameReport) {
    const std::string meet = Meet(R"(<ENTRY eventid="1" entrytime="00:01:01.00" entrycourse="LCM" />
<ENTRY eventid="2" entrytime="00:17:40.00" />
<ENTRY eventid="3" entrytime="00:02:40.00" entrycourse="SCM" />)");
    const std::string lenex = R"(<?xml version="1.0"?>
<LENEX version="3.0"><CONSTRUCTOR name="Federation" version="1" /><TIMESTANDARDLISTS>
<TIMESTANDARDLIST timestandardlistid="County" name="County" course="LCM" gender="F">
<AGEGROUP agemin="13" agemax="14" /><TIMESTANDARDS>
<TIMESTANDARD swimtime="00:01:02.34"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE" /></TIMESTANDARD>
<TIMESTANDARD swimtime="00:18:00.00"><SWIMSTYLE distance="1500" relaycount="1" stroke="FREE" /></TIMESTANDARD>
</TIMESTANDARDS></TIMESTANDARDLIST>
<TIMESTANDARDLIST timestandardlistid="Regional" name="Regional" course="SCM" gender="X" type="MAXIMUM">
<TIMESTANDARDS>
<TIMESTANDARD swimtime="00:00:58.00"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE" /></TIMESTANDARD>
<TIMESTANDARD swimtime="00:02:35.00"><SWIMSTYLE distance="200" relaycount="1" stroke="MEDLEY" /></TIMESTANDARD>
</TIMESTANDARDS></TIMESTANDARDLIST>
</TIMESTANDARDLISTS></LENEX>
)";
    // Columns in another order, a pool and a Lenex code for the course, all three time forms.
    const std::string csv = "\xEF\xBB\xBF"
                            "event,time,list,gender,course,agemin,agemax,type\r\n"
                            "100 Free,1:02.34,County,F,50m,13,14,\r\n"
                            "100 Free,58.00,Regional,X,SCM,,-1,MAXIMUM\r\n"
                            "\r\n"
                            "1500 free,00:18:00.00,County,f,LCM,13,14,\r\n"
                            "200 IM,2:35.00,Regional,X,25 metres,-1,,maximum\r\n";
    const std::string fromLenex = ReportWith(meet, lenex, "lists.lef");
    EXPECT_NE(fromLenex.find("County"), std::string::npos);
    EXPECT_NE(fromLenex.find("Regional"), std::string::npos);
    EXPECT_EQ(ReportWith(meet, csv, "lists.csv"), fromLenex);
}

TEST(StandardsTable, ABadTableIsRefusedWithItsLineAndNothingAdded) {
    const std::string header = "list,gender,agemin,agemax,course,event,time\n";
    const std::string good = "County,F,,,LCM,100 Free,1:02.34\n";
    const struct {
        std::string table;
        std::string message;
    } cases[] = {
        {"", "t.csv:1: no header line: the header line names the columns list, gender, agemin, "
             "agemax, course, event and time (and type if wanted)"},
        {"list,gender,agemin,agemax,course,time\n" + good,
         "t.csv:1: no column 'event': the header line names the columns list, gender, agemin, "
         "agemax, course, event and time (and type if wanted)"},
        {"list,gender,agemin,agemax,course,event,time,Event\n" + good,
         "t.csv:1: the column 'event' is named twice"},
        {header, "t.csv:1: the table holds no qualifying times"},
        {header + good + "County,F,,,LCM,100 Fast,1:02.34\n",
         "t.csv:3: unknown event '100 Fast' (a distance and a stroke of an individual event, like "
         "100 Free or 200 IM)"},
        {header + good + "County,F,,,LCX,100 Free,1:02.34\n",
         "t.csv:3: unknown course 'LCX' (a Lenex course such as LCM or SCM, or a pool such as 25m "
         "or 50 metres)"},
        {header + good + "County,F,,,LCM,200 Free,1:2.34\n",
         "t.csv:3: time '1:2.34' is no swim time like 1:02.34, 62.34 or 00:01:02.34"},
        {header + good + "County,F,,,LCM,200 Free,\n",
         "t.csv:3: time '' is no swim time like 1:02.34, 62.34 or 00:01:02.34"},
        {header + good + "County,W,,,LCM,200 Free,2:10.00\n",
         "t.csv:3: gender 'W' is not M, F or X"},
        {header + good + "County,F,twelve,,LCM,200 Free,2:10.00\n",
         "t.csv:3: agemin 'twelve' is no age (a whole number; empty or -1 for no bound)"},
        {header + good + "County,F,15,14,LCM,200 Free,2:10.00\n",
         "t.csv:3: agemin 15 is above agemax 14"},
        {header + good + ",F,,,LCM,200 Free,2:10.00\n", "t.csv:3: no list name"},
        {header + good + "County,F,,,LCM,100 freestyle,1:01.00\n",
         "t.csv:3: the 100 Free of this list is already on line 2"},
        {"list,gender,agemin,agemax,course,event,time,type\n" + good.substr(0, good.size() - 1) +
             ",DEFAULT\n",
         "t.csv:2: type 'DEFAULT' is not MAXIMUM or MINIMUM"},
        {header + good + "County,F,,,LCM,\"200 Free,2:10.00\n",
         "t.csv:3: quoted field is never closed"},
        {"<LENEX><MEETS>", "t.csv:1:14: not well-formed XML: Start-end tags mismatch"},
    };
    for (const auto& c : cases) {
        auto read =
            ReadMeetBytes(Meet(R"(<ENTRY eventid="1" entrytime="00:01:01.00" />)"), "m.lef");
        ASSERT_TRUE(read.meet) << read.error;
        const std::size_t before = read.meet->lists.size();
        const std::string error = AddStandardsFile(*read.meet, c.table, "t.csv");
        EXPECT_EQ(error.substr(0, c.message.size()), c.message) << c.table;
        EXPECT_FALSE(error.empty()) << c.table;
        EXPECT_EQ(read.meet->lists.size(), before) << c.table;
    }
}

} // namespace

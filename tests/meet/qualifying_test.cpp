// The qualifying swim and qualifying times: the course of an entry time from its three places,
// the swim checked when MEETINFO gives one, a converted meet checked again, times as swimmers
// write them, qualifying times from a spreadsheet table against the same lists in Lenex, and the
// table's bad rows. The converted meet's MEETINFO is in the golden meets (masters-scm).

#include "check/swim_values.hpp"
#include "lenex/converted_meet.hpp"
#include "lenex/lenex_entries.hpp"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <random>
#include <string>
#include <utility>

namespace {

using et::meet::AddStandardsFile;
using et::meet::CheckEntries;
using et::meet::ReadMeetBytes;
using et::meet::ReportCsv;
using et::meet::Verdict;

// A meet in a 25 metre pool, one club; events 1 to 3 are the 100 Free, 1500 Free and 200 IM, 4
// the 4x100 Free relay. The lists, if any, go at the end.
std::string Meet(const std::string& entries, const std::string& relayEntries = "",
                 const std::string& lists = "") {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><CONSTRUCTOR name="Tests" version="1" />
<MEETS><MEET name="Open" city="Leeds" course="SCM">
<AGEDATE type="YEAR" value="2026-12-31" />
<SESSIONS><SESSION number="1" date="2026-03-07"><EVENTS>
<EVENT eventid="1"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE" /></EVENT>
<EVENT eventid="2"><SWIMSTYLE distance="1500" relaycount="1" stroke="FREE" /></EVENT>
<EVENT eventid="3"><SWIMSTYLE distance="200" relaycount="1" stroke="MEDLEY" /></EVENT>
<EVENT eventid="4"><SWIMSTYLE distance="100" relaycount="4" stroke="FREE" /></EVENT>
</EVENTS></SESSION></SESSIONS>
<CLUBS><CLUB name="Otters"><ATHLETES>
<ATHLETE athleteid="1" lastname="Doe" firstname="Jo" gender="F" birthdate="2012-05-01">
<ENTRIES>)" +
           entries +
           R"(</ENTRIES></ATHLETE></ATHLETES>
<RELAYS><RELAY number="1" gender="F"><ENTRIES>)" +
           relayEntries + R"(</ENTRIES></RELAY></RELAYS></CLUB></CLUBS>
</MEET></MEETS><TIMESTANDARDLISTS>)" +
           lists + R"(</TIMESTANDARDLISTS></LENEX>
)";
}

// A short course list for the 100 Free.
const std::string kList = R"(<TIMESTANDARDLIST timestandardlistid="1" name="County" course="SCM">
<TIMESTANDARDS><TIMESTANDARD swimtime="00:00:59.50">
<SWIMSTYLE distance="100" relaycount="1" stroke="FREE" /></TIMESTANDARD>
<TIMESTANDARD swimtime="00:04:00.00"><SWIMSTYLE distance="100" relaycount="4" stroke="FREE" />
</TIMESTANDARD></TIMESTANDARDS></TIMESTANDARDLIST>)";

TEST(QualifyingSwim, TheCourseOfTheEntryTimeAndTheSwimChecked) {
    // Jo's 100 Free in 1:00.00: in 25 metres it misses the County time of 59.50; swum in 50
    // metres it is 58.6 in 25 metres and meets it.
    const std::string lcmEntry = R"(<ENTRY eventid="1" entrytime="00:01:00.00" entrycourse="LCM")";
    const std::string entry = R"(<ENTRY eventid="1" entrytime="00:01:00.00")";
    const struct {
        const char* name;
        std::string entry; // individual unless it is event 4
        const char* entryCourse;
        const char* converted;
        et::meet::Verdict verdict;
        const char* reason;
        const char* qualifyingTime;
        const char* qualifyingCourse;
    } cases[] = {
        {"the event's course", entry + " />", "SCM", "", Verdict::Misses, "slower by 0.50 s", "",
         ""},
        {"entrycourse", lcmEntry + " />", "LCM", "58.6", Verdict::Meets, "(58.6 in SCM)", "", ""},
        {"MEETINFO's course", entry + R"(><MEETINFO course="LCM" city="Rome" /></ENTRY>)", "LCM",
         "58.6", Verdict::Meets, "(58.6 in SCM)", "", ""},
        {"entrycourse and MEETINFO agree", lcmEntry + R"(><MEETINFO course="LCM" /></ENTRY>)",
         "LCM", "58.6", Verdict::Meets, "(58.6 in SCM)", "", ""},
        {"a qualification time: MEETINFO's course is the qualifying swim's",
         entry + R"(><MEETINFO course="LCM" qualificationtime="00:01:00.00" /></ENTRY>)", "SCM", "",
         Verdict::Meets, "(58.6 in SCM)", "00:01:00.00", "LCM"},
        {"a qualification time slower than the entry time",
         lcmEntry + R"(><MEETINFO course="SCM" qualificationtime="00:00:59.60" /></ENTRY>)", "LCM",
         "", Verdict::Misses, "slower by 0.10 s; entry time kept as it was, in LCM", "00:00:59.60",
         "SCM"},
        {"a qualification time in the entry time's course",
         R"(<ENTRY eventid="1" entrytime="00:00:59.00" entrycourse="SCM"><MEETINFO )"
         R"(qualificationtime="00:01:00.00" /></ENTRY>)",
         "SCM", "", Verdict::Misses, "slower by 0.50 s", "00:01:00.00", "SCM"},
        {"disagreeing courses",
         R"(<ENTRY eventid="1" entrytime="00:01:00.00" entrycourse="SCM">)"
         R"(<MEETINFO course="LCM" /></ENTRY>)",
         "SCM", "", Verdict::Error,
         "entrycourse 'SCM' and MEETINFO course 'LCM' disagree on the pool the entry time was "
         "swum in; the entry is not converted",
         "", ""},
        {"MEETINFO course unknown", entry + R"(><MEETINFO course="50m" /></ENTRY>)", "", "",
         Verdict::Error, "MEETINFO course '50m' is no Lenex course", "", ""},
        {"qualificationtime no swim time",
         entry + R"(><MEETINFO course="LCM" qualificationtime="1:00.00" /></ENTRY>)", "", "",
         Verdict::Error,
         "MEETINFO qualificationtime '1:00.00' is no Lenex swim time like 00:01:02.34", "", ""},
        {"a relay swum in 50 metres",
         R"(<ENTRY eventid="4" entrytime="00:03:50.00"><MEETINFO course="LCM" /></ENTRY>)", "LCM",
         "", Verdict::NotConverted, "relays are not converted", "", ""},
        {"a relay's qualification time",
         R"(<ENTRY eventid="4" entrytime="00:03:50.00"><MEETINFO course="SCM" )"
         R"(qualificationtime="00:04:01.00" /></ENTRY>)",
         "SCM", "", Verdict::Misses, "slower by 1.00 s", "00:04:01.00", "SCM"},
    };
    for (const auto& c : cases) {
        const bool relay = c.entry.find("eventid=\"4\"") != std::string::npos;
        const std::string meet = relay ? Meet("", c.entry, kList) : Meet(c.entry, "", kList);
        const auto read = ReadMeetBytes(meet, "m.lef");
        ASSERT_TRUE(read.meet) << read.error;
        const auto result = CheckEntries(*read.meet);
        ASSERT_EQ(result.rows.size(), 1U) << c.name;
        const et::meet::ReportRow& row = result.rows[0];
        EXPECT_EQ(row.verdict, c.verdict) << c.name << ": " << row.reason;
        EXPECT_NE(row.reason.find(c.reason), std::string::npos) << c.name << ": " << row.reason;
        if (c.verdict != Verdict::Error || *c.entryCourse != '\0') {
            EXPECT_EQ(row.entry_course, c.entryCourse) << c.name;
        }
        EXPECT_EQ(row.converted_time, c.converted) << c.name;
        EXPECT_EQ(result.conversions.size(), *c.converted == '\0' ? 0U : 1U) << c.name;
        EXPECT_EQ(row.qualifying_time, c.qualifyingTime) << c.name;
        EXPECT_EQ(row.qualifying_course, c.qualifyingCourse) << c.name;
    }
}

TEST(EntryCheck, StatusesZeroTimesTheCourseChosenAndTheSwimJudged) {
    // Jo's entries in the 25 metre meet against the County time of 59.50 in 25 metres.
    const struct {
        const char* name;
        std::string entry;
        std::optional<std::string> course; // the pool chosen for the meet
        Verdict verdict;
        const char* reason;
        const char* entryCourse;
        const char* converted;
        const char* judged; // judged_time, judged_course, standard_course, judged_converted
    } cases[] = {
        {"withdrawn",
         R"(<ENTRY eventid="1" entrytime="00:00:58.00" status="WDR" />)",
         {},
         Verdict::Withdrawn,
         "entry status WDR: withdrawn",
         "SCM",
         "",
         ",,,"},
        {"withdrawn, swum in MEETINFO's course",
         R"(<ENTRY eventid="1" entrytime="00:01:00.00" status="WDR"><MEETINFO course="LCM" />)"
         R"(</ENTRY>)",
         {},
         Verdict::Withdrawn,
         "withdrawn",
         "LCM",
         "",
         ",,,"},
        {"withdrawn, MEETINFO's course that of another qualifying swim",
         R"(<ENTRY eventid="1" entrytime="00:00:59.00" status="WDR"><MEETINFO course="LCM" )"
         R"(qualificationtime="00:01:00.00" /></ENTRY>)",
         {},
         Verdict::Withdrawn,
         "withdrawn",
         "SCM",
         "",
         ",,,"},
        {"withdrawn in the pool chosen: the file's course of the entry time",
         R"(<ENTRY eventid="1" entrytime="00:00:58.00" status="WDR" />)", "LCM", Verdict::Withdrawn,
         "withdrawn", "SCM", "", ",,,"},
        {"rejected, swum in 50 metres",
         R"(<ENTRY eventid="1" entrytime="00:01:00.00" entrycourse="LCM" status="RJC" />)",
         {},
         Verdict::Withdrawn,
         "entry status RJC: rejected",
         "LCM",
         "",
         ",,,"},
        {"did not start",
         R"(<ENTRY eventid="1" entrytime="00:00:58.00" status="DNS" />)",
         {},
         Verdict::Withdrawn,
         "entry status DNS: did not start",
         "SCM",
         "",
         ",,,"},
        {"a status the format does not know",
         R"(<ENTRY eventid="1" entrytime="00:00:58.00" status="late" />)",
         {},
         Verdict::Withdrawn,
         "entry status late: a status the format does not document",
         "SCM",
         "",
         ",,,"},
        {"the status before the error",
         R"(<ENTRY eventid="9" entrytime="1:00" status="WDR" />)",
         {},
         Verdict::Withdrawn,
         "entry status WDR: withdrawn",
         "",
         "",
         ",,,"},
        {"an exhibition swim is judged",
         R"(<ENTRY eventid="1" entrytime="00:00:58.00" status="EXH" />)",
         {},
         Verdict::Meets,
         "entry status EXH",
         "SCM",
         "",
         "00:00:58.00,SCM,SCM,"},
        {"a zero entry time",
         R"(<ENTRY eventid="1" entrytime="00:00:00.00" />)",
         {},
         Verdict::NoTime,
         "00:00:00.00 stands for no time",
         "",
         "",
         ",,,"},
        {"a zero entry time from 50 metres",
         R"(<ENTRY eventid="1" entrytime="00:00:00.00" entrycourse="LCM" />)",
         {},
         Verdict::NoTime,
         "no time",
         "LCM",
         "",
         ",,,"},
        {"a zero qualification time: the entry time in MEETINFO's course",
         R"(<ENTRY eventid="1" entrytime="00:01:00.00"><MEETINFO course="LCM" )"
         R"(qualificationtime="00:00:00.00" /></ENTRY>)",
         {},
         Verdict::Meets,
         "(58.6 in SCM)",
         "LCM",
         "58.6",
         "00:01:00.00,LCM,SCM,58.6"},
        {"the pool chosen keeps the file's course of the entry time",
         R"(<ENTRY eventid="1" entrytime="00:01:00.00" />)", "LCM", Verdict::Misses,
         "slower by 0.50 s", "SCM", "1.01.4", "00:01:00.00,SCM,SCM,"},
        {"the qualifying swim judged in the list's pool",
         R"(<ENTRY eventid="1" entrytime="00:00:59.00" entrycourse="SCM"><MEETINFO course="LCM" )"
         R"(qualificationtime="00:01:00.00" /></ENTRY>)",
         "LCM", Verdict::Meets, "(58.6 in SCM)", "SCM", "", "00:01:00.00,LCM,SCM,58.6"},
    };
    for (const auto& c : cases) {
        const auto read = ReadMeetBytes(Meet(c.entry, "", kList), "m.lef");
        ASSERT_TRUE(read.meet) << read.error;
        const auto result = CheckEntries(*read.meet, c.course);
        ASSERT_EQ(result.rows.size(), 1U) << c.name;
        const et::meet::ReportRow& row = result.rows[0];
        EXPECT_EQ(row.verdict, c.verdict) << c.name << ": " << row.reason;
        EXPECT_NE(row.reason.find(c.reason), std::string::npos) << c.name << ": " << row.reason;
        EXPECT_EQ(row.entry_course, c.entryCourse) << c.name;
        EXPECT_EQ(row.converted_time, c.converted) << c.name;
        EXPECT_EQ(result.conversions.size(), *c.converted == '\0' ? 0U : 1U) << c.name;
        EXPECT_EQ(row.judged_time + "," + row.judged_course + "," + row.standard_course + "," +
                      row.judged_converted,
                  c.judged)
            << c.name;
    }
}

TEST(QualifyingSwim, AConvertedMeetCheckedAgainGivesTheSameVerdicts) {
    // Entries in every pool and every form a meet file gives their course in, against lists in
    // 25 and 50 metres whose times lie within hundredths of the swims.
    std::mt19937 random(18);
    const auto pick = [&random](unsigned long count) { return random() % count; };
    const std::array<const char*, 6> courses = {"LCM", "SCM", "SCY", "SCM33", "SCY27", "SCM20"};
    const std::array<long, 3> base = {6000, 108000, 14500}; // 100 Free, 1500 Free, 200 IM
    const auto time = [&](std::size_t event) {
        return et::meet::LenexTimeText(base[event] - 300 + static_cast<long>(pick(600)));
    };
    std::string entries;
    for (int i = 0; i < 300; ++i) {
        const std::size_t event = pick(3);
        const std::string course = courses[pick(courses.size())];
        const std::string start = "<ENTRY eventid=\"" + std::to_string(event + 1) +
                                  "\" entrytime=\"" + time(event) + "\"";
        const std::string qualification = "qualificationtime=\"" + time(event) + "\"";
        switch (pick(5)) {
        case 0:
            entries += start + " entrycourse=\"" + course + "\" />\n";
            break;
        case 1:
            entries += start + "><MEETINFO course=\"" + course + "\" /></ENTRY>\n";
            break;
        case 2:
            entries += start + " entrycourse=\"" + course + "\"><MEETINFO course=\"" + course +
                       "\" city=\"Rome\" /></ENTRY>\n";
            break;
        case 3:
            entries += start + " entrycourse=\"" + course + "\"><MEETINFO " + qualification +
                       " course=\"" + courses[pick(courses.size())] + "\" /></ENTRY>\n";
            break;
        default:
            entries += start + " entrycourse=\"" + course + "\"><MEETINFO " + qualification +
                       " /></ENTRY>\n";
            break;
        }
    }
    std::string lists;
    for (const char* course : {"SCM", "LCM"}) {
        lists += std::string("<TIMESTANDARDLIST timestandardlistid=\"") + course + "\" name=\"" +
                 course + "\" course=\"" + course + "\"><TIMESTANDARDS>";
        const std::array<const char*, 3> styles = {R"(distance="100" stroke="FREE")",
                                                   R"(distance="1500" stroke="FREE")",
                                                   R"(distance="200" stroke="MEDLEY")"};
        for (std::size_t event = 0; event < styles.size(); ++event) {
            lists += "<TIMESTANDARD swimtime=\"" + time(event) + "\"><SWIMSTYLE " + styles[event] +
                     " relaycount=\"1\" /></TIMESTANDARD>";
        }
        lists += "</TIMESTANDARDS></TIMESTANDARDLIST>\n";
    }
    const auto first = ReadMeetBytes(Meet(entries, "", lists), "m.lef");
    ASSERT_TRUE(first.meet) << first.error;
    const auto checked = CheckEntries(*first.meet);
    EXPECT_GT(checked.counts.converted, 100U);
    EXPECT_GT(checked.counts.meeting, 30U);
    EXPECT_GT(checked.counts.missing, 30U);
    const auto [document, error] = et::meet::ConvertedDocument(*first.meet, checked);
    ASSERT_EQ(error, "");
    const auto second = ReadMeetBytes(document, "converted.lef");
    ASSERT_TRUE(second.meet) << second.error;
    const auto again = CheckEntries(*second.meet);
    EXPECT_EQ(again.counts.converted, 0U);
    EXPECT_TRUE(again.conversions.empty());
    ASSERT_EQ(again.rows.size(), checked.rows.size());
    for (std::size_t i = 0; i < again.rows.size(); ++i) {
        const et::meet::ReportRow& before = checked.rows[i];
        const et::meet::ReportRow& after = again.rows[i];
        EXPECT_EQ(after.verdict, before.verdict) << i << ": " << before.reason;
        EXPECT_EQ(after.standard, before.standard) << i;
        EXPECT_EQ(after.reason, before.reason) << i; // the margin, and the swim converted
        EXPECT_EQ(after.course, before.course) << i;
    }
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

// The report of the meet with one further file of qualifying times added, and how many lists
// that file holds.
std::pair<std::string, std::size_t>
ReportWith(const std::string& meet, const std::string& standards, const std::string& name) {
    auto read = ReadMeetBytes(meet, "meet.lef");
    EXPECT_TRUE(read.meet) << read.error;
    if (!read.meet) {
        return {};
    }
    const std::string error = AddStandardsFile(*read.meet, standards, name);
    EXPECT_EQ(error, "") << name;
    return {ReportCsv(CheckEntries(*read.meet).rows), read.meet->lists.size()};
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
                            "100 Free,58.00,Regional,X,SCM,,-1,\r\n"
                            "\r\n"
                            "1500 free,00:18:00.00,County,f,LCM,13,14,\r\n"
                            "200 IM,2:35.00,Regional,X,25 metres,-1,,maximum\r\n";
    const auto fromLenex = ReportWith(meet, lenex, "lists.lef");
    EXPECT_EQ(fromLenex.second, 2U);
    EXPECT_NE(fromLenex.first.find("County"), std::string::npos);
    EXPECT_NE(fromLenex.first.find("Regional"), std::string::npos);
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

// The invitation's rules beyond the time: the qualifying period, who may swim an event, the
// entry limits, each alone on plain values and together in small meets.

#include "check/invitation_rules.hpp"
#include "lenex/lenex_entries.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using et::meet::AgeGroup;
using et::meet::Date;
using et::meet::Event;
using et::meet::LimitedEntry;
using et::meet::MeetPart;
using et::meet::Owner;
using et::meet::Verdict;

Owner Swimmer(const char* gender) {
    Owner owner;
    owner.gender = gender;
    return owner;
}

Owner Team(const char* gender, long agemin, long agemax, long totalmin = -1, long totalmax = -1) {
    Owner owner = Swimmer(gender);
    owner.relay = true;
    owner.agemin = agemin;
    owner.agemax = agemax;
    owner.agetotalmin = totalmin;
    owner.agetotalmax = totalmax;
    return owner;
}

TEST(InvitationRules, QualifyingPeriodBothDaysIncluded) {
    const Date from{2025, 9, 1};
    const Date until{2026, 4, 30};
    const struct {
        Date until;
        Date swum;
        const char* reason;
    } cases[] = {
        {until,
         {2025, 8, 14},
         "swum 2025-08-14, before the qualifying period 2025-09-01 to "
         "2026-04-30"},
        {until, {2025, 9, 1}, ""},
        {until, {2026, 4, 30}, ""},
        {until,
         {2026, 5, 1},
         "swum 2026-05-01, after the qualifying period 2025-09-01 to "
         "2026-04-30"},
        {{}, {2030, 1, 1}, ""},
        {{}, {2025, 8, 31}, "swum 2025-08-31, before the qualifying period from 2025-09-01"},
        {until, {}, ""}, // no date: EntryRules notes it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(et::meet::PeriodRule(from, c.until, c.swum), c.reason) << c.reason;
    }
    EXPECT_EQ(et::meet::PeriodRule({}, until, {2020, 1, 1}), "") << "no period";
}

TEST(InvitationRules, WithoutUntilThePeriodEndsTheDayBeforeTheMeet) {
    const struct {
        const char* sessions; // dates of the sessions, in the file's order
        const char* until;
    } cases[] = {
        {"2026-03-07", "2026-03-06"},
        {"2026-03-01", "2026-02-28"},
        {"2024-03-01", "2024-02-29"},
        {"2026-01-01", "2025-12-31"},
        {"2026-05-01", "2026-04-30"},
        {"2026-03-08 2026-03-07", "2026-03-06"},
        {"2026-03-07 2026-03-08", "2026-03-06"},
    };
    for (const auto& c : cases) {
        std::string sessions;
        std::istringstream dates(c.sessions);
        for (std::string date; dates >> date;) {
            sessions += "<SESSION date=\"" + date + "\"/>";
        }
        const auto read = et::meet::ReadMeetBytes(
            "<LENEX version=\"3.0\"><MEETS><MEET name=\"M\"><QUALIFY from=\"2025-09-01\"/>"
            "<SESSIONS>" +
                sessions + "</SESSIONS></MEET></MEETS></LENEX>",
            "until.lef");
        ASSERT_TRUE(read.meet) << read.error;
        EXPECT_EQ(et::meet::DateText(read.meet->parts.at(0).qualifyUntil), c.until) << c.sessions;
    }
}

TEST(InvitationRules, TheEventsGender) {
    const struct {
        const char* event;
        Owner entrant;
        const char* reason;
    } cases[] = {
        {"F", Swimmer("M"), "a male swimmer in a women's event"},
        {"M", Swimmer("F"), "a female swimmer in a men's event"},
        {"F", Swimmer("F"), ""},
        {"", Swimmer("M"), ""},
        {"A", Swimmer("M"), ""},
        {"X", Team("M", -1, -1), ""},
        {"F", Team("X", -1, -1), "a mixed team in a women's event"},
        {"M", Swimmer(""), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(et::meet::GenderRule(c.event, c.entrant), c.reason) << c.event << c.reason;
    }
}

TEST(InvitationRules, TheEventsAgeGroups) {
    const std::vector<AgeGroup> juniors = {{"1", 10, 12, "", false}, {"2", 13, 15, "", false}};
    const std::vector<AgeGroup> byGender = {{"1", 11, 12, "F", false}, {"2", 11, 12, "M", false}};
    const std::vector<AgeGroup> girls = {{"1", -1, 8, "F", false}, {"2", 11, 12, "F", false}};
    const std::vector<AgeGroup> open = {{"", -1, -1, "", false}};
    const std::vector<AgeGroup> youngTeams = {{"", -1, 12, "", false}, {"", 19, -1, "", false}};
    const std::vector<AgeGroup> girlsTeams = {{"", -1, 12, "F", false}};
    const std::vector<AgeGroup> mastersTeams = {{"", 100, 119, "", true}, {"", 120, 159, "", true}};
    const struct {
        const std::vector<AgeGroup>* groups;
        Owner entrant;
        std::optional<int> age;
        const char* agegroupid;
        const char* reason;
    } cases[] = {
        {&juniors, Swimmer("M"), 16, "",
         "age 16, in none of the event's age groups (10-12, 13-15)"},
        {&juniors, Swimmer("M"), 12, "", ""},
        {&juniors, Swimmer("M"), 13, "", ""},
        {&juniors, Swimmer("M"), 9, "", "age 9, in none of the event's age groups (10-12, 13-15)"},
        {&juniors, Swimmer("M"), 12, "2", "age 12, not in the entry's age group 13-15"},
        {&juniors, Swimmer("M"), 14, "2", ""},
        {&byGender, Swimmer("M"), 11, "", ""},
        {&byGender, Swimmer("F"), 11, "2",
         "age 11, female, not in the entry's age group 11-12 men"},
        {&girls, Swimmer("M"), 11, "",
         "age 11, male, in none of the event's age groups (up to 8 women, 11-12 women)"},
        {&girls, Swimmer("F"), 7, "", ""},
        {&open, Swimmer("F"), 40, "", ""},
        {&juniors, Swimmer("F"), std::nullopt, "", ""}, // no age: EntryRules notes it
        {&youngTeams, Team("F", 13, 15), std::nullopt, "",
         "a team of 13-15, in none of the event's age groups (up to 12, 19 and over)"},
        {&youngTeams, Team("F", 19, 24), std::nullopt, "", ""},
        {&youngTeams, Team("F", -1, -1), std::nullopt, "", ""},
        {&girlsTeams, Team("X", -1, -1), std::nullopt, "",
         "a team, mixed, in none of the event's age groups (up to 12 women)"},
        {&mastersTeams, Team("M", 25, 40, 120, 140), std::nullopt, "", ""},
        {&mastersTeams, Team("M", 25, 40, 100, 170), std::nullopt, "",
         "a team of ages adding up to 100-170, in none of the event's age groups (100-119, "
         "120-159)"},
        {&mastersTeams, Team("M", 25, 40), std::nullopt, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(et::meet::AgeGroupRule(*c.groups, c.entrant, c.age, c.agegroupid), c.reason)
            << c.reason << " (age " << c.age.value_or(-1) << ")";
    }
}

// A programme of two sessions: events 0 and 1 in the first, 2 and 3 in the second.
std::vector<Event> Programme(long maxentries0) {
    std::vector<Event> events(4);
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i].session = i / 2;
    }
    events[0].maxentries = maxentries0;
    return events;
}

MeetPart Limits(long athlete, long session0Athlete, long relay) {
    MeetPart part;
    part.maxentriesathlete = athlete;
    part.maxentriesrelay = relay;
    part.sessions.resize(2);
    part.sessions[0].number = "1";
    part.sessions[0].maxentriesathlete = session0Athlete;
    part.sessions[1].number = "2";
    return part;
}

TEST(InvitationRules, LimitsInTheirOrder) {
    const std::string eventLimit = "over the event's limit of 2 entries a club";
    const std::string meetLimit = "over the meet's limit of 2 entries a swimmer";
    const std::string sessionLimit = "over session 1's limit of 1 entry a swimmer";
    const std::string relayLimit = "over the meet's limit of 1 relay entry a club";
    const struct {
        const char* name;
        long eventMax;
        MeetPart part;
        std::vector<LimitedEntry> club; // entrant, relay, event, hundredths
        std::vector<std::string> over;
    } cases[] = {
        {"the event's slowest entry goes",
         2,
         Limits(-1, -1, -1),
         {{1, false, 0, 7000}, {2, false, 0, 6000}, {3, false, 0, 6500}},
         {eventLimit, "", ""}},
        {"a tie keeps the file's first, an entry without a time goes first",
         2,
         Limits(-1, -1, -1),
         {{1, false, 0, -1}, {2, false, 0, 6000}, {3, false, 0, 6000}, {4, false, 0, 6000}},
         {eventLimit, "", "", eventLimit}},
        {"a swimmer's entries counted in the programme's order, not the file's",
         -1,
         Limits(2, -1, -1),
         {{1, false, 3, 100}, {1, false, 0, 100}, {1, false, 2, 100}, {2, false, 3, 100}},
         {meetLimit, "", "", ""}},
        {"a session's limit before the meet's",
         -1,
         Limits(2, 1, -1),
         {{1, false, 0, 100}, {1, false, 1, 100}, {1, false, 2, 100}, {1, false, 3, 100}},
         {"", sessionLimit, "", meetLimit}},
        {"an entry over the event's limit takes none of the swimmer's",
         1,
         Limits(2, -1, -1),
         {{2, false, 0, 100}, {1, false, 0, 200}, {1, false, 1, 100}, {1, false, 2, 100}},
         {"", "over the event's limit of 1 entry a club", "", ""}},
        {"relay teams against the club's relay limit, swimmers not",
         -1,
         Limits(1, -1, 1),
         {{5, true, 1, 12000}, {1, false, 0, 100}, {6, true, 3, 11000}},
         {"", "", relayLimit}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(et::meet::LimitsOver(c.part, Programme(c.eventMax), c.club), c.over) << c.name;
    }
}

// A meet whose first session is on 2026-03-07: meetRules inside MEET (QUALIFY...), the events
// of its one session, and its swimmers.
std::string RulesMeet(const std::string& meetAttributes, const std::string& meetRules,
                      const std::string& events, const std::string& athletes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS>"
           "<MEET name=\"Rules\" course=\"LCM\" " +
           meetAttributes + "><AGEDATE type=\"DATE\" value=\"2026-03-07\"/>" + meetRules +
           "<SESSIONS><SESSION number=\"1\" date=\"2026-03-07\"><EVENTS>" + events +
           "</EVENTS></SESSION></SESSIONS><CLUBS><CLUB name=\"Otters\"><ATHLETES>" + athletes +
           "</ATHLETES></CLUB></CLUBS></MEET></MEETS>\n<TIMESTANDARDLISTS><TIMESTANDARDLIST "
           "timestandardlistid=\"1\" name=\"County\" course=\"LCM\"><TIMESTANDARDS>"
           "<TIMESTANDARD swimtime=\"00:01:10.00\"><SWIMSTYLE stroke=\"FREE\" distance=\"100\" "
           "relaycount=\"1\"/></TIMESTANDARD></TIMESTANDARDS></TIMESTANDARDLIST>"
           "</TIMESTANDARDLISTS></LENEX>\n";
}

std::string FreeEvent(const std::string& id, const std::string& attributes = "",
                      const std::string& inside = "") {
    return "<EVENT eventid=\"" + id + "\" " + attributes +
           "><SWIMSTYLE stroke=\"FREE\" distance=\"100\" relaycount=\"1\"/>" + inside + "</EVENT>";
}

// An athlete born on birth with one entry in event: its time and its MEETINFO's attributes.
std::string Athlete(const std::string& id, const std::string& gender, const std::string& birth,
                    const std::string& event, const std::string& time,
                    const std::string& meetinfo = "", const std::string& entry = "") {
    return "<ATHLETE athleteid=\"" + id + "\" lastname=\"Swimmer" + id +
           "\" firstname=\"A\" gender=\"" + gender + "\" birthdate=\"" + birth +
           "\"><ENTRIES><ENTRY eventid=\"" + event + "\" entrytime=\"" + time + "\" " + entry +
           ">" + (meetinfo.empty() ? "" : "<MEETINFO " + meetinfo + "/>") +
           "</ENTRY></ENTRIES></ATHLETE>";
}

struct Checked {
    std::vector<std::pair<Verdict, std::string>> rows; // verdict and reason
    std::vector<std::string> problems;
};

Checked Check(const std::string& document) {
    Checked checked;
    const auto read = et::meet::ReadMeetBytes(document, "rules.lef");
    EXPECT_TRUE(read.meet) << read.error;
    if (read.meet) {
        checked.problems = read.meet->problems;
        for (const auto& row : et::meet::CheckEntries(*read.meet).rows) {
            checked.rows.emplace_back(row.verdict, row.reason);
        }
    }
    return checked;
}

TEST(InvitationRules, InAMeetFile) {
    const std::string fast = "00:01:05.00";
    const std::string slow = "00:01:15.00";
    const std::string girls = FreeEvent("1", "gender=\"F\"");
    const std::string juniors =
        FreeEvent("1", "",
                  "<AGEGROUPS><AGEGROUP agegroupid=\"7\" agemin=\"10\" agemax=\"12\"/><AGEGROUP "
                  "agegroupid=\"8\" agemin=\"13\" agemax=\"15\" gender=\"F\"/></AGEGROUPS>");
    const std::string period = "<QUALIFY from=\"2025-09-01\"/>";
    const std::string limitOfOne = "maxentriesathlete=\"1\"";
    const struct {
        const char* name;
        std::string meetAttributes;
        std::string rules;
        std::string events;
        std::string athletes;
        std::vector<std::pair<Verdict, std::string>> rows;
    } cases[] = {
        {"the period ends the day before the first session",
         "",
         period,
         girls,
         Athlete("1", "F", "2010-05-01", "1", fast, "date=\"2026-03-06\"") +
             Athlete("2", "F", "2010-05-01", "1", fast, "date=\"2026-03-07\""),
         {{Verdict::Meets, ""},
          {Verdict::Ineligible,
           "swum 2026-03-07, after the qualifying period 2025-09-01 to 2026-03-06"}}},
        {"a swim without a date is judged, and says so",
         "",
         period,
         girls,
         Athlete("1", "F", "2010-05-01", "1", slow),
         {{Verdict::Misses,
           "slower by 5.00 s; no swim date to check against the qualifying period"}}},
        {"ineligible before the time verdicts, every rule refusing told",
         "",
         period,
         girls,
         Athlete("1", "M", "2010-05-01", "1", slow, "date=\"2025-08-14\""),
         {{Verdict::Ineligible, "swum 2025-08-14, before the qualifying period 2025-09-01 to "
                                "2026-03-06; a male swimmer in a women's event"}}},
        {"an error before ineligible",
         "",
         "",
         girls,
         Athlete("1", "M", "2010-05-01", "1", "1:05.00"),
         {{Verdict::Error, "rules.lef:2:420: entrytime '1:05.00' is no Lenex swim time like "
                           "00:01:02.34 (hours:minutes:seconds.hundredths)"}}},
        {"a group's own gender, and the group agegroupid names",
         "",
         "",
         juniors,
         Athlete("1", "M", "2014-01-01", "1", fast) + Athlete("2", "M", "2011-01-01", "1", fast) +
             Athlete("3", "F", "2011-01-01", "1", fast) +
             Athlete("4", "F", "2014-01-01", "1", fast, "", "agegroupid=\"8\"") +
             Athlete("5", "F", "2014-01-01", "1", fast, "", "agegroupid=\"9\""),
         {{Verdict::Meets, ""},
          {Verdict::Ineligible, "age 15, male, in none of the event's age groups (10-12, 13-15 "
                                "women)"},
          {Verdict::Meets, ""},
          {Verdict::Ineligible, "age 12, female, not in the entry's age group 13-15 women"},
          {Verdict::Error, "rules.lef:2:1246: ENTRY agegroupid '9' names no age group of event "
                           "1"}}},
        {"a limit counts only the entries the meet would accept",
         limitOfOne,
         "",
         FreeEvent("1") + FreeEvent("2") + FreeEvent("3"),
         "<ATHLETE athleteid=\"1\" lastname=\"Swimmer\" firstname=\"A\" gender=\"F\" "
         "birthdate=\"2010-01-01\"><ENTRIES><ENTRY eventid=\"1\" entrytime=\"" +
             slow + "\"/><ENTRY eventid=\"3\" entrytime=\"" + fast +
             "\"/><ENTRY eventid=\"2\" entrytime=\"" + fast + "\"/></ENTRIES></ATHLETE>",
         {{Verdict::Misses, "slower by 5.00 s"},
          {Verdict::Ineligible, "over the meet's limit of 1 entry a swimmer"},
          {Verdict::Meets, ""}}},
    };
    for (const auto& c : cases) {
        const Checked checked = Check(RulesMeet(c.meetAttributes, c.rules, c.events, c.athletes));
        EXPECT_EQ(checked.rows, c.rows) << c.name;
        EXPECT_TRUE(checked.problems.empty()) << c.name;
    }
}

TEST(InvitationRules, RulesThatCannotBeRead) {
    const std::string entry = Athlete("1", "F", "2010-05-01", "1", "00:01:05.00");
    const struct {
        const char* name;
        std::string rules;
        std::string events;
        std::pair<Verdict, std::string> row;
        std::vector<std::string> problems;
    } cases[] = {
        {"QUALIFY without from",
         "<QUALIFY until=\"2026-01-01\"/>",
         FreeEvent("1"),
         {Verdict::Meets, ""},
         {"rules.lef: QUALIFY has no from; the qualifying period is not checked"}},
        {"QUALIFY from no date",
         "<QUALIFY from=\"1.9.2025\"/>",
         FreeEvent("1"),
         {Verdict::Meets, ""},
         {"rules.lef: QUALIFY from '1.9.2025' is not a date (YYYY-MM-DD); the qualifying period "
          "is not checked"}},
        {"QUALIFY until no date",
         "<QUALIFY from=\"2025-09-01\" until=\"2026-02-30x\"/>",
         FreeEvent("1"),
         {Verdict::Meets, ""},
         {"rules.lef: QUALIFY until '2026-02-30x' is not a date (YYYY-MM-DD); the qualifying "
          "period is not checked"}},
        {"an age bound that is no number",
         "",
         FreeEvent("1", "", "<AGEGROUPS><AGEGROUP agemin=\"ten\" agemax=\"12\"/></AGEGROUPS>"),
         {Verdict::Error,
          "rules.lef:2:469: AGEGROUP agemin 'ten' of event 1 is not a whole number of years"},
         {}},
        {"an event limit that is no number",
         "",
         FreeEvent("1", "maxentries=\"two\""),
         {Verdict::Meets, ""},
         {"rules.lef: EVENT 1 maxentries 'two' is not a whole number; no limit"}},
    };
    for (const auto& c : cases) {
        const Checked checked = Check(RulesMeet("", c.rules, c.events, entry));
        ASSERT_EQ(checked.rows.size(), 1U) << c.name;
        EXPECT_EQ(checked.rows[0], c.row) << c.name;
        EXPECT_EQ(checked.problems, c.problems) << c.name;
    }
}

} // namespace

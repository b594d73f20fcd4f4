// Results files and club entries: which results count, one swimmer across files, the best of a
// tie, which events fit a swimmer, and an entries file that the entry check reads back with every
// entry meeting its standard and nothing left to convert, as .lef and as .lxf.

#include "check/swim_values.hpp"
#include "club/best_times.hpp"
#include "club/season.hpp"
#include "lenex/club_entries.hpp"
#include "lenex/lenex_entries.hpp"
#include "lenex/meet_file.hpp"
#include "lenex/results_file.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using et::meet::AddResults;
using et::meet::Results;

// A results file of one session: events 1 (100 Free), 2 (4x50 Free relay), 3 (100 IM, which has
// no conversion), 4 (200 Back); the athletes' and relays' elements as given.
std::string ResultsLef(const std::string& athletes, const std::string& course = "SCM",
                       const std::string& date = "2026-03-07", const std::string& meet = "Open",
                       const std::string& relays = "") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS>"
           "<MEET name=\"" +
           meet + "\" city=\"Leeds\" course=\"" + course +
           "\"><SESSIONS><SESSION number=\"1\" date=\"" + date +
           "\"><EVENTS>"
           "<EVENT eventid=\"1\"><SWIMSTYLE distance=\"100\" stroke=\"FREE\" relaycount=\"1\"/>"
           "</EVENT>"
           "<EVENT eventid=\"2\"><SWIMSTYLE distance=\"50\" stroke=\"FREE\" relaycount=\"4\"/>"
           "</EVENT>"
           "<EVENT eventid=\"3\"><SWIMSTYLE distance=\"100\" stroke=\"MEDLEY\" relaycount=\"1\"/>"
           "</EVENT>"
           "<EVENT eventid=\"4\"><SWIMSTYLE distance=\"200\" stroke=\"BACK\" relaycount=\"1\"/>"
           "</EVENT>"
           "</EVENTS></SESSION></SESSIONS><CLUBS><CLUB name=\"Mereford &amp; District\" "
           "code=\"LDS\">\n<ATHLETES>" +
           athletes + "</ATHLETES><RELAYS>" + relays +
           "</RELAYS></CLUB></CLUBS></MEET></MEETS></LENEX>\n";
}

std::string Athlete(const std::string& attributes, const std::string& results) {
    return "<ATHLETE " + attributes + "><RESULTS>" + results + "</RESULTS></ATHLETE>\n";
}

const std::string kJo = "lastname=\"Doe\" firstname=\"Jo\" gender=\"F\" birthdate=\"2010-05-01\"";

Results Read(const std::vector<std::string>& files) {
    Results results;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string error = AddResults(results, files[i], "r" + std::to_string(i) + ".lef");
        EXPECT_EQ(error, "");
    }
    return results;
}

TEST(Results, WhichResultsCount) {
    const struct {
        std::string results;
        std::string relays;
        std::size_t swims, notSwum, relayResults, noConversion, unreadable;
    } cases[] = {
        {R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)", "", 1, 0, 0, 0, 0},
        {R"(<RESULT eventid="1" swimtime="00:01:02.00" status="EXH"/>)", "", 1, 0, 0, 0, 0},
        // Heats and final alike.
        {R"(<RESULT eventid="1" swimtime="00:01:02.00"/><RESULT eventid="1" swimtime="00:01:01.00"/>)",
         "", 2, 0, 0, 0, 0},
        {R"(<RESULT eventid="1" swimtime="00:01:02.00" status="DSQ"/>)", "", 0, 1, 0, 0, 0},
        {R"(<RESULT eventid="1" swimtime="00:01:02.00" status="DNF"/>)", "", 0, 1, 0, 0, 0},
        {R"(<RESULT eventid="1" status="DNS"/><RESULT eventid="1" status="SICK"/>)", "", 0, 2, 0, 0,
         0},
        {R"(<RESULT eventid="1" swimtime="00:01:02.00" status="WDR"/>)", "", 0, 1, 0, 0, 0},
        {R"(<RESULT eventid="1" swimtime="NT"/>)", "", 0, 1, 0, 0, 0},
        // A final not swum, as meet programs write it: no swim, even beside the heat swum.
        {R"(<RESULT eventid="1" swimtime="00:00:00.00"/>)", "", 0, 1, 0, 0, 0},
        {R"(<RESULT eventid="1" swimtime="00:00:00.00" status="EXH"/>)", "", 0, 1, 0, 0, 0},
        {R"(<RESULT eventid="1" swimtime="00:01:02.00"/><RESULT eventid="1" swimtime="00:00:00.00"/>)",
         "", 1, 1, 0, 0, 0},
        {R"(<RESULT eventid="2" swimtime="00:00:30.00"/>)", "", 0, 0, 1, 0, 0},
        {"",
         R"(<RELAY number="1"><RESULTS><RESULT eventid="2" swimtime="00:02:00.00"/></RESULTS></RELAY>)",
         0, 0, 1, 0, 0},
        {R"(<RESULT eventid="3" swimtime="00:01:10.00"/>)", "", 0, 0, 0, 1, 0},
        {R"(<RESULT eventid="1" swimtime="1:02.00"/>)", "", 0, 0, 0, 0, 1},
        {R"(<RESULT eventid="9" swimtime="00:01:02.00"/>)", "", 0, 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        const Results results =
            Read({ResultsLef(Athlete(kJo, c.results), "SCM", "2026-03-07", "Open", c.relays)});
        SCOPED_TRACE(c.results + c.relays);
        EXPECT_EQ(results.counts.swims, c.swims);
        EXPECT_EQ(results.swims.size(), c.swims);
        EXPECT_EQ(results.counts.notSwum, c.notSwum);
        EXPECT_EQ(results.counts.relays, c.relayResults);
        EXPECT_EQ(results.counts.noConversion, c.noConversion);
        EXPECT_EQ(results.counts.unreadable, c.unreadable);
        EXPECT_EQ(results.warnings.size(), c.unreadable);
    }
    // The warning names the place, the athlete and the event.
    const Results bad =
        Read({ResultsLef(Athlete(kJo, R"(<RESULT eventid="1" swimtime="1:02.00"/>)"))});
    ASSERT_EQ(bad.warnings.size(), 1U);
    EXPECT_EQ(bad.warnings[0].rfind("r0.lef:3:", 0), 0U) << bad.warnings[0];
    EXPECT_NE(bad.warnings[0].find("'1:02.00' of Doe, Jo in the 100 Free"), std::string::npos)
        << bad.warnings[0];
}

TEST(Results, OneSwimmerAcrossFiles) {
    const std::string swim = R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)";
    const auto athlete = [&swim](const std::string& attributes) {
        return Athlete(attributes, swim);
    };
    const std::string jo = R"(lastname="Doe" firstname="Jo" birthdate="2010-05-01" )";
    const std::string al = R"(lastname="Roe" firstname="Al" birthdate="2011-02-03" )";
    const struct {
        std::vector<std::string> files; // each file's athletes
        std::size_t swimmers;
    } cases[] = {
        // The same license is the same swimmer whatever the names say.
        {{athlete(jo + R"(license="123456")"),
          athlete(R"(license="123456" lastname="Doe-Smith" firstname="Joanna")")},
         1},
        {{athlete(jo + R"(license="AB1234C")"), athlete(al + R"(license="AB1234C")")}, 2},
        // ... but not with another birth date or gender.
        {{athlete(jo + R"(license="123456")"),
          athlete(R"(license="123456" lastname="Doe" firstname="Jo" birthdate="2010-05-02")")},
         2},
        {{athlete(jo + R"(license="123456" gender="F")"),
          athlete(jo + R"(license="123456" gender="M")")},
         2},
        // Two licenses that identify and differ are two swimmers.
        {{athlete(jo + R"(license="123456")"), athlete(jo + R"(license="123457")")}, 2},
        // A rank, 0 or a short number tells no one: names and birth date do.
        {{athlete(jo + R"(license="II")"), athlete(al + R"(license="II")")}, 2},
        {{athlete(jo + R"(license="1юн")"), athlete(al + R"(license="1юн")")}, 2},
        {{athlete(jo + R"(license="0")"), athlete(al + R"(license="0")")}, 2},
        {{athlete(jo + R"(license="0000")"), athlete(al + R"(license="0000")")}, 2},
        {{athlete(jo + R"(license="77")"), athlete(al + R"(license="77")")}, 2},
        {{athlete(jo + R"(license="II")"), athlete(jo + R"(license="I")")}, 1},
        // Without a license on both: names and birth date, in any letter case.
        {{athlete(jo + R"(license="123456")"),
          athlete(R"(lastname="DOE" firstname="jo" birthdate="2010-05-01")")},
         1},
        {{athlete(R"(lastname="Zoë" firstname="Åsa" birthdate="2010-05-01")"),
          athlete(R"(lastname="ZOË" firstname="åSA" birthdate="2010-05-01")")},
         1},
        {{athlete(R"(lastname="ŁOŚ-ŠIMEK" firstname="ŸVONNE ŒDÖN" birthdate="2010-05-01")"),
          athlete(R"(lastname="Łoś-Šimek" firstname="ÿvonne œdön" birthdate="2010-05-01")")},
         1},
        {{athlete(R"(lastname="Šimek" firstname="Zoë" birthdate="2010-05-01")"),
          athlete(R"(lastname="Simek" firstname="Zoe" birthdate="2010-05-01")")},
         2},
        {{athlete(jo), athlete(R"(lastname="Doe" firstname="Jo" birthdate="2011-05-01")")}, 2},
        {{athlete(jo), athlete(R"(lastname="Doe" firstname="Joe" birthdate="2010-05-01")")}, 2},
        // A name without a birth date tells no one.
        {{athlete(R"(lastname="Doe" firstname="Jo")"), athlete(R"(lastname="Doe" firstname="Jo")")},
         2},
        // Two athletes of one file are two swimmers, whatever they share, unless their athleteid.
        {{athlete(jo + R"(athleteid="1")") + athlete(jo + R"(athleteid="2")")}, 2},
        {{athlete(jo + R"(athleteid="1")") + athlete(jo + R"(athleteid="1")")}, 1},
        {{athlete(jo), athlete(jo + R"(athleteid="5")") + athlete(jo + R"(athleteid="6")")}, 2},
        // A license a file gives to two athletes identifies neither.
        {{athlete(jo + R"(athleteid="1" license="123456")") +
              athlete(al + R"(athleteid="2" license="123456")"),
          athlete(R"(license="123456" lastname="Poe" firstname="Cy" birthdate="2012-01-01")")},
         3},
        // A license learnt from a later file joins the swimmer found by name to it.
        {{athlete(jo),
          athlete(R"(license="770077" lastname="doe" firstname="JO")" +
                  std::string(R"( birthdate="2010-05-01")")),
          athlete(R"(license="770077" lastname="Smith" firstname="Jo")")},
         1},
    };
    for (const auto& c : cases) {
        std::vector<std::string> files;
        std::string trace;
        for (const std::string& athletes : c.files) {
            files.push_back(ResultsLef(athletes));
            trace += athletes + " / ";
        }
        SCOPED_TRACE(trace);
        EXPECT_EQ(Read(files).swimmers.size(), c.swimmers);
    }
}

TEST(Results, OneSwimmerWhateverTheFileEncoding) {
    // One swimmer and her club as programs write them in UTF-8, windows-1252 and ISO-8859-1: the
    // same text from every file, so one swimmer.
    const struct {
        std::string declaration;
        std::string lastname;
        std::string firstname;
        std::string club;
    } cases[] = {
        {R"(encoding="UTF-8")", "Šarša", "Zoë", "Klub „Nord“ – €"},
        {R"(encoding="windows-1252")",
         "\x8A"
         "ar\x9A"
         "a",
         "Zo\xEB", "Klub \x84Nord\x93 \x96 \x80"},
        {"encoding = 'CP1252' ",
         "\x8A"
         "ar\x9A"
         "a",
         "Zo\xEB", "Klub \x84Nord\x93 \x96 \x80"},
        {R"(encoding="ISO-8859-1")", "&#352;ar&#x161;a", "Zo\xEB",
         "Klub &#8222;Nord&#8220; &#8211; &#8364;"},
        {"encoding='iso-8859-15'",
         "\xA6"
         "ar\xA8"
         "a",
         "Zo\xEB", "Klub &#8222;Nord&#8220; &#8211; \xA4"},
        // A byte order mark: UTF-8 whatever the declaration says.
        {"\xEF\xBB\xBF"
         R"(encoding="windows-1252")",
         "Šarša", "Zoë", "Klub „Nord“ – €"},
    };
    std::vector<std::string> files;
    for (const auto& c : cases) {
        std::string lef = ResultsLef(Athlete("lastname=\"" + c.lastname + "\" firstname=\"" +
                                                 c.firstname + "\" birthdate=\"2010-05-01\"",
                                             R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)"));
        lef.replace(lef.find("Mereford &amp; District"), 23, c.club);
        const std::string bom = c.declaration.starts_with("\xEF") ? "\xEF\xBB\xBF" : "";
        lef.replace(0, lef.find("?>"),
                    bom + "<?xml version=\"1.0\" " + c.declaration.substr(bom.size()));
        files.push_back(lef);
        const Results one = Read({lef});
        ASSERT_EQ(one.swimmers.size(), 1U) << c.declaration;
        const auto& swimmer = one.swimmers[0];
        EXPECT_EQ(swimmer.lastname + ", " + swimmer.firstname + " | " + swimmer.club,
                  "Šarša, Zoë | Klub „Nord“ – €")
            << c.declaration;
    }
    EXPECT_EQ(Read(files).swimmers.size(), 1U);
}

TEST(Results, BestOfATie) {
    // 1:02.00 in a 25 metre pool shows 1.03.3 in the 50 metre box.
    const auto swim = [](const std::string& time) {
        return Athlete(kJo, "<RESULT eventid=\"1\" swimtime=\"" + time + "\"/>");
    };
    const struct {
        std::vector<std::string> files;
        std::string meet; // the meet of the best swim
        long hundredths;
    } cases[] = {
        // The swim made in the pool itself wins a tie, even when it is the later.
        {{ResultsLef(swim("00:01:02.00"), "SCM", "2026-03-07", "Converted"),
          ResultsLef(swim("00:01:03.30"), "LCM", "2026-05-01", "In the pool")},
         "In the pool",
         6330},
        // Two converted swims: the earlier.
        {{ResultsLef(swim("00:01:02.00"), "SCM", "2026-04-01", "Later"),
          ResultsLef(swim("00:01:02.00"), "SCM", "2026-03-01", "Earlier")},
         "Earlier",
         6330},
        // Two in the pool with the same time: the earlier.
        {{ResultsLef(swim("00:01:03.30"), "LCM", "2026-04-01", "Later"),
          ResultsLef(swim("00:01:03.30"), "LCM", "2026-03-01", "Earlier")},
         "Earlier",
         6330},
        // Faster wins over both rules.
        {{ResultsLef(swim("00:01:03.31"), "LCM", "2026-01-01", "In the pool"),
          ResultsLef(swim("00:01:02.00"), "SCM", "2026-05-01", "Converted")},
         "Converted",
         6330},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meet);
        const Results results = Read(c.files);
        const auto best = et::meet::BestTimesIn(results, "LCM", {});
        ASSERT_EQ(best.best.size(), 1U);
        const auto& swum = results.swims[best.best[0].swim];
        EXPECT_EQ(results.meets[swum.meet].name, c.meet);
        EXPECT_EQ(best.best[0].hundredths, c.hundredths);
    }
    // A swim whose box stays blank in the pool does not count: the window offers no 50 in a
    // pool of 33 1/3 metres, so it has no 50 metres time.
    std::string fifty =
        ResultsLef(Athlete(kJo, R"(<RESULT eventid="5" swimtime="00:00:30.00"/>)"), "SCM33");
    fifty.insert(fifty.find("</EVENTS>"),
                 R"(<EVENT eventid="5"><SWIMSTYLE distance="50" stroke="FREE"/></EVENT>)");
    const Results odd = Read({fifty});
    ASSERT_EQ(odd.swims.size(), 1U);
    const auto none = et::meet::BestTimesIn(odd, "LCM", {});
    EXPECT_TRUE(none.best.empty());
    EXPECT_EQ(none.blank, 1U);
    EXPECT_EQ(et::meet::BestTimesIn(odd, "SCM33", {}).best.size(), 1U);
}

// An invitation in a 50 metre pool: 101 100 Free F, 102 100 Free M, 103 200 Back F aged 15 to
// 16, 104 100 Free for all, 105 a relay; the County list for women's 100 Free and 200 Back.
std::string Invitation(const std::string& ageDate = R"(<AGEDATE type="YEAR" value="2026-12-31"/>)",
                       const std::string& course = "LCM") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\"><MEETS>"
           "<MEET name=\"County\" city=\"Sheffield\" nation=\"GBR\" course=\"" +
           course + "\">" + ageDate +
           R"(<SESSIONS><SESSION number="1" date="2026-06-06"><EVENTS>
<EVENT eventid="101" gender="F"><SWIMSTYLE distance="100" stroke="FREE" relaycount="1"/></EVENT>
<EVENT eventid="102" gender="M"><SWIMSTYLE distance="100" stroke="FREE" relaycount="1"/></EVENT>
<EVENT eventid="103" gender="F"><SWIMSTYLE distance="200" stroke="BACK" relaycount="1"/>
  <AGEGROUPS><AGEGROUP agegroupid="1" agemin="15" agemax="16"/></AGEGROUPS></EVENT>
<EVENT eventid="104"><SWIMSTYLE distance="100" stroke="FREE" relaycount="1"/></EVENT>
<EVENT eventid="105" gender="F"><SWIMSTYLE distance="50" stroke="FREE" relaycount="4"/></EVENT>
</EVENTS></SESSION></SESSIONS></MEET></MEETS><TIMESTANDARDLISTS>
<TIMESTANDARDLIST timestandardlistid="1" name="County" course="LCM" gender="F"><TIMESTANDARDS>
<TIMESTANDARD swimtime="00:01:04.00"><SWIMSTYLE distance="100" stroke="FREE" relaycount="1"/></TIMESTANDARD>
<TIMESTANDARD swimtime="00:02:30.00"><SWIMSTYLE distance="200" stroke="BACK" relaycount="1"/></TIMESTANDARD>
</TIMESTANDARDS></TIMESTANDARDLIST></TIMESTANDARDLISTS></LENEX>
)";
}

et::meet::ClubEntries Entries(const Results& results, const std::string& invitation,
                              bool all = false, const std::string& output = "club.lef") {
    et::meet::ClubEntriesRequest request;
    request.invitation = {"invitation.lef", invitation};
    request.all = all;
    request.output = output;
    request.version = "1";
    return et::meet::MakeClubEntries(results, request);
}

TEST(ClubEntries, EventsThatFitTheSwimmer) {
    const std::string swims = R"(<RESULT eventid="1" swimtime="00:01:02.00"/>
<RESULT eventid="4" swimtime="00:02:20.00"/>)";
    const std::string year = R"(<AGEDATE type="YEAR" value="2026-12-31"/>)";
    const std::string day = R"(<AGEDATE type="DATE" value="2026-06-06"/>)";
    const struct {
        std::string athlete;
        std::string ageDate;
        std::string eventids;
    } cases[] = {
        {R"(gender="F" birthdate="2010-05-01")", year, "101 103 104"}, // 16
        {R"(gender="F" birthdate="2012-01-01")", year, "101 104"},     // 14
        {R"(gender="F" birthdate="2009-12-31")", year, "101 104"},     // 17
        {R"(gender="M" birthdate="2010-05-01")", year, "102 104"},
        {R"(gender="F" birthdate="2011-06-06")", day, "101 103 104"}, // 15 on the day
        {R"(gender="F" birthdate="2011-06-07")", day, "101 104"},     // 14 on the day
        {R"(gender="F" birthdate="2011-06-07")", year, "101 103 104"},
        {R"(gender="F" birthdate="2011-06-07")", "", "101 103 104"}, // the first session's year
        {R"(gender="F")", year, "101 104"},                          // no age to place
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.athlete + " " + c.ageDate);
        const Results results =
            Read({ResultsLef(Athlete("lastname=\"Doe\" firstname=\"Jo\" " + c.athlete, swims))});
        const auto made = Entries(results, Invitation(c.ageDate), true);
        ASSERT_EQ(made.error, "");
        std::string eventids;
        for (const auto& row : made.rows) {
            eventids += (eventids.empty() ? "" : " ") + row.eventid;
        }
        EXPECT_EQ(eventids, c.eventids);
        EXPECT_EQ(made.entries, made.rows.size());
    }
}

TEST(ClubEntries, WrittenFileReadBackByTheEntryCheck) {
    // Swimmers in five pools, some inside the County times and some outside.
    std::string athletes;
    const char* swims[][3] = {
        {"Ames", "SCM", "00:01:02.00"},   // 1.03.3 in 50 metres: meets
        {"Bell", "SCY", "00:00:55.00"},   // meets or misses by the window's own box
        {"Cole", "LCM", "00:01:04.00"},   // exactly the standard: meets
        {"Dunn", "SCM33", "00:01:05.00"}, // misses
        {"Eyre", "SCY27", "00:01:00.00"}, {"Ford", "LCM", "00:01:04.01"}, // misses by a hundredth
    };
    std::vector<std::string> files;
    for (const auto& swim : swims) {
        files.push_back(
            ResultsLef(Athlete(std::string("lastname=\"") + swim[0] +
                                   "\" firstname=\"A\" gender=\"F\" birthdate=\"2010-01-01\"",
                               std::string("<RESULT eventid=\"1\" swimtime=\"") + swim[2] + "\"/>"),
                       swim[1]));
    }
    const Results results = Read(files);
    const std::string invitation = Invitation();
    const auto invitationMeet = et::meet::ReadMeetBytes(invitation, "invitation.lef");
    ASSERT_TRUE(invitationMeet.meet);
    std::vector<et::meet::ReportRow> first;
    for (const std::string output : {"club.lef", "club.lxf", "CLUB.LXF"}) {
        SCOPED_TRACE(output);
        const auto made = Entries(results, invitation, false, output);
        ASSERT_EQ(made.error, "");
        std::size_t meeting = 0;
        for (const auto& row : made.rows) {
            meeting += row.verdict == et::meet::Verdict::Meets ? 1U : 0U;
        }
        EXPECT_EQ(made.entries, meeting);
        EXPECT_GT(made.counts.missing, 0U); // so some are left out
        EXPECT_GT(meeting, 2U);
        auto read = et::meet::ReadMeetBytes(made.file, output);
        ASSERT_TRUE(read.meet) << read.error;
        EXPECT_EQ(read.meet->zipped, output != "club.lef");
        ASSERT_EQ(et::meet::AddStandards(*read.meet, *invitationMeet.meet), "");
        const auto check = et::meet::CheckEntries(*read.meet);
        EXPECT_EQ(check.rows.size(), made.entries);
        EXPECT_EQ(check.counts.meeting, made.entries);
        EXPECT_EQ(check.counts.converted, 0U);
        std::set<std::string> written;
        for (const auto& row : check.rows) {
            written.insert(row.athlete + " " + row.eventid + " " + row.entry_time);
        }
        for (const auto& row : made.rows) {
            EXPECT_EQ(written.count(row.athlete + " " + row.eventid + " " + row.entry_time),
                      row.verdict == et::meet::Verdict::Meets ? 1U : 0U)
                << row.athlete;
        }
        if (first.empty()) {
            first = made.rows;
        } else {
            EXPECT_EQ(made.rows.size(), first.size());
        }
    }
}

TEST(ClubEntries, OneByteFilesWrittenAsUtf8) {
    // A windows-1252 invitation and results: the entries file (UTF-8) holds their text.
    std::string results = ResultsLef(Athlete("lastname=\"\x8A"
                                             "ar\x9A"
                                             "a\" firstname=\"Zo\xEB\" gender=\"F\" "
                                             "birthdate=\"2010-05-01\"",
                                             R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)"));
    results.replace(results.find("UTF-8"), 5, "windows-1252");
    std::string invitation = Invitation();
    invitation.replace(invitation.find("UTF-8"), 5, "windows-1252");
    invitation.replace(invitation.find("\"County\""), 8, "\"County \x96 Sprint\"");
    const auto made = Entries(Read({results}), invitation);
    ASSERT_EQ(made.error, "");
    EXPECT_NE(made.file.find("encoding=\"UTF-8\""), std::string::npos);
    EXPECT_NE(made.file.find("name=\"County – Sprint\""), std::string::npos);
    const auto read = et::meet::ReadMeetBytes(made.file, "club.lef");
    ASSERT_TRUE(read.meet) << read.error;
    const auto rows = et::meet::CheckEntries(*read.meet).rows;
    ASSERT_EQ(rows.size(), 2U); // 100 Free of women and of all
    EXPECT_EQ(rows[0].athlete, "Šarša, Zoë");
}

TEST(ClubEntries, FileKeepsWhatTheMeetProgramNeeds) {
    // An invitation as a meet program writes it: the meet's deadline and organizer, a qualifying
    // period, judges among officials that are not copied, rankings of results that are not, an
    // event naming its list, and an entries file's clubs.
    std::string invitation = Invitation();
    const auto insert = [&invitation](const std::string& after, const std::string& text) {
        invitation.insert(invitation.find(after) + after.size(), text);
    };
    insert(R"(nation="GBR")",
           R"( deadline="2026-05-20" number="7" organizer="Mereford Swim League")");
    insert(R"(<AGEDATE type="YEAR" value="2026-12-31"/>)", R"(<QUALIFY from="2025-09-01"/>)");
    insert(R"(date="2026-06-06">)", R"(<JUDGES><JUDGE officialid="9" role="REF"/></JUDGES>)");
    insert(R"(agemax="16")",
           R"(><RANKINGS><RANKING place="1" resultid="5"/></RANKINGS></AGEGROUP)");
    invitation.replace(invitation.find("</AGEGROUP/>"), 12, "</AGEGROUP>");
    insert(R"(<EVENT eventid="101" gender="F">)",
           R"(<TIMESTANDARDREFS><TIMESTANDARDREF timestandardlistid="1"/></TIMESTANDARDREFS>)");
    insert("</SESSIONS>", R"(<CLUBS><CLUB name="Other"><ATHLETES><ATHLETE athleteid="1" )"
                          R"(lastname="Zed" firstname="Al" gender="F" birthdate="2010-01-01"/>)"
                          "</ATHLETES></CLUB></CLUBS>");
    const Results results = Read({ResultsLef(
        Athlete(kJo + R"( nation="GBR" athleteid="1")",
                R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)") +
        R"(<ATHLETE athleteid="2" lastname="Roe" firstname="Al" gender="F" birthdate="2010-02-02">)"
        R"(<HANDICAP free="10" breast="9" medley="10"/><RESULTS>)"
        R"(<RESULT eventid="1" swimtime="00:01:01.00"/></RESULTS></ATHLETE>)")});
    et::meet::ClubEntriesRequest request;
    request.invitation = {"invitation.lef", invitation};
    request.output = "club.lef";
    request.version = "1.2";
    const struct {
        std::string name, email;
        std::vector<std::pair<std::string, bool>> fragments; // in the file, or not
        std::size_t notes;
    } cases[] = {
        {"Ann Lee",
         "secretary@leeds.example",
         {{R"(<CONSTRUCTOR name="Equivalent Times" registration="Ann Lee" version="1.2">)", true},
          {R"(<CONTACT name="Ann Lee" email="secretary@leeds.example" />)", true},
          {R"(deadline="2026-05-20" number="7" organizer="Mereford Swim League")", true},
          {R"(<QUALIFY from="2025-09-01" />)", true},
          {R"(<TIMESTANDARDREF timestandardlistid="1" />)", true},
          {R"(<TIMESTANDARDLIST timestandardlistid="1" name="County")", true},
          {R"(lastname="Doe" firstname="Jo" gender="F" birthdate="2010-05-01" nation="GBR")", true},
          {R"(<HANDICAP free="10" breast="9" medley="10" />)", true},
          {"<JUDGE", false},
          {"<RANKING", false},
          {"Zed", false}},
         0},
        {"",
         "",
         {{R"(registration="unregistered")", true},
          {R"(<CONTACT email="no-email-given@invalid" />)", true}},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        request.contactName = c.name;
        request.contactEmail = c.email;
        const auto made = et::meet::MakeClubEntries(results, request);
        ASSERT_EQ(made.error, "");
        EXPECT_EQ(made.entries, 4U); // 101 and 104 each
        for (const auto& [fragment, present] : c.fragments) {
            EXPECT_EQ(made.file.find(fragment) != std::string::npos, present) << fragment;
        }
        EXPECT_EQ(made.notes.size(), c.notes);
        // Read back alone, with the lists it carries, every entry meets.
        const auto back = et::meet::ReadMeetBytes(made.file, "club.lef");
        ASSERT_TRUE(back.meet) << back.error;
        const auto check = et::meet::CheckEntries(*back.meet);
        EXPECT_EQ(check.counts.meeting, made.entries);
        EXPECT_EQ(check.rows.size(), made.entries);
    }
}

TEST(ClubEntries, ChosenUnderThePeriodAndTheLimits) {
    // Doe swam 1:02.00 in the winter and 1:03.50 in the spring, Roe 1:03.00 in the spring, all
    // in 50 metres: each meets the County time of 1:04.00 in 101 (women) and 104 (all).
    const std::string winter =
        ResultsLef(Athlete(kJo, R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)"), "LCM",
                   "2025-12-01", "Winter");
    const std::string roe = R"(lastname="Roe" firstname="Al" gender="F" birthdate="2011-02-03")";
    const std::string spring =
        ResultsLef(Athlete(kJo, R"(<RESULT eventid="1" swimtime="00:01:03.50"/>)") +
                       Athlete(roe, R"(<RESULT eventid="1" swimtime="00:01:03.00"/>)"),
                   "LCM", "2026-03-07", "Spring");
    const std::string springRoe = ResultsLef(
        Athlete(roe, R"(<RESULT eventid="1" swimtime="00:01:03.00"/>)"), "LCM", "2026-03-07");
    // Roe of another Mereford & District, as the entry check tells clubs apart: one club.
    const std::string springDoe = ResultsLef(
        Athlete(kJo, R"(<RESULT eventid="1" swimtime="00:01:03.50"/>)"), "LCM", "2026-03-07");
    std::string springRoeElsewhere = springRoe;
    springRoeElsewhere.replace(springRoeElsewhere.find(R"(code="LDS")"), 10, R"(code="LDX")");
    const std::string period = R"(<QUALIFY from="2026-01-01"/>)";
    const std::string before = "swum 2025-12-01, before the qualifying period 2026-01-01 to "
                               "2026-06-05";
    const struct {
        std::string meet;  // attributes of the MEET
        std::string rules; // elements of the MEET
        std::string event; // attributes of event 101
        std::vector<std::string> files;
        std::string from, to;
        std::string rows;
        std::size_t entries;
        long fees; // what the entries written cost: 5.50 an entry in 101
    } cases[] = {
        // The fastest swim of the period, a faster one outside it told.
        {"",
         period,
         "",
         {winter, spring},
         "",
         "",
         "Doe 101 meets, Doe 104 meets, Roe 101 meets, "
         "Roe 104 meets",
         4,
         1100},
        // No swim in the period: ineligible, and not entered.
        {"",
         period,
         "",
         {winter, springRoe},
         "",
         "",
         "Doe 101 ineligible (" + before + "), Doe 104 ineligible (" + before +
             "), Roe 101 meets, Roe 104 meets",
         2,
         550},
        // One entry a swimmer: the first in the programme.
        {R"( maxentriesathlete="1")",
         "",
         "",
         {winter, spring},
         "",
         "",
         "Doe 101 meets, Doe 104 "
         "ineligible (over the meet's limit of 1 entry a swimmer), Roe 101 meets, Roe 104 "
         "ineligible (over the meet's limit of 1 entry a swimmer)",
         2,
         1100},
        // One entry a club in 101: the fastest; the fees of what is written.
        {"",
         R"(<FEES><FEE type="CLUB" currency="EUR" value="1000"/></FEES>)",
         R"( maxentries="1")",
         {winter, spring},
         "",
         "",
         "Doe 101 meets, Doe 104 meets, Roe 101 "
         "ineligible (over the event's limit of 1 entry a club), Roe 104 meets",
         3,
         1000 + 550},
        {"",
         "",
         R"( maxentries="1")",
         {springDoe, springRoeElsewhere},
         "",
         "",
         "Doe 101 ineligible (over the event's limit of 1 entry a club), Doe 104 meets, Roe 101 "
         "meets, Roe 104 meets",
         3,
         550},
    };
    for (const auto& c : cases) {
        std::string invitation = Invitation();
        const auto insert = [&invitation](const std::string& after, const std::string& text) {
            invitation.insert(invitation.find(after) + after.size(), text);
        };
        insert(R"(nation="GBR")", c.meet);
        insert(R"(<AGEDATE type="YEAR" value="2026-12-31"/>)", c.rules);
        insert(R"(<EVENT eventid="101" gender="F")", c.event);
        insert(R"(<EVENT eventid="101" gender="F")" + c.event + ">",
               R"(<FEE currency="EUR" value="550"/>)");
        SCOPED_TRACE(c.rows);
        et::meet::ClubEntriesRequest request;
        request.invitation = {"invitation.lef", invitation};
        request.output = "club.lef";
        request.from = c.from;
        request.to = c.to;
        const auto made = et::meet::MakeClubEntries(Read(c.files), request);
        ASSERT_EQ(made.error, "");
        std::string rows;
        for (const auto& row : made.rows) {
            rows += (rows.empty() ? "" : ", ") + row.athlete.substr(0, 3) + " " + row.eventid +
                    " " + std::string(et::meet::VerdictText(row.verdict)) +
                    (row.verdict == et::meet::Verdict::Ineligible ? " (" + row.reason + ")" : "");
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(made.entries, c.entries);
        long fees = 0;
        for (const auto& club : made.fees.clubs) {
            fees += club.total;
        }
        EXPECT_EQ(fees, c.fees);
        // Read back with the invitation's rules it carries, every entry written meets.
        const auto back = et::meet::ReadMeetBytes(made.file, "club.lef");
        ASSERT_TRUE(back.meet) << back.error;
        const auto check = et::meet::CheckEntries(*back.meet);
        EXPECT_EQ(check.rows.size(), made.entries);
        EXPECT_EQ(check.counts.meeting, made.entries);
    }
    // A faster swim outside the period than the one entered is told.
    const std::string invitation =
        Invitation(R"(<AGEDATE type="YEAR" value="2026-12-31"/>)" + period);
    et::meet::ClubEntriesRequest request;
    request.invitation = {"invitation.lef", invitation};
    request.output = "club.lef";
    const auto told = et::meet::MakeClubEntries(Read({winter, spring}), request);
    ASSERT_FALSE(told.rows.empty()) << told.error;
    EXPECT_NE(told.rows[0].reason.find(
                  "a faster swim, 00:01:02.00 in LCM on 2025-12-01, is outside the period"),
              std::string::npos)
        << told.rows[0].reason;
}

TEST(ClubEntries, PeriodOfFromAndTo) {
    // Doe swam 1:02.00 on 2025-12-01 and 1:03.50 on 2026-03-07, Roe 1:03.00 on 2026-03-07: each
    // meets the County time in 101. The meet's first day is 2026-06-06.
    const Results results =
        Read({ResultsLef(Athlete(kJo, R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)"), "LCM",
                         "2025-12-01"),
              ResultsLef(Athlete(kJo, R"(<RESULT eventid="1" swimtime="00:01:03.50"/>)") +
                             Athlete(R"(lastname="Roe" firstname="Al" gender="F" )"
                                     R"(birthdate="2011-02-03")",
                                     R"(<RESULT eventid="1" swimtime="00:01:03.00"/>)"),
                         "LCM", "2026-03-07")});
    const struct {
        std::string qualify; // the invitation's
        std::string from, to;
        std::string rows;    // of event 101
        std::size_t entries; // 101 and 104 alike
        std::string written; // the file's QUALIFY, empty for none
        std::size_t notes;   // 1 where the period is not the invitation's
    } cases[] = {
        // Both ends: the entries judged by them, not by the invitation's period.
        {R"(<QUALIFY from="2026-01-01" conversion="NONE"/>)", "2025-11-01", "2025-12-31",
         "Doe meets 00:01:02.00, Roe ineligible (swum 2026-03-07, after the qualifying period "
         "2025-11-01 to 2025-12-31)",
         2, R"(<QUALIFY from="2025-11-01" conversion="NONE" until="2025-12-31" />)", 1},
        // One end: the other the invitation's (its until by default the day before the meet).
        {R"(<QUALIFY from="2026-01-01"/>)", "2025-11-01", "", "Doe meets 00:01:02.00, Roe meets", 4,
         R"(<QUALIFY from="2025-11-01" until="2026-06-05" />)", 1},
        {R"(<QUALIFY from="2026-01-01" until="2026-02-28"/>)", "", "2026-03-31",
         "Doe meets 00:01:03.50, Roe meets", 4,
         R"(<QUALIFY from="2026-01-01" until="2026-03-31" />)", 1},
        // The invitation's own period asked for: the file as it was.
        {R"(<QUALIFY from="2026-01-01"/>)", "2026-01-01", "", "Doe meets 00:01:03.50, Roe meets", 4,
         R"(<QUALIFY from="2026-01-01" />)", 0},
        // An invitation without a period: open before, the day before the meet after.
        {"", "", "2026-01-01",
         "Doe meets 00:01:02.00, Roe ineligible (swum 2026-03-07, after the qualifying period up "
         "to 2026-01-01)",
         2, "", 1},
        {"", "2026-01-01", "", "Doe meets 00:01:03.50, Roe meets", 4,
         "<QUALIFY from=\"2026-01-01\" until=\"2026-06-05\" />\n      <SESSIONS>", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.qualify + " " + c.from + " " + c.to);
        et::meet::ClubEntriesRequest request;
        const std::string invitation =
            Invitation(R"(<AGEDATE type="YEAR" value="2026-12-31"/>)" + c.qualify);
        request.invitation = {"invitation.lef", invitation};
        request.output = "club.lef";
        request.contactEmail = "secretary@leeds.example";
        request.from = c.from;
        request.to = c.to;
        const auto made = et::meet::MakeClubEntries(results, request);
        ASSERT_EQ(made.error, "");
        std::string rows;
        for (const auto& row : made.rows) {
            if (row.eventid == "101") {
                rows += (rows.empty() ? "" : ", ") + row.athlete.substr(0, 3) + " " +
                        std::string(et::meet::VerdictText(row.verdict)) +
                        (row.verdict == et::meet::Verdict::Ineligible ? " (" + row.reason + ")"
                         : row.athlete[0] == 'D'                      ? " " + row.entry_time
                                                                      : "");
            }
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(made.entries, c.entries);
        EXPECT_EQ(made.notes.size(), c.notes);
        if (c.written.empty()) {
            EXPECT_EQ(made.file.find("<QUALIFY"), std::string::npos);
        } else {
            EXPECT_NE(made.file.find(c.written), std::string::npos) << made.file.substr(0, 900);
        }
        // Read back by the period the file states, every entry written meets.
        const auto back = et::meet::ReadMeetBytes(made.file, "club.lef");
        ASSERT_TRUE(back.meet) << back.error;
        const auto check = et::meet::CheckEntries(*back.meet);
        EXPECT_EQ(check.rows.size(), made.entries);
        EXPECT_EQ(check.counts.meeting, made.entries);
    }
    const std::string invitation = Invitation();
    et::meet::ClubEntriesRequest request;
    request.invitation = {"invitation.lef", invitation};
    request.output = "club.lef";
    request.to = "2026-1-31";
    EXPECT_EQ(et::meet::MakeClubEntries(results, request).error,
              "the period's day '2026-1-31' is no date like 2026-03-31");
}

TEST(ClubEntries, RefusedInput) {
    const Results results =
        Read({ResultsLef(Athlete(kJo, R"(<RESULT eventid="1" swimtime="00:01:02.00"/>)"))});
    const struct {
        std::string invitation;
        std::string output;
        std::string message;
    } cases[] = {
        {Invitation(), "club.lef", ""},
        {"<LENEX version=\"3.0\"><MEETS><MEET name=\"x\" course=\"LCM\"/></MEETS></LENEX>",
         "club.lef", "invitation.lef: the invitation has no events"},
        {Invitation("", "LC"), "club.lef",
         "invitation.lef: course 'LC' of the meet is no Lenex course"},
        {Invitation("", ""), "club.lef",
         "invitation.lef: event 101 has no course: neither its session nor the meet names one"},
        {Invitation(), "club.xml",
         "club.xml: the entries file is written as .lef or .lxf; name it so"},
        {"<LENEX><MEETS>", "club.lef", "invitation.lef:1:"},
    };
    for (const auto& c : cases) {
        const auto made = Entries(results, c.invitation, false, c.output);
        EXPECT_EQ(made.error.substr(0, c.message.size()), c.message);
        EXPECT_EQ(made.file.empty(), !c.message.empty()) << made.error;
    }
    // A results file that cannot be read adds nothing.
    Results kept = results;
    EXPECT_EQ(AddResults(kept, "<LENEX><MEETS></LENEX>", "bad.lef").rfind("bad.lef:1:", 0), 0U);
    EXPECT_EQ(kept.swims.size(), results.swims.size());
}

} // namespace

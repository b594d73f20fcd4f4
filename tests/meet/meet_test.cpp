// The meet entry check: Lenex values, the event of a swim style in each pool, which time standard
// lists apply to a swimmer, the converted meet written back byte for byte, bad meet files, and a
// generated meet whose every converted time is what the window shows for that swim.

#include "check/swim_values.hpp"
#include "lenex/converted_meet.hpp"
#include "lenex/lenex_entries.hpp"
#include "lenex/meet_file.hpp"

#include "support/fake_platform.hpp"
#include "support/zip_archive.hpp"
#include "swim/swim.hpp"
#include "ui/form/main_form.hpp"

#include <gtest/gtest.h>

#include <iconv.h>
#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace {

using et::meet::CheckEntries;
using et::meet::ReadMeetBytes;
using et::meet::ReportRow;
using et::meet::Verdict;

// A meet file: the MEET's inside (events and clubs) and the time standard lists.
std::string Lenex(const std::string& meet, const std::string& lists = "",
                  const std::string& meetAttributes = "course=\"LCM\"") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\">\n"
           "<CONSTRUCTOR name=\"Tests\" version=\"1\" />\n<MEETS><MEET name=\"Test meet\" " +
           meetAttributes + ">\n" + meet + "</MEET></MEETS>\n<TIMESTANDARDLISTS>" + lists +
           "</TIMESTANDARDLISTS>\n</LENEX>\n";
}

std::string OneEvent(const std::string& style, const std::string& refs = "") {
    return "<SESSIONS><SESSION number=\"1\" date=\"2026-03-07\"><EVENTS><EVENT eventid=\"1\">"
           "<SWIMSTYLE " +
           style + " />" + refs + "</EVENT></EVENTS></SESSION></SESSIONS>\n";
}

std::string Athlete(const std::string& attributes, const std::string& entries) {
    return "<CLUBS><CLUB name=\"Club\"><ATHLETES><ATHLETE athleteid=\"1\" lastname=\"Doe\" "
           "firstname=\"Jo\" " +
           attributes + "><ENTRIES>" + entries + "</ENTRIES></ATHLETE></ATHLETES></CLUB></CLUBS>\n";
}

std::string List(const std::string& attributes, const std::string& style, const std::string& time,
                 const std::string& ageGroup = "") {
    return "<TIMESTANDARDLIST " + attributes + ">" + ageGroup +
           "<TIMESTANDARDS><TIMESTANDARD "
           "swimtime=\"" +
           time + "\"><SWIMSTYLE " + style +
           " /></TIMESTANDARD></TIMESTANDARDS></TIMESTANDARDLIST>\n";
}

std::vector<ReportRow> RowsOf(const std::string& document) {
    const auto read = ReadMeetBytes(document, "test.lef");
    EXPECT_TRUE(read.meet) << read.error;
    if (!read.meet) {
        return {};
    }
    return CheckEntries(*read.meet).rows;
}

TEST(LenexValues, SwimTimesReadAndWritten) {
    const struct {
        const char* text;
        long hundredths; // -1: not a Lenex swim time
    } cases[] = {
        {"00:01:02.34", 6234},
        {"00:00:09.99", 999},
        {"01:05:00.00", 390000},
        {"99:59:59.99", 35999999},
        {"1:02.34", -1},
        {"00:61:00.00", -1},
        {"00:00:60.00", -1},
        {"", -1},
        {"NT", -1},
        {"00:01:02.3", -1},
        {" 00:01:02.34", -1},
        {"00:01:02,34", -1},
        {"0a:01:02.34", -1},
        {"00:01:02.345", -1},
    };
    for (const auto& c : cases) {
        const auto read = et::meet::ParseLenexTime(c.text);
        EXPECT_EQ(read.value_or(-1), c.hundredths) << c.text;
        if (read) {
            EXPECT_EQ(et::meet::LenexTimeText(*read), c.text);
        }
    }
    const struct {
        const char* box;
        long hundredths;
    } boxes[] = {{"1.01.4", 6140}, {" 1.01.4", 6140}, {"   59.3", 5930}, {"17.27.5", 104750},
                 {"59.87", 5987},  {"1:02.34", 6234}, {"", -1},          {"        ", -1},
                 {"1..4", -1},     {"x.1", -1}};
    for (const auto& c : boxes) {
        EXPECT_EQ(et::meet::BoxHundredths(c.box).value_or(-1), c.hundredths) << c.box;
    }
}

TEST(LenexValues, EveryStrokeAndDistanceIsItsEventInEveryPool) {
    // The metric figure names the event in every pool but where the yards swum are written:
    // the 1650 of the 25, 20 and 33 1/3 yards pools and the yards of the 27 1/2 and 36 2/3.
    const std::map<std::string, std::string> strokes = {
        {"FREE", "Free"}, {"BACK", "Back"}, {"BREAST", "Breast"}, {"FLY", "Fly"}, {"MEDLEY", "IM"}};
    for (const std::string course :
         {"LCM", "SCM", "SCM33", "SCM20", "SCY", "SCY20", "SCY33", "SCY27", "SCY36"}) {
        const et::PoolInfo* pool = et::meet::PoolOfCourse(course);
        ASSERT_NE(pool, nullptr) << course;
        const bool nearMetricYards = course == "SCY27" || course == "SCY36";
        const bool yards = course == "SCY" || course == "SCY20" || course == "SCY33";
        for (const auto& [lenex, name] : strokes) {
            for (const long distance : {25L, 50L, 55L, 100L, 110L, 200L, 220L, 400L, 440L, 500L,
                                        800L, 880L, 1000L, 1500L, 1650L}) {
                const et::IndividualEvent* found =
                    et::meet::EventOfSwimStyle(lenex, distance, *pool);
                const et::IndividualEvent* expected = nullptr;
                for (const et::IndividualEvent& event : et::kIndividualEvents) {
                    const bool metric = event.distance == distance && !(yards && distance == 1500);
                    const bool swum = (nearMetricYards && event.distance * 11 == distance * 10) ||
                                      (yards && event.distance == 1500 && distance == 1650);
                    if (event.stroke == name && (metric || swum)) {
                        expected = &event;
                    }
                }
                EXPECT_EQ(found, expected) << distance << " " << lenex << " in " << course;
            }
        }
    }
    // Spot checks of the table itself.
    const struct {
        const char* stroke;
        long distance;
        const char* course;
        std::int16_t code; // 0: no calculator event
    } spots[] = {
        {"FREE", 1650, "SCY", 6},   {"FREE", 1500, "SCY", 0},   {"FREE", 1650, "SCY36", 6},
        {"FREE", 1500, "SCY36", 6}, {"BACK", 220, "SCY27", 15}, {"FLY", 55, "SCY36", 10},
        {"MEDLEY", 100, "SCM", 0},  {"FREE", 500, "SCY", 0},    {"SURFACE", 100, "LCM", 0},
        {"MEDLEY", 400, "SCY", 17}, {"BREAST", 1650, "SCY", 0}, {"FREE", 800, "SCY", 5},
    };
    for (const auto& s : spots) {
        const et::IndividualEvent* found =
            et::meet::EventOfSwimStyle(s.stroke, s.distance, *et::meet::PoolOfCourse(s.course));
        EXPECT_EQ(found == nullptr ? 0 : found->code, s.code)
            << s.distance << " " << s.stroke << " in " << s.course;
    }
    EXPECT_EQ(et::meet::PoolOfCourse("SCM16"), nullptr);
    EXPECT_EQ(et::meet::PoolOfCourse("OPEN"), nullptr);
    EXPECT_TRUE(et::meet::IsKnownCourse("OPEN"));
    EXPECT_FALSE(et::meet::IsKnownCourse("SCM25"));
    EXPECT_FALSE(et::meet::IsKnownCourse("lcm"));
}

TEST(StandardLists, AgeGenderAndTypeDecideWhichListsApply) {
    // Jo swims 100 Free in 1:00.00 long course; every list has a 100 Free standard.
    const std::string style = R"(distance="100" relaycount="1" stroke="FREE")";
    const std::string yearAge = R"(<AGEDATE type="YEAR" value="2026-12-31" />)";
    const std::string dateAge = R"(<AGEDATE type="DATE" value="2026-03-07" />)";
    const struct {
        const char* name;
        std::string ageDate;
        std::string athlete;
        std::string list;
        std::string ageGroup;
        std::string time;
        Verdict verdict;
        std::string reason;
    } cases[] = {
        {"same gender", yearAge, R"(gender="F")", R"(gender="F")", "", "00:01:05.00",
         Verdict::Meets, ""},
        {"other gender", yearAge, R"(gender="F")", R"(gender="M")", "", "00:01:05.00",
         Verdict::NoStandard, ""},
        {"mixed list", yearAge, R"(gender="M")", R"(gender="X")", "", "00:01:05.00", Verdict::Meets,
         ""},
        {"no gender on the list", yearAge, R"(gender="M")", "", "", "00:01:05.00", Verdict::Meets,
         ""},
        {"age by year inside", yearAge, R"(gender="F" birthdate="2012-12-31")", "",
         R"(<AGEGROUP agemin="13" agemax="14" />)", "00:01:05.00", Verdict::Meets, ""},
        {"age by year above", yearAge, R"(gender="F" birthdate="2011-01-01")", "",
         R"(<AGEGROUP agemin="13" agemax="14" />)", "00:01:05.00", Verdict::NoStandard, ""},
        {"no upper bound", yearAge, R"(gender="F" birthdate="1990-01-01")", "",
         R"(<AGEGROUP agemin="15" agemax="-1" />)", "00:01:05.00", Verdict::Meets, ""},
        {"no lower bound", yearAge, R"(gender="F" birthdate="2020-01-01")", "",
         R"(<AGEGROUP agemin="-1" agemax="10" />)", "00:01:05.00", Verdict::Meets, ""},
        {"exact age before the birthday", dateAge, R"(gender="F" birthdate="2012-03-08")", "",
         R"(<AGEGROUP agemin="14" agemax="14" />)", "00:01:05.00", Verdict::NoStandard, ""},
        {"exact age on the birthday", dateAge, R"(gender="F" birthdate="2012-03-07")", "",
         R"(<AGEGROUP agemin="14" agemax="14" />)", "00:01:05.00", Verdict::Meets, ""},
        {"no age date: the first session's year", "", R"(gender="F" birthdate="2012-12-31")", "",
         R"(<AGEGROUP agemin="14" agemax="14" />)", "00:01:05.00", Verdict::Meets, ""},
        {"no birth date, an age group", yearAge, R"(gender="F")", "",
         R"(<AGEGROUP agemin="10" agemax="99" />)", "00:01:05.00", Verdict::NoStandard,
         "no birth date for the lists of an age group"},
        {"no gender, a list of one gender", yearAge, "", R"(gender="F")", "", "00:01:05.00",
         Verdict::NoStandard, "no gender for the lists of one gender"},
        {"open to all ages", yearAge, R"(gender="F")", "",
         R"(<AGEGROUP agemin="-1" agemax="-1" />)", "00:01:05.00", Verdict::Meets, ""},
        {"maximum missed", yearAge, R"(gender="F")", R"(type="MAXIMUM")", "", "00:00:59.99",
         Verdict::Misses, "slower by 0.01 s"},
        {"maximum met exactly", yearAge, R"(gender="F")", R"(type="MAXIMUM")", "", "00:01:00.00",
         Verdict::Meets, ""},
        {"minimum met", yearAge, R"(gender="F")", R"(type="MINIMUM")", "", "00:00:59.00",
         Verdict::Meets, ""},
        {"minimum missed", yearAge, R"(gender="F")", R"(type="MINIMUM")", "", "00:01:05.00",
         Verdict::Misses, "faster by 5.00 s"},
        {"a default list is no standard", yearAge, R"(gender="F")", R"(type="DEFAULT")", "",
         "00:01:05.00", Verdict::NoStandard, ""},
        {"a list of another course: the swim converted", yearAge, R"(gender="F")",
         R"(course="SCM")", "", "00:00:58.00", Verdict::Misses, "slower by 0.60 s (58.6 in SCM)"},
    };
    for (const auto& c : cases) {
        std::string list = "timestandardlistid=\"7\" name=\"Qualifying\" " + c.list;
        if (c.list.find("course=") == std::string::npos) {
            list += " course=\"LCM\"";
        }
        const auto rows =
            RowsOf(Lenex(c.ageDate + OneEvent(style) +
                             Athlete(c.athlete, R"(<ENTRY eventid="1" entrytime="00:01:00.00" />)"),
                         List(list, style, c.time, c.ageGroup)));
        ASSERT_EQ(rows.size(), 1U) << c.name;
        EXPECT_EQ(rows[0].verdict, c.verdict) << c.name;
        EXPECT_EQ(rows[0].reason, c.reason) << c.name;
        EXPECT_EQ(rows[0].standard, c.verdict == Verdict::NoStandard ? "" : "Qualifying") << c.name;
    }
}

TEST(StandardLists, AListForASportClassJudgesOnlySwimmersOfThatClassForTheStroke) {
    // Jo swims 1:00.00; the list for class 9 is met (1:30.00), the one for class 10 missed
    // (50.00), the open list (when there) met by 5 seconds.
    const std::string classes = R"(<HANDICAP free="10" breast="9" medley="10" />)";
    const struct {
        const char* name;
        std::string style;
        std::string handicap;
        bool open; // an open list too
        Verdict verdict;
        std::string standard;
        std::string reason;
    } cases[] = {
        {"breaststroke: the breast class", R"(distance="100" stroke="BREAST")", classes, false,
         Verdict::Meets, "MQS 9", ""},
        {"backstroke: the free class", R"(distance="100" stroke="BACK")", classes, false,
         Verdict::Misses, "MQS 10", "slower by 10.00 s"},
        {"medley: the medley class", R"(distance="200" stroke="MEDLEY")", classes, false,
         Verdict::Misses, "MQS 10", "slower by 10.00 s"},
        {"a class written with a leading zero", R"(distance="100" stroke="FLY")",
         R"(<HANDICAP free="09" />)", false, Verdict::Meets, "MQS 9", ""},
        {"no breast class", R"(distance="100" stroke="BREAST")", R"(<HANDICAP free="9" />)", false,
         Verdict::NoStandard, "",
         "no sport class for the Breast (HANDICAP breast) for the lists for sport classes"},
        {"no HANDICAP: the open list only", R"(distance="100" stroke="FREE")", "", true,
         Verdict::Meets, "Open", ""},
        {"a class that is no list's", R"(distance="100" stroke="FREE")",
         R"(<HANDICAP free="S9" />)", false, Verdict::NoStandard, "", ""},
    };
    for (const auto& c : cases) {
        const std::string lists =
            List(R"(timestandardlistid="9" name="MQS 9" course="LCM" handicap="9")", c.style,
                 "00:01:30.00") +
            List(R"(timestandardlistid="10" name="MQS 10" course="LCM" handicap="10")", c.style,
                 "00:00:50.00") +
            (c.open ? List(R"(timestandardlistid="1" name="Open" course="LCM")", c.style,
                           "00:01:05.00")
                    : "");
        const std::string club =
            "<CLUBS><CLUB name=\"Club\"><ATHLETES><ATHLETE athleteid=\"1\" lastname=\"Doe\" "
            "firstname=\"Jo\" gender=\"F\">" +
            c.handicap +
            R"(<ENTRIES><ENTRY eventid="1" entrytime="00:01:00.00" /></ENTRIES></ATHLETE>)"
            "</ATHLETES></CLUB></CLUBS>";
        const auto rows = RowsOf(Lenex(OneEvent(c.style) + club, lists));
        ASSERT_EQ(rows.size(), 1U) << c.name;
        EXPECT_EQ(rows[0].verdict, c.verdict) << c.name;
        EXPECT_EQ(rows[0].standard, c.standard) << c.name;
        EXPECT_EQ(rows[0].reason, c.reason) << c.name;
    }
}

TEST(StandardLists, TheTightestListMetAndTheClosestMissedAreNamed) {
    const std::string style = R"(distance="100" relaycount="1" stroke="FREE")";
    const auto rowFor = [&](const std::string& lists, const std::string& refs = "") {
        const auto rows = RowsOf(
            Lenex(OneEvent(style, refs) +
                      Athlete(R"(gender="M")", R"(<ENTRY eventid="1" entrytime="00:01:00.00" />)"),
                  lists));
        return rows.empty() ? ReportRow{} : rows[0];
    };
    const auto list = [&](const std::string& id, const std::string& time,
                          const std::string& course = "LCM") {
        return List("timestandardlistid=\"" + id + "\" name=\"L" + id + "\" course=\"" + course +
                        "\"",
                    style, time);
    };
    // Met by 2.00, 0.50 and 0.50: the tightest, the first of a tie.
    ReportRow row = rowFor(list("1", "00:01:02.00") + list("2", "00:01:00.50") +
                           list("3", "00:01:00.50") + list("4", "00:00:58.00"));
    EXPECT_EQ(row.verdict, Verdict::Meets);
    EXPECT_EQ(row.standard, "L2");
    EXPECT_EQ(row.standard_time, "00:01:00.50");
    // Missed by 2.00 and 0.30: the closer one, with how much.
    row = rowFor(list("1", "00:00:58.00") + list("2", "00:00:59.70"));
    EXPECT_EQ(row.verdict, Verdict::Misses);
    EXPECT_EQ(row.standard, "L2");
    EXPECT_EQ(row.reason, "slower by 0.30 s");
    // Across courses the margin of the converted swim decides, not the standards' figures: 1:00.00
    // long course is 58.6 short course, 0.40 inside 59.00, while 1:01.00 long course is 1.00
    // inside.
    row = rowFor(list("1", "00:01:01.00") + list("2", "00:00:59.00", "SCM"));
    EXPECT_EQ(row.standard, "L2");
    EXPECT_EQ(row.reason, "(58.6 in SCM)");
    // The event's references choose the lists; an empty reference list leaves none.
    row = rowFor(
        list("1", "00:01:02.00") + list("2", "00:01:00.50"),
        R"(<TIMESTANDARDREFS><TIMESTANDARDREF timestandardlistid="1" /></TIMESTANDARDREFS>)");
    EXPECT_EQ(row.standard, "L1");
    row = rowFor(list("1", "00:01:02.00"), "<TIMESTANDARDREFS />");
    EXPECT_EQ(row.verdict, Verdict::NoStandard);
}

// Writes a file for the tests that read from or write to the disk.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "meetXXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name, const std::string& bytes = "") const {
        const std::string path = path_ + "/" + name;
        if (!bytes.empty()) {
            std::ofstream(path, std::ios::binary) << bytes;
        }
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

private:
    std::string path_;
};

using et::test::Zip;

TEST(WriteBack, NothingToConvertGivesTheSameBytes) {
    // Whatever else the file holds, in whatever form, stays: comments, processing instructions,
    // CDATA, CRLF line ends, a byte order mark, single quotes, entities, a one-byte encoding.
    const std::string entries =
        "<ENTRY eventid='1' entrytime='00:01:00.00' entrycourse='LCM'/>\r\n"
        "<ENTRY\r\n  eventid=\"1\"\r\n  entrytime=\"NT\" ><!-- no time --></ENTRY>";
    const std::string body = OneEvent(R"(distance="100" stroke="FREE")") +
                             "<?meet-manager keep this?><![CDATA[ <odd> ]]>" +
                             Athlete("gender=\"F\" lastname2=\"&#233;t&amp;&quot;\"", entries);
    const std::string utf8 = Lenex(body);
    std::string latin1 = utf8;
    latin1.replace(latin1.find("UTF-8"), 5, "ISO-8859-1");
    latin1.insert(latin1.find("lastname2"), "city=\"K\xF6ln\" ");
    for (const std::string& original : {utf8, "\xEF\xBB\xBF" + utf8, latin1}) {
        const auto read = ReadMeetBytes(original, "same.lef");
        ASSERT_TRUE(read.meet) << read.error;
        const auto result = CheckEntries(*read.meet);
        EXPECT_EQ(result.counts.read, 2U);
        EXPECT_EQ(result.counts.converted, 0U);
        const auto [document, error] = et::meet::ConvertedDocument(*read.meet, result);
        EXPECT_EQ(error, "");
        EXPECT_EQ(document, original);
    }
    // And through the files: .lef and .lxf written, read back, the same document.
    const TempDir dir;
    const std::string input = dir.File("meet.lef", utf8);
    const auto read = et::meet::ReadMeetFile(input);
    ASSERT_TRUE(read.meet) << read.error;
    const auto result = CheckEntries(*read.meet);
    for (const std::string name : {"copy.lef", "copy.lxf", "COPY.LXF"}) {
        EXPECT_EQ(et::meet::WriteConvertedMeet(*read.meet, result, dir.File(name)), "");
        const auto again = et::meet::ReadMeetFile(dir.File(name));
        ASSERT_TRUE(again.meet) << again.error;
        EXPECT_EQ(again.meet->bytes, utf8) << name;
        EXPECT_EQ(again.meet->zipped, name != "copy.lef") << name;
    }
    // Never onto the file read, nor under a name that is no meet file.
    EXPECT_NE(et::meet::WriteConvertedMeet(*read.meet, result, input), "");
    EXPECT_NE(et::meet::WriteConvertedMeet(*read.meet, result, dir.File("meet.xml")), "");
    EXPECT_EQ(TempDir::Read(input), utf8);
}

TEST(WriteBack, AConvertedEntryKeepsItsOriginalInMeetInfo) {
    const std::string style = R"(distance="100" relaycount="1" stroke="FREE")";
    const struct {
        std::string entry;
        std::string written;
    } cases[] = {
        {"<ENTRY eventid='1' entrytime='00:01:02.00' entrycourse='SCM'/>",
         "<ENTRY eventid='1' entrytime='00:01:03.30' entrycourse='LCM'><MEETINFO "
         "qualificationtime='00:01:02.00' course='SCM' /></ENTRY>"},
        {"<ENTRY entrycourse=\"SCM\"\n  entrytime=\"00:01:02.00\" eventid=\"1\"\n/>",
         "<ENTRY entrycourse=\"LCM\"\n  entrytime=\"00:01:03.30\" eventid=\"1\"\n><MEETINFO "
         "qualificationtime=\"00:01:02.00\" course=\"SCM\" /></ENTRY>"},
        {"<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\" entrycourse=\"SCM\">\n</ENTRY>",
         "<ENTRY eventid=\"1\" entrytime=\"00:01:03.30\" entrycourse=\"LCM\"><MEETINFO "
         "qualificationtime=\"00:01:02.00\" course=\"SCM\" />\n</ENTRY>"},
        {"<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\" entrycourse=\"SCM\"><MEETINFO "
         "city=\"Bath\"/></ENTRY>",
         "<ENTRY eventid=\"1\" entrytime=\"00:01:03.30\" entrycourse=\"LCM\"><MEETINFO "
         "qualificationtime=\"00:01:02.00\" course=\"SCM\" city=\"Bath\"/></ENTRY>"},
        {"<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\" entrycourse=\"SCM\"><MEETINFO "
         "course=\"SCM\" date=\"2026-01-01\"/></ENTRY>",
         "<ENTRY eventid=\"1\" entrytime=\"00:01:03.30\" entrycourse=\"LCM\"><MEETINFO "
         "qualificationtime=\"00:01:02.00\" course=\"SCM\" date=\"2026-01-01\"/></ENTRY>"},
        // A zero stands for no qualifying time: the original takes its place.
        {"<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\"><MEETINFO course=\"SCM\" "
         "qualificationtime=\"00:00:00.00\"/></ENTRY>",
         "<ENTRY eventid=\"1\" entrytime=\"00:01:03.30\" entrycourse=\"LCM\"><MEETINFO "
         "course=\"SCM\" qualificationtime=\"00:01:02.00\"/></ENTRY>"},
        // MEETINFO already holds the entry time itself as the qualifying swim.
        {"<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\" entrycourse=\"SCM\"><MEETINFO "
         "qualificationtime=\"00:01:02.00\"/></ENTRY>",
         "<ENTRY eventid=\"1\" entrytime=\"00:01:03.30\" entrycourse=\"LCM\"><MEETINFO "
         "course=\"SCM\" qualificationtime=\"00:01:02.00\"/></ENTRY>"},
        // Another qualifying swim: no room for the original entry time, which stays.
        {"<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\" entrycourse=\"SCM\"><MEETINFO "
         "qualificationtime=\"00:01:01.00\" course=\"SCY\"/></ENTRY>",
         ""},
        {"<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\" entrycourse=\"SCM\"><MEETINFO "
         "qualificationtime=\"00:01:02.00\" course=\"SCY\"/></ENTRY>",
         ""},
    };
    for (const auto& c : cases) {
        const std::string original = Lenex(OneEvent(style) + Athlete("", c.entry));
        const auto read = ReadMeetBytes(original, "one.lef");
        ASSERT_TRUE(read.meet) << read.error;
        const auto result = CheckEntries(*read.meet);
        if (c.written.empty()) {
            EXPECT_EQ(result.counts.converted, 0U) << c.entry;
            EXPECT_EQ(et::meet::ConvertedDocument(*read.meet, result).first, original);
            continue;
        }
        ASSERT_EQ(result.counts.converted, 1U) << c.entry;
        std::string expected = original;
        expected.replace(expected.find(c.entry), c.entry.size(), c.written);
        EXPECT_EQ(et::meet::ConvertedDocument(*read.meet, result).first, expected);
    }
}

TEST(Encodings, EachByteReadAsTheCLibraryReadsIt) {
    // The C library's own tables tell each byte's character; windows-1252's undefined bytes are
    // read as U+FFFD.
    for (const auto& [encoding, name] :
         {std::pair{et::meet::TextEncoding::Windows1252, "WINDOWS-1252"},
          std::pair{et::meet::TextEncoding::Latin1, "ISO-8859-1"},
          std::pair{et::meet::TextEncoding::Latin9, "ISO-8859-15"}}) {
        const iconv_t convert = iconv_open("UTF-8", name);
        ASSERT_NE(convert, reinterpret_cast<iconv_t>(-1)) << name;
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            char in = static_cast<char>(byte);
            std::array<char, 8> out{};
            char* from = &in;
            char* to = out.data();
            std::size_t left = 1;
            std::size_t room = out.size();
            const bool known = iconv(convert, &from, &left, &to, &room) != static_cast<size_t>(-1);
            const std::string expected = known ? std::string(out.data(), to) : "\xEF\xBF\xBD";
            EXPECT_EQ(et::meet::DecodeValue(std::string(1, in), encoding), expected)
                << name << " byte " << byte;
        }
        iconv_close(convert);
    }
}

TEST(Encodings, NamesReadAsTheDeclarationSays) {
    // A club and a swimmer with windows-1252's own characters (bytes 0x80 to 0x9F), one that is
    // in ISO-8859-1 too (0xE9) and a character reference, whose entry is converted.
    const std::string names = "\x8A"
                              "ar\x9A"
                              "a\xE9&#382;";
    const std::string first = "Jo\x85\x99 \x81";
    const std::string club = "\x84Nord\x93 \x96 \x80";
    const auto document = [&](const std::string& declaration, const std::string& text) {
        std::string lef = Lenex(OneEvent(R"(distance="100" stroke="FREE")") +
                                Athlete("", R"(<ENTRY eventid="1" entrytime="00:01:02.00" )"
                                            R"(entrycourse="SCM" />)"));
        lef.replace(0, lef.find('\n'), declaration);
        lef.replace(lef.find("Doe"), 3, text);
        lef.replace(lef.find("\"Jo\""), 4, '"' + first + '"');
        lef.replace(lef.find("\"Club\""), 6, '"' + club + '"');
        return lef;
    };
    const std::string windows = "Šarša\u00E9ž, Jo…™ \uFFFD|„Nord“ – €";
    const std::string latin1 = "\u008Aar\u009Aa\u00E9ž, Jo\u0085\u0099 \u0081|"
                               "\u0084Nord\u0093 \u0096 \u0080";
    const struct {
        std::string declaration;
        std::string expected; // "athlete|club" as the check reports them
    } cases[] = {
        {R"(<?xml version="1.0" encoding="windows-1252"?>)", windows},
        {"<?xml version='1.0' encoding = 'CP1252' ?>", windows},
        {R"(<?xml version="1.0" encoding="X-Cp1252" standalone="yes"?>)", windows},
        {R"(<?xml version="1.0" encoding="ISO-8859-1"?>)", latin1},
        {"<?xml version='1.0' encoding='latin1'?>", latin1},
    };
    for (const auto& c : cases) {
        const std::string original = document(c.declaration, names);
        const auto read = ReadMeetBytes(original, "names.lef");
        ASSERT_TRUE(read.meet) << read.error;
        const auto result = CheckEntries(*read.meet);
        ASSERT_EQ(result.rows.size(), 1U) << c.declaration;
        EXPECT_EQ(result.rows[0].athlete + "|" + result.rows[0].club, c.expected) << c.declaration;
        // The converted meet is the file's own bytes, declaration and all, but for the entry.
        ASSERT_EQ(result.counts.converted, 1U) << c.declaration;
        const std::string converted = et::meet::ConvertedDocument(*read.meet, result).first;
        const std::size_t entry = original.find("<ENTRY");
        EXPECT_EQ(converted.substr(0, entry), original.substr(0, entry)) << c.declaration;
        const std::string after = original.substr(original.find("/>", entry) + 2);
        EXPECT_TRUE(converted.ends_with(after)) << c.declaration;
        const auto again = ReadMeetBytes(converted, "again.lef");
        ASSERT_TRUE(again.meet) << again.error;
        EXPECT_EQ(CheckEntries(*again.meet).rows[0].athlete, result.rows[0].athlete);
    }
    // A byte order mark makes the file UTF-8 whatever its declaration says.
    const std::string utf8 =
        "\xEF\xBB\xBF" + document(R"(<?xml version="1.0" encoding="windows-1252"?>)", "Šarša");
    const auto rows = RowsOf(utf8);
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0].athlete, "Šarša, " + first);
}

TEST(BadEntries, OddFormsOfTheFileChangeNoVerdict) {
    // Jo's 1:00.00 meets the list's 1:05.00 however the file writes what does not decide it.
    const std::string style = R"(distance="100" stroke="FREE")";
    const std::string lists = List(R"(timestandardlistid="1" course="LCM")", style, "00:01:05.00");
    const auto meet = [&](const std::string& attributes, const std::string& handicap = "") {
        std::string document =
            Lenex(OneEvent(style) +
                      Athlete(attributes, R"(<ENTRY eventid="1" entrytime="00:01:00.00" />)"),
                  lists);
        document.insert(document.find("<ENTRIES>"), handicap);
        return document;
    };
    std::string windows1252 = meet("lastname=\"\x8A"
                                   "ar\x9A"
                                   "a\"");
    windows1252.replace(windows1252.find("UTF-8"), 5, "windows-1252");
    const std::string cases[] = {
        meet(""),
        "\xEF\xBB\xBF" + meet(""),
        windows1252,
        meet(R"(license="II")"),
        meet(R"(license="0")"),
        meet(R"(license="КМС")"),
        meet("", R"(<HANDICAP />)"),
        meet("", R"(<HANDICAP free="" breast="x" />)"),
    };
    for (const std::string& document : cases) {
        const auto rows = RowsOf(document);
        ASSERT_EQ(rows.size(), 1U) << document;
        EXPECT_EQ(rows[0].verdict, Verdict::Meets) << document;
    }
}

TEST(MeetContents, AFileWithNoEntriesSaysWhatItHolds) {
    const std::string event = OneEvent(R"(distance="100" stroke="FREE")");
    const std::string result = R"(<RESULT eventid="1" swimtime="00:01:00.00" />)";
    const std::string swimmers =
        "<CLUBS><CLUB name=\"Club\"><ATHLETES><ATHLETE athleteid=\"1\"><RESULTS>" + result +
        result +
        "</RESULTS></ATHLETE><ATHLETE athleteid=\"2\" /></ATHLETES><RELAYS><RELAY>"
        "<RESULTS>" +
        result + "</RESULTS></RELAY></RELAYS></CLUB></CLUBS>";
    const std::string records = "<RECORDLISTS><RECORDLIST><RECORDS><RECORD swimtime=\"00:00:50.00\""
                                " /><RECORD /></RECORDS></RECORDLIST></RECORDLISTS>";
    const struct {
        std::string document;
        std::string holds;
    } cases[] = {
        {Lenex(event + Athlete("", R"(<ENTRY eventid="1" entrytime="NT" />)")), ""},
        {Lenex(event + swimmers), "holds 3 results of 2 swimmers and 1 relay team and no entries"},
        {Lenex(event + Athlete("", "")), "holds 1 swimmer and no entries"},
        {Lenex(event), "is an invitation: 1 event, no entries"},
        {"<LENEX version=\"3.0\">" + records + "</LENEX>", "holds 2 records and no entries"},
        {Lenex("",
               List(R"(timestandardlistid="1")", R"(distance="100" stroke="FREE")", "00:01:00.00")),
         "holds 1 time standard list and no entries"},
        {Lenex(""), "holds no events, no swimmers and no entries"},
    };
    for (const auto& c : cases) {
        const auto read = ReadMeetBytes(c.document, "m.lef");
        ASSERT_TRUE(read.meet) << read.error;
        EXPECT_EQ(et::meet::NoEntriesText(et::meet::Contents(*read.meet)), c.holds) << c.document;
    }
}

TEST(BadMeetFiles, AClearMessageAndNoMeet) {
    const std::string good = Lenex(OneEvent(R"(distance="100" stroke="FREE")"));
    std::string bomb = TempDir::Read(std::string(MEET_TEST_DATA) + "/bomb.lxf");
    ASSERT_GT(bomb.size(), 1000U);
    const struct {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"empty", "", "bad.lef:1:1: not well-formed XML"},
        {"cut short", good.substr(0, 200), "bad.lef:5:54: not well-formed XML"},
        {"mismatched tags", "<LENEX>\n  <MEETS></MEET>\n</LENEX>",
         "bad.lef:2:12: not well-formed XML: Start-end tags mismatch"},
        {"another root", "<?xml version=\"1.0\"?><meet/>",
         "bad.lef: not a Lenex file: its root element is <meet>, not <LENEX>"},
        {"text only", "NT", "not well-formed XML"},
        {"UTF-16", std::string("\xFF\xFE<\0L\0", 6), "UTF-16 and UTF-32 meet files are not read"},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"EBCDIC\"?><LENEX/>",
         "the encoding 'ebcdic' is not read"},
        {"ZIP with no .lef", Zip({{"meet.xml", good}}), "holds no .lef meet file"},
        {"ZIP with two", Zip({{"a.lef", good}, {"b.LEF", good}}),
         "holds 2 .lef meet files (a.lef, b.LEF); it must hold exactly one"},
        {"ZIP cut short", Zip({{"a.lef", good}}).substr(0, 60), "bad.lef: "},
        {"ZIP bomb", bomb, "its .lef inflates to more than 256 MiB"},
        {"ZIP of a bad .lef", Zip({{"a.lef", "<LENEX>"}}), "bad.lef(a.lef):1:7: not well-formed"},
    };
    for (const auto& c : cases) {
        const auto read = ReadMeetBytes(c.bytes, "bad.lef");
        EXPECT_FALSE(read.meet) << c.name;
        EXPECT_NE(read.error.find(c.message), std::string::npos) << c.name << ": " << read.error;
    }
    // A file that cannot be read at all.
    const auto missing = et::meet::ReadMeetFile("/nonexistent/meet.lef");
    EXPECT_FALSE(missing.meet);
    EXPECT_EQ(missing.error, "cannot open /nonexistent/meet.lef: No such file or directory");
}

// What a reading of a document gives: its message, or every entry's places in the bytes, its
// owner's name and club, and the report.
std::string Reading(const std::string& document, et::meet::TreeBuilding building) {
    const auto read = et::meet::ParseMeet(document, "split.lef", building);
    if (!read.meet) {
        return "error " + read.error;
    }
    const et::meet::Meet& meet = *read.meet;
    std::ostringstream out;
    out << meet.events.size() << " events, " << meet.lists.size() << " lists, " << meet.heading.name
        << "\n";
    for (const et::meet::Entry& e : meet.entries) {
        const et::meet::Owner& owner = meet.owners[e.owner];
        out << owner.club << "/" << owner.name << "/" << owner.part << " " << e.tag << " "
            << e.lastValue << " " << e.meetinfo;
        for (const et::meet::Span& span : {e.eventid, e.entrytime, e.entrycourse, e.status}) {
            out << " " << span.offset << "+" << span.size;
        }
        out << "\n";
    }
    out << et::meet::ReportCsv(CheckEntries(meet).rows);
    return out.str();
}

TEST(ReadingClubByClub, ReadsEveryDocumentAsTheWholeTreeDoes) {
    // A club at a time, the meet's tree never stands whole; whatever the clubs hold, however
    // they are written, and whatever is wrong with the file, the reading is the whole tree's.
    const std::string style = R"(distance="100" relaycount="1" stroke="FREE")";
    const auto club = [](const std::string& name, const std::string& inside) {
        return "<CLUB name=\"" + name +
               "\"><ATHLETES><ATHLETE athleteid=\"1\" lastname=\"Doe\" firstname=\"Jo\" "
               "gender=\"F\"><ENTRIES>" +
               inside + "<ENTRY eventid=\"1\" entrytime=\"00:01:02.00\" entrycourse=\"SCM\" />" +
               "</ENTRIES></ATHLETE></ATHLETES></CLUB>";
    };
    const std::string relay = "<CLUB name=\"R\"><RELAYS><RELAY number=\"1\" gender=\"F\"><ENTRIES>"
                              "<ENTRY eventid=\"1\" entrytime=\"00:04:00.00\"/></ENTRIES></RELAY>"
                              "</RELAYS></CLUB>";
    const std::string event = OneEvent(style);
    const struct {
        const char* name;
        std::string meet;
    } cases[] = {
        {"clubs and a relay",
         event + "<CLUBS>" + club("A", "") + "\n" + relay + club("B", "") + "</CLUBS>"},
        {"no clubs", event},
        {"an empty club", event + "<CLUBS><CLUB name=\"E\" />" + club("A", "") + "</CLUBS>"},
        {"an end tag in a comment",
         event + "<CLUBS>" + club("A", "<!-- </CLUB> <CLUB> -->") + club("B", "") + "</CLUBS>"},
        {"an end tag in CDATA", event + "<CLUBS>" + club("A", "<![CDATA[</CLUB>]]>") + "</CLUBS>"},
        {"an end tag in a value",
         event + "<CLUBS>" + club("A", "<X a=\"</CLUB>\" b='>'/>") + "</CLUBS>"},
        {"an end tag with a space",
         event + "<CLUBS><CLUB name=\"S\"></CLUB >" + club("A", "") + "</CLUBS>"},
        {"a club in a club", event + "<CLUBS>" + club("A", club("B", "")) + "</CLUBS>"},
        {"a comment and text between clubs", event + "<CLUBS><!-- <CLUB name=\"no\"> -->" +
                                                 club("A", "") + "<?pi <CLUB>?>" + "text" +
                                                 club("B", "") + "</CLUBS>"},
        {"a club outside CLUBS", event + club("A", "") + "<CLUBS>" + club("B", "") + "</CLUBS>"},
        {"clubs in a second meet", event + "<CLUBS>" + club("A", "") +
                                       "</CLUBS></MEET><MEET name=\"Two\" course=\"SCM\">" + event +
                                       "<CLUBS>" + club("B", "") + "</CLUBS>"},
        {"a club left open", event + "<CLUBS>" + club("A", "").substr(0, 40) + "</CLUBS>"},
        {"a club closed twice", event + "<CLUBS>" + club("A", "") + "</CLUB></CLUBS>"},
        {"a comment left open in a club", event + "<CLUBS>" + club("A", "<!-- ") + "</CLUBS>"},
        {"tags crossed in a club", event + "<CLUBS>" + club("A", "<X></Y>") + "</CLUBS>"},
        {"a stand-in's own text", event + "<CLUBS><CLUB/>" + club("A", "") + "</CLUBS>"},
    };
    std::size_t errors = 0;
    for (const auto& c : cases) {
        for (const std::string& document :
             {Lenex(c.meet), "<!DOCTYPE LENEX [<!ENTITY x \"<CLUB>\">]>" + Lenex(c.meet)}) {
            const std::string whole = Reading(document, et::meet::TreeBuilding::Whole);
            EXPECT_EQ(Reading(document, et::meet::TreeBuilding::ClubByClub), whole) << c.name;
            errors += whole.rfind("error ", 0) == 0 ? 1U : 0U;
        }
    }
    EXPECT_EQ(errors, 8U); // the four files that are not well-formed, each with both heads
}

TEST(PackedEntries, GiveBackEveryEntryAsItWasKept) {
    // An entry is kept in a few bytes from its tag on; whatever does not fit (a long value, a
    // place far into a large element, a value found outside the document) is kept whole, and
    // every one comes back as it went in, in the file's order.
    using et::meet::Span;
    const auto entry = [](std::uint32_t tag, std::uint32_t lastValue, std::uint32_t meetinfo,
                          Span eventid, Span entrytime, Span qualificationtime) {
        et::meet::Entry e;
        e.owner = tag / 7;
        e.tag = tag;
        e.lastValue = lastValue;
        e.meetinfo = meetinfo;
        e.eventid = eventid;
        e.entrytime = entrytime;
        e.qualificationtime = qualificationtime;
        return e;
    };
    const Span none;
    const std::vector<et::meet::Entry> kept = {
        entry(100, 140, 0, {110, 4}, {130, 11}, none),        // the usual entry
        entry(200, 0, 0, none, none, none),                   // no attributes at all
        entry(300, 390, 420, {310, 0}, {330, 11}, {440, 11}), // with its MEETINFO
        entry(400, 420, 0, {410, 254}, none, none),           // the longest value packed
        entry(500, 900, 0, {510, 255}, none, none),           // a longer one kept whole
        entry(600, 600 + 65533, 0, {610, 4}, none, none),     // the farthest place packed
        entry(700, 700 + 65534, 0, {710, 4}, none, none),     // one farther kept whole
        entry(800, 840, 0, {0, 0}, {830, 11}, none),          // a value outside the document
        entry(0xFFFFFFFF, 0, 0, none, none, none),            // a tag not found
        entry(4000000000U, 4000000100U, 4000000150U, {4000000010U, 3}, none, {4000000200U, 8}),
    };
    et::meet::Entries entries;
    for (const et::meet::Entry& e : kept) {
        entries.push_back(e);
    }
    ASSERT_EQ(entries.size(), kept.size());
    std::size_t i = 0;
    for (const et::meet::Entry& e : entries) {
        EXPECT_TRUE(e == kept[i]) << "entry " << i;
        EXPECT_TRUE(entries[i] == kept[i]) << "entry " << i;
        ++i;
    }
}

TEST(Report, FieldsAreQuotedAsCsvWants) {
    // A field with a comma, a quote or a line end is quoted, its quotes doubled; others are not.
    const struct {
        std::string text;
        std::string written;
    } cases[] = {
        {"", ""},
        {"Leeds", "Leeds"},
        {"Brown, Amy", "\"Brown, Amy\""},
        {"The \"Otters\"", "\"The \"\"Otters\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"one\nline", "\"one\nline\""},
        {"K\xC3\xB6ln; 'Swim'", "K\xC3\xB6ln; 'Swim'"},
    };
    // The club is the first column, the verdict the twelfth.
    const auto commas = static_cast<std::size_t>(
        std::count(et::meet::kReportHeader.begin(), et::meet::kReportHeader.end(), ','));
    for (const auto& c : cases) {
        ReportRow row;
        row.club = c.text;
        row.verdict = Verdict::NoTime;
        std::string out = "before\r\n";
        et::meet::AppendReportCsvRow(out, row);
        EXPECT_EQ(out, "before\r\n" + c.written + std::string(11, ',') + "no time" +
                           std::string(commas - 11, ',') + "\r\n")
            << c.text;
    }
}

TEST(BadEntries, EachEntryTellsWhatAndWhere) {
    const std::string style = R"(distance="100" relaycount="1" stroke="FREE")";
    const struct {
        const char* entry;
        Verdict verdict;
        const char* reason;
    } cases[] = {
        {R"(<ENTRY eventid="1" entrytime="1:02.34" />)", Verdict::Error,
         "test.lef:8:1: entrytime '1:02.34' is no Lenex swim time"},
        {R"(<ENTRY eventid="1" entrytime="00:61:00.00" />)", Verdict::Error, "'00:61:00.00'"},
        {R"(<ENTRY eventid="1" entrytime="" />)", Verdict::Error, "entrytime ''"},
        {R"(<ENTRY eventid="2" entrytime="00:01:00.00" />)", Verdict::Error,
         "eventid '2' is no event of the meet"},
        {R"(<ENTRY entrytime="00:01:00.00" />)", Verdict::Error, "the entry has no eventid"},
        {R"(<ENTRY eventid="1" entrytime="00:01:00.00" entrycourse="SCM25" />)", Verdict::Error,
         "entrycourse 'SCM25' is no Lenex course"},
        {R"(<ENTRY eventid="1" />)", Verdict::NoTime, ""},
        {R"(<ENTRY eventid="1" entrytime="NT" status="SICK" />)", Verdict::Withdrawn,
         "entry status SICK: sick"},
        {R"(<ENTRY eventid="1" entrytime="00:01:00.00" entrycourse="SCM16" />)",
         Verdict::NotConverted, "no conversion from SCM16"},
        {R"(<ENTRY eventid="1" entrytime="00:01:00.00" entrycourse="OPEN" />)",
         Verdict::NotConverted, "no conversion from OPEN"},
        {R"(<ENTRY eventid="1" entrytime="00:00:10.00" entrycourse="SCM" />)",
         Verdict::NotConverted, "no time of 10.00 seconds or less"},
        {R"(<ENTRY eventid="1" entrytime="00:45:00.01" entrycourse="SCM" />)",
         Verdict::NotConverted, "no time over 45 minutes"},
        {R"(<ENTRY eventid="1" entrytime="01:45:00.00" entrycourse="SCM" />)",
         Verdict::NotConverted, "no time over 45 minutes"},
    };
    for (const auto& c : cases) {
        const auto rows =
            RowsOf(Lenex(OneEvent(style) + "\n" + Athlete("", "\n" + std::string(c.entry))));
        ASSERT_EQ(rows.size(), 1U) << c.entry;
        EXPECT_EQ(rows[0].verdict, c.verdict) << c.entry;
        EXPECT_NE(rows[0].reason.find(c.reason), std::string::npos)
            << c.entry << ": " << rows[0].reason;
    }
    // Events the window has no conversion for, and pools it cannot convert into.
    const struct {
        std::string style;
        std::string course;
        std::string entryCourse;
        const char* reason;
    } events[] = {
        {R"(distance="500" stroke="FREE")", "SCY", "LCM", "the 500 Free has no conversion"},
        {R"(distance="100" stroke="MEDLEY")", "SCM", "LCM", "the 100 IM has no conversion"},
        {R"(distance="100" stroke="SURFACE")", "SCM", "LCM", "the 100 SURFACE has no conversion"},
        {R"(distance="50" stroke="FLY")", "SCM33", "LCM",
         "the window shows no time in 33 1/3 metres for the 50 Fly"},
        {R"(distance="50" stroke="FLY")", "LCM", "SCM20", "the 50 Fly cannot be swum in 20 metres"},
        {R"(distance="100" stroke="FREE")", "SCM16", "LCM", "no conversion into SCM16"},
        {R"(distance="100" stroke="FREE" technique="KICK")", "SCM", "LCM",
         "a KICK swim is not converted"},
        {R"(distance="100" relaycount="4" stroke="FREE")", "SCM", "LCM",
         "relays are not converted"},
        {"", "SCM", "LCM", "the event has no swim style"},
    };
    for (const auto& e : events) {
        const std::string event = "<SESSIONS><SESSION course=\"" + e.course +
                                  "\"><EVENTS><EVENT eventid=\"1\">" +
                                  (e.style.empty() ? "" : "<SWIMSTYLE " + e.style + " />") +
                                  "</EVENT></EVENTS></SESSION></SESSIONS>";
        const auto rows = RowsOf(Lenex(
            event + Athlete("", "<ENTRY eventid=\"1\" entrytime=\"00:01:00.00\" entrycourse=\"" +
                                    e.entryCourse + "\" />")));
        ASSERT_EQ(rows.size(), 1U);
        EXPECT_EQ(rows[0].verdict, Verdict::NotConverted) << e.style;
        EXPECT_EQ(rows[0].reason, e.reason) << e.style;
    }
}

TEST(GeneratedMeet, EveryConvertedTimeIsWhatTheWindowShows) {
    // Random swims of every event from every pool into every pool; each converted entry's time
    // is the window's box for the event's pool after choosing the event, the entry's pool and
    // typing the time.
    using et::form::OptionGroup;
    const char* courses[] = {"LCM",   "SCM33", "SCM", "SCM20", "SCY36",
                             "SCY27", "SCY33", "SCY", "SCY20"};
    const std::map<std::string_view, std::string> strokes = {
        {"Free", "FREE"}, {"Back", "BACK"}, {"Breast", "BREAST"}, {"Fly", "FLY"}, {"IM", "MEDLEY"}};
    std::string events = "<SESSIONS>";
    for (std::size_t c = 0; c < std::size(courses); ++c) {
        events += "<SESSION course=\"" + std::string(courses[c]) + "\"><EVENTS>";
        for (const et::IndividualEvent& event : et::kIndividualEvents) {
            // The yard pools write the yards swum: the 1500 as 1650, and every other event of
            // the 27 1/2 and 36 2/3 yards pools as its yards here.
            const et::PoolInfo& pool = *et::meet::PoolOfCourse(courses[c]);
            long distance = event.distance;
            if (pool.type == et::kYardPools && event.code == 6) {
                distance = 1650;
            } else if (pool.type == et::kNearMetricYardPools && event.code % 2 == 0) {
                distance = distance * 11 / 10;
            }
            events += "<EVENT eventid=\"" + std::to_string(c * 100 + std::size_t(event.code)) +
                      "\"><SWIMSTYLE distance=\"" + std::to_string(distance) +
                      "\" relaycount=\"1\" stroke=\"" + strokes.at(event.stroke) + "\" /></EVENT>";
        }
        events += "</EVENTS></SESSION>";
    }
    events += "</SESSIONS>";
    std::mt19937 random(20260307);
    std::string entries;
    struct Swim {
        std::size_t eventCourse;
        std::size_t entryCourse;
        std::int16_t code;
        long hundredths;
    };
    std::vector<Swim> swims;
    for (int i = 0; i < 3000; ++i) {
        const Swim swim{random() % 9, random() % 9, std::int16_t(1 + random() % 17),
                        long(1000 + random() % (i % 2 == 0 ? 20000 : 200000))};
        swims.push_back(swim);
        entries += "<ENTRY eventid=\"" +
                   std::to_string(swim.eventCourse * 100 + std::size_t(swim.code)) +
                   "\" entrytime=\"" + et::meet::LenexTimeText(swim.hundredths) +
                   "\" entrycourse=\"" + courses[swim.entryCourse] + "\" />";
    }
    const auto rows = RowsOf(Lenex(events + Athlete("", entries), "", ""));
    ASSERT_EQ(rows.size(), swims.size());

    // The window's event option of each event code.
    std::map<std::int16_t, std::int16_t> optionOf;
    for (std::int16_t option = 0; option < 18; ++option) {
        et::test::FakePlatform platform;
        et::form::MainForm form(platform);
        form.Form_Load();
        form.SelectOption(OptionGroup::optEvent, option);
        optionOf.emplace(form.State().SelEvent, option);
    }
    std::size_t converted = 0;
    for (std::size_t i = 0; i < swims.size(); ++i) {
        const Swim& swim = swims[i];
        const et::PoolInfo& from = *et::meet::PoolOfCourse(courses[swim.entryCourse]);
        const et::PoolInfo& to = *et::meet::PoolOfCourse(courses[swim.eventCourse]);
        et::test::FakePlatform platform;
        et::form::MainForm form(platform);
        form.Form_Load();
        form.SelectOption(OptionGroup::optEvent, optionOf.at(swim.code));
        form.SelectOption(OptionGroup::optPoolLen, from.option);
        const bool offered = form.State().optEvent[std::size_t(optionOf.at(swim.code))].Visible;
        form.SetTimeText(et::meet::TypedTime(swim.hundredths));
        const std::string shown(
            et::BareBoxText(form.State().txtETime[std::size_t(&to - et::kPools.data())].Text));
        const ReportRow& row = rows[i];
        if (swim.entryCourse == swim.eventCourse) {
            EXPECT_EQ(row.converted_time, "");
            EXPECT_EQ(row.verdict, Verdict::NoStandard);
        } else if (!offered || shown.empty()) {
            // An event the window hides in the entry's pool, a time it does not take, a box it
            // leaves blank.
            EXPECT_EQ(row.verdict, Verdict::NotConverted) << i << " " << row.reason;
            EXPECT_EQ(row.converted_time, "");
        } else {
            EXPECT_EQ(row.converted_time, shown)
                << i << ": " << row.entry_time << " " << row.entry_course << " to " << row.course;
            ++converted;
        }
    }
    EXPECT_GT(converted, swims.size() / 2);
}

} // namespace

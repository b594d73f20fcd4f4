// The entry check fed by a format of its own words, from plain values and no file: the same
// verdicts, conversions and reasons as a meet file's entries get.

#include "check/entry_check.hpp"
#include "check/fees.hpp"
#include "check/standard_lists.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using et::meet::EntryFacts;
using et::meet::GivenTime;
using et::meet::Verdict;

// A meet program's entries as a fixed-width file might give them: line numbers for places.
class ProgramEntries : public et::meet::EntrySource {
public:
    explicit ProgramEntries(std::vector<EntryFacts> entries) : entries_(std::move(entries)) {}
    std::size_t size() const override { return entries_.size(); }
    et::meet::EntryEvent EventOf(std::size_t i) const override { return entries_[i].entrant; }
    void Read(std::size_t i, EntryFacts& facts) const override { facts = entries_[i]; }
    std::string Where(std::size_t i) override { return "program.sd3:" + std::to_string(i + 3); }
    const et::meet::EntryWords& Words() const override { return kWords; }

private:
    static constexpr et::meet::EntryWords kWords = {
        "event number", "seed time", "seed course",       "the best time", "best time",
        "best course",  "best date", "time like 1:02.34", "course code",   "date (MMDDYYYY)"};
    std::vector<EntryFacts> entries_;
};

// The 100 Free in 25 metres in one session, a list of 1:05.00 in 25 metres, one swimmer.
et::meet::PlainMeet OneEventMeet() {
    et::meet::PlainMeet meet;
    et::meet::MeetPart& part = meet.parts.emplace_back();
    part.sessions.emplace_back().number = "1";
    part.events.emplace("7", 0);
    et::meet::Event& event = meet.events.emplace_back();
    event.id = "7";
    event.course = "SCM";
    event.stroke = "FREE";
    event.distance = 100;
    event.hasStyle = true;
    et::meet::StandardList& list = meet.lists.emplace_back();
    list.id = "county";
    list.standards.push_back({"FREE", 100, 1, "", "00:01:05.00", 6500});
    et::meet::Owner& swimmer = meet.owners.emplace_back();
    swimmer.club = "Otterpool";
    swimmer.athleteid = "1";
    swimmer.name = "Rowe, Ada";
    swimmer.gender = "F";
    return meet;
}

EntryFacts Entry(std::string seed, long hundredths, std::string course, std::string status = {}) {
    EntryFacts facts;
    facts.entrant = {0, 0};
    facts.eventid = {true, "7"};
    facts.status = std::move(status);
    facts.entryTime = {hundredths < 0 ? GivenTime::Kind::Unreadable : GivenTime::Kind::Swim,
                       std::move(seed), hundredths};
    facts.entryCourse = {!course.empty(), std::move(course)};
    return facts;
}

TEST(PlainEntries, CheckedFromPlainValuesInTheFormatsOwnWords) {
    EntryFacts noEvent = Entry("1:00.00", 6000, "SCM");
    noEvent.entrant.event = et::meet::kNoEvent;
    noEvent.eventid.text = "99";
    EntryFacts lacking = Entry("1:00.00", 6000, "SCM");
    lacking.lacking = "no event number (columns 73-76)";
    const struct {
        const char* name;
        EntryFacts entry;
        Verdict verdict;
        const char* reason;
        const char* entryCourse;
        const char* converted;
    } cases[] = {
        // 1:04.00 in 50 metres is 1.02.7 in the window's 25 metres box.
        {"swum in 50 metres, converted", Entry("1:04.00", 6400, "LCM"), Verdict::Meets, "", "LCM",
         "1.02.7"},
        {"in its own pool, too slow", Entry("1:06.00", 6600, "SCM"), Verdict::Misses,
         "slower by 1.00 s", "SCM", ""},
        {"withdrawn: the event's course", Entry("1:00.00", 6000, "", "WDR"), Verdict::Withdrawn,
         "entry status WDR: withdrawn", "SCM", ""},
        {"a time the format cannot read", Entry("1.00.00", -1, "SCM"), Verdict::Error,
         "program.sd3:3: seed time '1.00.00' is no time like 1:02.34", "SCM", ""},
        {"a seed course no pool has", Entry("1:00.00", 6000, "SCX"), Verdict::Error,
         "program.sd3:3: seed course 'SCX' is no course code", "SCX", ""},
        {"an event the meet does not hold", noEvent, Verdict::Error,
         "program.sd3:3: event number '99' is no event of the meet", "SCM", ""},
        {"a line that does not say enough", lacking, Verdict::Error,
         "program.sd3:3: no event number (columns 73-76)", "SCM", ""},
    };
    const et::meet::PlainMeet meet = OneEventMeet();
    for (const auto& c : cases) {
        ProgramEntries entries({c.entry});
        const auto result = et::meet::CheckEntries(meet, entries, {}, {}, {});
        ASSERT_EQ(result.rows.size(), 1U) << c.name;
        const et::meet::ReportRow& row = result.rows[0];
        EXPECT_EQ(row.verdict, c.verdict) << c.name << ": " << row.reason;
        EXPECT_EQ(row.reason.find(c.reason), 0U) << c.name << ": " << row.reason;
        EXPECT_EQ(row.entry_course, c.entryCourse) << c.name;
        EXPECT_EQ(row.converted_time, c.converted) << c.name;
        EXPECT_EQ(result.conversions.size(), *c.converted == '\0' ? 0U : 1U) << c.name;
    }
}

TEST(PlainEntries, FeesOfTheAcceptedEntries) {
    // A file that names its sessions, and one that names none (a fixed-width meet file).
    for (const bool sessions : {true, false}) {
        et::meet::PlainMeet meet = OneEventMeet();
        meet.events[0].fee = {650, "GBP"};
        if (!sessions) {
            meet.parts[0].sessions.clear();
        }
        ProgramEntries entries({Entry("1:04.00", 6400, "LCM"), Entry("1:06.00", 6600, "SCM")});
        const auto result = et::meet::CheckEntries(meet, entries, {}, {}, {});
        const et::meet::MeetFees fees = et::meet::FeesOf(meet, entries, result);
        ASSERT_EQ(fees.clubs.size(), 1U) << sessions;
        EXPECT_EQ(fees.clubs[0].entries, 1U) << sessions; // the swim that misses pays no fee
        EXPECT_EQ(fees.clubs[0].total, 650) << sessions;
    }
}

// A swimmer's age at the meet: the birth date decides, the age the file gives only without one.
TEST(PlainEntries, AgeFromTheBirthDateElseTheFilesAge) {
    et::meet::MeetPart part;
    part.ageDateType = "DATE";
    part.ageDate = {2026, 12, 5};
    const struct {
        et::meet::Date birth;
        long age;
        std::optional<int> expected;
    } cases[] = {
        {{2014, 3, 14}, 99, 12},
        {{2013, 12, 5}, -1, 13},
        {{}, 13, 13},
        {{}, -1, std::nullopt},
    };
    for (const auto& c : cases) {
        et::meet::Owner swimmer;
        swimmer.birth = c.birth;
        swimmer.age = c.age;
        EXPECT_EQ(et::meet::AgeOfSwimmer(swimmer, part), c.expected)
            << c.birth.year << " " << c.age;
    }
}

} // namespace

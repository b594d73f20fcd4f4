#pragma once
// The entry check's own rules, for the parts of the meet library built on them (club entries made
// from results): a swim of an event read in another pool exactly as an entry is converted, a
// swimmer's age as the meet reckons it, an event's name as the report gives it, a CSV field.

#include "meet/meet_model.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace et::meet {

// A swim's time in a pool: its hundredths (-1 when there is none, then why).
struct TimeInCourse {
    long hundredths = -1;
    bool converted = false; // read in the box of another pool (so to a tenth)
    std::string box;        // that box's text ("1.01.4") when converted
    std::string why;
};

// The time of a swim of the event made in swumCourse, in course: its own time when course is
// swumCourse, else the time typed in the swim's pool as the window takes it, read in the box of
// course's pool. The event's distance is read in swumCourse.
TimeInCourse SwimTimeIn(const Event& event, const std::string& swumCourse, long hundredths,
                        const std::string& course);

// A swimmer's age as the meet reckons it: by its AGEDATE (YEAR or DATE), else by the year of its
// first session; nullopt without a birth date or a day to reckon from.
std::optional<int> AgeAtMeet(const Date& birth, const MeetPart& part);

// "100 Free", "4x50 Medley", "50 Free (KICK)", "event 7" for one with no swim style.
std::string EventTitle(const Event& event);

// An entry that is in no file (a club's entry made from results), as plain values: the swimmer,
// the meet's event, its entry time in the event's course, and the swim made for it (its time,
// course and day), as the club's entries file writes them (entrytime and entrycourse, MEETINFO
// qualificationtime, course and date).
struct CandidateEntry {
    std::uint32_t owner = 0; // in the owners checked
    std::size_t event = 0;   // in Meet::events
    long hundredths = 0;     // the entry time in the event's course
    long swum = 0;           // the swim's own time, in swumCourse
    std::string swumCourse;
    Date day; // the day it was swum; year 0 when not known
};

// Each candidate checked as the entry check checks an entry of a file, by the same rules: its
// swim judged against the meet's lists, then the invitation's rules of one entry (the qualifying
// period, gender, age groups). The limits, which weigh a club's entries together, are the
// caller's (LimitsOver). Rows and verdicts in the candidates' order.
CheckResult CheckCandidates(const Meet& meet, const std::vector<Owner>& owners,
                            const std::vector<CandidateEntry>& candidates);

// Counts a row as the check's summary does.
void AddToCounts(Counts& counts, const ReportRow& row);

// A CSV field (RFC 4180), quoted when it must be.
void AppendCsvField(std::string& out, std::string_view field);

} // namespace et::meet

#pragma once
// The entry check's own rules, for the parts of the meet library built on them (club entries made
// from results): a swim of an event read in another pool exactly as an entry is converted, a
// swimmer's age as the meet reckons it, an event's name as the report gives it, a CSV field.

#include "meet/meet_model.hpp"

#include <optional>
#include <string>
#include <string_view>

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

// A CSV field (RFC 4180), quoted when it must be.
void AppendCsvField(std::string& out, std::string_view field);

} // namespace et::meet

#pragma once
// The time standard lists an entry is judged by: which lists serve the event and apply to the
// swimmer (gender, age, sport class), each list's standard for the event, and the verdict of a
// swim against them: the tightest list met, else the list missed by the least.

#include "check/plain_meet.hpp"
#include "check/report.hpp"
#include "check/swim_in_course.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace et::meet {

// A swimmer's age as the meet reckons it: on its age day (by year or by date), else by the year
// of its first session; nullopt without a birth date or a day to reckon from.
std::optional<int> AgeAtMeet(const Date& birth, const MeetPart& part);
// A swimmer's age at the meet: from the birth date, else the age the file gives; nullopt with
// neither.
std::optional<int> AgeOfSwimmer(const Owner& swimmer, const MeetPart& part);

// Whether a list is a qualifying standard for the event: the event names it (or names none).
bool ListServesEvent(const StandardList& list, const Event& event);
// Whether a list that serves the event applies to the swimmer or team: gender and age group.
bool ListAppliesTo(const StandardList& list, const Owner& owner, const MeetPart& part);
// The list's standard for the event's swim style, if it has one with a time.
const Standard* StandardFor(const StandardList& list, const Event& event, const std::string& course,
                            const IndividualEvent* identity);

// What every entry of one event shares, worked out once in a check: its name, its calculator
// event when the event's own pool tells it, and each list's standard for it.
struct EventFacts {
    bool known = false;
    std::string name;
    bool pooled = false; // false when only an entry's own pool can tell the calculator event
    const IndividualEvent* identity = nullptr;
    std::vector<const Standard*> standards; // by list, when pooled
    std::vector<bool> served;               // by list: ListServesEvent

    // The calculator's event of a swim of the event made in swumCourse.
    const IndividualEvent* IdentityIn(const Event& event, const std::string& swumCourse) const {
        return pooled ? identity : IdentityOf(event, event.course, swumCourse);
    }
};

class EventFactsCache {
public:
    explicit EventFactsCache(const PlainMeet& meet) : meet_(meet), facts_(meet.events.size()) {}

    // The facts of meet.events[index], checked in course (the same course every time).
    const EventFacts& Of(std::size_t index, const std::string& course);

private:
    const PlainMeet& meet_;
    std::vector<EventFacts> facts_;
};

// The swim judged against the meet's lists that apply to the owner, in the event's course: the
// row's verdict (meets, misses, no standard, not converted), standard and reason.
void Judge(const PlainMeet& meet, const Event& event, const EventFacts& facts, const Owner& owner,
           const MeetPart& part, const std::string& course, SwimInCourse& swim, ReportRow& row);

} // namespace et::meet

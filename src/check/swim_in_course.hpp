#pragma once
// An entry's swim in the pools of the meet: its time in its own pool, and its time in another
// pool as the calculator window's box for that pool shows it, converted exactly as the window
// converts it.

#include "check/plain_meet.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"
#include "swim/swim.hpp"

#include <string>

namespace et::meet {

// A swim's time in a pool: its hundredths (-1 when there is none, then why).
struct TimeInCourse {
    long hundredths = -1;
    bool converted = false; // read in the box of another pool (so to a tenth)
    std::string box;        // that box's text ("1.01.4") when converted
    std::string why;
};

// "100 Free", "4x50 Medley", "50 Free (KICK)", "event 7" for one with no swim style.
std::string EventTitle(const Event& event);

// The calculator's event of an event's swim style, when it has one: its distance is read in
// course's pool, else in the event's own, else in entryCourse's.
const IndividualEvent* IdentityOf(const Event& event, const std::string& course,
                                  const std::string& entryCourse);

// One swim of an event: its time in its own pool, and its time in another pool as the window's
// box for that pool shows it, worked out for the pools asked for only.
class SwimInCourse {
public:
    // A swim of the event made in swumCourse, the event's distance read in course (else in
    // swumCourse).
    SwimInCourse(const Event& event, const std::string& course, std::string swumCourse,
                 long hundredths)
        : SwimInCourse(event, IdentityOf(event, course, swumCourse), std::move(swumCourse),
                       hundredths) {}
    // The same with the calculator's event of the swim already known.
    SwimInCourse(const Event& event, const IndividualEvent* identity, std::string swumCourse,
                 long hundredths)
        : event_(event), identity_(identity), swumCourse_(std::move(swumCourse)),
          hundredths_(hundredths) {}

    // The swim in a course; the last course asked for is kept, as the event's course is asked
    // for again by the list of that course.
    const TimeInCourse& In(const std::string& course);

    // The calculator's event of the event's swim style, when it has one.
    const IndividualEvent* Identity() const { return identity_; }

private:
    TimeInCourse Convert(const std::string& course);
    void Work();
    std::string Converts();

    const Event& event_;
    const IndividualEvent* identity_;
    std::string swumCourse_;
    long hundredths_;
    bool worked_ = false;
    std::string why_;
    TypedSwim typed_; // the swim's time as the window's time box takes it
    bool asked_ = false;
    std::string askedCourse_;
    TimeInCourse there_;
};

// The time of a swim of the event made in swumCourse, in course: its own time when course is
// swumCourse, else the time typed in the swim's pool as the window takes it, read in the box of
// course's pool. The event's distance is read in swumCourse.
TimeInCourse SwimTimeIn(const Event& event, const std::string& swumCourse, long hundredths,
                        const std::string& course);

} // namespace et::meet

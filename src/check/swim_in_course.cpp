// A swim converted into another pool exactly as the window converts it: the time typed in the
// swim's own pool, read in the box of the other.

#include "check/swim_in_course.hpp"

#include "check/swim_values.hpp"
#include "model/time_text.hpp"

namespace et::meet {
namespace {

// The window offers no 50 in pools of 33 1/3 or 20 lengths, nor the 1500 in those yard pools.
bool WindowOffers(const IndividualEvent& event, const PoolInfo& pool) {
    const bool oddLengths = pool.turnsPerHundred == 2 || pool.turnsPerHundred == 4;
    if (!oddLengths) {
        return true;
    }
    return event.distance != 50 && !(event.distance == 1500 && pool.type == kYardPools);
}

} // namespace

std::string EventTitle(const Event& event) {
    std::string name;
    if (!event.hasStyle) {
        return "event " + event.id;
    }
    if (event.relaycount > 1) {
        name = std::to_string(event.relaycount) + "x" + std::to_string(event.distance) + " " +
               (event.stroke == "MEDLEY" ? std::string("Medley") : StrokeName(event.stroke));
    } else {
        name = std::to_string(event.distance) + " " + StrokeName(event.stroke);
    }
    if (!event.technique.empty()) {
        name += " (" + event.technique + ")";
    }
    return name;
}

const IndividualEvent* IdentityOf(const Event& event, const std::string& course,
                                  const std::string& entryCourse) {
    const PoolInfo* pool = PoolOfCourse(course);
    if (pool == nullptr) {
        pool = PoolOfCourse(event.course);
    }
    if (pool == nullptr) {
        pool = PoolOfCourse(entryCourse);
    }
    if (pool == nullptr || !event.hasStyle || event.relaycount != 1 || !event.technique.empty()) {
        return nullptr;
    }
    return EventOfSwimStyle(event.stroke, event.distance, *pool);
}

const TimeInCourse& SwimInCourse::In(const std::string& course) {
    if (!asked_ || course != askedCourse_) {
        asked_ = true;
        askedCourse_ = course;
        there_ = Convert(course);
    }
    return there_;
}

TimeInCourse SwimInCourse::Convert(const std::string& course) {
    TimeInCourse there;
    if (course == swumCourse_) {
        there.hundredths = hundredths_;
        return there;
    }
    const PoolInfo* target = PoolOfCourse(course);
    if (target == nullptr) {
        there.why = "no conversion into " + course;
        return there;
    }
    Work();
    if (!why_.empty()) {
        there.why = why_;
        return there;
    }
    // Only the box of that pool is worked out: the window's text for it, to the character.
    const std::size_t box = static_cast<std::size_t>(target - kPools.data());
    const std::string shown = BoxText(*identity_, typed_, box);
    const std::string_view text = BareBoxText(shown);
    const auto value = BoxHundredths(text);
    if (!value) {
        there.why = "the window shows no time in " + std::string(target->caption) + " for the " +
                    EventTitle(event_);
        return there;
    }
    there.hundredths = *value;
    there.converted = true;
    there.box = std::string(text);
    return there;
}

void SwimInCourse::Work() {
    if (worked_) {
        return;
    }
    worked_ = true;
    why_ = Converts();
}

// The time typed in the swim's pool as the window takes it; empty or why not.
std::string SwimInCourse::Converts() {
    if (!event_.hasStyle) {
        return "the event has no swim style";
    }
    if (event_.relaycount > 1) {
        return "relays are not converted";
    }
    if (!event_.technique.empty()) {
        return "a " + event_.technique + " swim is not converted";
    }
    const PoolInfo* pool = PoolOfCourse(swumCourse_);
    if (pool == nullptr) {
        return "no conversion from " + swumCourse_;
    }
    const IndividualEvent* identity = identity_;
    if (identity == nullptr) {
        return "the " + EventTitle(event_) + " has no conversion";
    }
    if (!WindowOffers(*identity, *pool)) {
        return "the " + EventTitle(event_) + " cannot be swum in " + std::string(pool->caption);
    }
    // The window's time box takes minutes and seconds; it converts swims above 10.00
    // seconds up to 45 minutes.
    if (hundredths_ > static_cast<long>(kLongestTime * 100)) {
        return "the window converts no time over 45 minutes";
    }
    std::string error;
    if (!ReadSwim(*pool, *identity, TypedTime(hundredths_), typed_, error)) {
        return "the window converts no time of 10.00 seconds or less";
    }
    return {};
}

TimeInCourse SwimTimeIn(const Event& event, const std::string& swumCourse, long hundredths,
                        const std::string& course) {
    SwimInCourse swim(event, swumCourse, swumCourse, hundredths);
    return swim.In(course);
}

} // namespace et::meet

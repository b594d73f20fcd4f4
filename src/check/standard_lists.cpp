// The time standard lists that apply to an entry, and its swim judged against them.

#include "check/standard_lists.hpp"

#include "check/swim_values.hpp"

#include <array>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <utility>

namespace et::meet {
namespace {

std::string Seconds(long hundredths) {
    if (hundredths >= 0) {
        std::string text = std::to_string(hundredths / 100);
        text += '.';
        text += static_cast<char>('0' + hundredths % 100 / 10);
        text += static_cast<char>('0' + hundredths % 10);
        return text;
    }
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%ld.%02ld", hundredths / 100, hundredths % 100);
    return std::string(buffer.data());
}

int AgeOn(const Date& birth, const Date& day, bool byYear) {
    int age = day.year - birth.year;
    if (!byYear && (day.month < birth.month || (day.month == birth.month && day.day < birth.day))) {
        --age;
    }
    return age;
}

// The swimmer's sport class for a stroke: the breaststroke class, the medley class, else the
// one for freestyle, backstroke and butterfly; and the HANDICAP attribute that holds it.
std::pair<const std::string&, const char*> ClassFor(const Owner& owner, std::string_view stroke) {
    if (stroke == "BREAST") {
        return {owner.classBreast, "breast"};
    }
    if (stroke == "MEDLEY") {
        return {owner.classMedley, "medley"};
    }
    return {owner.classFree, "free"};
}

// Whether a sport class is a list's: as numbers where both are ("08" is 8), else as written.
bool SameClass(std::string_view sportClass, std::string_view listClass) {
    long a = 0;
    long b = 0;
    const auto numberA =
        std::from_chars(sportClass.data(), sportClass.data() + sportClass.size(), a);
    const auto numberB = std::from_chars(listClass.data(), listClass.data() + listClass.size(), b);
    if (numberA.ec == std::errc() && numberA.ptr == sportClass.data() + sportClass.size() &&
        numberB.ec == std::errc() && numberB.ptr == listClass.data() + listClass.size()) {
        return a == b;
    }
    return sportClass == listClass;
}

struct Comparison {
    const StandardList* list = nullptr;
    const Standard* standard = nullptr;
    long margin = 0; // how far inside the standard the swim is; below 0 it misses
    TimeInCourse swim;
};

} // namespace

std::optional<int> AgeAtMeet(const Date& birth, const MeetPart& part) {
    Date day = part.ageDate;
    bool byYear = part.ageDateType != "DATE";
    if (part.ageDateType.empty() || day.year == 0) {
        day = part.firstSession;
        byYear = true;
    }
    if (birth.year == 0 || day.year == 0) {
        return std::nullopt;
    }
    return AgeOn(birth, day, byYear);
}

std::optional<int> AgeOfSwimmer(const Owner& swimmer, const MeetPart& part) {
    if (const std::optional<int> age = AgeAtMeet(swimmer.birth, part); age) {
        return age;
    }
    return swimmer.birth.year == 0 && swimmer.age >= 0 ? std::optional<int>(swimmer.age)
                                                       : std::nullopt;
}

bool ListServesEvent(const StandardList& list, const Event& event) {
    if (list.type != "MAXIMUM" && list.type != "MINIMUM" && !list.type.empty()) {
        return false; // DEFAULT lists are fallback times, not qualifying standards
    }
    if (event.hasRefs) {
        bool named = false;
        for (const std::string& ref : event.refs) {
            named = named || ref == list.id;
        }
        if (!named) {
            return false;
        }
    }
    return true;
}

// Whether a list that serves the event applies to the swimmer or team: gender and age group.
bool ListAppliesTo(const StandardList& list, const Owner& owner, const MeetPart& part) {
    if (list.gender != "X" && !list.gender.empty() && list.gender != owner.gender) {
        return false;
    }
    if (list.agemin == -1 && list.agemax == -1) {
        return true;
    }
    if (owner.relay) {
        const bool aboveMin =
            list.agemin == -1 || (owner.agemin != -1 && owner.agemin >= list.agemin);
        const bool belowMax =
            list.agemax == -1 || (owner.agemax != -1 && owner.agemax <= list.agemax);
        return aboveMin && belowMax;
    }
    const std::optional<int> age = AgeOfSwimmer(owner, part);
    if (!age) {
        return false; // no age to place in an age group
    }
    return (list.agemin == -1 || *age >= list.agemin) && (list.agemax == -1 || *age <= list.agemax);
}

const Standard* StandardFor(const StandardList& list, const Event& event, const std::string& course,
                            const IndividualEvent* identity) {
    const PoolInfo* listPool = PoolOfCourse(list.course.empty() ? course : list.course);
    for (const Standard& standard : list.standards) {
        if (standard.hundredths < 0 || standard.stroke != event.stroke ||
            standard.relaycount != event.relaycount || standard.technique != event.technique) {
            continue;
        }
        const IndividualEvent* same =
            identity != nullptr && listPool != nullptr
                ? EventOfSwimStyle(standard.stroke, standard.distance, *listPool)
                : nullptr;
        if (same != nullptr ? same == identity : standard.distance == event.distance) {
            return &standard;
        }
    }
    return nullptr;
}

const EventFacts& EventFactsCache::Of(std::size_t index, const std::string& course) {
    EventFacts& facts = facts_[index];
    if (facts.known) {
        return facts;
    }
    const Event& event = meet_.events[index];
    facts.known = true;
    facts.name = EventTitle(event);
    facts.pooled = PoolOfCourse(course) != nullptr || PoolOfCourse(event.course) != nullptr;
    for (const StandardList& list : meet_.lists) {
        facts.served.push_back(ListServesEvent(list, event));
    }
    if (facts.pooled) {
        // The event's distance as the file writes it, in the file's course for it.
        facts.identity = IdentityOf(event, event.course, course);
        for (const StandardList& list : meet_.lists) {
            facts.standards.push_back(StandardFor(list, event, course, facts.identity));
        }
    }
    return facts;
}

void Judge(const PlainMeet& meet, const Event& event, const EventFacts& facts, const Owner& owner,
           const MeetPart& part, const std::string& course, SwimInCourse& swim, ReportRow& row) {
    const IndividualEvent* identity = swim.Identity();
    bool any = false;
    std::string unavailable;
    Comparison best;
    Comparison closest;
    // A list for a sport class judges only swimmers of that class for the event's stroke.
    const auto [sportClass, classAttribute] = ClassFor(owner, event.stroke);
    // Lists with a standard for the event passed over because the file does not say enough
    // of the swimmer to place them: no gender, no birth date, no sport class.
    bool noGender = false;
    bool noAge = false;
    bool noClass = false;
    for (std::size_t l = 0; l < meet.lists.size(); ++l) {
        const StandardList& list = meet.lists[l];
        if (!facts.served[l]) {
            continue;
        }
        const Standard* standard =
            facts.pooled ? facts.standards[l] : StandardFor(list, event, course, identity);
        if (standard == nullptr) {
            continue;
        }
        if (!ListAppliesTo(list, owner, part)) {
            const bool oneGender = list.gender == "M" || list.gender == "F";
            noGender = noGender || (oneGender && owner.gender.empty());
            const bool ageGroup = list.agemin != -1 || list.agemax != -1;
            noAge =
                noAge || (ageGroup && !owner.relay && (!oneGender || list.gender == owner.gender) &&
                          !AgeAtMeet(owner.birth, part));
            continue;
        }
        if (!list.handicap.empty() && !SameClass(sportClass, list.handicap)) {
            noClass = noClass || sportClass.empty();
            continue;
        }
        Comparison comparison;
        comparison.list = &list;
        comparison.standard = standard;
        comparison.swim = swim.In(list.course.empty() ? course : list.course);
        if (comparison.swim.hundredths < 0) {
            if (unavailable.empty()) {
                unavailable = comparison.swim.why;
            }
            continue;
        }
        any = true;
        const bool minimum = list.type == "MINIMUM";
        comparison.margin = minimum ? comparison.swim.hundredths - standard->hundredths
                                    : standard->hundredths - comparison.swim.hundredths;
        // The tightest list met, and the list missed by the least; the first of a tie.
        if (comparison.margin >= 0 && (best.list == nullptr || comparison.margin < best.margin)) {
            best = comparison;
        }
        if (comparison.margin < 0 &&
            (closest.list == nullptr || comparison.margin > closest.margin)) {
            closest = comparison;
        }
    }
    if (!any) {
        row.verdict = unavailable.empty() ? Verdict::NoStandard : Verdict::NotConverted;
        row.reason = unavailable;
        if (unavailable.empty()) {
            const auto missing = [&row](bool what, const std::string& text) {
                if (what) {
                    row.reason += (row.reason.empty() ? "" : "; ") + text;
                }
            };
            missing(noGender, "no gender for the lists of one gender");
            missing(noAge, "no birth date for the lists of an age group");
            missing(noClass, "no sport class for the " + StrokeName(event.stroke) + " (HANDICAP " +
                                 classAttribute + ") for the lists for sport classes");
        }
        return;
    }
    const Comparison& chosen = best.list != nullptr ? best : closest;
    row.verdict = best.list != nullptr ? Verdict::Meets : Verdict::Misses;
    row.standard = chosen.list->name.empty() ? chosen.list->id : chosen.list->name;
    row.standard_time = chosen.standard->timeText;
    row.standard_course = chosen.list->course.empty() ? course : chosen.list->course;
    row.judged_converted = chosen.swim.converted ? chosen.swim.box : std::string();
    if (row.verdict == Verdict::Misses) {
        row.reason = chosen.list->type == "MINIMUM" ? "faster by " : "slower by ";
        row.reason += Seconds(-chosen.margin);
        row.reason += " s";
    }
    if (chosen.swim.converted) {
        if (!row.reason.empty()) {
            row.reason += ' ';
        }
        row.reason += '(';
        row.reason += chosen.swim.box;
        row.reason += " in ";
        row.reason += row.standard_course;
        row.reason += ')';
    }
}

} // namespace et::meet

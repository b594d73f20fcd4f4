// The walk over a meet's entries: each entry's swim converted to its event's pool exactly as the
// window converts it, checked against the time standard lists that apply to the swimmer, and
// told in one report row.

#include "meet/entry_check.hpp"
#include "meet/entry_rules.hpp"
#include "meet/invitation_rules.hpp"

#include "meet/lenex_values.hpp"
#include "meet/meet_model.hpp"
#include "model/time_text.hpp"
#include "swim/swim.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace et::meet {
namespace {

constexpr std::size_t kProgressEvery = 1024;

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

std::string EventName(const Event& event) {
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

// The window offers no 50 in pools of 33 1/3 or 20 lengths, nor the 1500 in those yard pools.
bool WindowOffers(const IndividualEvent& event, const PoolInfo& pool) {
    const bool oddLengths = pool.turnsPerHundred == 2 || pool.turnsPerHundred == 4;
    if (!oddLengths) {
        return true;
    }
    return event.distance != 50 && !(event.distance == 1500 && pool.type == kYardPools);
}

int AgeOn(const Date& birth, const Date& day, bool byYear) {
    int age = day.year - birth.year;
    if (!byYear && (day.month < birth.month || (day.month == birth.month && day.day < birth.day))) {
        --age;
    }
    return age;
}

// A swim's time in some pool: a number of hundredths, or why there is none.
struct TimeThere {
    long hundredths = -1;
    bool converted = false;
    std::string box; // the box text when converted ("1.01.4")
    std::string why;
};

// The calculator's event of an event's swim style, when it has one: its distance is read in the
// event's pool (as the meet is held, else as the file has it, else the entry's).
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

// One entry's swim: its time in its own pool, and its time in another pool as the window's box
// for that pool shows it, worked out for the pools asked for only.
class Swim {
public:
    // A swim of the event made in entryCourse, the event's distance read in course (else in
    // entryCourse).
    Swim(const Event& event, const std::string& course, std::string entryCourse, long hundredths)
        : Swim(event, IdentityOf(event, course, entryCourse), std::move(entryCourse), hundredths) {}
    // The same with the calculator's event of the swim already known.
    Swim(const Event& event, const IndividualEvent* identity, std::string entryCourse,
         long hundredths)
        : event_(event), identity_(identity), entryCourse_(std::move(entryCourse)),
          hundredths_(hundredths) {}

    // The swim in a course; the last course asked for is kept, as the event's course is asked
    // for again by the list of that course.
    const TimeThere& In(const std::string& course) {
        if (!asked_ || course != askedCourse_) {
            asked_ = true;
            askedCourse_ = course;
            there_ = Convert(course);
        }
        return there_;
    }

    // The calculator's event of the event's swim style, when it has one.
    const IndividualEvent* Identity() const { return identity_; }

private:
    TimeThere Convert(const std::string& course) {
        TimeThere there;
        if (course == entryCourse_) {
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
            there.why = "the window shows no time in " + std::string(target->caption) +
                        " for the " + EventName(event_);
            return there;
        }
        there.hundredths = *value;
        there.converted = true;
        there.box = std::string(text);
        return there;
    }

    void Work() {
        if (worked_) {
            return;
        }
        worked_ = true;
        why_ = Converts();
    }

    // The time typed in the entry's pool as the window takes it; empty or why not.
    std::string Converts() {
        if (!event_.hasStyle) {
            return "the event has no swim style";
        }
        if (event_.relaycount > 1) {
            return "relays are not converted";
        }
        if (!event_.technique.empty()) {
            return "a " + event_.technique + " swim is not converted";
        }
        const PoolInfo* pool = PoolOfCourse(entryCourse_);
        if (pool == nullptr) {
            return "no conversion from " + entryCourse_;
        }
        const IndividualEvent* identity = identity_;
        if (identity == nullptr) {
            return "the " + EventName(event_) + " has no conversion";
        }
        if (!WindowOffers(*identity, *pool)) {
            return "the " + EventName(event_) + " cannot be swum in " + std::string(pool->caption);
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

    const Event& event_;
    const IndividualEvent* identity_;
    std::string entryCourse_;
    long hundredths_;
    bool worked_ = false;
    std::string why_;
    TypedSwim typed_; // the entry's time as the window's time box takes it
    bool asked_ = false;
    std::string askedCourse_;
    TimeThere there_;
};

// Whether a list is a qualifying standard for the event: the event names it (or names none).
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
    Date day = part.ageDate;
    bool byYear = part.ageDateType != "DATE";
    if (part.ageDateType.empty() || day.year == 0) {
        day = part.firstSession;
        byYear = true;
    }
    if (owner.birth.year == 0 || day.year == 0) {
        return false; // no age to place in an age group
    }
    const int age = AgeOn(owner.birth, day, byYear);
    return (list.agemin == -1 || age >= list.agemin) && (list.agemax == -1 || age <= list.agemax);
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

// The list's standard for the event's swim style, if it has one with a time.
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

// What every entry of one event shares, worked out once in a check: its name, its calculator
// event when the event's own pool tells it, and each list's standard for it.
struct EventFacts {
    bool known = false;
    std::string name;
    bool pooled = false; // false when only an entry's own pool can tell the calculator event
    const IndividualEvent* identity = nullptr;
    std::vector<const Standard*> standards; // by list, when pooled
    std::vector<bool> served;               // by list: ListServesEvent
};

class EventFactsCache {
public:
    explicit EventFactsCache(const Meet& meet) : meet_(meet), facts_(meet.events.size()) {}

    // The facts of meet.events[index], checked in course (the same course every time).
    const EventFacts& Of(std::size_t index, const std::string& course) {
        EventFacts& facts = facts_[index];
        if (facts.known) {
            return facts;
        }
        const Event& event = meet_.events[index];
        facts.known = true;
        facts.name = EventName(event);
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

private:
    const Meet& meet_;
    std::vector<EventFacts> facts_;
};

struct Comparison {
    const StandardList* list = nullptr;
    const Standard* standard = nullptr;
    long margin = 0; // how far inside the standard the swim is; below 0 it misses
    TimeThere swim;
};

void Judge(const Meet& meet, const Event& event, const EventFacts& facts, const Owner& owner,
           const MeetPart& part, const std::string& course, Swim& swim, ReportRow& row) {
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

// What an entry's own status says: the documented ones by name.
std::string StatusMeaning(std::string_view status) {
    if (status == "WDR") {
        return "withdrawn";
    }
    if (status == "RJC") {
        return "rejected";
    }
    if (status == "SICK") {
        return "sick";
    }
    if (status == "DNS") {
        return "did not start";
    }
    return "a status the format does not document; the entry is not judged";
}

// Works out one entry's row into row (a row used before: its texts keep their room, so that a
// large meet's rows need no memory of their own); a conversion to write back is added to
// conversions.
void CheckEntry(const Meet& meet, std::size_t index,
                const std::optional<std::string>& courseOverride, Locator& locator,
                EventFactsCache& cache, std::vector<Conversion>& conversions, ReportRow& row) {
    const Entry& entry = meet.entries[index];
    const Owner& owner = meet.owners[entry.owner];
    const MeetPart& part = meet.parts[owner.part];
    row = ReportRow();
    row.club = owner.club;
    row.athleteid = owner.athleteid;
    row.athlete = owner.name;
    row.eventid = meet.Text(entry.eventid);
    row.entry_time = meet.Text(entry.entrytime);
    row.entry_course = meet.Text(entry.entrycourse);

    const auto fail = [&](const std::string& message) {
        row.verdict = Verdict::Error;
        row.reason = locator.At(entry.tag) + ": " + message;
    };
    const auto found = entry.eventid.present() ? part.events.find(row.eventid) : part.events.end();
    const bool known = found != part.events.end();
    const EventFacts* facts = nullptr;
    if (known) {
        row.course = courseOverride ? *courseOverride : meet.events[found->second].course;
        facts = &cache.Of(found->second, row.course);
        row.event = facts->name;
    }
    // The entry's own status comes first: a withdrawn or rejected entry (or one of a status the
    // format does not know) is neither judged nor converted.
    const std::string status = meet.Text(entry.status);
    if (!status.empty() && status != "EXH") {
        row.verdict = Verdict::Withdrawn;
        row.reason = "entry status " + status + ": " + StatusMeaning(status);
        return;
    }
    const auto addStatus = [&] {
        if (!status.empty()) {
            row.reason += (row.reason.empty() ? "" : "; ") + ("entry status " + status);
        }
    };
    if (!entry.eventid.present()) {
        return fail("the entry has no eventid");
    }
    if (!known) {
        return fail("eventid '" + row.eventid + "' is no event of the meet");
    }
    const Event& event = meet.events[found->second];

    if (!entry.entrytime.present() || row.entry_time == "NT") {
        row.verdict = Verdict::NoTime;
        addStatus();
        return;
    }
    const auto hundredths = ParseLenexTime(row.entry_time);
    if (!hundredths) {
        return fail("entrytime '" + row.entry_time +
                    "' is no Lenex swim time like 00:01:02.34 (hours:minutes:seconds.hundredths)");
    }
    // Meet programs write a zero for an entry without a time: it is no swim.
    if (*hundredths == 0) {
        row.verdict = Verdict::NoTime;
        row.reason = "entry time 00:00:00.00 stands for no time";
        addStatus();
        return;
    }
    if (row.course.empty()) {
        return fail("the event's course is not known: neither its session nor the meet names one");
    }
    if (!IsLenexCourse(row.course)) {
        return fail("course '" + row.course + "' of the event is no Lenex course");
    }
    // Where the qualifying swim was made, when the entry's MEETINFO tells it.
    const std::string meetinfoCourse = meet.Text(entry.meetinfoCourse);
    if (entry.meetinfoCourse.present() && !IsLenexCourse(meetinfoCourse)) {
        return fail("MEETINFO course '" + meetinfoCourse + "' is no Lenex course");
    }
    long qualifyingTime = -1; // none: MEETINFO gives no qualifying time (or a zero)
    if (entry.qualificationtime.present()) {
        const std::string text = meet.Text(entry.qualificationtime);
        const std::optional<long> parsed = ParseLenexTime(text);
        if (!parsed) {
            return fail("MEETINFO qualificationtime '" + text +
                        "' is no Lenex swim time like 00:01:02.34 "
                        "(hours:minutes:seconds.hundredths)");
        }
        qualifyingTime = *parsed == 0 ? -1 : *parsed;
    }
    const bool qualifying = qualifyingTime >= 0;
    // The course of the entry time, as the file gives it (a course chosen for the meet changes
    // only the pool it is checked in): its entrycourse; else, when MEETINFO gives no other
    // qualification time, the entry time is the qualifying swim and MEETINFO's course is its
    // course; else the event's.
    std::string entryCourse = event.course;
    if (entry.entrycourse.present()) {
        entryCourse = row.entry_course;
        if (!IsLenexCourse(entryCourse)) {
            return fail("entrycourse '" + entryCourse + "' is no Lenex course");
        }
        if (entry.meetinfoCourse.present() && !qualifying && meetinfoCourse != entryCourse) {
            return fail("entrycourse '" + entryCourse + "' and MEETINFO course '" + meetinfoCourse +
                        "' disagree on the pool the entry time was swum in; the entry is not "
                        "converted");
        }
    } else if (entry.meetinfoCourse.present() && !qualifying) {
        entryCourse = meetinfoCourse;
    } else if (entryCourse.empty()) {
        return fail("the course of the entry time is not known: no entrycourse, no MEETINFO "
                    "course, and neither the event's session nor the meet names one");
    } else if (!IsLenexCourse(entryCourse)) {
        return fail("course '" + entryCourse + "' of the event is no Lenex course");
    }
    row.entry_course = entryCourse;

    const auto identityIn = [&](const std::string& swumCourse) {
        return facts->pooled ? facts->identity : IdentityOf(event, event.course, swumCourse);
    };
    Swim swim(event, identityIn(entryCourse), entryCourse, *hundredths);
    // An entry whose MEETINFO holds a qualifying swim other than its entry time has no room left
    // for its original entry time: its time stays as it was, and the qualifying swim is judged.
    const std::string qualifyingCourse =
        entry.meetinfoCourse.present() ? meetinfoCourse : entryCourse;
    const bool kept = qualifying && entryCourse != row.course &&
                      (qualifyingTime != *hundredths || qualifyingCourse != entryCourse);
    if (entryCourse != row.course && !kept) {
        const TimeThere converted = swim.In(row.course);
        if (converted.hundredths < 0) {
            row.verdict = Verdict::NotConverted;
            row.reason = converted.why;
            addStatus();
            return;
        }
        row.converted_time = converted.box;
        conversions.push_back({index, converted.hundredths, CourseOfPool(*PoolOfCourse(row.course)),
                               CourseOfPool(*PoolOfCourse(entryCourse))});
    }
    if (qualifying) {
        // The qualifying swim, in MEETINFO's course, else in the entry time's.
        row.qualifying_time = meet.Text(entry.qualificationtime);
        row.qualifying_course = qualifyingCourse;
        row.judged_time = row.qualifying_time;
        row.judged_course = row.qualifying_course;
        Swim qualifyingSwim(event, identityIn(row.qualifying_course), row.qualifying_course,
                            qualifyingTime);
        Judge(meet, event, *facts, owner, part, row.course, qualifyingSwim, row);
    } else {
        row.judged_time = row.entry_time;
        row.judged_course = entryCourse;
        Judge(meet, event, *facts, owner, part, row.course, swim, row);
    }
    if (kept) {
        row.reason += (row.reason.empty() ? "" : "; ") +
                      ("entry time kept as it was, in " + entryCourse +
                       ": MEETINFO holds the qualifying swim and the entry has no room for both");
    }
    addStatus();
}

void Count(Counts& counts, const ReportRow& row) {
    ++counts.read;
    counts.converted += row.converted_time.empty() ? 0U : 1U;
    switch (row.verdict) {
    case Verdict::Meets:
        ++counts.meeting;
        break;
    case Verdict::Misses:
        ++counts.missing;
        break;
    case Verdict::NotConverted:
        ++counts.notConverted;
        break;
    case Verdict::Error:
        ++counts.errors;
        break;
    case Verdict::Ineligible:
        ++counts.ineligible;
        break;
    case Verdict::Withdrawn:
        ++counts.withdrawn;
        break;
    case Verdict::NoStandard:
    case Verdict::NoTime:
        break;
    }
}

// Whether two entries are of one club (whose entries the file lists together).
bool SameClub(const Meet& meet, std::size_t a, std::size_t b) {
    const Owner& first = meet.owners[meet.entries[a].owner];
    const Owner& second = meet.owners[meet.entries[b].owner];
    return first.part == second.part && first.club == second.club;
}

// The characters that make a CSV field quoted, by byte.
constexpr std::array<bool, 256> kQuoted = [] {
    std::array<bool, 256> quoted{};
    for (const char c : {',', '"', '\r', '\n'}) {
        quoted[static_cast<unsigned char>(c)] = true;
    }
    return quoted;
}();

bool NeedsQuotes(std::string_view field) {
    bool quoted = false;
    for (const char c : field) {
        quoted |= kQuoted[static_cast<unsigned char>(c)];
    }
    return quoted;
}

void AppendField(std::string& out, std::string_view field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    // Quoted, each quote doubled.
    out += '"';
    std::size_t from = 0;
    for (std::size_t quote = field.find('"'); quote != std::string_view::npos;
         quote = field.find('"', quote + 1)) {
        out += field.substr(from, quote + 1 - from);
        out += '"';
        from = quote + 1;
    }
    out += field.substr(from);
    out += '"';
}

} // namespace

TimeInCourse SwimTimeIn(const Event& event, const std::string& swumCourse, long hundredths,
                        const std::string& course) {
    Swim swim(event, swumCourse, swumCourse, hundredths);
    TimeThere there = swim.In(course);
    return {there.hundredths, there.converted, std::move(there.box), std::move(there.why)};
}

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

std::string EventTitle(const Event& event) {
    return EventName(event);
}

void AddToCounts(Counts& counts, const ReportRow& row) {
    Count(counts, row);
}

void AppendCsvField(std::string& out, std::string_view field) {
    AppendField(out, field);
}

std::string_view VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Meets:
        return "meets";
    case Verdict::Misses:
        return "misses";
    case Verdict::NoStandard:
        return "no standard";
    case Verdict::NoTime:
        return "no time";
    case Verdict::NotConverted:
        return "not converted";
    case Verdict::Ineligible:
        return "ineligible";
    case Verdict::Withdrawn:
        return "withdrawn";
    case Verdict::Error:
        break;
    }
    return "error";
}

bool IsKnownCourse(std::string_view lenexCourse) {
    return IsLenexCourse(lenexCourse);
}

CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride,
                         const Progress& progress, const RowSink& sink) {
    CheckResult result;
    Locator locator(meet);
    const std::size_t total = meet.entries.size();
    if (!sink) {
        result.rows.reserve(total);
    }
    result.conversions.reserve(total);
    result.verdicts.reserve(total);
    EventFactsCache cache(meet);
    // Where the invitation limits entries, a club's rows are held until its last entry is
    // checked; otherwise each row goes as it is made.
    const bool rules = HasInvitationRules(meet);
    std::vector<ReportRow> held(1);
    std::size_t heldCount = 0;
    std::size_t heldFirst = 0;
    const auto release = [&] {
        if (rules) {
            ApplyLimits(meet, heldFirst, held, heldCount, result.conversions);
        }
        for (std::size_t k = 0; k < heldCount; ++k) {
            result.verdicts.push_back(held[k].verdict);
            Count(result.counts, held[k]);
            if (sink) {
                sink(held[k]);
            } else {
                result.rows.push_back(std::move(held[k]));
            }
        }
        heldCount = 0;
    };
    for (std::size_t i = 0; i < total; ++i) {
        if (progress && i % kProgressEvery == 0 && !progress(i, total)) {
            result.cancelled = true;
            return result;
        }
        if (heldCount > 0 && !SameClub(meet, heldFirst, i)) {
            release();
        }
        if (heldCount == 0) {
            heldFirst = i;
        }
        if (heldCount == held.size()) {
            held.emplace_back();
        }
        ReportRow& row = held[heldCount++];
        CheckEntry(meet, i, courseOverride, locator, cache, result.conversions, row);
        if (rules) {
            ApplyEntryRules(meet, i, row);
        } else {
            release();
        }
    }
    release();
    if (progress && !progress(total, total)) {
        result.cancelled = true;
    }
    return result;
}

CheckResult CheckCandidates(const Meet& meet, const std::vector<Owner>& owners,
                            const std::vector<CandidateEntry>& candidates) {
    CheckResult result;
    result.rows.reserve(candidates.size());
    result.verdicts.reserve(candidates.size());
    EventFactsCache cache(meet);
    for (const CandidateEntry& candidate : candidates) {
        const Owner& owner = owners[candidate.owner];
        const MeetPart& part = meet.parts[owner.part];
        const Event& event = meet.events[candidate.event];
        ReportRow& row = result.rows.emplace_back();
        row.club = owner.club;
        row.athleteid = owner.athleteid;
        row.athlete = owner.name;
        row.eventid = event.id;
        row.course = event.course;
        const EventFacts& facts = cache.Of(candidate.event, row.course);
        row.event = facts.name;
        row.entry_time = LenexTimeText(candidate.hundredths);
        row.entry_course = event.course;
        row.qualifying_time = LenexTimeText(candidate.swum);
        row.qualifying_course = candidate.swumCourse;
        row.judged_time = row.qualifying_time;
        row.judged_course = row.qualifying_course;
        Swim swim(event,
                  facts.pooled ? facts.identity
                               : IdentityOf(event, event.course, candidate.swumCourse),
                  candidate.swumCourse, candidate.swum);
        Judge(meet, event, facts, owner, part, row.course, swim, row);
        const RuleVerdict rules = EntryRules(part, event, owner, candidate.day, {});
        if (rules.eligibility != Eligibility::Eligible) {
            row.verdict =
                rules.eligibility == Eligibility::Error ? Verdict::Error : Verdict::Ineligible;
            row.reason = rules.reason;
        } else if (!rules.note.empty()) {
            row.reason += (row.reason.empty() ? "" : "; ") + rules.note;
        }
        result.verdicts.push_back(row.verdict);
        Count(result.counts, row);
    }
    return result;
}

CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride,
                         const Progress& progress) {
    return CheckEntries(meet, courseOverride, progress, RowSink());
}

void AppendReportCsvRow(std::string& out, const ReportRow& row) {
    const std::array<std::string_view, 19> fields = {
        row.club,           row.athleteid,       row.athlete,           row.eventid,
        row.event,          row.entry_time,      row.entry_course,      row.course,
        row.converted_time, row.standard,        row.standard_time,     VerdictText(row.verdict),
        row.reason,         row.qualifying_time, row.qualifying_course, row.judged_time,
        row.judged_course,  row.standard_course, row.judged_converted};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendField(out, fields[i]);
    }
    out += "\r\n";
}

std::string ReportCsv(const std::vector<ReportRow>& rows) {
    std::string out(kReportHeader);
    out += "\r\n";
    for (const ReportRow& row : rows) {
        AppendReportCsvRow(out, row);
    }
    return out;
}

} // namespace et::meet

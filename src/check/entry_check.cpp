// The walk over a meet's entries: each entry's swim converted to its event's pool exactly as the
// window converts it, checked against the time standard lists that apply to the swimmer, and
// told in one report row.

#include "check/entry_check.hpp"

#include "check/invitation_rules.hpp"
#include "check/standard_lists.hpp"
#include "check/swim_in_course.hpp"
#include "check/swim_values.hpp"

#include <utility>

namespace et::meet {
namespace {

constexpr std::size_t kProgressEvery = 1024;

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

// A status that takes the entry out of the meet: any but an exhibition swim's.
bool TakesOut(const std::string& status) {
    return !status.empty() && status != "EXH";
}

void AddReason(ReportRow& row, const std::string& text) {
    row.reason += (row.reason.empty() ? "" : "; ") + text;
}

// The row's columns of the swimmer or relay team.
void OwnerColumns(const Owner& owner, ReportRow& row) {
    row.club = owner.club;
    row.athleteid = owner.athleteid;
    row.athlete = owner.name;
}

// "entrycourse 'SCX'"
std::string Named(std::string_view what, const std::string& value) {
    return std::string(what) + " '" + value + "'";
}

// Whether the entry gives a qualifying swim of its own (a zero stands for none).
bool GivesQualifyingSwim(const EntryFacts& facts) {
    return facts.swumTime.kind == GivenTime::Kind::Swim && facts.swumTime.hundredths != 0;
}

// The course the entry time was swum in as the entry gives it, whatever its verdict: its entry
// course; else, when it gives no other qualifying swim, the entry time is the qualifying swim and
// that swim's course is its course; else the event's as the file gives it.
std::string EntryTimeCourse(const EntryFacts& facts, const Event* event) {
    if (facts.entryCourse.given) {
        return facts.entryCourse.text;
    }
    if (facts.swumCourse.given && !GivesQualifyingSwim(facts)) {
        return facts.swumCourse.text;
    }
    return event != nullptr ? event->course : std::string();
}

// An entry's swims as the check takes them.
struct EntrySwims {
    long entryTime = 0;
    std::string entryCourse;
    long qualifyingTime = -1; // -1: the entry gives no qualifying swim of its own
    std::string qualifyingCourse;
};

// The rows of one club, held until its last entry is checked where the invitation limits
// entries (the limits weigh a club's entries together), with what the limits count of each.
class HeldRows {
public:
    // The row of the next entry, of owner's club.
    ReportRow& Next(std::uint32_t owner) {
        if (count_ == 0) {
            owner_ = owner;
        }
        if (count_ == rows_.size()) {
            rows_.emplace_back();
            limited_.emplace_back();
        }
        return rows_[count_++];
    }
    LimitedEntry& Limited() { return limited_[count_ - 1]; }
    bool empty() const { return count_ == 0; }
    // The owner of the club's first entry.
    std::uint32_t owner() const { return owner_; }

    // Each held row handed on (to the result or the sink), in order; the limits applied first
    // when the meet has them.
    template <typename Take>
    void Release(const MeetPart* limits, const std::vector<Event>& events, Take&& take) {
        if (limits != nullptr) {
            ApplyLimits(*limits, events, limited_, rows_, count_);
        }
        for (std::size_t k = 0; k < count_; ++k) {
            take(rows_[k]);
        }
        count_ = 0;
    }

private:
    // Rows used again from club to club: their texts keep their room, so that a large meet's
    // rows need no memory of their own.
    std::vector<ReportRow> rows_;
    std::vector<LimitedEntry> limited_;
    std::size_t count_ = 0;
    std::uint32_t owner_ = 0;
};

// One entry's row worked out from its facts.
class EntryChecker {
public:
    EntryChecker(const PlainMeet& meet, EntrySource& source,
                 const std::optional<std::string>& courseOverride,
                 std::vector<Conversion>& conversions)
        : meet_(meet), source_(source), words_(source.Words()), courseOverride_(courseOverride),
          cache_(meet), conversions_(conversions) {}

    // Works out entry index's row into row; limited gets what the limits count of it. A
    // conversion to write back is added to the conversions.
    void Check(std::size_t index, const EntryFacts& facts, ReportRow& row, LimitedEntry& limited) {
        const Owner& owner = meet_.owners[facts.entrant.owner];
        StartRow(owner, facts, row);
        limited = {facts.entrant.owner, owner.relay, facts.entrant.event, -1};
        const Event* event = nullptr;
        const EventFacts* eventFacts = nullptr;
        if (facts.entrant.event != kNoEvent) {
            event = &meet_.events[facts.entrant.event];
            row.course = courseOverride_ ? *courseOverride_ : event->course;
            eventFacts = &cache_.Of(facts.entrant.event, row.course);
            row.event = eventFacts->name;
        }
        // The entry's own status comes first: a withdrawn or rejected entry (or one of a status
        // the format does not know) is neither judged nor converted.
        if (TakesOut(facts.status)) {
            row.verdict = Verdict::Withdrawn;
            row.reason = "entry status " + facts.status + ": " + StatusMeaning(facts.status);
            row.entry_course = EntryTimeCourse(facts, event);
            return;
        }
        if (!facts.lacking.empty()) {
            return Fail(index, facts.lacking, row);
        }
        if (!facts.eventid.given) {
            return Fail(index, "the entry has no " + std::string(words_.event), row);
        }
        if (event == nullptr) {
            return Fail(index, Named(words_.event, row.eventid) + " is no event of the meet", row);
        }
        if (!HasTime(index, facts, row)) {
            return;
        }
        EntrySwims swims;
        swims.entryTime = facts.entryTime.hundredths;
        if (std::string error = ReadSwims(facts, *event, row.course, swims); !error.empty()) {
            return Fail(index, error, row);
        }
        row.entry_course = swims.entryCourse;
        limited.hundredths = swims.entryTime;
        SwimInCourse swim(*event, eventFacts->IdentityIn(*event, swims.entryCourse),
                          swims.entryCourse, swims.entryTime);
        if (ConvertEntryTime(index, swim, swims, row, limited)) {
            JudgeSwim(facts, *event, *eventFacts, owner, swims, swim, row);
        }
        AddStatus(facts, row);
    }

private:
    static void StartRow(const Owner& owner, const EntryFacts& facts, ReportRow& row) {
        row = ReportRow();
        OwnerColumns(owner, row);
        row.eventid = facts.eventid.text;
        row.entry_time = facts.entryTime.text;
        row.entry_course = facts.entryCourse.text;
    }

    void Fail(std::size_t index, const std::string& message, ReportRow& row) {
        row.verdict = Verdict::Error;
        row.reason = source_.Where(index) + ": " + message;
    }

    static void AddStatus(const EntryFacts& facts, ReportRow& row) {
        if (!facts.status.empty()) {
            AddReason(row, "entry status " + facts.status);
        }
    }

    // False when the entry has no time to judge (its row then says so, or is an error).
    bool HasTime(std::size_t index, const EntryFacts& facts, ReportRow& row) {
        const GivenTime& time = facts.entryTime;
        if (time.kind == GivenTime::Kind::Unreadable) {
            Fail(index,
                 Named(words_.entryTime, time.text) + " is no " + std::string(words_.timeForm),
                 row);
            return false;
        }
        if (time.kind == GivenTime::Kind::Swim && time.hundredths != 0) {
            return true;
        }
        row.verdict = Verdict::NoTime;
        // Meet programs write a zero for an entry without a time: it is no swim.
        if (time.kind == GivenTime::Kind::Swim) {
            row.reason = "entry time " + time.text + " stands for no time";
        }
        AddStatus(facts, row);
        return false;
    }

    // The event's course, the qualifying swim, and the course of the entry time, as the entry
    // gives them (a course chosen for the meet changes only the pool it is checked in); empty,
    // or what stops the entry.
    std::string ReadSwims(const EntryFacts& facts, const Event& event, const std::string& course,
                          EntrySwims& swims) const {
        const std::string courseForm(words_.courseForm);
        if (course.empty()) {
            return "the event's course is not known: neither its session nor the meet names one";
        }
        if (!IsLenexCourse(course)) {
            return "course '" + course + "' of the event is no " + courseForm;
        }
        const GivenText& swumCourse = facts.swumCourse;
        if (swumCourse.given && !IsLenexCourse(swumCourse.text)) {
            return Named(words_.swumCourse, swumCourse.text) + " is no " + courseForm;
        }
        if (facts.swumTime.kind == GivenTime::Kind::Unreadable) {
            return Named(words_.swumTime, facts.swumTime.text) + " is no " +
                   std::string(words_.timeForm);
        }
        const bool qualifying = GivesQualifyingSwim(facts);
        swims.qualifyingTime = qualifying ? facts.swumTime.hundredths : -1;
        swims.entryCourse = EntryTimeCourse(facts, &event);
        if (facts.entryCourse.given) {
            if (!IsLenexCourse(swims.entryCourse)) {
                return Named(words_.entryCourse, swims.entryCourse) + " is no " + courseForm;
            }
            if (swumCourse.given && !qualifying && swumCourse.text != swims.entryCourse) {
                return Named(words_.entryCourse, swims.entryCourse) + " and " +
                       Named(words_.swumCourse, swumCourse.text) +
                       " disagree on the pool the entry time was swum in; the entry is not "
                       "converted";
            }
        } else if (swumCourse.given && !qualifying) {
            // The qualifying swim's course, checked above.
        } else if (swims.entryCourse.empty()) {
            return "the course of the entry time is not known: no " +
                   std::string(words_.entryCourse) + ", no " + std::string(words_.swumCourse) +
                   ", and neither the event's session nor the meet names one";
        } else if (!IsLenexCourse(swims.entryCourse)) {
            return "course '" + swims.entryCourse + "' of the event is no " + courseForm;
        }
        swims.qualifyingCourse = swumCourse.given ? swumCourse.text : swims.entryCourse;
        return {};
    }

    // Whether the entry time is kept as it was: its entry gives another qualifying swim, which
    // leaves no room for the original entry time.
    static bool Kept(const EntrySwims& swims, const std::string& course) {
        return swims.qualifyingTime >= 0 && swims.entryCourse != course &&
               (swims.qualifyingTime != swims.entryTime ||
                swims.qualifyingCourse != swims.entryCourse);
    }

    // The entry time converted into the event's pool when it was swum in another (and kept
    // for writing back); false when the window cannot convert it (the row then says why).
    bool ConvertEntryTime(std::size_t index, SwimInCourse& swim, const EntrySwims& swims,
                          ReportRow& row, LimitedEntry& limited) {
        if (swims.entryCourse == row.course || Kept(swims, row.course)) {
            return true;
        }
        const TimeInCourse converted = swim.In(row.course);
        if (converted.hundredths < 0) {
            row.verdict = Verdict::NotConverted;
            row.reason = converted.why;
            return false;
        }
        row.converted_time = converted.box;
        limited.hundredths = converted.hundredths;
        // A meet's entries are counted in 32 bits (their places are), and a swim's hundredths
        // fit them.
        conversions_.push_back({static_cast<std::uint32_t>(index),
                                static_cast<std::int32_t>(converted.hundredths),
                                CourseOfPool(*PoolOfCourse(row.course)),
                                CourseOfPool(*PoolOfCourse(swims.entryCourse))});
        return true;
    }

    // The qualifying swim the entry gives, else its entry time, judged against the lists.
    void JudgeSwim(const EntryFacts& facts, const Event& event, const EventFacts& eventFacts,
                   const Owner& owner, const EntrySwims& swims, SwimInCourse& entrySwim,
                   ReportRow& row) const {
        const MeetPart& part = meet_.parts[owner.part];
        if (swims.qualifyingTime >= 0) {
            row.qualifying_time = facts.swumTime.text;
            row.qualifying_course = swims.qualifyingCourse;
            row.judged_time = row.qualifying_time;
            row.judged_course = row.qualifying_course;
            SwimInCourse swim(event, eventFacts.IdentityIn(event, row.qualifying_course),
                              row.qualifying_course, swims.qualifyingTime);
            Judge(meet_, event, eventFacts, owner, part, row.course, swim, row);
        } else {
            row.judged_time = row.entry_time;
            row.judged_course = swims.entryCourse;
            Judge(meet_, event, eventFacts, owner, part, row.course, entrySwim, row);
        }
        if (Kept(swims, row.course)) {
            AddReason(row, "entry time kept as it was, in " + swims.entryCourse + ": " +
                               std::string(words_.swum) +
                               " holds the qualifying swim and the entry has no room for both");
        }
    }

    const PlainMeet& meet_;
    EntrySource& source_;
    const EntryWords& words_;
    const std::optional<std::string>& courseOverride_;
    EventFactsCache cache_;
    std::vector<Conversion>& conversions_;
};

// Whether two entrants are of one club (whose entries the file lists together).
bool SameClub(const PlainMeet& meet, std::uint32_t a, std::uint32_t b) {
    const Owner& first = meet.owners[a];
    const Owner& second = meet.owners[b];
    return first.part == second.part && first.club == second.club;
}

} // namespace

bool IsKnownCourse(std::string_view course) {
    return IsLenexCourse(course);
}

CheckResult CheckEntries(const PlainMeet& meet, EntrySource& entries,
                         const std::optional<std::string>& courseOverride, const Progress& progress,
                         const RowSink& sink) {
    CheckResult result;
    const std::size_t total = entries.size();
    if (!sink) {
        result.rows.reserve(total);
    }
    result.conversions.reserve(total);
    result.verdicts.reserve(total);
    EntryChecker checker(meet, entries, courseOverride, result.conversions);
    // Where the invitation states rules, a club's rows are held until its last entry is
    // checked; otherwise each row goes as it is made.
    const bool rules = HasInvitationRules(meet);
    HeldRows held;
    const auto release = [&] {
        const MeetPart* limits = nullptr;
        if (rules && !held.empty()) {
            const MeetPart& part = meet.parts[meet.owners[held.owner()].part];
            limits = HasLimits(part, meet.events) ? &part : nullptr;
        }
        held.Release(limits, meet.events, [&](ReportRow& row) {
            result.verdicts.push_back(row.verdict);
            AddToCounts(result.counts, row);
            if (sink) {
                sink(row);
            } else {
                result.rows.push_back(std::move(row));
            }
        });
    };
    EntryFacts facts;
    for (std::size_t i = 0; i < total; ++i) {
        if (progress && i % kProgressEvery == 0 && !progress(i, total)) {
            result.cancelled = true;
            return result;
        }
        entries.Read(i, facts);
        if (!held.empty() && !SameClub(meet, held.owner(), facts.entrant.owner)) {
            release();
        }
        ReportRow& row = held.Next(facts.entrant.owner);
        checker.Check(i, facts, row, held.Limited());
        if (rules) {
            ApplyEntryRules(meet, entries, i, facts, row);
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

CheckResult CheckCandidates(const PlainMeet& meet, const std::vector<Owner>& owners,
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
        OwnerColumns(owner, row);
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
        SwimInCourse swim(event, facts.IdentityIn(event, candidate.swumCourse),
                          candidate.swumCourse, candidate.swum);
        Judge(meet, event, facts, owner, part, row.course, swim, row);
        const RuleVerdict rules = EntryRules(part, event, owner, candidate.day, {});
        if (rules.eligibility != Eligibility::Eligible) {
            row.verdict =
                rules.eligibility == Eligibility::Error ? Verdict::Error : Verdict::Ineligible;
            row.reason = rules.reason;
        } else if (!rules.note.empty()) {
            AddReason(row, rules.note);
        }
        result.verdicts.push_back(row.verdict);
        AddToCounts(result.counts, row);
    }
    return result;
}

} // namespace et::meet

// Club entries chosen from the season's results and put to the entry check in memory.

#include "club/club_candidates.hpp"

#include "check/invitation_rules.hpp"
#include "check/standard_lists.hpp"
#include "check/swim_values.hpp"
#include "club/best_times.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace et::meet {
namespace {

// Whether the swimmer may swim the event, by the invitation's rules: its gender, and its age
// groups, which a swimmer of no known age is not entered in.
bool MayEnter(const Event& event, const Owner& swimmer, const MeetPart& part) {
    const std::optional<int> age = AgeAtMeet(swimmer.birth, part);
    const bool bounded =
        std::any_of(event.ageGroups.begin(), event.ageGroups.end(),
                    [](const AgeGroup& group) { return group.agemin != -1 || group.agemax != -1; });
    return GenderRule(event.gender, swimmer).empty() && (age || !bounded) &&
           AgeGroupRule(event.ageGroups, swimmer, age, {}).empty();
}

// One swimmer's swim chosen for one event of the invitation: the fastest of the period, else the
// fastest of all, which the period's rule refuses.
struct Candidate {
    std::size_t event = 0; // in the invitation's events
    Best best;
    std::string note; // a faster swim outside the period
};

// The swimmers' best times in each pool of the invitation's events, by event code: in the
// period, and of all swims where the period leaves some out.
class BestsByPool {
public:
    BestsByPool(const Results& results, const SwimFilter& period)
        : results_(results), period_(period), bounded_(!period.from.empty() || !period.to.empty()) {
    }

    struct Pool {
        std::unordered_map<std::int16_t, std::vector<Best>> all; // by event code
        std::unordered_map<std::uint64_t, Best> inPeriod;        // by swimmer and event code
    };

    const Pool& In(const std::string& course) {
        const auto [at, added] = pools_.try_emplace(course);
        if (!added) {
            return at->second;
        }
        SwimFilter all = period_;
        all.from.clear();
        all.to.clear();
        for (const Best& best : BestTimesIn(results_, course, bounded_ ? all : period_).best) {
            at->second.all[results_.swims[best.swim].identity->code].push_back(best);
        }
        if (bounded_) {
            for (const Best& best : BestTimesIn(results_, course, period_).best) {
                const ResultsSwim& swim = results_.swims[best.swim];
                at->second.inPeriod.emplace(Key(swim.swimmer, swim.identity->code), best);
            }
        }
        return at->second;
    }

    // The swim of a swimmer's best of all to enter: the best in the period, else itself.
    Candidate Chosen(const Pool& pool, const Best& ofAll, std::size_t event) const {
        Candidate candidate{event, ofAll, {}};
        if (!bounded_) {
            return candidate;
        }
        const ResultsSwim& swim = results_.swims[ofAll.swim];
        const auto found = pool.inPeriod.find(Key(swim.swimmer, swim.identity->code));
        if (found == pool.inPeriod.end()) {
            return candidate;
        }
        candidate.best = found->second;
        if (ofAll.hundredths < found->second.hundredths) {
            candidate.note = "a faster swim, " + LenexTimeText(swim.hundredths) + " in " +
                             results_.events[swim.event].course + " on " + DayText(swim.day) +
                             ", is outside the period";
        }
        return candidate;
    }

private:
    static std::uint64_t Key(std::uint32_t swimmer, std::int16_t code) {
        return (std::uint64_t{swimmer} << 16) | static_cast<std::uint16_t>(code);
    }

    const Results& results_;
    SwimFilter period_;
    bool bounded_;
    std::map<std::string, Pool> pools_;
};

// Whether an entry of this verdict is written and counts against the limits: one that meets a
// standard, or, when every time is entered, one with no standard to meet.
bool Counted(Verdict verdict, bool all) {
    return verdict == Verdict::Meets || (all && verdict == Verdict::NoStandard);
}

// The candidates of each swimmer of the season (by the season's swimmer), and each one's owner.
struct Gathered {
    std::vector<std::vector<Candidate>> candidates;
    std::vector<Owner> swimmers;
};

// Each swimmer's fastest swim of the qualifying period in each event they may swim; a swimmer
// whose every swim of an event lies outside the period is a candidate with the fastest of them,
// which the period's rule refuses.
Gathered Gather(const Results& results, const PlainMeet& meet,
                const std::vector<InvitationEvent>& events, const std::string& club) {
    const MeetPart& part = meet.parts.front();
    const SwimFilter period{DateText(part.qualifyFrom), DateText(part.qualifyUntil), club};
    BestsByPool bests(results, period);
    Gathered gathered;
    gathered.candidates.resize(results.swimmers.size());
    gathered.swimmers.resize(results.swimmers.size());
    std::vector<char> known(results.swimmers.size());
    for (std::size_t e = 0; e < events.size(); ++e) {
        const InvitationEvent& event = events[e];
        const BestsByPool::Pool& pool = bests.In(event.course);
        const auto found = pool.all.find(event.identity->code);
        if (found == pool.all.end()) {
            continue;
        }
        for (const Best& best : found->second) {
            const std::uint32_t swimmer = results.swims[best.swim].swimmer;
            if (known[swimmer] == 0) {
                known[swimmer] = 1;
                gathered.swimmers[swimmer] = OwnerOf(results.swimmers[swimmer], 0);
            }
            if (MayEnter(meet.events[event.index], gathered.swimmers[swimmer], part)) {
                gathered.candidates[swimmer].push_back(bests.Chosen(pool, best, e));
            }
        }
    }
    return gathered;
}

// The swimmers with a candidate, in the entries file's order: by club, then by name.
std::vector<std::uint32_t> EntriesOrder(const Results& results, const Gathered& gathered) {
    std::vector<std::uint32_t> order;
    for (std::uint32_t s = 0; s < gathered.candidates.size(); ++s) {
        if (!gathered.candidates[s].empty()) {
            order.push_back(s);
        }
    }
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const ResultsSwimmer& x = results.swimmers[a];
        const ResultsSwimmer& y = results.swimmers[b];
        return std::tie(x.club, x.clubCode, x.clubType, x.lastname, x.firstname, a) <
               std::tie(y.club, y.clubCode, y.clubType, y.lastname, y.firstname, b);
    });
    return order;
}

// The candidates checked by the entry check's rules, in memory; a faster swim outside the
// period noted on an entry the check does not refuse.
void PutToCheck(const Results& results, const PlainMeet& meet,
                const std::vector<InvitationEvent>& events, const Gathered& gathered,
                ClubCandidates& chosen) {
    std::vector<const Candidate*> notes;
    for (std::size_t n = 0; n < chosen.swimmers.size(); ++n) {
        chosen.owners.push_back(gathered.swimmers[chosen.swimmers[n]]);
        chosen.owners.back().athleteid = std::to_string(n + 1);
        for (const Candidate& candidate : gathered.candidates[chosen.swimmers[n]]) {
            const ResultsSwim& swim = results.swims[candidate.best.swim];
            chosen.entries.push_back({static_cast<std::uint32_t>(n), events[candidate.event].index,
                                      candidate.best.hundredths, swim.hundredths,
                                      results.events[swim.event].course,
                                      ParseLenexDate(DayText(swim.day))});
            chosen.events.push_back(candidate.event);
            chosen.swims.push_back(candidate.best.swim);
            notes.push_back(&candidate);
        }
    }
    CheckResult check = CheckCandidates(meet, chosen.owners, chosen.entries);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        ReportRow& row = check.rows[i];
        if (row.verdict != Verdict::Error && row.verdict != Verdict::Ineligible &&
            !notes[i]->note.empty()) {
            row.reason += (row.reason.empty() ? "" : "; ") + notes[i]->note;
        }
    }
    chosen.rows = std::move(check.rows);
}

// Within the invitation's limits, a club's entries together in the entry check's order: the
// entries to be written that the meet accepts count.
void KeepWithinLimits(const PlainMeet& meet, bool all, ClubCandidates& chosen) {
    const std::vector<CandidateEntry>& entries = chosen.entries;
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t last = first;
        // A club as the entry check tells one, by its name (clubs of one name are sorted
        // together).
        while (last < entries.size() && chosen.owners[entries[last].owner].club ==
                                            chosen.owners[entries[first].owner].club) {
            ++last;
        }
        std::vector<LimitedEntry> club;
        std::vector<std::size_t> rowOf;
        for (std::size_t i = first; i < last; ++i) {
            if (Counted(chosen.rows[i].verdict, all)) {
                club.push_back({entries[i].owner, false, entries[i].event, entries[i].hundredths});
                rowOf.push_back(i);
            }
        }
        const std::vector<std::string> over = LimitsOver(meet.parts.front(), meet.events, club);
        for (std::size_t k = 0; k < over.size(); ++k) {
            if (!over[k].empty()) {
                chosen.rows[rowOf[k]].verdict = Verdict::Ineligible;
                chosen.rows[rowOf[k]].reason = over[k];
            }
        }
        first = last;
    }
}

// Which entries are written, the counts of the rows, and what the written entries the meet
// accepts cost.
void Tally(const PlainMeet& meet, bool all, ClubCandidates& chosen) {
    std::vector<FeeEntry> accepted;
    chosen.written.resize(chosen.entries.size());
    for (std::size_t i = 0; i < chosen.entries.size(); ++i) {
        const Verdict verdict = chosen.rows[i].verdict;
        AddToCounts(chosen.counts, chosen.rows[i]);
        chosen.written[i] = Counted(verdict, all) || (all && verdict == Verdict::Misses) ? 1 : 0;
        if (chosen.written[i] != 0 && verdict != Verdict::Misses) {
            const CandidateEntry& entry = chosen.entries[i];
            accepted.push_back(
                {0, chosen.owners[entry.owner].club, entry.owner, false, entry.event});
        }
    }
    chosen.fees = FeesOfEntries(meet, accepted);
}

} // namespace

Owner OwnerOf(const ResultsSwimmer& swimmer, std::size_t number) {
    Owner owner;
    owner.club = swimmer.club;
    owner.athleteid = std::to_string(number);
    owner.name = swimmer.lastname + ", " + swimmer.firstname;
    owner.gender = swimmer.gender;
    owner.birth = ParseLenexDate(swimmer.birthdate);
    for (const auto& [name, value] : swimmer.handicap) {
        std::string* sportClass = name == "free"     ? &owner.classFree
                                  : name == "breast" ? &owner.classBreast
                                  : name == "medley" ? &owner.classMedley
                                                     : nullptr;
        if (sportClass != nullptr) {
            *sportClass = value;
        }
    }
    return owner;
}

// The period the entries are chosen in and judged by, from..to of the request (Lenex dates, or
// empty): each end the request names in place of the invitation's. A period with a first day
// and no last ends, as QUALIFY without until does, the day before the meet.
std::string ChoosePeriod(const std::string& from, const std::string& to, MeetPart& part) {
    for (const std::string* date : {&from, &to}) {
        if (!date->empty() && !IsLenexDate(*date)) {
            return "the period's day '" + *date + "' is no date like 2026-03-31";
        }
    }
    if (!from.empty()) {
        part.qualifyFrom = ParseLenexDate(from);
    }
    if (!to.empty()) {
        part.qualifyUntil = ParseLenexDate(to);
    } else if (part.qualifyUntil.year == 0 && part.qualifyFrom.year != 0) {
        part.qualifyUntil = part.beforeMeet;
    }
    return {};
}

bool SameEntriesClub(const ResultsSwimmer& a, const ResultsSwimmer& b) {
    return std::tie(a.club, a.clubCode, a.clubType) == std::tie(b.club, b.clubCode, b.clubType);
}

ClubCandidates ChooseClubEntries(const Results& results, const PlainMeet& meet,
                                 const std::vector<InvitationEvent>& events,
                                 const std::string& club, bool all) {
    const Gathered gathered = Gather(results, meet, events, club);
    ClubCandidates chosen;
    chosen.swimmers = EntriesOrder(results, gathered);
    PutToCheck(results, meet, events, gathered, chosen);
    KeepWithinLimits(meet, all, chosen);
    Tally(meet, all, chosen);
    return chosen;
}

} // namespace et::meet

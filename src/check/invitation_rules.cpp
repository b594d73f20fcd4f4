// The invitation's rules of an entry, each a small function in the words of the invitation.

#include "check/invitation_rules.hpp"

#include "check/standard_lists.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <numeric>
#include <tuple>

namespace et::meet {
namespace {

bool Before(const Date& a, const Date& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

// "10-12", "14", "up to 8", "19 and over", "open"; with its own gender, "11-12 women".
std::string GroupText(const AgeGroup& group) {
    std::string text;
    if (group.agemin == -1 && group.agemax == -1) {
        text = "open";
    } else if (group.agemin == -1) {
        text = "up to " + std::to_string(group.agemax);
    } else if (group.agemax == -1) {
        text = std::to_string(group.agemin) + " and over";
    } else if (group.agemin == group.agemax) {
        text = std::to_string(group.agemin);
    } else {
        text = std::to_string(group.agemin) + "-" + std::to_string(group.agemax);
    }
    if (group.gender == "M") {
        text += " men";
    } else if (group.gender == "F") {
        text += " women";
    }
    return text;
}

bool GenderFits(const std::string& groupGender, const std::string& gender) {
    return (groupGender != "M" && groupGender != "F") || gender.empty() || groupGender == gender;
}

bool InBounds(long age, const AgeGroup& group) {
    return (group.agemin == -1 || age >= group.agemin) &&
           (group.agemax == -1 || age <= group.agemax);
}

// A relay team's own ages (or, for a group by the sum of ages, its sum) inside the event's
// group; a team that states none fits.
bool TeamFits(const Owner& team, const AgeGroup& group) {
    const long low = group.total ? team.agetotalmin : team.agemin;
    const long high = group.total ? team.agetotalmax : team.agemax;
    if (low == -1 && high == -1) {
        return true;
    }
    return (group.agemin == -1 || (low != -1 && low >= group.agemin)) &&
           (group.agemax == -1 || (high != -1 && high <= group.agemax));
}

std::string Plural(long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Counts of a swimmer's or a club's entries against a limit of the meet and its sessions.
class Counter {
public:
    Counter(const MeetPart& part, bool relays) : part_(part), relays_(relays) {}

    // Empty when the entry in session is within the limits (and then counted), else the limit.
    std::string Take(std::size_t session) {
        const long sessionLimit = session < part_.sessions.size()
                                      ? (relays_ ? part_.sessions[session].maxentriesrelay
                                                 : part_.sessions[session].maxentriesathlete)
                                      : -1;
        const long meetLimit = relays_ ? part_.maxentriesrelay : part_.maxentriesathlete;
        const char* one = relays_ ? "relay entry a club" : "entry a swimmer";
        const char* many = relays_ ? "relay entries a club" : "entries a swimmer";
        std::size_t& inSession = bySession_[session];
        if (sessionLimit >= 0 && static_cast<long>(inSession) >= sessionLimit) {
            const std::string& number = part_.sessions[session].number;
            return "over session " + (number.empty() ? std::to_string(session + 1) : number) +
                   "'s limit of " + Plural(sessionLimit, one, many);
        }
        if (meetLimit >= 0 && static_cast<long>(inMeet_) >= meetLimit) {
            return "over the meet's limit of " + Plural(meetLimit, one, many);
        }
        ++inSession;
        ++inMeet_;
        return {};
    }

private:
    const MeetPart& part_;
    bool relays_;
    std::size_t inMeet_ = 0;
    std::map<std::size_t, std::size_t> bySession_;
};

} // namespace

std::string DateText(const Date& day) {
    if (day.year == 0) {
        return {};
    }
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", day.year, day.month, day.day);
    return text.data();
}

std::string PeriodText(const Date& from, const Date& until) {
    if (from.year == 0) {
        return until.year == 0 ? "open" : "up to " + DateText(until);
    }
    return until.year == 0 ? "from " + DateText(from) : DateText(from) + " to " + DateText(until);
}

std::string PeriodRule(const Date& from, const Date& until, const Date& swum) {
    if ((from.year == 0 && until.year == 0) || swum.year == 0) {
        return {};
    }
    const bool early = from.year != 0 && Before(swum, from);
    if (!early && (until.year == 0 || !Before(until, swum))) {
        return {};
    }
    return "swum " + DateText(swum) + (early ? ", before " : ", after ") +
           "the qualifying period " + PeriodText(from, until);
}

std::string GenderRule(std::string_view eventGender, const Owner& entrant) {
    if ((eventGender != "M" && eventGender != "F") || entrant.gender.empty() ||
        entrant.gender == eventGender) {
        return {};
    }
    const std::string event = eventGender == "M" ? "a men's event" : "a women's event";
    if (entrant.relay) {
        const char* team = entrant.gender == "M"   ? "a men's team"
                           : entrant.gender == "F" ? "a women's team"
                                                   : "a mixed team";
        return std::string(team) + " in " + event;
    }
    return (entrant.gender == "M" ? "a male swimmer in " : "a female swimmer in ") + event;
}

std::string AgeGroupRule(const std::vector<AgeGroup>& groups, const Owner& entrant,
                         std::optional<int> age, std::string_view agegroupid) {
    std::vector<const AgeGroup*> candidates;
    bool gendered = false;
    for (const AgeGroup& group : groups) {
        if (agegroupid.empty() || group.id == agegroupid) {
            candidates.push_back(&group);
            gendered = gendered || group.gender == "M" || group.gender == "F";
        }
    }
    if (candidates.empty()) {
        return {}; // no groups (an agegroupid of none is the caller's error)
    }
    if (!entrant.relay && !age) {
        return {};
    }
    for (const AgeGroup* group : candidates) {
        const bool fits = entrant.relay ? TeamFits(entrant, *group) : InBounds(*age, *group);
        if (fits && GenderFits(group->gender, entrant.gender)) {
            return {};
        }
    }
    std::string who;
    if (entrant.relay) {
        const bool total = candidates.front()->total;
        const AgeGroup ages{{},
                            total ? entrant.agetotalmin : entrant.agemin,
                            total ? entrant.agetotalmax : entrant.agemax,
                            {},
                            false};
        who = ages.agemin == -1 && ages.agemax == -1 ? "a team"
              : total ? "a team of ages adding up to " + GroupText(ages)
                      : "a team of " + GroupText(ages);
    } else {
        who = "age " + std::to_string(*age);
    }
    if (gendered && !entrant.gender.empty()) {
        who += entrant.gender == "M" ? ", male" : entrant.gender == "F" ? ", female" : ", mixed";
    }
    if (!agegroupid.empty()) {
        return who + ", not in the entry's age group " + GroupText(*candidates.front());
    }
    std::string list;
    for (const AgeGroup* group : candidates) {
        list += (list.empty() ? "" : ", ") + GroupText(*group);
    }
    return who + ", in none of the event's age groups (" + list + ")";
}

RuleVerdict EntryRules(const MeetPart& part, const Event& event, const Owner& entrant,
                       const std::optional<Date>& swum, std::string_view agegroupid) {
    RuleVerdict verdict;
    if (!event.ageGroupError.empty()) {
        verdict.eligibility = Eligibility::Error;
        verdict.reason = event.ageGroupError;
        return verdict;
    }
    const bool named = std::any_of(event.ageGroups.begin(), event.ageGroups.end(),
                                   [&](const AgeGroup& group) { return group.id == agegroupid; });
    if (!agegroupid.empty() && !named) {
        verdict.eligibility = Eligibility::Error;
        verdict.reason = "ENTRY agegroupid '" + std::string(agegroupid) +
                         "' names no age group of event " + event.id;
        return verdict;
    }
    const std::optional<int> age = entrant.relay ? std::nullopt : AgeOfSwimmer(entrant, part);
    const std::string refusals[] = {
        swum ? PeriodRule(part.qualifyFrom, part.qualifyUntil, *swum) : std::string(),
        GenderRule(event.gender, entrant),
        AgeGroupRule(event.ageGroups, entrant, age, agegroupid),
    };
    for (const std::string& refusal : refusals) {
        if (!refusal.empty()) {
            verdict.reason += (verdict.reason.empty() ? "" : "; ") + refusal;
        }
    }
    if (!verdict.reason.empty()) {
        verdict.eligibility = Eligibility::Ineligible;
        return verdict;
    }
    std::vector<std::string> unchecked;
    if (swum && swum->year == 0 && (part.qualifyFrom.year != 0 || part.qualifyUntil.year != 0)) {
        unchecked.emplace_back("no swim date to check against the qualifying period");
    }
    const bool bounded =
        std::any_of(event.ageGroups.begin(), event.ageGroups.end(),
                    [](const AgeGroup& g) { return g.agemin != -1 || g.agemax != -1; });
    if (!entrant.relay && !age && bounded) {
        unchecked.emplace_back("no birth date to check against the event's age groups");
    }
    for (const std::string& text : unchecked) {
        verdict.note += (verdict.note.empty() ? "" : "; ") + text;
    }
    return verdict;
}

bool HasLimits(const MeetPart& part, const std::vector<Event>& events) {
    bool limited = part.maxentriesathlete >= 0 || part.maxentriesrelay >= 0;
    for (const Session& session : part.sessions) {
        limited = limited || session.maxentriesathlete >= 0 || session.maxentriesrelay >= 0;
    }
    for (const auto& [id, index] : part.events) {
        limited = limited || events[index].maxentries >= 0;
    }
    return limited;
}

std::vector<std::string> LimitsOver(const MeetPart& part, const std::vector<Event>& events,
                                    const std::vector<LimitedEntry>& club) {
    std::vector<std::string> over(club.size());
    // Each event's limit: the club's fastest entries in it, the file's first of a tie.
    std::vector<std::size_t> order(club.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto timeKey = [&](std::size_t i) {
        return std::pair{club[i].hundredths < 0, club[i].hundredths};
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::pair{club[a].event, timeKey(a)} < std::pair{club[b].event, timeKey(b)};
    });
    std::map<std::size_t, long> inEvent;
    for (const std::size_t i : order) {
        const long limit = events[club[i].event].maxentries;
        if (limit >= 0 && inEvent[club[i].event]++ >= limit) {
            over[i] =
                "over the event's limit of " + Plural(limit, "entry a club", "entries a club");
        }
    }
    // Each swimmer's entries and the club's relays in the programme's order.
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return club[a].event < club[b].event; });
    std::map<std::uint32_t, Counter> swimmers;
    Counter relays(part, true);
    for (const std::size_t i : order) {
        if (!over[i].empty()) {
            continue;
        }
        const std::size_t session = events[club[i].event].session;
        if (club[i].relay) {
            over[i] = relays.Take(session);
        } else {
            over[i] =
                swimmers.try_emplace(club[i].entrant, part, false).first->second.Take(session);
        }
    }
    return over;
}

bool HasInvitationRules(const PlainMeet& meet) {
    bool rules = false;
    for (const MeetPart& part : meet.parts) {
        rules = rules || part.qualifyFrom.year != 0 || HasLimits(part, meet.events);
    }
    for (const Event& event : meet.events) {
        rules = rules || event.gender == "M" || event.gender == "F" || !event.ageGroups.empty() ||
                !event.ageGroupError.empty();
    }
    return rules;
}

void ApplyEntryRules(const PlainMeet& meet, EntrySource& entries, std::size_t index,
                     const EntryFacts& facts, ReportRow& row) {
    if (row.verdict == Verdict::Withdrawn || row.verdict == Verdict::Error ||
        facts.entrant.event == kNoEvent) {
        return;
    }
    const Owner& owner = meet.owners[facts.entrant.owner];
    const MeetPart& part = meet.parts[owner.part];
    const EntryWords& words = entries.Words();
    std::optional<Date> swum;
    if (row.verdict != Verdict::NoTime) {
        swum = Date();
        if (facts.swumDay.given && part.qualifyFrom.year != 0) {
            swum = facts.day;
            if (swum->year == 0) {
                row.verdict = Verdict::Error;
                row.reason = entries.Where(index) + ": " + std::string(words.swumDay) + " '" +
                             facts.swumDay.text + "' is not a " + std::string(words.dateForm);
                return;
            }
        }
    }
    const RuleVerdict verdict =
        EntryRules(part, meet.events[facts.entrant.event], owner, swum, facts.agegroupid);
    if (verdict.eligibility == Eligibility::Error) {
        row.verdict = Verdict::Error;
        row.reason = entries.Where(index) + ": " + verdict.reason;
    } else if (verdict.eligibility == Eligibility::Ineligible) {
        row.verdict = Verdict::Ineligible;
        row.reason = verdict.reason;
    } else if (!verdict.note.empty()) {
        row.reason += (row.reason.empty() ? "" : "; ") + verdict.note;
    }
}

void ApplyLimits(const MeetPart& part, const std::vector<Event>& events,
                 const std::vector<LimitedEntry>& entries, std::vector<ReportRow>& rows,
                 std::size_t count) {
    std::vector<LimitedEntry> club;
    std::vector<std::size_t> rowOf;
    for (std::size_t r = 0; r < count; ++r) {
        const Verdict verdict = rows[r].verdict;
        if ((verdict != Verdict::Meets && verdict != Verdict::NoStandard) ||
            entries[r].event == kNoEvent) {
            continue;
        }
        club.push_back(entries[r]);
        rowOf.push_back(r);
    }
    const std::vector<std::string> over = LimitsOver(part, events, club);
    for (std::size_t i = 0; i < over.size(); ++i) {
        if (!over[i].empty()) {
            rows[rowOf[i]].verdict = Verdict::Ineligible;
            rows[rowOf[i]].reason = over[i];
        }
    }
}

} // namespace et::meet

// Club entries from results. Each swimmer's fastest swim of the qualifying period in each event
// they may swim is a candidate entry, checked in memory by the entry check's own rules (the
// time against the invitation's lists, then the invitation's rules of an entry) and kept within
// the invitation's limits in the order the entry check keeps them; the entries made are written
// as a new Lenex file for the invitation's meet, which `entries` reads back with the same
// verdicts.

#include "meet/club_entries.hpp"

#include "meet/entry_rules.hpp"
#include "meet/invitation_rules.hpp"
#include "meet/lenex_values.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace et::meet {
namespace {

struct InvitationEvent {
    std::size_t index = 0; // in Meet::events
    std::string id;
    std::string course;
    const IndividualEvent* identity = nullptr;
};

class StringWriter : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
    std::string out;
};

std::string Saved(const pugi::xml_document& document, std::size_t entries) {
    StringWriter writer;
    // An entry with its MEETINFO is about 250 bytes: the text is not moved as it grows.
    writer.out.reserve(entries * 320 + (std::size_t{1} << 16));
    document.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    return std::move(writer.out);
}

void SetIf(pugi::xml_node node, const char* name, const std::string& value) {
    if (!value.empty()) {
        node.append_attribute(name).set_value(value.c_str());
    }
}

// The individual events of the invitation that can be entered from results; empty or why the
// invitation is refused.
std::string ReadEvents(const pugi::xml_node& meet, const MeetPart& part, const std::string& name,
                       std::vector<InvitationEvent>& events) {
    const std::string meetCourse = meet.attribute("course").value();
    if (!meetCourse.empty() && !IsLenexCourse(meetCourse)) {
        return name + ": course '" + meetCourse + "' of the meet is no Lenex course";
    }
    std::size_t count = 0;
    for (const pugi::xml_node session : meet.child("SESSIONS").children("SESSION")) {
        std::string course = session.attribute("course").value();
        if (!course.empty() && !IsLenexCourse(course)) {
            return name + ": course '" + course + "' of session " +
                   session.attribute("number").value() + " is no Lenex course";
        }
        if (course.empty()) {
            course = meetCourse;
        }
        for (const pugi::xml_node node : session.child("EVENTS").children("EVENT")) {
            ++count;
            InvitationEvent event;
            event.id = node.attribute("eventid").value();
            if (course.empty()) {
                return name + ": event " + event.id +
                       " has no course: neither its session nor the meet names one";
            }
            // A final is entered through the round before it.
            const std::string_view previous = node.attribute("preveventid").value();
            const pugi::xml_node style = node.child("SWIMSTYLE");
            const PoolInfo* pool = PoolOfCourse(course);
            if ((!previous.empty() && previous != "-1") || pool == nullptr ||
                style.attribute("relaycount").as_int(1) != 1 ||
                !std::string_view(style.attribute("technique").value()).empty()) {
                continue;
            }
            event.identity = EventOfSwimStyle(style.attribute("stroke").value(),
                                              style.attribute("distance").as_int(0), *pool);
            if (event.identity == nullptr) {
                continue;
            }
            const auto known = part.events.find(event.id);
            if (known == part.events.end()) {
                continue;
            }
            event.index = known->second;
            event.course = course;
            events.push_back(std::move(event));
        }
    }
    if (count == 0) {
        return name + ": the invitation has no events";
    }
    return {};
}

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

// A swimmer as the entry check knows an entrant.
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

// The period the entries are chosen in and judged by, from..to of the request (Lenex dates, or
// empty): each end the request names in place of the invitation's. A period with a first day
// and no last ends, as QUALIFY without until does, the day before the meet.
std::string ChoosePeriod(const ClubEntriesRequest& request, MeetPart& part) {
    for (const std::string* date : {&request.from, &request.to}) {
        if (!date->empty() && !IsLenexDate(*date)) {
            return "the period's day '" + *date + "' is no date like 2026-03-31";
        }
    }
    if (!request.from.empty()) {
        part.qualifyFrom = ParseLenexDate(request.from);
    }
    if (!request.to.empty()) {
        part.qualifyUntil = ParseLenexDate(request.to);
    } else if (part.qualifyUntil.year == 0 && part.qualifyFrom.year != 0) {
        part.qualifyUntil = part.beforeMeet;
    }
    return {};
}

// The written meet's QUALIFY states the period its entries were chosen in, which `entries` then
// judges them by; its other attributes (the meet's conversion for seeding) are the invitation's.
void StatePeriod(const MeetPart& part, pugi::xml_node meet) {
    if (part.qualifyFrom.year == 0) {
        return; // a QUALIFY has a first day: without one the file states no period
    }
    pugi::xml_node qualify = meet.child("QUALIFY");
    if (!qualify) {
        const pugi::xml_node sessions = meet.child("SESSIONS");
        qualify =
            sessions ? meet.insert_child_before("QUALIFY", sessions) : meet.append_child("QUALIFY");
    }
    for (const auto& [name, day] :
         {std::pair{"from", &part.qualifyFrom}, std::pair{"until", &part.qualifyUntil}}) {
        pugi::xml_attribute attribute = qualify.attribute(name);
        if (day->year == 0) {
            qualify.remove_attribute(attribute);
        } else {
            (attribute ? attribute : qualify.append_attribute(name))
                .set_value(DateText(*day).c_str());
        }
    }
}

// The invitation's meet under meets as the meet program wrote it (its deadline, organizer, age
// date, qualifying period, fees, sessions, events...), without its clubs and without what names
// elements left behind: the rankings of its results and the judges among its clubs' officials.
pugi::xml_node CopyMeet(const pugi::xml_node& meet, pugi::xml_node meets) {
    pugi::xml_node copy = meets.append_child("MEET");
    for (const pugi::xml_attribute attribute : meet.attributes()) {
        copy.append_copy(attribute);
    }
    for (const pugi::xml_node child : meet.children()) {
        if (std::string_view(child.name()) != "CLUBS") {
            copy.append_copy(child);
        }
    }
    for (pugi::xml_node session : copy.child("SESSIONS").children("SESSION")) {
        session.remove_child("JUDGES");
        for (pugi::xml_node event : session.child("EVENTS").children("EVENT")) {
            for (pugi::xml_node group : event.child("AGEGROUPS").children("AGEGROUP")) {
                group.remove_child("RANKINGS");
            }
        }
    }
    return copy;
}

// The last four characters of a file's name in lower case: ".lef".
std::string Extension(const std::string& name) {
    std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : std::string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return extension;
}

ClubEntries Refused(std::string message) {
    ClubEntries answer;
    answer.error = std::move(message);
    return answer;
}

} // namespace

std::string EntriesFileNameError(const std::string& name) {
    const std::string extension = Extension(name);
    if (extension != ".lef" && extension != ".lxf") {
        return name + ": the entries file is written as .lef or .lxf; name it so";
    }
    return {};
}

ClubEntries MakeClubEntries(const Results& results, const ClubEntriesRequest& request) {
    if (std::string error = EntriesFileNameError(request.output); !error.empty()) {
        return Refused(std::move(error));
    }
    const ReadResult invitation = ReadMeetBytes(request.invitation.bytes, request.invitation.name);
    if (!invitation.meet) {
        return Refused(invitation.error);
    }
    Meet& meet = *invitation.meet;
    pugi::xml_document source;
    std::string widened;
    const std::string_view text = Utf8Document(meet, widened);
    if (!source.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8)) {
        return Refused(meet.name + ": the invitation cannot be read again");
    }
    const pugi::xml_node meetNode = source.child("LENEX").child("MEETS").child("MEET");
    if (!meetNode || meet.parts.empty()) {
        return Refused(meet.name + ": the invitation has no MEET");
    }
    MeetPart& part = meet.parts.front();
    std::vector<InvitationEvent> events;
    if (std::string error = ReadEvents(meetNode, part, meet.name, events); !error.empty()) {
        return Refused(std::move(error));
    }
    for (const NamedBytes& file : request.standards) {
        if (std::string error = AddStandardsFile(meet, file.bytes, file.name); !error.empty()) {
            return Refused(std::move(error));
        }
    }

    // Each swimmer's fastest swim of the qualifying period in each event they may swim. The
    // period is the invitation's unless the request names one, which then judges the entries
    // in its place; a swimmer whose every swim of an event lies outside it is a candidate with
    // the fastest of them, refused for it.
    const Date invitationFrom = part.qualifyFrom;
    const Date invitationUntil = part.qualifyUntil;
    if (std::string error = ChoosePeriod(request, part); !error.empty()) {
        return Refused(std::move(error));
    }
    const bool ownPeriod =
        !(invitationFrom == part.qualifyFrom && invitationUntil == part.qualifyUntil);
    const SwimFilter period{DateText(part.qualifyFrom), DateText(part.qualifyUntil), request.club};
    BestsByPool bests(results, period);
    std::vector<std::vector<Candidate>> candidates(results.swimmers.size());
    std::vector<Owner> swimmers(results.swimmers.size());
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
                swimmers[swimmer] = OwnerOf(results.swimmers[swimmer], 0);
            }
            if (MayEnter(meet.events[event.index], swimmers[swimmer], part)) {
                candidates[swimmer].push_back(bests.Chosen(pool, best, e));
            }
        }
    }
    std::vector<std::uint32_t> order;
    for (std::uint32_t s = 0; s < candidates.size(); ++s) {
        if (!candidates[s].empty()) {
            order.push_back(s);
        }
    }
    const auto clubKey = [&results](std::uint32_t s) {
        const ResultsSwimmer& swimmer = results.swimmers[s];
        return std::tie(swimmer.club, swimmer.clubCode, swimmer.clubType);
    };
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const ResultsSwimmer& x = results.swimmers[a];
        const ResultsSwimmer& y = results.swimmers[b];
        return std::tuple_cat(clubKey(a), std::tie(x.lastname, x.firstname, a)) <
               std::tuple_cat(clubKey(b), std::tie(y.lastname, y.firstname, b));
    });

    // The candidates checked by the entry check's rules, in memory.
    std::vector<Owner> owners;
    std::vector<CandidateEntry> entries;
    std::vector<const Candidate*> chosen;
    for (std::size_t n = 0; n < order.size(); ++n) {
        owners.push_back(swimmers[order[n]]);
        owners.back().athleteid = std::to_string(n + 1);
        for (const Candidate& candidate : candidates[order[n]]) {
            const ResultsSwim& swim = results.swims[candidate.best.swim];
            entries.push_back({static_cast<std::uint32_t>(n), events[candidate.event].index,
                               candidate.best.hundredths, swim.hundredths,
                               results.events[swim.event].course,
                               ParseLenexDate(DayText(swim.day))});
            chosen.push_back(&candidate);
        }
    }
    CheckResult check = CheckCandidates(meet, owners, entries);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        ReportRow& row = check.rows[i];
        if (row.verdict != Verdict::Error && row.verdict != Verdict::Ineligible &&
            !chosen[i]->note.empty()) {
            row.reason += (row.reason.empty() ? "" : "; ") + chosen[i]->note;
        }
    }

    // Within the invitation's limits, a club's entries together in the entry check's order: the
    // entries to be written that the meet accepts count.
    const auto counted = [&request](Verdict verdict) {
        return verdict == Verdict::Meets || (request.all && verdict == Verdict::NoStandard);
    };
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t last = first;
        // A club as the entry check tells one, by its name (clubs of one name are sorted
        // together).
        while (last < entries.size() &&
               owners[entries[last].owner].club == owners[entries[first].owner].club) {
            ++last;
        }
        std::vector<LimitedEntry> club;
        std::vector<std::size_t> rowOf;
        for (std::size_t i = first; i < last; ++i) {
            if (counted(check.rows[i].verdict)) {
                club.push_back({entries[i].owner, false, entries[i].event, entries[i].hundredths});
                rowOf.push_back(i);
            }
        }
        const std::vector<std::string> over = LimitsOver(part, meet.events, club);
        for (std::size_t k = 0; k < over.size(); ++k) {
            if (!over[k].empty()) {
                check.rows[rowOf[k]].verdict = Verdict::Ineligible;
                check.rows[rowOf[k]].reason = over[k];
            }
        }
        first = last;
    }
    ClubEntries answer;
    std::vector<char> writes(entries.size());
    std::vector<FeeEntry> accepted;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Verdict verdict = check.rows[i].verdict;
        check.verdicts[i] = verdict;
        AddToCounts(answer.counts, check.rows[i]);
        writes[i] = counted(verdict) || (request.all && verdict == Verdict::Misses) ? 1 : 0;
        if (writes[i] != 0 && verdict != Verdict::Misses) {
            accepted.push_back(
                {0, owners[entries[i].owner].club, entries[i].owner, false, entries[i].event});
        }
    }
    answer.fees = FeesOfEntries(meet, accepted);

    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node lenex = document.append_child("LENEX");
    lenex.append_attribute("version").set_value("3.0");
    pugi::xml_node constructor = lenex.append_child("CONSTRUCTOR");
    constructor.append_attribute("name").set_value("Equivalent Times");
    constructor.append_attribute("registration")
        .set_value(request.contactName.empty() ? "unregistered" : request.contactName.c_str());
    constructor.append_attribute("version").set_value(
        request.version.empty() ? "0" : request.version.c_str());
    pugi::xml_node contact = constructor.append_child("CONTACT");
    SetIf(contact, "name", request.contactName);
    contact.append_attribute("email").set_value(request.contactEmail.empty()
                                                    ? std::string(kNoContactEmail).c_str()
                                                    : request.contactEmail.c_str());
    if (request.contactEmail.empty()) {
        answer.notes.push_back(
            "no contact email given: the file's CONTACT has " + std::string(kNoContactEmail) +
            ", which reaches no one; give the club's so that the meet can reply");
    }
    pugi::xml_node meetOut = CopyMeet(meetNode, lenex.append_child("MEETS"));
    if (ownPeriod) {
        StatePeriod(part, meetOut);
        answer.notes.push_back(
            "the entries are of swims " + PeriodText(part.qualifyFrom, part.qualifyUntil) +
            ", the file's QUALIFY says so; the invitation's qualifying period "
            "is " +
            (invitationFrom.year == 0 ? std::string("none")
                                      : PeriodText(invitationFrom, invitationUntil)));
    }
    pugi::xml_node clubs = meetOut.append_child("CLUBS");
    pugi::xml_node athletes;
    const ResultsSwimmer* clubOf = nullptr;
    for (std::size_t i = 0; i < entries.size();) {
        const std::uint32_t n = entries[i].owner;
        std::size_t last = i;
        bool any = false;
        for (; last < entries.size() && entries[last].owner == n; ++last) {
            any = any || writes[last] != 0;
        }
        if (!any) {
            i = last;
            continue;
        }
        const ResultsSwimmer& swimmer = results.swimmers[order[n]];
        if (clubOf == nullptr ||
            clubKey(order[n]) != std::tie(clubOf->club, clubOf->clubCode, clubOf->clubType)) {
            pugi::xml_node club = clubs.append_child("CLUB");
            SetIf(club, "name", swimmer.club);
            SetIf(club, "code", swimmer.clubCode);
            SetIf(club, "nation", swimmer.clubNation);
            SetIf(club, "type", swimmer.clubType);
            athletes = club.append_child("ATHLETES");
            clubOf = &swimmer;
        }
        ++answer.athletes;
        pugi::xml_node athlete = athletes.append_child("ATHLETE");
        athlete.append_attribute("athleteid").set_value(owners[n].athleteid.c_str());
        SetIf(athlete, "lastname", swimmer.lastname);
        SetIf(athlete, "firstname", swimmer.firstname);
        SetIf(athlete, "gender", swimmer.gender);
        SetIf(athlete, "birthdate", swimmer.birthdate);
        SetIf(athlete, "license", swimmer.license);
        SetIf(athlete, "nation", swimmer.nation);
        if (!swimmer.handicap.empty()) {
            pugi::xml_node handicap = athlete.append_child("HANDICAP");
            for (const auto& [name, value] : swimmer.handicap) {
                handicap.append_attribute(name.c_str()).set_value(value.c_str());
            }
        }
        pugi::xml_node entryList = athlete.append_child("ENTRIES");
        for (; i < last; ++i) {
            if (writes[i] == 0) {
                continue;
            }
            ++answer.entries;
            const InvitationEvent& event = events[chosen[i]->event];
            const ResultsSwim& swim = results.swims[chosen[i]->best.swim];
            const ResultsMeet& made = results.meets[swim.meet];
            pugi::xml_node entry = entryList.append_child("ENTRY");
            SetIf(entry, "eventid", event.id);
            SetIf(entry, "entrytime", LenexTimeText(entries[i].hundredths));
            SetIf(entry, "entrycourse", event.course);
            pugi::xml_node info = entry.append_child("MEETINFO");
            SetIf(info, "qualificationtime", LenexTimeText(swim.hundredths));
            SetIf(info, "course", entries[i].swumCourse);
            SetIf(info, "date", DayText(swim.day));
            SetIf(info, "city", made.city);
            SetIf(info, "name", made.name);
        }
    }

    // The invitation's time standard lists go with the entries, as its events name them.
    if (const pugi::xml_node lists = source.child("LENEX").child("TIMESTANDARDLISTS")) {
        lenex.append_copy(lists);
    }
    answer.rows = std::move(check.rows);
    answer.file = Saved(document, answer.entries);

    if (Extension(request.output) == ".lxf") {
        // A meet with nothing to convert is its document as it stands, zipped.
        Meet written;
        written.bytes = std::move(answer.file);
        auto [archive, zipError] =
            ConvertedMeetFile(written, CheckResult{}, request.output, Deflate::Fastest);
        if (!zipError.empty()) {
            return Refused(request.output + ": " + zipError);
        }
        answer.file = std::move(archive);
    }
    return answer;
}

} // namespace et::meet

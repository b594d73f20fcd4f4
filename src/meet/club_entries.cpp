// Club entries from results. The entries file is built as a Lenex document for the invitation's
// meet with every swimmer's best time in every event that fits them, with the meet's age date and
// sessions copied so that the entry check can read it; the entry check itself then judges each
// entry against the invitation's standards, and the entries that do not qualify are taken out
// again. So the file written gives `entries` the same verdicts by construction.

#include "meet/club_entries.hpp"

#include "meet/entry_rules.hpp"
#include "meet/lenex_values.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>

namespace et::meet {
namespace {

struct InvitationEvent {
    std::string id;
    std::string course;
    std::string gender;
    const IndividualEvent* identity = nullptr;
    std::vector<std::pair<long, long>> ages; // its age groups' agemin and agemax (-1: no bound)
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

long AgeBound(const pugi::xml_attribute& attribute) {
    return attribute.empty() ? -1 : attribute.as_int(-1);
}

// The individual events of the invitation that can be entered from results; empty or why the
// invitation is refused.
std::string ReadEvents(const pugi::xml_node& meet, const std::string& name,
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
            event.course = course;
            event.gender = node.attribute("gender").value();
            for (const pugi::xml_node group : node.child("AGEGROUPS").children("AGEGROUP")) {
                event.ages.emplace_back(AgeBound(group.attribute("agemin")),
                                        AgeBound(group.attribute("agemax")));
            }
            events.push_back(std::move(event));
        }
    }
    if (count == 0) {
        return name + ": the invitation has no events";
    }
    return {};
}

// The event's gender and, when it has any, one of its age groups by the meet's age date.
bool Fits(const InvitationEvent& event, const ResultsSwimmer& swimmer, const MeetPart& part) {
    if ((event.gender == "M" || event.gender == "F") && swimmer.gender != event.gender) {
        return false;
    }
    if (event.ages.empty()) {
        return true;
    }
    const std::optional<int> age = AgeAtMeet(ParseLenexDate(swimmer.birthdate), part);
    if (!age) {
        return false;
    }
    return std::any_of(event.ages.begin(), event.ages.end(), [&age](const auto& group) {
        return (group.first == -1 || *age >= group.first) &&
               (group.second == -1 || *age <= group.second);
    });
}

struct Candidate {
    std::size_t event = 0;
    Best best;
};

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

// Takes out the entries that are not made, and athletes and clubs left with none.
void Prune(std::vector<pugi::xml_node>& entries, const std::vector<char>& kept) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (kept[i] != 0) {
            continue;
        }
        pugi::xml_node list = entries[i].parent();
        list.remove_child(entries[i]);
        if (list.first_child()) {
            continue;
        }
        pugi::xml_node athlete = list.parent();
        pugi::xml_node athletes = athlete.parent();
        athletes.remove_child(athlete);
        if (!athletes.first_child()) {
            pugi::xml_node club = athletes.parent();
            club.parent().remove_child(club);
        }
    }
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
    const Meet& meet = *invitation.meet;
    pugi::xml_document source;
    if (!source.load_buffer(meet.bytes.data(), meet.bytes.size(), pugi::parse_default,
                            meet.encoding == TextEncoding::Latin1 ? pugi::encoding_latin1
                                                                  : pugi::encoding_utf8)) {
        return Refused(meet.name + ": the invitation cannot be read again");
    }
    const pugi::xml_node meetNode = source.child("LENEX").child("MEETS").child("MEET");
    if (!meetNode || meet.parts.empty()) {
        return Refused(meet.name + ": the invitation has no MEET");
    }
    std::vector<InvitationEvent> events;
    if (std::string error = ReadEvents(meetNode, meet.name, events); !error.empty()) {
        return Refused(std::move(error));
    }

    // Each swimmer's best time in each event's pool, and the events they are considered for.
    const SwimFilter filter{{}, {}, request.club};
    std::map<std::string, std::unordered_map<std::int16_t, std::vector<Best>>> bestIn;
    std::vector<std::vector<Candidate>> candidates(results.swimmers.size());
    for (std::size_t e = 0; e < events.size(); ++e) {
        const InvitationEvent& event = events[e];
        const auto [at, added] = bestIn.try_emplace(event.course);
        if (added) {
            for (const Best& best : BestTimesIn(results, event.course, filter).best) {
                at->second[results.swims[best.swim].identity->code].push_back(best);
            }
        }
        for (const Best& best : at->second[event.identity->code]) {
            const std::uint32_t swimmer = results.swims[best.swim].swimmer;
            if (Fits(event, results.swimmers[swimmer], meet.parts.front())) {
                candidates[swimmer].push_back({e, best});
            }
        }
    }
    std::vector<std::uint32_t> order;
    for (std::uint32_t s = 0; s < candidates.size(); ++s) {
        if (!candidates[s].empty()) {
            order.push_back(s);
        }
    }
    std::sort(order.begin(), order.end(), [&results](std::uint32_t a, std::uint32_t b) {
        const ResultsSwimmer& x = results.swimmers[a];
        const ResultsSwimmer& y = results.swimmers[b];
        return std::tie(x.club, x.clubCode, x.lastname, x.firstname, a) <
               std::tie(y.club, y.clubCode, y.lastname, y.firstname, b);
    });

    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node lenex = document.append_child("LENEX");
    lenex.append_attribute("version").set_value("3.0");
    ClubEntries answer;
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
    pugi::xml_node clubs = meetOut.append_child("CLUBS");
    pugi::xml_node athletes;
    const ResultsSwimmer* clubOf = nullptr;
    std::vector<pugi::xml_node> entryNodes;
    for (std::size_t n = 0; n < order.size(); ++n) {
        const ResultsSwimmer& swimmer = results.swimmers[order[n]];
        if (clubOf == nullptr || clubOf->club != swimmer.club ||
            clubOf->clubCode != swimmer.clubCode || clubOf->clubType != swimmer.clubType) {
            pugi::xml_node club = clubs.append_child("CLUB");
            SetIf(club, "name", swimmer.club);
            SetIf(club, "code", swimmer.clubCode);
            SetIf(club, "nation", swimmer.clubNation);
            SetIf(club, "type", swimmer.clubType);
            athletes = club.append_child("ATHLETES");
            clubOf = &swimmer;
        }
        pugi::xml_node athlete = athletes.append_child("ATHLETE");
        athlete.append_attribute("athleteid").set_value(std::to_string(n + 1).c_str());
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
        pugi::xml_node entries = athlete.append_child("ENTRIES");
        for (const Candidate& candidate : candidates[order[n]]) {
            const InvitationEvent& event = events[candidate.event];
            const ResultsSwim& swim = results.swims[candidate.best.swim];
            const ResultsMeet& made = results.meets[swim.meet];
            pugi::xml_node entry = entries.append_child("ENTRY");
            SetIf(entry, "eventid", event.id);
            SetIf(entry, "entrytime", LenexTimeText(candidate.best.hundredths));
            SetIf(entry, "entrycourse", event.course);
            pugi::xml_node info = entry.append_child("MEETINFO");
            SetIf(info, "qualificationtime", LenexTimeText(swim.hundredths));
            SetIf(info, "course", results.events[swim.event].course);
            SetIf(info, "date", DayText(swim.day));
            SetIf(info, "city", made.city);
            SetIf(info, "name", made.name);
            entryNodes.push_back(entry);
        }
    }

    // The invitation's time standard lists go with the entries, as its events name them.
    if (const pugi::xml_node lists = source.child("LENEX").child("TIMESTANDARDLISTS")) {
        lenex.append_copy(lists);
    }

    // The entry check reads the candidate entries with the invitation's standards and any others.
    const ReadResult candidate = ReadMeetBytes(Saved(document, entryNodes.size()), request.output);
    if (!candidate.meet) {
        return Refused(candidate.error);
    }
    std::string error;
    for (const NamedBytes& file : request.standards) {
        if (error.empty()) {
            error = AddStandardsFile(*candidate.meet, file.bytes, file.name);
        }
    }
    if (!error.empty()) {
        return Refused(std::move(error));
    }
    CheckResult check = CheckEntries(*candidate.meet);
    if (check.rows.size() != entryNodes.size()) {
        return Refused(request.output + ": the entries made were not all read back");
    }
    std::vector<char> kept(entryNodes.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        kept[i] = request.all || check.rows[i].verdict == Verdict::Meets ? 1 : 0;
        answer.entries += kept[i] != 0 ? 1U : 0U;
    }
    Prune(entryNodes, kept);
    for (const pugi::xml_node club : clubs.children("CLUB")) {
        const auto athletesOfClub = club.child("ATHLETES").children("ATHLETE");
        answer.athletes +=
            static_cast<std::size_t>(std::distance(athletesOfClub.begin(), athletesOfClub.end()));
    }
    answer.rows = std::move(check.rows);
    answer.counts = check.counts;
    answer.file = Saved(document, answer.entries);

    if (Extension(request.output) == ".lxf") {
        // A meet with nothing to convert is its document as it stands, zipped.
        Meet written;
        written.bytes = std::move(answer.file);
        auto [archive, zipError] = ConvertedMeetFile(written, CheckResult{}, request.output);
        if (!zipError.empty()) {
            return Refused(request.output + ": " + zipError);
        }
        answer.file = std::move(archive);
    }
    return answer;
}

} // namespace et::meet

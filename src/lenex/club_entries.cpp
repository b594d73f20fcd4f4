// Club entries from results. Each swimmer's fastest swim of the qualifying period in each event
// they may swim is a candidate entry, checked in memory by the entry check's own rules (the
// time against the invitation's lists, then the invitation's rules of an entry) and kept within
// the invitation's limits in the order the entry check keeps them; the entries made are written
// as a new Lenex file for the invitation's meet, which `entries` reads back with the same
// verdicts.

#include "lenex/club_entries.hpp"

#include "check/invitation_rules.hpp"
#include "check/swim_values.hpp"
#include "club/club_candidates.hpp"
#include "lenex/converted_meet.hpp"
#include "lenex/meet_file.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>

namespace et::meet {
namespace {

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

namespace {

// The invitation as club entries are made for it: its meet (with the further lists added), its
// document read again to be copied, and its events that can be entered from results.
struct Invitation {
    ReadResult read;
    pugi::xml_document source;
    pugi::xml_node meet;
    std::vector<InvitationEvent> events;
};

// Empty, or why the invitation is refused.
std::string ReadInvitation(const ClubEntriesRequest& request, Invitation& invitation) {
    invitation.read = ReadMeetBytes(request.invitation.bytes, request.invitation.name);
    if (!invitation.read.meet) {
        return invitation.read.error;
    }
    Meet& meet = *invitation.read.meet;
    std::string widened;
    const std::string_view text = Utf8Document(meet, widened);
    if (!invitation.source.load_buffer(text.data(), text.size(), pugi::parse_default,
                                       pugi::encoding_utf8)) {
        return meet.name + ": the invitation cannot be read again";
    }
    invitation.meet = invitation.source.child("LENEX").child("MEETS").child("MEET");
    if (!invitation.meet || meet.parts.empty()) {
        return meet.name + ": the invitation has no MEET";
    }
    if (std::string error =
            ReadEvents(invitation.meet, meet.parts.front(), meet.name, invitation.events);
        !error.empty()) {
        return error;
    }
    for (const NamedBytes& file : request.standards) {
        if (std::string error = AddStandardsFile(meet, file.bytes, file.name); !error.empty()) {
            return error;
        }
    }
    return {};
}

// The entries file's document up to its meets: the declaration, LENEX and its CONSTRUCTOR with
// the club's contact. A note is added when no contact email was given.
pugi::xml_node StartDocument(pugi::xml_document& document, const ClubEntriesRequest& request,
                             std::vector<std::string>& notes) {
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
        notes.push_back("no contact email given: the file's CONTACT has " +
                        std::string(kNoContactEmail) +
                        ", which reaches no one; give the club's so that the meet can reply");
    }
    return lenex;
}

pugi::xml_node AddClub(pugi::xml_node clubs, const ResultsSwimmer& swimmer) {
    pugi::xml_node club = clubs.append_child("CLUB");
    SetIf(club, "name", swimmer.club);
    SetIf(club, "code", swimmer.clubCode);
    SetIf(club, "nation", swimmer.clubNation);
    SetIf(club, "type", swimmer.clubType);
    return club.append_child("ATHLETES");
}

// A swimmer and the ENTRIES that take their entries.
pugi::xml_node AddAthlete(pugi::xml_node athletes, const ResultsSwimmer& swimmer,
                          const std::string& athleteid) {
    pugi::xml_node athlete = athletes.append_child("ATHLETE");
    athlete.append_attribute("athleteid").set_value(athleteid.c_str());
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
    return athlete.append_child("ENTRIES");
}

// An entry in the event's course, the swim it was made from in its MEETINFO.
void AddEntry(pugi::xml_node entries, const Results& results, const InvitationEvent& event,
              const CandidateEntry& candidate, std::uint32_t swimIndex) {
    const ResultsSwim& swim = results.swims[swimIndex];
    const ResultsMeet& made = results.meets[swim.meet];
    pugi::xml_node entry = entries.append_child("ENTRY");
    SetIf(entry, "eventid", event.id);
    SetIf(entry, "entrytime", LenexTimeText(candidate.hundredths));
    SetIf(entry, "entrycourse", event.course);
    pugi::xml_node info = entry.append_child("MEETINFO");
    SetIf(info, "qualificationtime", LenexTimeText(swim.hundredths));
    SetIf(info, "course", candidate.swumCourse);
    SetIf(info, "date", DayText(swim.day));
    SetIf(info, "city", made.city);
    SetIf(info, "name", made.name);
}

// The clubs of the swimmers with an entry written, each swimmer with their entries.
void AddClubs(pugi::xml_node clubs, const Results& results,
              const std::vector<InvitationEvent>& events, const ClubCandidates& chosen,
              ClubEntries& answer) {
    const std::vector<CandidateEntry>& entries = chosen.entries;
    pugi::xml_node athletes;
    const ResultsSwimmer* clubOf = nullptr;
    for (std::size_t i = 0; i < entries.size();) {
        const std::uint32_t n = entries[i].owner;
        std::size_t last = i;
        bool any = false;
        for (; last < entries.size() && entries[last].owner == n; ++last) {
            any = any || chosen.written[last] != 0;
        }
        if (!any) {
            i = last;
            continue;
        }
        const ResultsSwimmer& swimmer = results.swimmers[chosen.swimmers[n]];
        if (clubOf == nullptr || !SameEntriesClub(swimmer, *clubOf)) {
            athletes = AddClub(clubs, swimmer);
            clubOf = &swimmer;
        }
        ++answer.athletes;
        const pugi::xml_node entryList = AddAthlete(athletes, swimmer, chosen.owners[n].athleteid);
        for (; i < last; ++i) {
            if (chosen.written[i] != 0) {
                ++answer.entries;
                AddEntry(entryList, results, events[chosen.events[i]], entries[i], chosen.swims[i]);
            }
        }
    }
}

} // namespace

ClubEntries MakeClubEntries(const Results& results, const ClubEntriesRequest& request) {
    if (std::string error = EntriesFileNameError(request.output); !error.empty()) {
        return Refused(std::move(error));
    }
    Invitation invitation;
    if (std::string error = ReadInvitation(request, invitation); !error.empty()) {
        return Refused(std::move(error));
    }
    Meet& meet = *invitation.read.meet;
    MeetPart& part = meet.parts.front();

    // The period is the invitation's unless the request names one, which then judges the
    // entries in its place.
    const Date invitationFrom = part.qualifyFrom;
    const Date invitationUntil = part.qualifyUntil;
    if (std::string error = ChoosePeriod(request.from, request.to, part); !error.empty()) {
        return Refused(std::move(error));
    }
    const bool ownPeriod =
        !(invitationFrom == part.qualifyFrom && invitationUntil == part.qualifyUntil);
    ClubCandidates chosen =
        ChooseClubEntries(results, meet, invitation.events, request.club, request.all);

    ClubEntries answer;
    answer.counts = chosen.counts;
    answer.fees = std::move(chosen.fees);
    pugi::xml_document document;
    pugi::xml_node lenex = StartDocument(document, request, answer.notes);
    pugi::xml_node meetOut = CopyMeet(invitation.meet, lenex.append_child("MEETS"));
    if (ownPeriod) {
        StatePeriod(part, meetOut);
        answer.notes.push_back(
            "the entries are of swims " + PeriodText(part.qualifyFrom, part.qualifyUntil) +
            ", the file's QUALIFY says so; the invitation's qualifying period "
            "is " +
            (invitationFrom.year == 0 ? std::string("none")
                                      : PeriodText(invitationFrom, invitationUntil)));
    }
    AddClubs(meetOut.append_child("CLUBS"), results, invitation.events, chosen, answer);
    // The invitation's time standard lists go with the entries, as its events name them.
    if (const pugi::xml_node lists = invitation.source.child("LENEX").child("TIMESTANDARDLISTS")) {
        lenex.append_copy(lists);
    }
    answer.rows = std::move(chosen.rows);
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

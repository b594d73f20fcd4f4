// Reading results files into the season's swims. A results file is read by the meet file's own
// reader first where it must be (ZIP, encoding, sizes, and the place of any error in the file),
// then its swims are taken from its tree.

#include "lenex/results_file.hpp"

#include "check/swim_in_course.hpp"
#include "check/swim_values.hpp"
#include "lenex/meet_file.hpp"

#include <pugixml.hpp>

#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace et::meet {
namespace {

long NumberOr(const pugi::xml_attribute& attribute, long fallback) {
    return attribute.empty() ? fallback : attribute.as_int(static_cast<int>(fallback));
}

struct FileEvent {
    std::uint32_t index = 0; // in Results::events
    std::uint32_t day = 0;
};

// A results file's document, for telling places in it.
struct FileText {
    std::string_view name;
    std::string_view bytes;
    bool offsets; // the tree's offsets are places in these bytes
};

// The reading of one file's tree into results.
class ResultsReader {
public:
    ResultsReader(Results& results, const FileText& file, const pugi::xml_node& lenex)
        : results_(results), file_(file), season_(results, SharedLicenses(lenex)) {}

    // The licenses the file gives to two athletes, which tell neither of them.
    static std::unordered_set<std::string> SharedLicenses(const pugi::xml_node& lenex) {
        std::unordered_set<std::string> shared;
        std::unordered_map<std::string_view, std::string_view> firstId;
        for (const pugi::xml_node meet : lenex.child("MEETS").children("MEET")) {
            for (const pugi::xml_node club : meet.child("CLUBS").children("CLUB")) {
                for (const pugi::xml_node athlete : club.child("ATHLETES").children("ATHLETE")) {
                    const std::string_view license = athlete.attribute("license").value();
                    const std::string_view id = athlete.attribute("athleteid").value();
                    if (const auto [at, added] = firstId.emplace(license, id);
                        !added && (id.empty() || at->second != id)) {
                        shared.emplace(license);
                    }
                }
            }
        }
        return shared;
    }

    void ReadMeet(const pugi::xml_node& node) {
        const std::uint32_t meetIndex =
            season_.AddMeet({node.attribute("name").value(), node.attribute("city").value()});
        const std::string meetCourse = node.attribute("course").value();
        // Keyed by the eventid's text in the document, which lives as long as the reading.
        std::unordered_map<std::string_view, FileEvent> events;
        std::string first;
        for (const pugi::xml_node session : node.child("SESSIONS").children("SESSION")) {
            const std::string date = session.attribute("date").value();
            if (IsLenexDate(date) && (first.empty() || date < first)) {
                first = date;
            }
        }
        for (const pugi::xml_node session : node.child("SESSIONS").children("SESSION")) {
            std::uint32_t day = DayNumber(session.attribute("date").value());
            if (day == 0) {
                day = DayNumber(first);
            }
            std::string course = session.attribute("course").value();
            if (course.empty()) {
                course = meetCourse;
            }
            for (const pugi::xml_node eventNode : session.child("EVENTS").children("EVENT")) {
                Event event;
                event.id = eventNode.attribute("eventid").value();
                event.course = course;
                event.gender = eventNode.attribute("gender").value();
                if (const pugi::xml_node style = eventNode.child("SWIMSTYLE")) {
                    event.hasStyle = true;
                    event.stroke = style.attribute("stroke").value();
                    event.technique = style.attribute("technique").value();
                    event.distance = NumberOr(style.attribute("distance"), 0);
                    event.relaycount = NumberOr(style.attribute("relaycount"), 1);
                }
                const auto index = static_cast<std::uint32_t>(results_.events.size());
                // The first event of an eventid defines it, as in the entry check.
                if (events.emplace(eventNode.attribute("eventid").value(), FileEvent{index, day})
                        .second) {
                    season_.AddEvent(std::move(event));
                }
            }
        }
        for (const pugi::xml_node club : node.child("CLUBS").children("CLUB")) {
            for (const pugi::xml_node athlete : club.child("ATHLETES").children("ATHLETE")) {
                ReadAthlete(club, athlete, events, meetIndex, first);
            }
            for (const pugi::xml_node relay : club.child("RELAYS").children("RELAY")) {
                for (const pugi::xml_node result : relay.child("RESULTS").children("RESULT")) {
                    (void)result;
                    ++results_.counts.results;
                    ++results_.counts.relays;
                }
            }
        }
    }

private:
    void ReadAthlete(const pugi::xml_node& club, const pugi::xml_node& athlete,
                     const std::unordered_map<std::string_view, FileEvent>& events,
                     std::uint32_t meetIndex, const std::string& meetDate) {
        // The swimmer is taken from the tree once a swim of theirs counts.
        const auto swimmerRead = [&] {
            ResultsSwimmer read;
            read.lastname = athlete.attribute("lastname").value();
            read.firstname = athlete.attribute("firstname").value();
            read.gender = athlete.attribute("gender").value();
            read.birthdate = athlete.attribute("birthdate").value();
            read.license = athlete.attribute("license").value();
            read.nation = athlete.attribute("nation").value();
            for (const pugi::xml_attribute attribute : athlete.child("HANDICAP").attributes()) {
                read.handicap.emplace_back(attribute.name(), attribute.value());
            }
            read.club = club.attribute("name").value();
            read.clubCode = club.attribute("code").value();
            read.clubNation = club.attribute("nation").value();
            read.clubType = club.attribute("type").value();
            read.clubDate = meetDate;
            return read;
        };
        const auto who = [&athlete] {
            return std::string(athlete.attribute("lastname").value()) + ", " +
                   athlete.attribute("firstname").value();
        };
        std::optional<std::uint32_t> swimmer;
        for (const pugi::xml_node result : athlete.child("RESULTS").children("RESULT")) {
            ++results_.counts.results;
            const std::string_view eventid = result.attribute("eventid").value();
            const auto found = events.find(eventid);
            if (found == events.end()) {
                Warn(result, "eventid '" + std::string(eventid) + "' of " + who() +
                                 " is no event of the meet; the result is skipped");
                continue;
            }
            const Event& event = results_.events[found->second.index];
            if (event.relaycount > 1) {
                ++results_.counts.relays;
                continue;
            }
            const std::string_view status = result.attribute("status").value();
            const std::string_view time = result.attribute("swimtime").value();
            if ((!status.empty() && status != "EXH") || time.empty() || time == "NT") {
                ++results_.counts.notSwum;
                continue;
            }
            const auto hundredths = ParseLenexTime(time);
            if (!hundredths) {
                Warn(result, "swimtime '" + std::string(time) + "' of " + who() + " in the " +
                                 EventTitle(event) +
                                 " is no Lenex swim time like 00:01:02.34; the result is skipped");
                continue;
            }
            // Meet programs write 00:00:00.00 for a final that was not swum: no swim was made.
            if (*hundredths == 0) {
                ++results_.counts.notSwum;
                continue;
            }
            const PoolInfo* pool = PoolOfCourse(event.course);
            const IndividualEvent* identity =
                pool != nullptr && event.hasStyle && event.technique.empty()
                    ? EventOfSwimStyle(event.stroke, event.distance, *pool)
                    : nullptr;
            if (identity == nullptr) {
                ++results_.counts.noConversion;
                continue;
            }
            if (!swimmer) {
                swimmer = season_.AddSwimmer(swimmerRead(), athlete.attribute("athleteid").value());
            }
            ResultsSwim swim;
            swim.swimmer = *swimmer;
            swim.event = found->second.index;
            swim.meet = meetIndex;
            swim.identity = identity;
            swim.hundredths = *hundredths;
            swim.day = found->second.day;
            season_.AddSwim(swim);
        }
    }

    void Warn(const pugi::xml_node& node, const std::string& message) {
        ++results_.counts.unreadable;
        const std::ptrdiff_t offset = node.offset_debug();
        std::string where(file_.name);
        if (file_.offsets && offset > 0) {
            Meet text; // the meet library's way of telling lines and columns
            text.name = file_.name;
            text.bytes = file_.bytes;
            where = text.Where(static_cast<std::uint32_t>(offset - 1));
        }
        season_.Warn(where + ": " + message);
    }

    Results& results_;
    FileText file_;
    SeasonFile season_;
};

} // namespace

std::string AddResults(Results& results, std::string_view bytes, std::string_view name) {
    // A plain UTF-8 .lef is read straight from its bytes; anything else (an .lxf, another
    // encoding, a file that is no Lenex) goes through the meet library's reader, which inflates,
    // widens and tells where a file goes wrong.
    pugi::xml_document document;
    const bool zipped = bytes.substr(0, 2) == "PK";
    pugi::xml_parse_result parsed;
    if (!zipped) {
        parsed = document.load_buffer(bytes.data(), bytes.size(),
                                      pugi::parse_default | pugi::parse_declaration,
                                      pugi::encoding_utf8);
    }
    const pugi::xml_node declaration = document.first_child();
    const std::string encoding = Folded(declaration.type() == pugi::node_declaration
                                            ? declaration.attribute("encoding").value()
                                            : "");
    FileText file{name, bytes, true};
    ReadResult read;
    if (zipped || !parsed || !(encoding.empty() || encoding == "utf-8") ||
        !document.child("LENEX")) {
        read = ReadMeetBytes(bytes, name);
        if (!read.meet) {
            return read.error;
        }
        // A one-byte encoding is widened as the meet library reads it (pugixml knows no
        // windows-1252): names and clubs are then the same text as in a UTF-8 file. The tree's
        // offsets are then places in the widened text, not in the file.
        std::string widened;
        const std::string_view text = Utf8Document(*read.meet, widened);
        file = {read.meet->name, read.meet->bytes, read.meet->encoding == TextEncoding::Utf8};
        parsed = document.load_buffer(text.data(), text.size(), pugi::parse_default,
                                      pugi::encoding_utf8);
        if (!parsed) {
            return std::string(file.name) + ": " + parsed.description();
        }
    }
    ResultsReader reader(results, file, document.child("LENEX"));
    for (const pugi::xml_node node : document.child("LENEX").child("MEETS").children("MEET")) {
        reader.ReadMeet(node);
    }
    return {};
}

} // namespace et::meet

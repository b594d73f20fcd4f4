// Reading results files and finding each swimmer's best times. A results file is read by the meet
// library's own reader first (ZIP, encoding, sizes, and the place of any error in the file), then
// its swims are taken from its tree.

#include "meet/results.hpp"

#include "meet/entry_rules.hpp"
#include "meet/lenex_values.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <tuple>

namespace et::meet {
namespace {

// Lower case for comparing names: ASCII and the Latin-1 letters (UTF-8 C3 80 to C3 9E).
std::string Folded(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {
                out[i + 1] = static_cast<char>(next + 0x20);
            }
            ++i;
        }
    }
    return out;
}

long NumberOr(const pugi::xml_attribute& attribute, long fallback) {
    return attribute.empty() ? fallback : attribute.as_int(static_cast<int>(fallback));
}

struct FileEvent {
    std::uint32_t index = 0; // in Results::events
    std::string date;
};

// The reading of one file's tree into results.
class ResultsReader {
public:
    ResultsReader(Results& results, const Meet& meet, bool offsets)
        : results_(results), meet_(meet), offsets_(offsets) {}

    void ReadMeet(const pugi::xml_node& node) {
        const auto meetIndex = static_cast<std::uint32_t>(results_.meets.size());
        results_.meets.push_back({node.attribute("name").value(), node.attribute("city").value()});
        const std::string meetCourse = node.attribute("course").value();
        std::unordered_map<std::string, FileEvent> events;
        std::string first;
        for (const pugi::xml_node session : node.child("SESSIONS").children("SESSION")) {
            const std::string date = session.attribute("date").value();
            if (IsLenexDate(date) && (first.empty() || date < first)) {
                first = date;
            }
        }
        for (const pugi::xml_node session : node.child("SESSIONS").children("SESSION")) {
            std::string date = session.attribute("date").value();
            if (!IsLenexDate(date)) {
                date = first;
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
                if (events.emplace(event.id, FileEvent{index, date}).second) {
                    results_.events.push_back(std::move(event));
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
                     const std::unordered_map<std::string, FileEvent>& events,
                     std::uint32_t meetIndex, const std::string& meetDate) {
        ResultsSwimmer read;
        read.lastname = athlete.attribute("lastname").value();
        read.firstname = athlete.attribute("firstname").value();
        read.gender = athlete.attribute("gender").value();
        read.birthdate = athlete.attribute("birthdate").value();
        read.license = athlete.attribute("license").value();
        read.club = club.attribute("name").value();
        read.clubCode = club.attribute("code").value();
        read.clubNation = club.attribute("nation").value();
        read.clubDate = meetDate;
        std::optional<std::uint32_t> swimmer;
        for (const pugi::xml_node result : athlete.child("RESULTS").children("RESULT")) {
            ++results_.counts.results;
            const std::string eventid = result.attribute("eventid").value();
            const auto found = events.find(eventid);
            if (found == events.end()) {
                Warn(result, "eventid '" + eventid + "' of " + read.lastname + ", " +
                                 read.firstname +
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
                Warn(result, "swimtime '" + std::string(time) + "' of " + read.lastname + ", " +
                                 read.firstname + " in the " + EventTitle(event) +
                                 " is no Lenex swim time like 00:01:02.34; the result is skipped");
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
                swimmer = SwimmerOf(read);
            }
            ResultsSwim swim;
            swim.swimmer = *swimmer;
            swim.event = found->second.index;
            swim.meet = meetIndex;
            swim.identity = identity;
            swim.hundredths = *hundredths;
            swim.date = found->second.date;
            results_.swims.push_back(std::move(swim));
            ++results_.counts.swims;
        }
    }

    // The one swimmer of the results that read is, added when new.
    std::uint32_t SwimmerOf(const ResultsSwimmer& read) {
        std::optional<std::uint32_t> index;
        if (!read.license.empty()) {
            if (const auto found = results_.byLicense.find(read.license);
                found != results_.byLicense.end()) {
                index = found->second;
            }
        }
        const std::string key =
            Folded(read.lastname) + '\x1f' + Folded(read.firstname) + '\x1f' + read.birthdate;
        if (!index) {
            const auto [begin, end] = results_.byName.equal_range(key);
            for (auto it = begin; it != end && !index; ++it) {
                const ResultsSwimmer& other = results_.swimmers[it->second];
                // Two licenses that differ are two swimmers, whatever their names.
                if (other.license.empty() || read.license.empty()) {
                    index = it->second;
                }
            }
        }
        if (!index) {
            index = static_cast<std::uint32_t>(results_.swimmers.size());
            results_.swimmers.push_back(read);
            results_.byName.emplace(key, *index);
            if (!read.license.empty()) {
                results_.byLicense.emplace(read.license, *index);
            }
            return *index;
        }
        ResultsSwimmer& known = results_.swimmers[*index];
        if (known.license.empty() && !read.license.empty()) {
            known.license = read.license;
            results_.byLicense.emplace(read.license, *index);
        }
        for (auto [field, value] : {std::pair{&known.gender, &read.gender},
                                    std::pair{&known.birthdate, &read.birthdate}}) {
            if (field->empty()) {
                *field = *value;
            }
        }
        if (read.clubDate >= known.clubDate) {
            known.club = read.club;
            known.clubCode = read.clubCode;
            known.clubNation = read.clubNation;
            known.clubDate = read.clubDate;
        }
        return *index;
    }

    void Warn(const pugi::xml_node& node, const std::string& message) {
        ++results_.counts.unreadable;
        const std::ptrdiff_t offset = node.offset_debug();
        const std::string where = offsets_ && offset > 0
                                      ? meet_.Where(static_cast<std::uint32_t>(offset - 1))
                                      : meet_.name;
        results_.warnings.push_back(where + ": " + message);
    }

    Results& results_;
    const Meet& meet_;
    bool offsets_; // the tree's offsets are places in the file's bytes
};

// Swim a is better than b in the pool: faster, then made in that pool, then the earlier.
bool Better(const Best& a, const std::string& aDate, const Best& b, const std::string& bDate) {
    if (a.hundredths != b.hundredths) {
        return a.hundredths < b.hundredths;
    }
    if (a.converted != b.converted) {
        return !a.converted;
    }
    // An undated swim counts as the latest.
    if (aDate.empty() != bDate.empty()) {
        return !aDate.empty();
    }
    return aDate < bDate;
}

} // namespace

bool IsLenexDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (const std::size_t at : {0U, 1U, 2U, 3U, 5U, 6U, 8U, 9U}) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
    }
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    const int day = (text[8] - '0') * 10 + (text[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

Date ParseLenexDate(std::string_view text) {
    if (!IsLenexDate(text)) {
        return {};
    }
    const auto number = [&text](std::size_t at, std::size_t size) {
        int value = 0;
        for (std::size_t i = at; i < at + size; ++i) {
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    return {number(0, 4), number(5, 2), number(8, 2)};
}

std::string AddResults(Results& results, std::string_view bytes, std::string_view name) {
    const ReadResult read = ReadMeetBytes(bytes, name);
    if (!read.meet) {
        return read.error;
    }
    const Meet& meet = *read.meet;
    const bool latin1 = meet.encoding == TextEncoding::Latin1;
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(meet.bytes.data(), meet.bytes.size(), pugi::parse_default,
                             latin1 ? pugi::encoding_latin1 : pugi::encoding_utf8);
    if (!parsed) {
        return meet.name + ": " + parsed.description();
    }
    ResultsReader reader(results, meet, !latin1);
    for (const pugi::xml_node node : document.child("LENEX").child("MEETS").children("MEET")) {
        reader.ReadMeet(node);
    }
    return {};
}

bool ClubMatches(const ResultsSwimmer& swimmer, std::string_view club) {
    if (club.empty()) {
        return true;
    }
    const std::string wanted = Folded(club);
    return Folded(swimmer.club).find(wanted) != std::string::npos ||
           Folded(swimmer.clubCode).find(wanted) != std::string::npos;
}

BestTimes BestTimesIn(const Results& results, const std::string& course, const SwimFilter& filter) {
    BestTimes answer;
    std::vector<char> kept(results.swimmers.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        kept[i] = ClubMatches(results.swimmers[i], filter.club) ? 1 : 0;
    }
    // The place in answer.best of each swimmer's best in each event.
    std::unordered_map<std::uint64_t, std::size_t> place;
    for (std::size_t i = 0; i < results.swims.size(); ++i) {
        const ResultsSwim& swim = results.swims[i];
        if (kept[swim.swimmer] == 0 ||
            (!filter.from.empty() && (swim.date.empty() || swim.date < filter.from)) ||
            (!filter.to.empty() && (swim.date.empty() || swim.date > filter.to))) {
            continue;
        }
        const Event& event = results.events[swim.event];
        Best best;
        best.swim = static_cast<std::uint32_t>(i);
        if (event.course == course) {
            best.hundredths = swim.hundredths;
        } else {
            const TimeInCourse there = SwimTimeIn(event, event.course, swim.hundredths, course);
            if (there.hundredths < 0) {
                ++answer.blank;
                continue;
            }
            best.hundredths = there.hundredths;
            best.converted = true;
        }
        const std::uint64_t key =
            (std::uint64_t{swim.swimmer} << 8) | static_cast<std::uint64_t>(swim.identity->code);
        const auto [at, added] = place.emplace(key, answer.best.size());
        if (added) {
            answer.best.push_back(best);
            continue;
        }
        Best& held = answer.best[at->second];
        if (Better(best, swim.date, held, results.swims[held.swim].date)) {
            held = best;
        }
    }
    const auto order = [&results](const Best& best) {
        const ResultsSwim& swim = results.swims[best.swim];
        const ResultsSwimmer& swimmer = results.swimmers[swim.swimmer];
        return std::tie(swim.identity->code, swimmer.gender, best.hundredths, swimmer.lastname,
                        swimmer.firstname, swim.swimmer);
    };
    std::sort(answer.best.begin(), answer.best.end(),
              [&order](const Best& a, const Best& b) { return order(a) < order(b); });
    return answer;
}

std::string IdentityName(const IndividualEvent& event) {
    return std::to_string(event.distance) + " " + std::string(event.stroke);
}

std::string BestTimesCsv(const Results& results, const std::vector<Best>& best) {
    std::string out(kBestTimesHeader);
    out += "\r\n";
    for (const Best& one : best) {
        const ResultsSwim& swim = results.swims[one.swim];
        const ResultsSwimmer& swimmer = results.swimmers[swim.swimmer];
        const Event& event = results.events[swim.event];
        const ResultsMeet& meet = results.meets[swim.meet];
        const std::string fields[] = {swimmer.lastname + ", " + swimmer.firstname,
                                      swimmer.birthdate,
                                      swimmer.gender,
                                      swimmer.club,
                                      swimmer.license,
                                      IdentityName(*swim.identity),
                                      LenexTimeText(one.hundredths),
                                      LenexTimeText(swim.hundredths),
                                      event.course,
                                      meet.name,
                                      meet.city,
                                      swim.date};
        bool firstField = true;
        for (const std::string& field : fields) {
            if (!firstField) {
                out += ',';
            }
            firstField = false;
            AppendCsvField(out, field);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace et::meet

// Reading results files and finding each swimmer's best times. A results file is read by the meet
// library's own reader first (ZIP, encoding, sizes, and the place of any error in the file), then
// its swims are taken from its tree.

#include "meet/results.hpp"

#include "meet/entry_rules.hpp"
#include "meet/lenex_values.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <tuple>
#include <unordered_set>

namespace et::meet {
namespace {

// The lower case letter of a Latin-1 or Latin Extended-A capital (Polish, Czech, Hungarian,
// Baltic... names, and windows-1252's Š, Ž, Œ and Ÿ); any other character as it is. The Turkish
// dotted capital I (U+0130), whose lower case is two characters, stays.
unsigned LowerLatin(unsigned code) {
    if (code >= 0xC0 && code <= 0xDE && code != 0xD7) {
        return code + 0x20;
    }
    if (code == 0x178) {
        return 0xFF; // Ÿ, ÿ
    }
    // Capital and small letters come in pairs: the capital first at an even code here...
    const bool evenCapital = (code >= 0x100 && code <= 0x12F) || (code >= 0x132 && code <= 0x137) ||
                             (code >= 0x14A && code <= 0x177);
    // ... and at an odd one there.
    const bool oddCapital = (code >= 0x139 && code <= 0x148) || (code >= 0x179 && code <= 0x17E);
    return (evenCapital && code % 2 == 0) || (oddCapital && code % 2 == 1) ? code + 1 : code;
}

// Lower case for comparing names: ASCII and the Latin letters of LowerLatin (UTF-8 C3 80 to
// C5 BF, which keep their two bytes).
std::string Folded(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        } else if (c >= 0xC3 && c <= 0xC5 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if ((next & 0xC0) == 0x80) {
                const unsigned lower = LowerLatin(((c & 0x1FU) << 6) | (next & 0x3FU));
                out[i] = static_cast<char>(0xC0 | (lower >> 6));
                out[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
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
        : results_(results), file_(file), fileNumber_(results.files++) {
        // The licenses the file gives to two athletes, which tell neither of them.
        std::unordered_map<std::string_view, std::string_view> firstId;
        for (const pugi::xml_node meet : lenex.child("MEETS").children("MEET")) {
            for (const pugi::xml_node club : meet.child("CLUBS").children("CLUB")) {
                for (const pugi::xml_node athlete : club.child("ATHLETES").children("ATHLETE")) {
                    const std::string_view license = athlete.attribute("license").value();
                    const std::string_view id = athlete.attribute("athleteid").value();
                    if (const auto [at, added] = firstId.emplace(license, id);
                        !added && (id.empty() || at->second != id)) {
                        shared_.emplace(license);
                    }
                }
            }
        }
    }

    void ReadMeet(const pugi::xml_node& node) {
        const auto meetIndex = static_cast<std::uint32_t>(results_.meets.size());
        results_.meets.push_back({node.attribute("name").value(), node.attribute("city").value()});
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
                swimmer = SwimmerOf(swimmerRead(), athlete.attribute("athleteid").value());
            }
            ResultsSwim swim;
            swim.swimmer = *swimmer;
            swim.event = found->second.index;
            swim.meet = meetIndex;
            swim.identity = identity;
            swim.hundredths = *hundredths;
            swim.day = found->second.day;
            results_.swims.push_back(std::move(swim));
            ++results_.counts.swims;
        }
    }

    // Whether the license tells the swimmer in this file.
    bool Identifies(const std::string& license) const {
        return IdentifyingLicense(license) && shared_.count(license) == 0;
    }

    // Whether a swimmer already known can be the athlete read: not another athlete of this file,
    // and no birth date or gender that differs.
    bool MayBe(std::uint32_t index, const ResultsSwimmer& read) const {
        const ResultsSwimmer& known = results_.swimmers[index];
        const auto differ = [](const std::string& a, const std::string& b) {
            return !a.empty() && !b.empty() && a != b;
        };
        return results_.lastFile[index] != fileNumber_ &&
               !differ(known.birthdate, read.birthdate) && !differ(known.gender, read.gender);
    }

    // The one swimmer of the results that read (with its athleteid in the file) is, added when
    // new.
    std::uint32_t SwimmerOf(const ResultsSwimmer& read, std::string_view athleteid) {
        if (!athleteid.empty()) {
            if (const auto found = athletes_.find(std::string(athleteid));
                found != athletes_.end()) {
                return found->second;
            }
        }
        std::optional<std::uint32_t> index;
        const bool identifies = Identifies(read.license);
        if (identifies) {
            const auto [begin, end] = results_.byLicense.equal_range(read.license);
            for (auto it = begin; it != end && !index; ++it) {
                if (MayBe(it->second, read)) {
                    index = it->second;
                }
            }
        }
        const std::string key =
            Folded(read.lastname) + '\x1f' + Folded(read.firstname) + '\x1f' + read.birthdate;
        if (!index && !read.birthdate.empty()) {
            const auto [begin, end] = results_.byName.equal_range(key);
            for (auto it = begin; it != end && !index; ++it) {
                const ResultsSwimmer& other = results_.swimmers[it->second];
                // Two licenses that identify and differ are two swimmers, whatever their names.
                if (MayBe(it->second, read) && !(identifies && IdentifyingLicense(other.license) &&
                                                 other.license != read.license)) {
                    index = it->second;
                }
            }
        }
        if (!index) {
            index = static_cast<std::uint32_t>(results_.swimmers.size());
            results_.swimmers.push_back(read);
            results_.lastFile.push_back(fileNumber_);
            results_.byName.emplace(key, *index);
            if (identifies) {
                results_.byLicense.emplace(read.license, *index);
            }
        } else {
            Join(*index, read, identifies);
        }
        if (!athleteid.empty()) {
            athletes_.emplace(athleteid, *index);
        }
        return *index;
    }

    // What the athlete read adds to the swimmer known.
    void Join(std::uint32_t index, const ResultsSwimmer& read, bool identifies) {
        results_.lastFile[index] = fileNumber_;
        ResultsSwimmer& known = results_.swimmers[index];
        if (identifies && !IdentifyingLicense(known.license)) {
            known.license = read.license;
            results_.byLicense.emplace(read.license, index);
        } else if (known.license.empty()) {
            known.license = read.license;
        }
        for (auto [field, value] :
             {std::pair{&known.gender, &read.gender}, std::pair{&known.birthdate, &read.birthdate},
              std::pair{&known.nation, &read.nation}}) {
            if (field->empty()) {
                *field = *value;
            }
        }
        if (read.clubDate >= known.clubDate) {
            known.club = read.club;
            known.clubCode = read.clubCode;
            known.clubNation = read.clubNation;
            known.clubType = read.clubType;
            known.clubDate = read.clubDate;
            if (!read.handicap.empty()) {
                known.handicap = read.handicap;
            }
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
        results_.warnings.push_back(where + ": " + message);
    }

    Results& results_;
    FileText file_;
    std::uint32_t fileNumber_; // among the files read
    std::unordered_set<std::string_view> shared_;
    std::unordered_map<std::string, std::uint32_t> athletes_; // by athleteid, in this file
};

// Swim a is better than b in the pool: faster, then made in that pool, then the earlier.
bool Better(const Best& a, std::uint32_t aDay, const Best& b, std::uint32_t bDay) {
    if (a.hundredths != b.hundredths) {
        return a.hundredths < b.hundredths;
    }
    if (a.converted != b.converted) {
        return !a.converted;
    }
    // An undated swim counts as the latest.
    if ((aDay == 0) != (bDay == 0)) {
        return aDay != 0;
    }
    return aDay < bDay;
}

} // namespace

bool IdentifyingLicense(std::string_view license) {
    std::size_t digits = 0;
    bool nonZero = false;
    for (const char c : license) {
        if (c >= '0' && c <= '9') {
            ++digits;
            nonZero = nonZero || c != '0';
        }
    }
    return digits >= 4 && nonZero;
}

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

std::uint32_t DayNumber(std::string_view text) {
    const Date date = ParseLenexDate(text);
    return static_cast<std::uint32_t>(date.year * 10000 + date.month * 100 + date.day);
}

std::string DayText(std::uint32_t day) {
    if (day == 0) {
        return {};
    }
    std::string text = "0000-00-00";
    for (const std::size_t at : {9U, 8U, 6U, 5U, 3U, 2U, 1U, 0U}) {
        text[at] = static_cast<char>('0' + day % 10);
        day /= 10;
    }
    return text;
}

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
    // The place in answer.best of each swimmer's best in each event, by swimmer and event code.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::size_t> place(results.swimmers.size() * kIndividualEvents.size(), kNone);
    const std::uint32_t from = DayNumber(filter.from);
    const std::uint32_t to = DayNumber(filter.to);
    for (std::size_t i = 0; i < results.swims.size(); ++i) {
        const ResultsSwim& swim = results.swims[i];
        if (kept[swim.swimmer] == 0 || (from != 0 && (swim.day == 0 || swim.day < from)) ||
            (to != 0 && (swim.day == 0 || swim.day > to))) {
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
        std::size_t& at = place[swim.swimmer * kIndividualEvents.size() +
                                static_cast<std::size_t>(swim.identity->code - 1)];
        if (at == kNone) {
            at = answer.best.size();
            answer.best.push_back(best);
            continue;
        }
        Best& held = answer.best[at];
        if (Better(best, swim.day, held, results.swims[held.swim].day)) {
            held = best;
        }
    }
    // Swimmers ranked once by gender and name, so that the rows sort on numbers.
    std::vector<std::uint32_t> byName(results.swimmers.size());
    for (std::uint32_t i = 0; i < byName.size(); ++i) {
        byName[i] = i;
    }
    std::sort(byName.begin(), byName.end(), [&results](std::uint32_t a, std::uint32_t b) {
        const ResultsSwimmer& x = results.swimmers[a];
        const ResultsSwimmer& y = results.swimmers[b];
        return std::tie(x.gender, x.lastname, x.firstname, a) <
               std::tie(y.gender, y.lastname, y.firstname, b);
    });
    std::vector<std::uint32_t> rank(byName.size());
    std::vector<std::uint32_t> genderRank(byName.size());
    for (std::uint32_t r = 0; r < byName.size(); ++r) {
        rank[byName[r]] = r;
        const bool sameGender =
            r > 0 && results.swimmers[byName[r]].gender == results.swimmers[byName[r - 1]].gender;
        genderRank[byName[r]] = r == 0 ? 0 : genderRank[byName[r - 1]] + (sameGender ? 0 : 1);
    }
    // Each row's key taken once, so that sorting reads no swim.
    struct Keyed {
        std::uint32_t event;
        std::uint32_t gender;
        long hundredths;
        std::uint32_t name;
        Best best;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(answer.best.size());
    for (const Best& best : answer.best) {
        const ResultsSwim& swim = results.swims[best.swim];
        keyed.push_back({static_cast<std::uint32_t>(swim.identity->code), genderRank[swim.swimmer],
                         best.hundredths, rank[swim.swimmer], best});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.event, a.gender, a.hundredths, a.name) <
               std::tie(b.event, b.gender, b.hundredths, b.name);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        answer.best[i] = keyed[i].best;
    }
    return answer;
}

std::string IdentityName(const IndividualEvent& event) {
    return std::to_string(event.distance) + " " + std::string(event.stroke);
}

bool WriteBestTimesCsv(const Results& results, const std::vector<Best>& best,
                       const std::function<bool(std::string_view)>& write) {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::string out(kBestTimesHeader);
    out += "\r\n";
    std::array<std::string, kIndividualEvents.size()> events;
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i] = IdentityName(kIndividualEvents[i]);
    }
    // Fields as the files give them are quoted where they must be; the times, dates and events
    // made here never need it.
    const auto text = [&out](std::string_view field) {
        AppendCsvField(out, field);
        out += ',';
    };
    const auto made = [&out](std::string_view field) {
        out += field;
        out += ',';
    };
    for (const Best& one : best) {
        const ResultsSwim& swim = results.swims[one.swim];
        const ResultsSwimmer& swimmer = results.swimmers[swim.swimmer];
        const ResultsMeet& meet = results.meets[swim.meet];
        text(swimmer.lastname + ", " + swimmer.firstname);
        text(swimmer.birthdate);
        text(swimmer.gender);
        text(swimmer.club);
        text(swimmer.license);
        made(events[static_cast<std::size_t>(swim.identity->code - 1)]);
        made(LenexTimeText(one.hundredths));
        made(LenexTimeText(swim.hundredths));
        text(results.events[swim.event].course);
        text(meet.name);
        text(meet.city);
        out += DayText(swim.day);
        out += "\r\n";
        if (out.size() >= kPiece) {
            if (!write(out)) {
                return false;
            }
            out.clear();
        }
    }
    return out.empty() || write(out);
}

std::string BestTimesCsv(const Results& results, const std::vector<Best>& best) {
    std::string csv;
    WriteBestTimesCsv(results, best, [&csv](std::string_view piece) {
        csv += piece;
        return true;
    });
    return csv;
}

} // namespace et::meet

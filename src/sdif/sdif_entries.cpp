// An SDIF meet entries file read as plain values for the check, and its converted copy.

#include "sdif/sdif_entries.hpp"

#include "check/swim_values.hpp"
#include "sdif/write_seeds.hpp"

#include <map>
#include <tuple>

namespace et::sdif {
namespace {

// The model's stroke (FREE, BACK, BREAST, FLY, MEDLEY) of an SDIF stroke code 1 to 5; empty for
// any other.
std::string_view ModelStroke(char stroke) {
    const std::string_view name = StrokeName(stroke);
    return name.empty() ? std::string_view() : meet::LenexStroke(name);
}

std::string Quoted(char c) {
    return std::string("'") + c + "'";
}

// What a D0 lacks for its swim to be checked; empty when it names a swim of an event.
std::string Lacking(const Swim& swim) {
    if (swim.stroke == ' ' && swim.distance == 0) {
        return "the line names no individual event (a relay-only swimmer)";
    }
    std::vector<std::string> missing;
    if (swim.eventNumber.empty()) {
        missing.emplace_back("no event number (D0 columns 73-76)");
    }
    if (swim.stroke == 'H') {
        missing.emplace_back("a diving event (stroke H), no swim to convert");
    } else if (swim.stroke == ' ') {
        missing.emplace_back("no stroke (D0 column 72)");
    } else if (ModelStroke(swim.stroke).empty()) {
        missing.emplace_back("stroke " + Quoted(swim.stroke) +
                             " (D0 column 72) is no individual stroke (1 to 5)");
    }
    if (swim.distance <= 0) {
        missing.emplace_back("no distance (D0 columns 68-71)");
    }
    if (swim.eventSex == ' ') {
        missing.emplace_back("no event sex (D0 column 67)");
    } else if (GenderOfEventSex(swim.eventSex).empty()) {
        missing.emplace_back("event sex " + Quoted(swim.eventSex) +
                             " (D0 column 67) is not M, F or X");
    }
    std::string text;
    for (const std::string& item : missing) {
        text += (text.empty() ? "" : "; ") + item;
    }
    return text;
}

// The event of a line that names one: its number, stroke, distance, sex and ages.
meet::Event EventOfLine(const Swim& swim, const std::string& course) {
    meet::Event event;
    event.number = swim.eventNumber;
    event.course = course;
    event.stroke = ModelStroke(swim.stroke);
    event.hasStyle = true;
    event.distance = swim.distance;
    event.gender = GenderOfEventSex(swim.eventSex);
    const std::string_view code = Trimmed(swim.eventAge);
    if (const std::optional<AgeRange> ages = AgeRangeOfCode(code); ages) {
        if (ages->min != -1 || ages->max != -1) {
            event.ageGroups.push_back({std::string(code), ages->min, ages->max, {}, false});
        }
    } else if (!code.empty()) {
        event.ageGroupError = "event age code '" + std::string(swim.eventAge) +
                              "' (D0 columns 77-80) is no age group such as 1112, 15OV or UN08";
    }
    return event;
}

// The swimmers and events of the lines, each once, and each line's entry.
class Builder {
public:
    explicit Builder(SdifMeet& meet) : meet_(meet) {}

    void Add(const Swim& swim) {
        EntryLine& line = meet_.entries.emplace_back();
        line.owner = OwnerOf(swim);
        line.lacking = Lacking(swim);
        if (line.lacking.empty()) {
            line.event = EventOf(swim);
        }
    }

private:
    std::uint32_t OwnerOf(const Swim& swim) {
        const auto key = std::tuple(swim.team, swim.memberNumber, swim.name, swim.birthDate);
        const auto [found, added] =
            owners_.try_emplace(key, static_cast<std::uint32_t>(meet_.owners.size()));
        if (added) {
            meet::Owner& owner = meet_.owners.emplace_back();
            if (swim.team != kNoTeam) {
                const Team& team = meet_.file.teams[swim.team];
                owner.club = team.name.empty() ? team.code : team.name;
            }
            owner.athleteid = swim.memberNumber;
            owner.name = swim.name;
            owner.gender = swim.sex == 'M' || swim.sex == 'F' ? std::string(1, swim.sex) : "";
            owner.birth = meet::ParseDate(swim.birthDate);
            owner.age = swim.age.value_or(-1);
        }
        return found->second;
    }

    std::size_t EventOf(const Swim& swim) {
        const auto key =
            std::tuple(swim.eventNumber, swim.stroke, swim.distance, swim.eventSex, swim.eventAge);
        const auto [found, added] = events_.try_emplace(key, meet_.events.size());
        if (added) {
            meet::Event event = EventOfLine(swim, meet_.heading.course);
            // Two events of one number (a file that disagrees with itself) stay two events.
            const std::size_t same = numbers_[swim.eventNumber]++;
            event.id = same == 0 ? event.number : event.number + "#" + std::to_string(same + 1);
            meet_.parts[0].events.emplace(event.id, meet_.events.size());
            meet_.events.push_back(std::move(event));
        }
        return found->second;
    }

    SdifMeet& meet_;
    std::map<std::tuple<std::size_t, std::string, std::string, std::string>, std::uint32_t> owners_;
    std::map<std::tuple<std::string, char, long, char, std::string>, std::size_t> events_;
    std::map<std::string, std::size_t> numbers_;
};

void SetHeading(SdifMeet& meet) {
    const Meet& read = meet.file.meet;
    meet.heading.name = read.name;
    meet.heading.city = read.city;
    meet.heading.date = read.startDate;
    meet.heading.course = read.course ? std::string(read.course->code) : std::string();
    // Ages are taken on the meet's first day.
    meet::MeetPart& part = meet.parts.emplace_back();
    part.ageDateType = "DATE";
    part.ageDate = meet::ParseDate(read.startDate);
    part.firstSession = part.ageDate;
    part.sessions.push_back({"1", -1, -1, {}});
}

} // namespace

const meet::EntryWords kSdifEntryWords = {
    "event number",
    "seed time",
    "seed course",
    "D0",
    "D0 seed time",
    "D0 seed course",
    "D0 date of swim",
    "SDIF time like 1:02.34 (minutes:seconds.hundredths)",
    "course letter S, Y or L (or 1, 2, 3)",
    "date (MMDDYYYY)",
};

SdifMeetRead ReadSdifMeet(std::string_view bytes, std::string_view name) {
    SdifMeetRead out;
    auto meet = std::make_unique<SdifMeet>();
    meet->name = name;
    if (bytes.starts_with("PK")) {
        SdifBytes bare = UnwrapSdif(bytes, name);
        if (!bare.error.empty()) {
            out.error = std::move(bare.error);
            return out;
        }
        meet->name += "(" + bare.member + ")";
        meet->bytes = std::move(bare.bytes);
    } else {
        meet->bytes = bytes;
    }
    ReadResult read = ReadBareSdif(meet->bytes, meet->name);
    if (!read.error.empty()) {
        out.error = std::move(read.error);
        return out;
    }
    meet->file = std::move(read.file);
    meet->problems = meet->file.warnings;
    SetHeading(*meet);
    if (!meet->file.meet.course && meet->file.kind == FileKind::Entries) {
        meet->problems.push_back(meet->name + ": the meet names no course (B1 column 150 " +
                                 Quoted(meet->file.meet.courseLetter) + ")");
    }
    Builder builder(*meet);
    for (const Swim& swim : meet->file.swims) {
        builder.Add(swim);
    }
    out.meet = std::move(meet);
    return out;
}

meet::EntryEvent SdifEntries::EventOf(std::size_t i) const {
    return {meet_.entries[i].owner, meet_.entries[i].event};
}

void SdifEntries::Read(std::size_t i, meet::EntryFacts& facts) const {
    const EntryLine& line = meet_.entries[i];
    const Swim& swim = meet_.file.swims[i];
    facts.entrant = {line.owner, line.event};
    facts.eventid = {!swim.eventNumber.empty(), swim.eventNumber};
    facts.status.clear();
    facts.lacking = line.lacking;
    const TimeField& seed = swim.seed;
    facts.entryTime.text = seed.text;
    facts.entryTime.hundredths = seed.kind == TimeKind::Time ? seed.hundredths : 0;
    facts.entryTime.kind = seed.kind == TimeKind::Time    ? meet::GivenTime::Kind::Swim
                           : seed.kind == TimeKind::Other ? meet::GivenTime::Kind::Unreadable
                                                          : meet::GivenTime::Kind::None;
    facts.entryCourse = {};
    if (seed.kind == TimeKind::Time) {
        if (const std::optional<Course> course = CourseOfLetter(seed.course); course) {
            facts.entryCourse = {true, std::string(course->code)};
        } else if (seed.course == ' ') {
            facts.lacking += (facts.lacking.empty() ? "" : "; ") + std::string("seed time ") +
                             seed.text + " has no course letter (D0 column 97)";
        } else {
            facts.entryCourse = {true, std::string(1, seed.course)};
        }
    }
    facts.swumTime = {};
    facts.swumCourse = {};
    facts.swumDay = {};
    facts.day = {};
    facts.agegroupid.clear();
}

std::string SdifEntries::Where(std::size_t i) {
    return meet_.name + ":" + std::to_string(meet_.file.swims[i].line);
}

std::string NoEntriesText(const SdifMeet& meet) {
    const SdifFile& file = meet.file;
    if (file.kind == FileKind::Entries) {
        return {};
    }
    const auto many = [](std::size_t n, const std::string& one, const std::string& more) {
        return std::to_string(n) + " " + (n == 1 ? one : more);
    };
    const std::string swimmers = many(meet.owners.size(), "swimmer", "swimmers");
    if (file.kind == FileKind::Results) {
        return "holds " + many(file.counts.swims + file.counts.relays, "result", "results") +
               " of " + swimmers + " and no entries";
    }
    return "holds " + many(file.counts.swims, "swim", "swims") + " of " + swimmers +
           " and no entries: its file code '" + file.fileCode +
           "' (A0 columns 12-13) is no meet entries file's";
}

std::pair<std::string, std::string> ConvertedSdif(const SdifMeet& meet,
                                                  const meet::CheckResult& result) {
    std::vector<SeedEdit> edits;
    edits.reserve(result.conversions.size());
    for (const meet::Conversion& conversion : result.conversions) {
        const PoolInfo* pool = meet::PoolOfCourse(conversion.course);
        const char letter = pool != nullptr ? LetterOfPool(*pool) : ' ';
        if (letter == ' ') {
            return {{},
                    "the entries are converted into " + std::string(conversion.course) +
                        ", a pool an SDIF file has no course letter for: S, Y and L only"};
        }
        edits.push_back({meet.file.swims[conversion.entry].offset, conversion.hundredths, letter});
    }
    WrittenCopy copy = WriteSeedTimes(meet.bytes, std::move(edits));
    return {std::move(copy.bytes), std::move(copy.error)};
}

} // namespace et::sdif

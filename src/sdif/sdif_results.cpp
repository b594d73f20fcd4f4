// Reading an SDIF results file's swims into the season: each D0's prelim, swim-off and finals
// times, each in the pool of the course letter after it.

#include "sdif/sdif_results.hpp"

#include <array>
#include <charconv>
#include <unordered_map>
#include <unordered_set>

namespace et::sdif {
namespace {

// The Lenex stroke of a stroke code 1 to 5, as the season's events name strokes.
std::string_view LenexStroke(char stroke) {
    static constexpr std::array<std::string_view, 5> kStrokes = {"FREE", "BACK", "BREAST", "FLY",
                                                                 "MEDLEY"};
    return stroke >= '1' && stroke <= '5' ? kStrokes[static_cast<std::size_t>(stroke - '1')]
                                          : std::string_view();
}

// "Last, First M" as the last name and the first name, a middle initial left off so that the
// name is the one a Lenex file gives.
void SplitName(std::string_view name, meet::ResultsSwimmer& read) {
    const std::size_t comma = name.find(',');
    read.lastname = Trimmed(name.substr(0, comma));
    std::string_view first = comma == std::string_view::npos ? "" : Trimmed(name.substr(comma + 1));
    if (first.size() > 2 && first[first.size() - 2] == ' ') {
        first = Trimmed(first.substr(0, first.size() - 2));
    }
    read.firstname = first;
}

// Who the file tells apart: the name with the member number and birth date, written into key.
void FileKey(const Swim& swim, std::string& key) {
    key.assign(swim.name);
    key += '\x1F';
    key += swim.memberNumber;
    key += '\x1F';
    key += swim.birthDate;
}

// The member numbers the file gives to two swimmers, which tell neither of them.
std::unordered_set<std::string> SharedNumbers(const SdifFile& file) {
    std::unordered_set<std::string> shared;
    std::unordered_map<std::string_view, const Swim*> first; // the number's first swimmer
    for (const Swim& swim : file.swims) {
        if (swim.memberNumber.empty()) {
            continue;
        }
        const auto [at, added] = first.emplace(swim.memberNumber, &swim);
        if (!added && (at->second->name != swim.name || at->second->birthDate != swim.birthDate)) {
            shared.emplace(swim.memberNumber);
        }
    }
    return shared;
}

class SwimsReader {
public:
    SwimsReader(meet::Results& results, const SdifFile& file)
        : file_(file), season_(results, SharedNumbers(file)),
          meet_(season_.AddMeet({file.meet.name, file.meet.city})),
          meetDay_(meet::DayNumber(file.meet.startDate)) {}

    void Read() {
        meet::ResultsCounts& counts = season_.counts();
        counts.results += file_.counts.relays;
        counts.relays += file_.counts.relays;
        for (const Swim& swim : file_.swims) {
            if (swim.stroke == 'H') {
                ++counts.results;
                ++counts.noConversion;
            } else if (swim.stroke != ' ' || swim.distance != 0) {
                ReadSwim(swim);
            }
        }
    }

private:
    void ReadSwim(const Swim& swim) {
        meet::ResultsCounts& counts = season_.counts();
        const std::uint32_t day = swim.swimDate.empty() ? meetDay_ : meet::DayNumber(swim.swimDate);
        bool any = false;
        for (const TimeField* field : {&swim.prelim, &swim.swimOff, &swim.finals}) {
            if (field->kind == TimeKind::Blank) {
                continue;
            }
            any = true;
            ++counts.results;
            if (field->kind == TimeKind::Code) {
                ++counts.notSwum;
                continue;
            }
            if (field->kind == TimeKind::Other) {
                ++counts.unreadable; // the reader has told the line
                continue;
            }
            const SwimEvent event = EventOfSwim(swim.stroke, swim.distance, field->course);
            if (event.fit == EventFit::NoConversion) {
                ++counts.noConversion;
                continue;
            }
            if (event.fit != EventFit::Converts) {
                ++counts.unreadable; // a stroke or course letter the reader has told
                continue;
            }
            meet::ResultsSwim made;
            made.swimmer = Swimmer(swim);
            made.event = EventOf(swim, field->course);
            made.meet = meet_;
            made.identity = event.event;
            made.hundredths = field->hundredths;
            made.day = day;
            season_.AddSwim(made);
        }
        if (!any) {
            ++counts.results;
            ++counts.notSwum; // a swimmer entered who has no time in any round
        }
    }

    // The season's swimmer of the swim: the file's swimmers are made once, on their first swim.
    std::uint32_t Swimmer(const Swim& swim) {
        if (&swim == lastSwim_) {
            return lastSwimmer_; // another round of the same swim
        }
        FileKey(swim, key_);
        if (const auto found = swimmers_.find(key_); found != swimmers_.end()) {
            lastSwim_ = &swim;
            lastSwimmer_ = found->second;
            return found->second;
        }
        meet::ResultsSwimmer read;
        SplitName(swim.name, read);
        read.gender = swim.sex == 'M' || swim.sex == 'F' ? std::string(1, swim.sex) : "";
        read.birthdate = swim.birthDate;
        read.license = swim.memberNumber;
        if (swim.team != kNoTeam) {
            read.club = file_.teams[swim.team].name;
            read.clubCode = file_.teams[swim.team].code;
        }
        if (read.club.empty() && read.clubCode.empty()) {
            read.clubType = "UNATTACHED";
        }
        read.clubDate = file_.meet.startDate;
        const std::uint32_t index = season_.AddSwimmer(read, key_);
        swimmers_.emplace(key_, index);
        lastSwim_ = &swim;
        lastSwimmer_ = index;
        return index;
    }

    // The season's event of the swim's event number in a course, added when new.
    std::uint32_t EventOf(const Swim& swim, char course) {
        std::string& key = key_;
        key.assign(swim.eventNumber);
        key += '\x1F';
        key += swim.eventSex;
        key += course;
        std::array<char, 24> digits{};
        const auto written =
            std::to_chars(digits.data(), digits.data() + digits.size(), swim.distance);
        key.append(digits.data(), written.ptr);
        key += swim.stroke;
        const auto found = events_.find(key);
        if (found != events_.end()) {
            return found->second;
        }
        meet::Event event;
        event.id = swim.eventNumber;
        event.number = swim.eventNumber;
        event.course = CourseOfLetter(course)->code;
        event.stroke = LenexStroke(swim.stroke);
        event.gender = GenderOfEventSex(swim.eventSex);
        event.distance = swim.distance;
        event.hasStyle = true;
        const std::uint32_t index = season_.AddEvent(std::move(event));
        events_.emplace(key, index);
        return index;
    }

    const SdifFile& file_;
    meet::SeasonFile season_;
    std::uint32_t meet_;
    std::uint32_t meetDay_;
    std::unordered_map<std::string, std::uint32_t> events_;
    std::unordered_map<std::string, std::uint32_t> swimmers_; // by FileKey
    std::string key_;                // the key looked up, its room kept from swim to swim
    const Swim* lastSwim_ = nullptr; // the swim whose swimmer was told last
    std::uint32_t lastSwimmer_ = 0;
};

} // namespace

void AddSdifSwims(meet::Results& results, const SdifFile& file) {
    results.warnings.insert(results.warnings.end(), file.warnings.begin(), file.warnings.end());
    SwimsReader(results, file).Read();
}

std::string AddSdifResults(meet::Results& results, std::string_view bytes, std::string_view name) {
    const ReadResult read = ReadSdif(bytes, name);
    if (!read.error.empty()) {
        return read.error;
    }
    if (read.file.kind == FileKind::Entries) {
        // A meet's entries hold seed times, not swims: the file says what it is and adds nothing.
        results.warnings.push_back(std::string(name) + ": an SDIF entries file (A0 file code " +
                                   read.file.fileCode + "), not results: its " +
                                   std::to_string(read.file.counts.swims) +
                                   " entries give no swims; left out");
        return {};
    }
    AddSdifSwims(results, read.file);
    return {};
}

} // namespace et::sdif

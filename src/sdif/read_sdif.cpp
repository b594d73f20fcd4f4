#include "sdif/sdif_file.hpp"
#include "sdif/zip_member.hpp"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace et::sdif {
namespace {

// Past this many warnings of single lines a file gets one line saying how many more there were.
constexpr std::size_t kMostLineWarnings = 100;

bool StartsWithBom(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF");
}

// The value of a run of digits (at most a few).
long DigitsValue(std::string_view digits) {
    long value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The ends of lines: where the next CR and the next LF lie, each looked for once.
class LineEnds {
public:
    explicit LineEnds(std::string_view bytes)
        : bytes_(bytes), cr_(bytes.find('\r')), lf_(bytes.find('\n')) {}

    // Where the line that begins at pos ends: its CR or LF, or npos for the last line.
    std::size_t From(std::size_t pos) {
        if (cr_ < pos) {
            cr_ = bytes_.find('\r', pos);
        }
        if (lf_ < pos) {
            lf_ = bytes_.find('\n', pos);
        }
        return std::min(cr_, lf_);
    }

private:
    std::string_view bytes_;
    std::size_t cr_;
    std::size_t lf_;
};

// How many swim (D0) lines the bytes hold at most: a line's start is the bytes' start or follows
// a CR or LF.
std::size_t SwimLines(std::string_view bytes) {
    std::size_t count = bytes.starts_with("D0") ? 1U : 0U;
    for (std::size_t at = bytes.find("D0", 1); at != std::string_view::npos;
         at = bytes.find("D0", at + 2)) {
        count += bytes[at - 1] == '\n' || bytes[at - 1] == '\r' ? 1U : 0U;
    }
    return count;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// Something tolerated on many lines, told once with its count and first line.
struct Tally {
    std::size_t count = 0;
    std::size_t first = 0;
    std::string what; // of the first line, where it differs from line to line

    void Add(std::size_t line, std::string_view detail = {}) {
        if (count++ == 0) {
            first = line;
            what = detail;
        }
    }
};

// A citizen column (D0 53-55) as meet programs fill it: blank, a country code, 2AL or FGN.
bool LooksLikeCitizen(std::string_view columns) {
    if (IsBlank(columns)) {
        return true;
    }
    for (const char c : columns) {
        if (!(c >= 'A' && c <= 'Z') && c != '2') {
            return false;
        }
    }
    return true;
}

class Reader {
public:
    Reader(std::string_view name, SdifFile& file) : name_(name), file_(file) {}

    // Reads every line of bytes, which begin with an A0 line.
    void Read(std::string_view bytes);

private:
    void Line(std::string_view line, std::size_t number, std::size_t offset);
    void FileDescription(std::string_view line);
    void MeetRecord(std::string_view line, std::size_t number);
    void TeamRecord(std::string_view line);
    void SwimRecord(std::string_view line, std::size_t number, std::size_t offset);
    std::string MemberNumber(std::string_view line, std::size_t number);
    void TimeChecks(const Swim& swim, std::size_t number);
    void SwimmerInfo(std::string_view line, std::size_t number);
    void Ending(std::string_view line, std::size_t number);
    void Finish();
    void FullMemberNumbers();

    void Warn(std::size_t line, const std::string& message);
    std::string Date(std::string_view columns, std::size_t line, std::string_view what);
    static std::string Key(const Swim& swim);

    std::string name_;
    SdifFile& file_;
    std::string padded_; // a short line, padded with blanks to 160 columns
    std::size_t team_ = kNoTeam;
    std::size_t lastSwim_ = kNoTeam; // the D0 a D3 would follow, while nothing else came between
    bool seenMeet_ = false;
    std::size_t endLine_ = 0; // of the Z0
    std::size_t lineWarnings_ = 0;
    Tally short_, long_, unknown_, teamless_, afterEnd_, secondA0_;
    std::unordered_map<std::string, std::string> fullNumbers_; // Key -> D3's member number
};

void Reader::Warn(std::size_t line, const std::string& message) {
    if (++lineWarnings_ <= kMostLineWarnings) {
        file_.warnings.push_back(name_ + ":" + std::to_string(line) + ": " + message);
    }
}

std::string Reader::Date(std::string_view columns, std::size_t line, std::string_view what) {
    if (IsBlank(columns)) {
        return {};
    }
    std::optional<std::string> iso = IsoDate(columns);
    if (!iso) {
        Warn(line, std::string(what) + " '" + std::string(Trimmed(columns)) +
                       "' is no date MMDDYYYY; read as blank");
        return {};
    }
    return std::move(*iso);
}

void Reader::Read(std::string_view bytes) {
    std::size_t pos = StartsWithBom(bytes) ? 3 : 0;
    while (!bytes.empty() && bytes.back() == '\x1A') {
        bytes.remove_suffix(1);
        file_.counts.ctrlZ = true;
    }
    // Every swim is kept, in place: room for them all at once.
    file_.swims.reserve(SwimLines(bytes.substr(pos)));
    LineEnds ends(bytes);
    std::size_t number = 0;
    while (pos < bytes.size()) {
        const std::size_t end = ends.From(pos);
        std::size_t next = bytes.size();
        if (end != std::string_view::npos) {
            const bool crlf =
                bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
            next = end + (crlf ? 2 : 1);
            file_.counts.lfLines += crlf ? 0 : 1;
        }
        Line(bytes.substr(pos, std::min(end, bytes.size()) - pos), ++number, pos);
        pos = next;
    }
    Finish();
}

void Reader::Line(std::string_view line, std::size_t number, std::size_t offset) {
    Counts& counts = file_.counts;
    ++counts.lines;
    if (IsBlank(line)) {
        ++counts.blankLines;
        return;
    }
    if (line.size() < kLineColumns) {
        short_.Add(number);
        padded_.assign(line);
        padded_.resize(kLineColumns, ' ');
        line = padded_;
    } else if (line.size() > kLineColumns) {
        long_.Add(number);
        line = line.substr(0, kLineColumns);
    }
    if (endLine_ != 0) {
        afterEnd_.Add(number);
    }
    const std::string_view code = line.substr(0, 2);
    if (code != "D3" && code != "G0") {
        lastSwim_ = kNoTeam;
    }
    if (code == "D0") {
        SwimRecord(line, number, offset);
    } else if (code == "D3") {
        SwimmerInfo(line, number);
    } else if (code == "G0") {
        ++counts.splits;
    } else if (code == "E0") {
        ++counts.relays;
    } else if (code == "F0") {
        ++counts.relaySwimmers;
    } else if (code == "C1") {
        TeamRecord(line);
    } else if (code == "B1") {
        MeetRecord(line, number);
    } else if (code == "A0") {
        if (number == 1) {
            FileDescription(line);
        } else {
            secondA0_.Add(number);
        }
    } else if (code == "Z0") {
        Ending(line, number);
    } else if (code == "B2" || code == "C2" || code == "D1" || code == "D2" || code == "J0" ||
               code == "J1" || code == "J2") {
        ++counts.otherKnown;
    } else {
        ++counts.unknown;
        unknown_.Add(number, Utf8OfWindows1252(code));
    }
    // The A0 line above tells whether the lines carry checksums, its own included.
    if (counts.cl2 && !Cl2ChecksumAgrees(line) && counts.checksumsStale++ == 0) {
        counts.firstStaleLine = number;
    }
}

void Reader::FileDescription(std::string_view line) {
    file_.fileCode = Columns(line, 12, 13);
    const std::string_view description = Trimmed(Columns(line, 14, 43));
    const std::string_view code = file_.fileCode;
    if (code == "01" || (code == "20" && description.starts_with("Meet Entries"))) {
        file_.kind = FileKind::Entries;
    } else if (code == "02" || (code == "20" && description.starts_with("Meet Results"))) {
        file_.kind = FileKind::Results;
    }
    file_.software = Utf8OfWindows1252(Trimmed(Columns(line, 44, 63)));
    file_.counts.cl2 = CarriesCl2Checksum(line);
}

void Reader::MeetRecord(std::string_view line, std::size_t number) {
    if (seenMeet_) {
        Warn(number, "a second meet (B1) record; the first one kept");
        return;
    }
    seenMeet_ = true;
    Meet& meet = file_.meet;
    meet.name = Utf8OfWindows1252(Trimmed(Columns(line, 12, 41)));
    meet.city = Utf8OfWindows1252(Trimmed(Columns(line, 86, 105)));
    meet.startDate = Date(Columns(line, 122, 129), number, "the meet's start date");
    meet.endDate = Date(Columns(line, 130, 137), number, "the meet's end date");
    meet.courseLetter = line[149];
    meet.course = CourseOfLetter(meet.courseLetter);
    if (!meet.course) {
        Warn(number, meet.courseLetter == ' '
                         ? std::string("the meet's course (column 150) is blank")
                         : "the meet's course '" + Utf8OfWindows1252(Columns(line, 150, 150)) +
                               "' (column 150) names no pool");
    }
}

void Reader::TeamRecord(std::string_view line) {
    team_ = file_.teams.size();
    file_.teams.push_back({Utf8OfWindows1252(Trimmed(Columns(line, 12, 17))),
                           Utf8OfWindows1252(Trimmed(Columns(line, 18, 47)))});
}

std::string Reader::MemberNumber(std::string_view line, std::size_t number) {
    // A 12-column number is followed by the attach code (A or U) and a citizen code. A longer
    // number written from column 40 on runs over them: it is read whole, to the first blank.
    const bool runsOn = line[50] != ' ' && line[51] != ' ';
    const char attach = line[51];
    if (runsOn && !((attach == 'A' || attach == 'U') && LooksLikeCitizen(Columns(line, 53, 55)))) {
        const std::string_view run = Columns(line, 40, 55);
        const std::string whole = Utf8OfWindows1252(run.substr(0, run.find(' ')));
        Warn(number, "the member number '" + whole +
                         "' runs past column 51 into the attach and citizen columns; read whole");
        return whole;
    }
    return Utf8OfWindows1252(Trimmed(Columns(line, 40, 51)));
}

void Reader::SwimRecord(std::string_view line, std::size_t number, std::size_t offset) {
    Counts& counts = file_.counts;
    ++counts.swims;
    lastSwim_ = file_.swims.size();
    Swim& swim = file_.swims.emplace_back();
    swim.name = Utf8OfWindows1252(Trimmed(Columns(line, 12, 39)));
    swim.memberNumber = MemberNumber(line, number);
    swim.birthDate = Date(Columns(line, 56, 63), number, "the birth date");
    swim.ageText = Utf8OfWindows1252(Trimmed(Columns(line, 64, 65)));
    const std::string_view age = Trimmed(Columns(line, 64, 65));
    if (IsDigits(age)) {
        swim.age = static_cast<int>(DigitsValue(age));
    }
    swim.sex = line[65];
    swim.eventSex = line[66];
    const std::string_view distance = Trimmed(Columns(line, 68, 71));
    if (IsDigits(distance)) {
        swim.distance = DigitsValue(distance);
    } else if (!distance.empty()) {
        Warn(number, "the distance '" + Utf8OfWindows1252(distance) + "' is no number");
    }
    swim.stroke = line[71];
    swim.eventNumber = Utf8OfWindows1252(Trimmed(Columns(line, 73, 76)));
    swim.eventAge = Utf8OfWindows1252(Trimmed(Columns(line, 77, 80)));
    swim.swimDate = Date(Columns(line, 81, 88), number, "the date of swim");
    swim.seed = ReadTime(Columns(line, 89, 96), line[96]);
    swim.prelim = ReadTime(Columns(line, 98, 105), line[105]);
    swim.swimOff = ReadTime(Columns(line, 107, 114), line[114]);
    swim.finals = ReadTime(Columns(line, 116, 123), line[123]);
    swim.exhibition = line[155] == 'X';
    swim.team = team_;
    swim.line = number;
    swim.offset = offset;
    if (swim.stroke == 'H') {
        ++counts.diving;
    } else if (swim.stroke == ' ' && swim.distance == 0) {
        ++counts.noEvent;
    } else {
        if (StrokeName(swim.stroke).empty()) {
            Warn(number, "the stroke '" + Utf8OfWindows1252(Columns(line, 72, 72)) +
                             "' (column 72) is no individual stroke");
        }
        if (!swim.eventAge.empty() && !AgeRangeOfCode(swim.eventAge)) {
            Warn(number, "the event's age code '" + swim.eventAge + "' (columns 77-80) is not " +
                             "two ages, UN or OV");
        }
        TimeChecks(swim, number);
    }
    if (team_ == kNoTeam) {
        teamless_.Add(number);
    }
}

void Reader::TimeChecks(const Swim& swim, std::size_t number) {
    const std::pair<const TimeField*, const char*> fields[] = {{&swim.seed, "seed time"},
                                                               {&swim.prelim, "prelim time"},
                                                               {&swim.swimOff, "swim-off time"},
                                                               {&swim.finals, "finals time"}};
    for (const auto& [field, what] : fields) {
        if (field->kind == TimeKind::Other) {
            Warn(number, std::string("the ") + what + " '" + Utf8OfWindows1252(field->text) +
                             "' is no time; left out");
        } else if (field->kind == TimeKind::Time && !CourseOfLetter(field->course)) {
            Warn(number, std::string("the ") + what + " " + field->text + " has " +
                             (field->course == ' '
                                  ? std::string("no course letter")
                                  : "the course letter '" + Utf8OfWindows1252({&field->course, 1}) +
                                        "', which names no pool"));
        }
    }
}

std::string Reader::Key(const Swim& swim) {
    return std::to_string(swim.team) + '\x1F' + swim.name + '\x1F' + swim.memberNumber;
}

void Reader::SwimmerInfo(std::string_view line, std::size_t number) {
    ++file_.counts.swimmerInfo;
    if (lastSwim_ == kNoTeam) {
        Warn(number, "a swimmer's details (D3) with no swim (D0) just before them; left out");
        return;
    }
    Swim& swim = file_.swims[lastSwim_];
    lastSwim_ = kNoTeam;
    swim.preferredName = Utf8OfWindows1252(Trimmed(Columns(line, 17, 31)));
    const std::string full = Utf8OfWindows1252(Trimmed(Columns(line, 3, 16)));
    if (full.empty() || full == swim.memberNumber) {
        return;
    }
    if (!swim.memberNumber.empty() && !full.starts_with(swim.memberNumber)) {
        Warn(number, "the member number '" + full + "' does not begin with the swim's '" +
                         swim.memberNumber + "' (line " + std::to_string(swim.line) +
                         "); the swim's kept");
        return;
    }
    fullNumbers_[Key(swim)] = full;
}

void Reader::Ending(std::string_view line, std::size_t number) {
    if (endLine_ != 0) {
        return;
    }
    endLine_ = number;
    // The number of D records (58-63), which the meet programs count as D0 lines.
    const std::string_view told = Trimmed(Columns(line, 58, 63));
    if (!told.empty() && told.find_first_not_of("0123456789") == std::string_view::npos &&
        std::stoul(std::string(told)) != file_.counts.swims) {
        Warn(number, "the end record counts " + std::string(told) + " swims (D records); " +
                         std::to_string(file_.counts.swims) + " were read");
    }
}

void Reader::FullMemberNumbers() {
    if (fullNumbers_.empty()) {
        return;
    }
    // The full number comes once, after the swimmer's first swim: the swimmer's other swims take
    // it too.
    for (Swim& swim : file_.swims) {
        const auto found = fullNumbers_.find(Key(swim));
        if (found != fullNumbers_.end()) {
            swim.memberNumber = found->second;
        }
    }
}

void Reader::Finish() {
    FullMemberNumbers();
    const auto told = [this](const Tally& tally, const std::string& message) {
        if (tally.count > 0) {
            file_.warnings.push_back(
                name_ + ":" + std::to_string(tally.first) + ": " + message +
                (tally.count > 1 ? " (" + std::to_string(tally.count) + " lines, this the first)"
                                 : ""));
        }
    };
    told(short_, "a line shorter than 160 columns, read as if padded with blanks");
    told(long_, "a line longer than 160 columns; the columns past 160 ignored");
    told(unknown_, "a record of the unknown code '" + unknown_.what + "'; left out");
    told(teamless_, "a swim before any team (C1) record: its team is blank");
    told(afterEnd_, "a record after the end (Z0) record");
    told(secondA0_, "a second file description (A0) record; left out");
    const Counts& counts = file_.counts;
    if (lineWarnings_ > kMostLineWarnings) {
        file_.warnings.push_back(name_ + ": " + std::to_string(lineWarnings_ - kMostLineWarnings) +
                                 " more warnings of single lines not shown");
    }
    if (counts.checksumsStale > 0) {
        file_.warnings.push_back(
            name_ + ":" + std::to_string(counts.firstStaleLine) + ": " +
            std::to_string(counts.checksumsStale) + " of " +
            std::to_string(counts.lines - counts.blankLines) +
            " lines carry a CL2 checksum (columns 157-160) that does not agree with the line, " +
            "this the first: edited by another program; every line read as it is");
    }
    if (!seenMeet_) {
        file_.warnings.push_back(name_ + ": no meet (B1) record");
    }
    if (endLine_ == 0) {
        file_.warnings.push_back(name_ + ": no end (Z0) record: the file may be cut short");
    }
}

} // namespace

bool IsSdif(std::string_view bytes) {
    if (StartsWithBom(bytes)) {
        bytes.remove_prefix(3);
    }
    if (bytes.starts_with("A0")) {
        return true;
    }
    return bytes.starts_with("PK") && ZipHoldsSdif(bytes);
}

SdifBytes UnwrapSdif(std::string_view bytes, std::string_view name) {
    SdifBytes result;
    if (!bytes.starts_with("PK")) {
        result.bytes = bytes;
        return result;
    }
    if (std::string error = InflateSdifMember(bytes, result.bytes, result.member); !error.empty()) {
        result.bytes.clear();
        result.error = std::string(name) + ": " + error;
    }
    return result;
}

ReadResult ReadBareSdif(std::string_view bytes, std::string_view name) {
    ReadResult result;
    const std::string_view first = StartsWithBom(bytes) ? bytes.substr(3) : bytes;
    if (!first.starts_with("A0")) {
        result.error = std::string(name) + ": not an SDIF file: its first line does not begin " +
                       "with a file description (A0) record";
        return result;
    }
    if (bytes.size() > kLargestSdifFile) {
        result.error = std::string(name) + ": the file is larger than " +
                       std::to_string(kLargestSdifFile >> 20) + " MiB";
        return result;
    }
    Reader(name, result.file).Read(bytes);
    return result;
}

ReadResult ReadSdif(std::string_view bytes, std::string_view name) {
    if (!bytes.starts_with("PK")) {
        return ReadBareSdif(bytes, name);
    }
    SdifBytes bare = UnwrapSdif(bytes, name);
    if (!bare.error.empty()) {
        return {{}, std::move(bare.error)};
    }
    ReadResult result = ReadBareSdif(bare.bytes, std::string(name) + "(" + bare.member + ")");
    if (result.error.empty()) {
        result.file.zipMember = std::move(bare.member);
    }
    return result;
}

} // namespace et::sdif

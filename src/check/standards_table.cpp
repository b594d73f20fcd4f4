// A table of qualifying times read into time standard lists.

#include "check/standards_table.hpp"

#include "check/swim_values.hpp"
#include "convert/names.hpp"
#include "io/csv.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace et::meet {
namespace {

enum Column : std::size_t { kList, kGender, kAgeMin, kAgeMax, kCourse, kEvent, kTime, kType };

// The table's columns by their header names; all but the type are needed.
constexpr std::array<std::string_view, 8> kColumnNames = {"list",   "gender", "agemin", "agemax",
                                                          "course", "event",  "time",   "type"};
constexpr std::size_t kNeededColumns = kType;

constexpr std::string_view kColumnsNeeded =
    "the header line names the columns list, gender, agemin, agemax, course, event and time "
    "(and type if wanted)";

std::string Uppercase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

// An age bound: empty or -1 for none; nullopt for anything else that is no whole number.
std::optional<long> AgeBound(std::string_view text) {
    if (text.empty() || text == "-1") {
        return -1;
    }
    long value = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || value < 0 ||
        value > 999) {
        return std::nullopt;
    }
    return value;
}

// The Lenex course of a course column: a Lenex code, a pool as the command line takes it, or
// empty for the event's course.
std::optional<std::string> CourseOfColumn(std::string_view text) {
    if (text.empty()) {
        return std::string();
    }
    const std::string code = Uppercase(text);
    if (IsLenexCourse(code)) {
        return code;
    }
    if (const auto pool = ParsePool(text)) {
        return std::string(CourseOfPool(kPools[*pool]));
    }
    return std::nullopt;
}

// The distance a list in this course gives for the event: the yard pools write the 1500 as 1650.
long DistanceIn(const IndividualEvent& event, const std::string& course) {
    const PoolInfo* pool = PoolOfCourse(course);
    if (pool != nullptr && pool->type == kYardPools && event.distance == 1500) {
        return 1650;
    }
    return event.distance;
}

using ListKey = std::tuple<std::string, std::string, long, long, std::string, std::string>;

class CsvStandards {
public:
    explicit CsvStandards(std::string_view name) : name_(name) {}

    // Reads the whole table; empty, or the first fault as "name:line: reason".
    std::string Read(std::string_view bytes) {
        // A table of qualifying times is small: a buffer its size, within the reader's bounds.
        io::CsvReader reader(io::ReadFromText(bytes),
                             std::min(bytes.size() + 1, std::size_t{1} << 16));
        io::CsvRecord record;
        bool header = true;
        for (;;) {
            const io::CsvReader::Status status = reader.Next(record);
            if (status == io::CsvReader::Status::End) {
                break;
            }
            if (status == io::CsvReader::Status::Error) {
                return At(reader.line(), reader.error());
            }
            line_ = reader.line();
            if (IsBlank(record)) {
                continue;
            }
            std::string error = header ? Header(record) : Row(record);
            if (!error.empty()) {
                return At(line_, error);
            }
            header = false;
        }
        if (header) {
            return At(1, std::string("no header line: ") + std::string(kColumnsNeeded));
        }
        if (lists_.empty()) {
            return At(line_, "the table holds no qualifying times");
        }
        return {};
    }

    std::vector<StandardList>& lists() { return lists_; }

private:
    static bool IsBlank(const io::CsvRecord& record) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (!TrimBlanks(record[i]).empty()) {
                return false;
            }
        }
        return true;
    }

    std::string At(std::size_t line, const std::string& reason) const {
        return name_ + ":" + std::to_string(line) + ": " + reason;
    }

    std::string Header(const io::CsvRecord& record) {
        columns_.fill(kMissing);
        for (std::size_t i = 0; i < record.size(); ++i) {
            const std::string_view title = TrimBlanks(record[i]);
            for (std::size_t c = 0; c < kColumnNames.size(); ++c) {
                if (!EqualsIgnoringCase(title, kColumnNames[c])) {
                    continue;
                }
                if (columns_[c] != kMissing) {
                    return "the column '" + std::string(kColumnNames[c]) + "' is named twice";
                }
                columns_[c] = i;
            }
        }
        for (std::size_t c = 0; c < kNeededColumns; ++c) {
            if (columns_[c] == kMissing) {
                return "no column '" + std::string(kColumnNames[c]) +
                       "': " + std::string(kColumnsNeeded);
            }
        }
        return {};
    }

    std::string_view Field(const io::CsvRecord& record, Column column) const {
        const std::size_t at = columns_[column];
        return at < record.size() ? TrimBlanks(record[at]) : std::string_view();
    }

    std::string Row(const io::CsvRecord& record) {
        const std::string_view list = Field(record, kList);
        if (list.empty()) {
            return "no list name";
        }
        const std::string gender = Uppercase(Field(record, kGender));
        if (gender != "M" && gender != "F" && gender != "X") {
            return "gender '" + std::string(Field(record, kGender)) + "' is not M, F or X";
        }
        std::array<long, 2> ages{};
        for (const Column column : {kAgeMin, kAgeMax}) {
            const auto age = AgeBound(Field(record, column));
            if (!age) {
                return std::string(kColumnNames[column]) + " '" +
                       std::string(Field(record, column)) +
                       "' is no age (a whole number; empty or -1 for no bound)";
            }
            ages[column == kAgeMin ? 0 : 1] = *age;
        }
        if (ages[0] != -1 && ages[1] != -1 && ages[0] > ages[1]) {
            return "agemin " + std::to_string(ages[0]) + " is above agemax " +
                   std::to_string(ages[1]);
        }
        const auto course = CourseOfColumn(Field(record, kCourse));
        if (!course) {
            return "unknown course '" + std::string(Field(record, kCourse)) +
                   "' (a Lenex course such as LCM or SCM, or a pool such as 25m or 50 metres)";
        }
        const auto event = ParseEvent(Field(record, kEvent));
        if (!event) {
            return UnknownEventMessage(Field(record, kEvent));
        }
        const std::string_view timeText = Field(record, kTime);
        const auto hundredths = ParseSwimTime(timeText);
        if (!hundredths || LenexTimeText(*hundredths).empty()) {
            return "time '" + std::string(timeText) +
                   "' is no swim time like 1:02.34, 62.34 or 00:01:02.34";
        }
        std::string type = Uppercase(Field(record, kType));
        if (type.empty()) {
            type = "MAXIMUM";
        }
        if (type != "MAXIMUM" && type != "MINIMUM") {
            return "type '" + std::string(Field(record, kType)) + "' is not MAXIMUM or MINIMUM";
        }

        const ListKey key{std::string(list), gender, ages[0], ages[1], *course, type};
        const auto [found, added] = index_.emplace(key, lists_.size());
        if (added) {
            StandardList made;
            // Events that name their lists name a list of a table by its name.
            made.id = std::string(list);
            made.name = made.id;
            made.course = *course;
            made.gender = gender;
            made.type = type;
            made.agemin = ages[0];
            made.agemax = ages[1];
            lists_.push_back(std::move(made));
            lines_.emplace_back();
        }
        StandardList& target = lists_[found->second];
        Standard standard;
        standard.stroke = std::string(LenexStroke(event->stroke));
        standard.distance = DistanceIn(*event, *course);
        standard.timeText = LenexTimeText(*hundredths);
        standard.hundredths = *hundredths;
        for (std::size_t i = 0; i < target.standards.size(); ++i) {
            if (target.standards[i].stroke == standard.stroke &&
                target.standards[i].distance == standard.distance) {
                return "the " + EventName(*event) + " of this list is already on line " +
                       std::to_string(lines_[found->second][i]);
            }
        }
        target.standards.push_back(std::move(standard));
        lines_[found->second].push_back(line_);
        return {};
    }

    static constexpr std::size_t kMissing = static_cast<std::size_t>(-1);

    std::string name_;
    std::array<std::size_t, kColumnNames.size()> columns_{};
    std::size_t line_ = 1;
    std::vector<StandardList> lists_;
    std::vector<std::vector<std::size_t>> lines_; // each standard's line, list by list
    std::map<ListKey, std::size_t> index_;
};

} // namespace

std::string AddStandardsTable(PlainMeet& meet, std::string_view bytes, std::string_view name) {
    CsvStandards table(name);
    if (std::string error = table.Read(bytes); !error.empty()) {
        return error;
    }
    meet.lists.insert(meet.lists.end(), std::make_move_iterator(table.lists().begin()),
                      std::make_move_iterator(table.lists().end()));
    return {};
}

} // namespace et::meet

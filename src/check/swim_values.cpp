#include "check/swim_values.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

namespace et::meet {
namespace {

struct Course {
    std::string_view code;
    std::string_view pool; // the calculator pool's short name; empty where we have no factors
};

// Lenex names nine pool lengths that are the calculator's nine pools, and two it cannot convert.
constexpr std::array<Course, 11> kCourses = {{
    {"LCM", "50m"},
    {"SCM", "25m"},
    {"SCM33", "33m"},
    {"SCM20", "20m"},
    {"SCY", "25y"},
    {"SCY20", "20y"},
    {"SCY27", "27y"},
    {"SCY33", "33y"},
    {"SCY36", "36y"},
    {"SCM16", ""},
    {"OPEN", ""},
}};

struct Stroke {
    std::string_view lenex;
    std::string_view name; // as the calculator's events name it
};

constexpr std::array<Stroke, 5> kStrokes = {{
    {"FREE", "Free"},
    {"BACK", "Back"},
    {"BREAST", "Breast"},
    {"FLY", "Fly"},
    {"MEDLEY", "IM"},
}};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

long TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10L + (text[at + 1] - '0');
}

// Writes 0 to 99 as two digits at text[at].
void PutTwoDigits(std::string& text, std::size_t at, long value) {
    text[at] = static_cast<char>('0' + value / 10);
    text[at + 1] = static_cast<char>('0' + value % 10);
}

} // namespace

std::optional<long> ParseLenexTime(std::string_view text) {
    // 'HH:MM:SS.ss', every field two digits.
    if (text.size() != 11 || text[2] != ':' || text[5] != ':' || text[8] != '.') {
        return std::nullopt;
    }
    for (const std::size_t at : {0U, 1U, 3U, 4U, 6U, 7U, 9U, 10U}) {
        if (!IsDigit(text[at])) {
            return std::nullopt;
        }
    }
    const long hours = TwoDigits(text, 0);
    const long minutes = TwoDigits(text, 3);
    const long seconds = TwoDigits(text, 6);
    if (minutes > 59 || seconds > 59) {
        return std::nullopt;
    }
    return ((hours * 60 + minutes) * 60 + seconds) * 100 + TwoDigits(text, 9);
}

std::string LenexTimeText(long hundredths) {
    if (hundredths < 0 || hundredths >= 100L * 60 * 60 * 100) {
        return {};
    }
    std::string text = "00:00:00.00";
    PutTwoDigits(text, 0, hundredths / 360000);
    PutTwoDigits(text, 3, hundredths / 6000 % 60);
    PutTwoDigits(text, 6, hundredths / 100 % 60);
    PutTwoDigits(text, 9, hundredths % 100);
    return text;
}

std::string SwimmersTime(std::string_view lenexTime) {
    const auto hundredths = ParseLenexTime(lenexTime);
    if (!hundredths) {
        return std::string(lenexTime);
    }
    const long hours = *hundredths / 360000;
    const long minutes = *hundredths / 6000 % 60;
    const long seconds = *hundredths / 100 % 60;
    const long fraction = *hundredths % 100;
    std::array<char, 64> buffer{};
    if (hours > 0) {
        std::snprintf(buffer.data(), buffer.size(), "%ld:%02ld:%02ld.%02ld", hours, minutes,
                      seconds, fraction);
    } else if (minutes > 0) {
        std::snprintf(buffer.data(), buffer.size(), "%ld:%02ld.%02ld", minutes, seconds, fraction);
    } else {
        std::snprintf(buffer.data(), buffer.size(), "%ld.%02ld", seconds, fraction);
    }
    return std::string(buffer.data());
}

std::optional<long> ParseSwimTime(std::string_view text) {
    if (const auto lenex = ParseLenexTime(text)) {
        return lenex;
    }
    // [[h:]m:]s.hh: each field one or more digits, at most three fields before the point.
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || text.size() - point != 3 || !IsDigit(text[point + 1]) ||
        !IsDigit(text[point + 2])) {
        return std::nullopt;
    }
    std::array<long, 3> fields{};
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = text.find(':', start);
        const std::size_t end = colon == std::string_view::npos || colon > point ? point : colon;
        const std::string_view digits = text.substr(start, end - start);
        if (count == fields.size() || digits.empty() || digits.size() > 4) {
            return std::nullopt;
        }
        long value = 0;
        for (const char c : digits) {
            if (!IsDigit(c)) {
                return std::nullopt;
            }
            value = value * 10 + (c - '0');
        }
        // A field after another is at most 59, written in two digits.
        if (count > 0 && (value > 59 || digits.size() != 2)) {
            return std::nullopt;
        }
        fields[count++] = value;
        if (end == point) {
            break;
        }
        start = end + 1;
    }
    long seconds = 0;
    for (std::size_t i = 0; i < count; ++i) {
        seconds = seconds * 60 + fields[i];
    }
    return seconds * 100 + TwoDigits(text, point + 1);
}

std::optional<long> BoxHundredths(std::string_view box) {
    // ' m.ss.t' or '   ss.t' (a tenth), as TimeToAlpha lays a box out; hundredths also read.
    box = box.substr(std::min(box.size(), box.find_first_not_of(' ')));
    long fields[3] = {0, 0, 0};
    std::size_t digits[3] = {0, 0, 0};
    std::size_t count = 1;
    for (const char c : box) {
        if (c == '.' || c == ':') {
            if (++count > 3) {
                return std::nullopt;
            }
            continue;
        }
        if (!IsDigit(c) || digits[count - 1] == 2) {
            return std::nullopt;
        }
        fields[count - 1] = fields[count - 1] * 10 + (c - '0');
        ++digits[count - 1];
    }
    if (count < 2 || digits[0] == 0 || digits[count - 1] == 0 || digits[count - 2] == 0) {
        return std::nullopt;
    }
    const long minutes = count == 3 ? fields[0] : 0;
    const long seconds = fields[count - 2];
    const long fraction = digits[count - 1] == 1 ? fields[count - 1] * 10 : fields[count - 1];
    return (minutes * 60 + seconds) * 100 + fraction;
}

std::string TypedTime(long hundredths) {
    if (hundredths >= 0 && hundredths < 100L * 6000) {
        std::string text = "00:00.00";
        PutTwoDigits(text, 0, hundredths / 6000);
        PutTwoDigits(text, 3, hundredths / 100 % 60);
        PutTwoDigits(text, 6, hundredths % 100);
        return text;
    }
    // Room for three longs whatever their size, so that an optimising build sees no truncation.
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%02ld:%02ld.%02ld", hundredths / 6000,
                  hundredths / 100 % 60, hundredths % 100);
    return std::string(buffer.data());
}

const PoolInfo* PoolOfCourse(std::string_view course) {
    for (const Course& entry : kCourses) {
        if (entry.code == course) {
            for (const PoolInfo& pool : kPools) {
                if (!entry.pool.empty() && pool.code == entry.pool) {
                    return &pool;
                }
            }
            return nullptr;
        }
    }
    return nullptr;
}

bool IsLenexCourse(std::string_view course) {
    for (const Course& entry : kCourses) {
        if (entry.code == course) {
            return true;
        }
    }
    return false;
}

std::string_view CourseOfPool(const PoolInfo& pool) {
    for (const Course& entry : kCourses) {
        if (entry.pool == pool.code) {
            return entry.code;
        }
    }
    return {};
}

std::string_view LenexStroke(std::string_view stroke) {
    for (const Stroke& known : kStrokes) {
        if (known.name == stroke) {
            return known.lenex;
        }
    }
    return {};
}

std::string StrokeName(std::string_view lenexStroke) {
    for (const Stroke& stroke : kStrokes) {
        if (stroke.lenex == lenexStroke) {
            return std::string(stroke.name);
        }
    }
    return std::string(lenexStroke);
}

const IndividualEvent* EventOfSwimStyle(std::string_view stroke, long distance,
                                        const PoolInfo& pool) {
    std::string_view name;
    for (const Stroke& known : kStrokes) {
        if (known.lenex == stroke) {
            name = known.name;
        }
    }
    if (name.empty()) {
        return nullptr;
    }
    // The yard pools write the distance swum: the 1500 is 1650 yards in the yard pools, and the
    // pools of 27 1/2 and 36 2/3 yards swim every event over its distance times 1.1.
    const bool longYards = pool.type == kNearMetricYardPools;
    const bool yards = pool.type == kYardPools;
    for (const IndividualEvent& event : kIndividualEvents) {
        if (event.stroke != name) {
            continue;
        }
        const long metres = event.distance;
        const bool metric = distance == metres && !(yards && metres == 1500);
        const bool yardsFigure = (longYards && distance * 10 == metres * 11) ||
                                 (yards && metres == 1500 && distance == 1650);
        if (metric || yardsFigure) {
            return &event;
        }
    }
    return nullptr;
}

} // namespace et::meet

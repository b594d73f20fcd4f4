#include "sdif/sdif_values.hpp"

#include <algorithm>
#include <array>

namespace et::sdif {
namespace {

// The characters of windows-1252's bytes 0x80 to 0x9F; U+FFFD for the five it leaves undefined.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\uFFFD', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\uFFFD', u'\u017D', u'\uFFFD',
    u'\uFFFD', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\uFFFD', u'\u017E', u'\u0178'};

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return !text.empty();
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

constexpr std::array<std::string_view, 5> kTimeCodes = {"NT", "NS", "DNF", "DQ", "SCR"};

// "m:ss.hh", "mm:ss.hh", ":ss.hh" or "ss.hh" (seconds of one or two digits) in hundredths. A
// number of seconds from 60 up without minutes is no time (a diving score is written so).
std::optional<long> Hundredths(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || text.size() - point != 3 ||
        !AllDigits(text.substr(point + 1))) {
        return std::nullopt;
    }
    const std::size_t colon = text.find(':');
    const std::string_view minutes =
        colon == std::string_view::npos ? std::string_view() : text.substr(0, colon);
    const std::string_view seconds = colon == std::string_view::npos
                                         ? text.substr(0, point)
                                         : text.substr(colon + 1, point - colon - 1);
    if (minutes.size() > 2 || (!minutes.empty() && !AllDigits(minutes)) || seconds.empty() ||
        seconds.size() > 2 || !AllDigits(seconds) || Number(seconds) > 59) {
        return std::nullopt;
    }
    return (Number(minutes) * 60L + Number(seconds)) * 100L + Number(text.substr(point + 1));
}

struct Letter {
    char letter;
    Course course;
};
constexpr std::array<Letter, 7> kLetters = {{
    {'S', {"SCM", &kPools[kTwentyFiveMetreBox]}},
    {'1', {"SCM", &kPools[kTwentyFiveMetreBox]}},
    {'M', {"SCM", &kPools[kTwentyFiveMetreBox]}},
    {'Y', {"SCY", &kPools[7]}},
    {'2', {"SCY", &kPools[7]}},
    {'L', {"LCM", &kPools[kFiftyMetreBox]}},
    {'3', {"LCM", &kPools[kFiftyMetreBox]}},
}};

constexpr std::array<std::string_view, 5> kStrokeNames = {"Free", "Back", "Breast", "Fly", "IM"};

} // namespace

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Utf8OfWindows1252(std::string_view bytes) {
    // Most text of a file is printable ASCII, which stands for itself.
    const auto printable = [](char c) { return c >= 0x20 && c < 0x7F; };
    if (std::all_of(bytes.begin(), bytes.end(), printable)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else if (byte >= 0x80 && byte <= 0x9F) {
            AppendUtf8(out, kHighControls[byte - 0x80U]);
        } else if (byte >= 0xA0) {
            AppendUtf8(out, byte);
        } else {
            AppendUtf8(out, 0xFFFD);
        }
    }
    return out;
}

std::optional<std::string> IsoDate(std::string_view mmddyyyy) {
    if (mmddyyyy.size() != 8 || !AllDigits(mmddyyyy)) {
        return std::nullopt;
    }
    const int month = Number(mmddyyyy.substr(0, 2));
    const int day = Number(mmddyyyy.substr(2, 2));
    const int year = Number(mmddyyyy.substr(4, 4));
    constexpr std::array<int, 12> kDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (year < 1900 || month < 1 || month > 12 || day < 1 ||
        day > kDays[static_cast<std::size_t>(month - 1)] || (month == 2 && day == 29 && !leap)) {
        return std::nullopt;
    }
    std::string iso(mmddyyyy.substr(4, 4));
    iso += '-';
    iso += mmddyyyy.substr(0, 2);
    iso += '-';
    iso += mmddyyyy.substr(2, 2);
    return iso;
}

TimeField ReadTime(std::string_view eightColumns, char course) {
    TimeField field;
    field.course = course;
    const std::string_view text = Trimmed(eightColumns);
    field.text = text;
    if (text.empty()) {
        return field;
    }
    for (const std::string_view code : kTimeCodes) {
        if (text == code) {
            field.kind = TimeKind::Code;
            return field;
        }
    }
    const std::optional<long> hundredths = Hundredths(text);
    if (hundredths && *hundredths > 0) {
        field.kind = TimeKind::Time;
        field.hundredths = *hundredths;
    } else {
        field.kind = TimeKind::Other;
    }
    return field;
}

std::string TimeColumns(long hundredths) {
    if (hundredths <= 0 || hundredths >= 100L * 60 * 100) {
        return {};
    }
    const long minutes = hundredths / 6000;
    const long seconds = hundredths / 100 % 60;
    const long rest = hundredths % 100;
    std::string text;
    if (minutes > 0) {
        text = std::to_string(minutes) + ':' + static_cast<char>('0' + seconds / 10);
    } else if (seconds >= 10) {
        text = static_cast<char>('0' + seconds / 10);
    }
    text += static_cast<char>('0' + seconds % 10);
    text += '.';
    text += static_cast<char>('0' + rest / 10);
    text += static_cast<char>('0' + rest % 10);
    return std::string(8 - text.size(), ' ') + text;
}

std::optional<Course> CourseOfLetter(char letter) {
    for (const Letter& known : kLetters) {
        if (known.letter == letter) {
            return known.course;
        }
    }
    return std::nullopt;
}

char LetterOfPool(const PoolInfo& pool) {
    // The first letter of each course in the table is the one meet programs write.
    for (const Letter& known : kLetters) {
        if (known.course.pool->code == pool.code) {
            return known.letter;
        }
    }
    return ' ';
}

std::string_view StrokeName(char stroke) {
    if (stroke < '1' || stroke > '5') {
        return {};
    }
    return kStrokeNames[static_cast<std::size_t>(stroke - '1')];
}

SwimEvent EventOfSwim(char stroke, long distance, char courseLetter) {
    const std::string_view name = StrokeName(stroke);
    if (name.empty()) {
        return {EventFit::NotIndividual, nullptr};
    }
    const std::optional<Course> course = CourseOfLetter(courseLetter);
    if (!course) {
        return {EventFit::NoCourse, nullptr};
    }
    const bool yards = course->pool->type == kYardPools;
    // The yards pools swim the 1500 over 1650 yards; no 1500 is swum in them.
    const long metres = yards && distance == 1650 ? 1500 : distance;
    if (yards && distance == 1500) {
        return {EventFit::NoConversion, nullptr};
    }
    for (const IndividualEvent& event : kIndividualEvents) {
        if (event.stroke == name && event.distance == metres) {
            return {EventFit::Converts, &event};
        }
    }
    return {EventFit::NoConversion, nullptr};
}

std::string_view GenderOfEventSex(char sex) {
    switch (sex) {
    case 'M':
        return "M";
    case 'F':
        return "F";
    case 'X':
        return "X";
    default:
        return {};
    }
}

std::optional<AgeRange> AgeRangeOfCode(std::string_view code) {
    if (code.size() != 4) {
        return std::nullopt;
    }
    const std::string_view low = code.substr(0, 2);
    const std::string_view high = code.substr(2, 2);
    AgeRange range;
    if (low != "UN") {
        if (!AllDigits(low)) {
            return std::nullopt;
        }
        range.min = Number(low);
    }
    if (high != "OV") {
        if (!AllDigits(high)) {
            return std::nullopt;
        }
        range.max = Number(high);
    }
    if (range.max >= 0 && range.min > range.max) {
        return std::nullopt;
    }
    return range;
}

std::string Cl2Checksum(std::string_view line) {
    unsigned long sum = 0;
    for (const char c : line.substr(0, 156)) {
        sum += static_cast<unsigned char>(c);
    }
    const unsigned long r = sum / 19 + 211;
    return {static_cast<char>('0' + r % 10), static_cast<char>('0' + r / 10 % 10)};
}

bool CarriesCl2Checksum(std::string_view line) {
    return line.size() >= kLineColumns && IsDigit(line[158]) && IsDigit(line[159]);
}

bool Cl2ChecksumAgrees(std::string_view line) {
    return CarriesCl2Checksum(line) && Columns(line, 159, 160) == Cl2Checksum(line);
}

} // namespace et::sdif

#pragma once
// The values of an SDIF line: its columns, its times with the course letter after each, its
// strokes, event sexes and event age codes, its text decoded from windows-1252, and the CL2 line
// checksum; and the calculator's pools and events that they name.

#include "convert/pool_factors.hpp"
#include "model/events.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace et::sdif {

// Every record is 160 columns; a short line reads as if padded with blanks.
inline constexpr std::size_t kLineColumns = 160;

// Columns first to last (1-based, both included) of a line, blanks where the line is short.
// The line must be at least kLineColumns long (the reader pads short ones).
constexpr std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
    return line.substr(first - 1, last - first + 1);
}

// Blanks cut from both ends.
std::string_view Trimmed(std::string_view text);

// Bytes of windows-1252 as UTF-8, a byte a character. The five bytes that code page leaves
// undefined, and control characters, become U+FFFD so that a broken byte shows in a name.
std::string Utf8OfWindows1252(std::string_view bytes);

// An SDIF date MMDDYYYY as "YYYY-MM-DD"; nullopt for a blank field or anything that is no day
// of the calendar (the caller tells which by trimming first).
std::optional<std::string> IsoDate(std::string_view mmddyyyy);

// What one 8-column time field holds.
enum class TimeKind : std::uint8_t {
    Blank, // nothing written
    Time,  // a time above zero: "m:ss.hh", "ss.hh", ":ss.hh", either justification
    Code,  // NT, NS, DNF, DQ or SCR, either justification: no time
    Other, // anything else: a diving score ("113.30"), a zero time, a broken field
};

struct TimeField {
    TimeKind kind = TimeKind::Blank;
    long hundredths = 0; // for a Time only
    std::string text;    // the field without its blanks
    char course = ' ';   // the course letter after the field, as written ("where it was swum")
};

// Reads 8 columns of time and the course letter that follows them.
TimeField ReadTime(std::string_view eightColumns, char course);

// A seed time as D0 89-96 holds it: right-justified "m:ss.hh" or "ss.hh" in 8 columns, e.g.
// "  1:02.34", "   28.11", "20:33.05". Empty for no time above zero or 100 minutes and more.
std::string TimeColumns(long hundredths);

// A course letter (S, Y, L, or the numeric 1, 2, 3; M is read as S) as the model's course code
// and the calculator's pool. nullopt for a blank, X (a disqualification) or any other letter.
struct Course {
    std::string_view code; // "SCM", "SCY" or "LCM"
    const PoolInfo* pool;  // 25 metres, 25 yards or 50 metres
};
std::optional<Course> CourseOfLetter(char letter);

// The course letter of one of the three SDIF pools; a blank for any other pool.
char LetterOfPool(const PoolInfo& pool);

// The calculator event of an individual swim of a distance swum in a course.
enum class EventFit : std::uint8_t {
    Converts,      // event is the one the window converts
    NoConversion,  // a real swim the conversion has no row for: 500 and 1000 yards free, 100 IM
    NotIndividual, // diving (H), a relay stroke, a blank or unknown stroke
    NoCourse,      // the course letter names no pool
};
struct SwimEvent {
    EventFit fit = EventFit::NotIndividual;
    const IndividualEvent* event = nullptr; // for Converts only
};
// Stroke 1 to 5 (free, back, breast, fly, IM). In a yards course the 1650 free is the 1500 Free
// of the conversion, swum over 1650 yards.
SwimEvent EventOfSwim(char stroke, long distance, char courseLetter);

// The model's stroke name ("Free", "Back", "Breast", "Fly", "IM") of a stroke code 1 to 5;
// empty for any other.
std::string_view StrokeName(char stroke);

// An event sex (D0 67) as the model's gender: "M", "F", "X" (mixed); empty for any other.
std::string_view GenderOfEventSex(char sex);

// An event age code (D0 77-80) as the ages that may swim, -1 for no limit, as a Lenex age group:
// "UN08" 8 and under, "15OV" 15 and over, "1112" 11 to 12, "UNOV" open. nullopt for a code that
// is not two ages or UN/OV, or whose lower age is above its upper.
struct AgeRange {
    int min = -1;
    int max = -1;
    friend bool operator==(const AgeRange&, const AgeRange&) = default;
};
std::optional<AgeRange> AgeRangeOfCode(std::string_view code);

// The CL2 line checksum of columns 1-156 of a line: the sum of their bytes, divided by 19 and
// 211 added, written as the units digit then the tens digit (columns 159-160).
std::string Cl2Checksum(std::string_view line);

// True when columns 159-160 of a (padded) line are digits: a CL2 line carries its checksum.
bool CarriesCl2Checksum(std::string_view line);

// True when columns 159-160 of a (padded) line hold its checksum.
bool Cl2ChecksumAgrees(std::string_view line);

} // namespace et::sdif

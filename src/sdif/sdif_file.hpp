#pragma once
// An SDIF file (version 3, and the CL2 dialect of the common US meet and team programs) read into
// plain values: the file's kind, the meet, the teams and every individual swim (D0) with the
// columns the best times and the entry check need, where each line lies in the file, and what
// the file gets wrong.
//
// A file is known by its content: its first line begins with A0. A .zip (first bytes PK) is read
// through its .cl2 or .sd3 member; a .hy3 beside it is another program's format and is left alone.
// Lines are cut by column, a byte a character (windows-1252), so that a column never shifts; text
// comes out as UTF-8. Short lines read as if padded with blanks, columns past 160 are ignored, and
// CRLF, LF, CR and a final Ctrl-Z all end lines. Nothing the file gets wrong stops the reading;
// each is told in a warning that names the file and the line ("club.cl2:12: ...").

#include "sdif/sdif_values.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace et::sdif {

// The largest SDIF file read, inflated or not: a season of a million swims is 160 MiB.
inline constexpr std::size_t kLargestSdifFile = std::size_t{512} << 20;

enum class FileKind : std::uint8_t {
    Entries, // A0 file code 01, or 20 with "Meet Entries"
    Results, // A0 file code 02, or 20 with "Meet Results"
    Other,   // rosters, records, time standards, registrations
};

struct Meet {
    std::string name;
    std::string city;
    std::string startDate; // "YYYY-MM-DD", empty when blank or no date
    std::string endDate;
    char courseLetter = ' '; // B1 column 150 as written
    std::optional<Course> course;
};

struct Team {
    std::string code; // C1 12-17 without its blanks: "COFAST", "ADSC"
    std::string name;
};

inline constexpr std::size_t kNoTeam = static_cast<std::size_t>(-1);

// One D0: a swimmer in an individual event.
struct Swim {
    std::string name;           // "Last, First M"
    std::string memberNumber;   // D0 40-51, or the full number of the D3 after the swimmer's D0
    std::string preferredName;  // D3 17-31
    std::string birthDate;      // "YYYY-MM-DD"; empty when blank (common) or no date
    std::string ageText;        // D0 64-65 without blanks: "9", "14", or a class "Jr"
    std::optional<int> age;     // the age column when it holds a number
    char sex = ' ';             // D0 66
    char eventSex = ' ';        // D0 67: M, F or X
    long distance = 0;          // D0 68-71; 0 when blank or no number
    char stroke = ' ';          // D0 72: 1 to 5, H for diving
    std::string eventNumber;    // D0 73-76 without blanks: "17", "17A"
    std::string eventAge;       // D0 77-80: "1112", "15OV", "UN08"
    std::string swimDate;       // D0 81-88 as "YYYY-MM-DD"; empty in entries files
    TimeField seed;             // 89-96 and its course 97: the entry time
    TimeField prelim;           // 98-105, 106
    TimeField swimOff;          // 107-114, 115
    TimeField finals;           // 116-123, 124 (timed finals go here)
    bool exhibition = false;    // X in column 156
    std::size_t team = kNoTeam; // index into SdifFile::teams: the last C1 before the swim
    std::size_t line = 0;       // 1-based line of the file (of the member, for a zip)
    std::size_t offset = 0;     // byte offset of the line's start in the SDIF bytes
};

// How many records of each kind, and what was tolerated.
struct Counts {
    std::size_t lines = 0;
    std::size_t swims = 0;         // D0
    std::size_t diving = 0;        // D0 of stroke H
    std::size_t noEvent = 0;       // D0 with a blank stroke (a relay-only swimmer)
    std::size_t swimmerInfo = 0;   // D3
    std::size_t relays = 0;        // E0
    std::size_t relaySwimmers = 0; // F0
    std::size_t splits = 0;        // G0
    std::size_t otherKnown = 0;    // B2, C2, D1, D2, J0, J1, J2
    std::size_t unknown = 0;       // record codes SDIF does not have
    std::size_t blankLines = 0;
    std::size_t shortLines = 0;     // under 160 columns, read as if padded
    std::size_t longLines = 0;      // over 160 columns, the rest ignored
    std::size_t lfLines = 0;        // ended by LF alone (or CR alone)
    bool ctrlZ = false;             // a final Ctrl-Z
    bool cl2 = false;               // lines carry the CL2 checksum (A0 columns 159-160 are digits)
    std::size_t checksumsStale = 0; // CL2 lines whose checksum does not agree with them
    std::size_t firstStaleLine = 0;
};

struct SdifFile {
    std::string zipMember; // the member read, for a .zip; empty for a bare file
    std::string fileCode;  // A0 12-13
    FileKind kind = FileKind::Other;
    std::string software; // A0 44-63
    Meet meet;
    std::vector<Team> teams;
    std::vector<Swim> swims; // in file order
    Counts counts;
    std::vector<std::string> warnings; // "name:line: ..." or "name: ..."
};

// True for bytes that are an SDIF file (first line begins with A0), or a .zip holding one.
bool IsSdif(std::string_view bytes);

// The SDIF bytes themselves: bytes as they are for a bare file, else the .cl2 (or .sd3) member of
// a .zip inflated. error names the file and says what is wrong ("club.zip: the ZIP archive holds
// no SDIF file (.cl2 or .sd3)"); member is the member's name for a zip.
struct SdifBytes {
    std::string bytes;
    std::string member;
    std::string error;
};
SdifBytes UnwrapSdif(std::string_view bytes, std::string_view name);

// Reads a file (bare or zipped). error is set, naming the file, when the bytes are no SDIF file
// or the zip cannot be read; otherwise file holds what was read. Offsets in the swims are into
// UnwrapSdif's bytes, which for a bare file are the bytes given.
struct ReadResult {
    SdifFile file;
    std::string error;
};
ReadResult ReadSdif(std::string_view bytes, std::string_view name);

// Reads bytes already known to be a bare SDIF file (what UnwrapSdif gives).
ReadResult ReadBareSdif(std::string_view bytes, std::string_view name);

} // namespace et::sdif

#pragma once
// SDIF lines of our own for the tests: records of 160 columns with fields at their columns, the
// CL2 checksum added, and a small results file of a made-up meet.

#include "sdif/sdif_values.hpp"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace et::sdif::test {

// A record: the code, then texts at their first columns (1-based), blanks between.
inline std::string Record(std::string_view code,
                          std::initializer_list<std::pair<std::size_t, std::string_view>> fields) {
    std::string line(kLineColumns, ' ');
    line.replace(0, 2, code);
    for (const auto& [column, text] : fields) {
        line.replace(column - 1, text.size(), text);
    }
    return line;
}

// The line as a CL2 file carries it: the flag in 157-158 and the checksum in 159-160.
inline std::string Cl2(std::string line, std::string_view flag = " N") {
    line.replace(156, 2, flag);
    line.replace(158, 2, Cl2Checksum(line));
    return line;
}

// The date of swim and the seed, prelim, swim-off and finals fields (D0 81-124), each of the
// four 8 columns of time and the course letter.
struct Times {
    std::string_view date;
    std::string_view seed;
    std::string_view prelim{};
    std::string_view swimOff{};
    std::string_view finals{};
};

// A D0: name, member number (with attach and citizen after it), birth date, then columns 64-80
// (age, sex, event sex, distance, stroke, event number, age code), the times, and what else goes
// at its column.
inline std::string
SwimLine(std::string_view name, std::string_view number, std::string_view born,
         std::string_view event, const Times& times,
         std::initializer_list<std::pair<std::size_t, std::string_view>> more = {}) {
    std::string line = Record("D0", {{3, "1"},
                                     {12, name},
                                     {40, number},
                                     {56, born},
                                     {64, event},
                                     {81, times.date},
                                     {89, times.seed},
                                     {98, times.prelim},
                                     {107, times.swimOff},
                                     {116, times.finals}});
    for (const auto& [column, text] : more) {
        line.replace(column - 1, text.size(), text);
    }
    return line;
}

// Lines joined with a line end.
inline std::string Joined(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += end;
    }
    return bytes;
}

// A meet's results as a meet program writes them, CL2 checksums not yet added: two clubs, five
// swims (one diving), a relay. The line numbers matter to the tests (1-based in the comments).
inline std::vector<std::string> ResultsLines() {
    return {
        // 1
        Record("A0", {{3, "1"},
                      {4, "V3"},
                      {12, "02"},
                      {14, "Meet Results"},
                      {44, "Example Meets"},
                      {106, "02102025"}}),
        // 2
        Record("B1", {{3, "1"},
                      {12, "Example Winter Open"},
                      {86, "Springfield"},
                      {122, "0208202502092025"},
                      {150, "Y"}}),
        // 3
        Record("C1", {{3, "1"}, {12, "ILXMPL"}, {18, "Example Swim Club"}}),
        // 4: prelim and finals, a long course seed
        SwimLine("Doe, Jane Q", "0A1B2C3D4E5FAUSA", "03142012", "12FF 1002 17A1112",
                 {"02082025", " 1:12.34L", " 1:05.10Y", "", " 1:04.87Y"}),
        // 5, 6
        Record("D3", {{3, "0A1B2C3D4E5F61"}, {17, "Janie"}}),
        Record("G0", {{16, "Doe, Jane Q"}, {56, "102  50C"}, {64, "   31.02 1:04.87"}}),
        // 7: no seed time, disqualified in the final
        SwimLine("Doe, Jane Q", "0A1B2C3D4E5FA", "03142012", "12FF 2002 22 1112",
                 {"02092025", "     NT ", "", "", "      DQY"}),
        // 8: the 1650 in yards, an exhibition swim, no birth date, the age left-justified
        SwimLine("Roe, Sam", "", "", "9 MM16501  5 UN10", {"02082025", "", "", "", "17:59.99Y"},
                 {{156, "X"}}),
        // 9: diving, its score in the finals column without a course
        SwimLine("Poe, Ann", "", "05052009", "15FF   1H  9 15OV",
                 {"02092025", "", "", "", "  113.30 "}),
        // 10
        Record("C1", {{3, "1"}, {12, "ILOTHR"}, {18, "Other Club"}}),
        // 11: codes and times left-justified, a short course metres final
        SwimLine("Coe, Li", "1234567", "11302011", "13MM  501 30 1314",
                 {"02092025", "", "NS      Y", "", "28.11   S"}),
        // 12-17: a relay, its swimmers and a split
        Record("E0", {{3, "1"}, {12, "AILOTHR"}, {21, "M 2006 31 UNOV"}}),
        Record("F0", {{16, "ILOTHRACoe, Li"}}),
        Record("F0", {{16, "ILOTHRAFoe, Al"}}),
        Record("F0", {{16, "ILOTHRAGoe, Bo"}}),
        Record("F0", {{16, "ILOTHRAHoe, Cy"}}),
        Record("G0", {{16, "Coe, Li"}, {56, "104  50C"}}),
        // 18: five D records
        Record("Z0", {{3, "1"}, {12, "02"}, {58, "     5"}}),
    };
}

// The same as a CL2 file: every line's checksum, NN on the swims as in results files.
inline std::vector<std::string> Cl2ResultsLines() {
    std::vector<std::string> lines = ResultsLines();
    for (std::string& line : lines) {
        line = Cl2(line, line.starts_with("D0") ? "NN" : " N");
    }
    return lines;
}

} // namespace et::sdif::test

#pragma once
// A results file of any format the program reads, told by its content: Lenex (.lef, .lxf) or
// SDIF (.cl2, .sd3, or a .zip holding one).

#include "club/season.hpp"

#include <string>
#include <string_view>

namespace et::formats {

// Reads one results file and adds its swims to the season. Empty on success, else the message
// naming the file ("results.lef:12:5: ...", "notes.txt: neither a Lenex nor an SDIF file"), and
// results is left as it was.
std::string AddResultsFile(meet::Results& results, std::string_view bytes, std::string_view name);

} // namespace et::formats

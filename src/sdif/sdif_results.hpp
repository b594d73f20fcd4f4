#pragma once
// SDIF results files (.cl2, .sd3, or a .zip holding one) read into the season's swims.

#include "club/season.hpp"
#include "sdif/sdif_file.hpp"

#include <string>
#include <string_view>

namespace et::sdif {

// Adds the swims of an SDIF file already read to the season. A swim is a prelim, swim-off or
// finals time of an individual event (strokes 1 to 5), in the pool its course letter names, on
// the swim's date or else the meet's first day; exhibition swims count. Time codes (NT, NS, DNF,
// DQ, SCR) and D0s with no time are not swum; diving, and events the conversion has no row for
// (the 500 and 1000 yards free, the 100 IM), are left out with no conversion; relays (E0) are
// counted and left out. The file's warnings join the season's.
void AddSdifSwims(meet::Results& results, const SdifFile& file);

// Reads one SDIF file (bare or zipped) and adds its swims. Empty on success, else the message
// naming the file, and results is left as it was. An entries file adds nothing and says what it
// holds in a warning.
std::string AddSdifResults(meet::Results& results, std::string_view bytes, std::string_view name);

} // namespace et::sdif

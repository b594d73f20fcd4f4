#pragma once
// Lenex results files (.lef, or .lxf holding one .lef) read into the season's swims.

#include "club/season.hpp"

#include <string>
#include <string_view>

namespace et::meet {

// Reads one results file (.lef or .lxf, told apart by content) and adds its swims. Empty on
// success, else the message ("results.lef:12:5: ..."), and results is left as it was.
std::string AddResults(Results& results, std::string_view bytes, std::string_view name);

} // namespace et::meet

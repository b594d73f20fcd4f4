#pragma once
// What the subcommands that read meets' results files share: the files read into the season,
// what was read told, and an output written whole or to standard output.

#include "club/season.hpp"

#include <cstdio>
#include <string>
#include <vector>

namespace et::cli {

// Reads a file whole, refusing one larger than a meet file can be; empty, or why not.
std::string ReadInput(const std::string& path, std::string& bytes);

// Reads every results file into results, telling the warnings; false (with the message told)
// when one cannot be read.
bool ReadResults(const std::vector<std::string>& paths, meet::Results& results, std::FILE* err);

// What the results files held, swims and what was left out, as one line.
void Summary(std::FILE* err, const meet::ResultsCounts& counts);

// Writes text to path whole or not at all, or to out for "-"; false once told why not.
bool WriteOut(const std::string& path, const std::string& text, std::FILE* out, std::FILE* err);

} // namespace et::cli

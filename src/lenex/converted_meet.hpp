#pragma once
// The converted meet: the Lenex file's own bytes with every converted entry's entrytime and
// entrycourse set and the original kept in its MEETINFO; nothing else changes.

#include "check/report.hpp"
#include "lenex/meet_file.hpp"

#include <cstdint>
#include <string>
#include <utility>

namespace et::meet {

// The .lef document of the converted meet (the bytes of meet with every converted entry
// changed), or an error message: {bytes, error}.
std::pair<std::string, std::string> ConvertedDocument(const Meet& meet, const CheckResult& result);

// The converted meet written whole or not at all, as .lxf (ZIP) or .lef by the output's name;
// never onto the file it was read from. Empty on success, else the message.
std::string WriteConvertedMeet(const Meet& meet, const CheckResult& result,
                               const std::string& outputPath);
// How hard an .lxf's member is compressed: as zlib does by default, or as fast as it can (a
// large file made anew, such as a region's club entries, a little larger for it).
enum class Deflate : std::uint8_t { Default, Fastest };
// The converted meet's file in memory, .lxf (ZIP, its .lef named after outputName) or .lef by
// outputName's ending, or an error message: {bytes, error}.
std::pair<std::string, std::string> ConvertedMeetFile(const Meet& meet, const CheckResult& result,
                                                      const std::string& outputName,
                                                      Deflate deflate = Deflate::Default);
// Empty when the converted meet can be written under that name (.lef or .lxf), else the message:
// to ask before any work is done.
std::string ConvertedMeetNameError(const std::string& outputPath);

} // namespace et::meet

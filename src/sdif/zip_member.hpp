#pragma once
// The SDIF member of a .zip: meet programs send their results and entries zipped, the .cl2 (and
// an .sd3) beside a .hy3 of their own format.

#include <string>
#include <string_view>

namespace et::sdif {

// Whether a member's name is an SDIF file's: .cl2 or .sd3 in any letter case.
bool IsSdifName(std::string_view name);

// Inflates the SDIF member of a zip into bytes and names it in member. A .cl2 is taken before an
// .sd3 (a results export holds both, of the same meet); two of the kind taken are refused.
// Returns an empty string, or why not ("the ZIP archive holds no SDIF file (.cl2 or .sd3)").
std::string InflateSdifMember(std::string_view zip, std::string& bytes, std::string& member);

// True when the zip opens and holds a .cl2 or .sd3 member.
bool ZipHoldsSdif(std::string_view zip);

} // namespace et::sdif

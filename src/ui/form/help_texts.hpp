#pragma once
// The fixed information texts of the help menu, built afresh from their lines at each request.
// Lines are joined by CR LF.

#include <string>
#include <string_view>

namespace et::form {

inline constexpr std::string_view kAboutTitle = "About Equivalent Performances";
inline constexpr std::string_view kVersionTitle = "About this version";
inline constexpr std::string_view kCopyrightTitle = "Copyright Notice";

// What the program is; the last line has no line break after it.
std::string AboutText();
// Which edition of the points tables the program carries; every line ends with CR LF.
std::string VersionText();
// The legal notice; every line ends with CR LF.
std::string CopyrightText();
// The explanation of comparative performance points for the text window; ends with two CR LF.
std::string GBPointsText();

} // namespace et::form

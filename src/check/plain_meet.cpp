// The plain meet's own values read from text.

#include "check/plain_meet.hpp"

#include <charconv>

namespace et::meet {
namespace {

// A whole number written in full; 0 for any other text.
long Number(std::string_view text) {
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : 0;
}

} // namespace

Date ParseDate(std::string_view text) {
    // YYYY-MM-DD
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return {};
    }
    const long year = Number(text.substr(0, 4));
    const long month = Number(text.substr(5, 2));
    const long day = Number(text.substr(8, 2));
    if (year <= 0 || month < 1 || month > 12 || day < 1 || day > 31) {
        return {};
    }
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

} // namespace et::meet

// Any bytes typed or pasted into the time box: timecheck must answer with a code, and a time it
// accepts must read the same again from its normalised text and from the box layout.
#include "model/time_text.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = -1.0;
    std::string normal = "caller's";
    std::int16_t nerr = -1;
    et::timecheck(text, value, normal, nerr);
    if (nerr == et::kTimeMalformed) {
        if (value != -1.0 || normal != "caller's") {
            std::abort(); // a malformed text must leave the caller's values alone
        }
        return 0;
    }
    if (nerr != et::kTimeOk && nerr != et::kTimeOutOfRange) {
        std::abort();
    }
    if (normal.size() != 8 || value < 0.0 || value >= 6000.0) {
        std::abort();
    }
    // The normalised text reads back to the same time.
    double again = -1.0;
    std::string normalAgain;
    std::int16_t nerrAgain = -1;
    et::timecheck(normal, again, normalAgain, nerrAgain);
    if (nerrAgain != nerr || again != value || normalAgain != normal) {
        std::abort();
    }
    // So does the layout that the converted-time boxes use.
    const std::string shown = et::TimeToAlpha(value, "P");
    et::timecheck(shown, again, normalAgain, nerrAgain);
    if (nerrAgain != nerr || again != value) {
        std::abort();
    }
    return 0;
}

// Any text given as a pool or an event on the command line or in a CSV column. A pool that is
// understood is one of the nine, named by its code or caption; an event that is understood is one
// of the seventeen individual events, its distance is the number typed, and its own name reads
// back to it. Letter case and blanks around the text never change the answer.
#include "cli/names.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string WithCase(std::string_view text, bool upper) {
    std::string out(text);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (!upper && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool SameEvent(const std::optional<et::IndividualEvent>& a,
               const std::optional<et::IndividualEvent>& b) {
    return a.has_value() == b.has_value() && (!a || a->code == b->code);
}

void CheckPool(std::string_view text) {
    const auto pool = et::cli::ParsePool(text);
    // Variants that must mean the same pool, or no pool.
    for (const std::string& variant :
         {WithCase(text, true), WithCase(text, false), " \t" + std::string(text) + "\t "}) {
        Require(et::cli::ParsePool(variant) == pool);
    }
    if (!pool) {
        return;
    }
    Require(*pool < et::kPools.size());
    const et::PoolInfo& info = et::kPools[*pool];
    const std::string_view bare = et::cli::TrimBlanks(text);
    Require(et::cli::EqualsIgnoringCase(bare, info.code) ||
            et::cli::EqualsIgnoringCase(bare, info.caption));
    Require(et::cli::ParsePool(info.code) == pool);
    Require(et::cli::ParsePool(info.caption) == pool);
}

void CheckEvent(std::string_view text) {
    const auto event = et::cli::ParseEvent(text);
    for (const std::string& variant :
         {WithCase(text, true), WithCase(text, false), " \t" + std::string(text) + "\t "}) {
        Require(SameEvent(et::cli::ParseEvent(variant), event));
    }
    if (!event) {
        return;
    }
    // One of the seventeen, exactly as the table holds it.
    Require(et::IsIndividualEvent(event->code));
    const et::IndividualEvent& listed =
        et::kIndividualEvents[static_cast<std::size_t>(event->code - 1)];
    Require(listed.code == event->code && listed.distance == event->distance &&
            listed.stroke == event->stroke);
    // The distance is the number at the front of the text.
    const std::string_view bare = et::cli::TrimBlanks(text);
    long distance = 0;
    std::size_t i = 0;
    for (; i < bare.size() && bare[i] >= '0' && bare[i] <= '9'; ++i) {
        distance = distance * 10 + (bare[i] - '0');
    }
    Require(i > 0 && distance == event->distance);
    // The canonical name reads back to the same event.
    Require(SameEvent(et::cli::ParseEvent(et::cli::EventName(*event)), event));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckPool(text);
    CheckEvent(text);
    return 0;
}

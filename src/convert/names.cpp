#include "convert/names.hpp"

#include <array>
#include <charconv>

namespace et {
namespace {

constexpr char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

struct StrokeName {
    std::string_view name;
    std::string_view stroke; // as kIndividualEvents spells it
};

constexpr std::array<StrokeName, 11> kStrokeNames = {{
    {"free", "Free"},
    {"freestyle", "Free"},
    {"back", "Back"},
    {"backstroke", "Back"},
    {"breast", "Breast"},
    {"breaststroke", "Breast"},
    {"fly", "Fly"},
    {"butterfly", "Fly"},
    {"im", "IM"},
    {"i.m.", "IM"},
    {"individual medley", "IM"},
}};

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::size_t> ParsePool(std::string_view text) {
    text = TrimBlanks(text);
    for (std::size_t i = 0; i < kPools.size(); ++i) {
        if (EqualsIgnoringCase(text, kPools[i].code) ||
            EqualsIgnoringCase(text, kPools[i].caption)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<IndividualEvent> ParseEvent(std::string_view text) {
    text = TrimBlanks(text);
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    if (digits == 0 || digits > 4) {
        return std::nullopt;
    }
    int distance = 0;
    std::from_chars(text.data(), text.data() + digits, distance);

    std::string_view stroke = text.substr(digits);
    if (stroke.empty() || !IsBlank(stroke.front())) {
        return std::nullopt;
    }
    stroke = TrimBlanks(stroke);
    for (const StrokeName& name : kStrokeNames) {
        if (!EqualsIgnoringCase(stroke, name.name)) {
            continue;
        }
        for (const IndividualEvent& event : kIndividualEvents) {
            if (event.distance == distance && event.stroke == name.stroke) {
                return event;
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

std::string EventName(const IndividualEvent& event) {
    std::string name = std::to_string(event.distance);
    name += ' ';
    name += event.stroke;
    return name;
}

std::string UnknownPoolMessage(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return "no pool given";
    }
    std::string message = "unknown pool '";
    message += text;
    message += "' (pools: 50m 33m 25m 20m 36y 27y 33y 25y 20y, or a caption like 25 metres)";
    return message;
}

std::string UnknownEventMessage(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return "no event given";
    }
    std::string message = "unknown event '";
    message += text;
    message += "' (a distance and a stroke of an individual event, like 100 Free or 200 IM)";
    return message;
}

} // namespace et

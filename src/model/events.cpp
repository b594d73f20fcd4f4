#include "model/events.hpp"

namespace et {
namespace {

struct EventTexts {
    std::string_view distance;
    std::string_view abbr;
    std::string_view full;
};

// Indexed by event code; row 0 is no event.
constexpr std::array<EventTexts, 35> kEventTexts = {{
    {"", "", ""},
    {"50  ", "Free", "Freestyle"},
    {"100 ", "Free", "Freestyle"},
    {"200 ", "Free", "Freestyle"},
    {"400 ", "Free", "Freestyle"},
    {"800 ", "Free", "Freestyle"},
    {"1500", "Free", "Freestyle"},
    {"50  ", "Breast", "Breaststroke"},
    {"100 ", "Breast", "Breaststroke"},
    {"200 ", "Breast", "Breaststroke"},
    {"50  ", "Fly", "Butterfly"},
    {"100 ", "Fly", "Butterfly"},
    {"200 ", "Fly", "Butterfly"},
    {"50  ", "Back", "Backstroke"},
    {"100 ", "Back", "Backstroke"},
    {"200 ", "Back", "Backstroke"},
    {"200 ", "IM", "Individual Medley"},
    {"400 ", "IM", "Individual Medley"},
    {"400 ", "FT", "Freestyle Team"},
    {"800 ", "FT", "Freestyle Team"},
    {"400 ", "MT", "Medley Team"},
    {"1L", "Free", "Freestyle"},
    {"2L", "Free", "Freestyle"},
    {"1L", "Breast", "Breaststroke"},
    {"2L", "Breast", "Breaststroke"},
    {"1L", "Fly", "Butterfly"},
    {"2L", "Fly", "Butterfly"},
    {"1L", "Back", "Backstroke"},
    {"2L", "Back", "Backstroke"},
    {"4x1L", "IM", "Individual Medley"},
    {"4x2L", "IM", "Individual Medley"},
    {"4x1L", "FT", "Freestyle Team"},
    {"4x2L", "FT", "Freestyle Team"},
    {"4x1L", "MT", "Medley Team"},
    {"4x2L", "MT", "Medley Team"},
}};

// Rows by distance option (50 .. 1500), columns by stroke option (Free, Back, Breast, Fly, I.M.).
// The 100 I.M. cell is decided by the pool; see ValidDistStroke.
constexpr std::int16_t kDistStroke[6][5] = {
    {1, 13, 7, 10, 0},  {2, 14, 8, 11, kMedley4x1L},
    {3, 15, 9, 12, 16}, {4, 0, 0, 0, 17},
    {5, 0, 0, 0, 0},    {6, 0, 0, 0, 0},
};

} // namespace

void EventCodeToText(const std::int16_t& EventCode, std::string& DisText, std::string& StrokeFull,
                     std::string& StrokeAbbr) {
    if (EventCode < 1 || EventCode > kLastEventCode) {
        StrokeAbbr.clear();
        StrokeFull.clear();
        return;
    }
    const EventTexts& texts = kEventTexts[static_cast<std::size_t>(EventCode)];
    StrokeFull = texts.full;
    StrokeAbbr = texts.abbr;
    DisText = texts.distance;
}

std::int16_t ValidDistStroke(const std::array<bool, 6>& distanceSet,
                             const std::array<bool, 5>& strokeSet, bool fiftyMetresSet) {
    for (std::size_t row = 0; row < distanceSet.size(); ++row) {
        if (!distanceSet[row]) {
            continue;
        }
        for (std::size_t col = 0; col < strokeSet.size(); ++col) {
            if (strokeSet[col]) {
                const std::int16_t code = kDistStroke[row][col];
                // There is no 100 individual medley in a 50-metre pool.
                return code == kMedley4x1L && fiftyMetresSet ? kNoEvent : code;
            }
        }
        return kNoEvent;
    }
    return kNoEvent;
}

} // namespace et

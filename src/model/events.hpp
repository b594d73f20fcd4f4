#pragma once
// Swim events: the 34 event codes with their texts, and the stroke-and-distance table.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace et {

inline constexpr std::int16_t kNoEvent = 0;
inline constexpr std::int16_t kLastEventCode = 34;
// Codes 1 to 17 are the individual events over a fixed distance, the only ones with pool factors.
inline constexpr std::int16_t kLastIndividualEvent = 17;
// The 100 individual medley outside the 50-metre pool ("4x1L" IM).
inline constexpr std::int16_t kMedley4x1L = 29;

constexpr bool IsIndividualEvent(std::int16_t code) {
    return code >= 1 && code <= kLastIndividualEvent;
}

// Sets the distance text and the two stroke texts of an event code. For a code outside 1 to 34
// both stroke texts become empty and DisText is left as the caller had it.
void EventCodeToText(const std::int16_t& EventCode, std::string& DisText, std::string& StrokeFull,
                     std::string& StrokeAbbr);

// The stroke picker's strokes by option index, and the distance picker's distances.
inline constexpr std::array<std::string_view, 5> kPickerStrokes = {"Free", "Back", "Breast", "Fly",
                                                                   "I.M."};
inline constexpr std::array<std::int16_t, 6> kPickerDistances = {50, 100, 200, 400, 800, 1500};

// The event code of a set of stroke and distance options, or 0 when the pair is no standard
// event. The first set distance (index order) picks the row, the first set stroke the column.
// A 100 I.M. is the "4x1L" code 29 except in the 50-metre pool, where it is no event.
std::int16_t ValidDistStroke(const std::array<bool, 6>& distanceSet,
                             const std::array<bool, 5>& strokeSet, bool fiftyMetresSet);

// The seventeen individual events, for naming an event by distance and stroke.
struct IndividualEvent {
    std::int16_t code;
    std::int16_t distance;
    std::string_view stroke; // "Free", "Back", "Breast", "Fly" or "IM"
};
inline constexpr std::array<IndividualEvent, 17> kIndividualEvents = {{
    {1, 50, "Free"},
    {2, 100, "Free"},
    {3, 200, "Free"},
    {4, 400, "Free"},
    {5, 800, "Free"},
    {6, 1500, "Free"},
    {7, 50, "Breast"},
    {8, 100, "Breast"},
    {9, 200, "Breast"},
    {10, 50, "Fly"},
    {11, 100, "Fly"},
    {12, 200, "Fly"},
    {13, 50, "Back"},
    {14, 100, "Back"},
    {15, 200, "Back"},
    {16, 200, "IM"},
    {17, 400, "IM"},
}};

} // namespace et

#pragma once
// A swimmer's season drawn in one pool: an SVG picture with a panel per event, time up the page
// (faster is higher) and dates along it. Each swim is a mark whose shape and fill tell the pool it
// was swum in, and whose title tells the date, the meet, the time as swum and its time in the
// pool drawn in, as the window shows it. Plain values in, the whole SVG text out; no Qt.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace et::chart {

struct ChartSwim {
    std::uint32_t day = 0; // YYYYMMDD; a swim of no date (0) or no such date is not drawn
    std::string meet;
    std::string swumText; // the time as swum, "1.05.87" (blanks around it ignored)
    long swumHundredths = 0;
    std::size_t pool = 0;      // the pool swum in, in kPools (box) order
    long courseHundredths = 0; // its time in the pool drawn in, where the mark goes
    std::string courseText;    // that time as the window's box shows it, " 1.06.3"
    bool best = false;         // the best of the season in the pool drawn in
};

// A qualifying time of the event in the pool drawn in, drawn as a line.
struct QualifyingTime {
    std::string name; // the list or standard: "County 2026"
    long hundredths = 0;
    std::string text; // "1.08.5"
};

struct ChartPanel {
    std::string event; // "100 Free"
    std::vector<ChartSwim> swims;
    std::optional<QualifyingTime> qualifying;
};

struct ChartRequest {
    std::string swimmer;    // "Lastname, Firstname"
    std::string birthdate;  // "2012-05-04", or empty
    std::string club;       // or empty
    std::size_t course = 0; // the pool every time is drawn in, in kPools order
    std::vector<ChartPanel> panels;
};

// The whole SVG document, the same bytes for the same request. Empty when the course or a swim's
// pool is none of the nine.
std::string SeasonSvg(const ChartRequest& request);

// A mark's title: "2026-03-14, Spring Open: 1.05.87 in 25 yards, 1.06.3 in 50 metres", then
// ", the best in 50 metres" for the best; as text, not yet escaped for XML.
std::string SwimTitle(const ChartSwim& swim, std::size_t course);

// Text made safe inside an XML element or a quoted attribute.
std::string EscapeXml(std::string_view text);

} // namespace et::chart

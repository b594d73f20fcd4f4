#include "chart/season_chart.hpp"

#include "chart/scales.hpp"
#include "convert/names.hpp"
#include "convert/pool_factors.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

namespace et::chart {
namespace {

// The picture is laid out in a box 480 wide that scales to the width it is shown in; the heights
// follow from the legend and the number of events.
constexpr double kWidth = 480.0;
constexpr double kSide = 16.0;
constexpr double kPlotLeft = 60.0;
constexpr double kPlotRight = kWidth - 24.0;
constexpr double kLegendTop = 72.0;
constexpr double kLegendRow = 20.0;
constexpr double kHeadingHeight = 30.0;
constexpr double kPlotHeight = 140.0;
constexpr double kPanelHeight = kHeadingHeight + kPlotHeight + 48.0;
constexpr int kTimeIntervals = 5;
constexpr double kDateTickRoom = 32.0;

constexpr std::string_view kInk = "#1f3b73";
constexpr std::string_view kQualifyingInk = "#a01818";

// A mark's shape per pool, centred on 0,0, in box order: the metric pools solid (circle, diamond,
// square, triangle for 50, 33 1/3, 25 and 20 metres), the yard pools hollow (circle and
// downward triangle for the two near-metric ones, then diamond, square, triangle).
struct MarkShape {
    std::string_view element;
    bool solid;
};
constexpr std::array<MarkShape, 9> kMarks = {{
    {R"(circle r="4.5")", true},
    {R"(path d="M0-5.5L5.5 0 0 5.5-5.5 0Z")", true},
    {R"(rect x="-4" y="-4" width="8" height="8")", true},
    {R"(path d="M0-5.5L5 4H-5Z")", true},
    {R"(circle r="4.5")", false},
    {R"(path d="M0 5.5L5-4H-5Z")", false},
    {R"(path d="M0-5.5L5.5 0 0 5.5-5.5 0Z")", false},
    {R"(rect x="-4" y="-4" width="8" height="8")", false},
    {R"(path d="M0-5.5L5 4H-5Z")", false},
}};

// Coordinates to a tenth, written the same on every machine: printf's rounding is exact in every
// C library (the WebAssembly one has no floating-point to_chars), and a decimal comma of a
// locale is put back to a point.
std::string Num(double value) {
    std::array<char, 32> buffer{};
    const double rounded = value == 0.0 ? 0.0 : value; // no "-0.0"
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.1f", rounded);
    std::string text(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
    std::replace(text.begin(), text.end(), ',', '.');
    return text == "-0.0" ? "0.0" : text;
}

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
    }));
}

// A generous guess of a sans-serif text's width, so that what is measured by it fits.
double TextWidth(std::string_view text, double size, bool bold = false) {
    return static_cast<double>(CodePoints(text)) * size * (bold ? 0.66 : 0.6);
}

// The text cut short with an ellipsis where it would run wider than width.
std::string Fit(std::string_view text, double size, double width, bool bold = false) {
    if (TextWidth(text, size, bold) <= width) {
        return std::string(text);
    }
    std::string cut(text);
    // A whole character at a time: its continuation bytes, then its first byte.
    while (!cut.empty() && (TextWidth(cut, size, bold) + size > width || cut.back() == ' ')) {
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0U) == 0x80U) {
            cut.pop_back();
        }
        if (!cut.empty()) {
            cut.pop_back();
        }
    }
    return cut + "\u2026";
}

std::string Text(double x, double y, std::string_view text, std::string_view attributes = {}) {
    std::string out = "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\"";
    if (!attributes.empty()) {
        out += ' ';
        out += attributes;
    }
    return out + ">" + EscapeXml(text) + "</text>\n";
}

std::string Line(double x1, double y1, double x2, double y2, std::string_view attributes) {
    return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" +
           Num(y2) + "\" " + std::string(attributes) + "/>\n";
}

std::string Use(std::string_view id, double x, double y) {
    return "<use href=\"#" + std::string(id) + "\" x=\"" + Num(x) + "\" y=\"" + Num(y) + "\"/>";
}

std::string MarkId(std::size_t pool) {
    return "et-pool-" + std::to_string(pool);
}

std::string Defs() {
    std::string out = "<defs>\n";
    for (std::size_t n = 0; n < kMarks.size(); ++n) {
        out += '<';
        out += kMarks[n].element;
        out += " id=\"";
        out += MarkId(n);
        out += "\" fill=\"";
        out += kMarks[n].solid ? kInk : std::string_view("#fff");
        out += "\" stroke=\"";
        out += kInk;
        out += "\" stroke-width=\"1.5\"/>\n";
    }
    out += "<circle id=\"et-best\" r=\"8.5\" fill=\"none\" stroke=\"" + std::string(kInk) +
           "\" stroke-width=\"1.5\"/>\n";
    return out + "</defs>\n";
}

bool Drawn(const ChartSwim& swim) {
    return DayIndex(swim.day).has_value();
}

// The legend's items: the pools swum in, then the ring of the best where there is one.
struct LegendItem {
    std::string mark;
    std::string text;
};

std::vector<LegendItem> LegendItems(const ChartRequest& request) {
    std::array<bool, 9> present{};
    bool best = false;
    for (const ChartPanel& panel : request.panels) {
        for (const ChartSwim& swim : panel.swims) {
            if (Drawn(swim)) {
                present[swim.pool] = true;
                best = best || swim.best;
            }
        }
    }
    std::vector<LegendItem> items;
    for (std::size_t n = 0; n < present.size(); ++n) {
        if (present[n]) {
            items.push_back({MarkId(n), std::string(kPools[n].caption)});
        }
    }
    if (best) {
        items.push_back({"et-best", "best in " + std::string(kPools[request.course].caption)});
    }
    return items;
}

// The legend in rows under the heading; returns where it ends.
double WriteLegend(std::string& out, const std::vector<LegendItem>& items) {
    if (items.empty()) {
        return kLegendTop - kLegendRow / 2.0;
    }
    const std::string lead = "Swum in:";
    double x = kSide;
    double y = kLegendTop;
    out += "<g font-size=\"13\">\n";
    out += Text(x, y + 4.5, lead);
    x += TextWidth(lead, 13.0) + 10.0;
    for (const LegendItem& item : items) {
        const double width = 22.0 + TextWidth(item.text, 13.0) + 14.0;
        if (x + width > kWidth - kSide) {
            x = kSide;
            y += kLegendRow;
        }
        out += "<g aria-hidden=\"true\">" + Use(item.mark, x + 8.0, y) + "</g>\n";
        out += Text(x + 22.0, y + 4.5, item.text);
        x += width;
    }
    out += "</g>\n";
    return y + kLegendRow;
}

std::string Describe(const ChartRequest& request, std::size_t swims, std::uint32_t first,
                     std::uint32_t last) {
    std::string events;
    for (const ChartPanel& panel : request.panels) {
        events += (events.empty() ? "" : ", ") + panel.event;
    }
    std::string text = "Each swim's time in " + std::string(kPools[request.course].caption) +
                       " by date, faster higher, one panel per event (" + events +
                       "); the mark's "
                       "shape tells the pool swum in. " +
                       std::to_string(swims) + (swims == 1 ? " swim" : " swims");
    if (swims > 0) {
        text += first == last ? " on " + IsoDate(first)
                              : " from " + IsoDate(first) + " to " + IsoDate(last);
    }
    return text + ".";
}

// One event's panel, its top edge at top.
void WritePanel(std::string& out, const ChartPanel& panel, std::size_t course, double top) {
    std::vector<const ChartSwim*> swims;
    for (const ChartSwim& swim : panel.swims) {
        if (Drawn(swim)) {
            swims.push_back(&swim);
        }
    }
    std::stable_sort(swims.begin(), swims.end(),
                     [](const ChartSwim* a, const ChartSwim* b) { return a->day < b->day; });
    long fastest = swims.front()->courseHundredths;
    long slowest = fastest;
    for (const ChartSwim* swim : swims) {
        fastest = std::min(fastest, swim->courseHundredths);
        slowest = std::max(slowest, swim->courseHundredths);
    }
    if (panel.qualifying) {
        fastest = std::min(fastest, panel.qualifying->hundredths);
        slowest = std::max(slowest, panel.qualifying->hundredths);
    }
    const Axis times = TimeAxis(fastest, slowest, kTimeIntervals);
    const Axis dates = DateAxis(*DayIndex(swims.front()->day), *DayIndex(swims.back()->day),
                                static_cast<int>((kPlotRight - kPlotLeft) / kDateTickRoom));
    const double plotTop = top + kHeadingHeight;
    const double plotBottom = plotTop + kPlotHeight;
    const auto y = [&](double hundredths) { return Place(times, hundredths, plotTop, plotBottom); };
    const auto x = [&](std::uint32_t day) {
        return Place(dates, static_cast<double>(*DayIndex(day)), kPlotLeft, kPlotRight);
    };

    out += "<g role=\"group\" aria-label=\"" + EscapeXml(panel.event) + "\">\n";
    const std::string heading = Fit(panel.event, 15.0, kWidth - 2.0 * kSide, true);
    out += Text(kSide, top + 17.0, heading, R"(font-size="15" font-weight="bold")");

    // The axes: gridlines, tick labels and the frame, of no use to a screen reader.
    out += "<g aria-hidden=\"true\" font-size=\"12\" fill=\"#333\">\n";
    for (const Tick& tick : times.ticks) {
        out += Line(kPlotLeft, y(tick.value), kPlotRight, y(tick.value), R"(stroke="#ddd")");
        out += Text(kPlotLeft - 6.0, y(tick.value) + 4.0, tick.label, R"(text-anchor="end")");
    }
    for (const Tick& tick : dates.ticks) {
        const double at = Place(dates, tick.value, kPlotLeft, kPlotRight);
        out += Line(at, plotTop, at, plotBottom + 4.0, R"(stroke="#e6e6e6")");
        out += Text(at, plotBottom + 17.0, tick.label, R"(text-anchor="middle")");
        if (!tick.below.empty()) {
            out += Text(at, plotBottom + 32.0, tick.below, R"(text-anchor="middle")");
        }
    }
    out += Line(kPlotLeft, plotTop, kPlotLeft, plotBottom, R"(stroke="#555")");
    out += Line(kPlotLeft, plotBottom, kPlotRight, plotBottom, R"(stroke="#555")");
    out += "</g>\n";

    if (panel.qualifying) {
        const QualifyingTime& q = panel.qualifying.value();
        const std::string text = q.name + ": " + std::string(TrimBlanks(q.text));
        const double at = y(static_cast<double>(q.hundredths));
        const std::string dash = "stroke=\"" + std::string(kQualifyingInk) +
                                 "\" stroke-width=\"1.5\" stroke-dasharray=\"6 3\"";
        out += "<g role=\"img\"><title>" + EscapeXml(text) + "</title>\n";
        out += Line(kPlotLeft, at, kPlotRight, at, dash);
        out += "</g>\n";
        // Its key beside the event's name, where it never hides a swim.
        const double keyLeft = kSide + TextWidth(heading, 15.0, true) + 16.0;
        out += "<g aria-hidden=\"true\">\n";
        out += Line(keyLeft, top + 12.0, keyLeft + 18.0, top + 12.0, dash);
        // A long list's name gives way to the time, which is what the line is read for.
        const std::string time = ": " + std::string(TrimBlanks(q.text));
        const double room = kWidth - kSide - keyLeft - 24.0;
        out += Text(keyLeft + 24.0, top + 16.5,
                    Fit(q.name, 13.0, room - TextWidth(time, 13.0)) + time, R"(font-size="13")");
        out += "</g>\n";
    }

    // The season's course through the marks, in date order.
    if (swims.size() > 1) {
        out += "<polyline aria-hidden=\"true\" fill=\"none\" stroke=\"#9aa5b8\" points=\"";
        for (std::size_t i = 0; i < swims.size(); ++i) {
            out += (i == 0 ? "" : " ") + Num(x(swims[i]->day)) + "," +
                   Num(y(static_cast<double>(swims[i]->courseHundredths)));
        }
        out += "\"/>\n";
    }
    for (const ChartSwim* swim : swims) {
        const double mx = x(swim->day);
        const double my = y(static_cast<double>(swim->courseHundredths));
        out += "<g role=\"img\"><title>" + EscapeXml(SwimTitle(*swim, course)) + "</title>" +
               Use(MarkId(swim->pool), mx, my);
        if (swim->best) {
            out += Use("et-best", mx, my);
        }
        out += "</g>\n";
    }
    out += "</g>\n";
}

} // namespace

std::string EscapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            // Control characters have no place in XML 1.0; a tab or line end reads as a space.
            out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return out;
}

std::string SwimTitle(const ChartSwim& swim, std::size_t course) {
    const std::string_view courseName = kPools.at(course).caption;
    std::string title = IsoDate(swim.day) + ", " + swim.meet + ": " +
                        std::string(TrimBlanks(swim.swumText)) + " in " +
                        std::string(kPools.at(swim.pool).caption) + ", " +
                        std::string(TrimBlanks(swim.courseText)) + " in " + std::string(courseName);
    if (swim.best) {
        title += ", the best in " + std::string(courseName);
    }
    return title;
}

std::string SeasonSvg(const ChartRequest& request) {
    if (request.course >= kPools.size()) {
        return {};
    }
    std::vector<const ChartPanel*> panels;
    std::size_t swims = 0;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    for (const ChartPanel& panel : request.panels) {
        bool drawn = false;
        for (const ChartSwim& swim : panel.swims) {
            if (swim.pool >= kPools.size()) {
                return {};
            }
            if (Drawn(swim)) {
                first = swims == 0 ? swim.day : std::min(first, swim.day);
                last = std::max(last, swim.day);
                ++swims;
                drawn = true;
            }
        }
        if (drawn) {
            panels.push_back(&panel);
        }
    }
    const std::string courseName(kPools[request.course].caption);

    std::string body;
    const double legendBottom = WriteLegend(body, LegendItems(request));
    double top = legendBottom + 6.0;
    for (const ChartPanel* panel : panels) {
        WritePanel(body, *panel, request.course, top);
        top += kPanelHeight;
    }
    const double height = top;

    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + Num(kWidth) +
                      " " + Num(height) + "\" width=\"100%\" role=\"group\" " +
                      "font-family=\"sans-serif\" font-size=\"12\" fill=\"#111\">\n";
    out +=
        "<title>" + EscapeXml("Season of " + request.swimmer + " in " + courseName) + "</title>\n";
    out += "<desc>" + EscapeXml(Describe(request, swims, first, last)) + "</desc>\n";
    out += Defs();
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    out += Text(kSide, 26.0, Fit(request.swimmer, 17.0, kWidth - 2.0 * kSide, true),
                R"(font-size="17" font-weight="bold")");
    std::string about;
    // The pool first: a long club name is cut short, never the pool every time is in.
    for (const std::string& part :
         {"times in " + courseName,
          request.birthdate.empty() ? std::string() : "born " + request.birthdate, request.club}) {
        if (!part.empty()) {
            about += (about.empty() ? "" : " \u00b7 ") + part;
        }
    }
    out += Text(kSide, 47.0, Fit(about, 13.0, kWidth - 2.0 * kSide), R"(font-size="13")");
    out += body;
    return out + "</svg>\n";
}

} // namespace et::chart

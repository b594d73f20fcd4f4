#include "chart/season_chart.hpp"

#include "convert/display.hpp"
#include "convert/names.hpp"
#include "convert/pool_factors.hpp"
#include "model/time_text.hpp"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using et::chart::ChartPanel;
using et::chart::ChartRequest;
using et::chart::ChartSwim;
using et::chart::SeasonSvg;
using et::chart::SwimTitle;

constexpr std::size_t k50m = 0;
constexpr std::size_t k33m = 1;
constexpr std::size_t k25m = 2;
constexpr std::size_t k27y = 5;
constexpr std::size_t k25y = 7;
constexpr std::size_t k20y = 8;

// A swim as the club's season gives it: its time in the course as the window's box shows it.
ChartSwim Swim(std::int16_t event, std::uint32_t day, std::string meet, long hundredths,
               std::size_t pool, std::size_t course) {
    const auto& identity = et::kIndividualEvents.at(static_cast<std::size_t>(event - 1));
    ChartSwim swim;
    swim.day = day;
    swim.meet = std::move(meet);
    swim.swumHundredths = hundredths;
    swim.swumText = et::TimeToAlpha(static_cast<double>(hundredths) / 100.0, "P");
    swim.pool = pool;
    swim.courseText =
        et::ConvertedTimes(event, identity.distance, static_cast<double>(hundredths) / 100.0,
                           et::kPools[pool].type, et::kPools[pool].turnsPerHundred)
            .at(course);
    double seconds = 0.0;
    std::string timeStr;
    std::int16_t nerr = 0;
    et::timecheck(et::TrimBlanks(swim.courseText), seconds, timeStr, nerr);
    swim.courseHundredths = pool == course ? hundredths : std::lround(seconds * 100.0);
    return swim;
}

// The fastest swim of each panel in the course is the best.
void MarkBest(ChartRequest& request) {
    for (ChartPanel& panel : request.panels) {
        ChartSwim* best = nullptr;
        for (ChartSwim& swim : panel.swims) {
            if (swim.day != 0 &&
                (best == nullptr || swim.courseHundredths < best->courseHundredths)) {
                best = &swim;
            }
        }
        best->best = true;
    }
}

// A made-up swimmer's season, swum in six pools, drawn in 50 metres.
ChartRequest MadeUpSeason() {
    ChartRequest request;
    request.swimmer = "Brook, Ada";
    request.birthdate = "2012-05-04";
    request.club = "Otters & Seals SC";
    request.course = k50m;
    ChartPanel free{"100 Free", {}, et::chart::QualifyingTime{"County 2026", 6850, "1.08.5"}};
    free.swims = {
        Swim(2, 20250927, "Autumn Sprint", 6785, k25m, k50m),
        Swim(2, 20251115, "Winter Open", 6690, k25m, k50m),
        Swim(2, 20260124, "Dual Meet <Otters v Seals>", 6710, k33m, k50m),
        Swim(2, 20260314, "Spring \"Open\"", 5870, k25y, k50m),
        Swim(2, 0, "Time Trial", 6650, k25m, k50m), // no date: not drawn
        Swim(2, 20260509, "County Champs", 6631, k50m, k50m),
        Swim(2, 20260704, "Summer Long Course", 6592, k50m, k50m),
    };
    ChartPanel back{"200 Back", {}, {}};
    back.swims = {
        Swim(15, 20251018, "Autumn Distance", 15240, k25m, k50m),
        Swim(15, 20260207, "Winter Long Course", 15510, k50m, k50m),
        Swim(15, 20260613, "Holiday Gala", 13500, k20y, k50m),
        Swim(15, 20260620, "Regional", 14900, k27y, k50m),
    };
    ChartPanel fly{"50 Fly", {Swim(10, 20260418, "Club Championships", 3120, k25m, k50m)}, {}};
    request.panels = {free, back, fly};
    MarkBest(request);
    return request;
}

pugi::xml_document Parse(const std::string& svg) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_string(svg.c_str());
    EXPECT_TRUE(parsed) << parsed.description() << " at " << parsed.offset;
    return doc;
}

// The titles of the marks and lines, in document order.
std::vector<std::string> ImageTitles(const pugi::xml_document& doc) {
    std::vector<std::string> titles;
    for (const auto& node : doc.select_nodes("//g[@role='img']/title")) {
        titles.emplace_back(node.node().text().get());
    }
    return titles;
}

TEST(SwimTitle, DateMeetSwumTimeAndTimeInTheCourse) {
    struct Case {
        ChartSwim swim;
        std::size_t course;
        const char* title;
    };
    ChartSwim best = Swim(2, 20260704, "Summer Long Course", 6592, k50m, k50m);
    best.best = true;
    const std::vector<Case> cases = {
        {Swim(2, 20260314, "Spring Open", 5870, k25y, k50m), k50m,
         "2026-03-14, Spring Open: 58.70 in 25 yards, 1.05.9 in 50 metres"},
        {Swim(2, 20260509, "County Champs", 6631, k50m, k50m), k50m,
         "2026-05-09, County Champs: 1.06.31 in 50 metres, 1.06.3 in 50 metres"},
        {best, k50m,
         "2026-07-04, Summer Long Course: 1.05.92 in 50 metres, 1.05.9 in 50 metres, the best in "
         "50 metres"},
        {Swim(2, 20251115, "Winter Open", 6690, k25m, k25y), k25y,
         "2025-11-15, Winter Open: 1.06.90 in 25 metres, 1.00.8 in 25 yards"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SwimTitle(c.swim, c.course), c.title);
    }
}

TEST(EscapeXml, MarkupCharactersInNames) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Otters & Seals", "Otters &amp; Seals"},
        {"<Open>", "&lt;Open&gt;"},
        {"O'Neill \"Jr\"", "O&apos;Neill &quot;Jr&quot;"},
        {"Łoś\tŠimek", "Łoś Šimek"},
        {"", ""},
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(et::chart::EscapeXml(text), escaped);
    }
}

TEST(SeasonSvg, WellFormedWithATitlePerSwimAndLine) {
    ChartRequest request = MadeUpSeason();
    request.swimmer = "O'Brien <\"Jo\"> & Co";
    const std::string svg = SeasonSvg(request);
    const pugi::xml_document doc = Parse(svg);
    const pugi::xml_node root = doc.child("svg");
    EXPECT_STREQ(root.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
    EXPECT_STREQ(root.attribute("width").value(), "100%");
    EXPECT_EQ(std::string(root.attribute("viewBox").value()).rfind("0 0 480.0 ", 0), 0U);
    EXPECT_EQ(std::string(root.child_value("title")),
              "Season of O'Brien <\"Jo\"> & Co in 50 metres");
    EXPECT_NE(std::string(root.child_value("desc")).find("11 swims from 2025-09-27 to 2026-07-04"),
              std::string::npos);

    // Panel by panel: the qualifying line, then the swims in date order; the undated one left out.
    std::vector<std::string> expected = {"County 2026: 1.08.5"};
    for (const std::size_t i : {0U, 1U, 2U, 3U, 5U, 6U}) {
        expected.push_back(SwimTitle(request.panels[0].swims[i], k50m));
    }
    for (const ChartPanel& panel : {request.panels[1], request.panels[2]}) {
        for (const ChartSwim& swim : panel.swims) {
            expected.push_back(SwimTitle(swim, k50m));
        }
    }
    EXPECT_EQ(ImageTitles(doc), expected);
    // One ring per panel, on its best swim.
    EXPECT_EQ(doc.select_nodes("//g[@role='img']/use[@href='#et-best']").size(), 3U);
}

TEST(SeasonSvg, SingleSwimPanelHasItsMarkInsideTheAxes) {
    ChartRequest request;
    request.swimmer = "Brook, Ada";
    request.course = k25m;
    request.panels = {
        {"1500 Free", {Swim(6, 20260301, "Open Water Warm-up", 105000, k50m, k25m)}, {}}};
    const std::string svg = SeasonSvg(request);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    const pugi::xml_document doc = Parse(svg);
    EXPECT_EQ(ImageTitles(doc).size(), 1U);
    EXPECT_TRUE(doc.select_nodes("//polyline").empty());
    // The mark lies strictly between the frame's left and bottom lines and the plot's far edges.
    const pugi::xml_node mark = doc.select_node("//g[@role='img']/use").node();
    const double x = mark.attribute("x").as_double();
    const double y = mark.attribute("y").as_double();
    const auto frame = doc.select_nodes("//line[@stroke='#555']");
    ASSERT_EQ(frame.size(), 2U);
    const pugi::xml_node left = frame[0].node();
    const pugi::xml_node bottom = frame[1].node();
    EXPECT_GT(x, left.attribute("x1").as_double());
    EXPECT_LT(x, bottom.attribute("x2").as_double());
    EXPECT_GT(y, left.attribute("y1").as_double());
    EXPECT_LT(y, left.attribute("y2").as_double());
    // Ticks on both axes: at least two time labels and a month.
    EXPECT_GE(doc.select_nodes("//text[@text-anchor='end']").size(), 2U);
    EXPECT_GE(doc.select_nodes("//text[@text-anchor='middle']").size(), 1U);
}

// Whether text is whole UTF-8: every character's continuation bytes all there.
bool WholeUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead & 0xC0U) == 0x80U || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0U) != 0x80U) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

TEST(SeasonSvg, LongNamesCutShortWithAnEllipsis) {
    const std::vector<std::string> names = {
        "Østergaard-Łoś-Šimek, Žofie Ærøskøbing Ødegård Ångström Åsa Éowyn",
        "Vanderbergh Smythe, Maximiliana Alexandra Konstantina Josephine",
        "ŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁ",
    };
    for (const std::string& name : names) {
        ChartRequest request = MadeUpSeason();
        request.swimmer = name;
        const pugi::xml_document doc = Parse(SeasonSvg(request));
        const std::string shown = doc.select_node("/svg/text").node().child_value();
        const std::string ellipsis = "\u2026";
        ASSERT_GT(shown.size(), ellipsis.size()) << name;
        EXPECT_EQ(shown.substr(shown.size() - ellipsis.size()), ellipsis);
        const std::string kept = shown.substr(0, shown.size() - ellipsis.size());
        EXPECT_EQ(name.rfind(kept, 0), 0U) << shown;
        EXPECT_TRUE(WholeUtf8(shown)) << shown;
        EXPECT_NE(kept.back(), ' ');
        // The whole name stays in the chart's accessible name.
        EXPECT_EQ(std::string(doc.child("svg").child_value("title")),
                  "Season of " + name + " in 50 metres");
    }
}

TEST(SeasonSvg, NoSuchPoolDrawsNothing) {
    ChartRequest request = MadeUpSeason();
    request.course = 9;
    EXPECT_EQ(SeasonSvg(request), "");
    request = MadeUpSeason();
    request.panels[1].swims[2].pool = 9;
    EXPECT_EQ(SeasonSvg(request), "");
}

TEST(SeasonSvg, MadeUpSeasonAsTheGolden) {
    const std::string svg = SeasonSvg(MadeUpSeason());
    std::ifstream in(CHART_GOLDEN, std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(in), {}};
    if (svg != golden) {
        std::ofstream(CHART_ACTUAL, std::ios::binary) << svg;
        ADD_FAILURE() << "the chart differs from " << CHART_GOLDEN << "; it is in " << CHART_ACTUAL;
    }
}

} // namespace

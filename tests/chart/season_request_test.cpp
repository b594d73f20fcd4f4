#include "chart/season_request.hpp"

#include "check/standards_table.hpp"
#include "lenex/results_file.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using et::chart::ChartPanel;
using et::chart::ChartSwim;
using et::chart::FindSwimmers;
using et::chart::MakeProgression;
using et::chart::Progression;
using et::chart::ProgressionAsk;

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(CHART_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The made-up season: an autumn gala in 25 metres, a spring meet in 50 metres, a holiday gala in
// 25 yards and a time trial of no date.
const et::meet::Results& Season() {
    static const et::meet::Results season = [] {
        et::meet::Results results;
        for (const char* name : {"autumn.lef", "spring.lef", "summer.lef"}) {
            EXPECT_EQ(et::meet::AddResults(results, ReadData(name), name), "");
        }
        return results;
    }();
    return season;
}

std::uint32_t Ada() {
    const auto found = FindSwimmers(Season(), {"otter, ada", "", ""}, {});
    EXPECT_EQ(found.size(), 1U);
    return found.at(0);
}

TEST(Progression, SwimmerChosenByNameBirthDateLicenseAndClub) {
    struct Case {
        et::chart::SwimmerQuery query;
        std::string club;
        std::vector<std::string> found; // birth dates of the swimmers found
    };
    const std::vector<Case> cases = {
        {{"Otter, Ada", "", ""}, "", {"2012-03-05"}},
        {{"  OTTER ,ada ", "", ""}, "", {"2012-03-05"}},
        {{"Pike, Cara", "", ""}, "", {"2011-07-07", "2012-02-02"}},
        {{"Pike, Cara", "2012-02-02", ""}, "", {"2012-02-02"}},
        {{"Pike, Cara", "", ""}, "lak", {"2011-07-07"}},
        {{"Otter, Ada", "", "123456"}, "", {"2012-03-05"}},
        {{"Otter, Ada", "", "654321"}, "", {}},
        {{"Otter", "", ""}, "", {}},
        {{"Ada, Otter", "", ""}, "", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> found;
        for (const std::uint32_t swimmer : FindSwimmers(Season(), c.query, {"", "", c.club})) {
            found.push_back(Season().swimmers[swimmer].birthdate);
        }
        EXPECT_EQ(found, c.found) << c.query.name << " " << c.club;
    }
    const auto several = FindSwimmers(Season(), {"Pike, Cara", "", ""}, {});
    EXPECT_EQ(et::chart::SwimmerLine(Season().swimmers[several.at(1)]),
              "PIKE, cara (2012-02-02, Hillside)");
}

// Each panel's swims as "date meet courseText", the best starred.
std::vector<std::string> Marks(const ChartPanel& panel) {
    std::vector<std::string> marks;
    for (const ChartSwim& swim : panel.swims) {
        marks.push_back(std::to_string(swim.day) + " " + swim.meet + " " + swim.courseText +
                        (swim.best ? " *" : ""));
    }
    return marks;
}

TEST(Progression, SwimsThatCountAndSwimsLeftOut) {
    struct Case {
        std::string course;
        std::string event;
        std::string from;
        std::string to;
        std::vector<std::vector<std::string>> panels; // the event, then its marks
        std::size_t undated;
    };
    // DSQ, a zero time and NT never count; the undated time trial is listed last, not drawn. A
    // swim made in the pool drawn in is shown to a tenth as well.
    const std::vector<Case> cases = {
        {"LCM",
         "",
         "",
         "",
         {{"100 Free", "20251004 Autumn Gala 1.09.6", "20260314 Spring Open 1.10.2",
           "20260315 Spring Open 1.09.9", "20260718 Holiday Gala 1.07.0 *",
           "0 Club Time Trial 1.09.1"},
          {"50 Fly", "20251004 Autumn Gala 35.7", "20260314 Spring Open 34.9 *"}},
         1},
        {"SCM",
         "50 FLY",
         "",
         "",
         {{"50 Fly", "20251004 Autumn Gala 35.2", "20260314 Spring Open 34.4 *"}},
         0},
        {"SCY",
         "",
         "2026-03-15",
         "2026-12-31",
         {{"100 Free", "20260315 Spring Open 1.02.4", "20260718 Holiday Gala 59.8 *"}},
         0},
    };
    for (const Case& c : cases) {
        Progression made;
        MakeProgression(Season(), {Ada(), c.course, c.event, {c.from, c.to, ""}, nullptr}, made);
        std::vector<std::vector<std::string>> panels;
        for (const ChartPanel& panel : made.request.panels) {
            panels.push_back({panel.event});
            const auto marks = Marks(panel);
            panels.back().insert(panels.back().end(), marks.begin(), marks.end());
        }
        EXPECT_EQ(panels, c.panels) << c.course << " " << c.event;
        EXPECT_EQ(made.undated, c.undated) << c.course;
    }
}

TEST(Progression, CsvListsEverySwimTheUndatedWithNoDate) {
    Progression made;
    MakeProgression(Season(), {Ada(), "LCM", "100 Free", {}, nullptr}, made);
    const std::string csv = et::chart::ProgressionCsv(made);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), et::chart::kProgressionHeader);
    EXPECT_NE(csv.find("\r\n2026-03-15,Spring Open,100 Free,00:01:09.85,LCM,00:01:09.85\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n,Club Time Trial,100 Free,00:01:07.90,SCM,"), std::string::npos) << csv;
}

TEST(Progression, QualifyingTimeOfTheSwimmersListConverted) {
    et::meet::PlainMeet standards;
    ASSERT_EQ(et::meet::AddStandardsTable(standards, ReadData("standards.csv"), "standards.csv"),
              "");
    struct Case {
        std::string course;
        std::string name; // the line of the 100 Free; empty for none
        std::string text;
    };
    const std::vector<Case> cases = {
        {"SCM", "County 2026", "1.09.00"},
        {"LCM", "County 2026 (1.09.00 in 25 metres)", "1.10.2"},
    };
    for (const Case& c : cases) {
        Progression made;
        MakeProgression(Season(), {Ada(), c.course, "100 Free", {}, &standards}, made);
        ASSERT_EQ(made.request.panels.size(), 1U);
        const auto& line = made.request.panels[0].qualifying;
        ASSERT_TRUE(line.has_value()) << c.course;
        EXPECT_EQ(line->name, c.name);
        EXPECT_EQ(line->text, c.text);
    }
    // Ben's age group has a list too, but he is no girl of 13 or 14: his own applies.
    const auto ben = FindSwimmers(Season(), {"Otter, Ben", "", ""}, {});
    Progression made;
    MakeProgression(Season(), {ben.at(0), "SCM", "", {}, &standards}, made);
    ASSERT_TRUE(made.request.panels.at(0).qualifying.has_value());
    EXPECT_EQ(made.request.panels[0].qualifying->text, "1.00.00");
}

} // namespace

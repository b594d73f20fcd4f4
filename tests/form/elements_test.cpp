#include "ui/form/elements.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace et::form {
namespace {

template <std::size_t N>
void ExpectContainersHoldTheirElements(const std::array<Element, N>& table, const WindowInfo& w) {
    std::set<std::pair<std::string_view, std::int16_t>> seen;
    for (const Element& e : table) {
        EXPECT_TRUE(seen.insert({e.name, e.index}).second) << e.name << " " << e.index;
        Twips area{0, 0, w.clientWidth, w.clientHeight};
        if (!e.container.empty()) {
            // Containers come first, so the view can build in table order.
            ASSERT_TRUE(seen.contains({e.container, kNoIndex})) << e.name << " in " << e.container;
            area = FindElement(table, e.container)->geometry;
            area.Left = area.Top = 0;
        }
        const Twips& g = e.geometry;
        EXPECT_TRUE(g.Width > 0 && g.Height > 0) << e.name << " " << e.index;
        EXPECT_TRUE(g.Left >= area.Left && g.Top >= area.Top && g.Left + g.Width <= area.Width &&
                    g.Top + g.Height <= area.Height)
            << e.name << " " << e.index;
    }
}

TEST(ElementTable, EveryElementIsUniqueAndInsideItsContainer) {
    ExpectContainersHoldTheirElements(kMainWindowElements, kMainWindow);
    ExpectContainersHoldTheirElements(kTextWindowElements, kTextWindow);
}

// Captions of the elements of a group in screen order (top to bottom, then left to right).
std::vector<std::string> ScreenOrder(std::string_view container) {
    std::vector<Element> found;
    for (const Element& e : kMainWindowElements) {
        if (e.container == container) {
            found.push_back(e);
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Element& a, const Element& b) {
        return std::pair(a.geometry.Top, a.geometry.Left) <
               std::pair(b.geometry.Top, b.geometry.Left);
    });
    std::vector<std::string> captions;
    for (const Element& e : found) {
        captions.emplace_back(e.kind == ElementKind::Line ? "----" : e.caption);
    }
    return captions;
}

TEST(ElementTable, PoolFrameRunsFromLongToShortInThreeGroups) {
    EXPECT_EQ(ScreenOrder("fraPoolLen"),
              (std::vector<std::string>{"50 metres", "33 1/3 metres", "25 metres", "20 metres",
                                        "----", "36 2/3 yards", "27 1/2 yards", "----",
                                        "33 1/3 yards", "25 yards", "20 yards"}));
}

TEST(ElementTable, EventListIsAGridOfStrokeRowsAndDistanceColumns) {
    EXPECT_EQ(
        ScreenOrder("fraEvent"),
        (std::vector<std::string>{"Free", "50",  "100", "200",    "400", "800", "1500", "Back",
                                  "50",   "100", "200", "Breast", "50",  "100", "200",  "Fly",
                                  "50",   "100", "200", "I.M.",   "100", "200", "400"}));
    // The 1500 sits in its row's last column, the medley 400 under the Free 400.
    EXPECT_EQ(FindElement(kMainWindowElements, "optEvent", 17)->geometry.Left,
              FindElement(kMainWindowElements, "optEvent", 3)->geometry.Left);
}

TEST(ElementTable, EachConvertedTimeStandsUnderItsCaption) {
    for (std::int16_t i = 0; i < 9; ++i) {
        const auto caption = FindElement(kMainWindowElements, "Label1", i);
        const auto box = FindElement(kMainWindowElements, "txtETime", i);
        ASSERT_TRUE(caption && box) << i;
        EXPECT_EQ(caption->geometry.Left, box->geometry.Left) << i;
        EXPECT_LT(caption->geometry.Top, box->geometry.Top) << i;
    }
}

} // namespace
} // namespace et::form

#include "ui/form/main_form.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form_fixture.hpp"
#include "support/fake_platform.hpp"

namespace et::form {
namespace {

using Boxes9 = std::array<std::string, 9>;
using Points2 = std::array<std::string, 2>;

// Pool options by index, and the event options used below.
constexpr std::int16_t k20Metres = 0, k25Metres = 1, k33Metres = 2, k50Metres = 3, k20Yards = 6,
                       k33Yards = 8;
constexpr std::int16_t kFree50 = 0, kFree1500 = 5, kFly200 = 14, kMedley100 = 15;
constexpr std::int16_t kPickFree = 0, kPickBack = 1, kPickMedley = 4;
constexpr std::int16_t kPick100 = 1, kPick800 = 4, kPick1500 = 5;

const Boxes9 k60In25Metres = {" 1.01.4", " 1.00.7", " 1.00.0", "   59.3", " 1.01.1",
                              " 1.00.4", "   55.2", "   54.5", "   53.8"};
const std::string kBlank(8, ' ');

TEST(StartUp, PickersHoldBackAnd50BeforeTheWindowLoads) {
    test::FakePlatform platform;
    const MainForm form(platform);
    const MainWindowState& s = form.State();
    EXPECT_TRUE(s.OptStroke[1].Value);
    EXPECT_TRUE(s.OptDist[0].Value);
    EXPECT_EQ(s.OptStroke[1].Caption, "B&ack");
    EXPECT_EQ(s.OptStroke[4].Tag, "I.M.");
    EXPECT_EQ(s.lblTime.Caption, "Time in 36 2/3 metres Pool");
    for (const OptionState& option : s.optPoolLen) {
        EXPECT_FALSE(option.Value);
    }
    EXPECT_TRUE(s.picStdStroke.Tag.empty());
    EXPECT_EQ(s.SelPoolType, 0);
}

TEST_F(OpenWindow, OpensOn25MetresAnd100FreeWithNothingShown) {
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(S().optPoolLen[k25Metres].Value);
    EXPECT_TRUE(S().optEvent[1].Value);
    EXPECT_TRUE(S().OptStroke[kPickFree].Value);
    EXPECT_FALSE(S().OptStroke[kPickBack].Value);
    EXPECT_TRUE(S().OptDist[kPick100].Value);
    EXPECT_EQ(S().picStdStroke.Tag, "0");
    EXPECT_EQ(S().picStdDist.Tag, "1");
    EXPECT_EQ(S().lblTime.Caption, "Time in 25 metres pool");
    EXPECT_EQ(S().lblMetric.Caption, "100m Free");
    EXPECT_EQ(S().lblIntC.Caption, "110yds Free");
    EXPECT_EQ(S().lblImp.Caption, "100yds Free");
    EXPECT_EQ(S().SelPoolType, 1);
    EXPECT_EQ(S().SelPoolLenCode, 3);
    EXPECT_EQ(S().SelEvent, 2);
    EXPECT_EQ(S().SelDistance, 100);
    EXPECT_EQ(S().SelStroke, "Free");
    for (std::size_t i = 0; i < S().optEvent.size(); ++i) {
        EXPECT_EQ(S().optEvent[i].Visible, i != static_cast<std::size_t>(kMedley100)) << i;
    }
    EXPECT_EQ(Boxes(), Boxes9{});
    EXPECT_EQ(Points(), Points2{});
}

TEST_F(OpenWindow, PoolSetsSelectionCaptionAndOfferedEvents) {
    struct Case {
        std::int16_t option;
        std::int16_t type, code;
        const char* lblTime;
        bool fifties, free1500;
    };
    const Case cases[] = {
        {0, 1, 4, "Time in 20 metres pool", false, true},
        {1, 1, 3, "Time in 25 metres pool", true, true},
        {2, 1, 2, "Time in 33 1/3 metres pool", false, true},
        {3, 1, 1, "Time in 50 metres pool", true, true},
        {4, 2, 3, "Time in 27 1/2 yards pool", true, true},
        {5, 2, 2, "Time in 36 2/3 yards pool", false, true},
        {6, 3, 4, "Time in 20 yards pool", false, false},
        {7, 3, 3, "Time in 25 yards pool", true, true},
        {8, 3, 2, "Time in 33 1/3 yards pool", false, false},
        // After the 20 yards pool, 20 metres offers the 1500 again.
        {6, 3, 4, "Time in 20 yards pool", false, false},
        {0, 1, 4, "Time in 20 metres pool", false, true},
    };
    for (const Case& c : cases) {
        PickPool(c.option);
        EXPECT_EQ(S().SelPoolType, c.type) << c.lblTime;
        EXPECT_EQ(S().SelPoolLenCode, c.code) << c.lblTime;
        EXPECT_EQ(S().lblTime.Caption, c.lblTime);
        for (const std::size_t fifty : {0U, 6U, 9U, 12U}) {
            EXPECT_EQ(S().optEvent[fifty].Visible, c.fifties) << c.lblTime << " " << fifty;
        }
        EXPECT_EQ(S().optEvent[5].Visible, c.free1500) << c.lblTime;
        EXPECT_FALSE(S().optEvent[15].Visible) << c.lblTime;
        EXPECT_TRUE(S().optEvent[1].Visible && S().optEvent[17].Visible) << c.lblTime;
        EXPECT_EQ(std::count_if(S().optPoolLen.begin(), S().optPoolLen.end(),
                                [](const OptionState& o) { return o.Value; }),
                  1);
    }
}

TEST_F(OpenWindow, EventListSetsSelectionAndHeadings) {
    struct Case {
        std::int16_t option;
        std::int16_t event, distance;
        const char *stroke, *metric, *intc, *imp;
    };
    const Case cases[] = {
        {0, 1, 50, "Free", "50m Free", "55yds Free", "50yds Free"},
        {3, 4, 400, "Free", "400m Free", "440yds Free", "400yds Free"},
        {4, 5, 800, "Free", "800m Free", "880yds Free", "800yds Free"},
        {5, 6, 1500, "Free", "1500m Free", "1650yds Free", "1650yds Free"},
        {6, 13, 50, "Back", "50m Back", "55yds Back", "50yds Back"},
        {8, 15, 200, "Back", "200m Back", "220yds Back", "200yds Back"},
        {10, 8, 100, "Breast", "100m Breast", "110yds Breast", "100yds Breast"},
        {12, 10, 50, "Fly", "50m Fly", "55yds Fly", "50yds Fly"},
        {14, 12, 200, "Fly", "200m Fly", "220yds Fly", "200yds Fly"},
        {15, 29, 100, "IM", "100m IM", "110yds IM", "100yds IM"},
        {16, 16, 200, "IM", "200m IM", "220yds IM", "200yds IM"},
        {17, 17, 400, "IM", "400m IM", "440yds IM", "400yds IM"},
    };
    for (const Case& c : cases) {
        PickEvent(c.option);
        EXPECT_EQ(S().SelEvent, c.event) << c.metric;
        EXPECT_EQ(S().SelDistance, c.distance) << c.metric;
        EXPECT_EQ(S().SelStroke, c.stroke) << c.metric;
        EXPECT_EQ(S().lblMetric.Caption, c.metric);
        EXPECT_EQ(S().lblIntC.Caption, c.intc);
        EXPECT_EQ(S().lblImp.Caption, c.imp);
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OpenWindow, PickersNameTheEventOrComplain) {
    struct Case {
        bool stroke; // which picker is clicked
        std::int16_t pool, option;
        std::int16_t event;
        const char *metric, *intc, *imp; // headings afterwards
        const char* message;             // empty when none comes up
    };
    const Case cases[] = {
        {false, k25Metres, kPick800, 5, "800m Free", "880yds Free", "800yds Free", ""},
        {true, k25Metres, kPickBack, 0, "800m Free", "880yds Free", "800yds Free",
         "800 Back\r\nis not a valid standard event"},
        {false, k25Metres, kPick100, 14, "100m Back", "110yds Back", "100yds Back", ""},
        {true, k25Metres, kPickMedley, 29, "100m I.M.", "110yds I.M.", "100yds I.M.", ""},
        {true, k50Metres, kPickMedley, 0, "100m I.M.", "110yds I.M.", "100yds I.M.",
         "100 I.M.\r\nis not a valid standard event"},
        {true, k50Metres, kPickFree, 2, "100m Free", "110yds Free", "100yds Free", ""},
        // No 1650 from the pickers.
        {false, k50Metres, kPick1500, 6, "1500m Free", "1650yds Free", "1500yds Free", ""},
    };
    Type("60.00");
    const Boxes9 shown = Boxes();
    for (const Case& c : cases) {
        PickPool(c.pool);
        const Boxes9 beforePick = Boxes();
        platform.messages.clear();
        form.SelectOption(c.stroke ? OptionGroup::OptStroke : OptionGroup::OptDist, c.option);
        EXPECT_EQ(S().SelEvent, c.event) << c.metric;
        EXPECT_EQ(S().lblMetric.Caption, c.metric);
        EXPECT_EQ(S().lblIntC.Caption, c.intc);
        EXPECT_EQ(S().lblImp.Caption, c.imp);
        if (*c.message == '\0') {
            EXPECT_TRUE(platform.messages.empty()) << c.metric;
        } else {
            ASSERT_EQ(platform.messages.size(), 1U) << c.metric;
            EXPECT_EQ(platform.messages[0].text, c.message);
            EXPECT_EQ(platform.messages[0].title, "Equivalent Performances");
        }
        // The pickers leave the list's event and the shown times alone.
        EXPECT_EQ(S().SelDistance, 100);
        EXPECT_EQ(S().SelStroke, "Free");
        EXPECT_EQ(Boxes(), beforePick);
    }
    EXPECT_NE(shown, Boxes()); // the pool changes did recalculate
}

TEST(Pickers, WaitUntilBothHaveBeenPicked) {
    test::FakePlatform platform;
    MainForm form(platform);
    form.SelectOption(OptionGroup::OptStroke, 3);
    EXPECT_EQ(form.State().picStdStroke.Tag, "3");
    EXPECT_EQ(form.State().SelEvent, 0);
    EXPECT_TRUE(form.State().lblMetric.Caption.empty());
    form.SelectOption(OptionGroup::OptDist, 2);
    EXPECT_EQ(form.State().SelEvent, 12);
    EXPECT_EQ(form.State().lblMetric.Caption, "200m Fly");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OpenWindow, Typing60In25MetresShowsEveryPoolAndPoints) {
    Type("60.00");
    EXPECT_EQ(Boxes(), k60In25Metres);
    EXPECT_EQ(Points(), (Points2{"528", "733"}));
    // The same swim in the 50-metre pool is scored as long course.
    PickPool(k50Metres);
    EXPECT_EQ(S().txtETime[0].Text, " 1.00.0");
    EXPECT_EQ(Points(), (Points2{"575", "779"}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OpenWindow, EveryKeystrokeRecalculatesWhenItMakesAValidTime) {
    struct Step {
        const char* text;
        const char* box25; // the 25 metres box afterwards
    };
    const Step steps[] = {
        {"6", ""},
        {"60", " 1.00.0"},
        {"60.", " 1.00.0"},
        {"60.4", " 1.00.4"},
        {"60.47", " 1.00.5"},
        {"60.4", " 1.00.4"},
        {"6", " 1.00.4"},
        {"", " 1.00.4"},
        {"1:0", " 1.00.4"},
        {"1:05.", " 1.05.0"},
    };
    for (const Step& step : steps) {
        Type(step.text);
        EXPECT_EQ(S().txtETime[2].Text, step.box25) << '"' << step.text << '"';
    }
}

TEST_F(OpenWindow, OnlyAValidTimeAbove10SecondsTouchesTheBoxes) {
    struct Case {
        const char* text;
        const char* box25; // nullptr: the box keeps the earlier result
    };
    const Case cases[] = {
        {"", nullptr},        {"abc", nullptr},        {"1.2.3.4", nullptr},
        {"10.00", nullptr},   {"9.99", nullptr},       {"45.00.01", nullptr},
        {"10.01", "   10.0"}, {"45.00.00", "45.00.0"}, {" 59.94 ", "   59.9"},
    };
    for (const Case& c : cases) {
        Type("60.00");
        Type(c.text);
        EXPECT_EQ(S().txtETime[2].Text, c.box25 != nullptr ? c.box25 : " 1.00.0") << c.text;
        EXPECT_EQ(S().txtATime.Text, c.text);
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OpenWindow, ChangingPoolOrEventWithABadTimeKeepsTheOldResults) {
    Type("60.00");
    Type("60.0x");
    PickPool(k50Metres);
    PickEvent(kFly200);
    EXPECT_EQ(S().lblTime.Caption, "Time in 50 metres pool");
    EXPECT_EQ(S().lblMetric.Caption, "200m Fly");
    EXPECT_EQ(Boxes(), k60In25Metres);
    EXPECT_EQ(Points(), (Points2{"528", "733"}));
    // With a valid time again the new selection is recalculated at once.
    Type("2:05.37");
    EXPECT_EQ(S().txtETime[0].Text, " 2.05.4");
}

TEST_F(OpenWindow, AHiddenEventStaysSelectedAndIsRecalculated) {
    PickEvent(kFree50);
    Type("25.00");
    const std::string box50In25Metres = S().txtETime[0].Text;
    PickPool(k20Metres);
    EXPECT_FALSE(S().optEvent[kFree50].Visible);
    EXPECT_TRUE(S().optEvent[kFree50].Value);
    EXPECT_EQ(S().SelEvent, 1);
    EXPECT_NE(S().txtETime[0].Text, box50In25Metres);
    EXPECT_EQ(S().txtETime[3].Text, kBlank) << "no 50 in a 20 metres pool";
}

TEST_F(OpenWindow, PointsOfAnUnscorableConvertedTimeAreEmptied) {
    PickEvent(kFree50);
    Type("25.00");
    EXPECT_EQ(Points(), (Points2{"669", "931"}));
    // 10.01 is converted, but its 25 metres box reads 10.0, too fast to score.
    Type("10.01");
    EXPECT_EQ(S().txtETime[2].Text, "   10.0");
    EXPECT_EQ(Points(), Points2{});
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OpenWindow, AnEventWithoutReferenceTimeWarnsAtEveryRecalculation) {
    Type("60.00");
    form.SelectOption(OptionGroup::OptDist, kPick800);
    form.SelectOption(OptionGroup::OptStroke, kPickBack); // no standard event
    platform.messages.clear();
    Type("60.01");
    Type("60.0");
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_EQ(platform.messages[1].text,
              "This event does not have a British Points Reference Time defined");
    EXPECT_EQ(platform.messages[1].title, "Equivalent Performances");
    for (const std::string& box : Boxes()) {
        EXPECT_EQ(box, kBlank) << "no times for no event";
    }
    EXPECT_EQ(Points(), (Points2{"528", "733"})) << "earlier points stay behind the message";

    // The 100 I.M. from code, in the 50-metre pool: no long-course reference either.
    PickEvent(kMedley100);
    platform.messages.clear();
    PickPool(k50Metres);
    EXPECT_EQ(platform.messages.size(), 1U);
}

TEST_F(OpenWindow, Fly200In33YardsPool) {
    PickPool(k33Yards);
    PickEvent(kFly200);
    for (const char* text : {"2", "2.", "2.0", "2.05", "2.05.", "2.05.3", "2.05.37"}) {
        Type(text);
    }
    EXPECT_EQ(Boxes(), (Boxes9{" 2.18.8", " 2.17.6", " 2.16.5", " 2.15.3", " 2.18.5", " 2.17.3",
                               " 2.05.4", " 2.04.2", " 2.03.1"}));
    EXPECT_EQ(Points(), (Points2{"610", "814"}));
    EXPECT_EQ(S().lblTime.Caption, "Time in 33 1/3 yards pool");
    EXPECT_EQ(S().lblImp.Caption, "200yds Fly");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OpenWindow, DoneEndsTheProgramEvenWithTheTextWindowOpen) {
    form.mnuHelpGBPoints_Click();
    form.CmdExit_Click();
    EXPECT_EQ(platform.endProgramCalls, 1);
    EXPECT_TRUE(platform.messages.empty());
}

} // namespace
} // namespace et::form

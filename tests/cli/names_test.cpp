#include "cli/names.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace {

using et::cli::ParseEvent;
using et::cli::ParsePool;

TEST(PoolNames, CaptionsAndCodesInAnyCase) {
    struct Case {
        std::string_view text;
        std::optional<std::string_view> code; // the pool it names, or none
    };
    const Case cases[] = {
        {"50m", "50m"},
        {"20Y", "20y"},
        {"25 metres", "25m"},
        {"25 Metres", "25m"},
        {"33 1/3 METRES", "33m"},
        {"33 1/3 yards", "33y"},
        {"36 2/3 yards", "36y"},
        {"27 1/2 yards", "27y"},
        {"  25y\t", "25y"},
        {"25", std::nullopt},
        {"25 meters", std::nullopt},
        {"33m ", "33m"},
        {"33 m", std::nullopt},
        {"", std::nullopt},
        {"50 yards", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto pool = ParsePool(c.text);
        ASSERT_EQ(pool.has_value(), c.code.has_value());
        if (pool) {
            EXPECT_EQ(et::kPools[*pool].code, *c.code);
        }
    }
}

TEST(EventNames, DistanceAndStrokeOfTheSeventeenEvents) {
    struct Case {
        std::string_view text;
        std::int16_t code; // 0: not an individual event
    };
    const Case cases[] = {
        {"100 Free", 2},
        {"1500 freestyle", 6},
        {"50 Back", 13},
        {"200 BACKSTROKE", 15},
        {"100 Breast", 8},
        {"50 breaststroke", 7},
        {"200 Fly", 12},
        {"100 Butterfly", 11},
        {"200 IM", 16},
        {"400 i.m.", 17},
        {"400 Individual Medley", 17},
        {"  100   Free ", 2},
        {"100\tFree", 2},
        // Not one of the seventeen: no 100 IM, no 1500 backstroke, no relays.
        {"100 IM", 0},
        {"1500 Back", 0},
        {"400 Fly", 0},
        {"100Free", 0},
        {"Free 100", 0},
        {"100", 0},
        {"100 Freestyle Relay", 0},
        {"100m Free", 0},
        {"", 0},
        {"-100 Free", 0},
        {"99999 Free", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto event = ParseEvent(c.text);
        EXPECT_EQ(event ? event->code : 0, c.code);
    }
}

TEST(EventNames, EveryEventReadsBackFromItsName) {
    for (const et::IndividualEvent& event : et::kIndividualEvents) {
        const auto parsed = ParseEvent(et::cli::EventName(event));
        ASSERT_TRUE(parsed.has_value()) << et::cli::EventName(event);
        EXPECT_EQ(parsed->code, event.code);
    }
}

} // namespace

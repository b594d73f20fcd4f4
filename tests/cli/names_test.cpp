#include "cli/batch.hpp"
#include "cli/names.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The batch remembers the texts it has read; whatever the order, and with more distinct texts
// than it keeps (so that they share its places), it reads each as ParsePool and ParseEvent do.
TEST(NameReader, RemembersTextsWithoutMixingThemUp) {
    std::vector<std::string> texts = {"25m",    "25 metres", " 25M ", "100 Free", "100 free",
                                      "200 IM", "nonsense",  "",      "25y",      "50 Fly"};
    for (int n = 0; n < 200; ++n) {
        texts.push_back(std::to_string(n * 50) + (n % 2 == 0 ? " Free" : "m"));
    }
    et::cli::NameReader reader;
    for (int pass = 0; pass < 3; ++pass) {
        for (const std::string& text : texts) {
            EXPECT_EQ(reader.Pool(text), ParsePool(text)) << text;
            const auto event = reader.Event(text);
            ASSERT_EQ(event.has_value(), ParseEvent(text).has_value()) << text;
            if (event) {
                EXPECT_EQ(event->code, ParseEvent(text)->code) << text;
            }
        }
        std::reverse(texts.begin(), texts.end());
    }
}

} // namespace

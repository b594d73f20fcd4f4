#include "cli/batch.hpp"
#include "cli/names.hpp"

#include "convert/display.hpp"
#include "model/time_text.hpp"
#include "points/gb_points.hpp"
#include "support/fake_platform.hpp"
#include "ui/form/main_form.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using et::cli::CsvReader;
using et::cli::CsvRecord;
using Rows = std::vector<std::vector<std::string>>;

struct BatchRun {
    Rows rows; // the output, header first
    std::vector<std::string> diagnostics;
    et::cli::BatchSummary summary;
};

BatchRun RunOn(std::string_view input) {
    BatchRun run;
    std::string output;
    {
        CsvReader reader(et::cli::ReadFromText(input), 64);
        et::cli::CsvWriter writer([&](std::string_view bytes) {
            output += bytes;
            return true;
        });
        run.summary = et::cli::RunBatch(reader, writer, "entries.csv", [&](std::string_view line) {
            run.diagnostics.emplace_back(line);
        });
    }
    CsvReader reader(et::cli::ReadFromText(output));
    CsvRecord record;
    while (reader.Next(record) == CsvReader::Status::Record) {
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < record.size(); ++i) {
            fields.emplace_back(record[i]);
        }
        run.rows.push_back(fields);
    }
    return run;
}

// What the window shows for a swim, worked out step by step as the window does it: the twelve
// result fields (bare box texts, male and female points, and an empty error), or nothing when
// the window does not take the time.
std::optional<std::vector<std::string>>
WindowShows(const et::PoolInfo& pool, const et::IndividualEvent& event, const std::string& typed) {
    double seconds = 0.0;
    std::string normalised;
    std::int16_t nerr = 0;
    et::timecheck(typed, seconds, normalised, nerr);
    if (nerr != 0 || !(seconds > 10.0)) {
        return std::nullopt;
    }
    const et::BoxTexts boxes =
        et::ConvertedTimes(event.code, event.distance, seconds, pool.type, pool.turnsPerHundred);
    const et::PointsUpdate points =
        et::ShowGBPoints(pool.type, pool.turnsPerHundred, event.code, boxes[0], boxes[2]);
    std::vector<std::string> shown;
    for (const std::string& box : boxes) {
        const auto first = box.find_first_not_of(' ');
        shown.push_back(first == std::string::npos ? std::string() : box.substr(first));
    }
    shown.push_back(points.box[0].value_or(""));
    shown.push_back(points.box[1].value_or(""));
    shown.emplace_back();
    return shown;
}

// Typed the ways people type them: 1:02.34, 1.02.34, 62.34 (seconds past a minute), 62.3.
std::string Typed(long hundredths, int style) {
    const long minutes = hundredths / 6000;
    const long seconds = hundredths / 100 % 60;
    const long rest = hundredths % 100;
    char text[32];
    switch (style) {
    case 0:
        std::snprintf(text, sizeof text, "%ld:%02ld.%02ld", minutes, seconds, rest);
        break;
    case 1:
        std::snprintf(text, sizeof text, "%ld.%02ld.%02ld", minutes, seconds, rest);
        break;
    case 2:
        std::snprintf(text, sizeof text, "%ld.%02ld", hundredths / 100, rest);
        break;
    default:
        std::snprintf(text, sizeof text, " %ld.%ld ", hundredths / 100, rest / 10);
        break;
    }
    return text;
}

TEST(BatchAgainstWindow, EveryEventAndPoolGivesTheWindowsTexts) {
    std::string input = "time,event,pool\n";
    struct Expected {
        std::optional<std::vector<std::string>> results;
        bool implausible = false; // under a third of every reference time of the event
    };
    std::vector<Expected> expected;
    int style = 0;
    for (const et::IndividualEvent& event : et::kIndividualEvents) {
        for (const et::PoolInfo& pool : et::kPools) {
            // From faster than a world record to a slow novice, in uneven steps so that every
            // tenth and hundredth turns up; the first and last are outside what the window takes.
            const long fastest = event.distance * 40L;
            const long slowest = event.distance * 200L;
            const long step = (slowest - fastest) / 37 + 7;
            std::vector<long> times = {999, 1000, 1001, 270000, 270001};
            for (long h = fastest; h <= slowest; h += step) {
                times.push_back(h);
            }
            double lowest = 1e9;
            for (const std::string_view sex : {"M", "F"}) {
                for (const std::int16_t course : {et::kLongCourse, et::kShortCourse}) {
                    lowest = std::min(lowest, et::GetRefTime(event.code, sex, course));
                }
            }
            for (const long h : times) {
                const std::string typed = Typed(h, style++ % 4);
                input += "\"" + typed + "\"," + et::cli::EventName(event) + "," +
                         std::string(pool.caption) + "\n";
                auto shown = WindowShows(pool, event, typed);
                const bool implausible = shown && h * 3 < std::lround(lowest * 100.0);
                expected.push_back({std::move(shown), implausible});
            }
        }
    }
    const BatchRun run = RunOn(input);
    ASSERT_FALSE(run.summary.failed);
    ASSERT_EQ(run.rows.size(), expected.size() + 1);
    std::size_t rejected = 0;
    std::size_t warned = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::vector<std::string>& row = run.rows[i + 1];
        ASSERT_EQ(row.size(), 16U);
        // Only a time the window takes can be implausible, and then it says how it was read.
        EXPECT_EQ(!row.back().empty(), expected[i].implausible) << row[0] << ": " << row.back();
        EXPECT_TRUE(row.back().empty() || row.back().find(" was read as ") != std::string::npos);
        warned += row.back().empty() ? 0U : 1U;
        const std::vector<std::string> results(row.begin() + 3, row.end() - 1);
        if (expected[i].results) {
            EXPECT_EQ(results, *expected[i].results) << row[0] << " " << row[1] << " " << row[2];
        } else {
            ++rejected;
            EXPECT_FALSE(results.back().empty()) << row[0];
            EXPECT_TRUE(std::all_of(results.begin(), results.end() - 1,
                                    [](const std::string& f) { return f.empty(); }));
        }
    }
    EXPECT_EQ(run.summary.rejected, rejected);
    EXPECT_GT(rejected, 0U);
    EXPECT_GT(warned, 0U);
}

TEST(BatchRows, ImplausibleTimesCarryAWarningAndNothingElseChanges) {
    struct Case {
        std::string_view row;
        std::string_view warning;
        std::string_view error;
    };
    const Case cases[] = {
        {"25y,1500 Free,15:00",
         "15:00 was read as 15.00 seconds, under a third of the 1500 Free reference time: write "
         "15:00.00 for 15 minutes",
         ""},
        {"50m,200 Back,1.59",
         "1.59 was read as 1.59 seconds, under a third of the 200 Back reference time: write "
         "1:59.00 for 1 minute 59 seconds",
         "time '1.59' is not above 10.00 seconds"},
        {"25m,100 Free,10.01",
         "10.01 was read as 10.01 seconds, under a third of the 100 Free reference time", ""},
        {"25m,100 Free, 15.60 ",
         "15.60 was read as 15.60 seconds, under a third of the 100 Free reference time", ""},
        {"25m,100 Free,15.70", "", ""},
        // A third of the men's short-course 14:30.60.
        {"50m,1500 Free,4:50.19",
         "4:50.19 was read as 290.19 seconds, under a third of the 1500 Free reference time", ""},
        {"50m,1500 Free,4:50.20", "", ""},
        {"25m,100 Free,1.75.00", "", "time '1.75.00' is not a swim time like 59.87 or 1:02.34"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const BatchRun run = RunOn("pool,event,time\n" + std::string(c.row) + "\n");
        ASSERT_EQ(run.rows.size(), 2U);
        const std::vector<std::string>& row = run.rows[1];
        ASSERT_EQ(row.size(), 16U);
        // A rejected row's warning stays empty: the error says what is wrong.
        EXPECT_EQ(row[15], c.error.empty() ? c.warning : "");
        EXPECT_EQ(row[14], c.error);
        EXPECT_EQ(run.diagnostics.size(), c.error.empty() ? 0U : 1U);
        // The figures are the window's, warning or not.
        if (c.error.empty()) {
            EXPECT_EQ(std::vector<std::string>(row.begin() + 3, row.end() - 1),
                      *WindowShows(et::kPools[*et::cli::ParsePool(row[0])],
                                   *et::cli::ParseEvent(row[1]), row[2]));
        }
    }
}

TEST(BatchAgainstWindow, TheWindowsFormShowsWhatBatchWrites) {
    // The window itself, driven as a user drives it: an event from the list, then the pool (an
    // event hidden in that pool stays selected), then the typed time. Whatever the window's
    // boxes show, batch writes for the same pool, event and text; a text the window does not
    // take leaves its boxes empty and gives a rejected row.
    using et::form::OptionGroup;
    std::string input = "pool,event,time\n";
    std::vector<std::vector<std::string>> shown;
    int style = 0;
    for (std::int16_t option = 0; option < 18; ++option) {
        for (const et::PoolInfo& pool : et::kPools) {
            for (long h = 999; h <= 270001; h = h < 1001 ? h + 1 : h * 13 / 12 + 7) {
                et::test::FakePlatform platform;
                et::form::MainForm form(platform);
                form.Form_Load();
                form.SelectOption(OptionGroup::optEvent, option);
                form.SelectOption(OptionGroup::optPoolLen, pool.option);
                const et::form::MainWindowState& state = form.State();
                const auto event = std::find_if(
                    et::kIndividualEvents.begin(), et::kIndividualEvents.end(),
                    [&](const et::IndividualEvent& e) { return e.code == state.SelEvent; });
                if (event == et::kIndividualEvents.end()) {
                    break; // the 100 I.M. option: no individual event, always hidden
                }
                ASSERT_EQ(state.SelDistance, event->distance) << option;
                const std::string typed = Typed(h, style++ % 4);
                form.SetTimeText(typed);
                ASSERT_TRUE(platform.messages.empty()) << option << " in " << pool.caption;
                std::vector<std::string> row = {std::string(pool.caption),
                                                et::cli::EventName(*event), typed};
                for (const auto& box : state.txtETime) {
                    row.emplace_back(et::BareBoxText(box.Text));
                }
                row.push_back(state.txtGBPnt[0].Text);
                row.push_back(state.txtGBPnt[1].Text);
                shown.push_back(row);
                input += row[0] + ",\"" + row[1] + "\",\"" + typed + "\"\n";
            }
        }
    }
    const BatchRun run = RunOn(input);
    ASSERT_FALSE(run.summary.failed);
    ASSERT_EQ(run.rows.size(), shown.size() + 1);
    std::size_t rejected = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        std::vector<std::string> row = run.rows[i + 1];
        ASSERT_EQ(row.size(), 16U);
        row.pop_back(); // the warning
        // The 50 metres box is never blank for a swim the window took.
        const bool taken = !shown[i][3].empty();
        EXPECT_EQ(row.back().empty(), taken) << shown[i][2] << ": " << row.back();
        rejected += taken ? 0 : 1;
        row.pop_back();
        EXPECT_EQ(row, shown[i]);
    }
    EXPECT_EQ(run.summary.rejected, rejected);
    EXPECT_GT(rejected, 0U);
    EXPECT_GT(shown.size() - rejected, 17U * 9U * 40U);
}

TEST(BatchColumns, FoundInAnyOrderAndCaseWithOtherColumnsKept) {
    const BatchRun run = RunOn("Club,TIME, Event ,notes,pool\r\n"
                               "Otters,60.00,100 Free,\"fast, again\",25 metres\r\n");
    ASSERT_EQ(run.rows.size(), 2U);
    EXPECT_EQ(run.rows[0],
              (std::vector<std::string>{"Club", "TIME", " Event ", "notes", "pool", "50m", "33m",
                                        "25m", "20m", "36y", "27y", "33y", "25y", "20y",
                                        "male_points", "female_points", "error", "warning"}));
    EXPECT_EQ(run.rows[1],
              (std::vector<std::string>{"Otters", "60.00", "100 Free", "fast, again", "25 metres",
                                        "1.01.4", "1.00.7", "1.00.0", "59.3", "1.01.1", "1.00.4",
                                        "55.2", "54.5", "53.8", "528", "733", "", ""}));
    EXPECT_TRUE(run.diagnostics.empty());
}

TEST(BatchColumns, MissingColumnsStopTheRunBeforeAnyOutput) {
    struct Case {
        std::string_view input;
        std::string_view diagnostic;
    };
    const Case cases[] = {
        {"pool,event\n25m,100 Free\n", "entries.csv:1: the header has no time column"},
        {"\xEF\xBB\xBFname,times\n", "entries.csv:1: the header has no pool, event, time column"},
        {"", "entries.csv:1: no header row (pool, event and time columns)"},
        {"\"pool,event,time\n", "entries.csv:1: quoted field is never closed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const BatchRun run = RunOn(c.input);
        EXPECT_TRUE(run.summary.failed);
        EXPECT_TRUE(run.rows.empty());
        EXPECT_EQ(run.diagnostics, std::vector<std::string>{std::string(c.diagnostic)});
    }
}

TEST(BatchRows, OneOutputRowPerRecordWithPhysicalLinesInMessages) {
    const BatchRun run = RunOn("name,pool,event,time\n"              // line 1
                               "\"Ann\nSmith\",25m,100 Free,60.00\n" // lines 2-3
                               "\n"                                  // 4: empty line
                               "Bob,25m,100 Free\n"                  // 5: short row, no time
                               "Cy,25m,100 Free,60.00,extra\n"       // 6: long row
                               "Di,25x,100 Free,60.00\n"             // 7
                               "Ed,25m,100 IM,60.00\n"               // 8
                               "Flo,25m,100 Free,1.75.00\n"          // 9
                               "Gus,25m,100 Free,10.00\n"            // 10
                               "Hal,25m,100 Free,46:00.00\n"         // 11
                               "Ivy,25m,100 Free,10.01");            // 12, no final line break
    ASSERT_FALSE(run.summary.failed);
    EXPECT_EQ(run.summary.rows, 10U);
    EXPECT_EQ(run.summary.rejected, 8U);
    ASSERT_EQ(run.rows.size(), 11U);
    for (std::size_t i = 1; i < run.rows.size(); ++i) {
        EXPECT_EQ(run.rows[i].size(), 17U);
        // Only Ivy's 10.01, taken, is implausible for a 100.
        EXPECT_EQ(run.rows[i].back().empty(), i != 10) << run.rows[i][0];
    }
    EXPECT_EQ(run.rows[1][0], "Ann\nSmith");
    EXPECT_EQ(run.rows[1][15], "");
    EXPECT_EQ(run.rows[10][15], "");
    EXPECT_EQ(run.rows[4][3], "60.00"); // Cy's long row is cut to the header, without results
    EXPECT_EQ(run.rows[4][4], "");
    const std::vector<std::string> diagnostics = {
        "entries.csv:4: empty line",
        "entries.csv:5: no time given",
        "entries.csv:6: row has 5 fields, the header has 4",
        "entries.csv:7: unknown pool '25x' (pools: 50m 33m 25m 20m 36y 27y 33y 25y 20y, or a "
        "caption like 25 metres)",
        "entries.csv:8: unknown event '100 IM' (a distance and a stroke of an individual event, "
        "like 100 Free or 200 IM)",
        "entries.csv:9: time '1.75.00' is not a swim time like 59.87 or 1:02.34",
        "entries.csv:10: time '10.00' is not above 10.00 seconds",
        "entries.csv:11: time '46:00.00' is over 45 minutes",
    };
    EXPECT_EQ(run.diagnostics, diagnostics);
    // The error column carries the same message as the terminal.
    for (std::size_t row = 2; row <= 9; ++row) {
        EXPECT_EQ("entries.csv:" + std::to_string(row + 2) + ": " + run.rows[row][15],
                  diagnostics[row - 2]);
    }
}

TEST(BatchRows, MalformedRecordStopsAfterTheRowsBeforeIt) {
    const BatchRun run = RunOn("pool,event,time\n25m,100 Free,60.00\n25m,\"100 Free,60.00\n");
    EXPECT_TRUE(run.summary.failed);
    ASSERT_EQ(run.rows.size(), 2U);
    EXPECT_EQ(run.diagnostics,
              std::vector<std::string>{"entries.csv:3: quoted field is never closed"});
}

} // namespace

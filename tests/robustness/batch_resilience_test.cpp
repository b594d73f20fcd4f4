// equivtimes-cli batch over a long, untidy entry list: good rows mixed with bad times, unknown
// events and pools, quoted fields (commas, quotes, line breaks inside), CRLF and LF line ends,
// empty lines, rows too long and too short, and no line end after the last row. Every input record
// must give exactly one output row, in input order, and every rejected row one message on standard
// error naming the physical line the record began on.
//
// Environment: EQUIVTIMES_CLI (the program to run), EQUIVTIMES_BATCH_ROWS (1000000 unless set),
// EQUIVTIMES_BATCH_SEED.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv.hpp"
#include "convert/display.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"
#include "points/gb_points.hpp"

extern char** environ;

namespace {

enum class Kind : std::uint8_t {
    Good,
    GoodQuoted,
    GoodShort, // no note field at all
    BadTime,
    UnknownEvent,
    UnknownPool,
    EmptyLine,
    TooLong,
};

// One input record as generated, kept small: a million of them are held at once.
struct Row {
    Kind kind;
    std::uint8_t pool;  // kPools index
    std::uint8_t event; // kIndividualEvents index
    std::uint8_t bad;   // index into the list of bad texts of its kind
    std::uint8_t note;  // index into kNotes
    std::int32_t hundredths;
    std::uint32_t line; // physical line the record begins on
};

constexpr std::array<std::string_view, 9> kBadTimes = {"abc", "9.99", "10.00",   "45:00.01", "1..2",
                                                       "",    "  ",   "1:2:3:4", "-5"};
constexpr std::array<std::string_view, 7> kBadEvents = {
    "100 Medley", "75 Free", "800 Back", "Free 100", "100free", "", "100 Fly Fly"};
constexpr std::array<std::string_view, 5> kBadPools = {"30m", "25 meters", "", "50 m", "yards"};
constexpr std::array<std::string_view, 6> kNotes = {
    "", "club, county", "said \"fast\"", "two\nlines", "crlf\r\nnote", "a,\"b\",\r\nc\n"};

std::size_t EnvNumber(const char* name, std::size_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + '"';
}

std::string TimeText(std::int32_t hundredths) {
    char text[32];
    if (hundredths >= 6000) {
        std::snprintf(text, sizeof text, "%d:%02d.%02d", hundredths / 6000, (hundredths / 100) % 60,
                      hundredths % 100);
    } else {
        std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
    }
    return text;
}

// A pool as people type it: code or caption, any letter case, blanks around now and then.
std::string PoolText(std::size_t pool, std::mt19937& rng) {
    std::string text(rng() % 2 == 0 ? et::kPools[pool].code : et::kPools[pool].caption);
    for (char& c : text) {
        if (rng() % 3 == 0 && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return rng() % 5 == 0 ? " " + text + " " : text;
}

std::string EventText(std::size_t event) {
    const auto& e = et::kIndividualEvents[event];
    return std::to_string(e.distance) + " " + std::string(e.stroke);
}

std::size_t CountNewlines(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) {
        n += c == '\n' ? 1 : 0;
    }
    return n;
}

// Writes the entry list and returns what each record is.
std::vector<Row> Generate(const std::filesystem::path& path, std::size_t count,
                          std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<Row> rows;
    rows.reserve(count);
    std::ofstream out(path, std::ios::binary);
    out << "id,pool,event,time,note\n";
    std::uint32_t line = 2;
    std::string record;
    for (std::size_t i = 0; i < count; ++i) {
        Row row{};
        row.line = line;
        row.pool = static_cast<std::uint8_t>(rng() % et::kPools.size());
        row.event = static_cast<std::uint8_t>(rng() % et::kIndividualEvents.size());
        // Good times run from just over 10 seconds to 45 minutes.
        row.hundredths = static_cast<std::int32_t>(1001 + rng() % 269000);
        const auto roll = rng() % 100;
        const std::string id = std::to_string(i);
        const std::string pool = PoolText(row.pool, rng);
        const std::string event = EventText(row.event);
        const std::string time = TimeText(row.hundredths);
        if (roll < 45) {
            row.kind = Kind::Good;
            record = id + "," + pool + "," + event + "," + time + ",";
        } else if (roll < 55) {
            row.kind = Kind::GoodQuoted;
            row.note = static_cast<std::uint8_t>(rng() % kNotes.size());
            record = Quoted(id) + "," + Quoted(pool) + "," + Quoted(event) + "," + Quoted(time) +
                     "," + Quoted(kNotes[row.note]);
        } else if (roll < 60) {
            row.kind = Kind::GoodShort;
            record = id + "," + pool + "," + event + "," + time;
        } else if (roll < 70) {
            row.kind = Kind::BadTime;
            row.bad = static_cast<std::uint8_t>(rng() % kBadTimes.size());
            record = id + "," + pool + "," + event + "," + Quoted(kBadTimes[row.bad]) + ",";
        } else if (roll < 78) {
            row.kind = Kind::UnknownEvent;
            row.bad = static_cast<std::uint8_t>(rng() % kBadEvents.size());
            record = id + "," + pool + "," + std::string(kBadEvents[row.bad]) + "," + time + ",";
        } else if (roll < 84) {
            row.kind = Kind::UnknownPool;
            row.bad = static_cast<std::uint8_t>(rng() % kBadPools.size());
            record = id + "," + std::string(kBadPools[row.bad]) + "," + event + "," + time + ",";
        } else if (roll < 92) {
            row.kind = Kind::EmptyLine;
            record.clear();
        } else {
            row.kind = Kind::TooLong;
            record = id + "," + pool + "," + event + "," + time + ",note,extra";
        }
        line += static_cast<std::uint32_t>(CountNewlines(record)) + 1;
        out << record;
        // CRLF or LF; the very last record may end without a line end.
        if (i + 1 < count || rng() % 2 == 0 || row.kind == Kind::EmptyLine) {
            out << (rng() % 2 == 0 ? "\r\n" : "\n");
        }
        rows.push_back(row);
    }
    return rows;
}

struct Finished {
    int status = -1;
    std::string errors;
};

Finished RunBatch(std::string program, const std::filesystem::path& input,
                  const std::filesystem::path& output, const std::filesystem::path& errors) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string batch = "batch";
    std::string in = input.string();
    std::string dashO = "-o";
    std::string out = output.string();
    std::array<char*, 6> argv = {program.data(), batch.data(), in.data(),
                                 dashO.data(),   out.data(),   nullptr};
    pid_t pid = 0;
    Finished run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream err(errors, std::ios::binary);
    run.errors.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

bool Rejected(Kind kind) {
    return kind != Kind::Good && kind != Kind::GoodQuoted && kind != Kind::GoodShort;
}

// The word each kind of rejection must name.
std::string_view ReasonWord(Kind kind) {
    switch (kind) {
    case Kind::BadTime:
        return "time";
    case Kind::UnknownEvent:
        return "event";
    case Kind::UnknownPool:
        return "pool";
    case Kind::EmptyLine:
        return "empty line";
    case Kind::TooLong:
        return "fields";
    default:
        return "";
    }
}

std::string_view Bare(std::string_view box) {
    const auto first = box.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : box.substr(first);
}
// The nine converted times and the two points of an accepted row, against the core.
template <typename Fail>
void CheckFigures(const et::cli::CsvRecord& record, const Row& row, Fail&& fail) {
    const et::PoolInfo& pool = et::kPools[row.pool];
    const auto& event = et::kIndividualEvents[row.event];
    const et::BoxTexts boxes = et::ConvertedTimes(
        event.code, event.distance, row.hundredths / 100.0, pool.type, pool.turnsPerHundred);
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        if (record[5 + b] != Bare(boxes[b])) {
            fail("box " + std::to_string(b) + " '" + std::string(record[5 + b]) +
                 "', the core says '" + std::string(Bare(boxes[b])) + "'");
        }
    }
    const et::PointsUpdate points =
        et::ShowGBPoints(pool.type, pool.turnsPerHundred, event.code, boxes[0], boxes[2]);
    if (record[14] != points.box[0].value_or("") || record[15] != points.box[1].value_or("")) {
        fail("points differ from the core's");
    }
}

class BatchResilience : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("equivtimes-batch-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
};

TEST_F(BatchResilience, OneRowOutPerRecordInAndEveryRejectionReportedWithItsLine) {
    const char* program = std::getenv("EQUIVTIMES_CLI");
    ASSERT_TRUE(program != nullptr && *program != '\0') << "EQUIVTIMES_CLI names no program";
    const std::size_t count = EnvNumber("EQUIVTIMES_BATCH_ROWS", 1000000);
    const auto seed = static_cast<std::uint32_t>(EnvNumber("EQUIVTIMES_BATCH_SEED", 20040));
    const auto input = dir_ / "entries.csv";
    const auto output = dir_ / "converted.csv";
    const std::vector<Row> rows = Generate(input, count, seed);

    const Finished run = RunBatch(program, input, output, dir_ / "errors.txt");
    ASSERT_EQ(run.status, 1) << "exit status (1: some rows rejected); stderr starts:\n"
                             << run.errors.substr(0, 2000);

    std::FILE* file = std::fopen(output.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    et::cli::CsvReader reader(et::cli::ReadFromFile(file));
    et::cli::CsvRecord record;
    ASSERT_EQ(reader.Next(record), et::cli::CsvReader::Status::Record);
    ASSERT_EQ(record.size(), 18u);
    EXPECT_EQ(record[0], "id");
    EXPECT_EQ(record[16], "error");
    EXPECT_EQ(record[17], "warning");

    std::size_t errorAt = 0; // where the next message should start in run.errors
    std::size_t failures = 0;
    const auto fail = [&](std::size_t i, const std::string& what) {
        if (++failures <= 10) {
            ADD_FAILURE() << "record " << i << " (input line " << rows[i].line << ", seed " << seed
                          << "): " << what;
        }
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        if (reader.Next(record) != et::cli::CsvReader::Status::Record) {
            fail(i, "no output row (output ends early)");
            break;
        }
        if (record.size() != 18) {
            fail(i, "output row has " + std::to_string(record.size()) + " fields");
            continue;
        }
        const std::string id = row.kind == Kind::EmptyLine ? "" : std::to_string(i);
        if (record[0] != id) {
            fail(i, "output row id '" + std::string(record[0]) + "', wanted '" + id + "'");
            continue;
        }
        const std::string_view error = record[16];
        if (!Rejected(row.kind)) {
            if (!error.empty()) {
                fail(i, "good row rejected: " + std::string(error));
                continue;
            }
            if (i % 8 == 0) {
                // Now and then, the figures themselves: the core's answer for that swim.
                CheckFigures(record, row, [&](const std::string& what) { fail(i, what); });
            }
            const std::string_view note = row.kind == Kind::GoodQuoted ? kNotes[row.note] : "";
            if (record[4] != note) {
                fail(i, "note field '" + std::string(record[4]) + "' came back changed");
            }
            continue;
        }
        if (error.find(ReasonWord(row.kind)) == std::string_view::npos) {
            fail(i, "error '" + std::string(error) + "' does not name the " +
                        std::string(ReasonWord(row.kind)));
        }
        const std::string message =
            input.string() + ":" + std::to_string(row.line) + ": " + std::string(error) + "\n";
        if (run.errors.compare(errorAt, message.size(), message) != 0) {
            fail(i, "standard error has '" +
                        run.errors.substr(errorAt, run.errors.find('\n', errorAt) - errorAt) +
                        "' where '" + message.substr(0, message.size() - 1) + "' belongs");
            break; // later messages would all be out of step
        }
        errorAt += message.size();
    }
    EXPECT_EQ(reader.Next(record), et::cli::CsvReader::Status::End) << "more rows than records";
    EXPECT_EQ(run.errors.substr(errorAt), "") << "messages beyond the rejected rows";
    EXPECT_EQ(failures, 0u);
    std::fclose(file);
}

} // namespace

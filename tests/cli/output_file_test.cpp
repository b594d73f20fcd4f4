// batch and table with -o: the input is never written over, and an output file is whole or
// absent, with an older file of the same name kept when the run fails.
#include "cli/commands.hpp"

#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using et::test::ScratchFolder;
using Names = std::vector<std::string>;
using Command = std::function<int(std::FILE* out, std::FILE* err)>;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Drain(std::FILE* file) {
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

Finished RunWith(const Command& command) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = command(out, err);
    return {status, Drain(out), Drain(err)};
}

const std::string kEntries = "swimmer,pool,event,time\nAnn,25m,100 Free,1:00.00\n";

TEST(OutputFile, TheInputUnderAnyNameIsRefusedAndLeftAlone) {
    ScratchFolder dir;
    dir.Put("entries.csv", kEntries);
    std::filesystem::create_symlink(dir / "entries.csv", dir / "link.csv");
    std::filesystem::create_hard_link(dir / "entries.csv", dir / "hard.csv");
    // "-": the entry list arrives on standard input.
    for (const auto& [input, output] : {std::pair{"entries.csv", "entries.csv"},
                                        {"entries.csv", "link.csv"},
                                        {"link.csv", "entries.csv"},
                                        {"entries.csv", "hard.csv"},
                                        {"-", "hard.csv"}}) {
        SCOPED_TRACE(std::string(input) + " -o " + output);
        std::FILE* in = std::fopen((dir / "entries.csv").c_str(), "rb");
        const std::string from = input == std::string("-") ? "-" : dir / input;
        const Finished run = RunWith([&](std::FILE* out, std::FILE* err) {
            return et::cli::RunBatch({from, dir / output}, in, out, err);
        });
        std::fclose(in);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("the output " + dir / output + " is the"), std::string::npos)
            << run.err;
        EXPECT_EQ(dir.Get("entries.csv"), kEntries);
        EXPECT_EQ(dir.Names(), (Names{"entries.csv", "hard.csv", "link.csv"}));
    }
}

TEST(OutputFile, AFailedRunKeepsTheOlderOutput) {
    ScratchFolder dir;
    std::string many = "swimmer,pool,event,time\n";
    for (int i = 0; i < 20000; ++i) {
        many += std::to_string(i) + ",25m,100 Free,1:00.00\n";
    }
    dir.Put("many.csv", many);
    dir.Put("unclosed.csv", kEntries + "Bea,25m,100 Free,\"1:00.00\n");
    const auto batch = [&](const char* input) -> Command {
        return [&dir, input](std::FILE* out, std::FILE* err) {
            return et::cli::RunBatch({dir / input, dir / "out.csv"}, stdin, out, err);
        };
    };
    const Command table = [&](std::FILE* out, std::FILE* err) {
        return et::cli::RunTable(
            {"1500 Free", "50m", "15:00.00", "25:00.00", "0.01", "text", dir / "out.csv"}, out,
            err);
    };
    const struct {
        Command command;
        bool diskFull;
        std::string message;
    } cases[] = {{batch("many.csv"), true, "cannot write " + dir / "out.csv"},
                 {batch("unclosed.csv"), false, "nothing written to " + dir / "out.csv"},
                 {table, true, "cannot write " + dir / "out.csv"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        dir.Put("out.csv", "older output\n");
        Finished run;
        if (c.diskFull) {
            et::test::FileSizeLimit limit;
            run = RunWith(c.command);
        } else {
            run = RunWith(c.command);
        }
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(dir.Get("out.csv"), "older output\n");
        EXPECT_EQ(dir.Names(), (Names{"many.csv", "out.csv", "unclosed.csv"}));
    }
    // Without the limit the whole output takes the older one's place.
    EXPECT_EQ(RunWith(cases[0].command).status, 0);
    const std::string converted = dir.Get("out.csv");
    EXPECT_EQ(std::count(converted.begin(), converted.end(), '\n'), 20001);
    EXPECT_EQ(RunWith(table).status, 0);
    EXPECT_TRUE(dir.Get("out.csv").starts_with("1500 Free, entered in 50 metres\n"));
}

} // namespace

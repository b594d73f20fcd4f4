// batch and table with -o: the input is never written over, and an output file is whole or
// absent, with an older file of the same name kept when the run fails.
#include "cli/commands.hpp"

#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using et::test::ScratchFolder;
using Names = std::vector<std::string>;

const std::string kEntries = "swimmer,pool,event,time\nAnn,25m,100 Free,1:00.00\n";

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Drain(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    std::fclose(file);
    return text;
}

// Runs a subcommand with its standard streams in temporary files.
Finished RunWith(const std::function<int(std::FILE* in, std::FILE* out, std::FILE* err)>& command,
                 std::FILE* in = nullptr) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Finished run;
    run.status = command(in != nullptr ? in : stdin, out, err);
    run.out = Drain(out);
    run.err = Drain(err);
    return run;
}

TEST(OutputFile, TheInputUnderAnyNameIsRefusedAndLeftAlone) {
    ScratchFolder dir;
    dir.Put("entries.csv", kEntries);
    std::filesystem::create_symlink(dir / "entries.csv", dir / "link.csv");
    std::filesystem::create_hard_link(dir / "entries.csv", dir / "hard.csv");
    std::filesystem::create_directory(dir / "sub");

    const struct {
        std::string input; // "-": the entry list arrives on standard input
        std::string output;
    } cases[] = {
        {dir / "entries.csv", dir / "entries.csv"},
        {dir / "entries.csv", dir / "sub/../entries.csv"},
        {dir / "entries.csv", dir / "link.csv"},
        {dir / "link.csv", dir / "entries.csv"},
        {dir / "entries.csv", dir / "hard.csv"},
        {"-", dir / "hard.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input + " -o " + c.output);
        std::FILE* in = std::fopen((dir / "entries.csv").c_str(), "rb");
        const Finished run = RunWith(
            [&](std::FILE* i, std::FILE* o, std::FILE* e) {
                return et::cli::RunBatch({c.input, c.output}, i, o, e);
            },
            in);
        std::fclose(in);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("the output " + c.output + " is the"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(dir.Get("entries.csv"), kEntries);
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
        EXPECT_EQ(dir.Names(), (Names{"entries.csv", "hard.csv", "link.csv", "sub"}));
    }
}

// Each run fails part way; the older output must come through unchanged and alone.
TEST(OutputFile, AFailedRunKeepsTheOlderOutput) {
    ScratchFolder dir;
    std::string many = "swimmer,pool,event,time\n";
    for (int i = 0; i < 20000; ++i) {
        many += std::to_string(i) + ",25m,100 Free,1:00.00\n";
    }
    dir.Put("many.csv", many);
    dir.Put("unclosed.csv", kEntries + "Bea,25m,100 Free,\"1:00.00\n");

    const struct {
        const char* what;
        std::function<int(std::FILE*, std::FILE*, std::FILE*)> command;
        bool sizeLimited; // the disk fills up after 64 KiB
        const char* message;
    } cases[] = {
        {"batch, the disk full",
         [&](std::FILE* i, std::FILE* o, std::FILE* e) {
             return et::cli::RunBatch({dir / "many.csv", dir / "out.csv"}, i, o, e);
         },
         true, "cannot write "},
        {"batch, an unclosed quote",
         [&](std::FILE* i, std::FILE* o, std::FILE* e) {
             return et::cli::RunBatch({dir / "unclosed.csv", dir / "out.csv"}, i, o, e);
         },
         false, "nothing written to "},
        {"table, the disk full",
         [&](std::FILE* i, std::FILE* o, std::FILE* e) {
             static_cast<void>(i);
             et::cli::TableOptions table;
             table.event = "1500 Free";
             table.from = "15:00.00";
             table.to = "25:00.00";
             table.step = "0.01";
             table.output = dir / "out.csv";
             return et::cli::RunTable(table, o, e);
         },
         true, "cannot write "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.Put("out.csv", "older output\n");
        rlimit before{};
        ::getrlimit(RLIMIT_FSIZE, &before);
        if (c.sizeLimited) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = before;
            limit.rlim_cur = 64 * 1024;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const Finished run = RunWith(c.command);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, SIG_DFL);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(c.message + (dir / "out.csv")), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(dir.Get("out.csv"), "older output\n");
        EXPECT_EQ(dir.Names(), (Names{"many.csv", "out.csv", "unclosed.csv"}));
    }

    // The same runs without the limit put the whole output in place.
    const Finished whole = RunWith(cases[0].command);
    EXPECT_EQ(whole.status, 0) << whole.err;
    const std::string converted = dir.Get("out.csv");
    EXPECT_EQ(std::count(converted.begin(), converted.end(), '\n'), 20001);
    EXPECT_EQ(RunWith(cases[2].command).status, 0);
    EXPECT_EQ(dir.Get("out.csv").substr(0, 30), "1500 Free, entered in 50 metre");
}

} // namespace

// equivtimes-cli batch stopped by Ctrl+C, SIGTERM or a closed terminal in the middle of a large
// entry list: it ends by that signal, leaves no partial output and no temporary file, and an
// older output of the same name keeps its content.
//
// The entry list arrives through a pipe that is kept open, so the program is certainly still
// running, with part of its output written, when the signal comes.
//
// Environment: EQUIVTIMES_CLI (the program to run).
#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using et::test::ScratchFolder;

// The size of the largest file in the folder other than the older output: the temporary one.
std::uintmax_t TemporarySize(const ScratchFolder& dir) {
    std::uintmax_t largest = 0;
    for (const std::string& name : dir.Names()) {
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(dir.path() / name, ec);
        if (name != "converted.csv" && !ec && size > largest) {
            largest = size;
        }
    }
    return largest;
}

TEST(BatchInterrupt, ASignalLeavesTheOlderOutputAndNothingElse) {
    const char* program = std::getenv("EQUIVTIMES_CLI");
    ASSERT_TRUE(program != nullptr && *program != '\0') << "EQUIVTIMES_CLI names no program";
    ::signal(SIGPIPE, SIG_IGN); // a program that dies early must fail the test, not end it

    std::string entries = "swimmer,pool,event,time\n";
    for (int i = 0; i < 100000; ++i) {
        entries += "swimmer " + std::to_string(i) + ",25m,200 IM,2:" + std::to_string(10 + i % 50) +
                   ".5" + std::to_string(i % 10) + "\n";
    }

    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signalNumber));
        ScratchFolder dir;
        dir.Put("converted.csv", "older output\n");

        std::array<int, 2> pipeEnds{};
        ASSERT_EQ(::pipe(pipeEnds.data()), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        // The program gets the signals' default actions even where ours are ignored.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (const int s : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&defaults, s);
        }
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

        std::string path = program;
        std::string batch = "batch";
        std::string dashO = "-o";
        std::string output = dir / "converted.csv";
        std::array<char*, 5> argv = {path.data(), batch.data(), dashO.data(), output.data(),
                                     nullptr};
        pid_t pid = 0;
        const int spawned =
            posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        ::close(pipeEnds[0]);
        ASSERT_EQ(spawned, 0);

        // The whole list goes in, the pipe stays open: the program waits for more, mid-output.
        std::size_t sent = 0;
        while (sent < entries.size()) {
            const ssize_t n = ::write(pipeEnds[1], entries.data() + sent, entries.size() - sent);
            if (n <= 0) {
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        EXPECT_EQ(sent, entries.size()) << "the program stopped reading";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (TemporarySize(dir) < (std::size_t{1} << 20) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_GE(TemporarySize(dir), std::size_t{1} << 20) << "no partial output to clean up";

        ::kill(pid, signalNumber);
        ::close(pipeEnds[1]);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber)
            << "exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        const std::string kept = dir.Get("converted.csv");
        EXPECT_EQ(kept.substr(0, 100), "older output\n") << kept.size() << " bytes";
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"converted.csv"});
    }
}

} // namespace

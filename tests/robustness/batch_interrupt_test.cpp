// equivtimes-cli batch stopped by Ctrl+C, SIGTERM or a closed terminal in the middle of a large
// entry list: it ends by that signal, leaves no partial output and no temporary file, and an
// older output of the same name keeps its content. The entry list arrives through a pipe kept
// open, so the program is certainly still running, part of its output written, when the signal
// comes. Environment: EQUIVTIMES_CLI (the program to run).
#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// The size of the temporary file, the only other file beside the older output.
std::uintmax_t TemporarySize(const et::test::ScratchFolder& dir) {
    std::error_code ec;
    for (const std::string& name : dir.Names()) {
        if (name != "converted.csv") {
            const std::uintmax_t size = std::filesystem::file_size(dir / name, ec);
            return ec ? 0 : size;
        }
    }
    return 0;
}

TEST(BatchInterrupt, ASignalLeavesTheOlderOutputAndNothingElse) {
    const char* program = std::getenv("EQUIVTIMES_CLI");
    ASSERT_TRUE(program != nullptr && *program != '\0') << "EQUIVTIMES_CLI names no program";
    std::signal(SIGPIPE, SIG_IGN); // a program that dies early fails the test, not ends it
    std::string entries = "swimmer,pool,event,time\n";
    for (int i = 0; i < 100000; ++i) {
        entries += std::to_string(i) + ",25m,200 IM,2:" + std::to_string(10 + i % 50) + ".55\n";
    }

    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signalNumber));
        et::test::ScratchFolder dir;
        dir.Put("converted.csv", "older output\n");
        const std::string output = dir / "converted.csv";
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::dup2(ends[0], STDIN_FILENO);
            ::close(ends[1]);
            ::dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
            for (const int s : {SIGINT, SIGTERM, SIGHUP}) {
                std::signal(s, SIG_DFL); // even where the test's own are ignored
            }
            ::execl(program, program, "batch", "-o", output.c_str(), nullptr);
            ::_exit(127);
        }
        ::close(ends[0]);
        std::size_t sent = 0;
        while (sent < entries.size()) {
            const ssize_t n = ::write(ends[1], entries.data() + sent, entries.size() - sent);
            if (n <= 0) {
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
        EXPECT_EQ(sent, entries.size()) << "the program stopped reading";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (TemporarySize(dir) < (1u << 20) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_GE(TemporarySize(dir), 1u << 20) << "no partial output to clean up";

        ::kill(pid, signalNumber);
        ::close(ends[1]);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
        const std::string kept = dir.Get("converted.csv");
        EXPECT_EQ(kept.substr(0, 100), "older output\n") << kept.size() << " bytes";
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"converted.csv"});
    }
}

} // namespace

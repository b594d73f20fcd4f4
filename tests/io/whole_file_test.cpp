#include "io/whole_file.hpp"

#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using et::io::SameFile;
using et::io::WholeFileWriter;
using et::io::WriteWholeFile;
using et::test::ScratchFolder;
using Names = std::vector<std::string>;

TEST(SameFile, FollowsLinksToTheFileItself) {
    ScratchFolder dir;
    dir.Put("entries.csv", "pool,event,time\n");
    dir.Put("other.csv", "pool,event,time\n"); // same content, another file
    std::filesystem::create_symlink(dir / "entries.csv", dir / "link.csv");
    std::filesystem::create_symlink(dir / "link.csv", dir / "link-to-link.csv");
    std::filesystem::create_hard_link(dir / "entries.csv", dir / "hard.csv");
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::create_symlink(dir / "gone.csv", dir / "dangling.csv");

    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"entries.csv", "entries.csv", true}, {"entries.csv", "sub/../entries.csv", true},
        {"entries.csv", "link.csv", true},    {"link-to-link.csv", "entries.csv", true},
        {"hard.csv", "entries.csv", true},    {"hard.csv", "link.csv", true},
        {"entries.csv", "other.csv", false},  {"entries.csv", "gone.csv", false},
        {"gone.csv", "gone.csv", false},      {"dangling.csv", "gone.csv", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameFile(dir / c.a, dir / c.b), c.same) << c.a << " and " << c.b;
        EXPECT_EQ(SameFile(dir / c.b, dir / c.a), c.same) << c.b << " and " << c.a;
    }
}

TEST(WriteWholeFile, WritesNewAndOldFilesAndKeepsLinks) {
    ScratchFolder dir;
    dir.Put("old.csv", "old content\n");
    dir.Put("real.csv", "old content\n");
    std::filesystem::create_symlink(dir / "real.csv", dir / "link.csv");
    const mode_t umaskBefore = ::umask(027);

    const struct {
        const char* name;
        const char* writtenTo; // where the content lands
    } cases[] = {{"new.csv", "new.csv"}, {"old.csv", "old.csv"}, {"link.csv", "real.csv"}};
    for (const auto& c : cases) {
        const std::string content = std::string("written as ") + c.name + "\n";
        EXPECT_EQ(WriteWholeFile(dir / c.name, content), "") << c.name;
        EXPECT_EQ(dir.Get(c.writtenTo), content) << c.name;
        struct stat st {};
        ASSERT_EQ(::stat((dir / c.writtenTo).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0640u) << c.name << ": the mode the umask gives a new file";
    }
    ::umask(umaskBefore);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv")) << "the link stays a link";
    EXPECT_EQ(dir.Names(), (Names{"link.csv", "new.csv", "old.csv", "real.csv"}));
    // A device is written straight through, never replaced.
    EXPECT_EQ(WriteWholeFile("/dev/null", "anything"), "");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST(WriteWholeFile, AFailureLeavesTheOldFileAndNoTemporary) {
    ScratchFolder dir;
    dir.Put("out.csv", "old content\n");
    std::filesystem::create_directory(dir / "folder.csv");
    const std::string big(std::size_t{1} << 20, 'x');

    // A file size limit makes the write fail in mid-file, as a full disk does, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit limit = before;
    limit.rlim_cur = 64 * 1024;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string tooBig = WriteWholeFile(dir / "out.csv", big);
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_NE(tooBig.find(dir / "out.csv"), std::string::npos) << tooBig;

    const std::string noFolder = WriteWholeFile(dir / "missing/out.csv", "x");
    EXPECT_NE(noFolder.find(dir / "missing/out.csv"), std::string::npos) << noFolder;
    const std::string aFolder = WriteWholeFile(dir / "folder.csv", "x");
    EXPECT_NE(aFolder.find(dir / "folder.csv"), std::string::npos) << aFolder;
    const std::string full = WriteWholeFile("/dev/full", "x");
    EXPECT_NE(full.find("/dev/full"), std::string::npos) << full;

    EXPECT_EQ(dir.Get("out.csv"), "old content\n");
    EXPECT_EQ(dir.Names(), (Names{"folder.csv", "out.csv"}));
}

TEST(WholeFileWriter, NothingAppearsUntilCommitAndNothingWithoutIt) {
    ScratchFolder dir;
    dir.Put("out.csv", "old content\n");
    {
        WholeFileWriter writer;
        ASSERT_EQ(writer.Open(dir / "out.csv"), "");
        ASSERT_EQ(writer.Open(dir / "new.csv"), ""); // opening again gives up the first
        for (int i = 0; i < 20000; ++i) {
            ASSERT_TRUE(writer.Write("a row of the converted entry list\n"));
        }
        EXPECT_EQ(dir.Get("new.csv"), "<missing>");
        EXPECT_EQ(dir.Names().size(), 2u) << "the old file and one temporary";
    } // destroyed without Commit
    EXPECT_EQ(dir.Get("out.csv"), "old content\n");
    EXPECT_EQ(dir.Names(), (Names{"out.csv"}));

    WholeFileWriter writer;
    ASSERT_EQ(writer.Open(dir / "out.csv"), "");
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string row = std::to_string(i) + ",25m,100 Free,1:00.00\n";
        writer.Write(row);
        expected += row;
    }
    writer.Write(std::string(std::size_t{1} << 17, 'y')); // larger than any buffer
    expected += std::string(std::size_t{1} << 17, 'y');
    EXPECT_EQ(writer.Commit(), "");
    EXPECT_EQ(dir.Get("out.csv"), expected);
    EXPECT_EQ(dir.Names(), (Names{"out.csv"}));
}

// A process stopped by a signal while its temporary file exists leaves only the old file, and
// still ends by that signal.
TEST(WholeFileWriter, AnInterruptedProcessLeavesNoTemporary) {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        ::sigaction(signalNumber, nullptr, &current);
        if (current.sa_handler == SIG_IGN) {
            continue; // an ignored signal (nohup) stays ignored, and cannot stop the process
        }
        ScratchFolder dir;
        dir.Put("out.csv", "old content\n");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            WholeFileWriter writer;
            writer.Open(dir / "out.csv");
            writer.Write(std::string(std::size_t{1} << 17, 'p'));
            if (dir.Names().size() != 2) {
                ::_exit(3); // no temporary to clean up: the test would prove nothing
            }
            ::kill(::getpid(), signalNumber);
            ::_exit(4);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signalNumber << ": exit status "
                                         << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        EXPECT_EQ(WTERMSIG(status), signalNumber);
        EXPECT_EQ(dir.Get("out.csv"), "old content\n");
        EXPECT_EQ(dir.Names(), (Names{"out.csv"})) << "signal " << signalNumber;
    }
}

} // namespace

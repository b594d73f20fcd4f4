// Output files whole or absent. An interrupted writer is tried end to end on equivtimes-cli in
// tests/robustness/batch_interrupt_test.cpp.
#include "io/whole_file.hpp"

#include "support/scratch_folder.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using et::io::SameFile;
using et::io::WriteWholeFile;
using et::test::ScratchFolder;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(SameFile, FollowsLinksToTheFileItself) {
    ScratchFolder dir;
    dir.Put("entries.csv", "pool,event,time\n");
    dir.Put("other.csv", "pool,event,time\n"); // same content, another file
    fs::create_symlink(dir / "entries.csv", dir / "link.csv");
    fs::create_symlink(dir / "link.csv", dir / "link-to-link.csv");
    fs::create_hard_link(dir / "entries.csv", dir / "hard.csv");
    fs::create_directory(dir / "sub");

    const struct {
        const char* other;
        bool same;
    } cases[] = {{"entries.csv", true},      {"sub/../entries.csv", true}, {"link.csv", true},
                 {"link-to-link.csv", true}, {"hard.csv", true},           {"other.csv", false},
                 {"gone.csv", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(SameFile(dir / "entries.csv", dir / c.other), c.same) << c.other;
        EXPECT_EQ(SameFile(dir / c.other, dir / "entries.csv"), c.same) << c.other;
    }
    EXPECT_FALSE(SameFile(dir / "gone.csv", dir / "gone.csv"));
}

TEST(WriteWholeFile, WritesNewAndOldFilesAndKeepsLinks) {
    ScratchFolder dir;
    dir.Put("old.csv", "old content\n");
    dir.Put("real.csv", "old content\n");
    fs::create_symlink(dir / "real.csv", dir / "link.csv");
    const mode_t umaskBefore = ::umask(027);
    const struct {
        const char* name;
        const char* writtenTo;
    } cases[] = {{"new.csv", "new.csv"}, {"old.csv", "old.csv"}, {"link.csv", "real.csv"}};
    for (const auto& c : cases) {
        EXPECT_EQ(WriteWholeFile(dir / c.name, c.name), "");
        EXPECT_EQ(dir.Get(c.writtenTo), c.name);
        EXPECT_EQ(fs::status(dir / c.writtenTo).permissions(), fs::perms(0640)) << c.name;
    }
    ::umask(umaskBefore);
    EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
    EXPECT_EQ(dir.Names(), (Names{"link.csv", "new.csv", "old.csv", "real.csv"}));
    // A device is written straight through, never replaced.
    EXPECT_EQ(WriteWholeFile("/dev/null", "anything"), "");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(WriteWholeFile, AFailureLeavesTheOldFileAndNoTemporary) {
    ScratchFolder dir;
    dir.Put("out.csv", "old content\n");
    fs::create_directory(dir / "folder.csv");
    std::string tooBig;
    {
        et::test::FileSizeLimit limit;
        tooBig = WriteWholeFile(dir / "out.csv", std::string(std::size_t{1} << 20, 'x'));
    }
    for (const auto& [error, name] : {std::pair{tooBig, dir / "out.csv"},
                                      {WriteWholeFile(dir / "no/out.csv", "x"), dir / "no/out.csv"},
                                      {WriteWholeFile(dir / "folder.csv", "x"), dir / "folder.csv"},
                                      {WriteWholeFile("/dev/full", "x"), "/dev/full"}}) {
        EXPECT_TRUE(error.starts_with("cannot write " + name + ": ")) << error;
    }
    {
        et::io::WholeFileWriter unfinished;
        ASSERT_EQ(unfinished.Open(dir / "out.csv"), "");
        EXPECT_TRUE(unfinished.Write("new content\n"));
        EXPECT_EQ(dir.Names().size(), 3u) << "the temporary file beside the old one";
    } // destroyed without Commit
    EXPECT_EQ(dir.Get("out.csv"), "old content\n");
    EXPECT_EQ(dir.Names(), (Names{"folder.csv", "out.csv"}));
}

} // namespace

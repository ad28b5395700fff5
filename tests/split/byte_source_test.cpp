#include "split/byte_source.h"

#include "special_files.h"
#include "split/cut_finder.h"
#include "split_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace qytxt::split {
namespace {

namespace fs = std::filesystem;
using qytxt::testing::readBytes;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;
using testing::gbkPath;

TEST(FileSource, OpensOnlyReadableRegularFiles)
{
    TempDir dir;
    writeBytes(dir.file("empty.txt"), "");
    EXPECT_FALSE(FileSource::open(""));
    EXPECT_FALSE(FileSource::open(gbkPath(dir.file("missing.txt"))));
    EXPECT_FALSE(FileSource::open(gbkPath(dir.path())));
    // Neither waits: a pipe nobody writes to, a device that never ends.
    const qytxt::testing::UnwrittenFifo fifo(dir.file("fifo.txt"));
    EXPECT_FALSE(FileSource::open(gbkPath(fifo.path())));
    EXPECT_FALSE(fifo.rescued());
    EXPECT_FALSE(FileSource::open("/dev/zero"));
    const std::optional<FileSource> empty = FileSource::open(gbkPath(dir.file("empty.txt")));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->size(), 0);
}

TEST(FileSource, ReadsAreClippedAtTheEnd)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), std::string("ab\0cd", 5));
    FileSource source = FileSource::open(gbkPath(dir.file("a.txt"))).value();
    EXPECT_EQ(source.read(1, 3), std::string("b\0c", 3));
    EXPECT_EQ(source.read(3, 100), "cd");
    EXPECT_EQ(source.read(5, 1), "");
    EXPECT_EQ(source.read(6, 1), std::nullopt);
}

TEST(FileSource, CopiesRangesIntoNewOrEmptiedFiles)
{
    TempDir dir;
    std::mt19937 random(1);
    const std::string bytes = testing::randomBytes(random, 3 << 20); // past the copy buffer's size
    writeBytes(dir.file("a.txt"), bytes);
    writeBytes(dir.file("old.txt"), std::string(5 << 20, 'x'));
    FileSource source = FileSource::open(gbkPath(dir.file("a.txt"))).value();

    const struct {
        const char* name;
        std::int64_t begin;
        std::int64_t end;
    } ranges[] = {{"whole.txt", 0, static_cast<std::int64_t>(bytes.size())},
                  {"middle.txt", 12345, 2'500'000},
                  {"nothing.txt", 77, 77},
                  {"old.txt", 1, 3}};
    core::FileCopier copier;
    for (const auto& range : ranges) {
        EXPECT_EQ(source.copyTo(copier, gbkPath(dir.file(range.name)), range.begin, range.end),
                  FileSource::Copy::Copied)
            << range.name;
        EXPECT_EQ(readBytes(dir.file(range.name)), bytes.substr(static_cast<std::size_t>(range.begin),
                                                                static_cast<std::size_t>(range.end - range.begin)))
            << range.name;
    }
}

TEST(FileSource, CopyFailuresAreReported)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), "abcdefgh");
    FileSource source = FileSource::open(gbkPath(dir.file("a.txt"))).value();
    core::FileCopier copier;
    fs::create_directory(dir.file("folder"));
    EXPECT_EQ(source.copyTo(copier, gbkPath(dir.file("folder")), 0, 4), FileSource::Copy::Failed);
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    EXPECT_EQ(source.copyTo(copier, gbkPath(dir.file("none") / "a.txt"), 0, 4), FileSource::Copy::Failed);
    const qytxt::testing::UnwrittenFifo fifo(dir.file("fifo.txt"));
    EXPECT_EQ(source.copyTo(copier, gbkPath(fifo.path()), 0, 4), FileSource::Copy::Failed);
    EXPECT_FALSE(fifo.rescued()) << "waited for a reader";
    EXPECT_TRUE(fs::is_fifo(fifo.path()));

    // Another program cuts the source short after it was opened: the part cannot be complete, and
    // is not left behind as if it were.
    fs::resize_file(dir.file("a.txt"), 3);
    EXPECT_EQ(source.copyTo(copier, gbkPath(dir.file("part.txt")), 0, 8), FileSource::Copy::Failed);
    EXPECT_FALSE(fs::exists(dir.file("part.txt")));
}

TEST(FileSource, StopBetweenPiecesRemovesTheUnfinishedPart)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), std::string(20 << 20, 'a')); // three pieces
    writeBytes(dir.file("part.txt"), "an older part");
    FileSource source = FileSource::open(gbkPath(dir.file("a.txt"))).value();
    core::FileCopier copier;
    for (int stopAt : {1, 2, 3}) {
        int asked = 0;
        EXPECT_EQ(
            source.copyTo(copier, gbkPath(dir.file("part.txt")), 0, source.size(), [&] { return ++asked == stopAt; }),
            FileSource::Copy::Stopped);
        EXPECT_EQ(asked, stopAt);
        EXPECT_FALSE(fs::exists(dir.file("part.txt"))) << stopAt;
    }
    int asked = 0;
    EXPECT_EQ(source.copyTo(copier, gbkPath(dir.file("part.txt")), 0, source.size(), [&] { return ++asked > 3; }),
              FileSource::Copy::Copied);
    EXPECT_EQ(fs::file_size(dir.file("part.txt")), 20u << 20);
}

TEST(CutFinder, ScanFailsWhenTheSourceShrank)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), std::string(5000, 'a'));
    FileSource source = FileSource::open(gbkPath(dir.file("a.txt"))).value();
    fs::resize_file(dir.file("a.txt"), 100);
    EXPECT_FALSE(CutFinder::scan(source));
}

} // namespace
} // namespace qytxt::split

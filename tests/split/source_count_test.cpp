#include "split/source_count.h"

#include "named_case.h"
#include "split_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace qytxt::split {
namespace {

using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;
using testing::gbkPath;

// Sets the file's modification time, to the nanosecond.
void setModified(const std::filesystem::path& path, const FileStamp& stamp)
{
    const timespec times[2] = {
        {0, UTIME_OMIT}, {static_cast<time_t>(stamp.modifiedSeconds), static_cast<long>(stamp.modifiedNanoseconds)}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct ChangeCase : qytxt::testing::NamedCase {
    // Changes the counted file; every row but the first puts its modification time back, so that
    // only the one fact the row is about tells the change.
    std::function<void(const std::filesystem::path& file, const FileStamp& counted)> change;
    bool reused;
};

class SourceCountCacheTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(SourceCountCacheTest, ReusesACountOnlyForTheSameFile)
{
    const ChangeCase& c = GetParam();
    TempDir dir;
    const auto file = dir.file("小说.txt");
    writeBytes(file, "abcdef");
    const core::Text path = gbkPath(file);
    const std::optional<FileStamp> counted = stampFile(path);
    ASSERT_TRUE(counted);
    SourceCountCache cache;
    cache.store(path, *counted, TextCount{core::TextEncoding::Gbk, 0, 12});

    c.change(file, *counted);
    const std::optional<FileStamp> now = stampFile(path);
    ASSERT_TRUE(now);
    const std::optional<TextCount> found = cache.find(path, *now);
    ASSERT_EQ(found.has_value(), c.reused);
    if (found) {
        EXPECT_EQ(found->fullWidthLength, 12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SourceCountCacheTest,
    ::testing::Values(ChangeCase{"Unchanged", [](const std::filesystem::path&, const FileStamp&) {}, true},
                      ChangeCase{"GrownWithTimeKept",
                                 [](const std::filesystem::path& file, const FileStamp& counted) {
                                     writeBytes(file, "abcdefg");
                                     setModified(file, counted);
                                 },
                                 false},
                      ChangeCase{"TouchedWithinTheSecond",
                                 [](const std::filesystem::path& file, const FileStamp& counted) {
                                     FileStamp later = counted;
                                     later.modifiedNanoseconds = (counted.modifiedNanoseconds + 1) % 1000000000;
                                     setModified(file, later);
                                 },
                                 false},
                      ChangeCase{"TouchedASecondLater",
                                 [](const std::filesystem::path& file, const FileStamp& counted) {
                                     FileStamp later = counted;
                                     ++later.modifiedSeconds;
                                     setModified(file, later);
                                 },
                                 false},
                      // Another file of the same size and time moved over it: only its inode tells.
                      ChangeCase{"ReplacedBySameSizeAndTime",
                                 [](const std::filesystem::path& file, const FileStamp& counted) {
                                     const auto other = file.parent_path() / "other.txt";
                                     writeBytes(other, "uvwxyz");
                                     setModified(other, counted);
                                     std::filesystem::rename(other, file);
                                 },
                                 false}),
    qytxt::testing::CaseName());

TEST(SourceCountCache, KeepsTheLastFewFiles)
{
    SourceCountCache cache(2);
    const FileStamp stamp{1, 2, 3, 4, 5};
    cache.store("a", stamp, TextCount{core::TextEncoding::Gbk, 0, 1});
    cache.store("b", stamp, TextCount{core::TextEncoding::Gbk, 0, 2});
    cache.store("a", stamp, TextCount{core::TextEncoding::Gbk, 0, 3}); // a newer count of "a" replaces the older
    EXPECT_EQ(cache.find("a", stamp)->fullWidthLength, 3);
    EXPECT_EQ(cache.find("b", stamp)->fullWidthLength, 2);
    cache.store("c", stamp, TextCount{core::TextEncoding::Gbk, 0, 4}); // full: the oldest, "b", goes
    EXPECT_FALSE(cache.find("b", stamp));
    EXPECT_EQ(cache.find("a", stamp)->fullWidthLength, 3);
    EXPECT_EQ(cache.find("c", stamp)->fullWidthLength, 4);
}

// A count taken while the file was being written describes no one version of it.
TEST(CountSource, FileChangedSinceItsStampIsNotReused)
{
    TempDir dir;
    const auto file = dir.file("a.txt");
    writeBytes(file, "abcdef");
    const core::Text path = gbkPath(file);
    const FileStamp stamp = *stampFile(path);
    EXPECT_TRUE(countSource(path, stamp).reusable);
    writeBytes(file, "abc");
    const SourceCount changed = countSource(path, stamp);
    ASSERT_TRUE(changed.count);
    EXPECT_EQ(changed.count->fullWidthLength, 6);
    EXPECT_FALSE(changed.reusable);
}

} // namespace
} // namespace qytxt::split

#include "core/file_copy.h"

#include "core/unique_fd.h"
#include "named_case.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <tuple>
#include <unistd.h>

namespace qytxt::core {
namespace {

using testing::TempDir;
using testing::writeBytes;

constexpr std::int64_t kMiB = std::int64_t{1} << 20;

// Bytes repeating every 251 (a prime), so that a piece copied twice, skipped or out of place, at
// any power-of-two size, shows.
std::string countingBytes(std::int64_t size)
{
    std::string bytes;
    for (int i = 0; i < 251; ++i)
        bytes.push_back(static_cast<char>(i));
    while (static_cast<std::int64_t>(bytes.size()) < size)
        bytes += bytes;
    bytes.resize(static_cast<std::size_t>(size));
    return bytes;
}

// The source and the target of one copy. A target opened for appending is one the kernel refuses
// to copy into, so it takes the buffer.
struct Files {
    TempDir dir;
    std::string bytes;
    UniqueFd source;
    UniqueFd target;

    Files(std::int64_t size, bool kernel) : bytes(countingBytes(size))
    {
        writeBytes(dir.file("source"), bytes);
        writeBytes(dir.file("target"), "kept:");
        source = UniqueFd(::open(dir.file("source").c_str(), O_RDONLY | O_CLOEXEC));
        target = UniqueFd(::open(dir.file("target").c_str(), O_WRONLY | O_CLOEXEC | (kernel ? 0 : O_APPEND)));
        ::lseek(target.get(), 5, SEEK_SET);
    }
    std::string copied() const
    {
        std::string all(std::filesystem::file_size(dir.file("target")), '\0');
        std::ifstream(dir.file("target"), std::ios::binary).read(all.data(), static_cast<std::streamsize>(all.size()));
        return all.substr(5);
    }
};

struct RangeCase : qytxt::testing::NamedCase {
    std::int64_t size;
    std::int64_t begin;
    std::int64_t end;
    CopyStatus status;
    std::int64_t copied;
};

class FileCopierRanges : public ::testing::TestWithParam<std::tuple<RangeCase, bool>> {};

TEST_P(FileCopierRanges, CopyExactlyTheRange)
{
    const auto& [c, kernel] = GetParam();
    Files files(c.size, kernel);
    FileCopier copier;

    const CopyResult result = copier.copy(files.source.get(), c.begin, c.end, files.target.get());

    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.copied, c.copied);
    EXPECT_EQ(files.copied(),
              files.bytes.substr(static_cast<std::size_t>(c.begin), static_cast<std::size_t>(c.copied)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ranges, FileCopierRanges, ::testing::Combine(::testing::Values(
    RangeCase{"Nothing", 10, 4, 4, CopyStatus::Copied, 0},
    RangeCase{"Middle", 10, 3, 7, CopyStatus::Copied, 4},
    RangeCase{"PastBufferAndPieceEdges", 9 * kMiB + 3, 5, 9 * kMiB + 3, CopyStatus::Copied, 9 * kMiB - 2},
    RangeCase{"SourceEndsInside", 3 * kMiB, kMiB, 5 * kMiB, CopyStatus::SourceEnded, 2 * kMiB}
), ::testing::Bool()), [](const auto& row) {
    return std::string(std::get<0>(row.param).name) + (std::get<1>(row.param) ? "ByKernel" : "ThroughBuffer");
});
// clang-format on

// Wants every byte until it has seen `wanted` of them.
struct PrefixWatcher final : CopyWatcher {
    explicit PrefixWatcher(std::int64_t limit) : wanted(limit) {}
    bool wantsBytes() const override { return static_cast<std::int64_t>(seen.size()) < wanted; }
    void see(std::string_view bytes) override { seen.append(bytes); }

    std::int64_t wanted;
    std::string seen;
};

class FileCopierWatched : public ::testing::TestWithParam<std::tuple<std::int64_t, bool>> {};

// The watcher sees the range's first bytes in order, at most one buffer beyond what it wanted, and
// the copy goes on from where it stopped watching.
TEST_P(FileCopierWatched, SeesTheFirstBytesAndTheRestIsCopiedAlike)
{
    const auto& [wanted, kernel] = GetParam();
    constexpr std::int64_t kBegin = 5;
    constexpr std::int64_t kEnd = 3 * kMiB + 7;
    Files files(kEnd + 2, kernel);
    FileCopier copier;
    PrefixWatcher watcher(wanted);

    const CopyResult result = copier.copy(files.source.get(), kBegin, kEnd, files.target.get(), {}, &watcher);

    EXPECT_EQ(result.status, CopyStatus::Copied);
    EXPECT_EQ(files.copied(), files.bytes.substr(kBegin, kEnd - kBegin));
    const auto seen = static_cast<std::int64_t>(watcher.seen.size());
    EXPECT_GE(seen, std::min(wanted, kEnd - kBegin));
    EXPECT_LT(seen, wanted + kMiB);
    EXPECT_EQ(watcher.seen, files.bytes.substr(kBegin, watcher.seen.size()));
}

INSTANTIATE_TEST_SUITE_P(Prefixes, FileCopierWatched,
                         ::testing::Combine(::testing::Values(0, 1, kMiB + 1, 4 * kMiB), ::testing::Bool()),
                         [](const auto& row) {
                             return "Wants" + std::to_string(std::get<0>(row.param)) +
                                    (std::get<1>(row.param) ? "ByKernel" : "ThroughBuffer");
                         });

class FileCopierStops : public ::testing::TestWithParam<bool> {};

TEST_P(FileCopierStops, BetweenPiecesWithWholePiecesWritten)
{
    Files files(17 * kMiB, GetParam());
    FileCopier copier;
    int asked = 0;

    const CopyResult result =
        copier.copy(files.source.get(), 0, 17 * kMiB, files.target.get(), [&] { return ++asked == 3; });

    EXPECT_EQ(result.status, CopyStatus::Stopped);
    EXPECT_EQ(asked, 3);
    EXPECT_GT(result.copied, 0);
    EXPECT_LT(result.copied, 17 * kMiB);
    EXPECT_EQ(files.copied(), files.bytes.substr(0, static_cast<std::size_t>(result.copied)));
}

INSTANTIATE_TEST_SUITE_P(Ways, FileCopierStops, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "ByKernel" : "ThroughBuffer"; });

TEST(FileCopier, ReadAndWriteFailuresAreToldApart)
{
    Files files(3 * kMiB, true);
    FileCopier copier;
    const UniqueFd full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
    if (!full.isValid())
        GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(copier.copy(files.source.get(), 0, 3 * kMiB, full.get()).status, CopyStatus::WriteFailed);
    // A descriptor that may not be read.
    EXPECT_EQ(copier.copy(files.target.get(), 0, 3, files.target.get()).status, CopyStatus::ReadFailed);
}

} // namespace
} // namespace qytxt::core

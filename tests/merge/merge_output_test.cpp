#include "merge/merge_output.h"

#include "core/encoding.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace qytxt::merge {
namespace {

using qytxt::testing::readBytes;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;

core::Text gbkPath(const std::filesystem::path& path)
{
    return core::utf8ToGbk(path.string()).value();
}

// An input cut off inside (stopped between pieces, or unreadable part way) leaves no trace, and the
// next input follows the last whole one.
TEST(MergeOutput, InputStoppedBetweenPiecesLeavesNoTrace)
{
    TempDir dir;
    writeBytes(dir.file("first.txt"), "first|");
    writeBytes(dir.file("big.txt"), std::string(17 << 20, 'b')); // three pieces
    const auto never = [] { return false; };
    for (const int stopAt : {1, 2, 3}) {
        SCOPED_TRACE(stopAt);
        MergeOutput output = MergeOutput::create(gbkPath(dir.file("out.txt"))).value();
        EXPECT_EQ(output.append(gbkPath(dir.file("first.txt")), never), MergeOutput::Append::Appended);
        int asked = 0;
        EXPECT_EQ(output.append(gbkPath(dir.file("big.txt")), [&] { return ++asked == stopAt; }),
                  MergeOutput::Append::Stopped);
        EXPECT_EQ(asked, stopAt);
        EXPECT_EQ(output.append(gbkPath(dir.file("first.txt")), never), MergeOutput::Append::Appended);
        EXPECT_TRUE(output.commit());
        EXPECT_EQ(readBytes(dir.file("out.txt")), "first|first|");
    }
}

} // namespace
} // namespace qytxt::merge

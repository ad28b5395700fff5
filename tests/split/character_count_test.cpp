#include "split/character_count.h"

#include "named_case.h"
#include "split_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qytxt::split {
namespace {

using testing::gbk;
using testing::gbkPath;
using testing::randomBytes;
using testing::referenceFullWidthLength;

struct LengthCase : qytxt::testing::NamedCase {
    std::string bytes;
    std::int64_t fullWidth;
};

class FullWidthLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(FullWidthLengthTest, CountsEachKindOfByte)
{
    const LengthCase& c = GetParam();
    EXPECT_EQ(fullWidthLength(c.bytes), c.fullWidth);
    EXPECT_EQ(referenceFullWidthLength(c.bytes), c.fullWidth);
}

INSTANTIATE_TEST_SUITE_P(Texts, FullWidthLengthTest,
                         ::testing::Values(LengthCase{"Empty", "", 0}, LengthCase{"PrintableAscii", "Ab ~", 8},
                                           LengthCase{"CrLfIsOneCharacter", "\r\n", 2},
                                           LengthCase{"LoneLineFeedIsHalf", "\n", 1},
                                           LengthCase{"ZeroByteIsHalf", std::string("a\0b", 3), 5},
                                           LengthCase{"DeleteIsControl", "\x7F", 1},
                                           LengthCase{"TwoByteCharacter", "\xB7\xD6", 2},
                                           LengthCase{"SecondByteMayBeAscii", "\x81\x41\x41", 4},
                                           LengthCase{"SecondByteMayBeControl", "\x81\n\n", 3},
                                           LengthCase{"LoneLeadAtEndCountsNothing", "ab\x81", 4},
                                           LengthCase{"OddRunOfLeadsPairsWithFollowingAscii",
                                                      "\x81\x82\x83"
                                                      "A"
                                                      "B",
                                                      6},
                                           LengthCase{"FullWidthPunctuationAndStars", gbk("，　☆★！"), 10}),
                         qytxt::testing::CaseName());

// Every length around the block size, with runs of lead bytes of every parity crossing block edges.
TEST(CharacterCounter, MatchesReferenceOnRandomTextsOfEveryLength)
{
    std::mt19937 random(2026);
    for (std::size_t length = 0; length <= 300; ++length) {
        for (int round = 0; round < 8; ++round) {
            const std::string bytes = randomBytes(random, length);
            ASSERT_EQ(fullWidthLength(bytes), referenceFullWidthLength(bytes)) << "length " << length;
        }
    }
}

// Feeding in two pieces split at every offset must not change the result: the state carried between
// pieces (and between 64-byte blocks) is the whole story.
TEST(CharacterCounter, PiecesSplitAtEveryOffsetGiveTheSameCount)
{
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const std::string bytes = randomBytes(random, 260);
        const std::int64_t expected = referenceFullWidthLength(bytes);
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            CharacterCounter counter;
            counter.feed(std::string_view(bytes).substr(0, cut));
            counter.feed(std::string_view(bytes).substr(cut));
            ASSERT_EQ(counter.fullWidthLength(), expected) << "cut at " << cut;
            ASSERT_EQ(counter.characterCount(), expected / 2);
        }
    }
}

TEST(CharacterCounter, LargeRandomTextsInRandomPieces)
{
    std::mt19937 random(11);
    for (int round = 0; round < 12; ++round) {
        const std::string bytes = randomBytes(random, 200'000 + random() % 1000);
        const std::int64_t expected = referenceFullWidthLength(bytes);
        ASSERT_EQ(fullWidthLength(bytes), expected);
        CharacterCounter counter;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t piece = std::min<std::size_t>(random() % 5000, bytes.size() - at);
            counter.feed(std::string_view(bytes).substr(at, piece));
            at += piece;
        }
        ASSERT_EQ(counter.fullWidthLength(), expected);
    }
}

TEST(FileFullWidthLength, CountsTheWholeFileAcrossReadChunks)
{
    qytxt::testing::TempDir dir;
    std::mt19937 random(5);
    // Longer than one read chunk, with a zero byte early on: nothing after it may be dropped.
    std::string bytes = std::string("\0", 1) + randomBytes(random, (1 << 20) * 2 + 777);
    qytxt::testing::writeBytes(dir.file("novel.txt"), bytes);
    EXPECT_EQ(fileFullWidthLength(gbkPath(dir.file("novel.txt"))), referenceFullWidthLength(bytes));

    qytxt::testing::writeBytes(dir.file("empty.txt"), "");
    EXPECT_EQ(fileFullWidthLength(gbkPath(dir.file("empty.txt"))), 0);
}

TEST(FileFullWidthLength, NothingForWhatCannotBeRead)
{
    qytxt::testing::TempDir dir;
    EXPECT_EQ(fileFullWidthLength(""), std::nullopt);
    EXPECT_EQ(fileFullWidthLength(gbkPath(dir.file("missing.txt"))), std::nullopt);
    EXPECT_EQ(fileFullWidthLength(gbkPath(dir.path())), std::nullopt);
}

} // namespace
} // namespace qytxt::split

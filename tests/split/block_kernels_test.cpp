#include "named_case.h"
#include "split/gbk_blocks.h"
#include "split/split_test_support.h"
#include "split/utf16_blocks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qytxt::split {
namespace {

using testing::randomBytes;

// Some texts fill a whole number of blocks; the kernels are handed only whole blocks.
std::string wholeBlocks(std::string bytes)
{
    bytes.resize(bytes.size() / gbk::kBlock * gbk::kBlock);
    return bytes;
}

struct KernelCase : qytxt::testing::NamedCase {
    std::string (*make)(std::mt19937& random);
};

// Bytes next to every edge the kernels draw, in long runs that end on either side of block edges.
std::string edgeBytes(std::mt19937& random)
{
    static constexpr unsigned char kBytes[] = {0x00, 0x1F, 0x20, 0x7E, 0x7F, 0x80, 0x81, 0xD8, 0xDC, 0xFE, 0xFF};
    std::string bytes;
    while (bytes.size() < 16 * gbk::kBlock)
        bytes.append(1 + random() % 70, static_cast<char>(kBytes[random() % sizeof kBytes]));
    return bytes;
}

// High bytes in odd runs that start and end a byte either side of the block edges.
std::string oddRunsAcrossEdges(std::mt19937& random)
{
    std::string bytes;
    while (bytes.size() < 16 * gbk::kBlock) {
        const std::size_t toEdge = gbk::kBlock - bytes.size() % gbk::kBlock;
        bytes.append(toEdge + gbk::kBlock - 1 - random() % 2, 'a');
        bytes.append(2 * (random() % 40) + 1, static_cast<char>(0x80 + random() % 128));
    }
    return bytes;
}

std::string novelBytes(std::mt19937& random)
{
    return randomBytes(random, 16 * gbk::kBlock + random() % gbk::kBlock);
}

// UTF-16 units chosen to sit at the edges of control, surrogate and swapped-byte readings.
std::string edgeUnits(std::mt19937& random)
{
    static constexpr unsigned kUnits[] = {0x0000, 0x001F, 0x0020, 0x007E, 0x007F, 0x0080, 0x1F00, 0x7F00, 0x00D8,
                                          0xD7FF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xE000, 0x4E09, 0xFFFF};
    std::string bytes;
    while (bytes.size() < 16 * utf16::kBlock) {
        const unsigned unit = kUnits[random() % std::size(kUnits)];
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

class BlockKernelTest : public ::testing::TestWithParam<KernelCase> {};

// Every kernel this processor runs must see each block exactly as the one-byte-at-a-time reading.
TEST_P(BlockKernelTest, GbkKernelsAgreeWithOneByteAtATime)
{
    std::mt19937 random(23);
    for (int round = 0; round < 40; ++round) {
        const std::string bytes = wholeBlocks(GetParam().make(random));
        const std::size_t blocks = bytes.size() / gbk::kBlock;
        for (const auto& [name, kernel] : gbk::maskKernels()) {
            std::vector<gbk::BlockMasks> masks(blocks);
            kernel(bytes.data(), blocks, masks.data());
            for (std::size_t block = 0; block < blocks; ++block) {
                const gbk::BlockMasks expected = gbk::byteMasks(bytes.data() + block * gbk::kBlock);
                ASSERT_EQ(masks[block].high, expected.high) << name << " block " << block;
                ASSERT_EQ(masks[block].printable, expected.printable) << name << " block " << block;
            }
        }
    }
}

// The same bytes read as UTF-16 units, in both byte orders.
TEST_P(BlockKernelTest, Utf16KernelsAgreeWithOneUnitAtATime)
{
    std::mt19937 random(29);
    for (int round = 0; round < 40; ++round) {
        const std::string bytes = wholeBlocks(GetParam().make(random));
        const std::size_t blocks = bytes.size() / utf16::kBlock;
        for (const bool bigEndian : {false, true}) {
            for (const auto& [name, kernel] : utf16::maskKernels()) {
                std::vector<utf16::UnitMasks> masks(blocks);
                kernel(bytes.data(), blocks, bigEndian, masks.data());
                for (std::size_t block = 0; block < blocks; ++block) {
                    const utf16::UnitMasks expected =
                        utf16::unitMasks(std::string_view(bytes).substr(block * utf16::kBlock), bigEndian);
                    const auto where = ::testing::Message()
                                       << name << (bigEndian ? " BE" : " LE") << " block " << block;
                    ASSERT_EQ(masks[block].control, expected.control) << where;
                    ASSERT_EQ(masks[block].high, expected.high) << where;
                    ASSERT_EQ(masks[block].low, expected.low) << where;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, BlockKernelTest,
                         ::testing::Values(KernelCase{{"NovelBytes"}, novelBytes}, KernelCase{{"EdgeBytes"}, edgeBytes},
                                           KernelCase{{"OddRunsAcrossEdges"}, oddRunsAcrossEdges},
                                           KernelCase{{"EdgeUnits"}, edgeUnits}),
                         qytxt::testing::CaseName());

} // namespace
} // namespace qytxt::split

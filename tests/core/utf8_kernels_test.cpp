#include "core/utf8_kernels.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qytxt::core::utf8 {
namespace {

// Bytes of every class a kernel tells apart, the rare ones included, in runs that cross blocks.
std::string randomBytes(std::mt19937& random, std::size_t length)
{
    static constexpr unsigned char kBytes[] = {'a',  ' ',  '~',  '\r', '\n', 0x00, 0x1F, 0x7F, 0x80,
                                               0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE4,
                                               0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xF7, 0xF8, 0xFF};
    std::string bytes;
    const bool mostlyChinese = random() % 2 == 0; // blocks without rare bytes take the kernels' short way
    while (bytes.size() < length) {
        if (mostlyChinese && random() % 4 != 0)
            bytes += "\xE4\xB8\x89";
        else
            bytes.push_back(static_cast<char>(kBytes[random() % sizeof kBytes]));
    }
    bytes.resize(length);
    return bytes;
}

void expectSameMasks(const BlockMasks& a, const BlockMasks& b, std::size_t block)
{
    EXPECT_EQ(a.high, b.high) << "block " << block;
    EXPECT_EQ(a.fromC0, b.fromC0) << "block " << block;
    EXPECT_EQ(a.fromE0, b.fromE0) << "block " << block;
    EXPECT_EQ(a.control, b.control) << "block " << block;
    EXPECT_EQ(a.rare, b.rare) << "block " << block;
    EXPECT_EQ(a.fromF0, b.fromF0) << "block " << block;
    EXPECT_EQ(a.fromF8, b.fromF8) << "block " << block;
}

// Every vector kernel this processor runs must see each batch exactly as the one-byte-at-a-time
// reading does, a shorter last block included.
TEST(Utf8Kernels, AgreeWithOneByteAtATime)
{
    std::mt19937 random(17);
    for (const auto& [name, kernel] : maskKernels()) {
        SCOPED_TRACE(std::string(name));
        for (int round = 0; round < 200; ++round) {
            const std::string bytes = randomBytes(random, random() % (kBatchBlocks * kBlock + 1));
            BlockMasks masks[kBatchBlocks];
            const BlockCounts counts = kernel(bytes, masks);
            BlockCounts expected;
            for (std::size_t block = 0; block * kBlock < bytes.size(); ++block)
                expectSameMasks(masks[block],
                                byteMasks(std::string_view(bytes).substr(block * kBlock, kBlock), expected), block);
            EXPECT_EQ(counts.high, expected.high);
            EXPECT_EQ(counts.continuations, expected.continuations);
            EXPECT_EQ(counts.controls, expected.controls);
        }
    }
}

} // namespace
} // namespace qytxt::core::utf8

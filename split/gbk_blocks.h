#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// GBK seen 64 bytes at a time, one bit per byte (bit i for byte i).
namespace qytxt::split::gbk {

inline constexpr std::size_t kBlock = 64;

struct BlockMasks {
    std::uint64_t high = 0;      // bytes of 0x80 or more
    std::uint64_t printable = 0; // bytes 0x20..0x7E
};

// The masks of `blocks` consecutive blocks at `bytes`, with the fastest kernel this processor runs.
void blockMasks(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept;

// The masks of one block, one byte at a time: what every kernel must agree with.
BlockMasks byteMasks(const char* block) noexcept;

using MaskKernel = void (*)(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept;

// SSE2, or one byte at a time where the processor has no SSE2.
void blockMasksSse2(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept;

// Built only for x86-64, and run only where the processor has AVX2.
void blockMasksAvx2(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept;

// Every kernel this processor can run, by name, the plainest first.
std::vector<std::pair<std::string_view, MaskKernel>> maskKernels();

} // namespace qytxt::split::gbk

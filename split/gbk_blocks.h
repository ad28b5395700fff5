#pragma once

#include <cstddef>
#include <cstdint>

// GBK seen 64 bytes at a time, one bit per byte (bit i for byte i).
namespace qytxt::split::gbk {

inline constexpr std::size_t kBlock = 64;

struct BlockMasks {
    std::uint64_t high = 0;      // bytes of 0x80 or more
    std::uint64_t printable = 0; // bytes 0x20..0x7E
};

// The masks of `blocks` consecutive blocks at `bytes`, vectorised where the processor allows.
void blockMasks(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept;

} // namespace qytxt::split::gbk

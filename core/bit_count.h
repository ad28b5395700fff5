#pragma once

#include <bit>
#include <cstdint>

namespace qytxt::core {

// The number of set bits. Without the popcnt instruction std::popcount is a call into the runtime
// library, too slow for a count per 64 bytes of text; the same sum done in registers is not.
constexpr int bitCount(std::uint64_t bits) noexcept
{
#if defined(__POPCNT__)
    return std::popcount(bits);
#else
    bits -= (bits >> 1) & 0x5555555555555555ULL;
    bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((bits * 0x0101010101010101ULL) >> 56);
#endif
}

} // namespace qytxt::core

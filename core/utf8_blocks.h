#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// UTF-8 seen up to 64 bytes at a time, one bit per byte (bit i for byte i). The strict validator
// and the split's UTF-8 count both work from these masks, so the two read UTF-8 alike.
namespace qytxt::core::utf8 {

inline constexpr std::size_t kBlock = 64;

struct BlockMasks {
    std::uint64_t high = 0;    // 0x80 and above
    std::uint64_t fromC0 = 0;  // 0xC0 and above
    std::uint64_t fromE0 = 0;  // 0xE0 and above
    std::uint64_t control = 0; // below 0x20, and 0x7F
    std::uint64_t rare = 0;    // C0, C1, E0, ED, F0 and above: valid or not by more than their class
    std::uint64_t fromF0 = 0;  // 0xF0 and above, all of them rare
    std::uint64_t fromF8 = 0;  // 0xF8 and above, which lead nothing
};

// Continuation bytes: 0x80..0xBF.
constexpr std::uint64_t continuations(const BlockMasks& m) noexcept
{
    return m.high & ~m.fromC0;
}

// Lead bytes that expect at least one, two or three continuation bytes: C0..F7, E0..F7, F0..F7.
constexpr std::uint64_t leads2(const BlockMasks& m) noexcept
{
    return m.fromC0 & ~m.fromF8;
}
constexpr std::uint64_t leads3(const BlockMasks& m) noexcept
{
    return m.fromE0 & ~m.fromF8;
}
constexpr std::uint64_t leads4(const BlockMasks& m) noexcept
{
    return m.fromF0 & ~m.fromF8;
}

// Texts are looked at this many blocks at a time, so that a call covers a good stretch of text.
inline constexpr std::size_t kBatchBlocks = 16;

// What a batch holds, counted on the way.
struct BlockCounts {
    std::int64_t high = 0;          // bytes of 0x80 or more
    std::int64_t continuations = 0; // 0x80..0xBF
    std::int64_t controls = 0;      // below 0x20, and 0x7F
};

// The masks of each block of `bytes` (at most kBatchBlocks blocks, the last one possibly shorter):
// masks[i] for bytes 64 i to 64 i + 63; and what all of them hold. Vectorised where the processor
// allows.
BlockCounts blockMasks(std::string_view bytes, BlockMasks* masks) noexcept;

// The masks of up to 64 bytes, one byte at a time, and what they hold added to `counts`.
BlockMasks byteMasks(std::string_view bytes, BlockCounts& counts) noexcept;

// The masks of the bytes already seen, the latest at bit 63: what shifts into the next bytes.
struct History {
    std::uint64_t cont = 0;
    std::uint64_t lead2 = 0;
    std::uint64_t lead3 = 0;
    std::uint64_t lead4 = 0;
};

// The history once `count` bytes (1 to 64) with masks `m` have followed it.
constexpr History advance(const History& before, const BlockMasks& m, unsigned count) noexcept
{
    const History block{continuations(m), leads2(m), leads3(m), leads4(m)};
    if (count >= kBlock)
        return block;
    const unsigned keep = static_cast<unsigned>(kBlock) - count;
    return {(before.cont >> count) | (block.cont << keep), (before.lead2 >> count) | (block.lead2 << keep),
            (before.lead3 >> count) | (block.lead3 << keep), (before.lead4 >> count) | (block.lead4 << keep)};
}

// `mask` moved `places` bytes later, with the history's last bytes shifted in at the front.
constexpr std::uint64_t shiftedIn(std::uint64_t mask, std::uint64_t history, unsigned places) noexcept
{
    return (mask << places) | (history >> (kBlock - places));
}

// Where a continuation byte is due: one, two or three places after a lead byte that expects that
// many. Strictly valid UTF-8 has continuation bytes exactly there.
constexpr std::uint64_t dueContinuations(const BlockMasks& m, const History& h) noexcept
{
    return shiftedIn(leads2(m), h.lead2, 1) | shiftedIn(leads3(m), h.lead3, 2) | shiftedIn(leads4(m), h.lead4, 3);
}

// Continuation bytes that belong to the character before them: a lead byte up to three places back
// still expects them, with nothing but continuation bytes between. Every other byte starts a
// character, a stray continuation byte included.
constexpr std::uint64_t expectedContinuations(const BlockMasks& m, const History& h) noexcept
{
    const std::uint64_t cont = continuations(m);
    const std::uint64_t contBefore = shiftedIn(cont, h.cont, 1);
    const std::uint64_t contTwoBefore = shiftedIn(cont, h.cont, 2);
    return cont & (shiftedIn(leads2(m), h.lead2, 1) | (shiftedIn(leads3(m), h.lead3, 2) & contBefore) |
                   (shiftedIn(leads4(m), h.lead4, 3) & contTwoBefore & contBefore));
}

// How many of the last bytes seen belong to a character that may go on: 1 to 3 when the latest
// lead byte still expects continuation bytes, else 0.
constexpr unsigned openCharacterLength(const History& h) noexcept
{
    constexpr unsigned kLast = kBlock - 1;
    const auto at = [](std::uint64_t mask, unsigned bit) { return ((mask >> bit) & 1) != 0; };
    if (at(h.lead2, kLast))
        return 1;
    if (at(h.lead3, kLast - 1) && at(h.cont, kLast))
        return 2;
    if (at(h.lead4, kLast - 2) && at(h.cont, kLast - 1) && at(h.cont, kLast))
        return 3;
    return 0;
}

} // namespace qytxt::core::utf8

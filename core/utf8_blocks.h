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
    std::uint64_t cont = 0;    // 0x80..0xBF: continuation bytes
    std::uint64_t lead2 = 0;   // 0xC0..0xF7: lead bytes, which expect at least one continuation
    std::uint64_t lead3 = 0;   // 0xE0..0xF7: at least two
    std::uint64_t lead4 = 0;   // 0xF0..0xF7: three
    std::uint64_t control = 0; // below 0x20, and 0x7F
    std::uint64_t rare = 0;    // C0, C1, E0, ED, F0 and above: valid or not by more than their class
};

// The masks of the 64 bytes at `block`, vectorised where the processor allows.
BlockMasks blockMasks(const char* block) noexcept;

// The masks of up to 64 bytes, one byte at a time.
BlockMasks byteMasks(std::string_view bytes) noexcept;

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
    if (count >= kBlock)
        return {m.cont, m.lead2, m.lead3, m.lead4};
    const unsigned keep = static_cast<unsigned>(kBlock) - count;
    return {(before.cont >> count) | (m.cont << keep), (before.lead2 >> count) | (m.lead2 << keep),
            (before.lead3 >> count) | (m.lead3 << keep), (before.lead4 >> count) | (m.lead4 << keep)};
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
    return shiftedIn(m.lead2, h.lead2, 1) | shiftedIn(m.lead3, h.lead3, 2) | shiftedIn(m.lead4, h.lead4, 3);
}

// Continuation bytes that belong to the character before them: a lead byte up to three places back
// still expects them, with nothing but continuation bytes between. Every other byte starts a
// character, a stray continuation byte included.
constexpr std::uint64_t expectedContinuations(const BlockMasks& m, const History& h) noexcept
{
    const std::uint64_t contBefore = shiftedIn(m.cont, h.cont, 1);
    const std::uint64_t contTwoBefore = shiftedIn(m.cont, h.cont, 2);
    return m.cont & (shiftedIn(m.lead2, h.lead2, 1) | (shiftedIn(m.lead3, h.lead3, 2) & contBefore) |
                     (shiftedIn(m.lead4, h.lead4, 3) & contTwoBefore & contBefore));
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

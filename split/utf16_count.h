#pragma once

#include "split/character_model.h"
#include "split/utf16_blocks.h"

#include <cstdint>
#include <string_view>

namespace qytxt::split {

// Counts a UTF-16 text (without its mark) fed in pieces of any size, in one pass. A surrogate pair
// is one character and so is a lone surrogate; an odd last byte counts nothing.
class Utf16Counter {
public:
    explicit Utf16Counter(bool bigEndian = false) noexcept : m_bigEndian(bigEndian) {}

    void feed(std::string_view bytes) noexcept;

    std::int64_t fullWidthLength() const noexcept { return 2 * (m_units - m_pairedLows) - m_controls; }

    Boundary boundary() const noexcept;

    // Adds what `later` counted from a unit boundary that no high surrogate comes just before, this
    // counter having counted everything before it.
    void join(const Utf16Counter& later) noexcept
    {
        m_units += later.m_units;
        m_pairedLows += later.m_pairedLows;
        m_controls += later.m_controls;
        m_afterHigh = later.m_afterHigh;
        m_oddByte = later.m_oddByte;
        m_pending = later.m_pending;
    }

private:
    void feedUnits(const utf16::UnitMasks& masks, unsigned count) noexcept;

    bool m_bigEndian;
    std::int64_t m_units = 0;
    std::int64_t m_pairedLows = 0; // second halves of surrogate pairs, which add no character
    std::int64_t m_controls = 0;
    bool m_afterHigh = false; // the last unit is a high surrogate
    bool m_oddByte = false;   // the first byte of a unit is waiting for its second
    char m_pending = 0;
};

} // namespace qytxt::split

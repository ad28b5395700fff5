#include "split/utf16_count.h"

#include "core/bit_count.h"

#include <algorithm>

namespace qytxt::split {

void Utf16Counter::feed(std::string_view bytes) noexcept
{
    if (m_oddByte && !bytes.empty()) {
        const char unit[2] = {m_pending, bytes.front()};
        feedUnits(utf16::unitMasks(std::string_view(unit, 2), m_bigEndian), 1);
        bytes.remove_prefix(1);
        m_oddByte = false;
    }
    constexpr std::size_t kBatch = 16;
    utf16::UnitMasks masks[kBatch];
    while (bytes.size() >= utf16::kBlock) {
        const std::size_t blocks = std::min(bytes.size() / utf16::kBlock, kBatch);
        utf16::blockMasks(bytes.data(), blocks, m_bigEndian, masks);
        for (std::size_t i = 0; i < blocks; ++i)
            feedUnits(masks[i], static_cast<unsigned>(utf16::kBlock / 2));
        bytes.remove_prefix(blocks * utf16::kBlock);
    }
    if (bytes.size() >= 2)
        feedUnits(utf16::unitMasks(bytes, m_bigEndian), static_cast<unsigned>(bytes.size() / 2));
    if (bytes.size() % 2 != 0) {
        m_oddByte = true;
        m_pending = bytes.back();
    }
}

void Utf16Counter::feedUnits(const utf16::UnitMasks& masks, unsigned count) noexcept
{
    const std::uint32_t afterHigh = (masks.high << 1) | (m_afterHigh ? 1U : 0U);
    m_pairedLows += core::bitCount(masks.low & afterHigh);
    m_controls += core::bitCount(masks.control);
    m_units += count;
    m_afterHigh = ((masks.high >> (count - 1)) & 1U) != 0;
}

Boundary Utf16Counter::boundary() const noexcept
{
    // A high surrogate may pair with the unit after it: its character starts at it, and counted 2.
    const std::int64_t width = fullWidthLength();
    const std::int64_t odd = m_oddByte ? 1 : 0;
    if (m_afterHigh)
        return {odd + 2, width - 2};
    return {odd, width};
}

} // namespace qytxt::split

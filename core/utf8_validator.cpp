#include "core/utf8_validator.h"

#include <bit>

namespace qytxt::core {
namespace {

// The leads whose first continuation byte has a narrower range: E0 (no overlong forms), ED (no
// surrogates), F0 (no overlong forms) and F4 (nothing above U+10FFFF). Whether it is a
// continuation byte at all is checked with the others.
bool firstContinuationFits(unsigned char lead, unsigned char next) noexcept
{
    switch (lead) {
    case 0xE0:
        return next >= 0xA0;
    case 0xED:
        return next < 0xA0;
    case 0xF0:
        return next >= 0x90;
    case 0xF4:
        return next < 0x90;
    default:
        return true;
    }
}

// Rare bytes are never valid (C0, C1, F5 and above) or limit the byte after them.
bool rareBytesFit(std::string_view bytes, std::uint64_t rare) noexcept
{
    for (; rare != 0; rare &= rare - 1) {
        const auto at = static_cast<std::size_t>(std::countr_zero(rare));
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte == 0xC0 || byte == 0xC1 || byte >= 0xF5)
            return false;
        if (at + 1 < bytes.size() && !firstContinuationFits(byte, static_cast<unsigned char>(bytes[at + 1])))
            return false;
    }
    return true;
}

} // namespace

void Utf8Validator::feed(std::string_view bytes) noexcept
{
    while (m_valid && bytes.size() >= utf8::kBlock) {
        feed(bytes.substr(0, utf8::kBlock), utf8::blockMasks(bytes.data()));
        bytes.remove_prefix(utf8::kBlock);
    }
    if (m_valid && !bytes.empty())
        feed(bytes, utf8::byteMasks(bytes));
}

void Utf8Validator::feed(std::string_view bytes, const utf8::BlockMasks& masks) noexcept
{
    if (!m_valid || bytes.empty())
        return;
    const auto count = static_cast<unsigned>(bytes.size());
    const std::uint64_t fed = count >= utf8::kBlock ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    if (((utf8::dueContinuations(masks, m_history) ^ masks.cont) & fed) != 0 ||
        !firstContinuationFits(m_last, static_cast<unsigned char>(bytes[0])) ||
        (masks.rare != 0 && !rareBytesFit(bytes, masks.rare))) {
        m_valid = false;
        return;
    }
    m_multiByte = m_multiByte || masks.cont != 0;
    m_history = utf8::advance(m_history, masks, count);
    m_last = static_cast<unsigned char>(bytes.back());
}

} // namespace qytxt::core

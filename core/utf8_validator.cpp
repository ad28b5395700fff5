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
    constexpr std::size_t kBatch = utf8::kBatchBlocks * utf8::kBlock;
    utf8::BlockMasks masks[utf8::kBatchBlocks];
    while (m_valid && !bytes.empty()) {
        const std::string_view batch = bytes.substr(0, kBatch);
        utf8::blockMasks(batch, masks);
        feed(batch, masks);
        bytes.remove_prefix(batch.size());
    }
}

void Utf8Validator::feed(std::string_view bytes, const utf8::BlockMasks* masks) noexcept
{
    for (; m_valid && !bytes.empty(); ++masks) {
        const std::string_view block = bytes.substr(0, utf8::kBlock);
        m_valid = fits(block, *masks);
        bytes.remove_prefix(block.size());
    }
}

bool Utf8Validator::fits(std::string_view bytes, const utf8::BlockMasks& masks) noexcept
{
    const std::uint64_t cont = utf8::continuations(masks);
    if (masks.rare == 0 && m_rareLead == 0 && bytes.size() == utf8::kBlock) {
        // Most blocks: no four-byte leads, nothing that leads nothing, no narrower ranges to check.
        const std::uint64_t due = utf8::shiftedIn(masks.fromC0, m_history.lead2, 1) |
                                  utf8::shiftedIn(masks.fromE0, m_history.lead3, 2) | (m_history.lead4 >> 61);
        if (due != cont)
            return false;
        m_multiByte = m_multiByte || cont != 0;
        m_history = {cont, masks.fromC0, masks.fromE0, 0};
        return true;
    }
    const auto count = static_cast<unsigned>(bytes.size());
    const std::uint64_t fed = count >= utf8::kBlock ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    if (((utf8::dueContinuations(masks, m_history) ^ cont) & fed) != 0)
        return false;
    if (m_rareLead != 0 && !firstContinuationFits(m_rareLead, static_cast<unsigned char>(bytes[0])))
        return false;
    m_rareLead = 0;
    if (masks.rare != 0) {
        if (!rareBytesFit(bytes, masks.rare))
            return false;
        if (((masks.rare >> (count - 1)) & 1) != 0)
            m_rareLead = static_cast<unsigned char>(bytes.back()); // its next byte comes with the next piece
    }
    m_multiByte = m_multiByte || cont != 0;
    m_history = utf8::advance(m_history, masks, count);
    return true;
}

} // namespace qytxt::core

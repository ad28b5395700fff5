#include "split/utf8_count.h"

#include <bit>

namespace qytxt::split {

namespace utf8 = core::utf8;

void Utf8Counter::feed(std::string_view bytes) noexcept
{
    for (; bytes.size() >= utf8::kBlock; bytes.remove_prefix(utf8::kBlock))
        feed(utf8::blockMasks(bytes.data()), static_cast<unsigned>(utf8::kBlock));
    if (!bytes.empty())
        feed(utf8::byteMasks(bytes), static_cast<unsigned>(bytes.size()));
}

void Utf8Counter::feed(const utf8::BlockMasks& masks, unsigned count) noexcept
{
    m_characters += count - static_cast<unsigned>(std::popcount(utf8::expectedContinuations(masks, m_history)));
    m_controls += std::popcount(masks.control);
    m_history = utf8::advance(m_history, masks, count);
}

Boundary Utf8Counter::boundary() const noexcept
{
    // A character that may go on started at its lead byte, which counted 2.
    const unsigned open = utf8::openCharacterLength(m_history);
    return {open, fullWidthLength() - (open > 0 ? 2 : 0)};
}

} // namespace qytxt::split

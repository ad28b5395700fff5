#include "split/utf8_count.h"

#include "core/bit_count.h"

#include <algorithm>

namespace qytxt::split {

namespace utf8 = core::utf8;

void Utf8Counter::feed(std::string_view bytes) noexcept
{
    constexpr std::size_t kBatch = utf8::kBatchBlocks * utf8::kBlock;
    utf8::BlockMasks masks[utf8::kBatchBlocks];
    for (; !bytes.empty(); bytes.remove_prefix(std::min(bytes.size(), kBatch))) {
        const std::string_view batch = bytes.substr(0, kBatch);
        const utf8::BlockCounts counts = utf8::blockMasks(batch, masks);
        feed(masks, batch.size(), counts);
    }
}

void Utf8Counter::feed(const utf8::BlockMasks* masks, std::size_t bytes, const utf8::BlockCounts& counts) noexcept
{
    std::int64_t expected = 0;
    for (std::size_t left = bytes; left > 0; ++masks) {
        const auto count = static_cast<unsigned>(std::min(left, utf8::kBlock));
        expected += core::bitCount(utf8::expectedContinuations(*masks, m_history));
        m_history = utf8::advance(m_history, *masks, count);
        left -= count;
    }
    m_characters += static_cast<std::int64_t>(bytes) - expected;
    m_controls += counts.controls;
}

void Utf8Counter::feedValid(const utf8::BlockMasks* masks, std::size_t bytes, const utf8::BlockCounts& counts) noexcept
{
    m_characters += static_cast<std::int64_t>(bytes) - counts.continuations;
    m_controls += counts.controls;
    advance(masks, bytes);
}

// Only the last bytes matter to what follows: the last block, and the one before a short last block.
void Utf8Counter::advance(const utf8::BlockMasks* masks, std::size_t bytes) noexcept
{
    const std::size_t blocks = (bytes + utf8::kBlock - 1) / utf8::kBlock;
    for (std::size_t i = blocks >= 2 ? blocks - 2 : 0; i < blocks; ++i)
        m_history =
            utf8::advance(m_history, masks[i], static_cast<unsigned>(std::min(bytes - i * utf8::kBlock, utf8::kBlock)));
}

Boundary Utf8Counter::boundary() const noexcept
{
    // A character that may go on started at its lead byte, which counted 2.
    const unsigned open = utf8::openCharacterLength(m_history);
    return {open, fullWidthLength() - (open > 0 ? 2 : 0)};
}

} // namespace qytxt::split

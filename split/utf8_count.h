#pragma once

#include "core/utf8_blocks.h"
#include "split/character_model.h"

#include <cstdint>
#include <string_view>

namespace qytxt::split {

// Counts a UTF-8 text (without its mark) fed in pieces of any size, in one pass. A character starts
// at every byte but a continuation byte that a lead byte before it expects, so invalid bytes are
// characters of their own and the count never depends on the text being valid.
class Utf8Counter {
public:
    void feed(std::string_view bytes) noexcept;

    // `bytes` bytes (at most kBatchBlocks blocks) with the masks and counts core::utf8::blockMasks
    // gave for them.
    void feed(const core::utf8::BlockMasks* masks, std::size_t bytes, const core::utf8::BlockCounts& counts) noexcept;

    // The same for bytes that are valid UTF-8 so far, where every continuation byte is expected:
    // quicker, and wrong only for a text that is then no longer read as UTF-8.
    void feedValid(const core::utf8::BlockMasks* masks, std::size_t bytes,
                   const core::utf8::BlockCounts& counts) noexcept;

    std::int64_t fullWidthLength() const noexcept { return 2 * m_characters - m_controls; }

    Boundary boundary() const noexcept;

    // Adds what `later` counted from a character boundary after an ASCII byte, this counter having
    // counted everything before it.
    void join(const Utf8Counter& later) noexcept
    {
        m_characters += later.m_characters;
        m_controls += later.m_controls;
        m_history = later.m_history;
    }

private:
    void advance(const core::utf8::BlockMasks* masks, std::size_t bytes) noexcept;

    std::int64_t m_characters = 0;
    std::int64_t m_controls = 0;
    core::utf8::History m_history;
};

} // namespace qytxt::split

#pragma once

#include "core/utf8_blocks.h"

#include <string_view>

namespace qytxt::core {

// Strict UTF-8 validity of a text fed in pieces of any size: no overlong forms, no surrogates,
// nothing above U+10FFFF, no stray or missing continuation bytes. A sequence cut off by the end of
// the text is allowed, since nothing after it shows it incomplete.
class Utf8Validator {
public:
    void feed(std::string_view bytes) noexcept;

    // At most kBatchBlocks blocks of bytes, with the masks utf8::blockMasks gave for them.
    void feed(std::string_view bytes, const utf8::BlockMasks* masks) noexcept;

    bool valid() const noexcept { return m_valid; }

    // True once a continuation byte was seen: a valid text then holds a multi-byte sequence.
    bool sawMultiByte() const noexcept { return m_multiByte; }

    // Takes in what `later` saw from just after an ASCII byte, this validator having seen everything
    // before it.
    void join(const Utf8Validator& later) noexcept
    {
        m_valid = m_valid && later.m_valid;
        m_multiByte = m_multiByte || later.m_multiByte;
        m_history = later.m_history;
        m_rareLead = later.m_rareLead;
    }

private:
    bool fits(std::string_view bytes, const utf8::BlockMasks& masks) noexcept;

    utf8::History m_history;
    unsigned char m_rareLead = 0; // the last byte seen, when it limits the byte after it
    bool m_valid = true;
    bool m_multiByte = false;
};

} // namespace qytxt::core

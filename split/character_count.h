#pragma once

#include "core/text_encoding.h"
#include "core/utf8_blocks.h"
#include "split/character_model.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The split's character model for GBK texts, counted without building the full-width form.
//
// In the full-width form every printable ASCII byte and every two-byte character takes two bytes,
// a control byte (zero included) one, and a lone lead byte at the very end none. A character is two
// bytes of that form, so a control byte is half a character and a CR LF pair one.
namespace qytxt::split {

// Counts a GBK text fed in pieces of any size, in one pass.
class CharacterCounter {
public:
    // Gbk counts a GB18030 four-byte sequence as the two characters it has always counted; Gb18030
    // as the one character it is. The other encodings have counters of their own.
    explicit CharacterCounter(core::TextEncoding encoding = core::TextEncoding::Gbk) noexcept
        : m_gb18030(encoding == core::TextEncoding::Gb18030)
    {
    }

    void feed(std::string_view bytes) noexcept;

    // At most kBatchBlocks blocks of bytes, with the masks and counts core::utf8::blockMasks gave
    // for them.
    void feed(std::string_view bytes, const core::utf8::BlockMasks* masks,
              const core::utf8::BlockCounts& counts) noexcept;

    // Bytes of the full-width form of everything fed so far.
    std::int64_t fullWidthLength() const noexcept
    {
        return m_bytes + m_printable - (m_pendingLead ? 1 : 0) - (m_gb18030 ? 2 * m_fourByteSequences : 0);
    }
    std::int64_t characterCount() const noexcept { return fullWidthLength() / 2; }

    Boundary boundary() const noexcept;

    // Adds what `later` counted from a place where every reading of the text is at a character
    // boundary, this counter having counted everything before that place.
    void join(const CharacterCounter& later) noexcept
    {
        m_bytes += later.m_bytes;
        m_printable += later.m_printable;
        m_fourByteSequences += later.m_fourByteSequences;
        m_pendingLead = later.m_pendingLead;
        m_lead = later.m_lead;
        m_fourByteProgress = later.m_fourByteProgress;
    }

private:
    void feedBlock(const char* block, std::uint64_t high, std::uint64_t printable) noexcept;
    std::int64_t feedPairs(const char* block, std::uint64_t high, std::uint64_t printable) noexcept;
    void feedScalar(std::string_view bytes) noexcept;

    std::int64_t m_bytes = 0;
    // Printable ASCII bytes that stand alone, i.e. are not the second byte of a two-byte character.
    std::int64_t m_printable = 0;
    std::int64_t m_fourByteSequences = 0;
    bool m_pendingLead = false;
    unsigned char m_lead = 0; // the lead byte waiting for its second byte
    // How far a GB18030 four-byte sequence may have got: 0 none, 2 past its first pair, 3 past its
    // third byte. Its first pair is a character boundary whatever follows.
    int m_fourByteProgress = 0;
    bool m_gb18030 = false;
};

std::int64_t fullWidthLength(std::string_view text) noexcept;

// The full-width length of a whole file in the encoding its bytes show, read in chunks so that the
// file is never held at once. Nothing when the file cannot be read.
std::optional<std::int64_t> fileFullWidthLength(std::string_view path);

} // namespace qytxt::split

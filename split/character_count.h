#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The split's character model, counted without building the full-width form.
//
// In the full-width form every printable ASCII byte and every two-byte character takes two bytes,
// a control byte (zero included) one, and a lone lead byte at the very end none. A character is two
// bytes of that form, so a control byte is half a character and a CR LF pair one.
namespace qytxt::split {

// Counts a text fed in pieces of any size, in one pass.
class CharacterCounter {
public:
    void feed(std::string_view bytes) noexcept;

    // Bytes of the full-width form of everything fed so far.
    std::int64_t fullWidthLength() const noexcept { return m_bytes + m_printable - (m_pendingLead ? 1 : 0); }
    std::int64_t characterCount() const noexcept { return fullWidthLength() / 2; }

    // True when the last byte fed is a lead byte still waiting for its second byte.
    bool insideCharacter() const noexcept { return m_pendingLead; }

private:
    void feedScalar(std::string_view bytes) noexcept;

    std::int64_t m_bytes = 0;
    // Printable ASCII bytes that stand alone, i.e. are not the second byte of a two-byte character.
    std::int64_t m_printable = 0;
    bool m_pendingLead = false;
};

std::int64_t fullWidthLength(std::string_view text) noexcept;

// The full-width length of a whole file, read in chunks so that the file is never held at once.
// Nothing when the file cannot be read.
std::optional<std::int64_t> fileFullWidthLength(std::string_view path);

} // namespace qytxt::split

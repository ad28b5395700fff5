#pragma once

#include "core/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The split's character model, the same in every encoding. Lengths are measured in the full-width
// form: a printable ASCII character (U+0020 to U+007E) takes 2, a control character (below U+0020,
// and U+007F) 1, and every other character 2, a UTF-16 surrogate pair or a byte that is invalid in
// its encoding included. A character is 2 of it, so a control character is half of one and a CR LF
// pair one. In GBK a GB18030 four-byte sequence keeps the 4 it has always counted, two characters
// that are never taken apart. A byte order mark takes nothing.
namespace qytxt::split {

struct CharacterStep {
    std::size_t length; // bytes
    int width;          // full-width bytes: 0 only for trailing bytes that make no whole character
};

// The character that starts at `pos`, a character boundary of a text that ends where `text` ends
// (its mark excluded): what the split steps over, one character at a time.
CharacterStep stepCharacter(core::TextEncoding encoding, std::string_view text, std::size_t pos) noexcept;

// The full-width length of a text without its mark, one character at a time: the plain reading of
// the model, which the fast counters must match.
std::int64_t steppedFullWidthLength(core::TextEncoding encoding, std::string_view text) noexcept;

// Where the character that holds the next byte a counter will see starts: `back` bytes before it
// (0 to 3), with `widthBefore` full-width bytes before that start.
struct Boundary {
    std::int64_t back = 0;
    std::int64_t widthBefore = 0;
};

} // namespace qytxt::split

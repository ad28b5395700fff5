#pragma once

#include <cstddef>
#include <string_view>

// How the system steps through its text, one character at a time. Everything that walks a text
// by characters goes through here, so another encoding's stepping can be added in one place.
namespace qytxt::core::gbk {

// A byte of 0x80 or more starts a two-byte character, whatever byte follows it.
constexpr bool isLeadByte(unsigned char byte) noexcept
{
    return byte >= 0x80;
}

// Bytes taken by the character that starts at `pos`: 1 or 2, or 0 for a lead byte that is the
// last byte of the text (it has no second byte, so stepping stops there).
constexpr std::size_t characterLength(std::string_view text, std::size_t pos) noexcept
{
    if (!isLeadByte(static_cast<unsigned char>(text[pos])))
        return 1;
    return pos + 1 < text.size() ? 2 : 0;
}

} // namespace qytxt::core::gbk

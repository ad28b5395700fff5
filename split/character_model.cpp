#include "split/character_model.h"

namespace qytxt::split {
namespace {

using core::TextEncoding;

constexpr int controlOrPrintable(std::uint32_t character) noexcept
{
    return character < 0x20 || character == 0x7F ? 1 : 2;
}

unsigned char byteAt(std::string_view text, std::size_t pos) noexcept
{
    return static_cast<unsigned char>(text[pos]);
}

bool isDigit(unsigned char byte) noexcept
{
    return byte >= 0x30 && byte <= 0x39;
}

bool leadsFourBytes(unsigned char byte) noexcept
{
    return byte >= 0x81 && byte <= 0xFE;
}

// GB18030's four-byte form: 81..FE, 30..39, 81..FE, 30..39.
bool fourByteSequenceAt(std::string_view text, std::size_t pos) noexcept
{
    return pos + 3 < text.size() && leadsFourBytes(byteAt(text, pos)) && isDigit(byteAt(text, pos + 1)) &&
           leadsFourBytes(byteAt(text, pos + 2)) && isDigit(byteAt(text, pos + 3));
}

CharacterStep gbkStep(std::string_view text, std::size_t pos, bool gb18030) noexcept
{
    const unsigned char byte = byteAt(text, pos);
    if (byte < 0x80)
        return {1, controlOrPrintable(byte)};
    if (pos + 1 >= text.size())
        return {1, 0}; // a lead byte with nothing after it
    if (fourByteSequenceAt(text, pos))
        return {4, gb18030 ? 2 : 4};
    return {2, 2};
}

CharacterStep utf8Step(std::string_view text, std::size_t pos) noexcept
{
    const unsigned char byte = byteAt(text, pos);
    if (byte < 0x80)
        return {1, controlOrPrintable(byte)};
    // A lead byte takes up to as many continuation bytes as it announces; a continuation byte that
    // no lead byte expects, or a byte of F8 or more, is a character of its own.
    const std::size_t expected = byte >= 0xF8 ? 0 : byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
    std::size_t length = 1;
    while (length <= expected && pos + length < text.size() && (byteAt(text, pos + length) & 0xC0) == 0x80)
        ++length;
    return {length, 2};
}

std::uint32_t utf16Unit(std::string_view text, std::size_t pos, bool bigEndian) noexcept
{
    const std::uint32_t first = byteAt(text, pos);
    const std::uint32_t second = byteAt(text, pos + 1);
    return bigEndian ? (first << 8) | second : (second << 8) | first;
}

CharacterStep utf16Step(std::string_view text, std::size_t pos, bool bigEndian) noexcept
{
    if (pos + 1 >= text.size())
        return {1, 0}; // the odd last byte
    const std::uint32_t unit = utf16Unit(text, pos, bigEndian);
    const bool highSurrogate = (unit & 0xFC00) == 0xD800;
    if (highSurrogate && pos + 3 < text.size() && (utf16Unit(text, pos + 2, bigEndian) & 0xFC00) == 0xDC00)
        return {4, 2};
    return {2, controlOrPrintable(unit)}; // a lone surrogate is a character too
}

} // namespace

CharacterStep stepCharacter(TextEncoding encoding, std::string_view text, std::size_t pos) noexcept
{
    switch (encoding) {
    case TextEncoding::Gbk:
        return gbkStep(text, pos, false);
    case TextEncoding::Gb18030:
        return gbkStep(text, pos, true);
    case TextEncoding::Utf8:
        return utf8Step(text, pos);
    case TextEncoding::Utf16Le:
        return utf16Step(text, pos, false);
    case TextEncoding::Utf16Be:
        return utf16Step(text, pos, true);
    }
    return {1, 0};
}

std::int64_t steppedFullWidthLength(TextEncoding encoding, std::string_view text) noexcept
{
    std::int64_t width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const CharacterStep step = stepCharacter(encoding, text, pos);
        width += step.width;
        pos += step.length;
    }
    return width;
}

} // namespace qytxt::split

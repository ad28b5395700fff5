#include "notices/display_text.h"

#include "core/gbk.h"

namespace qytxt::notices {

namespace {

// "…"
constexpr std::string_view kEllipsis = "\xA1\xAD";

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

// Bytes of the character at `pos`: 1, 2, or 4 for a GB18030 four-byte character; a lone lead byte
// at the end counts as a character of its own.
std::size_t characterBytes(std::string_view text, std::size_t pos)
{
    const std::size_t length = core::gbk::characterLength(text, pos);
    if (length == 0)
        return 1;
    if (length == 2 && isDigit(text[pos + 1]) && pos + 3 < text.size() &&
        core::gbk::isLeadByte(static_cast<unsigned char>(text[pos + 2])) && isDigit(text[pos + 3]))
        return 4;
    return length;
}

} // namespace

core::Text shownText(std::string_view text, std::size_t maxCharacters)
{
    std::size_t end = 0;
    for (std::size_t characters = 0; characters < maxCharacters && end < text.size(); ++characters)
        end += characterBytes(text, end);
    if (end >= text.size())
        return core::Text(text);
    core::Text shown(text.substr(0, end));
    shown += kEllipsis;
    return shown;
}

} // namespace qytxt::notices

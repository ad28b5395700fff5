#include "notices/web_address.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qytxt::notices {

namespace {

bool isBlank(char byte)
{
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\v' || byte == '\f';
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char wanted, char byte) {
        const char lower = (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
        return lower == wanted;
    });
}

} // namespace

std::optional<core::Text> webAddressToOpen(const core::Text& address)
{
    std::string_view trimmed = address;
    while (!trimmed.empty() && isBlank(trimmed.front()))
        trimmed.remove_prefix(1);
    while (!trimmed.empty() && isBlank(trimmed.back()))
        trimmed.remove_suffix(1);

    // Control bytes inside would let the page smuggle a second line or command into the shell.
    const bool hasControlByte = std::any_of(trimmed.begin(), trimmed.end(), [](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        return value < 0x20 || value == 0x7F;
    });
    if (hasControlByte)
        return std::nullopt;

    constexpr std::array<std::string_view, 2> kSchemes = {"http://", "https://"};
    for (std::string_view scheme : kSchemes) {
        if (startsWithIgnoringCase(trimmed, scheme) && trimmed.size() > scheme.size())
            return core::Text(trimmed);
    }
    return std::nullopt;
}

} // namespace qytxt::notices

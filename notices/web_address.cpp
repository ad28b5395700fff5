#include "notices/web_address.h"

#include "core/encoding.h"
#include "core/gbk.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace qytxt::notices {

namespace {

bool isBlank(char byte)
{
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\v' || byte == '\f';
}

bool isAsciiLetterOrDigit(char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9');
}

bool isHexDigit(char byte)
{
    return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'f') || (byte >= 'A' && byte <= 'F');
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

// Characters a path, query or fragment may hold as they are (besides letters, digits and escapes).
bool mayStayInPath(char byte)
{
    return std::strchr("-._~!$&'()*+,;=:@/?", byte) != nullptr;
}

void appendEscaped(core::Text& out, unsigned char byte)
{
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
}

// A host name the browser takes as it stands: dot-separated labels of letters, digits, "-" and "_",
// none empty, longer than 63 bytes or starting or ending with "-".
bool isPlainHost(std::string_view host)
{
    if (host.empty() || host.size() > 253)
        return false;
    for (std::size_t start = 0; start <= host.size();) {
        const std::size_t dot = std::min(host.find('.', start), host.size());
        const std::string_view label = host.substr(start, dot - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        if (!std::all_of(label.begin(), label.end(),
                         [](char byte) { return isAsciiLetterOrDigit(byte) || byte == '-' || byte == '_'; }))
            return false;
        start = dot + 1;
    }
    return true;
}

bool isPort(std::string_view port)
{
    if (port.size() > 5 || !std::all_of(port.begin(), port.end(), [](char byte) { return byte >= '0' && byte <= '9'; }))
        return false;
    int value = 0;
    for (const char digit : port)
        value = value * 10 + (digit - '0');
    return value <= 65535;
}

// User information, host and port; nothing when they cannot be opened as written. The user
// information is escaped like a path, but ":" separates its name and password and stays.
std::optional<core::Text> encodedAuthority(std::string_view authority)
{
    if (std::any_of(authority.begin(), authority.end(),
                    [](char byte) { return core::gbk::isLeadByte(static_cast<unsigned char>(byte)); }))
        return std::nullopt;
    core::Text out;
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        for (const char byte : authority.substr(0, at)) {
            if (isAsciiLetterOrDigit(byte) || (byte != '@' && byte != '/' && byte != '?' && mayStayInPath(byte)))
                out += byte;
            else
                appendEscaped(out, static_cast<unsigned char>(byte));
        }
        out += '@';
        authority.remove_prefix(at + 1);
    }
    const std::size_t colon = authority.find(':');
    const std::string_view host = authority.substr(0, colon);
    if (!isPlainHost(host) || (colon != std::string_view::npos && !isPort(authority.substr(colon + 1))))
        return std::nullopt;
    out += authority;
    return out;
}

// Path, query and fragment. Only the first "#" starts the fragment; two-byte characters are written
// as the UTF-8 bytes of what they stand for, which is how browsers send them.
std::optional<core::Text> encodedRest(std::string_view rest)
{
    core::Text out;
    bool inFragment = false;
    for (std::size_t pos = 0; pos < rest.size();) {
        const char byte = rest[pos];
        if (core::gbk::isLeadByte(static_cast<unsigned char>(byte))) {
            std::size_t end = pos;
            while (end < rest.size() && core::gbk::isLeadByte(static_cast<unsigned char>(rest[end])))
                end += 2; // a four-byte character is two such pairs, so the run keeps it whole
            if (end > rest.size())
                return std::nullopt;
            const std::optional<std::string> utf8 = core::gbkToUtf8(rest.substr(pos, end - pos));
            if (!utf8)
                return std::nullopt;
            for (const char converted : *utf8)
                appendEscaped(out, static_cast<unsigned char>(converted));
            pos = end;
            continue;
        }
        const bool escape =
            byte == '%' && pos + 2 < rest.size() && isHexDigit(rest[pos + 1]) && isHexDigit(rest[pos + 2]);
        if (isAsciiLetterOrDigit(byte) || mayStayInPath(byte) || escape || (byte == '#' && !inFragment))
            out += byte;
        else
            appendEscaped(out, static_cast<unsigned char>(byte));
        inFragment = inFragment || byte == '#';
        ++pos;
    }
    return out;
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
    const auto scheme = std::find_if(kSchemes.begin(), kSchemes.end(),
                                     [trimmed](std::string_view s) { return startsWithIgnoringCase(trimmed, s); });
    if (scheme == kSchemes.end())
        return std::nullopt;
    const std::string_view afterScheme = trimmed.substr(scheme->size());
    // A two-byte character in the host is refused below, so its second byte never ends the host.
    const std::size_t hostEnd = std::min(afterScheme.find_first_of("/?#"), afterScheme.size());
    const std::optional<core::Text> authority = encodedAuthority(afterScheme.substr(0, hostEnd));
    if (!authority)
        return std::nullopt;
    const std::optional<core::Text> rest = encodedRest(afterScheme.substr(hostEnd));
    if (!rest)
        return std::nullopt;
    return core::Text(trimmed.substr(0, scheme->size())) + *authority + *rest;
}

} // namespace qytxt::notices

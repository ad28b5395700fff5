#include "core/text_encoding.h"

#include "core/posix_io.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qytxt::core {
namespace {

struct EncodingNames {
    TextEncoding encoding;
    std::string_view name;
    std::string_view mark;
};

constexpr std::array<EncodingNames, 5> kEncodings{{
    {TextEncoding::Gbk, "GBK", ""},
    {TextEncoding::Gb18030, "GB18030", ""},
    {TextEncoding::Utf8, "UTF-8", "\xEF\xBB\xBF"},
    {TextEncoding::Utf16Le, "UTF-16LE", "\xFF\xFE"},
    {TextEncoding::Utf16Be, "UTF-16BE", "\xFE\xFF"},
}};

const EncodingNames& namesOf(TextEncoding encoding) noexcept
{
    return kEncodings[static_cast<std::size_t>(encoding)];
}

bool sameLetters(std::string_view a, std::string_view b) noexcept
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::string_view encodingName(TextEncoding encoding) noexcept
{
    return namesOf(encoding).name;
}

std::optional<TextEncoding> encodingNamed(std::string_view name) noexcept
{
    for (const EncodingNames& names : kEncodings)
        if (sameLetters(name, names.name))
            return names.encoding;
    return std::nullopt;
}

std::string_view byteOrderMark(TextEncoding encoding) noexcept
{
    return namesOf(encoding).mark;
}

std::size_t markLength(std::string_view bytes, TextEncoding encoding) noexcept
{
    const std::string_view mark = byteOrderMark(encoding);
    return !mark.empty() && bytes.starts_with(mark) ? mark.size() : 0;
}

std::optional<TextEncoding> markedEncoding(std::string_view bytes) noexcept
{
    for (const EncodingNames& names : kEncodings)
        if (markLength(bytes, names.encoding) > 0)
            return names.encoding;
    return std::nullopt;
}

void EncodingDetector::feed(std::string_view bytes) noexcept
{
    while (m_startLength < sizeof m_start && !bytes.empty()) {
        m_start[m_startLength++] = bytes.front();
        m_utf8.feed(bytes.substr(0, 1));
        bytes.remove_prefix(1);
    }
    if (!settled())
        m_utf8.feed(bytes);
}

bool EncodingDetector::settled() const noexcept
{
    if (m_startLength < sizeof m_start)
        return false;
    return markedEncoding(std::string_view(m_start, m_startLength)) || !m_utf8.valid();
}

DetectedEncoding EncodingDetector::result() const noexcept
{
    const std::string_view start(m_start, m_startLength);
    if (const std::optional<TextEncoding> marked = markedEncoding(start))
        return {*marked, markLength(start, *marked)};
    return {unmarkedEncoding(m_utf8), 0};
}

bool EncodingDetector::plainAscii() const noexcept
{
    return !markedEncoding(std::string_view(m_start, m_startLength)) && m_utf8.valid() && !m_utf8.sawMultiByte();
}

TextEncoding unmarkedEncoding(const Utf8Validator& utf8) noexcept
{
    return utf8.valid() && utf8.sawMultiByte() ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

std::optional<DetectedEncoding> detectFileEncoding(std::string_view path)
{
    const UniqueFd fd = openPath(path, O_RDONLY);
    if (!fd.isValid())
        return std::nullopt;
    EncodingDetector detector;
    std::string buffer(std::size_t{1} << 16, '\0');
    while (!detector.settled()) {
        const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        detector.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
    return detector.result();
}

} // namespace qytxt::core

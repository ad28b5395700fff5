#include "split/line_breaks.h"

#include <cstring>

namespace qytxt::split {

std::size_t unitSize(core::TextEncoding encoding) noexcept
{
    return encoding == core::TextEncoding::Utf16Le || encoding == core::TextEncoding::Utf16Be ? 2 : 1;
}

std::size_t findLineFeed(core::TextEncoding encoding, std::string_view bytes, std::size_t from) noexcept
{
    const std::size_t unit = unitSize(encoding);
    // The byte that is 0x0A in a line feed unit, and the one that must be zero beside it.
    const std::size_t feedByte = encoding == core::TextEncoding::Utf16Be ? 1 : 0;
    const std::size_t zeroByte = 1 - feedByte;
    for (std::size_t at = from; at < bytes.size();) {
        const void* found = std::memchr(bytes.data() + at, '\n', bytes.size() - at);
        if (found == nullptr)
            return std::string_view::npos;
        const auto index = static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data());
        if (unit == 1)
            return index;
        const std::size_t start = index - index % 2;
        if (index % 2 == feedByte && start + 1 < bytes.size() && bytes[start + zeroByte] == '\0')
            return start;
        at = index + 1;
    }
    return std::string_view::npos;
}

std::optional<std::int64_t> nextLineStart(ByteSource& source, core::TextEncoding encoding, std::int64_t markLength,
                                          std::int64_t offset)
{
    const auto unit = static_cast<std::int64_t>(unitSize(encoding));
    if (offset <= markLength || offset >= source.size())
        return offset;
    if (offset % unit != 0)
        return source.size(); // only an odd last byte of UTF-16 ends there
    // From the unit before the offset: a line that starts at the offset ends in it.
    constexpr std::int64_t kBlock = std::int64_t{1} << 16;
    for (std::int64_t at = offset - unit; at < source.size(); at += kBlock) {
        const std::optional<std::string_view> bytes = source.read(at, kBlock);
        if (!bytes)
            return std::nullopt;
        if (const std::size_t feed = findLineFeed(encoding, *bytes, 0); feed != std::string_view::npos)
            return at + static_cast<std::int64_t>(feed) + unit;
    }
    return source.size();
}

} // namespace qytxt::split

#include "core/numbers.h"

#include "core/width.h"

#include <cmath>
#include <cstdio>

namespace qytxt::core {

std::int32_t textToInteger(std::string_view text)
{
    const Text halfWidth = toHalfWidth(text);
    std::size_t i = 0;
    while (i < halfWidth.size() && (halfWidth[i] == ' ' || (halfWidth[i] >= '\t' && halfWidth[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < halfWidth.size() && (halfWidth[i] == '+' || halfWidth[i] == '-')) {
        negative = halfWidth[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps at 32 bits without undefined behaviour.
    std::uint32_t value = 0;
    for (; i < halfWidth.size() && halfWidth[i] >= '0' && halfWidth[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(halfWidth[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::int32_t realToInteger(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18)
        return 0; // outside every value the system computes
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(value)));
}

Text integerToText(std::int64_t value)
{
    char buffer[24];
    const int length = std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    return Text(buffer, static_cast<std::size_t>(length));
}

Text realToText(double value)
{
    char buffer[48];
    const int length = std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return Text(buffer, static_cast<std::size_t>(length));
}

double remainder(double a, double b)
{
    return std::fmod(a, b);
}

ByteSet integerToByteSet(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    ByteSet bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    return bytes;
}

Text byteSetToText(std::string_view bytes)
{
    return Text(bytes.substr(0, bytes.find('\0')));
}

} // namespace qytxt::core

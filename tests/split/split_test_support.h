#pragma once

#include "core/encoding.h"
#include "core/text.h"
#include "gbk_text.h"

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

namespace qytxt::split::testing {

using qytxt::testing::gbk;
using qytxt::testing::gbkPath;

// The full-width length straight from its definition, walking the text character by character.
inline std::int64_t referenceFullWidthLength(std::string_view text)
{
    std::int64_t length = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            length += i + 1 < text.size() ? 2 : 0;
            i += 2;
        } else {
            length += (byte >= 0x20 && byte < 0x7F) ? 2 : 1;
            i += 1;
        }
    }
    return length;
}

// Random bytes shaped like GBK novels and their faults: two-byte characters with any second byte,
// long runs of lead bytes, printable ASCII, control bytes and zero bytes.
inline std::string randomBytes(std::mt19937& random, std::size_t length)
{
    std::string bytes;
    bytes.reserve(length);
    const int style = std::uniform_int_distribution<int>(0, 3)(random);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> any(0, 255);
    while (bytes.size() < length) {
        const int roll = pick(random);
        if (style == 0) {
            bytes.push_back(static_cast<char>(any(random)));
        } else if (style == 1 && roll < 10) {
            // a long run of high bytes, odd or even, that crosses block edges
            const int run = std::uniform_int_distribution<int>(1, 150)(random);
            for (int i = 0; i < run && bytes.size() < length; ++i)
                bytes.push_back(static_cast<char>(0x80 + any(random) % 128));
        } else if (roll < 45) {
            bytes.push_back(static_cast<char>(0x81 + any(random) % 126));
            if (bytes.size() < length)
                bytes.push_back(static_cast<char>(any(random)));
        } else if (roll < 85) {
            bytes.push_back(static_cast<char>(0x20 + any(random) % 95));
        } else {
            static constexpr char kControls[] = {'\r', '\n', '\t', '\0', '\x7F', '\x01'};
            bytes.push_back(kControls[static_cast<std::size_t>(any(random)) % sizeof kControls]);
        }
    }
    return bytes;
}

} // namespace qytxt::split::testing

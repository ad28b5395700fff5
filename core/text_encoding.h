#pragma once

#include "core/utf8_validator.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The encodings a novel's text comes in, and how its bytes tell which one it is.
namespace qytxt::core {

// Gbk is the system's own model: a byte of 0x80 or more and the byte after it are one character,
// and a GB18030 four-byte sequence is two of them that are never taken apart. Gb18030 reads that
// sequence as the one character it is.
enum class TextEncoding { Gbk, Gb18030, Utf8, Utf16Le, Utf16Be };

// Nothing asks for detection.
using EncodingChoice = std::optional<TextEncoding>;

// The name a user knows it by, which is also its iconv name: "GBK", "GB18030", "UTF-8", ...
std::string_view encodingName(TextEncoding encoding) noexcept;

// The encoding a name stands for, in any letter case: gbk, gb18030, utf-8, utf-16le, utf-16be.
std::optional<TextEncoding> encodingNamed(std::string_view name) noexcept;

// The byte order mark of an encoding; empty for the two that have none.
std::string_view byteOrderMark(TextEncoding encoding) noexcept;

// The length of `encoding`'s mark at the start of `bytes`, or 0 when they do not start with it.
std::size_t markLength(std::string_view bytes, TextEncoding encoding) noexcept;

// The encoding whose byte order mark `bytes` start with.
std::optional<TextEncoding> markedEncoding(std::string_view bytes) noexcept;

struct DetectedEncoding {
    TextEncoding encoding = TextEncoding::Gbk;
    std::size_t markLength = 0; // the text starts with its encoding's mark when not 0
};

// Tells a text's encoding in one pass over pieces of any size: a byte order mark decides; without
// one, a text that is strictly valid UTF-8 and holds a multi-byte sequence is UTF-8; anything else
// is GBK.
class EncodingDetector {
public:
    void feed(std::string_view bytes) noexcept;

    // True once no later byte can change the result.
    bool settled() const noexcept;

    // What the bytes fed so far say, as if they were the whole text.
    DetectedEncoding result() const noexcept;

    // True while the bytes fed so far hold no mark and nothing beyond ASCII, so that they read the
    // same in GBK and in UTF-8.
    bool plainAscii() const noexcept;

private:
    // Up to the longest mark's length of the first bytes.
    char m_start[3] = {};
    std::size_t m_startLength = 0;
    Utf8Validator m_utf8;
};

// The encoding of an unmarked text by what a validator saw of all of it.
TextEncoding unmarkedEncoding(const Utf8Validator& utf8) noexcept;

// Detects the encoding of a file, reading only as far as it must. Nothing when it cannot be read.
std::optional<DetectedEncoding> detectFileEncoding(std::string_view path);

} // namespace qytxt::core

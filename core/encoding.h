#pragma once

#include "core/text.h"

#include <optional>
#include <string>
#include <string_view>

// Encoding conversion through iconv, whole or nothing: any invalid or truncated input fails the
// whole conversion, with no partial output and no replacement characters.
namespace qytxt::core {

// Converts between two encodings named as iconv names them. The empty byte set on failure.
ByteSet convertEncoding(std::string_view bytes, const char* from, const char* to);

// The two conversions every edge of the system needs (terminal, file names, widgets).
// They keep a converter per thread, so they are cheap to call per file name.
std::optional<Text> utf8ToGbk(std::string_view utf8);
std::optional<std::string> gbkToUtf8(std::string_view gbk);

} // namespace qytxt::core

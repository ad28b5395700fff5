#pragma once

#include "core/text.h"

#include <string_view>

// Conversions between printable ASCII and its two-byte full-width GBK forms.
namespace qytxt::core {

// Printable ASCII becomes its full-width form; two-byte characters and control bytes stay; a lone
// lead byte at the end is dropped.
Text toFullWidth(std::string_view text);

// Full-width forms (and the ideographic space, wave dash, ☆ and ★) become ASCII; other two-byte
// characters stay; a lone lead byte at the end is dropped.
Text toHalfWidth(std::string_view text);

} // namespace qytxt::core

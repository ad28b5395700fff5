#pragma once

#include "core/text_encoding.h"
#include "split/byte_source.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Where lines end in a text's own bytes. A line ends at its line feed (a CR before it belongs to the
// line); in UTF-16 the line feed is the unit 0x000A, never a byte 0x0A inside another unit.
namespace qytxt::split {

// Bytes per unit of the encoding: 2 for UTF-16, else 1.
std::size_t unitSize(core::TextEncoding encoding) noexcept;

// Where the next line feed at or after `from` starts, in bytes that start at a unit's first byte;
// npos when none is whole in them. `from` must be a multiple of the unit size.
std::size_t findLineFeed(core::TextEncoding encoding, std::string_view bytes, std::size_t from) noexcept;

// The first line start at or after `offset`, a character boundary of the source: `offset` itself
// when a line starts there, at the text's start (its mark included) or at its end, else the byte
// after the next line feed, or the end when none follows. Nothing when the source cannot be read.
std::optional<std::int64_t> nextLineStart(ByteSource& source, core::TextEncoding encoding, std::int64_t markLength,
                                          std::int64_t offset);

} // namespace qytxt::split

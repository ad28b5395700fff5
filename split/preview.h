#pragma once

#include "core/text.h"
#include "split/split_job.h"

#include <array>
#include <optional>

// What the info panel says a split of the current source would do, and the split panel's rules
// for its number fields.
namespace qytxt::split {

// The five lines: title, character count, size, mode, details.
using PreviewLines = std::array<core::Text, 5>;

PreviewLines previewLines(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText);

// The info panel's text: the five lines with a blank line between each two.
core::Text previewText(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText);

// What a number field's text becomes when it loses the focus, or nothing when it stays.
std::optional<core::Text> partsFieldReplacement(const core::Text& text);
std::optional<core::Text> sizeFieldReplacement(const core::Text& text);

// The size field's tidy step before its lost-focus rule: "007" becomes "7" and "0" the empty
// text. Nothing when the text stays as it is.
std::optional<core::Text> tidySizeFieldText(const core::Text& text);

} // namespace qytxt::split

#pragma once

#include "core/text.h"
#include "core/text_encoding.h"
#include "split/split_job.h"
#include "split/text_count.h"

#include <array>
#include <optional>

// What the info panel says a split of the current source would do, and the split panel's rules
// for its number fields.
namespace qytxt::split {

// The five lines: title, character count, size, mode, details.
using PreviewLines = std::array<core::Text, 5>;

struct Preview {
    PreviewLines lines;
    // "文本编码: " and the name of the encoding the text is counted in; "未知" without a source path.
    core::Text encodingLine;
    // The text is read in another model than GBK's, which the panel then names.
    bool otherThanGbk = false;
};

// By chapters, the details name the parts and the chapters found by `headings`.
Preview makePreview(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText,
                    core::EncodingChoice encoding = std::nullopt, const HeadingMatcher& headings = {});

// The preview of a source path that is not empty, from a count taken already, or with "未知" for
// the count, the details and the encoding while the count is still to come.
// `headingCount` is what the count's pass found for a split by chapters.
Preview countedPreview(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText,
                       const std::optional<TextCount>& count, std::int64_t headingCount = 0);

PreviewLines previewLines(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText);

// The info panel's text: the five lines with a blank line between each two, and the encoding line
// after them for a text that is not read as GBK.
core::Text previewText(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText);
core::Text previewText(const Preview& preview);

// What a number field's text becomes when it loses the focus, or nothing when it stays.
std::optional<core::Text> partsFieldReplacement(const core::Text& text);
std::optional<core::Text> sizeFieldReplacement(const core::Text& text);

// The size field's tidy step before its lost-focus rule: "007" becomes "7" and "0" the empty
// text. Nothing when the text stays as it is.
std::optional<core::Text> tidySizeFieldText(const core::Text& text);

} // namespace qytxt::split

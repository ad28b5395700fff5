#include "split/preview.h"

#include "core/file_ops.h"
#include "core/numbers.h"
#include "split/part_plan.h"
#include "split/split_naming.h"
#include "split/split_texts.h"
#include "split/text_count.h"

#include <limits>

namespace qytxt::split {
namespace {

core::Text line(std::string_view label, std::string_view value)
{
    core::Text joined(label);
    joined.append(value);
    return joined;
}

core::Text modeLine(SplitMode mode)
{
    return line(texts::kLineMode, mode == SplitMode::ByParts ? texts::kModeByParts : texts::kModeBySize);
}

core::Text details(SplitMode mode, std::int64_t characterCount, const core::Text& numberText)
{
    const std::optional<PartPlan> plan = PartPlan::make(mode, characterCount, core::textToInteger(numberText));
    if (!plan)
        return core::Text(texts::kUnknown); // a field still being edited: nothing sensible to announce
    core::Text result(texts::kDetailsStart);
    if (mode == SplitMode::ByParts) {
        result.append(numberText).append(texts::kDetailsMiddle).append(core::integerToText(plan->baseLength()));
    } else {
        // An empty text announces no parts, although the job then writes its one unnumbered file.
        const std::int64_t parts = characterCount == 0 ? 0 : plan->partCount();
        result.append(core::integerToText(parts)).append(texts::kDetailsMiddle).append(numberText);
    }
    result.append(texts::kDetailsEnd);
    return result;
}

} // namespace

Preview makePreview(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText,
                    core::EncodingChoice encoding)
{
    if (sourcePath.empty()) {
        return {{line(texts::kLineTitle, texts::kUnknown), line(texts::kLineCount, texts::kUnknown),
                 line(texts::kLineSize, texts::kUnknown), line(texts::kLineMode, texts::kUnknown),
                 line(texts::kLineDetails, texts::kUnknown)},
                line(texts::kLineEncoding, texts::kUnknown),
                false};
    }
    // A file that cannot be read counts as an empty text.
    return countedPreview(
        sourcePath, mode, numberText,
        countFile(sourcePath, encoding).value_or(TextCount{encoding.value_or(core::TextEncoding::Gbk), 0, 0}));
}

Preview countedPreview(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText,
                       const std::optional<TextCount>& count)
{
    core::Text size = core::integerToText(core::fileSize(sourcePath));
    size.append(texts::kBytesUnit);
    if (!count) {
        const core::Text unknown(texts::kUnknown);
        return {{line(texts::kLineTitle, textTitle(sourcePath) + ".txt"), line(texts::kLineCount, unknown),
                 line(texts::kLineSize, size), modeLine(mode), line(texts::kLineDetails, unknown)},
                line(texts::kLineEncoding, unknown),
                false};
    }
    const std::int64_t characterCount = count->fullWidthLength / 2;
    return {{line(texts::kLineTitle, textTitle(sourcePath) + ".txt"),
             line(texts::kLineCount, core::integerToText(characterCount)), line(texts::kLineSize, size), modeLine(mode),
             line(texts::kLineDetails, details(mode, characterCount, numberText))},
            line(texts::kLineEncoding, core::encodingName(count->encoding)),
            count->encoding != core::TextEncoding::Gbk};
}

PreviewLines previewLines(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText)
{
    return makePreview(sourcePath, mode, numberText).lines;
}

core::Text previewText(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText)
{
    return previewText(makePreview(sourcePath, mode, numberText));
}

core::Text previewText(const Preview& preview)
{
    core::Text joined = preview.lines[0];
    for (std::size_t i = 1; i < preview.lines.size(); ++i)
        joined.append("\r\n\r\n").append(preview.lines[i]);
    if (preview.otherThanGbk)
        joined.append("\r\n\r\n").append(preview.encodingLine);
    return joined;
}

std::optional<core::Text> partsFieldReplacement(const core::Text& text)
{
    if (core::textToInteger(text) <= 1)
        return core::Text("6");
    return std::nullopt;
}

std::optional<core::Text> sizeFieldReplacement(const core::Text& text)
{
    if (core::textToInteger(text) < 1)
        return core::Text("3000");
    return std::nullopt;
}

std::optional<core::Text> tidySizeFieldText(const core::Text& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Magnitudes up to 2^63 fit unsigned; past that the value sticks at the nearest limit.
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
    }
    std::int64_t value;
    if (negative)
        value = magnitude == kLimit ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(magnitude);
    else
        value = magnitude >= kLimit ? std::numeric_limits<std::int64_t>::max() : static_cast<std::int64_t>(magnitude);

    core::Text tidy = value == 0 ? core::Text() : core::integerToText(value);
    if (tidy == text)
        return std::nullopt;
    return tidy;
}

} // namespace qytxt::split

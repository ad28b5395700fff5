#include "split/preview.h"

#include "core/file_ops.h"
#include "core/numbers.h"
#include "split/counting_pass.h"
#include "split/part_plan.h"
#include "split/split_naming.h"
#include "split/split_texts.h"

#include <limits>

namespace qytxt::split {
namespace {

core::Text line(std::string_view label, std::string_view value)
{
    core::Text joined(label);
    joined.append(value);
    return joined;
}

core::Text chapterDetails(std::int64_t headingCount, const core::Text& numberText)
{
    if (headingCount == 0)
        return core::Text(texts::kNoHeadings);
    const std::optional<PartPlan> plan =
        PartPlan::make(SplitMode::ByChapters, headingCount, core::textToInteger(numberText));
    if (!plan)
        return core::Text(texts::kUnknown);
    core::Text result(texts::kDetailsStart);
    result.append(core::integerToText(plan->partCount())).append(texts::kDetailsMiddle).append(numberText);
    result.append(texts::kDetailsChaptersEnd).append(core::integerToText(headingCount)).append(texts::kChaptersUnit);
    return result;
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

std::string_view modeName(SplitMode mode)
{
    switch (mode) {
    case SplitMode::ByParts:
        return texts::kModeByParts;
    case SplitMode::BySize:
        return texts::kModeBySize;
    case SplitMode::ByChapters:
        return texts::kModeByChapters;
    }
    return texts::kUnknown;
}

core::Text modeLine(SplitMode mode)
{
    return line(texts::kLineMode, modeName(mode));
}

} // namespace

Preview makePreview(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText,
                    core::EncodingChoice encoding, const HeadingMatcher& headings)
{
    if (sourcePath.empty()) {
        return {{line(texts::kLineTitle, texts::kUnknown), line(texts::kLineCount, texts::kUnknown),
                 line(texts::kLineSize, texts::kUnknown), line(texts::kLineMode, texts::kUnknown),
                 line(texts::kLineDetails, texts::kUnknown)},
                line(texts::kLineEncoding, texts::kUnknown),
                false};
    }
    // A file that cannot be read counts as an empty text. Headings are found in the count's pass.
    std::optional<HeadingScanner> scanner;
    if (mode == SplitMode::ByChapters)
        scanner.emplace(headings, encoding);
    PassOptions options;
    options.headings = scanner ? &*scanner : nullptr;
    const std::optional<TextCount> counted = countFile(sourcePath, encoding, options);
    const std::int64_t headingCount = scanner && counted ? static_cast<std::int64_t>(scanner->headings().size()) : 0;
    return countedPreview(sourcePath, mode, numberText,
                          counted.value_or(TextCount{encoding.value_or(core::TextEncoding::Gbk), 0, 0}), headingCount);
}

Preview countedPreview(const core::Text& sourcePath, SplitMode mode, const core::Text& numberText,
                       const std::optional<TextCount>& count, std::int64_t headingCount)
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
             line(texts::kLineDetails, mode == SplitMode::ByChapters ? chapterDetails(headingCount, numberText)
                                                                     : details(mode, characterCount, numberText))},
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
        return core::Text(texts::kDefaultParts);
    return std::nullopt;
}

std::optional<core::Text> sizeFieldReplacement(const core::Text& text)
{
    if (core::textToInteger(text) < 1)
        return core::Text(texts::kDefaultSize);
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

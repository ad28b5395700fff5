#include "split/heading_rules.h"

#include <algorithm>
#include <string>

// GCC 12 warns falsely about the insides of <regex> when optimising.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>

namespace qytxt::split {
namespace {

constexpr std::size_t kMaxHeadingCharacters = 40;

// The line's code points, or nothing when it is not valid UTF-8.
std::optional<std::u32string> codePoints(std::string_view utf8)
{
    std::u32string points;
    points.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > utf8.size())
            return std::nullopt;
        auto point = static_cast<char32_t>(length == 1 ? lead : lead & (0x7F >> length));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            point = (point << 6) | (next & 0x3F);
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\u3000';
}

bool isAsciiDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool isFullWidthDigit(char32_t c)
{
    return c >= U'\uFF10' && c <= U'\uFF19';
}

bool isChineseNumeral(char32_t c)
{
    static constexpr std::u32string_view kNumerals =
        U"\u96F6\u3007\u4E00\u4E8C\u4E24\u4E09\u56DB\u4E94\u516D\u4E03\u516B\u4E5D\u5341\u767E\u5343\u4E07"
        U"\u58F9\u8D30\u53C1\u8086\u4F0D\u9646\u67D2\u634C\u7396\u62FE\u4F70\u4EDF";
    return kNumerals.find(c) != std::u32string_view::npos;
}

bool isPunctuation(char32_t c)
{
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E) || c == 0xB7 || (c >= 0x2010 && c <= 0x205E) || (c >= 0x3001 && c <= 0x303F) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
           (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65);
}

// A keyword ends a heading's opening only where the line ends, a blank or punctuation follows.
bool keywordEndsAt(std::u32string_view line, std::size_t at)
{
    return at == line.size() || isBlank(line[at]) || isPunctuation(line[at]);
}

// The length of the number at the start of `text`: a run of one kind of digits.
std::size_t numberLength(std::u32string_view text, bool chineseToo)
{
    if (text.empty())
        return 0;
    bool (*kind)(char32_t) = isAsciiDigit(text[0])                     ? isAsciiDigit
                             : isFullWidthDigit(text[0])               ? isFullWidthDigit
                             : chineseToo && isChineseNumeral(text[0]) ? isChineseNumeral
                                                                       : nullptr;
    if (kind == nullptr)
        return 0;
    return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), kind) - text.begin());
}

// 第 + number + 章回节卷集部篇
bool isNumberedHeading(std::u32string_view line)
{
    static constexpr std::u32string_view kKinds = U"\u7AE0\u56DE\u8282\u5377\u96C6\u90E8\u7BC7";
    if (line.empty() || line[0] != U'\u7B2C')
        return false;
    const std::size_t digits = numberLength(line.substr(1), true);
    const std::size_t kind = 1 + digits;
    return digits > 0 && kind < line.size() && kKinds.find(line[kind]) != std::u32string_view::npos &&
           keywordEndsAt(line, kind + 1);
}

// 序章 序言 楔子 引子 前言 番外 尾声 后记 终章 完本感言
bool isNamedHeading(std::u32string_view line)
{
    static constexpr std::u32string_view kWords[] = {
        U"\u5E8F\u7AE0", U"\u5E8F\u8A00", U"\u6954\u5B50", U"\u5F15\u5B50", U"\u524D\u8A00",
        U"\u756A\u5916", U"\u5C3E\u58F0", U"\u540E\u8BB0", U"\u7EC8\u7AE0", U"\u5B8C\u672C\u611F\u8A00"};
    return std::any_of(std::begin(kWords), std::end(kWords), [line](std::u32string_view word) {
        return line.starts_with(word) && keywordEndsAt(line, word.size());
    });
}

// "Chapter" in any letter case, blanks, a number of ASCII or full-width digits.
bool isEnglishHeading(std::u32string_view line)
{
    static constexpr std::u32string_view kWord = U"chapter";
    if (line.size() <= kWord.size())
        return false;
    for (std::size_t i = 0; i < kWord.size(); ++i)
        if ((line[i] | 0x20) != kWord[i])
            return false;
    std::size_t at = kWord.size();
    while (at < line.size() && isBlank(line[at]))
        ++at;
    const std::size_t digits = numberLength(line.substr(at), false);
    return digits > 0 && keywordEndsAt(line, at + digits);
}

} // namespace

bool isHeadingByRules(std::string_view utf8Line)
{
    const std::optional<std::u32string> points = codePoints(utf8Line);
    if (!points)
        return false;
    std::u32string_view line = *points;
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && (isBlank(line.back()) || line.back() == U'\r'))
        line.remove_suffix(1);
    if (line.size() > kMaxHeadingCharacters)
        return false;
    return isNumberedHeading(line) || isNamedHeading(line) || isEnglishHeading(line);
}

struct HeadingMatcher::Pattern {
    std::regex regex;
};

std::optional<HeadingMatcher> HeadingMatcher::pattern(std::string_view utf8Pattern, std::string* error)
{
    HeadingMatcher matcher;
    try {
        matcher.m_pattern = std::make_shared<const Pattern>(
            Pattern{std::regex(utf8Pattern.begin(), utf8Pattern.end(), std::regex::ECMAScript | std::regex::optimize)});
    } catch (const std::regex_error& failure) {
        if (error != nullptr)
            *error = failure.what();
        return std::nullopt;
    }
    return matcher;
}

bool HeadingMatcher::matches(std::string_view utf8Line) const
{
    if (!m_pattern)
        return isHeadingByRules(utf8Line);
    try {
        return std::regex_search(utf8Line.begin(), utf8Line.end(), m_pattern->regex);
    } catch (const std::regex_error&) {
        return false; // a pattern too complex for this line: no heading rather than no split
    }
}

} // namespace qytxt::split

#pragma once

#include <memory>
#include <optional>
#include <string_view>

// What a chapter heading is. Lines are judged as UTF-8 without their line break, whatever the
// encoding of the text they come from.
namespace qytxt::split {

// The built-in rules. After leading blanks (spaces, tabs, U+3000) a heading starts with 第 + a number
// (ASCII, full-width or Chinese digits) + one of 章回节卷集部篇, with one of the fixed words such as
// 序章 or 楔子, or with "Chapter" + a number in any letter case; the keyword is followed by the end of
// the line, a blank or punctuation, so 第二天 or 序章开始了 are not headings. A heading is at most 40
// characters long, blanks around it not counted.
bool isHeadingByRules(std::string_view utf8Line);

// The rules, or a user's ECMAScript pattern in their place. Copies share one compiled pattern.
class HeadingMatcher {
public:
    HeadingMatcher() = default;

    // A line is a heading where the pattern (UTF-8) matches some of it. Nothing when it does not
    // compile; `error` then says why, in English.
    static std::optional<HeadingMatcher> pattern(std::string_view utf8Pattern, std::string* error = nullptr);

    bool usesRules() const noexcept { return m_pattern == nullptr; }
    bool matches(std::string_view utf8Line) const;

private:
    struct Pattern;
    std::shared_ptr<const Pattern> m_pattern;
};

// What may open a heading by the rules, after its blanks, in UTF-8: a line that starts otherwise is
// passed over without being converted.
inline constexpr std::string_view kHeadingBlanks[] = {" ", "\t", "\u3000"};
inline constexpr std::string_view kHeadingStarts[] = {"\u7B2C", "\u5E8F", "\u6954", "\u5F15", "\u524D", "\u756A",
                                                      "\u5C3E", "\u540E", "\u7EC8", "\u5B8C", "C",      "c"};

} // namespace qytxt::split

#include "split/heading_rules.h"

#include "named_case.h"

#include <gtest/gtest.h>

#include <string>

namespace qytxt::split {
namespace {

struct LineCase : testing::NamedCase {
    std::string line; // UTF-8, as the scanner hands it over
    bool heading;
};

class HeadingRules : public ::testing::TestWithParam<LineCase> {};

TEST_P(HeadingRules, JudgeTheLine)
{
    EXPECT_EQ(isHeadingByRules(GetParam().line), GetParam().heading) << GetParam().line;
    EXPECT_EQ(HeadingMatcher().matches(GetParam().line), GetParam().heading);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HeadingRules,
    ::testing::Values(
        LineCase{"LargeChineseNumber", "第一千二百三十四章 标题", true},
        LineCase{"IdeographicIndent", "　　第12章", true},
        LineCase{"MixedIndentAndTrailingBlanks", " \t　第3章 　", true}, LineCase{"FullWidthDigits", "第１２章", true},
        LineCase{"FinancialNumerals", "第壹佰零贰章：重逢", true}, LineCase{"Hui", "第十回", true},
        LineCase{"VolumeWithPunctuation", "第二卷·风起", true}, LineCase{"ZeroCircle", "第〇章", true},
        LineCase{"CarriageReturnLeftOn", "第5章\r", true}, LineCase{"ChapterWord", "Chapter 7", true},
        LineCase{"ChapterAnyCaseNoBlank", "CHAPTER12: Home", true}, LineCase{"ChapterRomanIsNot", "chapter IX", false},
        LineCase{"ChapterInAWord", "Chapters 7", false}, LineCase{"NextMorning", "第二天早上他……", false},
        LineCase{"FirstLesson", "第一节课", false}, LineCase{"FirstSet", "第一集合", false},
        LineCase{"NoNumber", "第章", false}, LineCase{"NoKind", "第12", false}, LineCase{"Clock", "12点", false},
        LineCase{"FortyCharactersWithTitle", "第1章 " + std::string(36, 'x'), true},
        LineCase{"FortyOneCharacters", "第1章 " + std::string(37, 'x'), false},
        LineCase{"LongIndentNotCounted", std::string(50, ' ') + "第1章", true}, LineCase{"Prologue", "序章", true},
        LineCase{"PrologueWithTitle", "楔子　雨夜", true}, LineCase{"AfterwordPunctuated", "完本感言！", true},
        LineCase{"PrologueInASentence", "序章开始了", false},
        LineCase{"HeadingInsideALine", "他读到第1章 就睡了", false}, LineCase{"Empty", "", false},
        LineCase{"InvalidUtf8", "第1章\xFF", false}),
    testing::CaseName());

struct PatternCase : testing::NamedCase {
    std::string pattern;
    std::string line;
    bool heading;
};

class HeadingPattern : public ::testing::TestWithParam<PatternCase> {};

// A pattern replaces the rules: what they refuse it may take, and the other way round.
TEST_P(HeadingPattern, ReplacesTheRules)
{
    const std::optional<HeadingMatcher> matcher = HeadingMatcher::pattern(GetParam().pattern);
    ASSERT_TRUE(matcher);
    EXPECT_FALSE(matcher->usesRules());
    EXPECT_EQ(matcher->matches(GetParam().line), GetParam().heading);
}

INSTANTIATE_TEST_SUITE_P(Patterns, HeadingPattern,
                         ::testing::Values(PatternCase{"RomanNumerals", "^chapter [IVX]+$", "chapter IX", true},
                                           PatternCase{"RulesHeadingRefused", "^卷[0-9]+", "第1章", false},
                                           PatternCase{"ChineseByteForByte", "^卷[0-9]+", "卷12 归来", true},
                                           PatternCase{"SearchedNotWhole", "章", "第1章 标题", true}),
                         testing::CaseName());

TEST(HeadingPattern, ThatDoesNotCompileSaysWhy)
{
    std::string error;
    EXPECT_FALSE(HeadingMatcher::pattern("^(第", &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
} // namespace qytxt::split

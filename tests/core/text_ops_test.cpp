#include "core/text_ops.h"
#include "named_case.h"

#include <gtest/gtest.h>

namespace qytxt::core {
namespace {

// 賊 is D9 5C: its second byte is the backslash, 0x5C. 檬 is C3 CA. 亅 is 81 7C: second byte "|".
constexpr std::string_view kPathWithBackslashTrail = "C:\\\xD9\\.txt";

struct FindCase : qytxt::testing::NamedCase {
    std::string_view text;
    std::string_view wanted;
    int first;
    int last;
};

class FindTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FirstAndLast)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(findFirst(c.text, c.wanted), c.first);
    EXPECT_EQ(findLast(c.text, c.wanted), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Search, FindTest,
    ::testing::Values(FindCase{"Plain", "abcabc", "bc", 2, 5}, FindCase{"NotFound", "abc", "x", -1, -1},
                      FindCase{"EmptyText", "", "a", -1, -1}, FindCase{"EmptyWanted", "abc", "", 1, 1},
                      FindCase{"BothEmpty", "", "", -1, -1}, FindCase{"WantedLonger", "ab", "abc", -1, -1},
                      FindCase{"OverlappingLastWins", "aaa", "aa", 1, 2},
                      FindCase{"BackslashAsSecondByteIsNotASeparator", kPathWithBackslashTrail, "\\", 3, 3},
                      FindCase{"OnlyInsideACharacter", "\xC3\xCA", "\xCA", -1, -1},
                      FindCase{"BarAsSecondByteIsNotADelimiter", "\x81|a|", "|", 4, 4},
                      FindCase{"TwoByteWanted", "a\xC3\xCA\xC3\xCA", "\xC3\xCA", 2, 4},
                      FindCase{"LoneLeadByteAtEndIsStillCompared", "ab\xC3", "\xC3", 3, 3},
                      FindCase{"WholeText", "abc", "abc", 1, 1}),
    qytxt::testing::CaseName());

struct CutCase : qytxt::testing::NamedCase {
    std::string_view text;
    int start; // 0 for left part, else the start of a middle part
    int count;
    std::string_view expected;
};

class CutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutTest, Cuts)
{
    const CutCase& c = GetParam();
    if (c.start == 0)
        EXPECT_EQ(leftPart(c.text, c.count), c.expected);
    else
        EXPECT_EQ(middlePart(c.text, c.start, c.count), c.expected);
}

TEST(MiddlePart, StartBelowOneGivesNothing)
{
    EXPECT_EQ(middlePart("abc", 0, 1), "");
    EXPECT_EQ(middlePart("abc", -1, 5), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cut, CutTest,
    ::testing::Values(CutCase{"LeftSome", "abcdef", 0, 2, "ab"}, CutCase{"LeftZero", "abc", 0, 0, ""},
                      CutCase{"LeftNegative", "abc", 0, -3, ""}, CutCase{"LeftBeyond", "abc", 0, 10, "abc"},
                      CutCase{"LeftSplitsACharacter",
                              "\xC3\xCA"
                              "a",
                              0, 1, "\xC3"},
                      CutCase{"MiddleSome", "abcdef", 2, 3, "bcd"}, CutCase{"MiddleClipped", "abcdef", 5, 10, "ef"},
                      CutCase{"MiddleAfterEnd", "abc", 4, 1, ""}, CutCase{"MiddleCountZero", "abc", 1, 0, ""},
                      CutCase{"MiddleLastByte", "abc", 3, 1, "c"}),
    qytxt::testing::CaseName());

struct SplitCase : qytxt::testing::NamedCase {
    std::string_view text;
    std::string_view delimiter;
    TextList expected;
};

class SplitTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, Pieces)
{
    EXPECT_EQ(splitText(GetParam().text, GetParam().delimiter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Split, SplitTextTest,
                         ::testing::Values(SplitCase{"TwoItems", "a|b", "|", {"a", "b"}},
                                           SplitCase{"TrailingDelimiterAddsNothing", "a|b|", "|", {"a", "b"}},
                                           SplitCase{"LeadingDelimiter", "|a", "|", {"", "a"}},
                                           SplitCase{"EmptyMiddle", "a||b", "|", {"a", "", "b"}},
                                           SplitCase{"OnlyTheDelimiter", "|", "|", {""}},
                                           SplitCase{"NoDelimiter", "abc", "|", {"abc"}},
                                           SplitCase{"EmptyText", "", "|", {}},
                                           SplitCase{"EmptyDelimiter", "a|b", "", {"a|b"}},
                                           SplitCase{"BarInsideACharacter", "\x81|x|y", "|", {"\x81|x", "y"}},
                                           SplitCase{"LongDelimiter", "a//m//b//m//", "//m//", {"a", "b"}},
                                           SplitCase{"MarkerTwiceSideBySide", "x//m////m//y", "//m//", {"x", "", "y"}},
                                           SplitCase{"LoneLeadByteKeptInTheRest", "a|b\xC3", "|", {"a", "b\xC3"}}),
                         qytxt::testing::CaseName());

} // namespace
} // namespace qytxt::core

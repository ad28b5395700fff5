#include "core/width.h"
#include "named_case.h"

#include <gtest/gtest.h>

namespace qytxt::core {
namespace {

struct WidthCase : qytxt::testing::NamedCase {
    std::string_view input;
    std::string_view expected;
};

class FullWidthTest : public ::testing::TestWithParam<WidthCase> {};
class HalfWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(FullWidthTest, Converts)
{
    EXPECT_EQ(toFullWidth(GetParam().input), GetParam().expected);
}

TEST_P(HalfWidthTest, Converts)
{
    EXPECT_EQ(toHalfWidth(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Width, FullWidthTest,
                         ::testing::Values(WidthCase{"LettersBlankTilde", "a b~", "\xA3\xE1\xA1\xA1\xA3\xE2\xA1\xAB"},
                                           WidthCase{"ControlBytesStay", "\r\n\t\x7F", "\r\n\t\x7F"},
                                           WidthCase{"PunctuationAndDigits", "!0}", "\xA3\xA1\xA3\xB0\xA3\xFD"},
                                           WidthCase{"TwoByteCharacterStays", "\xB0\xA1", "\xB0\xA1"},
                                           WidthCase{"SecondByteBelow0x80Stays", "\xD9\\", "\xD9\\"},
                                           WidthCase{"LoneLeadByteAtEndDropped", "a\xB0", "\xA3\xE1"},
                                           WidthCase{"Empty", "", ""}),
                         qytxt::testing::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Width, HalfWidthTest,
    ::testing::Values(WidthCase{"LetterAndBlackStar", "\xA3\xC1\xA1\xEF", "A*"},
                      WidthCase{"WhiteStar", "\xA1\xEE", "*"}, WidthCase{"IdeographicSpace", "\xA1\xA1", " "},
                      WidthCase{"WaveDash", "\xA1\xAB", "~"}, WidthCase{"FullWidthComma", "\xA3\xAC", ","},
                      WidthCase{"ChineseStays", "\xB0\xA1", "\xB0\xA1"},
                      WidthCase{"A3RowBelowA1Stays", "\xA3\xA0", "\xA3\xA0"}, WidthCase{"AsciiStays", "a\r\n", "a\r\n"},
                      WidthCase{"LoneLeadByteAtEndDropped", "a\xA3", "a"},
                      WidthCase{"PairWithLowSecondByteStays", "\xD9\\", "\xD9\\"}),
    qytxt::testing::CaseName());

TEST(WidthRoundTrip, PrintableAsciiComesBack)
{
    std::string ascii;
    for (int c = 0x01; c < 0x80; ++c)
        ascii += static_cast<char>(c);
    EXPECT_EQ(toHalfWidth(toFullWidth(ascii)), ascii);
}

TEST(WidthRoundTrip, EveryPrintableAndEveryPairTakesTwoBytes)
{
    const std::string text = "ab \xB0\xA1\xD9\\~";
    EXPECT_EQ(toFullWidth(text).size(), 2u * 6u);
}

} // namespace
} // namespace qytxt::core

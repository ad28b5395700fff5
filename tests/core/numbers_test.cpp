#include "core/numbers.h"
#include "named_case.h"

#include <gtest/gtest.h>

namespace qytxt::core {
namespace {

struct IntegerCase : qytxt::testing::NamedCase {
    std::string_view text;
    std::int32_t expected;
};

class TextToIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(TextToIntegerTest, Reads)
{
    EXPECT_EQ(textToInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, TextToIntegerTest,
                         ::testing::Values(IntegerCase{"Plain", "3000", 3000},
                                           IntegerCase{"FullWidthDigits", "\xA3\xB3\xA3\xB0\xA3\xB0\xA3\xB0", 3000},
                                           IntegerCase{"LeadingBlankThenLetters", " 12abc", 12},
                                           IntegerCase{"Fraction", "1.9", 1}, IntegerCase{"Letters", "abc", 0},
                                           IntegerCase{"Empty", "", 0}, IntegerCase{"Negative", "-5", -5},
                                           IntegerCase{"MinusZero", "-0", 0}, IntegerCase{"Plus", "+7", 7},
                                           IntegerCase{"WhiteSpaceAndLineEnds", "\t\r\n\v\f 42", 42},
                                           IntegerCase{"IdeographicSpaceCountsAsBlank",
                                                       "\xA1\xA1"
                                                       "6",
                                                       6},
                                           IntegerCase{"FullWidthMinus",
                                                       "\xA3\xAD"
                                                       "5",
                                                       -5},
                                           IntegerCase{"SignOnly", "-", 0}, IntegerCase{"TwoSigns", "--5", 0},
                                           IntegerCase{"LeadingZeros", "007", 7},
                                           IntegerCase{"Largest", "2147483647", 2147483647},
                                           IntegerCase{"WrapsAt32Bits", "2147483648", -2147483647 - 1},
                                           IntegerCase{"WrapsPast32Bits", "4294967297", 1}),
                         qytxt::testing::CaseName());

TEST(NumberToText, IntegersAndReals)
{
    EXPECT_EQ(integerToText(-1), "-1");
    EXPECT_EQ(integerToText(0), "0");
    EXPECT_EQ(integerToText(166666), "166666");
    EXPECT_EQ(realToText(5.0), "5");
    EXPECT_EQ(realToText(2.0), "2");
    EXPECT_EQ(realToText(6.5), "6.5");
    EXPECT_EQ(realToText(0.1), "0.1");
    EXPECT_EQ(realToText(-1.0), "-1");
    EXPECT_EQ(realToText(1.0 / 3.0), "0.3333333333333");
}

TEST(RealToInteger, TruncatesTowardZero)
{
    EXPECT_EQ(realToInteger(7.9), 7);
    EXPECT_EQ(realToInteger(-7.9), -7);
    EXPECT_EQ(realToInteger(4294967296.0 + 5.0), 5); // the low 32 bits
}

TEST(Remainder, HasTheSignOfTheDividend)
{
    EXPECT_EQ(remainder(7, 3), 1);
    EXPECT_EQ(remainder(-7, 3), -1);
    EXPECT_EQ(remainder(7, -3), 1);
}

TEST(ByteSets, IntegerBytesAndTextCut)
{
    EXPECT_EQ(integerToByteSet(0), std::string("\0\0\0\0", 4));
    EXPECT_EQ(integerToByteSet(14), std::string("\x0E\0\0\0", 4));
    EXPECT_EQ(integerToByteSet(-1), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(byteSetToText(std::string_view("A\0B", 3)), "A");
    EXPECT_EQ(byteSetToText("AB"), "AB");
    EXPECT_EQ(byteSetToText(""), "");
}

} // namespace
} // namespace qytxt::core

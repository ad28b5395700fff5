#include "core/natural_order.h"

#include "named_case.h"

#include <gtest/gtest.h>

namespace qytxt::core {
namespace {

// GBK: 小说 D0A1 CBB5, 第 B5DA, 章 D5C2, 上 C9CF, 卷 BEED.
#define XIAOSHUO "\xD0\xA1\xCB\xB5"
#define DI "\xB5\xDA"
#define ZHANG "\xD5\xC2"
#define SHANG "\xC9\xCF"
#define JUAN "\xBE\xED"

struct OrderCase : qytxt::testing::NamedCase {
    std::string_view first;
    std::string_view second;
    std::strong_ordering expected;
};

class NaturalCompareTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(NaturalCompareTest, OrdersBothWays)
{
    const OrderCase& row = GetParam();
    EXPECT_TRUE(naturalCompare(row.first, row.second) == row.expected);
    // Swapped, the answer turns round: the order is one a sort can rely on.
    EXPECT_TRUE(naturalCompare(row.second, row.first) == 0 <=> row.expected);
}

constexpr auto kLess = std::strong_ordering::less;
constexpr auto kEqual = std::strong_ordering::equal;
constexpr auto kGreater = std::strong_ordering::greater;

INSTANTIATE_TEST_SUITE_P(
    NaturalOrder, NaturalCompareTest,
    ::testing::Values(OrderCase{"TwoBeforeTen", XIAOSHUO "(2).txt", XIAOSHUO "(10).txt", kLess},
                      OrderCase{"NineBeforeTenInBrackets", XIAOSHUO "(9).txt", XIAOSHUO "(10).txt", kLess},
                      OrderCase{"NumberAfterCharacters", DI "2" ZHANG, DI "12" ZHANG, kLess},
                      OrderCase{"BytesOtherwise", "a.txt", "b.txt", kLess},
                      OrderCase{"LetterCaseAsSpelled", "B.txt", "a.txt", kLess},
                      OrderCase{"AsciiBeforeTwoByteCharacters", "z.txt", SHANG ".txt", kLess},
                      OrderCase{"DigitAgainstOtherByte", "a-1", "a1", kLess},
                      OrderCase{"ShorterPrefixFirst", DI "1" ZHANG ".txt", DI "1" ZHANG SHANG ".txt", kLess},
                      OrderCase{"ValueOverLeadingZeros", "09.txt", "10.txt", kLess},
                      OrderCase{"EqualNumbersFewerZerosFirst", "7.txt", "07.txt", kLess},
                      OrderCase{"ZerosOnly", "0", "00", kLess},
                      OrderCase{"FirstZerosDifferenceDecides", "1-02", "01-2", kLess},
                      OrderCase{"StructureBeforeZeros", "01a", "1b", kLess},
                      OrderCase{"LongerThanAnyIntegerType", "99999999999999999999", "100000000000000000000", kLess},
                      OrderCase{"FoldersByNumberToo", JUAN "2/10.txt", JUAN "10/2.txt", kLess},
                      // GB18030 81 39 and 81 31 (octal 201): the digits are second bytes, compared as
                      // bytes, not read as 9 and 10.
                      OrderCase{"DigitInsideACharacter", "\2019A", "\20110A", kGreater},
                      OrderCase{"LoneLeadByteAtTheEnd", "a\x81", "a\x82", kLess},
                      OrderCase{"Identical", XIAOSHUO "(10).txt", XIAOSHUO "(10).txt", kEqual},
                      OrderCase{"BothEmpty", "", "", kEqual}),
    qytxt::testing::CaseName());

TEST(SortNaturally, ChaptersComeOutInReadingOrder)
{
    std::vector<Text> names = {DI "10" ZHANG ".txt", DI "2" ZHANG ".txt", DI "1" ZHANG SHANG ".txt",
                               DI "02" ZHANG ".txt", DI "1" ZHANG ".txt"};
    sortNaturally(names);
    EXPECT_EQ(names, (std::vector<Text>{DI "1" ZHANG ".txt", DI "1" ZHANG SHANG ".txt", DI "2" ZHANG ".txt",
                                        DI "02" ZHANG ".txt", DI "10" ZHANG ".txt"}));
}

} // namespace
} // namespace qytxt::core

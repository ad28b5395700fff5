#include "split/split_naming.h"

#include "core/path.h"
#include "named_case.h"
#include "split_test_support.h"

#include <gtest/gtest.h>

namespace qytxt::split {
namespace {

using testing::gbk;

core::Text withSeparators(std::string_view pattern)
{
    // Patterns use '|' for the platform's separator.
    core::Text path;
    for (const char c : pattern) {
        if (c == '|')
            path.append(core::kPathSeparator);
        else
            path.push_back(c);
    }
    return path;
}

struct TitleCase : qytxt::testing::NamedCase {
    core::Text path;
    core::Text title;
};

class TextTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TextTitleTest, TakesTheFileNameWithoutItsLastExtension)
{
    EXPECT_EQ(textTitle(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(Paths, TextTitleTest,
                         ::testing::Values(TitleCase{"Chinese", withSeparators(gbk("D:|小说|三体.txt")), gbk("三体")},
                                           TitleCase{"OnlyTheLastDot", withSeparators("a|b.c.txt"), "b.c"},
                                           TitleCase{"DotInFolderOnly", withSeparators("a.d|readme"), ""},
                                           TitleCase{"NoSeparator", gbk("三体.txt"), ""},
                                           TitleCase{"SeparatorAtEnd", withSeparators("a|"), ""},
                                           TitleCase{"OnlyExtension", withSeparators("a|.txt"), ""},
                                           // A separator or dot byte that is the second byte of a two-byte character is
                                           // part of that character.
                                           TitleCase{"SecondByteLooksLikeSeparator",
                                                     withSeparators("a|x\x81") + core::Text(core::kPathSeparator) +
                                                         "b.txt",
                                                     "x\x81" + core::Text(core::kPathSeparator) + "b"},
                                           TitleCase{"SecondByteLooksLikeDot", withSeparators("a|b.c\x81.d"), "b"},
                                           TitleCase{"SecondByte5C", withSeparators("a|\xD9\x5C.txt"), "\xD9\x5C"}),
                         qytxt::testing::CaseName());

TEST(PartPaths, NameEachPartAfterTheTitle)
{
    const core::Text folder = partFolder(withSeparators("out|"), gbk("三体"));
    EXPECT_EQ(folder, withSeparators("out||") + gbk("三体"));
    EXPECT_EQ(partFilePath(folder, gbk("三体"), 12), folder + core::Text(core::kPathSeparator) + gbk("三体(12).txt"));
    EXPECT_EQ(unnumberedPartFilePath(folder, gbk("三体")), folder + core::Text(core::kPathSeparator) + gbk("三体.txt"));
    // An empty title puts the numbered parts straight into the output folder.
    EXPECT_EQ(partFilePath(partFolder("out", ""), "", 1), withSeparators("out||(1).txt"));
}

TEST(ProgressCaption, TwoLinesWithTheTotalAsGiven)
{
    EXPECT_EQ(progressCaption(3, gbk("６")), gbk("正在分割\r\n3/６"));
    EXPECT_EQ(progressCaption(17600, "17600"), gbk("正在分割\r\n17600/17600"));
}

} // namespace
} // namespace qytxt::split

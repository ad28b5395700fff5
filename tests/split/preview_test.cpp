#include "split/preview.h"

#include "split/counting_pass.h"

#include "named_case.h"
#include "split_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace qytxt::split {
namespace {

using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;
using testing::gbk;
using testing::gbkPath;

TEST(PreviewText, FixedTextWithoutSourcePath)
{
    EXPECT_EQ(previewText("", SplitMode::ByParts, "6"), gbk("文本标题: 未知\r\n\r\n文本字数: 未知\r\n\r\n文本大小: "
                                                            "未知\r\n\r\n待分割方式: 未知\r\n\r\n待分割详情: 未知"));
}

TEST(PreviewText, WorkedExampleInBothModes)
{
    TempDir dir;
    // 1000000 two-byte characters: 2000000 bytes.
    std::string novel;
    for (int i = 0; i < 500000; ++i)
        novel += gbk("三体");
    writeBytes(dir.file("三体.txt"), novel);
    const core::Text path = gbkPath(dir.file("三体.txt"));

    EXPECT_EQ(previewText(path, SplitMode::ByParts, "6"),
              gbk("文本标题: 三体.txt\r\n\r\n文本字数: 1000000\r\n\r\n文本大小: 2000000字节\r\n\r\n"
                  "待分割方式: 按部分分割\r\n\r\n待分割详情: 将分割为6个包含166666字数的文本"));
    const PreviewLines bySize = previewLines(path, SplitMode::BySize, "3000");
    EXPECT_EQ(bySize[3], gbk("待分割方式: 按字数分割"));
    EXPECT_EQ(bySize[4], gbk("待分割详情: 将分割为334个包含3000字数的文本"));
}

struct LinesCase : qytxt::testing::NamedCase {
    const char* fileName; // UTF-8; nullptr leaves the file missing
    std::string contents;
    SplitMode mode;
    const char* numberText; // UTF-8, as typed
    PreviewLines expected;  // UTF-8
};

class PreviewLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(PreviewLinesTest, ShowsWhatTheSplitWouldDo)
{
    const LinesCase& c = GetParam();
    TempDir dir;
    const char* name = c.fileName ? c.fileName : "不存在.txt";
    if (c.fileName)
        writeBytes(dir.file(name), c.contents);
    const PreviewLines lines = previewLines(gbkPath(dir.file(name)), c.mode, gbk(c.numberText));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], gbk(c.expected[i])) << "line " << i;
    // The window shows a count it took before exactly as a fresh one.
    const TextCount taken = countFile(gbkPath(dir.file(name)), std::nullopt).value_or(TextCount{});
    EXPECT_EQ(countedPreview(gbkPath(dir.file(name)), c.mode, gbk(c.numberText), taken).lines, lines);
}

PreviewLines utf8Lines(const char* title, const char* count, const char* size, const char* mode, const char* details)
{
    return {core::Text("文本标题: ") + title, core::Text("文本字数: ") + count, core::Text("文本大小: ") + size,
            core::Text("待分割方式: ") + mode, core::Text("待分割详情: ") + details};
}

INSTANTIATE_TEST_SUITE_P(
    Files, PreviewLinesTest,
    ::testing::Values(LinesCase{"MissingFileByParts", nullptr, "", SplitMode::ByParts, "6",
                                utf8Lines("不存在.txt", "0", "-1字节", "按部分分割", "将分割为6个包含0字数的文本")},
                      LinesCase{"MissingFileBySize", nullptr, "", SplitMode::BySize, "3000",
                                utf8Lines("不存在.txt", "0", "-1字节", "按字数分割", "将分割为0个包含3000字数的文本")},
                      LinesCase{"NoExtension", "readme", "abcd", SplitMode::ByParts, "2",
                                utf8Lines(".txt", "4", "4字节", "按部分分割", "将分割为2个包含2字数的文本")},
                      // Full-width digits are read as their value but shown as typed.
                      LinesCase{"FullWidthDigits", "a.txt", std::string(20, 'x'), SplitMode::ByParts, "６",
                                utf8Lines("a.txt", "20", "20字节", "按部分分割", "将分割为６个包含3字数的文本")},
                      LinesCase{"FullWidthSize", "a.txt", std::string(20, 'x'), SplitMode::BySize, " ７",
                                utf8Lines("a.txt", "20", "20字节", "按字数分割", "将分割为3个包含 ７字数的文本")},
                      // Nothing after a zero byte is dropped; the zero byte counts half a character.
                      LinesCase{"ZeroByteCounts", "z.txt", std::string("ab\0cd\n", 6), SplitMode::BySize, "1",
                                utf8Lines("z.txt", "5", "6字节", "按字数分割", "将分割为5个包含1字数的文本")},
                      LinesCase{"ZeroPartsIsUnknown", "a.txt", "abc", SplitMode::ByParts, "0",
                                utf8Lines("a.txt", "3", "3字节", "按部分分割", "未知")},
                      LinesCase{"EmptyPartsFieldIsUnknown", "a.txt", "abc", SplitMode::ByParts, "",
                                utf8Lines("a.txt", "3", "3字节", "按部分分割", "未知")},
                      LinesCase{"NegativeSizeIsUnknown", "a.txt", "abc", SplitMode::BySize, "-5",
                                utf8Lines("a.txt", "3", "3字节", "按字数分割", "未知")},
                      LinesCase{"EmptyFileBySize", "e.txt", "", SplitMode::BySize, "3000",
                                utf8Lines("e.txt", "0", "0字节", "按字数分割", "将分割为0个包含3000字数的文本")}),
    qytxt::testing::CaseName());

struct EncodingLineCase : qytxt::testing::NamedCase {
    std::string contents;
    core::EncodingChoice told;
    const char* count;
    const char* encodingLine; // UTF-8
    bool inPanel;             // the window shows it: the text is not read as GBK
};

class PreviewEncodingTest : public ::testing::TestWithParam<EncodingLineCase> {};

TEST_P(PreviewEncodingTest, CountsInTheEncodingItNames)
{
    const EncodingLineCase& c = GetParam();
    TempDir dir;
    writeBytes(dir.file("a.txt"), c.contents);
    const core::Text path = gbkPath(dir.file("a.txt"));

    const Preview preview = makePreview(path, SplitMode::ByParts, "2", c.told);
    EXPECT_EQ(preview.lines[1], gbk(std::string("文本字数: ") + c.count));
    EXPECT_EQ(preview.encodingLine, gbk(c.encodingLine));
    if (c.told)
        return; // the window always detects
    const core::Text fiveLines = gbk("文本标题: a.txt\r\n\r\n文本字数: ") + c.count + gbk("\r\n\r\n文本大小: ") +
                                 std::to_string(c.contents.size()) +
                                 gbk("字节\r\n\r\n待分割方式: 按部分分割\r\n\r\n待分割详情: ") +
                                 previewLines(path, SplitMode::ByParts, "2")[4].substr(gbk("待分割详情: ").size());
    EXPECT_EQ(previewText(path, SplitMode::ByParts, "2"),
              c.inPanel ? fiveLines + "\r\n\r\n" + gbk(c.encodingLine) : fiveLines);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, PreviewEncodingTest,
    ::testing::Values(EncodingLineCase{"Gbk", gbk("三体ab"), std::nullopt, "4", "文本编码: GBK", false},
                      // Counted as UTF-8, not as pairs of bytes: six bytes of Chinese are two characters.
                      EncodingLineCase{"Utf8", "三体ab", std::nullopt, "4", "文本编码: UTF-8", true},
                      EncodingLineCase{"Utf16BeWithMark", std::string("\xFE\xFF\x4E\x09\0a", 6), std::nullopt, "2",
                                       "文本编码: UTF-16BE", true},
                      EncodingLineCase{"Gb18030Told", "\x81\x30\x81\x30", core::TextEncoding::Gb18030, "1",
                                       "文本编码: GB18030", false},
                      EncodingLineCase{"Utf8ToldOnGbk", gbk("三"), core::TextEncoding::Utf8, "2", "文本编码: UTF-8",
                                       false}),
    qytxt::testing::CaseName());

TEST(PreviewEncoding, UnknownWithoutSourcePath)
{
    EXPECT_EQ(makePreview("", SplitMode::ByParts, "6").encodingLine, gbk("文本编码: 未知"));
}

struct FieldCase {
    const char* typed; // UTF-8
    std::optional<const char*> parts;
    std::optional<const char*> size;
};

TEST(FieldRules, ReplaceUnusableNumbersOnLostFocus)
{
    const FieldCase cases[] = {
        {"", "6", "3000"},
        {"0", "6", "3000"},
        {"1", "6", std::nullopt},
        {"2", std::nullopt, std::nullopt},
        {"-4", "6", "3000"},
        {"abc", "6", "3000"},
        {"６", std::nullopt, std::nullopt},
        {" 12", std::nullopt, std::nullopt},
    };
    for (const FieldCase& c : cases) {
        const auto asText = [](std::optional<const char*> value) {
            return value ? std::optional<core::Text>(*value) : std::nullopt;
        };
        EXPECT_EQ(partsFieldReplacement(gbk(c.typed)), asText(c.parts)) << c.typed;
        EXPECT_EQ(sizeFieldReplacement(gbk(c.typed)), asText(c.size)) << c.typed;
    }
}

TEST(FieldRules, TidySizeFieldWritesPlainDecimal)
{
    const std::pair<const char*, std::optional<const char*>> cases[] = {
        {"", std::nullopt},
        {"7", std::nullopt},
        {"-5", std::nullopt},
        {"007", "7"},
        {"0", ""},
        {"-0", ""},
        {"+5", "5"},
        {" \t12", "12"},
        {"12abc", "12"},
        {"abc", ""},
        {"3000000000", std::nullopt},
        {"99999999999999999999", "9223372036854775807"},
        {"-99999999999999999999", "-9223372036854775808"},
        {"9223372036854775808", "9223372036854775807"},
        {"-9223372036854775808", std::nullopt},
    };
    for (const auto& [typed, tidy] : cases) {
        const std::optional<core::Text> expected = tidy ? std::optional<core::Text>(*tidy) : std::nullopt;
        EXPECT_EQ(tidySizeFieldText(typed), expected) << typed;
    }
}

} // namespace
} // namespace qytxt::split

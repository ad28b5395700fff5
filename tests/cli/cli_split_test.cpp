#include "core/encoding.h"
#include "gbk_text.h"
#include "named_case.h"
#include "run_cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using qytxt::testing::CliResult;
using qytxt::testing::readBytes;
using qytxt::testing::runCli;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;

using qytxt::testing::gbk;

// The GBK character D9 5C: its second byte is the backslash, which a byte-wise search would take for
// a folder separator on Windows. The file system here sees its UTF-8 form.
std::string backslashSecondByteCharacter()
{
    return qytxt::core::gbkToUtf8("\xD9\x5C").value();
}

struct ChineseNameCase : qytxt::testing::NamedCase {
    const char* mode;
    const char* number;
    std::size_t parts;
};

class CliSplitChineseNames : public ::testing::TestWithParam<ChineseNameCase> {};

TEST_P(CliSplitChineseNames, WritesThePartsUnderTheirChineseNames)
{
    const ChineseNameCase& c = GetParam();
    TempDir dir;
    const std::string title = "三体" + backslashSecondByteCharacter() + "终章";
    const fs::path folder = dir.file("小说");
    const fs::path output = dir.file("分割结果");
    fs::create_directory(folder);
    fs::create_directory(output);
    const std::string novel = gbk("第一章　开始\r\n他说：“你好，世界！”\n\t☆★ＡＢＣ\r\n") + std::string("\0x\x81", 3);
    writeBytes(folder / (title + ".txt"), novel);

    const CliResult result = runCli({"split", c.mode, c.number, (folder / (title + ".txt")).string(), output});

    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::string joined;
    for (std::size_t i = 1; i <= c.parts; ++i)
        joined += readBytes(output / title / (title + "(" + std::to_string(i) + ").txt"));
    EXPECT_EQ(joined, novel);
    EXPECT_EQ(std::distance(fs::directory_iterator(output / title), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(c.parts));
}

INSTANTIATE_TEST_SUITE_P(Modes, CliSplitChineseNames,
                         ::testing::Values(ChineseNameCase{"ByParts", "--parts", "6", 6},
                                           ChineseNameCase{"ByPartsFullWidth", "--parts", "３", 3},
                                           ChineseNameCase{"BySize", "--size", "10", 3}),
                         qytxt::testing::CaseName());

TEST(CliPreview, PrintsTheSixLinesInUtf8)
{
    TempDir dir;
    const std::string name = "三体" + backslashSecondByteCharacter() + ".txt";
    writeBytes(dir.file(name), std::string(20, 'x'));

    const CliResult byParts = runCli({"preview", "--parts", "６", dir.file(name).string()});
    EXPECT_EQ(byParts.exitCode, 0) << byParts.err;
    EXPECT_EQ(byParts.out, "文本标题: " + name +
                               "\n文本字数: 20\n文本大小: 20字节\n待分割方式: 按部分分割\n"
                               "待分割详情: 将分割为６个包含3字数的文本\n文本编码: GBK\n");

    const CliResult bySize = runCli({"preview", "--size", "0", dir.file(name).string()});
    EXPECT_EQ(bySize.exitCode, 0);
    EXPECT_TRUE(bySize.out.ends_with("待分割方式: 按字数分割\n待分割详情: 未知\n文本编码: GBK\n")) << bySize.out;
}

TEST(CliSplit, BareFileNameMeansTheCurrentFolder)
{
    TempDir dir;
    writeBytes(dir.file("三体.txt"), "abcd");
    fs::create_directory(dir.file("out"));

    EXPECT_EQ(runCli({"split", "--parts", "2", "三体.txt", "out"}, dir.path()).exitCode, 0);
    EXPECT_EQ(readBytes(dir.file("out") / "三体" / "三体(2).txt"), "cd");
    EXPECT_TRUE(runCli({"preview", "--parts", "2", "三体.txt"}, dir.path()).out.starts_with("文本标题: 三体.txt\n"));
}

struct FailureCase : qytxt::testing::NamedCase {
    std::vector<std::string> args; // "DIR" stands for the test's folder
    int exitCode;
    std::string errContains;
};

class CliSplitFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CliSplitFailures, ExitCodeAndMessage)
{
    const FailureCase& c = GetParam();
    TempDir dir;
    writeBytes(dir.file("a.txt"), "abc");
    std::vector<std::string> args;
    for (const std::string& arg : c.args)
        args.push_back(arg.starts_with("DIR") ? dir.path().string() + arg.substr(3) : arg);

    const CliResult result = runCli(args);

    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_NE(result.err.find(c.errContains), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(dir.file("a"))) << "no part folder after a failure";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliSplitFailures,
    ::testing::Values(
        FailureCase{"MissingSource", {"split", "--parts", "6", "DIR/none.txt", "DIR"}, 1, "无法读取待分割文本"},
        FailureCase{"ZeroParts", {"split", "--parts", "0", "DIR/a.txt", "DIR"}, 1, "分割数值无效"},
        FailureCase{"EmptySource", {"split", "--size", "5", "", "DIR"}, 1, "请输入待分割文本路径"},
        FailureCase{"UnknownMode", {"split", "--count", "6", "DIR/a.txt", "DIR"}, 2, "Usage"},
        FailureCase{"MissingFolderArgument", {"split", "--parts", "6", "DIR/a.txt"}, 2, "Usage"},
        FailureCase{"ExtraPreviewArgument", {"preview", "--parts", "6", "DIR/a.txt", "DIR"}, 2, "Usage"},
        FailureCase{"NotUtf8", {"split", "--parts", "6", "DIR/\xFF.txt", "DIR"}, 2, "无法识别的参数编码："},
        FailureCase{"UnknownEncoding",
                    {"split", "--parts", "6", "--encoding", "big5", "DIR/a.txt", "DIR"},
                    2,
                    "--encoding takes auto"},
        FailureCase{"EncodingWithoutName", {"preview", "--parts", "6", "DIR/a.txt", "--encoding"}, 2, "Usage"},
        FailureCase{"NoHeadingWritesNothing", {"split", "--chapters", "1", "DIR/a.txt", "DIR"}, 1, "未找到章节标题"},
        FailureCase{"TwoModes", {"split", "--chapters", "1", "--size", "3", "DIR/a.txt", "DIR"}, 2, "give one of"},
        FailureCase{"ChaptersAtLines", {"split", "--chapters", "1", "--at-lines", "DIR/a.txt", "DIR"}, 2, "Usage"},
        FailureCase{
            "HeadingWithoutChapters", {"split", "--size", "1", "--heading", "x", "DIR/a.txt", "DIR"}, 2, "Usage"},
        FailureCase{"HeadingThatIsNoPattern",
                    {"split", "--chapters", "1", "--heading", "(", "DIR/a.txt", "DIR"},
                    2,
                    "--heading is not a regular expression"},
        FailureCase{"ChaptersOfNothing", {"chapters", "DIR/none.txt"}, 1, "无法读取待分割文本"}),
    qytxt::testing::CaseName());

struct EncodingCase : qytxt::testing::NamedCase {
    std::string source;
    std::vector<std::string> encodingOption; // none, or "--encoding" and a name
    std::string encodingLine;
    std::string count;
};

class CliEncodings : public ::testing::TestWithParam<EncodingCase> {};

// What the preview names is what the split reads: its parts, each opening with the source's mark,
// give back the source once the repeated marks are dropped.
TEST_P(CliEncodings, PreviewNamesTheEncodingAndTheSplitKeepsEveryByte)
{
    const EncodingCase& c = GetParam();
    TempDir dir;
    const fs::path source = dir.file("小说") / "三体.txt";
    fs::create_directories(source.parent_path());
    fs::create_directory(dir.file("分割结果"));
    writeBytes(source, c.source);
    const auto args = [&](std::vector<std::string> words, std::vector<std::string> paths) {
        words.insert(words.end(), c.encodingOption.begin(), c.encodingOption.end());
        words.insert(words.end(), paths.begin(), paths.end());
        return words;
    };

    const CliResult preview = runCli(args({"preview", "--parts", "3"}, {source}));
    EXPECT_EQ(preview.exitCode, 0) << preview.err;
    EXPECT_NE(preview.out.find("文本字数: " + c.count + "\n"), std::string::npos) << preview.out;
    EXPECT_TRUE(preview.out.ends_with("\n文本编码: " + c.encodingLine + "\n")) << preview.out;

    const CliResult split = runCli(args({"split", "--parts", "3"}, {source, dir.file("分割结果")}));
    ASSERT_EQ(split.exitCode, 0) << split.err;
    const std::size_t mark = c.source.starts_with("\xFF\xFE") ? 2 : c.source.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    std::string joined = c.source.substr(0, mark);
    for (int i = 1; i <= 3; ++i) {
        const std::string part = readBytes(dir.file("分割结果") / "三体" / ("三体(" + std::to_string(i) + ").txt"));
        ASSERT_EQ(part.substr(0, mark), c.source.substr(0, mark)) << "part " << i;
        joined += part.substr(mark);
    }
    EXPECT_EQ(joined, c.source);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CliEncodings,
    ::testing::Values(
        EncodingCase{"Utf8", "三体\r\nab", {}, "UTF-8", "5"},
        EncodingCase{"Utf8WithMark", "\xEF\xBB\xBF三体\r\nab", {}, "UTF-8", "5"},
        EncodingCase{"Utf16LeWithMark", std::string("\xFF\xFE\x09\x4E\x53\x4F\r\0\n\0a\0", 12), {}, "UTF-16LE", "4"},
        // Without its mark only the option tells UTF-16 from bytes that look like GBK.
        EncodingCase{"Utf16BeTold", std::string("\x4E\x09\x4F\x53\0a", 6), {"--encoding", "UTF-16BE"}, "UTF-16BE", "3"},
        EncodingCase{"Gb18030Told", gbk("三") + "\x81\x30\x81\x30" + "a", {"--encoding", "gb18030"}, "GB18030", "3"},
        EncodingCase{"AutoIsDetection", gbk("三体"), {"--encoding", "auto"}, "GBK", "2"}),
    qytxt::testing::CaseName());

TEST(CliSplit, UnwritablePartIsAFailure)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), "abcd");
    fs::create_directories(dir.file("a") / "a(2).txt");

    const CliResult result = runCli({"split", "--parts", "2", dir.file("a.txt").string(), dir.path().string()});

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("分割失败：1个文本无法写入"), std::string::npos) << result.err;
    EXPECT_EQ(readBytes(dir.file("a") / "a(1).txt"), "ab");
}

} // namespace

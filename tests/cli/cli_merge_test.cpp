#include "core/encoding.h"
#include "named_case.h"
#include "run_cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

using qytxt::testing::CliResult;
using qytxt::testing::readBytes;
using qytxt::testing::runCli;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;
namespace fs = std::filesystem;

std::string pathOf(const TempDir& dir, const std::string& name)
{
    return dir.file(name).string();
}

TEST(CliMergeTest, MergesChineseNamedFilesInArgumentOrder)
{
    const TempDir dir;
    const std::string first = std::string("\xb5\xda\xd2\xbb\xd5\xc2\r\n\0tail", 14);
    const std::string second = "\xb5\xda\xb6\xfe\xd5\xc2\r\n";
    writeBytes(dir.file("第一章.txt"), first);
    writeBytes(dir.file("第二章.txt"), second);
    writeBytes(dir.file("合并.txt"), std::string(1000, 'x'));

    const CliResult run = runCli({"merge", "--output", pathOf(dir, "合并.txt"), pathOf(dir, "第二章.txt"),
                                  pathOf(dir, "第一章.txt"), pathOf(dir, "第二章.txt")},
                                 dir.path());

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, ""); // no progress when stderr is not a terminal
    EXPECT_EQ(readBytes(dir.file("合并.txt")), second + first + second);
}

struct FailureCase : qytxt::testing::NamedCase {
    std::vector<std::string> files; // created with their own name as content
    std::vector<std::string> inputs;
    std::string output;
    std::string message; // expected on stderr
    std::string merged;  // expected in the output afterwards
};

class CliMergeFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CliMergeFailureTest, ExitsOneWithTheJobsMessage)
{
    const TempDir dir;
    const FailureCase& param = GetParam();
    for (const std::string& name : param.files)
        writeBytes(dir.file(name), name);
    std::vector<std::string> args{"merge", "--output", param.output};
    args.insert(args.end(), param.inputs.begin(), param.inputs.end());

    const CliResult run = runCli(args, dir.path());

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, param.message + "\n");
    EXPECT_EQ(readBytes(dir.file(param.output)), param.merged);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Failures, CliMergeFailureTest, ::testing::Values(
    FailureCase{"UnreadableInputs", {"一.txt", "三.txt"}, {"一.txt", "二.txt", "三.txt", "四.txt"}, "out.txt",
                "合并完成，但以下文本无法读取：\n二.txt\n四.txt", "一.txt三.txt"},
    FailureCase{"OutputAmongInputs", {"一.txt", "out.txt"}, {"一.txt", "out.txt"}, "out.txt",
                "合并文本保存路径不能是待合并文本之一", "out.txt"},
    FailureCase{"OutputInMissingFolder", {"一.txt"}, {"一.txt"}, "无/out.txt", "无法创建合并文本：无/out.txt", ""}
), qytxt::testing::CaseName());
// clang-format on

class CliMergeUsageTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(CliMergeUsageTest, ExitsTwoWithTheUsageText)
{
    const TempDir dir;
    writeBytes(dir.file("a.txt"), "a");
    std::vector<std::string> args{"merge"};
    for (const std::string& arg : GetParam())
        args.push_back(arg == "IN" ? pathOf(dir, "a.txt") : arg == "OUT" ? pathOf(dir, "out.txt") : arg);

    const CliResult run = runCli(args, dir.path());

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("qytxt-cli merge --output OUT IN1"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir.file("out.txt")));
}

INSTANTIATE_TEST_SUITE_P(Usage, CliMergeUsageTest,
                         ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"IN"},
                                           std::vector<std::string>{"--output", "OUT"},
                                           std::vector<std::string>{"IN", "--output"},
                                           std::vector<std::string>{"--output", "", "IN"},
                                           std::vector<std::string>{"--output", "OUT", ""},
                                           std::vector<std::string>{"--output", "OUT", "--output", "OUT", "IN"},
                                           std::vector<std::string>{"--output", "OUT", "--force", "IN"}));

TEST(CliMergeTest, DoubleDashLetsAnInputStartWithADash)
{
    const TempDir dir;
    writeBytes(dir.file("-a.txt"), "dash");
    const CliResult run = runCli({"merge", "--output", "out.txt", "--", "-a.txt"}, dir.path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readBytes(dir.file("out.txt")), "dash");
}

struct OrderCase : qytxt::testing::NamedCase {
    std::vector<std::string> files; // created with their own name as content; folders on the way too
    std::string output;
    std::vector<std::string> args; // after "merge --output OUTPUT"
    int exitCode;
    std::string merged; // the output afterwards
    std::string error;  // found on stderr
};

class CliMergeOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(CliMergeOrderTest, JoinsTheInputsInTheOrderMeant)
{
    const TempDir dir;
    const OrderCase& param = GetParam();
    for (const std::string& name : param.files) {
        fs::create_directories(dir.file(name).parent_path());
        writeBytes(dir.file(name), name);
    }
    std::vector<std::string> args{"merge", "--output", param.output};
    args.insert(args.end(), param.args.begin(), param.args.end());

    const CliResult run = runCli(args, dir.path());

    EXPECT_EQ(run.exitCode, param.exitCode) << run.err;
    EXPECT_EQ(readBytes(dir.file(param.output)), param.merged);
    EXPECT_NE(run.err.find(param.error), std::string::npos) << run.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(FoldersAndNatural, CliMergeOrderTest, ::testing::Values(
    OrderCase{"FolderInNaturalOrder", {"卷/(10).txt", "卷/(2).txt", "卷/(9).txt", "卷/目录.md"}, "全本.txt",
              {"卷"}, 0, "卷/(2).txt卷/(9).txt卷/(10).txt", ""},
    OrderCase{"FolderInPlaceAmongFiles", {"序.txt", "卷/1.txt", "卷/2.txt", "跋.txt"}, "全本.txt",
              {"序.txt", "卷/", "跋.txt"}, 0, "序.txt卷/1.txt卷/2.txt跋.txt", ""},
    OrderCase{"GivenOrderWithoutNatural", {"(10).txt", "(2).txt"}, "全本.txt",
              {"(10).txt", "(2).txt"}, 0, "(10).txt(2).txt", ""},
    OrderCase{"NaturalSortsAllInputs", {"(10).txt", "(2).txt", "(1).txt"}, "全本.txt",
              {"--natural", "(10).txt", "(2).txt", "(1).txt"}, 0, "(1).txt(2).txt(10).txt", ""},
    OrderCase{"NaturalAcrossFolders", {"卷10/1.txt", "卷2/1.txt", "卷2/3.txt"}, "全本.txt",
              {"--natural", "卷10", "卷2"}, 0, "卷2/1.txt卷2/3.txt卷10/1.txt", ""},
    // Run again into the folder it merges: the earlier output is no input.
    OrderCase{"OutputInsideTheFolderLeftOut", {"卷/1.txt", "卷/2.txt", "卷/全本.txt"}, "卷/全本.txt",
              {"卷"}, 0, "卷/1.txt卷/2.txt", ""},
    OrderCase{"FolderWithoutTextFiles", {"卷/目录.md"}, "全本.txt",
              {"卷"}, 1, "", "no .txt files in the folder '卷'"},
    OrderCase{"NameNotUtf8InFolder", {"卷/1.txt", "卷/\xFF.txt"}, "全本.txt",
              {"卷"}, 1, "", "'\\xFF.txt'"}
), qytxt::testing::CaseName());
// clang-format on

// A novel in GBK: two-byte characters, ASCII words and CR LF line ends, with no zero byte and no
// full-width ASCII form (the split's character round trip would turn those into ASCII).
std::string novelText()
{
    std::string text;
    unsigned seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    for (int line = 0; line < 400; ++line) {
        for (int i = 0; i < 40; ++i) {
            text += static_cast<char>(0xB0 + next() % 39); // rows B0 to D6, every cell a character
            text += static_cast<char>(0xA1 + next() % 94);
        }
        text += line % 3 == 0 ? " Chapter " + std::to_string(line) + "\r\n" : std::string("\r\n");
    }
    return text;
}

// The number between the parentheses of a part file's name.
int partNumber(const fs::path& part)
{
    const std::string name = part.filename().string();
    const std::size_t open = name.rfind('(');
    return std::stoi(name.substr(open + 1));
}

// The novel in another encoding, the source's mark first; beyond GBK it also holds characters that
// take four bytes in UTF-8 and GB18030 and a surrogate pair in UTF-16.
struct SourceEncoding : qytxt::testing::NamedCase {
    const char* encoding; // as iconv names it
    std::string_view mark;
    bool beyondGbk;
};

std::string novelIn(const SourceEncoding& source)
{
    std::string utf8 = qytxt::core::convertEncoding(novelText(), "GBK", "UTF-8");
    if (source.beyondGbk)
        for (std::size_t at = utf8.find("\r\n"); at != std::string::npos; at = utf8.find("\r\n", at + 300))
            utf8.insert(at, "😀𠀀€");
    return std::string(source.mark) + qytxt::core::convertEncoding(utf8, "UTF-8", source.encoding);
}

class CliSplitMergeTest : public ::testing::TestWithParam<std::tuple<SourceEncoding, std::vector<std::string>>> {};

// The parts of a marked source each carry its mark, which the merge drops again; the parts all being
// in one encoding, the merge has nothing to say.
TEST_P(CliSplitMergeTest, MergingThePartsGivesBackTheSource)
{
    const auto& [encoding, mode] = GetParam();
    const TempDir dir;
    const std::string source = novelIn(encoding);
    ASSERT_GT(source.size(), encoding.mark.size());
    writeBytes(dir.file("小说.txt"), source);
    fs::create_directory(dir.file("parts"));
    std::vector<std::string> split{"split"};
    split.insert(split.end(), mode.begin(), mode.end());
    split.push_back(pathOf(dir, "小说.txt"));
    split.push_back(pathOf(dir, "parts"));
    const CliResult splitRun = runCli(split, dir.path());
    ASSERT_EQ(splitRun.exitCode, 0) << splitRun.err;

    std::vector<fs::path> parts;
    for (const auto& entry : fs::directory_iterator(dir.path() / "parts" / "小说"))
        parts.push_back(entry.path());
    std::sort(parts.begin(), parts.end(),
              [](const fs::path& a, const fs::path& b) { return partNumber(a) < partNumber(b); });
    ASSERT_GT(parts.size(), 1u);
    std::vector<std::string> merge{"merge", "--output", pathOf(dir, "合并.txt")};
    for (const fs::path& part : parts)
        merge.push_back(part.string());
    const CliResult mergeRun = runCli(merge, dir.path());

    EXPECT_EQ(mergeRun.exitCode, 0) << mergeRun.err;
    EXPECT_EQ(mergeRun.err, "");
    EXPECT_EQ(readBytes(dir.file("合并.txt")), source);
}

// More than nine parts: a plain sort puts (10) before (2), and the merge would differ from the source.
TEST(CliSplitMergeTest, MergingThePartsFolderGivesBackTheSource)
{
    const TempDir dir;
    const std::string source = novelText();
    writeBytes(dir.file("小说.txt"), source);
    fs::create_directory(dir.file("parts"));
    const CliResult splitRun = runCli({"split", "--parts", "12", "小说.txt", "parts"}, dir.path());
    ASSERT_EQ(splitRun.exitCode, 0) << splitRun.err;

    std::vector<std::string> globbed{"merge", "--natural", "--output", "全本.txt"};
    for (const auto& entry : fs::directory_iterator(dir.path() / "parts" / "小说"))
        globbed.push_back(entry.path().string());
    std::sort(globbed.begin() + 4, globbed.end()); // as a shell's "*.txt" lists them
    for (const auto& args : {std::vector<std::string>{"merge", "--output", "全本.txt", "parts/小说"}, globbed}) {
        std::filesystem::remove(dir.file("全本.txt"));
        const CliResult mergeRun = runCli(args, dir.path());
        EXPECT_EQ(mergeRun.exitCode, 0) << mergeRun.err;
        EXPECT_EQ(readBytes(dir.file("全本.txt")), source) << args[1];
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EncodingsAndModes, CliSplitMergeTest, ::testing::Combine(::testing::Values(
    SourceEncoding{"Gbk", "GBK", "", false},
    SourceEncoding{"Gb18030FourBytes", "GB18030", "", true},
    SourceEncoding{"Utf8", "UTF-8", "", true},
    SourceEncoding{"Utf8WithMark", "UTF-8", "\xEF\xBB\xBF", true},
    SourceEncoding{"Utf16LeWithMark", "UTF-16LE", "\xFF\xFE", true},
    SourceEncoding{"Utf16BeWithMark", "UTF-16BE", "\xFE\xFF", true}
), ::testing::Values(std::vector<std::string>{"--parts", "6"}, std::vector<std::string>{"--size", "3000"})),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) + (std::get<1>(row.param)[0] == "--parts" ? "ByParts" : "BySize");
    });
// clang-format on

// Inputs in encodings other than the first one's are merged whole and named, with or without
// unreadable ones; only the unreadable ones make the merge a failure.
struct MixedCase : qytxt::testing::NamedCase {
    std::vector<std::string> inputs;
    int exitCode;
    std::string message; // on stderr
};

class CliMergeMixedTest : public ::testing::TestWithParam<MixedCase> {};

TEST_P(CliMergeMixedTest, NamesTheInputsInOtherEncodings)
{
    const TempDir dir;
    const std::map<std::string, std::string> files{{"甲.txt", "\xB5\xDA\xD2\xBB\xD5\xC2"},
                                                   {"乙.txt", "第二章"},
                                                   {"丙.txt", "\xFF\xFE\x2C\x7B"},
                                                   {"丁.txt", "ascii"}};
    std::string merged;
    for (const std::string& input : GetParam().inputs) {
        if (files.contains(input)) {
            writeBytes(dir.file(input), files.at(input));
            merged += files.at(input);
        }
    }
    std::vector<std::string> args{"merge", "--output", "out.txt"};
    args.insert(args.end(), GetParam().inputs.begin(), GetParam().inputs.end());

    const CliResult run = runCli(args, dir.path());

    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_EQ(run.err, GetParam().message);
    EXPECT_EQ(readBytes(dir.file("out.txt")), merged);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Inputs, CliMergeMixedTest, ::testing::Values(
    MixedCase{"OneEncodingSaysNothing", {"丁.txt", "甲.txt", "丁.txt"}, 0, ""},
    MixedCase{"OtherEncodingsNamed", {"甲.txt", "乙.txt", "丁.txt", "丙.txt"}, 0,
              "合并完成，但以下文本的编码与第一个不同：\n乙.txt\n丙.txt\n"},
    MixedCase{"UnreadableFirstInOneMessage", {"乙.txt", "甲.txt", "无.txt"}, 1,
              "合并完成，但以下文本无法读取：\n无.txt\n\n以下文本的编码与第一个不同：\n甲.txt\n"}
), qytxt::testing::CaseName());
// clang-format on

} // namespace

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
using qytxt::testing::StdoutTo;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;

// A folder with a.txt ("abcd") to run the commands in; the arguments name files relative to it.
class CliArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override { writeBytes(m_dir.file("a.txt"), "abcd"); }

    CliResult run(const std::vector<std::string>& args, StdoutTo stdoutTo = StdoutTo::Caught) const
    {
        return runCli(args, m_dir.path(), stdoutTo);
    }

    TempDir m_dir;
};

struct ArgumentsCase : qytxt::testing::NamedCase {
    std::vector<std::string> args;
};

class CliHelp : public CliArgumentsTest, public ::testing::WithParamInterface<ArgumentsCase> {};

TEST_P(CliHelp, PrintsTheUsageOnStdoutAndSucceeds)
{
    const CliResult result = run(GetParam().args);

    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.starts_with("Usage:\n")) << result.out;
    EXPECT_EQ(result.err, "");
    EXPECT_FALSE(fs::exists(m_dir.file("a"))) << "a request for help splits nothing";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, CliHelp, ::testing::Values(
    ArgumentsCase{"Program", {"--help"}},
    ArgumentsCase{"ProgramShort", {"-h"}},
    ArgumentsCase{"Split", {"split", "--help"}},
    ArgumentsCase{"SplitAfterAnOption", {"split", "--parts", "2", "-h", "a.txt", "."}},
    ArgumentsCase{"Preview", {"preview", "-h"}},
    ArgumentsCase{"Merge", {"merge", "--help"}},
    ArgumentsCase{"MergeAfterAnOption", {"merge", "--output", "out.txt", "-h", "a.txt"}}
), qytxt::testing::CaseName());
// clang-format on

class CliUsageError : public CliArgumentsTest, public ::testing::WithParamInterface<ArgumentsCase> {};

TEST_P(CliUsageError, SaysWhatIsWrongAndExitsTwo)
{
    const CliResult result = run(GetParam().args);

    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("qytxt-cli")) << result.err;
    EXPECT_NE(result.err.find("\nUsage:\n"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(m_dir.file("a")));
    EXPECT_FALSE(fs::exists(m_dir.file("out.txt")));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, CliUsageError, ::testing::Values(
    ArgumentsCase{"NoCommand", {}},
    ArgumentsCase{"UnknownCommand", {"cut", "a.txt"}},
    ArgumentsCase{"OptionAfterThePaths", {"split", "a.txt", ".", "--parts", "2"}},
    ArgumentsCase{"BothModes", {"split", "--parts", "2", "--size", "2", "a.txt", "."}},
    ArgumentsCase{"NoMode", {"preview", "a.txt"}},
    ArgumentsCase{"ModeGivenTwice", {"preview", "--parts", "2", "--parts", "3", "a.txt"}},
    ArgumentsCase{"ValueMissing", {"preview", "--parts"}},
    ArgumentsCase{"UnknownShortOption", {"preview", "-x", "--parts", "2", "a.txt"}},
    ArgumentsCase{"OptionsEndedBeforeTheMode", {"split", "--", "--parts", "2", "a.txt", "."}},
    ArgumentsCase{"MergeOutputAfterTheInputs", {"merge", "a.txt", "--output", "out.txt"}}
), qytxt::testing::CaseName());
// clang-format on

TEST_F(CliArgumentsTest, PathsThatLookLikeOptionsAreTakenAsPaths)
{
    writeBytes(m_dir.file("-h.txt"), "xyz");
    fs::create_directory(m_dir.file("--help"));

    const CliResult split = run({"split", "--parts=2", "a.txt", "--help"});
    EXPECT_EQ(split.exitCode, 0) << split.err;
    EXPECT_EQ(readBytes(m_dir.file("--help") / "a" / "a(2).txt"), "cd");

    const CliResult preview = run({"preview", "--size", "1", "--", "-h.txt"});
    EXPECT_EQ(preview.exitCode, 0) << preview.err;
    EXPECT_TRUE(preview.out.starts_with("文本标题: -h.txt\n文本字数: 3\n")) << preview.out;
}

struct EncodingCase : qytxt::testing::NamedCase {
    std::vector<std::string> args;
    std::string shown; // how the error names the argument
};

class CliArgumentEncoding : public CliArgumentsTest, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(CliArgumentEncoding, NamesTheArgumentThatIsNotUtf8)
{
    const CliResult result = run(GetParam().args);

    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "无法识别的参数编码：" + GetParam().shown + "\n");
    EXPECT_FALSE(fs::exists(m_dir.file("out.txt")));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Arguments, CliArgumentEncoding, ::testing::Values(
    EncodingCase{"SplitSource", {"split", "--parts", "6", "\xFF.txt", "."}, "\\xFF.txt"},
    EncodingCase{"SplitFolderAmongChinese", {"split", "--size", "6", "a.txt", "三\xB0\xA1体"}, "三\\xB0\\xA1体"},
    EncodingCase{"PreviewNumber", {"preview", "--parts=\xA3\xB6", "a.txt"}, "\\xA3\\xB6"},
    EncodingCase{"MergeInputs", {"merge", "--output", "out.txt", "a.txt", "\xFF\xFE"}, "\\xFF\\xFE"},
    EncodingCase{"MergeTruncatedOutput", {"merge", "--output", "\xC3", "a.txt"}, "\\xC3"},
    EncodingCase{"MergeSurrogate", {"merge", "--output", "\xED\xA0\x80.txt", "a.txt"}, "\\xED\\xA0\\x80.txt"}
), qytxt::testing::CaseName());
// clang-format on

struct OutputFailureCase : qytxt::testing::NamedCase {
    std::vector<std::string> args;
    StdoutTo stdoutTo;
};

class CliOutputFailure : public CliArgumentsTest, public ::testing::WithParamInterface<OutputFailureCase> {};

TEST_P(CliOutputFailure, IsReportedWithStatusOne)
{
    const CliResult result = run(GetParam().args, GetParam().stdoutTo);

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.starts_with("qytxt-cli: write error")) << result.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Outputs, CliOutputFailure, ::testing::Values(
    OutputFailureCase{"HelpToAFullDevice", {"--help"}, StdoutTo::FullDevice},
    OutputFailureCase{"MergeHelpToAFullDevice", {"merge", "--help"}, StdoutTo::FullDevice},
    OutputFailureCase{"PreviewToAFullDevice", {"preview", "--parts", "2", "a.txt"}, StdoutTo::FullDevice},
    OutputFailureCase{"HelpToAClosedStream", {"split", "-h"}, StdoutTo::Closed},
    OutputFailureCase{"PreviewToAClosedStream", {"preview", "--size", "2", "a.txt"}, StdoutTo::Closed}
), qytxt::testing::CaseName());
// clang-format on

} // namespace

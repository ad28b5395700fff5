#include "core/encoding.h"
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

// A novel with a foreword, headings in every form, and lines that merely start like one. Each
// element is a line; those marked are headings.
struct NovelLine {
    std::string words;
    bool heading;
};

const std::vector<NovelLine>& novel()
{
    static const std::vector<NovelLine> lines{
        {"《某某传》", false},
        {"　　前言写在这里，不是标题。", false},
        {"　　第一章　风起", true},
        {"　　第二天早上他……醒来。", false},
        {"12点，他出门。", false},
        {"　　第１２章 雨落", true},
        {"　　第十回：归来", true},
        {"第一节课开始了。", false},
        {"序章", true},
        {"序章开始了。", false},
        {"Chapter 7", true},
        {"chapter IX is not a heading here", false},
        {"　　第一千二百三十四章 终", true},
        {"　　全书完。", false},
    };
    return lines;
}

struct EncodingCase : qytxt::testing::NamedCase {
    const char* iconvName;
    std::string mark;
};

class CliChapters : public ::testing::TestWithParam<EncodingCase> {
protected:
    void SetUp() override
    {
        m_source = GetParam().mark;
        std::size_t index = 0;
        for (const NovelLine& line : novel()) {
            if (line.heading)
                m_headings.push_back(m_source.size());
            // Mostly CR LF, now and then LF alone.
            const std::string withBreak = line.words + (++index % 3 == 0 ? "\n" : "\r\n");
            m_source += qytxt::core::convertEncoding(withBreak, "UTF-8", GetParam().iconvName);
        }
        m_path = m_dir.file("小说") / "三体.txt";
        fs::create_directories(m_path.parent_path());
        writeBytes(m_path, m_source);
    }

    // The parts of a split into `out`, each without the mark a part after the first repeats.
    std::vector<std::string> parts(const fs::path& out) const
    {
        std::vector<std::string> found;
        for (int i = 1; fs::exists(out / "三体" / ("三体(" + std::to_string(i) + ").txt")); ++i) {
            std::string part = readBytes(out / "三体" / ("三体(" + std::to_string(i) + ").txt"));
            const std::string& mark = GetParam().mark;
            if (i > 1) {
                EXPECT_TRUE(part.starts_with(mark)) << "part " << i;
                part.erase(0, mark.size());
            }
            found.push_back(part);
        }
        return found;
    }

    TempDir m_dir;
    fs::path m_path;
    std::string m_source;
    std::vector<std::size_t> m_headings; // where each heading's line starts in the source
};

TEST_P(CliChapters, SplitStartsEveryPartAtAHeadingAndLosesNothing)
{
    for (const std::size_t perPart : {std::size_t{1}, std::size_t{2}, std::size_t{4}, std::size_t{100}}) {
        const fs::path out = m_dir.file("chapters" + std::to_string(perPart));
        fs::create_directory(out);
        const CliResult result = runCli({"split", "--chapters", std::to_string(perPart), m_path, out});
        ASSERT_EQ(result.exitCode, 0) << result.err;

        const std::vector<std::string> split = parts(out);
        ASSERT_EQ(split.size(), (m_headings.size() + perPart - 1) / perPart) << perPart << " a part";
        std::string joined;
        for (std::size_t i = 0; i < split.size(); ++i) {
            if (i > 0) {
                EXPECT_EQ(joined.size(), m_headings[i * perPart]) << "part " << i + 1 << " of " << perPart;
            }
            joined += split[i];
        }
        EXPECT_EQ(joined, m_source) << perPart << " a part";
    }
}

TEST_P(CliChapters, AtLinesStartsEveryPartAtALine)
{
    for (const std::vector<std::string>& mode : {std::vector<std::string>{"--size", "7"}, {"--parts", "9"}}) {
        const fs::path plain = m_dir.file("plain" + mode[0]);
        const fs::path lines = m_dir.file("lines" + mode[0]);
        fs::create_directory(plain);
        fs::create_directory(lines);
        ASSERT_EQ(runCli({"split", mode[0], mode[1], m_path, plain}).exitCode, 0);
        const CliResult result = runCli({"split", mode[0], mode[1], "--at-lines", m_path, lines});
        ASSERT_EQ(result.exitCode, 0) << result.err;

        const std::vector<std::string> split = parts(lines);
        EXPECT_EQ(split.size(), parts(plain).size()) << mode[0];
        std::string joined;
        const std::string lineFeed = qytxt::core::convertEncoding("\n", "UTF-8", GetParam().iconvName);
        for (std::size_t i = 0; i < split.size(); ++i) {
            if (i > 0 && !split[i].empty()) {
                EXPECT_TRUE(joined.ends_with(lineFeed)) << mode[0] << " part " << i + 1;
            }
            joined += split[i];
        }
        EXPECT_EQ(joined, m_source) << mode[0];
    }
}

TEST_P(CliChapters, ListingAndPreviewAgree)
{
    const CliResult listing = runCli({"chapters", m_path});
    ASSERT_EQ(listing.exitCode, 0) << listing.err;
    EXPECT_TRUE(listing.out.starts_with("1\t22\t第一章　风起\n2\t53\t第１２章 雨落\n")) << listing.out;
    EXPECT_NE(listing.out.find("\t第一千二百三十四章 终\n章节总数: 6\n"), std::string::npos) << listing.out;

    const CliResult preview = runCli({"preview", "--chapters", "4", m_path});
    EXPECT_EQ(preview.exitCode, 0) << preview.err;
    EXPECT_NE(preview.out.find("待分割方式: 按章节分割\n待分割详情: 将分割为2个包含4章的文本，共6章\n"),
              std::string::npos)
        << preview.out;
}

INSTANTIATE_TEST_SUITE_P(Encodings, CliChapters,
                         ::testing::Values(EncodingCase{"Gbk", "GBK", ""}, EncodingCase{"Utf8", "UTF-8", ""},
                                           EncodingCase{"Utf8WithMark", "UTF-8", "\xEF\xBB\xBF"},
                                           EncodingCase{"Utf16LeWithMark", "UTF-16LE", "\xFF\xFE"}),
                         qytxt::testing::CaseName());

TEST(CliChapterList, PositionsAreThePreviewsCharactersAndAPatternReplacesTheRules)
{
    TempDir dir;
    writeBytes(dir.file("a.txt"), qytxt::core::utf8ToGbk("书名\r\n第1章 开始\r\n正文\n序章\r\n卷2\r\n").value());

    EXPECT_EQ(runCli({"chapters", dir.file("a.txt")}).out, "1\t4\t第1章 开始\n2\t13\t序章\n章节总数: 2\n");
    EXPECT_EQ(runCli({"chapters", "--heading", "^卷[0-9]", dir.file("a.txt")}).out, "1\t16\t卷2\n章节总数: 1\n");
}

} // namespace

#include "split/heading_scan.h"

#include "core/encoding.h"
#include "named_case.h"
#include "split/character_model.h"
#include "split/cut_finder.h"
#include "split/line_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qytxt::split {
namespace {

using core::TextEncoding;

// A novel's lines (UTF-8) and whether each is a heading: a foreword, headings of every form, lines
// that only look like them, a long paragraph that takes the text past several checkpoints.
std::vector<std::pair<std::string, bool>> novelLines()
{
    const std::string paragraph = "　　他说：“第二天再说。”" + std::string(300, 'a') + "一二三四五六七八九十";
    return {{"书名：某某", false},
            {"　　前言不是标题，这里是作者的话。", false},
            {paragraph, false},
            {"　　第一章　开始", true},
            {paragraph, false},
            {"第二天早上他……", false},
            {"12点", false},
            {"\t第１２章 再见", true},
            {paragraph, false},
            {"序章", true},
            {"序章开始了", false},
            {"Chapter 7: The End", true},
            {paragraph, false},
            {"chapter IX", false},
            {"第一千二百三十四章 标题", true},
            {paragraph + paragraph + paragraph + paragraph, false},
            {"后记", true}};
}

struct EncodingCase : testing::NamedCase {
    TextEncoding encoding;
    bool marked;
    bool told; // the encoding is given rather than detected
};

class HeadingScan : public ::testing::TestWithParam<EncodingCase> {
protected:
    // The novel in the row's encoding, and where each heading's line starts in it.
    void SetUp() override
    {
        const EncodingCase& c = GetParam();
        const char* name = core::encodingName(c.encoding).data();
        if (c.marked)
            m_text = core::byteOrderMark(c.encoding);
        std::string utf8;
        int line = 0;
        for (const auto& [words, heading] : novelLines()) {
            if (heading) {
                m_offsets.push_back(static_cast<std::int64_t>(m_text.size()));
                std::string_view shown = words;
                while (shown.starts_with("\t") || shown.starts_with("　"))
                    shown.remove_prefix(shown.starts_with("\t") ? 1 : 3);
                m_texts.emplace_back(shown);
            }
            // CR LF and, now and then, LF alone, which ends a line as well.
            const std::string lineWithBreak = words + (++line % 4 == 0 ? "\n" : "\r\n");
            m_text += core::convertEncoding(lineWithBreak, "UTF-8", name);
        }
        m_text.resize(m_text.size() -
                      (c.encoding == TextEncoding::Utf16Le || c.encoding == TextEncoding::Utf16Be ? 4 : 2));
    }

    core::EncodingChoice choice() const
    {
        return GetParam().told ? core::EncodingChoice(GetParam().encoding) : std::nullopt;
    }

    std::string m_text;
    std::vector<std::int64_t> m_offsets;
    std::vector<std::string> m_texts;
};

// Pieces of every size, so that lines, units and the mark are cut everywhere.
TEST_P(HeadingScan, FindsEveryHeadingWhateverThePieces)
{
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{1023}, m_text.size()}) {
        HeadingScanner scanner({}, choice());
        for (std::size_t at = 0; at < m_text.size(); at += piece)
            scanner.feed(std::string_view(m_text).substr(at, piece));
        scanner.finish(GetParam().encoding);
        std::vector<std::int64_t> offsets;
        std::vector<std::string> texts;
        for (const Heading& heading : scanner.headings()) {
            offsets.push_back(heading.offset);
            texts.push_back(heading.text);
        }
        EXPECT_EQ(offsets, m_offsets) << "pieces of " << piece;
        EXPECT_EQ(texts, m_texts) << "pieces of " << piece;
    }
}

// The count's pass finds them too, and tells each one's place in the count.
TEST_P(HeadingScan, CountingPassPlacesEachHeading)
{
    MemorySource source(m_text);
    HeadingScanner scanner({}, choice());
    std::optional<CutFinder> finder = CutFinder::scan(source, choice(), &scanner);
    ASSERT_TRUE(finder);
    ASSERT_EQ(finder->encoding(), GetParam().encoding);
    ASSERT_EQ(scanner.headings().size(), m_offsets.size());
    for (const std::int64_t offset : m_offsets) {
        const std::string_view before = std::string_view(m_text).substr(0, static_cast<std::size_t>(offset));
        EXPECT_EQ(
            finder->fullWidthBefore(offset),
            steppedFullWidthLength(GetParam().encoding, before.substr(static_cast<std::size_t>(finder->markLength()))))
            << "at " << offset;
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, HeadingScan,
                         ::testing::Values(EncodingCase{"Gbk", TextEncoding::Gbk, false, false},
                                           EncodingCase{"Utf8", TextEncoding::Utf8, false, false},
                                           EncodingCase{"Utf8WithMark", TextEncoding::Utf8, true, false},
                                           EncodingCase{"Utf16LeWithMark", TextEncoding::Utf16Le, true, false},
                                           EncodingCase{"Utf16BeTold", TextEncoding::Utf16Be, false, true},
                                           EncodingCase{"Gb18030Told", TextEncoding::Gb18030, false, true}),
                         testing::CaseName());

TEST(HeadingScan, LineTooLongForAHeadingIsPassedOver)
{
    // A pattern that takes every line: only the lengths decide.
    const std::string longLine(HeadingScanner::kMaxLineBytes + 1, 'x');
    const std::string text = longLine + "\n" + std::string(HeadingScanner::kMaxLineBytes, 'y') + "\nz";
    for (const std::size_t piece : {std::size_t{7}, text.size()}) {
        HeadingScanner scanner(*HeadingMatcher::pattern("."));
        for (std::size_t at = 0; at < text.size(); at += piece)
            scanner.feed(std::string_view(text).substr(at, piece));
        scanner.finish(TextEncoding::Gbk);
        ASSERT_EQ(scanner.headings().size(), 2u) << "pieces of " << piece;
        EXPECT_EQ(scanner.headings()[0].offset, static_cast<std::int64_t>(longLine.size() + 1));
        EXPECT_EQ(scanner.headings()[1].text, "z");
    }
}

struct LineStartCase : testing::NamedCase {
    TextEncoding encoding;
    std::string text;
    std::int64_t markLength;
    std::int64_t offset;
    std::int64_t lineStart;
};

class NextLineStart : public ::testing::TestWithParam<LineStartCase> {};

TEST_P(NextLineStart, MovesOnToTheNextLine)
{
    const LineStartCase& c = GetParam();
    MemorySource source(c.text);
    EXPECT_EQ(nextLineStart(source, c.encoding, c.markLength, c.offset), c.lineStart);
}

INSTANTIATE_TEST_SUITE_P(Cases, NextLineStart,
                         ::testing::Values(LineStartCase{"AlreadyAtALineStart", TextEncoding::Gbk, "ab\ncd", 0, 3, 3},
                                           LineStartCase{"InsideALine", TextEncoding::Gbk, "ab\ncd\nef", 0, 4, 6},
                                           LineStartCase{"AfterTheMark", TextEncoding::Utf8,
                                                         "\xEF\xBB\xBF"
                                                         "ab",
                                                         3, 3, 3},
                                           LineStartCase{"NoLineFeedLeft", TextEncoding::Gbk, "ab\ncdef", 0, 4, 7},
                                           LineStartCase{"CarriageReturnAloneIsNoLineEnd", TextEncoding::Gbk, "ab\rcd",
                                                         0, 1, 5},
                                           // 上 is 0A 4E in UTF-16LE: its 0A is no line feed.
                                           LineStartCase{"Utf16ByteThatIsNoLineFeed", TextEncoding::Utf16Le,
                                                         std::string("a\0\x0A\x4E"
                                                                     "b\0\n\0c\0",
                                                                     10),
                                                         0, 2, 8},
                                           LineStartCase{"Utf16BigEndian", TextEncoding::Utf16Be,
                                                         std::string("\x4E\x0A\0\n\0c", 6), 0, 2, 4},
                                           LineStartCase{"LongLineBeyondOneRead", TextEncoding::Gbk,
                                                         std::string(100000, 'x') + "\nz", 0, 1, 100001}),
                         testing::CaseName());

} // namespace
} // namespace qytxt::split

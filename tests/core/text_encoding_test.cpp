#include "core/text_encoding.h"

#include "named_case.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qytxt::core {
namespace {

struct DetectCase : qytxt::testing::NamedCase {
    std::string bytes;
    TextEncoding encoding;
    std::size_t markLength;
};

// Feeds the bytes whole, one at a time, and in pieces of random sizes: every way must tell the same.
DetectedEncoding detectInPieces(std::string_view bytes, std::mt19937& random, std::size_t maxPiece)
{
    EncodingDetector detector;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t piece = std::min<std::size_t>(1 + random() % maxPiece, bytes.size() - at);
        detector.feed(bytes.substr(at, piece));
        at += piece;
    }
    return detector.result();
}

class DetectEncodingTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectEncodingTest, TellsTheEncodingHoweverTheBytesArrive)
{
    const DetectCase& c = GetParam();
    std::mt19937 random(1);
    // Unmarked texts also with ASCII before them, so that what decides falls on both sides of the
    // 64-byte blocks the vector path reads.
    const std::size_t maxPadding = c.markLength == 0 ? 130 : 0;
    for (std::size_t padding = 0; padding <= maxPadding; padding += padding < 56 ? 56 : 1) {
        const std::string bytes = std::string(padding, 'a') + c.bytes;
        SCOPED_TRACE("padding " + std::to_string(padding));
        for (const std::size_t maxPiece : {bytes.size() + 1, std::size_t{1}, std::size_t{7}, std::size_t{70}}) {
            const DetectedEncoding detected = detectInPieces(bytes, random, std::max<std::size_t>(maxPiece, 1));
            EXPECT_EQ(detected.encoding, c.encoding) << "pieces of up to " << maxPiece;
            EXPECT_EQ(detected.markLength, c.markLength);
        }
    }
}

const std::string kUtf8Chinese = "\xE4\xB8\x89\xE4\xBD\x93"; // 三体
const std::string kGbkChinese = "\xC8\xFD\xCC\xE5";          // 三体

INSTANTIATE_TEST_SUITE_P(
    Texts, DetectEncodingTest,
    ::testing::Values(DetectCase{"Empty", "", TextEncoding::Gbk, 0},
                      DetectCase{"AsciiOnly", "abc\r\n", TextEncoding::Gbk, 0},
                      DetectCase{"Utf8", kUtf8Chinese, TextEncoding::Utf8, 0},
                      DetectCase{"Utf8FourBytes", "\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF", TextEncoding::Utf8, 0},
                      DetectCase{"Utf8Mark", "\xEF\xBB\xBF" + kUtf8Chinese, TextEncoding::Utf8, 3},
                      // A mark decides, whatever follows it.
                      DetectCase{"Utf8MarkOnGbk", "\xEF\xBB\xBF" + kGbkChinese, TextEncoding::Utf8, 3},
                      DetectCase{"Utf16LeMark", std::string("\xFF\xFE\x09\x4E", 4), TextEncoding::Utf16Le, 2},
                      DetectCase{"Utf16BeMark", std::string("\xFE\xFF\x4E\x09", 4), TextEncoding::Utf16Be, 2},
                      DetectCase{"OnlyAMark", "\xFF\xFE", TextEncoding::Utf16Le, 2},
                      DetectCase{"Gbk", kGbkChinese, TextEncoding::Gbk, 0},
                      // Valid UTF-8 cut off by the end of the text is still UTF-8, but not in the middle.
                      DetectCase{"Utf8CutOffAtTheEnd", kUtf8Chinese + "\xE4\xB8", TextEncoding::Utf8, 0},
                      DetectCase{"Utf8CutOffInTheMiddle", "\xE4\xB8" + kUtf8Chinese, TextEncoding::Gbk, 0},
                      DetectCase{"LeadByteAloneIsNoSequence", "abc\xE4", TextEncoding::Gbk, 0},
                      DetectCase{"StrayContinuation", kUtf8Chinese + "\x80", TextEncoding::Gbk, 0},
                      DetectCase{"OverlongTwoBytes", kUtf8Chinese + "\xC1\xBF", TextEncoding::Gbk, 0},
                      DetectCase{"OverlongThreeBytes", kUtf8Chinese + "\xE0\x9F\xBF", TextEncoding::Gbk, 0},
                      DetectCase{"LowestThreeBytes", kUtf8Chinese + "\xE0\xA0\x80", TextEncoding::Utf8, 0},
                      DetectCase{"Surrogate", kUtf8Chinese + "\xED\xA0\x80", TextEncoding::Gbk, 0},
                      DetectCase{"HighestBeforeSurrogates", kUtf8Chinese + "\xED\x9F\xBF", TextEncoding::Utf8, 0},
                      DetectCase{"OverlongFourBytes", kUtf8Chinese + "\xF0\x8F\xBF\xBF", TextEncoding::Gbk, 0},
                      DetectCase{"AboveTheLastCodePoint", kUtf8Chinese + "\xF4\x90\x80\x80", TextEncoding::Gbk, 0},
                      DetectCase{"NeverALead", kUtf8Chinese + "\xF5\x80\x80\x80", TextEncoding::Gbk, 0},
                      DetectCase{"MissingContinuation",
                                 "\xE4\xB8"
                                 "a",
                                 TextEncoding::Gbk, 0},
                      // GBK bytes that happen to form valid UTF-8 up to a point: only the whole text tells.
                      DetectCase{"GbkThatLooksLikeUtf8AtFirst", "\xC3\x80\xC3\x80" + kGbkChinese, TextEncoding::Gbk,
                                 0}),
    qytxt::testing::CaseName());

TEST(DetectFileEncoding, ReadsTheFileOrSaysItCannot)
{
    qytxt::testing::TempDir dir;
    // A UTF-8 text longer than one read, whose only fault comes last.
    const std::string text = std::string(200000, 'a') + kUtf8Chinese;
    qytxt::testing::writeBytes(dir.file("utf8.txt"), text);
    qytxt::testing::writeBytes(dir.file("gbk.txt"), text + "\xFF");
    EXPECT_EQ(detectFileEncoding(dir.file("utf8.txt").string())->encoding, TextEncoding::Utf8);
    EXPECT_EQ(detectFileEncoding(dir.file("gbk.txt").string())->encoding, TextEncoding::Gbk);
    EXPECT_EQ(detectFileEncoding(dir.file("missing.txt").string()), std::nullopt);
}

TEST(EncodingNames, EveryNameLeadsBackToItsEncoding)
{
    for (const TextEncoding encoding :
         {TextEncoding::Gbk, TextEncoding::Gb18030, TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be}) {
        EXPECT_EQ(encodingNamed(encodingName(encoding)), encoding);
        const std::string_view mark = byteOrderMark(encoding);
        EXPECT_EQ(markedEncoding(mark), mark.empty() ? std::nullopt : std::optional(encoding));
    }
    EXPECT_EQ(encodingNamed("utf-16le"), TextEncoding::Utf16Le);
    EXPECT_EQ(encodingNamed("utf8"), std::nullopt);
    EXPECT_EQ(encodingNamed("auto"), std::nullopt);
}

} // namespace
} // namespace qytxt::core

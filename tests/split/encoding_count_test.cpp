#include "split/character_model.h"
#include "split/counting_pass.h"
#include "split/cut_finder.h"
#include "split/text_count.h"

#include "core/encoding.h"
#include "named_case.h"

#include <gtest/gtest.h>

#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace qytxt::split {
namespace {

using core::TextEncoding;

// `text` (ASCII) in an encoding: one byte a character, or two for UTF-16.
std::string asciiIn(TextEncoding encoding, std::string_view text)
{
    std::string bytes;
    for (const char c : text) {
        if (encoding == TextEncoding::Utf16Le)
            bytes += {c, '\0'};
        else if (encoding == TextEncoding::Utf16Be)
            bytes += {'\0', c};
        else
            bytes += c;
    }
    return bytes;
}

std::int64_t counted(TextEncoding encoding, std::string_view text, std::size_t cut)
{
    TextCounter counter(encoding);
    counter.feed(text.substr(0, cut));
    counter.feed(text.substr(cut));
    counter.finish();
    return counter.fullWidthLength();
}

struct CountCase : qytxt::testing::NamedCase {
    TextEncoding encoding;
    std::string text;
    std::int64_t fullWidth;
};

class EncodingCountTest : public ::testing::TestWithParam<CountCase> {};

// The stepped reading and the vector counters against the row, with the row's bytes moved across the
// edges of the counters' 64-byte blocks and fed in two pieces cut at every offset.
TEST_P(EncodingCountTest, SteppingAndCountingAgree)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(steppedFullWidthLength(c.encoding, c.text), c.fullWidth);
    for (std::size_t padding = 0; padding <= 70; padding += padding < 56 ? 56 : 1) {
        const std::string text = asciiIn(c.encoding, std::string(padding, 'x')) + c.text;
        const auto expected = c.fullWidth + 2 * static_cast<std::int64_t>(padding);
        for (std::size_t cut = 0; cut <= text.size(); ++cut)
            ASSERT_EQ(counted(c.encoding, text, cut), expected) << "padding " << padding << ", cut at " << cut;
    }
}

const std::string kGbFourBytes = "\x81\x30\x81\x30"; // U+0080 in GB18030

INSTANTIATE_TEST_SUITE_P(
    Texts, EncodingCountTest,
    ::testing::Values(
        CountCase{"GbkPair", TextEncoding::Gbk, "\xC8\xFD\r\n", 4},
        // Two characters in GBK's reading, one in GB18030's; never taken apart in either.
        CountCase{"GbkFourBytes", TextEncoding::Gbk, kGbFourBytes, 4},
        CountCase{"Gb18030FourBytes", TextEncoding::Gb18030, kGbFourBytes, 2},
        CountCase{"Gb18030FourByteRun", TextEncoding::Gb18030, kGbFourBytes + kGbFourBytes + "\x81\x30", 6},
        CountCase{"Gb18030DigitAfterPair", TextEncoding::Gb18030, "\x81\x30\x41\x30", 6},
        CountCase{"Gb18030CutOffAtTheEnd", TextEncoding::Gb18030, "\x81\x30\x81", 2},
        CountCase{"Utf8", TextEncoding::Utf8,
                  "\xE4\xB8\x89\xF0\x9F\x98\x80"
                  "a\t",
                  2 + 2 + 2 + 1},
        CountCase{"Utf8ControlsAndDelete", TextEncoding::Utf8, std::string("\r\n\0\x7F", 4), 4},
        // Invalid bytes are characters of their own.
        CountCase{"Utf8StrayContinuations", TextEncoding::Utf8, "\x80\xBF\xE4\xB8\x89\x80", 8},
        CountCase{"Utf8MissingContinuation", TextEncoding::Utf8,
                  "\xE4\xB8"
                  "a\xF0\x9F",
                  6},
        CountCase{"Utf8NeverALead", TextEncoding::Utf8, "\xF8\x80\xFF", 6},
        CountCase{"Utf8TooManyContinuations", TextEncoding::Utf8, "\xC3\x80\x80\xE4\x80\x80\x80", 8},
        CountCase{"Utf16Le", TextEncoding::Utf16Le, std::string("\x09\x4E\r\0\n\0\x3D\xD8\x00\xDE", 10), 2 + 2 + 2},
        CountCase{"Utf16Be", TextEncoding::Utf16Be, std::string("\x4E\x09\0\r\0\n\xD8\x3D\xDE\x00", 10), 2 + 2 + 2},
        // Lone surrogates are characters; an odd last byte counts nothing.
        CountCase{"Utf16LoneSurrogates", TextEncoding::Utf16Le, std::string("\x00\xDE\x3D\xD8\x3D\xD8\x00\xDE", 8), 6},
        CountCase{"Utf16HighSurrogateAtTheEnd", TextEncoding::Utf16Le, "\x3D\xD8", 2},
        CountCase{"Utf16OddLastByte", TextEncoding::Utf16Be, std::string("\0a\x4E", 3), 2}),
    qytxt::testing::CaseName());

// For every full-width offset 0..FW, the byte offset of the first character boundary at or past it,
// stepping from the start of the text after its mark.
std::vector<std::int64_t> steppedCuts(TextEncoding encoding, std::string_view source, std::size_t mark)
{
    const std::string_view text = source.substr(mark);
    const std::int64_t total = steppedFullWidthLength(encoding, text);
    std::vector<std::int64_t> cuts(static_cast<std::size_t>(total) + 1, static_cast<std::int64_t>(source.size()));
    std::int64_t width = 0;
    std::int64_t offset = 1;
    for (std::size_t pos = 0; pos < text.size() && offset < total;) {
        const CharacterStep step = stepCharacter(encoding, text, pos);
        width += step.width;
        pos += step.length;
        for (; offset <= std::min(width, total - 1); ++offset)
            cuts[static_cast<std::size_t>(offset)] = static_cast<std::int64_t>(mark + pos);
    }
    cuts[0] = 0;
    return cuts;
}

void expectCuts(std::string_view source, core::EncodingChoice choice, TextEncoding encoding, std::size_t mark)
{
    MemorySource memory(source);
    CutFinder finder = CutFinder::scan(memory, choice).value();
    ASSERT_EQ(finder.encoding(), encoding);
    ASSERT_EQ(finder.markLength(), static_cast<std::int64_t>(mark));
    const std::vector<std::int64_t> expected = steppedCuts(encoding, source, mark);
    ASSERT_EQ(finder.fullWidthLength(), static_cast<std::int64_t>(expected.size()) - 1);
    for (std::size_t offset = 0; offset < expected.size(); ++offset)
        ASSERT_EQ(finder.byteOffsetAt(static_cast<std::int64_t>(offset)), expected[offset]) << "offset " << offset;
}

// Random text in UTF-8: ASCII, controls, Chinese, and characters beyond the BMP (four bytes in
// UTF-8 and GB18030, a surrogate pair in UTF-16).
std::string randomUtf8(std::mt19937& random, std::size_t characters)
{
    static const char* const kPieces[] = {"a",
                                          " ",
                                          "\r\n",
                                          "\n",
                                          "\t",
                                          "\xE4\xB8\x89",
                                          "\xE4\xBD\x93",
                                          "\xEF\xBC\x8C",
                                          "\xE3\x80\x80",
                                          "\xF0\x9F\x98\x80",
                                          "\xF0\xA0\x80\x80",
                                          "\xC2\xB7",
                                          "\xE2\x80\xA6"};
    std::string text;
    for (std::size_t i = 0; i < characters; ++i)
        text += kPieces[random() % std::size(kPieces)];
    return text;
}

std::string withStrayBytes(std::mt19937& random, std::string text, int count)
{
    for (int i = 0; i < count && !text.empty(); ++i)
        text.insert(random() % text.size(), 1, static_cast<char>(0x80 + random() % 128));
    return text;
}

struct ForcedCase : qytxt::testing::NamedCase {
    TextEncoding encoding;
    int strayBytes; // inserted anywhere, so the text is invalid in its encoding
};

class ForcedEncodingCuts : public ::testing::TestWithParam<ForcedCase> {};

// Lengths around the blocks and the checkpoints, so lookups start from checkpoints that fall inside
// characters of every length.
TEST_P(ForcedEncodingCuts, MatchSteppingFromTheStart)
{
    const ForcedCase& c = GetParam();
    std::mt19937 random(static_cast<unsigned>(c.encoding) * 31 + static_cast<unsigned>(c.strayBytes));
    for (const std::size_t characters : {0u, 1u, 20u, 400u, 1500u, 4000u}) {
        const std::string utf8 = randomUtf8(random, characters);
        const std::string text = withStrayBytes(
            random, core::convertEncoding(utf8, "UTF-8", std::string(core::encodingName(c.encoding)).c_str()),
            c.strayBytes);
        SCOPED_TRACE(std::to_string(characters) + " characters");
        expectCuts(text, c.encoding, c.encoding, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, ForcedEncodingCuts,
                         ::testing::Values(ForcedCase{"Gb18030", TextEncoding::Gb18030, 0},
                                           ForcedCase{"Gb18030Invalid", TextEncoding::Gb18030, 5},
                                           ForcedCase{"Utf8", TextEncoding::Utf8, 0},
                                           ForcedCase{"Utf8Invalid", TextEncoding::Utf8, 9},
                                           ForcedCase{"Utf16Le", TextEncoding::Utf16Le, 0},
                                           ForcedCase{"Utf16LeOddBytes", TextEncoding::Utf16Le, 3},
                                           ForcedCase{"Utf16Be", TextEncoding::Utf16Be, 0}),
                         qytxt::testing::CaseName());

// An unmarked text is counted both ways to its end; a fault at the very end still makes it GBK.
TEST(DetectedEncodingCuts, UnmarkedTextIsToldByItsWholeLength)
{
    std::mt19937 random(8);
    const std::string utf8 = randomUtf8(random, 3000);
    expectCuts(utf8, std::nullopt, TextEncoding::Utf8, 0);
    expectCuts(utf8 + "\xFF", std::nullopt, TextEncoding::Gbk, 0);
    expectCuts("\xFF" + utf8, std::nullopt, TextEncoding::Gbk, 0);
    const std::string gb18030 = core::convertEncoding(utf8, "UTF-8", "GB18030");
    expectCuts(gb18030, std::nullopt, TextEncoding::Gbk, 0);
}

TEST(DetectedEncodingCuts, MarkedTextStartsAfterItsMark)
{
    std::mt19937 random(9);
    const std::string utf8 = randomUtf8(random, 2000);
    expectCuts("\xEF\xBB\xBF" + utf8, std::nullopt, TextEncoding::Utf8, 3);
    expectCuts("\xFF\xFE" + core::convertEncoding(utf8, "UTF-8", "UTF-16LE"), std::nullopt, TextEncoding::Utf16Le, 2);
    expectCuts("\xFE\xFF" + core::convertEncoding(utf8, "UTF-8", "UTF-16BE"), std::nullopt, TextEncoding::Utf16Be, 2);
    // A forced encoding takes its own mark, and no other.
    expectCuts("\xEF\xBB\xBF" + utf8, TextEncoding::Utf8, TextEncoding::Utf8, 3);
    expectCuts("\xFF\xFE" + utf8, TextEncoding::Utf8, TextEncoding::Utf8, 0);
    expectCuts("\xFF\xFE", std::nullopt, TextEncoding::Utf16Le, 2);
}

// Texts whose readings two readers could get wrong at their seam: the encoding told by the whole
// text, a mark, four-byte and surrogate characters, invalid bytes on either side.
struct SharedPassCase : qytxt::testing::NamedCase {
    core::EncodingChoice choice;
    std::string (*make)(std::mt19937&);
};

std::string utf8Text(std::mt19937& random)
{
    return randomUtf8(random, 3000);
}

// A UTF-8 novel with LF line ends and ideographic indents has no two bytes below 0x80 in a row for
// pages: here only one CR LF, far past the middle.
std::string utf8WithoutAsciiPairs(std::mt19937& random)
{
    static const char* const kCharacters[] = {"\xE4\xB8\x89", "\xE4\xBD\x93", "\xEF\xBC\x8C", "\xF0\x9F\x98\x80"};
    std::string text;
    while (text.size() < 80000) {
        text += "\xE3\x80\x80\xE3\x80\x80";
        for (int i = 0; i < 20; ++i)
            text += kCharacters[random() % std::size(kCharacters)];
        text += text.size() > 75000 && text.find('\r') == std::string::npos ? "\r\n" : "\n";
    }
    return text;
}

class SharedCountingPass : public ::testing::TestWithParam<SharedPassCase> {};

void expectSameCount(const CountedSource& shared, const CountedSource& alone)
{
    ASSERT_EQ(shared.count.encoding, alone.count.encoding);
    ASSERT_EQ(shared.count.markLength, alone.count.markLength);
    ASSERT_EQ(shared.count.fullWidthLength, alone.count.fullWidthLength);
    ASSERT_EQ(shared.checkpoints.size(), alone.checkpoints.size());
    for (std::size_t i = 0; i < alone.checkpoints.size(); ++i) {
        ASSERT_EQ(shared.checkpoints[i].fromCheckpoint(), alone.checkpoints[i].fromCheckpoint()) << "checkpoint " << i;
        ASSERT_EQ(shared.checkpoints[i].widthBefore(), alone.checkpoints[i].widthBefore()) << "checkpoint " << i;
    }
}

// Wherever the second reader takes over, the two halves add up to what one reader counts alone.
TEST_P(SharedCountingPass, AddsUpToOneReadersCount)
{
    const SharedPassCase& c = GetParam();
    std::mt19937 random(17);
    const std::string text = c.make(random);
    const MemorySource source(text);
    const auto size = static_cast<std::int64_t>(text.size());
    PassOptions alone;
    alone.checkpoints = true;
    alone.secondReaderFrom = size;
    const CountedSource expected = countPass(source, c.choice, alone).value();

    std::mutex mutex;
    std::set<std::thread::id> readers;
    PassOptions shared = alone;
    shared.stopRequested = [&] {
        const std::lock_guard lock(mutex);
        readers.insert(std::this_thread::get_id());
        return false;
    };
    for (std::int64_t from = 0; from < size; from += from < 64 ? 1 : 97) {
        shared.secondReaderFrom = from;
        expectSameCount(countPass(source, c.choice, shared).value(), expected);
        if (::testing::Test::HasFatalFailure())
            FAIL() << "second reader from " << from;
    }
    EXPECT_EQ(readers.size(), 2U) << "the text never gave the second reader a place to start";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SharedCountingPass,
    ::testing::Values(
        SharedPassCase{"Utf8", std::nullopt, utf8Text},
        SharedPassCase{"Utf8MarkedWithStrayBytes", std::nullopt,
                       [](std::mt19937& r) { return "\xEF\xBB\xBF" + withStrayBytes(r, utf8Text(r), 7); }},
        SharedPassCase{"Utf8PairsFarApart", std::nullopt, utf8WithoutAsciiPairs},
        SharedPassCase{"Utf8FaultNearTheEnd", std::nullopt,
                       [](std::mt19937& r) {
                           return utf8Text(r) + "\xE4"
                                                "a";
                       }},
        SharedPassCase{"Utf8FaultAtTheStart", std::nullopt, [](std::mt19937& r) { return "\xFF" + utf8Text(r); }},
        // Multi-byte characters only in the second half make the whole text UTF-8.
        SharedPassCase{"AsciiThenUtf8", std::nullopt,
                       [](std::mt19937& r) { return std::string(5000, 'a') + "\r\n" + utf8Text(r); }},
        SharedPassCase{"Gbk", std::nullopt,
                       [](std::mt19937& r) { return core::convertEncoding(utf8Text(r), "UTF-8", "GB18030"); }},
        SharedPassCase{"Gb18030WithStrayBytes", core::TextEncoding::Gb18030,
                       [](std::mt19937& r) {
                           return withStrayBytes(r, core::convertEncoding(utf8Text(r), "UTF-8", "GB18030"), 9);
                       }},
        SharedPassCase{
            "Utf16LeMarked", std::nullopt,
            [](std::mt19937& r) { return "\xFF\xFE" + core::convertEncoding(utf8Text(r), "UTF-8", "UTF-16LE"); }},
        SharedPassCase{
            "Utf16BeMarked", std::nullopt,
            [](std::mt19937& r) { return "\xFE\xFF" + core::convertEncoding(utf8Text(r), "UTF-8", "UTF-16BE"); }},
        SharedPassCase{"Utf16LeOddBytes", core::TextEncoding::Utf16Le,
                       [](std::mt19937& r) {
                           return withStrayBytes(r, core::convertEncoding(utf8Text(r), "UTF-8", "UTF-16LE"), 3);
                       }}),
    qytxt::testing::CaseName());

// A stop or a failure seen by either reader ends the whole pass.
TEST(SharedCountingPassStop, EitherReaderStopsBoth)
{
    std::mt19937 random(5);
    const std::string text = randomUtf8(random, 3000);
    const MemorySource source(text);
    const std::thread::id caller = std::this_thread::get_id();
    for (const bool stopTheSecond : {false, true}) {
        int callerAsked = 0; // the first answer lets the mark be read, before the second reader starts
        PassOptions options;
        options.secondReaderFrom = static_cast<std::int64_t>(text.size() / 2);
        options.stopRequested = [&] {
            if (std::this_thread::get_id() != caller)
                return stopTheSecond;
            return ++callerAsked > 1 && !stopTheSecond;
        };
        EXPECT_FALSE(countPass(source, std::nullopt, options)) << (stopTheSecond ? "second" : "first");
    }
}

} // namespace
} // namespace qytxt::split

#include "split/cut_finder.h"

#include "named_case.h"
#include "split_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qytxt::split {
namespace {

using testing::randomBytes;
using testing::referenceFullWidthLength;

bool isFourByteSequence(std::string_view bytes)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto lead = [&](std::size_t i) { return at(i) >= 0x81 && at(i) <= 0xFE; };
    const auto digit = [&](std::size_t i) { return at(i) >= 0x30 && at(i) <= 0x39; };
    return bytes.size() == 4 && lead(0) && digit(1) && lead(2) && digit(3);
}

// For every full-width offset 0..FW, the expected byte offset found by stepping from the start.
std::vector<std::int64_t> referenceCuts(std::string_view text)
{
    const std::int64_t total = referenceFullWidthLength(text);
    std::vector<std::int64_t> cuts(static_cast<std::size_t>(total) + 1, static_cast<std::int64_t>(text.size()));
    std::int64_t width = 0;
    std::size_t position = 0;
    std::int64_t offset = 0;
    while (offset <= total) {
        // `position` is a boundary with `width` full-width bytes before it.
        while (offset <= width && offset <= total)
            cuts[static_cast<std::size_t>(offset++)] = static_cast<std::int64_t>(position);
        if (position >= text.size())
            break;
        const auto byte = static_cast<unsigned char>(text[position]);
        if (byte >= 0x80) {
            if (position + 1 >= text.size())
                break; // lone lead at the end: the remaining offsets stay at the end of the text
            // A GB18030 four-byte sequence keeps the width of two pairs but is never cut between them.
            const std::size_t length = isFourByteSequence(text.substr(position, 4)) ? 4 : 2;
            width += static_cast<std::int64_t>(length);
            position += length;
        } else {
            width += (byte >= 0x20 && byte < 0x7F) ? 2 : 1;
            position += 1;
        }
    }
    // Offset 0 is always the start; any other offset at the end of the full-width form is the end
    // of the text, a trailing lone lead byte included.
    if (total > 0)
        cuts[static_cast<std::size_t>(total)] = static_cast<std::int64_t>(text.size());
    return cuts;
}

struct CutCase : qytxt::testing::NamedCase {
    std::string text;
    std::vector<std::int64_t> bytesAtOffset; // for offsets 0, 1, 2, ...
};

class CutFinderExamples : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutFinderExamples, MapsEachOffset)
{
    const CutCase& c = GetParam();
    MemorySource source(c.text);
    CutFinder finder = CutFinder::scan(source).value();
    for (std::size_t offset = 0; offset < c.bytesAtOffset.size(); ++offset)
        EXPECT_EQ(finder.byteOffsetAt(static_cast<std::int64_t>(offset)), c.bytesAtOffset[offset])
            << "offset " << offset;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CutFinderExamples,
    ::testing::Values(CutCase{"Empty", "", {0, 0, 0}}, CutCase{"Ascii", "abc", {0, 1, 1, 2, 2, 3, 3, 3}},
                      // After a lone line feed, cuts fall inside the next character and move to its end.
                      CutCase{"LoneLineFeedShiftsCuts",
                              "\n\xB7\xD6"
                              "a",
                              {0, 1, 3, 3, 4, 4, 4}},
                      CutCase{"CrLfIsNeverDivided", "\r\nx", {0, 1, 2, 3, 3, 3}},
                      // The lone lead byte at the end belongs to the part holding the last character.
                      CutCase{"TrailingLoneLead", "a\x81", {0, 1, 2, 2}}, CutCase{"OnlyALoneLead", "\x81", {0, 1, 1}}),
    qytxt::testing::CaseName());

TEST(CutFinder, MatchesSteppingFromTheStartOnRandomTexts)
{
    std::mt19937 random(99);
    // Sizes around and well past the checkpoint spacing, so lookups start from checkpoints that
    // fall on second bytes and inside long runs of lead bytes.
    for (const std::size_t length : {0u, 1u, 2u, 63u, 64u, 65u, 1023u, 1024u, 1025u, 3000u, 9000u}) {
        for (int round = 0; round < 6; ++round) {
            const std::string text = randomBytes(random, length);
            const std::vector<std::int64_t> expected = referenceCuts(text);
            MemorySource source(text);
            CutFinder finder = CutFinder::scan(source).value();
            ASSERT_EQ(finder.fullWidthLength(), static_cast<std::int64_t>(expected.size()) - 1);
            for (std::size_t offset = 0; offset < expected.size(); ++offset)
                ASSERT_EQ(finder.byteOffsetAt(static_cast<std::int64_t>(offset)), expected[offset])
                    << "length " << length << " offset " << offset;
            ASSERT_EQ(finder.byteOffsetAt(finder.fullWidthLength() + 5), static_cast<std::int64_t>(text.size()));
        }
    }
}

TEST(CutFinder, AnyOrderOfLookupsGivesTheSameAnswers)
{
    std::mt19937 random(3);
    const std::string text = randomBytes(random, 5000);
    const std::vector<std::int64_t> expected = referenceCuts(text);
    MemorySource source(text);
    CutFinder finder = CutFinder::scan(source).value();
    std::vector<std::int64_t> offsets;
    for (std::size_t offset = 0; offset < expected.size(); offset += 7)
        offsets.push_back(static_cast<std::int64_t>(offset));
    std::shuffle(offsets.begin(), offsets.end(), random);
    for (const std::int64_t offset : offsets)
        ASSERT_EQ(finder.byteOffsetAt(offset), expected[static_cast<std::size_t>(offset)]) << offset;
}

} // namespace
} // namespace qytxt::split

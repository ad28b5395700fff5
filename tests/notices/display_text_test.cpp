#include "named_case.h"
#include "notices/display_text.h"

#include <gtest/gtest.h>

namespace qytxt::notices {
namespace {

struct ShownTextCase : qytxt::testing::NamedCase {
    core::Text text;
    std::size_t maxCharacters;
    core::Text expected;
};

const core::Text kEllipsis = "\xA1\xAD";

class ShownTextTest : public ::testing::TestWithParam<ShownTextCase> {};

TEST_P(ShownTextTest, CutsAfterWholeCharacters)
{
    EXPECT_EQ(shownText(GetParam().text, GetParam().maxCharacters), GetParam().expected);
}

// 一 = D2 BB, 賊 = D9 5C (second byte "\"), 😀 = 94 39 FC 36 in GB18030.
INSTANTIATE_TEST_SUITE_P(
    Texts, ShownTextTest,
    ::testing::Values(ShownTextCase{"Empty", "", 0, ""}, ShownTextCase{"Shorter", "abc", 5, "abc"},
                      ShownTextCase{"Exactly", "abcde", 5, "abcde"},
                      ShownTextCase{"OneOver", "abcdef", 5, "abcde" + kEllipsis},
                      ShownTextCase{"NothingAllowed", "a", 0, kEllipsis},
                      ShownTextCase{"TwoByteCharacters", "\xD2\xBB\xD2\xBB\xD2\xBB", 2, "\xD2\xBB\xD2\xBB" + kEllipsis},
                      ShownTextCase{"TwoByteCharacterAtTheCut",
                                    "a\xD2\xBB"
                                    "b",
                                    2, "a\xD2\xBB" + kEllipsis},
                      ShownTextCase{"SecondByteAsciiLike", "\xD9\x5C\xD9\x5C", 1, "\xD9\x5C" + kEllipsis},
                      ShownTextCase{"FourByteCharacterAtTheCut",
                                    "a\x94\x39\xFC\x36"
                                    "b",
                                    2, "a\x94\x39\xFC\x36" + kEllipsis},
                      ShownTextCase{"FourByteCharacterIsOne", "\x94\x39\xFC\x36", 1, "\x94\x39\xFC\x36"},
                      ShownTextCase{"LoneLeadByteAtTheEndKept", "ab\xD2", 3, "ab\xD2"},
                      ShownTextCase{"LoneLeadByteAtTheEndCut", "ab\xD2", 2, "ab" + kEllipsis}),
    qytxt::testing::CaseName());

} // namespace
} // namespace qytxt::notices

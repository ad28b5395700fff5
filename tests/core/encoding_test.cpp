#include "core/encoding.h"
#include "named_case.h"

#include <gtest/gtest.h>

#include <thread>

namespace qytxt::core {
namespace {

// 三体 in UTF-8 and in GBK.
constexpr std::string_view kUtf8 = "\xE4\xB8\x89\xE4\xBD\x93";
constexpr std::string_view kGbk = "\xC8\xFD\xCC\xE5";

struct ConvertCase : qytxt::testing::NamedCase {
    std::string_view input;
    std::string_view expected;
};

class ConvertEncodingTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertEncodingTest, Utf8ToGb18030)
{
    EXPECT_EQ(convertEncoding(GetParam().input, "UTF-8", "GB18030"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Encoding, ConvertEncodingTest,
                         ::testing::Values(ConvertCase{"Chinese", kUtf8, kGbk}, ConvertCase{"Ascii", "abc", "abc"},
                                           ConvertCase{"Empty", "", ""},
                                           ConvertCase{"InvalidByteFailsWhole",
                                                       "ab\xFF"
                                                       "cd",
                                                       ""},
                                           ConvertCase{"TruncatedCharacterFailsWhole", "\xE4\xB8\x89\xE4\xBD", ""},
                                           // Outside GBK: GB18030 gives a four-byte sequence.
                                           ConvertCase{"EmojiBecomesFourBytes", "\xF0\x9F\x98\x80", "\x94\x39\xFC\x36"},
                                           ConvertCase{"ZeroBytePassesThrough", std::string_view("a\0b", 3),
                                                       std::string_view("a\0b", 3)}),
                         qytxt::testing::CaseName());

TEST(ConvertEncoding, GrowsPastTheInputSize)
{
    // Two UTF-8 bytes that become four GB18030 bytes, many times over.
    std::string input;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        input += "\xC4\x80"; // U+0100
        expected += "\x81\x30\x8B\x38";
    }
    EXPECT_EQ(convertEncoding(input, "UTF-8", "GB18030"), expected);
}

TEST(ConvertEncoding, UnknownEncodingGivesNothing)
{
    EXPECT_EQ(convertEncoding("abc", "UTF-8", "NO-SUCH-ENCODING"), "");
}

TEST(EdgeConversions, RoundTripAndFailures)
{
    EXPECT_EQ(utf8ToGbk(kUtf8), Text(kGbk));
    EXPECT_EQ(gbkToUtf8(kGbk), std::string(kUtf8));
    EXPECT_EQ(utf8ToGbk("plain"), Text("plain"));
    EXPECT_FALSE(utf8ToGbk("\xFF").has_value());
    EXPECT_FALSE(gbkToUtf8("a\xC8").has_value()); // a lone lead byte
    // A failed call must not leave state behind for the next one on the same thread.
    EXPECT_EQ(gbkToUtf8(kGbk), std::string(kUtf8));
}

TEST(EdgeConversions, EachThreadHasItsOwnConverter)
{
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i)
                if (utf8ToGbk(kUtf8) != Text(kGbk) || gbkToUtf8(kGbk) != std::string(kUtf8))
                    ++failures;
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
}

} // namespace
} // namespace qytxt::core

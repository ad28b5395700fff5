#include "named_case.h"
#include "notices/web_address.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qytxt::notices {
namespace {

struct AddressCase : qytxt::testing::NamedCase {
    core::Text address;
    std::optional<core::Text> expected;
};

class WebAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(WebAddressTest, OpensOnlyTrimmedWebAddresses)
{
    EXPECT_EQ(webAddressToOpen(GetParam().address), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, WebAddressTest,
    ::testing::Values(AddressCase{"Http", "http://example.org/a", "http://example.org/a"},
                      AddressCase{"Https", "https://example.org/dl?v=2", "https://example.org/dl?v=2"},
                      AddressCase{"SchemeInUpperCase", "HTTPS://Example.org/A", "HTTPS://Example.org/A"},
                      AddressCase{"SchemeInMixedCase", "hTtP://x.org", "hTtP://x.org"},
                      AddressCase{"BlanksAndLineBreaksAround", " \t\r\nhttps://x.org/p \r\n\t ", "https://x.org/p"},
                      AddressCase{"NonAsciiPathAsUtf8", "http://x.org/\xCF\xC2\xD4\xD8",
                                  "http://x.org/%E4%B8%8B%E8%BD%BD"},
                      AddressCase{"SecondByteLikeABar", "http://x.org/\xD9\x7C|", "http://x.org/%E8%B3%AA%7C"},
                      AddressCase{"LoneLeadByteAtTheEnd", "http://x.org/a\xD9", std::nullopt},
                      AddressCase{"Empty", "", std::nullopt}, AddressCase{"OnlyBlanks", " \r\n ", std::nullopt},
                      AddressCase{"SchemeAlone", "https://", std::nullopt},
                      AddressCase{"LocalFile", "file:///C:/Windows/System32/calc.exe", std::nullopt},
                      AddressCase{"WindowsPath", "C:\\Windows\\System32\\cmd.exe", std::nullopt},
                      AddressCase{"Ftp", "ftp://x.org/file", std::nullopt},
                      AddressCase{"JavaScript", "javascript:alert(1)", std::nullopt},
                      AddressCase{"SchemeWithoutSlashes", "http:x.org", std::nullopt},
                      AddressCase{"SchemeNotAtStart", "xhttp://x.org", std::nullopt},
                      AddressCase{"FullWidthBlankBefore", "\xA1\xA1http://x.org", std::nullopt},
                      AddressCase{"LineBreakInside", "http://x.org\r\ncalc.exe", std::nullopt},
                      AddressCase{"TabInside", "http://x.org\tcmd", std::nullopt}),
    qytxt::testing::CaseName());

} // namespace
} // namespace qytxt::notices

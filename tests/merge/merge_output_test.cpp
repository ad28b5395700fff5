#include "merge/merge_output.h"

#include "gbk_text.h"
#include "temp_dir.h"

#include "named_case.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace qytxt::merge {
namespace {

using qytxt::testing::readBytes;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;

using qytxt::testing::gbkPath;

// An input cut off inside (stopped between pieces, or unreadable part way) leaves no trace, and the
// next input follows the last whole one.
TEST(MergeOutput, InputStoppedBetweenPiecesLeavesNoTrace)
{
    TempDir dir;
    writeBytes(dir.file("first.txt"), "first|");
    writeBytes(dir.file("big.txt"), std::string(17 << 20, 'b')); // three pieces
    const auto never = [] { return false; };
    for (const int stopAt : {1, 2, 3}) {
        SCOPED_TRACE(stopAt);
        MergeOutput output = MergeOutput::create(gbkPath(dir.file("out.txt"))).value();
        EXPECT_EQ(output.append(gbkPath(dir.file("first.txt")), never), MergeOutput::Append::Appended);
        int asked = 0;
        EXPECT_EQ(output.append(gbkPath(dir.file("big.txt")), [&] { return ++asked == stopAt; }),
                  MergeOutput::Append::Stopped);
        EXPECT_EQ(asked, stopAt);
        EXPECT_EQ(output.append(gbkPath(dir.file("first.txt")), never), MergeOutput::Append::Appended);
        EXPECT_TRUE(output.commit());
        EXPECT_EQ(readBytes(dir.file("out.txt")), "first|first|");
    }
}

using Append = MergeOutput::Append;
constexpr Append kAppended = Append::Appended;
constexpr Append kOther = Append::OtherEncoding;

// Inputs by one-letter names. Lower case carries no mark; the long ones hold a character beyond ASCII
// only after the first piece the copy reads, then go on for pieces more.
const std::map<char, std::string> kInputs{
    {'a', "plain ascii\r\n"},
    {'e', ""},
    {'g', "\xB5\xDA\xD2\xBB\xD5\xC2"},                     // GBK
    {'u', "第一章"},                                       // UTF-8
    {'U', "\xEF\xBB\xBF第二章"},                           // UTF-8 with its mark
    {'M', "\xEF\xBB\xBF"},                                 // the mark alone
    {'l', std::string("\xFF\xFE\x2C\x7B\x09\x4E\r\0", 8)}, // UTF-16LE with its mark
    {'b', std::string("\xFE\xFF\x7B\x2C\0\n", 6)},         // UTF-16BE with its mark
    {'x', std::string(3 << 19, 'x') + "\xB5\xDA" + std::string(2 << 20, 'x')},
    {'y', std::string(2 << 20, 'y') + "第" + std::string(1 << 20, 'y')},
};

struct MarkCase : qytxt::testing::NamedCase {
    std::string inputs;
    std::string dropped; // for each input, how many of its first bytes the output leaves out
    std::vector<Append> results;
};

class MergeOutputMarks : public ::testing::TestWithParam<MarkCase> {};

// A mark the output already starts with is left out of a later input; the encoding of each input is
// compared with the first one's that is more than plain ASCII.
TEST_P(MergeOutputMarks, DropsRepeatedMarksAndNamesOtherEncodings)
{
    const MarkCase& c = GetParam();
    TempDir dir;
    MergeOutput output = MergeOutput::create(gbkPath(dir.file("out.txt"))).value();
    std::string expected;
    std::vector<Append> results;
    for (std::size_t i = 0; i < c.inputs.size(); ++i) {
        const std::string& bytes = kInputs.at(c.inputs[i]);
        const auto name = dir.file(std::to_string(i));
        writeBytes(name, bytes);
        results.push_back(output.append(gbkPath(name), [] { return false; }));
        expected += bytes.substr(static_cast<std::size_t>(c.dropped[i] - '0'));
    }
    EXPECT_TRUE(output.commit());
    EXPECT_EQ(results, c.results);
    EXPECT_EQ(readBytes(dir.file("out.txt")), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Inputs, MergeOutputMarks, ::testing::Values(
    MarkCase{"Utf8MarkOnce", "UUU", "033", {kAppended, kAppended, kAppended}},
    MarkCase{"Utf16LeMarkOnce", "ll", "02", {kAppended, kAppended}},
    MarkCase{"Utf16BeMarkOnce", "bb", "02", {kAppended, kAppended}},
    MarkCase{"UnmarkedOutputKeepsLaterMarks", "uU", "00", {kAppended, kAppended}},
    MarkCase{"EmptyFirstInputLeavesTheMarkToTheNext", "eUU", "003", {kAppended, kAppended, kAppended}},
    MarkCase{"MarkAloneStartsTheOutput", "MUM", "033", {kAppended, kAppended, kAppended}},
    MarkCase{"OtherMarksKept", "Ulb", "000", {kAppended, kOther, kOther}},
    MarkCase{"FirstEncodingDecides", "gUgu", "0000", {kAppended, kOther, kAppended, kOther}},
    MarkCase{"PlainAsciiAgreesWithAny", "eauagab", "0000000",
             {kAppended, kAppended, kAppended, kAppended, kOther, kAppended, kOther}},
    MarkCase{"ToldPastTheFirstPiece", "yxy", "000", {kAppended, kOther, kAppended}}
), qytxt::testing::CaseName());
// clang-format on

} // namespace
} // namespace qytxt::merge

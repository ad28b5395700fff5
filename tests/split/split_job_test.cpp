#include "split/split_job.h"

#include "core/numbers.h"
#include "named_case.h"
#include "split/part_plan.h"
#include "split_test_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace qytxt::split {
namespace {

namespace fs = std::filesystem;
using qytxt::testing::readBytes;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;
using testing::gbk;
using testing::gbkPath;
using testing::referenceFullWidthLength;

// Records every window call in order, in UTF-8 for readable failures, with the running flag as the
// job had it at that moment.
class RecordingWindow final : public SplitWindow {
public:
    explicit RecordingWindow(const SplitJobState& state) : m_state(state) {}

    void showMessage(const core::Text& text, const core::Text& title, core::MessageIcon) override
    {
        record("message " + utf8(text) + " | " + utf8(title));
    }
    void setSplitButtonCaption(const core::Text& caption) override { record("caption " + utf8(caption)); }
    void setSplitButtonEnabled(bool enabled) override { record(enabled ? "enabled" : "disabled"); }

    std::vector<std::string> calls;
    std::vector<bool> runningAtCall;
    std::function<void(const std::string&)> onCall;

private:
    static std::string utf8(const core::Text& text) { return core::gbkToUtf8(text).value_or("<not GBK>"); }
    void record(const std::string& call)
    {
        calls.push_back(call);
        runningAtCall.push_back(m_state.running);
        if (onCall)
            onCall(call);
    }
    const SplitJobState& m_state;
};

const std::string kDone = "message 分割完成 | 提示";

struct Fixture {
    TempDir dir;
    fs::path source = dir.file("三体.txt");
    fs::path out = dir.file("输出");
    fs::path parts = out / "三体";

    Fixture() { fs::create_directory(out); }

    SplitRequest request(SplitMode mode, const char* numberText) const
    {
        return {gbkPath(source), gbkPath(out), mode, gbk(numberText)};
    }
    fs::path part(int i) const { return parts / ("三体(" + std::to_string(i) + ").txt"); }
    std::size_t fileCount() const
    {
        if (!fs::exists(parts))
            return 0;
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(parts), fs::directory_iterator()));
    }
};

std::vector<std::string> progressCalls(const std::vector<std::string>& calls)
{
    std::vector<std::string> progress;
    for (const std::string& call : calls)
        if (call.starts_with("caption 正在分割\r\n"))
            progress.push_back(call.substr(std::string("caption 正在分割\r\n").size()));
    return progress;
}

struct ExampleCase : qytxt::testing::NamedCase {
    SplitMode mode;
    int characters; // of a text of ASCII letters, one character each
    const char* numberText;
    std::vector<std::int64_t> lengths; // in bytes
    const char* text = nullptr;        // split instead of the letters when given
};

class WorkedExamples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExamples, PartLengthsAndCaptions)
{
    const ExampleCase& c = GetParam();
    Fixture f;
    std::string text = c.text ? c.text : "";
    for (int i = 0; i < c.characters; ++i)
        text.push_back(static_cast<char>('a' + i % 26));
    writeBytes(f.source, text);
    SplitJobState state;
    RecordingWindow window(state);

    EXPECT_EQ(runSplitJob(f.request(c.mode, c.numberText), window, state), SplitOutcome::Completed);

    ASSERT_EQ(f.fileCount(), c.lengths.size());
    std::string joined;
    for (std::size_t i = 0; i < c.lengths.size(); ++i) {
        const std::string part = readBytes(f.part(static_cast<int>(i + 1)));
        EXPECT_EQ(static_cast<std::int64_t>(part.size()), c.lengths[i]) << "part " << i + 1;
        joined += part;
    }
    EXPECT_EQ(joined, text);

    const std::string total = c.mode == SplitMode::ByParts ? c.numberText : std::to_string(c.lengths.size());
    std::vector<std::string> expectedProgress;
    for (std::size_t i = 1; i <= c.lengths.size(); ++i)
        expectedProgress.push_back(std::to_string(i) + "/" + total);
    EXPECT_EQ(progressCalls(window.calls), expectedProgress);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, WorkedExamples,
    ::testing::Values(
        ExampleCase{"Parts1000000", SplitMode::ByParts, 1000000, "6", {166667, 166667, 166667, 166667, 166666, 166666}},
        ExampleCase{"Parts20", SplitMode::ByParts, 20, "6", {4, 4, 3, 3, 3, 3}},
        ExampleCase{"Parts10", SplitMode::ByParts, 10, "6", {2, 2, 2, 2, 1, 1}},
        ExampleCase{"Parts12", SplitMode::ByParts, 12, "6", {2, 2, 2, 2, 2, 2}},
        ExampleCase{"FewerCharactersThanParts", SplitMode::ByParts, 3, "6", {1, 1, 1, 0, 0, 0}},
        // Two characters and a line feed's half: the lone half is a part of its own, the third.
        ExampleCase{"LoneHalfCharacterAfterTheCharacters", SplitMode::ByParts, 0, "4", {1, 1, 1, 0}, "ab\n"},
        ExampleCase{"OnePart", SplitMode::ByParts, 5, "1", {5}},
        // Read after a leading blank, with full-width digits; the caption shows it as typed.
        ExampleCase{"FullWidthPartsNumber", SplitMode::ByParts, 7, " ３", {3, 2, 2}},
        ExampleCase{"Size7000By3000", SplitMode::BySize, 7000, "3000", {3000, 3000, 1000}},
        ExampleCase{"SizeExactMultiple", SplitMode::BySize, 9, "3", {3, 3, 3}},
        ExampleCase{"SizePlusOne", SplitMode::BySize, 4, "3", {3, 1}},
        ExampleCase{"SizeLargerThanText", SplitMode::BySize, 4, "100", {4}},
        // The last part runs to the last byte, past the last whole character.
        ExampleCase{"SizeOneWithALoneHalfCharacter", SplitMode::BySize, 0, "1", {1, 2}, "ab\n"},
        // Sizes past the 32-bit byte arithmetic: one part with the whole text.
        ExampleCase{"SizeTwoToThirty", SplitMode::BySize, 4, "1073741824", {4}},
        ExampleCase{"SizeLargestInteger", SplitMode::BySize, 4, "2147483647", {4}}),
    qytxt::testing::CaseName());

TEST(SplitJob, CallsTheWindowInOrder)
{
    Fixture f;
    writeBytes(f.source, "abcdefg");
    SplitJobState state;
    RecordingWindow window(state);

    EXPECT_EQ(runSplitJob(f.request(SplitMode::BySize, "3"), window, state), SplitOutcome::Completed);

    const std::vector<std::string> expected = {
        "caption 正在分割",        "disabled", "caption 正在分割\r\n1/3", "caption 正在分割\r\n2/3",
        "caption 正在分割\r\n3/3", kDone,      "caption 分割生成",        "enabled"};
    EXPECT_EQ(window.calls, expected);
    // Running from the busy caption until the report; the report and after see it cleared.
    const std::vector<bool> running = {false, false, true, true, true, false, false, false};
    EXPECT_EQ(window.runningAtCall, running);
    EXPECT_FALSE(state.running);
}

struct CheckCase : qytxt::testing::NamedCase {
    bool withSource;
    bool withFolder;
    std::string message;
};

class PathChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(PathChecks, RejectWithoutTouchingAnything)
{
    const CheckCase& c = GetParam();
    Fixture f;
    writeBytes(f.source, "abc");
    SplitRequest request = f.request(SplitMode::ByParts, "6");
    if (!c.withSource)
        request.sourcePath.clear();
    if (!c.withFolder)
        request.outputFolder.clear();
    SplitJobState state;
    RecordingWindow window(state);

    EXPECT_EQ(runSplitJob(request, window, state), SplitOutcome::Rejected);
    EXPECT_EQ(window.calls, std::vector<std::string>{c.message});
    EXPECT_FALSE(state.running);
    EXPECT_FALSE(fs::exists(f.parts));
}

INSTANTIATE_TEST_SUITE_P(Missing, PathChecks,
                         ::testing::Values(CheckCase{"BothPaths", false, false, "message 请输入待分割文本路径 | 提示"},
                                           CheckCase{"SourcePath", false, true, "message 请输入待分割文本路径 | 提示"},
                                           CheckCase{"OutputFolder", true, false,
                                                     "message 请输入分割文本保存路径 | 提示"}),
                         qytxt::testing::CaseName());

struct FailureCase : qytxt::testing::NamedCase {
    bool sourceIsFolder;
    bool sourceExists;
    SplitMode mode;
    const char* numberText;
    std::string message;
};

class FailuresBeforeWriting : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailuresBeforeWriting, ReportRestoreTheButtonAndWriteNothing)
{
    const FailureCase& c = GetParam();
    Fixture f;
    if (c.sourceIsFolder)
        fs::create_directory(f.source);
    else if (c.sourceExists)
        writeBytes(f.source, "abcdef");
    SplitJobState state;
    RecordingWindow window(state);

    EXPECT_EQ(runSplitJob(f.request(c.mode, c.numberText), window, state), SplitOutcome::Failed);

    const std::vector<std::string> expected = {"caption 正在分割", "disabled", c.message, "caption 分割生成",
                                               "enabled"};
    EXPECT_EQ(window.calls, expected);
    EXPECT_FALSE(state.running);
    EXPECT_FALSE(fs::exists(f.parts));
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, FailuresBeforeWriting,
    ::testing::Values(
        FailureCase{"MissingSource", false, false, SplitMode::ByParts, "6", "message 无法读取待分割文本 | 提示"},
        FailureCase{"SourceIsFolder", true, false, SplitMode::BySize, "3000", "message 无法读取待分割文本 | 提示"},
        FailureCase{"ZeroParts", false, true, SplitMode::ByParts, "0", "message 分割数值无效 | 提示"},
        FailureCase{"NegativeParts", false, true, SplitMode::ByParts, "-2", "message 分割数值无效 | 提示"},
        FailureCase{"NoDigits", false, true, SplitMode::ByParts, "abc", "message 分割数值无效 | 提示"},
        FailureCase{"ZeroSize", false, true, SplitMode::BySize, "0", "message 分割数值无效 | 提示"},
        FailureCase{"EmptySize", false, true, SplitMode::BySize, "", "message 分割数值无效 | 提示"},
        // Wraps at 32 bits to a negative number.
        FailureCase{"WrappedSize", false, true, SplitMode::BySize, "4294967295", "message 分割数值无效 | 提示"}),
    qytxt::testing::CaseName());

TEST(SplitJob, UnwrittenPartsAreReportedAndTheOthersWritten)
{
    Fixture f;
    writeBytes(f.source, "abcdefghijkl");
    fs::create_directories(f.part(2)); // a folder where part 2 should go
    fs::create_directories(f.part(5));
    SplitJobState state;
    RecordingWindow window(state);

    EXPECT_EQ(runSplitJob(f.request(SplitMode::ByParts, "6"), window, state), SplitOutcome::Failed);

    const std::string message = "message 分割失败：2个文本无法写入，首个为 " + f.part(2).string() + " | 提示";
    ASSERT_GE(window.calls.size(), 3u);
    EXPECT_EQ(window.calls[window.calls.size() - 3], message);
    EXPECT_EQ(window.calls.back(), "enabled");
    EXPECT_EQ(progressCalls(window.calls).size(), 6u);
    EXPECT_EQ(readBytes(f.part(1)), "ab");
    EXPECT_EQ(readBytes(f.part(6)), "kl");
}

TEST(SplitJob, MissingOutputFolderLeavesEveryPartUnwritten)
{
    Fixture f;
    writeBytes(f.source, "abcdef");
    SplitRequest request = f.request(SplitMode::BySize, "2");
    request.outputFolder = gbkPath(f.dir.file("没有") / "更深");
    SplitJobState state;
    RecordingWindow window(state);

    EXPECT_EQ(runSplitJob(request, window, state), SplitOutcome::Failed);
    const fs::path first = f.dir.file("没有") / "更深" / "三体" / "三体(1).txt";
    EXPECT_EQ(window.calls[window.calls.size() - 3],
              "message 分割失败：3个文本无法写入，首个为 " + first.string() + " | 提示");
}

TEST(SplitJob, StopRequestEndsTheJobBeforeTheNextPart)
{
    Fixture f;
    writeBytes(f.source, "abcdefghijkl");
    SplitJobState state;
    RecordingWindow window(state);
    window.onCall = [&state](const std::string& call) {
        if (call == "caption 正在分割\r\n2/6")
            state.stopRequested = true;
    };

    EXPECT_EQ(runSplitJob(f.request(SplitMode::ByParts, "6"), window, state), SplitOutcome::Stopped);

    EXPECT_EQ(window.calls.back(), "caption 正在分割\r\n2/6"); // no report, no idle caption
    EXPECT_FALSE(state.running);
    EXPECT_EQ(f.fileCount(), 2u);
    EXPECT_EQ(readBytes(f.part(2)), "cd");
}

TEST(SplitJob, BusyWhileClaimedThenFreeForTheNextJob)
{
    Fixture f;
    writeBytes(f.source, "abcdef");
    SplitJobState state;
    RecordingWindow window(state);
    state.claimed = true;
    EXPECT_EQ(runSplitJob(f.request(SplitMode::ByParts, "2"), window, state), SplitOutcome::Busy);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_FALSE(fs::exists(f.parts));

    state.claimed = false;
    EXPECT_EQ(runSplitJob(f.request(SplitMode::ByParts, "2"), window, state), SplitOutcome::Completed);
    EXPECT_FALSE(state.claimed);
    EXPECT_EQ(runSplitJob(f.request(SplitMode::ByParts, ""), window, state), SplitOutcome::Failed);
    EXPECT_FALSE(state.claimed);
}

TEST(SplitJob, EmptySourceGivesEmptyPartsWithoutProgress)
{
    Fixture f;
    writeBytes(f.source, "");
    for (const SplitMode mode : {SplitMode::ByParts, SplitMode::BySize}) {
        SplitJobState state;
        RecordingWindow window(state);
        EXPECT_EQ(runSplitJob(f.request(mode, "3"), window, state), SplitOutcome::Completed);
        EXPECT_TRUE(progressCalls(window.calls).empty());
        EXPECT_EQ(window.calls[2], kDone);
    }
    // Both runs wrote into the same part folder: three numbered parts and the unnumbered one.
    EXPECT_EQ(f.fileCount(), 4u);
    EXPECT_TRUE(fs::exists(f.parts / "三体.txt"));
    EXPECT_EQ(fs::file_size(f.part(3)), 0u);
}

TEST(SplitJob, EmptyTitleWritesIntoTheOutputFolder)
{
    TempDir dir;
    writeBytes(dir.file("readme"), "abcd");
    SplitJobState state;
    RecordingWindow window(state);
    const SplitRequest request{gbkPath(dir.file("readme")), gbkPath(dir.path()), SplitMode::ByParts, "2"};

    EXPECT_EQ(runSplitJob(request, window, state), SplitOutcome::Completed);
    EXPECT_EQ(readBytes(dir.file("(1).txt")), "ab");
    EXPECT_EQ(readBytes(dir.file("(2).txt")), "cd");
}

TEST(SplitJob, ExistingPartsAreOverwrittenAndOtherFilesKept)
{
    Fixture f;
    writeBytes(f.source, "abcd");
    fs::create_directory(f.parts);
    writeBytes(f.part(1), "a much longer old part");
    writeBytes(f.parts / "notes.txt", "keep");
    SplitJobState state;
    RecordingWindow window(state);

    EXPECT_EQ(runSplitJob(f.request(SplitMode::ByParts, "2"), window, state), SplitOutcome::Completed);
    EXPECT_EQ(readBytes(f.part(1)), "ab");
    EXPECT_EQ(readBytes(f.parts / "notes.txt"), "keep");
}

TEST(SplitJob, SourceInsideItsOwnPartFolderIsNotDestroyed)
{
    // An empty text split by size writes one file named like the source, in a folder named like
    // the source: with the output folder one level up, that file is the source itself.
    Fixture f;
    fs::create_directory(f.parts);
    writeBytes(f.parts / "三体.txt", "\n");
    SplitJobState state;
    RecordingWindow window(state);
    const SplitRequest request{gbkPath(f.parts / "三体.txt"), gbkPath(f.out), SplitMode::BySize, "3000"};

    EXPECT_EQ(runSplitJob(request, window, state), SplitOutcome::Completed);
    EXPECT_EQ(readBytes(f.parts / "三体.txt"), "\n");
}

// A novel-like text with everything that used to go wrong: CRLF and LF-only lines, tabs,
// full-width punctuation and ideographic spaces, ☆ ★, full-width letters, a zero byte, and a lone
// lead byte at the very end.
std::string novelText(std::mt19937& random, std::size_t lines)
{
    static const char* const kPieces[] = {
        "第一章　开始", "他说：“你好，世界！”", "☆★", "ＡＢＣ１２３", "\t", "abc def", "～", "　　"};
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
        const int pieces = 1 + static_cast<int>(random() % 6);
        for (int p = 0; p < pieces; ++p)
            text += gbk(kPieces[random() % std::size(kPieces)]);
        text += random() % 3 == 0 ? "\n" : "\r\n";
        if (i == lines / 2)
            text.push_back('\0');
    }
    text.push_back('\x81');
    return text;
}

// Offsets where characters start, stepping from the start of the text.
std::vector<bool> characterStarts(std::string_view text)
{
    std::vector<bool> starts(text.size() + 1, false);
    std::size_t i = 0;
    for (; i < text.size(); i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2u : 1u)
        starts[i] = true;
    starts[text.size()] = true;
    return starts;
}

std::vector<std::int64_t> expectedLengths(SplitMode mode, std::int64_t n, std::int64_t number)
{
    std::vector<std::int64_t> lengths;
    if (mode == SplitMode::BySize) {
        for (std::int64_t left = n; left > 0; left -= number)
            lengths.push_back(std::min(left, number));
    } else if (n < number) {
        for (std::int64_t i = 1; i <= number; ++i)
            lengths.push_back(i <= n ? 1 : 0);
    } else {
        for (std::int64_t i = 1; i <= number; ++i)
            lengths.push_back(n / number + (i <= n % number ? 1 : 0));
    }
    return lengths;
}

struct RoundTripCase : qytxt::testing::NamedCase {
    std::size_t lines;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, PartsGiveBackTheSourceInBothModes)
{
    std::mt19937 random(static_cast<unsigned>(GetParam().lines));
    const std::string text = novelText(random, GetParam().lines);
    const std::int64_t n = referenceFullWidthLength(text) / 2;
    const std::vector<bool> starts = characterStarts(text);

    std::vector<std::pair<SplitMode, std::int64_t>> runs;
    for (const std::int64_t number : {1, 2, 3, 5, 6, 7, 13, 64})
        runs.emplace_back(SplitMode::ByParts, number);
    // Around the character count, every part is one character or empty: thousands of files for
    // the long text, so only the shorter ones go there.
    const bool shortText = n < 2000;
    for (const std::int64_t number : {n - 1, n, n + 1, n + 7})
        if (number >= 1 && shortText)
            runs.emplace_back(SplitMode::ByParts, number);
    for (const std::int64_t number : {3, 17, 100, 1000})
        runs.emplace_back(SplitMode::BySize, number);
    for (const std::int64_t number : {std::int64_t{1}, n - 1, n, n + 1})
        if (number >= 1 && (shortText || number > 1))
            runs.emplace_back(SplitMode::BySize, number);

    for (const auto& [mode, number] : runs) {
        SCOPED_TRACE((mode == SplitMode::ByParts ? "parts " : "size ") + std::to_string(number));
        Fixture f;
        writeBytes(f.source, text);
        SplitJobState state;
        RecordingWindow window(state);
        ASSERT_EQ(runSplitJob(f.request(mode, core::integerToText(number).c_str()), window, state),
                  SplitOutcome::Completed);

        const std::vector<std::int64_t> lengths = expectedLengths(mode, n, number);
        ASSERT_EQ(f.fileCount(), lengths.size());
        std::string joined;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            const std::string part = readBytes(f.part(static_cast<int>(i + 1)));
            EXPECT_TRUE(starts[joined.size()]) << "part " << i + 1 << " starts inside a character";
            const std::int64_t width = referenceFullWidthLength(part);
            EXPECT_LE(std::abs(width - 2 * lengths[i]), 1) << "part " << i + 1;
            joined += part;
        }
        ASSERT_EQ(joined, text);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, RoundTrip,
                         ::testing::Values(RoundTripCase{"OneLine", 1}, RoundTripCase{"Short", 9},
                                           RoundTripCase{"PastOneCheckpoint", 60},
                                           RoundTripCase{"ManyCheckpoints", 400}),
                         qytxt::testing::CaseName());

// A novel in UTF-8 with CRLF and LF lines, tabs and full-width punctuation, and, unless it must stay
// within GBK, characters that take four bytes in UTF-8 and GB18030 and a surrogate pair in UTF-16.
std::string utf8Novel(std::mt19937& random, std::size_t lines, bool beyondGbk)
{
    static const char* const kPieces[] = {"第一章　开始", "他说：“你好，世界！”", "\t", "abc def", "～…", "·"};
    static const char* const kBeyondGbk[] = {"😀", "𠀀", "€"};
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
        const int pieces = 1 + static_cast<int>(random() % 6);
        for (int p = 0; p < pieces; ++p)
            text += beyondGbk && random() % 3 == 0 ? kBeyondGbk[random() % std::size(kBeyondGbk)]
                                                   : kPieces[random() % std::size(kPieces)];
        text += random() % 3 == 0 ? "\n" : "\r\n";
    }
    return text;
}

// The full-width length of valid text by its code points: printable ASCII 2, controls 1, any other 2.
std::int64_t widthOfCodePoints(std::string_view text, const char* encoding)
{
    const std::string utf32 = core::convertEncoding(text, encoding, "UTF-32LE");
    std::int64_t width = 0;
    for (std::size_t i = 0; i + 4 <= utf32.size(); i += 4) {
        const auto unit = static_cast<unsigned char>(utf32[i]) | static_cast<unsigned char>(utf32[i + 1]) << 8 |
                          static_cast<unsigned char>(utf32[i + 2]) << 16;
        width += unit < 0x20 || unit == 0x7F ? 1 : 2;
    }
    return width;
}

struct EncodingCase : qytxt::testing::NamedCase {
    const char* encoding;        // as iconv names it
    std::string_view mark;       // the source's byte order mark, if any
    core::EncodingChoice forced; // what the job is told; detection when empty
    bool beyondGbk;              // holds characters outside GBK
    bool gbkModel;               // read as GBK, where a four-byte sequence counts two characters
    int strayBytes;              // invalid bytes put between UTF-8 characters
};

class EncodingRoundTrip : public ::testing::TestWithParam<EncodingCase> {};

// Every part decodes in the source's encoding (except where the source itself does not), starts with
// the source's mark, holds the planned number of characters, and the parts give back the source.
TEST_P(EncodingRoundTrip, PartsDecodeAndGiveBackTheSource)
{
    const EncodingCase& c = GetParam();
    std::mt19937 random(4);
    std::string body = core::convertEncoding(utf8Novel(random, 70, c.beyondGbk), "UTF-8", c.encoding);
    ASSERT_FALSE(body.empty());
    std::vector<std::size_t> strays;
    for (int i = 0; i < c.strayBytes; ++i) {
        // Between two UTF-8 characters, so that the stray byte is the text's only fault there.
        std::size_t at = random() % body.size();
        while (at < body.size() && (static_cast<unsigned char>(body[at]) & 0xC0) == 0x80)
            ++at;
        body.insert(at, 1, '\xFF');
        for (std::size_t& stray : strays)
            stray += stray >= at ? 1 : 0;
        strays.push_back(at);
    }
    const std::string source = std::string(c.mark) + body;
    const auto widthOf = [&](std::string_view text) {
        return c.gbkModel ? referenceFullWidthLength(text) : widthOfCodePoints(text, c.encoding);
    };
    const std::int64_t n = c.strayBytes > 0 ? -1 : widthOf(body) / 2;
    // A cut moves on to the end of the character it falls in: at most one byte of the full-width form,
    // or three in a four-byte sequence that GBK's reading counts as two characters.
    const std::int64_t tolerance = c.gbkModel && c.beyondGbk ? 3 : 1;

    std::vector<std::pair<SplitMode, std::int64_t>> runs;
    for (const std::int64_t number : {1, 2, 3, 7, 13})
        runs.emplace_back(SplitMode::ByParts, number);
    for (const std::int64_t number : {5, 17, 100, 1000})
        runs.emplace_back(SplitMode::BySize, number);
    for (const auto& [mode, number] : runs) {
        SCOPED_TRACE((mode == SplitMode::ByParts ? "parts " : "size ") + std::to_string(number));
        Fixture f;
        writeBytes(f.source, source);
        SplitJobState state;
        RecordingWindow window(state);
        ASSERT_EQ(runSplitJob(f.request(mode, core::integerToText(number).c_str()), window, state, c.forced),
                  SplitOutcome::Completed);

        const std::vector<std::int64_t> lengths =
            n >= 0 ? expectedLengths(mode, n, number) : std::vector<std::int64_t>();
        if (n >= 0) {
            ASSERT_EQ(f.fileCount(), lengths.size());
        }
        std::string joined(c.mark);
        for (int i = 1; i <= static_cast<int>(f.fileCount()); ++i) {
            std::string part = readBytes(f.part(i));
            ASSERT_TRUE(part.starts_with(c.mark)) << "part " << i;
            part.erase(0, c.mark.size());
            const std::size_t begin = joined.size() - c.mark.size();
            joined += part;
            const bool holdsStray = std::any_of(
                strays.begin(), strays.end(), [&](std::size_t at) { return at >= begin && at < begin + part.size(); });
            if (part.empty() || holdsStray)
                continue;
            EXPECT_FALSE(core::convertEncoding(part, c.encoding, "UTF-8").empty())
                << "part " << i << " does not decode";
            if (n >= 0) {
                EXPECT_LE(std::abs(widthOf(part) - 2 * lengths[static_cast<std::size_t>(i - 1)]), tolerance)
                    << "part " << i;
            }
        }
        ASSERT_EQ(joined, source);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EncodingRoundTrip,
    ::testing::Values(EncodingCase{"Gbk", "GBK", "", std::nullopt, false, true, 0},
                      EncodingCase{"Gb18030FourBytes", "GB18030", "", std::nullopt, true, true, 0},
                      EncodingCase{"Gb18030Told", "GB18030", "", core::TextEncoding::Gb18030, true, false, 0},
                      EncodingCase{"Utf8", "UTF-8", "", std::nullopt, true, false, 0},
                      EncodingCase{"Utf8WithMark", "UTF-8", "\xEF\xBB\xBF", std::nullopt, true, false, 0},
                      EncodingCase{"Utf16LeWithMark", "UTF-16LE", "\xFF\xFE", std::nullopt, true, false, 0},
                      EncodingCase{"Utf16BeWithMark", "UTF-16BE", "\xFE\xFF", std::nullopt, true, false, 0},
                      EncodingCase{"Utf8ToldWithStrayBytes", "UTF-8", "", core::TextEncoding::Utf8, true, false, 3}),
    qytxt::testing::CaseName());

// Sources large enough to be counted and copied by two threads at once. In a text of printable ASCII
// a character is a byte, so every part's bytes are known from the plan alone.
struct SideBySideCase : qytxt::testing::NamedCase {
    SplitMode mode;
    const char* number;
    const char* stopAtCaption; // the window asks for a stop at the first caption so begun, or nullptr
    int blockedPart;           // a folder stands where this part goes, or 0
    SplitOutcome outcome;
};

class SideBySideCopy : public ::testing::TestWithParam<SideBySideCase> {};

TEST_P(SideBySideCopy, EveryPartLeftIsWholeAndInItsPlace)
{
    const SideBySideCase& c = GetParam();
    Fixture f;
    std::mt19937 random(41);
    std::string source((std::size_t{8} << 20) + 777, ' ');
    for (char& byte : source)
        byte = static_cast<char>(0x20 + random() % 95);
    writeBytes(f.source, source);
    if (c.blockedPart > 0)
        fs::create_directories(f.part(c.blockedPart));
    SplitJobState state;
    RecordingWindow window(state);
    if (c.stopAtCaption != nullptr)
        window.onCall = [&state, &c](const std::string& call) {
            if (call.rfind(std::string("caption ") + c.stopAtCaption, 0) == 0)
                state.stopRequested = true;
        };

    EXPECT_EQ(runSplitJob(f.request(c.mode, c.number), window, state), c.outcome);

    const std::optional<PartPlan> plan =
        PartPlan::make(c.mode, static_cast<std::int64_t>(source.size()), std::stoll(c.number));
    ASSERT_TRUE(plan);
    std::size_t written = 0;
    for (std::int64_t part = 1; part <= plan->partCount(); ++part) {
        const fs::path path = f.part(static_cast<int>(part));
        if (!fs::is_regular_file(path))
            continue;
        ++written;
        const auto begin = static_cast<std::size_t>(plan->firstCharacter(part) - 1);
        const auto end = static_cast<std::size_t>(
            std::min<std::int64_t>(plan->firstCharacter(part + 1) - 1, static_cast<std::int64_t>(source.size())));
        ASSERT_EQ(readBytes(path), source.substr(begin, end - begin)) << "part " << part;
    }
    const auto unwritten = static_cast<std::size_t>(c.blockedPart > 0 ? 1 : 0);
    if (c.outcome == SplitOutcome::Stopped) {
        EXPECT_LT(written, static_cast<std::size_t>(plan->partCount()));
        EXPECT_FALSE(state.running);
    } else {
        EXPECT_EQ(written + unwritten, static_cast<std::size_t>(plan->partCount()));
        // The last caption before the report counts every part, whichever thread copied the last.
        const std::string all = std::to_string(plan->partCount());
        EXPECT_EQ(window.calls[window.calls.size() - 4], "caption 正在分割\r\n" + all + "/" + all);
    }
    if (c.blockedPart > 0) {
        EXPECT_EQ(window.calls[window.calls.size() - 3],
                  "message 分割失败：1个文本无法写入，首个为 " + f.part(c.blockedPart).string() + " | 提示");
    }
}

INSTANTIATE_TEST_SUITE_P(
    LargeSources, SideBySideCopy,
    ::testing::Values(
        SideBySideCase{{"SixParts"}, SplitMode::ByParts, "6", nullptr, 0, SplitOutcome::Completed},
        SideBySideCase{{"ManySmallParts"}, SplitMode::BySize, "100000", nullptr, 0, SplitOutcome::Completed},
        SideBySideCase{{"StopMidway"}, SplitMode::ByParts, "40", "正在分割\r\n", 0, SplitOutcome::Stopped},
        SideBySideCase{{"BlockedPartReported"}, SplitMode::ByParts, "6", nullptr, 4, SplitOutcome::Failed}),
    qytxt::testing::CaseName());

} // namespace
} // namespace qytxt::split

#include "merge/merge_job.h"

#include "core/encoding.h"
#include "gbk_text.h"
#include "merge/merge_list.h"
#include "named_case.h"
#include "special_files.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

namespace qytxt::merge {
namespace {

using qytxt::testing::readBytes;
using qytxt::testing::TempDir;
using qytxt::testing::writeBytes;
namespace fs = std::filesystem;

const std::string kStarting = "caption 正在合并";
const std::string kDisabled = "enabled 0";
const std::string kIdle = "caption 合并生成";
const std::string kEnabled = "enabled 1";
const std::string kAmongInputs = "合并文本保存路径不能是待合并文本之一";
const std::string kOldOutput(4096, 'x');

std::string message(const std::string& text)
{
    return "message 提示: " + text;
}

// The button's life through a run that got past its checks: the progress totals, then the box.
std::vector<std::string> runEvents(const std::vector<std::string>& progress, const std::string& text)
{
    std::vector<std::string> events{kStarting, kDisabled};
    for (const std::string& step : progress)
        events.push_back("caption 正在合并\r\n" + step);
    events.insert(events.end(), {message(text), kIdle, kEnabled});
    return events;
}

// What the window was given, readable: GBK texts recorded in UTF-8, anything else marked as such.
std::string readable(const core::Text& text)
{
    return core::gbkToUtf8(text).value_or("<not GBK> " + text);
}

// The window as the job sees it: a real merge list and an output field, with every change the job
// makes recorded in order. A hook lets a test act as the user after the first input.
class RecordingWindow : public MergeWindow {
public:
    MergeList list;
    core::Text output;
    std::vector<std::string> events;
    std::function<void()> afterFirstInput;
    std::function<void(int)> onEntryText;

    core::Text entryText(int index) override
    {
        if (onEntryText)
            onEntryText(index);
        return list.entryText(index);
    }
    int entryCount() override { return list.entryCount(); }
    core::Text outputPath() override { return output; }
    void setMergeButtonCaption(const core::Text& caption) override
    {
        events.push_back("caption " + readable(caption));
        if (afterFirstInput && events.back().find("\r\n") != std::string::npos)
            std::exchange(afterFirstInput, nullptr)();
    }
    void setMergeButtonEnabled(bool enabled) override { events.push_back(enabled ? kEnabled : kDisabled); }
    void showMessage(const core::Text& text, const core::Text& title, core::MessageIcon) override
    {
        events.push_back("message " + readable(title) + ": " + readable(text));
    }
};

// Every run starts in a fresh folder holding a.txt, b.txt, c.txt (zero bytes inside; b.txt in GBK,
// the others ASCII), u.txt in UTF-8, l.txt in UTF-16LE with its mark, empty.txt,
// old.txt, the folder "folder", a pipe nobody writes to, a symlink and a hard link to a.txt; names
// are relative to that folder.
struct Fixture {
    TempDir dir;
    qytxt::testing::UnwrittenFifo fifo{dir.file("fifo.txt")};
    RecordingWindow window;
    MergeJobState state;
    std::map<std::string, std::string> files{{"a.txt", std::string("first\0part\r\n", 12)},
                                             {"b.txt", std::string("\xb5\xda\xb6\xfe\0\0\xd5\xc2", 8)},
                                             {"c.txt", std::string("\0third", 6)},
                                             {"u.txt", "第三章"},
                                             {"l.txt", "\xFF\xFE\x2C\x7B"},
                                             {"empty.txt", ""}};
    Fixture()
    {
        for (const auto& [name, bytes] : files)
            writeBytes(dir.file(name), bytes);
        writeBytes(dir.file("old.txt"), kOldOutput);
        fs::create_directory(dir.file("folder"));
        fs::create_symlink(dir.file("a.txt"), dir.file("link.txt"));
        fs::create_hard_link(dir.file("a.txt"), dir.file("hard.txt"));
    }
    core::Text path(const std::string& name) const { return qytxt::testing::gbk(shown(name)); }
    std::string shown(const std::string& name) const { return name.starts_with("/") ? name : dir.file(name).string(); }
    std::string bytes(const std::string& name) const { return readBytes(dir.file(name)); }
    // Files a merge left beside its output.
    std::vector<std::string> leftBehind() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            if (entry.path().filename().string().starts_with("."))
                names.push_back(entry.path().filename().string());
        return names;
    }
};

struct JobCase : qytxt::testing::NamedCase {
    std::vector<std::string> entries;
    std::string output;
    MergeOutcome outcome;
    std::string merged; // names of the files whose bytes the output must hold, in order
    std::function<std::vector<std::string>(const Fixture&)> events;
    std::function<void(Fixture&)> afterFirstInput = nullptr;
    bool oldOutputKept = false; // old.txt, the output, still holds what it held before
};

class MergeJobTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(MergeJobTest, WritesAndReportsAsExpected)
{
    Fixture f;
    const JobCase& param = GetParam();
    for (const std::string& entry : param.entries)
        f.window.list.append(f.path(entry));
    if (!param.output.empty())
        f.window.output = f.path(param.output);
    if (param.afterFirstInput)
        f.window.afterFirstInput = [&] { param.afterFirstInput(f); };

    EXPECT_EQ(runMergeJob(f.window, f.state), param.outcome);
    EXPECT_EQ(f.window.events, param.events(f));
    std::string expected;
    for (const char name : param.merged)
        expected += f.files.at(std::string(1, name) + ".txt");
    if (param.oldOutputKept)
        expected = kOldOutput;
    if (param.outcome == MergeOutcome::Rejected) {
        EXPECT_FALSE(fs::exists(f.dir.file("out.txt")));
    } else if (fs::is_regular_file(f.shown(param.output))) {
        EXPECT_EQ(f.bytes(param.output), expected);
    }
    EXPECT_EQ(f.bytes("a.txt"), f.files.at("a.txt"));
    EXPECT_FALSE(f.state.claimed.load());
    EXPECT_FALSE(f.state.running.load());
    EXPECT_FALSE(f.state.outputOpen.load());
    EXPECT_EQ(f.leftBehind(), std::vector<std::string>{});
    EXPECT_FALSE(f.fifo.rescued()) << "waited on the pipe";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Merges, MergeJobTest, ::testing::Values(
    JobCase{"ThreeInputsWholeInOrder", {"a.txt", "b.txt", "c.txt"}, "合并.txt", MergeOutcome::Completed, "abc",
            [](const Fixture&) { return runEvents({"0/2", "1/2", "2/2"}, "合并完成"); }},
    JobCase{"SingleInput", {"b.txt"}, "out", MergeOutcome::Completed, "b",
            [](const Fixture&) { return runEvents({"0/0"}, "合并完成"); }},
    JobCase{"LongerOutputIsEmptiedFirst", {"c.txt", "a.txt"}, "old.txt", MergeOutcome::Completed, "ca",
            [](const Fixture&) { return runEvents({"0/1", "1/1"}, "合并完成"); }},
    JobCase{"SameFileTwice", {"a.txt", "a.txt"}, "out.txt", MergeOutcome::Completed, "aa",
            [](const Fixture&) { return runEvents({"0/1", "1/1"}, "合并完成"); }},
    JobCase{"EmptyInputIsNoFailure", {"a.txt", "empty.txt", "b.txt"}, "out.txt", MergeOutcome::Completed, "ab",
            [](const Fixture&) { return runEvents({"0/2", "1/2", "2/2"}, "合并完成"); }},
    JobCase{"UnreadableInputsNamed", {"missing.txt", "a.txt", "folder", "b.txt"}, "out.txt", MergeOutcome::Failed, "ab",
            [](const Fixture& f) { return runEvents({"0/3", "1/3", "2/3", "3/3"}, "合并完成，但以下文本无法读取：\r\n" +
                                                    f.shown("missing.txt") + "\r\n" + f.shown("folder")); }},
    JobCase{"TenUnreadableListedThenCounted",
            {"m0", "m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8", "m9", "m10", "m11", "c.txt", "m12"}, "out.txt",
            MergeOutcome::Failed, "c",
            [](const Fixture& f) {
                std::vector<std::string> progress;
                std::string listed = "合并完成，但以下文本无法读取：";
                for (int i = 0; i < 14; ++i)
                    progress.push_back(std::to_string(i) + "/13");
                for (int i = 0; i < 10; ++i)
                    listed += "\r\n" + f.shown("m" + std::to_string(i));
                return runEvents(progress, listed + "\r\n等另外3个");
            }},
    JobCase{"OtherEncodingsNamed", {"a.txt", "b.txt", "u.txt", "c.txt", "l.txt"}, "out.txt", MergeOutcome::Completed,
            "abucl",
            [](const Fixture& f) { return runEvents({"0/4", "1/4", "2/4", "3/4", "4/4"},
                                                    "合并完成，但以下文本的编码与第一个不同：\r\n" + f.shown("u.txt") +
                                                    "\r\n" + f.shown("l.txt")); }},
    JobCase{"UnreadableAndOtherEncodingsInOneBox",
            {"u.txt", "missing.txt", "b.txt", "b.txt", "b.txt", "b.txt", "b.txt", "b.txt", "b.txt", "b.txt", "b.txt",
             "b.txt", "b.txt"},
            "out.txt", MergeOutcome::Failed, "ubbbbbbbbbbb",
            [](const Fixture& f) {
                std::vector<std::string> progress;
                for (int i = 0; i < 13; ++i)
                    progress.push_back(std::to_string(i) + "/12");
                std::string text = "合并完成，但以下文本无法读取：\r\n" + f.shown("missing.txt") +
                                   "\r\n\r\n以下文本的编码与第一个不同：";
                for (int i = 0; i < 10; ++i)
                    text += "\r\n" + f.shown("b.txt");
                return runEvents(progress, text + "\r\n等另外1个");
            }},
    JobCase{"OutputInMissingFolder", {"a.txt"}, "missing/out.txt", MergeOutcome::Failed, "",
            [](const Fixture& f) { return runEvents({}, "无法创建合并文本：" + f.shown("missing/out.txt")); }},
    JobCase{"OutputIsAFolder", {"a.txt"}, "folder", MergeOutcome::Failed, "",
            [](const Fixture& f) { return runEvents({}, "无法创建合并文本：" + f.shown("folder")); }},
    JobCase{"WriteFailsOnAFullDisk", {"a.txt", "b.txt"}, "/dev/full", MergeOutcome::Failed, "",
            [](const Fixture&) { return runEvents({}, "合并失败：写入合并文本出错"); }},
    JobCase{"PipesAndEndlessDevicesAreUnreadable", {"fifo.txt", "a.txt", "/dev/zero"}, "out.txt",
            MergeOutcome::Failed, "a",
            [](const Fixture& f) { return runEvents({"0/2", "1/2", "2/2"}, "合并完成，但以下文本无法读取：\r\n" +
                                                    f.shown("fifo.txt") + "\r\n/dev/zero"); }},
    JobCase{"NothingReadableKeepsTheOldOutput", {"missing1.txt", "missing2.txt"}, "old.txt", MergeOutcome::Failed, "",
            [](const Fixture& f) { return runEvents({"0/1", "1/1"}, "合并完成，但以下文本无法读取：\r\n" +
                                                    f.shown("missing1.txt") + "\r\n" + f.shown("missing2.txt")); },
            nullptr, true},
    JobCase{"FailedCloseIsAWriteFailure", {"a.txt"}, "old.txt", MergeOutcome::Failed, "",
            [](const Fixture&) { return runEvents({"0/0"}, "合并失败：写入合并文本出错"); },
            [](Fixture& f) { EXPECT_TRUE(qytxt::testing::closeWriterBehindItsBack(f.dir.path())); }, true}
), qytxt::testing::CaseName());

INSTANTIATE_TEST_SUITE_P(Checks, MergeJobTest, ::testing::Values(
    JobCase{"EmptyList", {}, "out.txt", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message("请输入待合并文本路径")}; }},
    JobCase{"EmptyListAndOutput", {}, "", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message("请输入待合并文本路径")}; }},
    JobCase{"EmptyOutput", {"a.txt"}, "", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message("请输入合并文本保存路径")}; }},
    JobCase{"OutputIsALaterInput", {"missing.txt", "b.txt", "a.txt"}, "a.txt", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message(kAmongInputs)}; }},
    JobCase{"OutputSpelledDifferently", {"a.txt"}, "folder/.././a.txt", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message(kAmongInputs)}; }},
    JobCase{"OutputIsASymlinkToAnInput", {"a.txt"}, "link.txt", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message(kAmongInputs)}; }},
    JobCase{"InputIsASymlinkToTheOutput", {"link.txt"}, "a.txt", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message(kAmongInputs)}; }},
    JobCase{"OutputIsAHardLinkOfAnInput", {"b.txt", "a.txt"}, "hard.txt", MergeOutcome::Rejected, "",
            [](const Fixture&) { return std::vector{message(kAmongInputs)}; }}
), qytxt::testing::CaseName());

// The user at work while the first input is being merged: only the steps not yet done change.
INSTANTIATE_TEST_SUITE_P(EditsDuringTheRun, MergeJobTest, ::testing::Values(
    JobCase{"StepsFixedTotalRecounted", {"a.txt", "b.txt", "empty.txt"}, "out.txt", MergeOutcome::Completed, "acb",
            [](const Fixture&) { return runEvents({"0/2", "1/3", "2/3"}, "合并完成"); },
            [](Fixture& f) {
                f.window.list.replaceText(0, f.path("b.txt")); // already merged
                f.window.list.remove(1);
                f.window.list.insert(1, f.path("c.txt"));
                f.window.list.replaceText(2, f.path("b.txt"));
                f.window.list.append(f.path("a.txt"));
            }},
    JobCase{"ListEmptied", {"a.txt", "b.txt", "c.txt"}, "out.txt", MergeOutcome::Completed, "a",
            [](const Fixture&) { return runEvents({"0/2", "1/-1", "2/-1"}, "合并完成"); },
            [](Fixture& f) { f.window.list.deleteAll(); }},
    JobCase{"OutputAddedIsNotReadIntoItself", {"a.txt", "b.txt", "c.txt"}, "out.txt", MergeOutcome::Failed, "ac",
            [](const Fixture& f) { return runEvents({"0/2", "1/2", "2/2"},
                                                    "合并完成，但以下文本无法读取：\r\n" + f.shown("out.txt")); },
            [](Fixture& f) { f.window.list.replaceText(1, f.path("out.txt")); }},
    JobCase{"StopKeepsWhatWasWritten", {"a.txt", "b.txt", "c.txt"}, "out.txt", MergeOutcome::Stopped, "a",
            [](const Fixture&) { return std::vector<std::string>{kStarting, kDisabled, "caption 正在合并\r\n0/2"}; },
            [](Fixture& f) { f.state.stopRequested = true; }}
), qytxt::testing::CaseName());
// clang-format on

TEST(MergeJobClaimTest, BusyWhileClaimedThenFreeForTheNextJob)
{
    Fixture f;
    f.window.list.append(f.path("a.txt"));
    f.window.output = f.path("out.txt");
    f.state.claimed = true;
    EXPECT_EQ(runMergeJob(f.window, f.state), MergeOutcome::Busy);
    EXPECT_TRUE(f.window.events.empty());
    EXPECT_FALSE(fs::exists(f.dir.file("out.txt")));

    f.state.claimed = false;
    EXPECT_EQ(runMergeJob(f.window, f.state), MergeOutcome::Completed);
    EXPECT_EQ(runMergeJob(f.window, f.state), MergeOutcome::Completed);
    EXPECT_FALSE(f.state.claimed.load());
}

TEST(MergeJobOutputTest, FullDiskKeepsTheOldOutput)
{
    Fixture f;
    f.window.list.append(f.path("a.txt"));
    f.window.list.append(f.path("b.txt"));
    f.window.output = f.path("old.txt");
    {
        // Files may grow to a few bytes only: the second input meets a full disk.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit small{15, saved.rlim_max};
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const MergeOutcome outcome = runMergeJob(f.window, f.state);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(outcome, MergeOutcome::Failed);
    }
    EXPECT_EQ(f.window.events, runEvents({"0/1"}, "合并失败：写入合并文本出错"));
    EXPECT_EQ(f.bytes("old.txt"), kOldOutput);
    EXPECT_EQ(f.leftBehind(), std::vector<std::string>{});
}

TEST(MergeJobOutputTest, StopWhileAnInputIsCopiedLeavesItOut)
{
    // The close comes as the job starts on an input, after its last check between inputs: the
    // inputs before it are kept, and with none the old output stays as it was.
    for (const int stopAt : {0, 1}) {
        SCOPED_TRACE(stopAt);
        Fixture f;
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            f.window.list.append(f.path(name));
        f.window.output = f.path("old.txt");
        f.window.onEntryText = [&f, stopAt](int index) {
            if (index == stopAt && f.window.events.size() == static_cast<std::size_t>(2 + stopAt))
                f.state.stopRequested = true;
        };

        EXPECT_EQ(runMergeJob(f.window, f.state), MergeOutcome::Stopped);

        std::vector<std::string> events{kStarting, kDisabled};
        if (stopAt == 1)
            events.push_back("caption 正在合并\r\n0/2");
        EXPECT_EQ(f.window.events, events);
        EXPECT_EQ(f.bytes("old.txt"), stopAt == 0 ? std::string(kOldOutput) : f.files.at("a.txt"));
        EXPECT_EQ(f.leftBehind(), std::vector<std::string>{});
    }
}

TEST(MergeJobClaimTest, StopRequestedBeforeTheStartTouchesNothing)
{
    Fixture f;
    f.window.list.append(f.path("a.txt"));
    f.window.output = f.path("b.txt");
    f.state.stopRequested = true;
    EXPECT_EQ(runMergeJob(f.window, f.state), MergeOutcome::Stopped);
    EXPECT_TRUE(f.window.events.empty());
    EXPECT_EQ(f.bytes("b.txt"), f.files.at("b.txt"));
}

} // namespace
} // namespace qytxt::merge

#include "named_case.h"
#include "notices/ad_rotation.h"
#include "notices/notice_markers.h"
#include "notices/update_check.h"
#include "recording_window.h"
#include "test_http_server.h"

#include <gtest/gtest.h>

#include <ostream>

#include <fstream>
#include <future>
#include <iterator>
#include <thread>

namespace qytxt::notices {
namespace {

using namespace std::chrono_literals;
using testing::gbk;
using testing::RecordingWindow;
using testing::Reply;
using testing::TestHttpServer;

const std::string kAdMarker = "//青筠广告//";

std::string adPage(const std::string& section)
{
    return "<html>\n//青筠TXT小说分割合并器版本//v1.1//青筠TXT小说分割合并器版本//\n" + kAdMarker + section +
           kAdMarker + "\n</html>\n";
}

std::string entry(int number, const std::string& content)
{
    const std::string marker = "//广告" + std::to_string(number) + "//";
    return marker + content + marker;
}

struct ExpectedAd {
    std::string text;
    std::string address;
    std::string message;
};

// Entries `count` down to 1, each showing its own number.
std::string numberedEntries(int count)
{
    std::string entries;
    for (int number = count; number >= 1; --number)
        entries += entry(number, std::to_string(number));
    return entries;
}

std::vector<ExpectedAd> numberedAds(int count)
{
    std::vector<ExpectedAd> ads;
    for (int number = 1; number <= count; ++number)
        ads.push_back({std::to_string(number), "", ""});
    return ads;
}

enum class Outcome { Ends, Blinks, Cycles };

struct AdCase : qytxt::testing::NamedCase {
    std::string page;
    Outcome outcome;
    std::vector<ExpectedAd> ads; // the ad blinked, or the ads cycled in order
};

constexpr AdTimings kQuick{20ms, 10ms, 20ms, 10s, 10s, 1ms};

// Runs a rotation on its own thread and stops it when the test is done with it.
class RunningRotation {
public:
    RunningRotation(NoticeSource& source, RecordingWindow& window, AdTimings timings = kQuick)
        : m_rotation(source, window, timings)
    {
        m_done = std::async(std::launch::async, [this] { m_rotation.run(); });
    }
    ~RunningRotation() { stop(); }

    bool endsWithin(std::chrono::milliseconds limit) { return m_done.wait_for(limit) == std::future_status::ready; }

    // How long run() took to return after the stop request.
    std::chrono::steady_clock::duration stop()
    {
        const auto start = std::chrono::steady_clock::now();
        m_rotation.requestStop();
        if (m_done.valid())
            m_done.get();
        return std::chrono::steady_clock::now() - start;
    }
    AdRotation& rotation() { return m_rotation; }

private:
    AdRotation m_rotation;
    std::future<void> m_done;
};

class AdRotationTest : public ::testing::Test {
protected:
    void SetUp() override { m_server.setReply("/generate_204", {204, ""}); }
    HttpNoticeSource source(NoticeTimeouts timeouts = {1000ms, 2000ms})
    {
        return HttpNoticeSource({m_server.url("/notice.html"), m_server.url("/generate_204")}, timeouts);
    }
    TestHttpServer m_server;
    RecordingWindow m_window;
};

class AdCaseTest : public AdRotationTest, public ::testing::WithParamInterface<AdCase> {};

void expectShows(const testing::ShownCaption& shown, const ExpectedAd& ad, bool blank)
{
    EXPECT_EQ(shown.caption, blank ? core::Text() : gbk(ad.text));
    EXPECT_EQ(shown.current.address, gbk(ad.address));
    EXPECT_EQ(shown.current.message, gbk(ad.message));
}

TEST_P(AdCaseTest, ShowsTheEntriesOfTheAdSection)
{
    const AdCase& adCase = GetParam();
    m_server.setReply("/notice.html", {200, adCase.page});
    auto notices = source();
    RunningRotation running(notices, m_window);

    if (adCase.outcome == Outcome::Ends) {
        ASSERT_TRUE(running.endsWithin(5s));
        EXPECT_TRUE(m_window.captions().empty());
        EXPECT_TRUE(m_window.cursorSets().empty());
        return;
    }
    const std::size_t count = adCase.outcome == Outcome::Blinks ? 6 : 2 * adCase.ads.size() + 1;
    ASSERT_TRUE(m_window.waitForCaptions(count));
    running.stop();

    const auto captions = m_window.captions();
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        if (adCase.outcome == Outcome::Blinks)
            expectShows(captions[i], adCase.ads[0], i % 2 == 1);
        else
            expectShows(captions[i], adCase.ads[i % adCase.ads.size()], false);
    }
    EXPECT_EQ(m_window.cursorSets(), std::vector<AdCursor>{AdCursor::Hand});
    EXPECT_EQ(m_server.requestCount("/notice.html"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, AdCaseTest,
    ::testing::Values(
        AdCase{"OneEntryTextOnly", adPage(entry(1, "新书上架")), Outcome::Blinks, {{"新书上架", "", ""}}},
        AdCase{"OneEntryTextAddress",
               adPage(entry(1, "看书|https://x.org")),
               Outcome::Blinks,
               {{"看书", "https://x.org", ""}}},
        AdCase{"OneEntryAll",
               adPage(entry(1, "看书|https://x.org/a|欢迎光临")),
               Outcome::Blinks,
               {{"看书", "https://x.org/a", "欢迎光临"}}},
        AdCase{"ExtraPiecesIgnored", adPage(entry(1, "t|a|m|more|rest")), Outcome::Blinks, {{"t", "a", "m"}}},
        AdCase{"EmptyAddress", adPage(entry(1, "a||m")), Outcome::Blinks, {{"a", "", "m"}}},
        AdCase{"TrailingBarAfterAddress", adPage(entry(1, "a|b|")), Outcome::Blinks, {{"a", "b", ""}}},
        AdCase{"TrailingBarOnly", adPage(entry(1, "a|")), Outcome::Blinks, {{"a", "", ""}}},
        AdCase{"BarOnly", adPage(entry(1, "|")), Outcome::Blinks, {{"", "", ""}}},
        AdCase{"EntryRunsToTheSectionEnd", adPage("//广告1//只有开头"), Outcome::Blinks, {{"只有开头", "", ""}}},
        AdCase{"EntryMarkerAtTheVeryEnd", adPage("//广告1//"), Outcome::Blinks, {{"", "", ""}}},
        AdCase{"AdSectionRunsToThePageEnd", "<p>" + kAdMarker + entry(1, "到底"), Outcome::Blinks, {{"到底", "", ""}}},
        AdCase{"EntriesOneToThree",
               adPage(entry(1, "一|http://a.org|消息一") + "\n" + entry(2, "二|http://b.org") + "\n" +
                      entry(3, "三||消息三")),
               Outcome::Cycles,
               {{"一", "http://a.org", "消息一"}, {"二", "http://b.org", ""}, {"三", "", "消息三"}}},
        AdCase{"GapStopsTheCollection",
               adPage(entry(1, "一") + entry(2, "二|b|") + entry(4, "四")),
               Outcome::Cycles,
               {{"一", "", ""}, {"二", "b", ""}}},
        AdCase{"EntriesOutOfOrder",
               adPage(entry(2, "二") + entry(1, "一")),
               Outcome::Cycles,
               {{"一", "", ""}, {"二", "", ""}}},
        AdCase{"SecondEntryMarkerAtTheVeryEnd",
               adPage(entry(1, "一") + "//广告2//"),
               Outcome::Cycles,
               {{"一", "", ""}, {"", "", ""}}},
        // Numbers past 9, written in the page from the last entry to the first.
        AdCase{"TwoDigitNumbers", adPage(numberedEntries(11)), Outcome::Cycles, numberedAds(11)},
        AdCase{"OverlappingMarkers", adPage("//广告1//广告1//"), Outcome::Blinks, {{"广告1//", "", ""}}},
        AdCase{"EntryHoldsAnotherEntrysMarkers",
               adPage("//广告1//a//广告2//b//广告2//c//广告1//"),
               Outcome::Cycles,
               {{"a//广告2//b//广告2//c", "", ""}, {"b", "", ""}}},
        AdCase{"LeadingZeroIsNoMarker",
               adPage(entry(1, "一") + "//广告02//二//广告02//"),
               Outcome::Blinks,
               {{"一", "", ""}}},
        // 質 is D9 7C in GBK: its second byte is "|".
        AdCase{"SecondByteLikeABar",
               adPage(entry(1, "質|https://x.org/質|質")),
               Outcome::Blinks,
               {{"質", "https://x.org/質", "質"}}},
        AdCase{"SecondWithoutFirst", adPage(entry(2, "二") + entry(3, "三")), Outcome::Ends, {}},
        AdCase{"EmptyAdSection", adPage(""), Outcome::Ends, {}},
        AdCase{"EntryMarkerWithoutNumber", adPage("//广告//x//广告//"), Outcome::Ends, {}}),
    qytxt::testing::CaseName());

// Serves a fixed page and notes when each fetch happened.
class CountingSource final : public NoticeSource {
public:
    explicit CountingSource(core::Text page, bool connected = true) : m_page(std::move(page)), m_connected(connected) {}
    bool connectivityTest() override
    {
        std::lock_guard lock(m_mutex);
        ++m_tests;
        return m_connected;
    }
    core::Text fetchNoticePage() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_fetches.push_back(std::chrono::steady_clock::now());
        }
        m_fetched.notify_all();
        return m_page;
    }
    bool waitForFetches(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        return m_fetched.wait_for(lock, 10s, [&] { return m_fetches.size() >= count; });
    }
    std::vector<std::chrono::steady_clock::time_point> fetches() const
    {
        std::lock_guard lock(m_mutex);
        return m_fetches;
    }
    int tests() const
    {
        std::lock_guard lock(m_mutex);
        return m_tests;
    }

private:
    const core::Text m_page;
    const bool m_connected;
    mutable std::mutex m_mutex;
    std::condition_variable m_fetched;
    std::vector<std::chrono::steady_clock::time_point> m_fetches;
    int m_tests = 0;
};

// The most entries a page can hold, numbered from the last to the first.
const core::Text& manyEntriesPage()
{
    static const core::Text page = gbk(adPage(numberedEntries(250'000)));
    return page;
}

TEST(AdManyEntriesTest, TheFirstIsShownFirst)
{
    CountingSource source(manyEntriesPage());
    RecordingWindow window;
    RunningRotation running(source, window, {1h, 1h, 1h, 1h, 1h, 1ms});
    ASSERT_TRUE(window.waitForCaptions(1));
    running.stop();
    EXPECT_EQ(window.captions().front().caption, "1");
}

TEST(AdManyEntriesTest, AreCollectedInNumberOrder)
{
    const core::Text section = markers::section(manyEntriesPage(), markers::kAdSection).value();
    const std::vector<AdEntry> entries = collectAdEntries(section, [] { return false; });
    ASSERT_EQ(entries.size(), 250'000u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].text != std::to_string(i + 1))
            FAIL() << "entry " << i + 1 << " reads " << entries[i].text;
    }
}

TEST(AdManyEntriesTest, AStopEndsTheCollectionAtOnce)
{
    int asked = 0;
    const auto stopAndCount = [&asked] {
        ++asked;
        return true;
    };
    EXPECT_TRUE(collectAdEntries(manyEntriesPage(), stopAndCount).empty());
    EXPECT_EQ(asked, 1);
}

struct LongAdCase : qytxt::testing::NamedCase {
    std::string otherEntries; // none: the long ad blinks; some: it is cycled
};

class AdDisplayTest : public ::testing::TestWithParam<LongAdCase> {};

TEST_P(AdDisplayTest, LongTextAndMessageAreCutTheAddressIsNot)
{
    const std::string address = "https://x.org/" + std::string(5000, 'a');
    std::string text;
    std::string message;
    for (int i = 0; i < 100'000; ++i)
        text += "书";
    for (int i = 0; i < 10'000; ++i)
        message += "谢x";
    CountingSource source(gbk(adPage(entry(1, text + "|" + address + "|" + message) + GetParam().otherEntries)));
    RecordingWindow window;
    RunningRotation running(source, window, {1h, 1h, 1h, 1h, 1h, 1ms});
    ASSERT_TRUE(window.waitForCaptions(1));
    running.stop();

    const testing::ShownCaption shown = window.captions().front();
    EXPECT_EQ(shown.caption, gbk(text.substr(0, 200 * std::string("书").size()) + "…"));
    EXPECT_EQ(shown.current.address, address);
    EXPECT_EQ(shown.current.message, gbk(message.substr(0, 1000 * std::string("谢x").size()) + "…"));
}

INSTANTIATE_TEST_SUITE_P(Modes, AdDisplayTest,
                         ::testing::Values(LongAdCase{"Blinking", ""}, LongAdCase{"Cycling", entry(2, "二")}),
                         qytxt::testing::CaseName());

class AdBackOffTest : public ::testing::TestWithParam<std::string> {};

TEST_P(AdBackOffTest, WaitsLongerAfterEachPageWithoutAds)
{
    CountingSource source(gbk(GetParam()));
    RecordingWindow window;
    RunningRotation running(source, window, {20ms, 10ms, 20ms, 20ms, 80ms, 1ms});
    ASSERT_TRUE(source.waitForFetches(7));
    running.stop();

    const auto fetches = source.fetches();
    const std::vector<std::chrono::milliseconds> waits = {20ms, 40ms, 80ms, 80ms, 80ms, 80ms};
    for (std::size_t i = 0; i < waits.size(); ++i) {
        SCOPED_TRACE(i);
        const auto gap = fetches[i + 1] - fetches[i];
        EXPECT_GE(gap, waits[i]);
        EXPECT_LT(gap, waits[i] + 500ms);
    }
    EXPECT_TRUE(window.captions().empty());
    EXPECT_TRUE(window.cursorSets().empty());
}

INSTANTIATE_TEST_SUITE_P(Pages, AdBackOffTest,
                         ::testing::Values("", "<html>v1.1</html>", "<p>ads soon</p>//青筠广告//",
                                           "//青筠广/告//广告1//x//广告1//"));

TEST(AdRotationStopTest, StopDuringTheRetryWaitReturnsAtOnce)
{
    CountingSource source("");
    RecordingWindow window;
    RunningRotation running(source, window, {20ms, 10ms, 20ms, 1h, 1h, 1ms});
    ASSERT_TRUE(source.waitForFetches(1));
    EXPECT_LT(running.stop(), 500ms);
    EXPECT_EQ(source.fetches().size(), 1u);
}

class AdShowingStopTest : public ::testing::TestWithParam<std::string> {};

TEST_P(AdShowingStopTest, StopWhileAnAdIsShownReturnsAtOnce)
{
    CountingSource source(gbk(adPage(GetParam())));
    RecordingWindow window;
    RunningRotation running(source, window, {1h, 1h, 1h, 1h, 1h, 1ms});
    ASSERT_TRUE(window.waitForCaptions(1));
    EXPECT_LT(running.stop(), 500ms);
    EXPECT_EQ(window.captions().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Modes, AdShowingStopTest, ::testing::Values(entry(1, "blink"), entry(1, "a") + entry(2, "b")));

TEST(AdRotationStopTest, StopBeforeRunTouchesNothing)
{
    CountingSource source(gbk(adPage(entry(1, "x"))));
    RecordingWindow window;
    AdRotation rotation(source, window, kQuick);
    rotation.requestStop();
    rotation.run();
    EXPECT_EQ(source.tests(), 0);
    EXPECT_TRUE(window.captions().empty());
}

TEST_F(AdRotationTest, StopDuringAFetchReturnsAtOnce)
{
    m_server.setReply("/notice.html", Reply::hanging());
    auto notices = source(NoticeTimeouts{});
    RunningRotation running(notices, m_window);
    while (m_server.requestCount("/notice.html") == 0)
        std::this_thread::sleep_for(5ms);
    EXPECT_LT(running.stop(), 500ms);
    EXPECT_TRUE(m_window.captions().empty());
    EXPECT_TRUE(m_window.cursorSets().empty());
}

TEST_F(AdRotationTest, NoNetworkEndsWithTheDefaultCursor)
{
    m_server.setReply("/generate_204", {404, ""});
    m_server.setReply("/notice.html", {200, adPage(entry(1, "x"))});
    auto notices = source();
    RunningRotation running(notices, m_window);
    ASSERT_TRUE(running.endsWithin(5s));
    EXPECT_EQ(m_window.cursorSets(), std::vector<AdCursor>{AdCursor::Default});
    EXPECT_EQ(m_server.requestCount("/notice.html"), 0);
    EXPECT_TRUE(m_window.captions().empty());
}

TEST(AdCursorTest, HandCursorIsKeptWhenAlreadySet)
{
    CountingSource source(gbk(adPage(entry(1, "x"))));
    RecordingWindow window;
    window.setAdCursor(AdCursor::Hand);
    RunningRotation running(source, window);
    ASSERT_TRUE(window.waitForCaptions(1));
    running.stop();
    EXPECT_EQ(window.cursorSets(), std::vector<AdCursor>{AdCursor::Hand});
}

TEST(AdCursorTest, BlinkTimesAreKept)
{
    CountingSource source(gbk(adPage(entry(1, "x"))));
    RecordingWindow window;
    RunningRotation running(source, window, {60ms, 30ms, 1h, 1h, 1h, 1ms});
    ASSERT_TRUE(window.waitForCaptions(5));
    running.stop();
    const auto captions = window.captions();
    for (std::size_t i = 0; i + 1 < 5; ++i) {
        SCOPED_TRACE(i);
        const auto gap = captions[i + 1].at - captions[i].at;
        EXPECT_GE(gap, i % 2 == 0 ? 60ms : 30ms);
    }
}

struct PressCase : qytxt::testing::NamedCase {
    core::Text caption;
    CurrentAd ad;
    std::optional<AdPress> expected;
};

class AdPressTest : public ::testing::TestWithParam<PressCase> {};

TEST_P(AdPressTest, OpensWebAddressesAndShowsTheMessage)
{
    const auto press = adPress(GetParam().caption, GetParam().ad);
    ASSERT_EQ(press.has_value(), GetParam().expected.has_value());
    if (press) {
        EXPECT_EQ(press->address, GetParam().expected->address);
        EXPECT_EQ(press->message, GetParam().expected->message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Presses, AdPressTest,
    ::testing::Values(PressCase{"BlankCaption", "", {"https://x.org", "m"}, std::nullopt},
                      PressCase{"AddressAndMessage", "ad", {"https://x.org", "m"}, AdPress{"https://x.org", "m"}},
                      PressCase{"AddressTrimmed", "ad", {" http://x.org\r\n", ""}, AdPress{"http://x.org", ""}},
                      PressCase{"NoAddress", "ad", {"", "m"}, AdPress{std::nullopt, "m"}},
                      PressCase{"LocalProgram", "ad", {"calc.exe", "m"}, AdPress{std::nullopt, "m"}},
                      PressCase{"NothingAtAll", "ad", {"", ""}, AdPress{std::nullopt, ""}}),
    qytxt::testing::CaseName());

TEST_F(AdRotationTest, ExamplePageCyclesItsThreeAds)
{
    std::ifstream file(QYTXT_EXAMPLE_NOTICE_PAGE, std::ios::binary);
    ASSERT_TRUE(file) << QYTXT_EXAMPLE_NOTICE_PAGE;
    const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    m_server.setReply("/notice.html", {200, page});
    auto notices = source();
    {
        RunningRotation running(notices, m_window);
        ASSERT_TRUE(m_window.waitForCaptions(3));
    }
    const auto captions = m_window.captions();
    EXPECT_EQ(captions[0].caption, gbk("新版 v1.2 已发布"));
    EXPECT_EQ(captions[0].current.address, "https://downloads.example/qytxt-v1.2.zip");
    EXPECT_EQ(captions[0].current.message, gbk("感谢使用，新版分割更快"));
    EXPECT_EQ(captions[1].caption, gbk("使用说明"));
    EXPECT_EQ(captions[2].caption, gbk("欢迎推荐给书友"));

    // The stopped rotation's source stays stopped; the update check gets a source of its own.
    auto updateSource = source();
    RecordingWindow updateWindow;
    runUpdateCheck("v1.1", updateSource, updateWindow);
    EXPECT_TRUE(updateWindow.events().empty());
    runUpdateCheck("v1.0", updateSource, updateWindow);
    EXPECT_EQ(updateWindow.opened(), std::vector<core::Text>{"https://downloads.example/qytxt-v1.2.zip"});
}

} // namespace
} // namespace qytxt::notices

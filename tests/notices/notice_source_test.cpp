#include "named_case.h"
#include "notices/curl_handles.h"
#include "notices/notice_source.h"
#include "recording_window.h"
#include "test_http_server.h"

#include <gtest/gtest.h>

#include <ostream>

#include <future>
#include <thread>

namespace qytxt::notices {
namespace {

using namespace std::chrono_literals;
using testing::gbk;
using testing::Reply;
using testing::TestHttpServer;

constexpr NoticeTimeouts kShortTimeouts{1000ms, 2000ms};

class NoticeSourceTest : public ::testing::Test {
protected:
    HttpNoticeSource source(NoticeTimeouts timeouts = kShortTimeouts)
    {
        return HttpNoticeSource({m_server.url("/notice.html"), m_server.url("/generate_204")}, timeouts);
    }
    TestHttpServer m_server;
};

struct FetchCase : qytxt::testing::NamedCase {
    Reply reply;
    core::Text expected;
};

class NoticePageFetchTest : public NoticeSourceTest, public ::testing::WithParamInterface<FetchCase> {};

TEST_P(NoticePageFetchTest, ConvertsTheWholeBodyOrNothing)
{
    m_server.setReply("/notice.html", GetParam().reply);
    EXPECT_EQ(source().fetchNoticePage(), GetParam().expected);
    EXPECT_EQ(m_server.requestCount("/notice.html"), 1);
}

const std::string kMarkedPage = "<p>//青筠TXT小说分割合并器版本//v1.1|v1.2//青筠TXT小说分割合并器版本//</p>\r\n"
                                "//青筠广告////广告1//新书上架|https://x.org//广告1////青筠广告//";

INSTANTIATE_TEST_SUITE_P(Bodies, NoticePageFetchTest,
                         ::testing::Values(FetchCase{"ChineseMarkers", {200, kMarkedPage}, gbk(kMarkedPage)},
                                           FetchCase{"BodyOfAnErrorStatus", {404, "页面不存在"}, gbk("页面不存在")},
                                           // Outside GBK but inside GB18030: four-byte sequences, kept whole.
                                           FetchCase{"FourByteCharacter",
                                                     {200, "a😀b"},
                                                     "a\x94\x39\xFC\x36"
                                                     "b"},
                                           FetchCase{"CutAtZeroByte", {200, std::string("ab\0cd", 5)}, "ab"},
                                           FetchCase{"InvalidUtf8", {200, "ok \xFF\xFE bad"}, ""},
                                           FetchCase{"TruncatedUtf8", {200, "\xE9\x9D"}, ""},
                                           FetchCase{"GbkInsteadOfUtf8", {200, "\xB0\xE6\xB1\xBE"}, ""},
                                           FetchCase{"EmptyBody", {200, ""}, ""},
                                           FetchCase{"FarTooLarge", {200, std::string(5 * 1024 * 1024, 'a')}, ""}),
                         qytxt::testing::CaseName());

TEST_F(NoticeSourceTest, SendsAnUncachedHttp10GetAcceptingAnything)
{
    m_server.setReply("/notice.html", {200, "x"});
    ASSERT_EQ(source().fetchNoticePage(), "x");
    const auto requests = m_server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& head = requests[0];
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /notice.html HTTP/1.0");
    EXPECT_NE(head.find("\r\nAccept: */*\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nCache-Control: no-cache\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nPragma: no-cache\r\n"), std::string::npos) << head;
}

TEST_F(NoticeSourceTest, DoesNotFollowRedirects)
{
    m_server.setReply("/notice.html", {302, "moved", "Location: /elsewhere\r\n"});
    m_server.setReply("/elsewhere", {200, "other page"});
    EXPECT_EQ(source().fetchNoticePage(), "moved");
    EXPECT_EQ(m_server.requestCount("/elsewhere"), 0);
}

TEST(NoticeSourceFailureTest, RefusedConnectionGivesNothing)
{
    const std::string base = "http://127.0.0.1:" + std::to_string(testing::refusedPort());
    HttpNoticeSource source({base + "/notice.html", base + "/generate_204"}, kShortTimeouts);
    EXPECT_EQ(source.fetchNoticePage(), "");
    EXPECT_FALSE(source.connectivityTest());
}

TEST_F(NoticeSourceTest, ServerThatNeverAnswersTimesOut)
{
    m_server.setReply("/notice.html", Reply::hanging());
    m_server.setReply("/generate_204", Reply::hanging());
    auto hanging = source({200ms, 300ms});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(hanging.fetchNoticePage(), "");
    EXPECT_FALSE(hanging.connectivityTest());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

struct ConnectivityCase : qytxt::testing::NamedCase {
    Reply reply;
    bool expected;
};

class ConnectivityTest : public NoticeSourceTest, public ::testing::WithParamInterface<ConnectivityCase> {};

TEST_P(ConnectivityTest, PassesOnlyOnSuccessStatus)
{
    m_server.setReply("/generate_204", GetParam().reply);
    EXPECT_EQ(source().connectivityTest(), GetParam().expected);
    EXPECT_EQ(m_server.requestCount("/generate_204"), 1);
    EXPECT_EQ(m_server.requestCount("/notice.html"), 0);
}

INSTANTIATE_TEST_SUITE_P(Statuses, ConnectivityTest,
                         ::testing::Values(ConnectivityCase{"NoContent", {204, ""}, true},
                                           ConnectivityCase{"Ok", {200, "Microsoft Connect Test"}, true},
                                           ConnectivityCase{"Redirect", {302, "", "Location: /login\r\n"}, false},
                                           ConnectivityCase{"NotFound", {404, ""}, false},
                                           ConnectivityCase{"ServerError", {500, "oops"}, false}),
                         qytxt::testing::CaseName());

TEST_F(NoticeSourceTest, StopAbortsAFetchInFlightAtOnce)
{
    m_server.setReply("/notice.html", Reply::hanging());
    auto hanging = source(NoticeTimeouts{});
    auto fetched = std::async(std::launch::async, [&] { return hanging.fetchNoticePage(); });
    while (m_server.requestCount("/notice.html") == 0)
        std::this_thread::sleep_for(5ms);
    const auto stoppedAt = std::chrono::steady_clock::now();
    hanging.requestStop();
    ASSERT_EQ(fetched.wait_for(2s), std::future_status::ready);
    EXPECT_LT(std::chrono::steady_clock::now() - stoppedAt, 500ms);
    EXPECT_EQ(fetched.get(), "");
}

TEST_F(NoticeSourceTest, StoppedSourceMakesNoMoreRequests)
{
    m_server.setReply("/notice.html", {200, "page"});
    m_server.setReply("/generate_204", {204, ""});
    auto stopped = source();
    stopped.requestStop();
    EXPECT_EQ(stopped.fetchNoticePage(), "");
    EXPECT_FALSE(stopped.connectivityTest());
    EXPECT_TRUE(m_server.requests().empty());
}

TEST(NoticeAddressesTest, NoticePageIsHttpsOnAHostThatCannotResolve)
{
    const NoticeAddresses addresses = defaultNoticeAddresses();
    EXPECT_EQ(addresses.noticePage.rfind("https://", 0), 0u);
    const std::string host = addresses.noticePage.substr(8, addresses.noticePage.find('/', 8) - 8);
    EXPECT_TRUE(host.ends_with(".invalid")) << host;
    EXPECT_EQ(addresses.connectivityPage.rfind("http://", 0), 0u);
}

TEST(CurlHandleTest, MoveLeavesTheSourceEmptyAndReleasesTheTarget)
{
    curl::Easy first(curl_easy_init());
    curl::Easy second(curl_easy_init());
    ASSERT_TRUE(first && second);
    CURL* kept = first.get();
    second = std::move(first); // frees second's own handle; the sanitizer catches a leak or double free
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), kept);
    curl::Easy third(std::move(second));
    EXPECT_FALSE(second);
    EXPECT_EQ(third.get(), kept);
}

} // namespace
} // namespace qytxt::notices

#include "named_case.h"
#include "notices/update_check.h"
#include "recording_window.h"
#include "test_http_server.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qytxt::notices {
namespace {

using namespace std::chrono_literals;
using testing::gbk;
using testing::RecordingWindow;
using testing::TestHttpServer;

const std::string kVersionMarker = "//青筠TXT小说分割合并器版本//";
const std::string kDownloadMarker = "//青筠TXT小说分割合并器下载地址//";
const std::string kDownload = "https://downloads.example/qytxt.zip";

std::string pageWithVersions(const std::string& versions)
{
    return "<html><body>\n<p>" + kVersionMarker + versions + kVersionMarker + "</p>\n<p>" + kDownloadMarker +
           kDownload + kDownloadMarker + "</p>\n</body></html>\n";
}

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override { m_server.setReply("/generate_204", {204, ""}); }

    void check(const std::string& page)
    {
        m_server.setReply("/notice.html", {200, page});
        HttpNoticeSource source({m_server.url("/notice.html"), m_server.url("/generate_204")}, {1000ms, 2000ms});
        runUpdateCheck(core::Text(kCurrentVersion), source, m_window);
    }

    void expectSilent() const { EXPECT_TRUE(m_window.events().empty()) << ::testing::PrintToString(m_window.events()); }

    TestHttpServer m_server;
    RecordingWindow m_window;
};

struct VersionCase : qytxt::testing::NamedCase {
    std::string page;
    bool newer;
};

class VersionTest : public UpdateCheckTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, AnnouncesOnlyAnUnpublishedVersion)
{
    check(GetParam().page);
    if (!GetParam().newer) {
        expectSilent();
        return;
    }
    EXPECT_EQ(m_window.events(), (std::vector<std::string>{"message", "open", "destroy"}));
    const auto messages = m_window.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, gbk("版本更新,点击 确定 跳转到下载界面"));
    EXPECT_EQ(messages[0].title, gbk("提示"));
    EXPECT_EQ(messages[0].icon, core::MessageIcon::Information);
    EXPECT_EQ(m_window.opened(), std::vector<core::Text>{kDownload});
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionTest,
    ::testing::Values(VersionCase{"Same", pageWithVersions("v1.1"), false},
                      VersionCase{"CurrentAfterBar", pageWithVersions("v1.2|v1.1"), false},
                      VersionCase{"CurrentBeforeBar", pageWithVersions("v1.1|v1.2"), false},
                      VersionCase{"CurrentInTheMiddle", pageWithVersions("v1.0|v1.1|v1.2"), false},
                      VersionCase{"Other", pageWithVersions("v1.2"), true},
                      VersionCase{"CapitalV", pageWithVersions("V1.1"), true},
                      VersionCase{"LongerVersion", pageWithVersions("v1.10"), true},
                      VersionCase{"LongerVersionInList", pageWithVersions("v1.10|v1.2"), true},
                      VersionCase{"LineBreakBefore", pageWithVersions("\r\nv1.1"), true},
                      VersionCase{"LineBreakAfter", pageWithVersions("v1.1\n"), true},
                      VersionCase{"EmptySection", pageWithVersions(""), true},
                      // With one marker the section runs to the end of the page.
                      VersionCase{"SingleMarkerWithTextAfter",
                                  kDownloadMarker + kDownload + kDownloadMarker + kVersionMarker + "v1.1", false},
                      VersionCase{"SingleMarkerWithOtherTextAfter",
                                  kDownloadMarker + kDownload + kDownloadMarker + kVersionMarker + "v1.2 ", true},
                      VersionCase{"SingleMarkerAtTheEnd", "<p>v1.2</p>" + kVersionMarker, false},
                      VersionCase{"NoMarker", "<html>v1.2</html>", false},
                      VersionCase{"MarkerHalfWritten", "//青筠TXT小说分割合并器版本v1.2//", false},
                      VersionCase{"EmptyPage", "", false},
                      VersionCase{"NotUtf8", pageWithVersions("v1.2") + "\xFF", false}),
    qytxt::testing::CaseName());

struct DownloadCase : qytxt::testing::NamedCase {
    std::string downloadPart; // the page after its version section
    std::vector<core::Text> opened;
};

class DownloadTest : public UpdateCheckTest, public ::testing::WithParamInterface<DownloadCase> {};

TEST_P(DownloadTest, OpensOnlyAWebAddressAndAlwaysCloses)
{
    check(kVersionMarker + "v2.0" + kVersionMarker + GetParam().downloadPart);
    EXPECT_EQ(m_window.opened(), GetParam().opened);
    const auto events = m_window.events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "message");
    EXPECT_EQ(events.back(), "destroy");
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, DownloadTest,
    ::testing::Values(
        DownloadCase{"Plain", kDownloadMarker + "http://x.org/d" + kDownloadMarker, {"http://x.org/d"}},
        DownloadCase{
            "BlanksAround", kDownloadMarker + " \r\nhttps://x.org/d\r\n " + kDownloadMarker, {"https://x.org/d"}},
        DownloadCase{"ChineseInPath",
                     kDownloadMarker + "https://x.org/下载" + kDownloadMarker,
                     {"https://x.org/%E4%B8%8B%E8%BD%BD"}},
        DownloadCase{"SingleMarkerToTheEnd", kDownloadMarker + "https://x.org/d", {"https://x.org/d"}},
        DownloadCase{"LocalProgram", kDownloadMarker + "C:\\Windows\\System32\\calc.exe" + kDownloadMarker, {}},
        DownloadCase{"FileAddress", kDownloadMarker + "file:///etc/passwd" + kDownloadMarker, {}},
        DownloadCase{"EmptySection", kDownloadMarker + kDownloadMarker, {}},
        DownloadCase{"MarkerOnlyAtTheEnd", "<p>download</p>" + kDownloadMarker, {}},
        DownloadCase{"NoMarker", "<p>https://x.org/d</p>", {}}),
    qytxt::testing::CaseName());

// The box has only OK, and closing it counts as OK: whatever the user does, the download opens.
TEST_F(UpdateCheckTest, DismissedBoxOpensTheDownloadThenCloses)
{
    check(pageWithVersions("v1.2"));
    EXPECT_EQ(m_window.events(), (std::vector<std::string>{"message", "open", "destroy"}));
}

TEST_F(UpdateCheckTest, FetchesThePageOnceAfterTheConnectivityTest)
{
    check(pageWithVersions("v1.2"));
    const auto requests = m_server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].rfind("GET /generate_204 ", 0), 0u);
    EXPECT_EQ(requests[1].rfind("GET /notice.html ", 0), 0u);
}

TEST_F(UpdateCheckTest, FailedConnectivityTestStopsBeforeTheFetch)
{
    m_server.setReply("/generate_204", {404, ""});
    check(pageWithVersions("v1.2"));
    expectSilent();
    EXPECT_EQ(m_server.requestCount("/notice.html"), 0);
}

TEST_F(UpdateCheckTest, FailedFetchIsSilent)
{
    const std::string refused = "http://127.0.0.1:" + std::to_string(testing::refusedPort()) + "/notice.html";
    HttpNoticeSource source({refused, m_server.url("/generate_204")}, {1000ms, 2000ms});
    runUpdateCheck(core::Text(kCurrentVersion), source, m_window);
    expectSilent();
}

} // namespace
} // namespace qytxt::notices

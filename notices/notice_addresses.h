#pragma once

#include <string>

namespace qytxt::notices {

// Where the notice page and the connectivity check live. Plain ASCII URLs.
struct NoticeAddresses {
    std::string noticePage;
    std::string connectivityPage;
};

// The program's only notice and connectivity addresses. They are constants on purpose: no setting,
// file or argument changes them. The way there may still change: libcurl honours the usual proxy
// variables (http_proxy, https_proxy, no_proxy), which is what a user behind a proxy needs, and
// the notice page stays protected on that way because HTTPS still verifies the server.
NoticeAddresses defaultNoticeAddresses();

} // namespace qytxt::notices

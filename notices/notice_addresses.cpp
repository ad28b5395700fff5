#include "notices/notice_addresses.h"

namespace qytxt::notices {

namespace {
// The ".invalid" host cannot resolve anywhere, so until the project publishes its notice page the
// check fails quietly instead of reaching someone else's server. HTTPS keeps the page from being
// altered on its way.
constexpr const char* kNoticePage = "https://notices.qytxt.invalid/notice.html";
// A long-lived public page that answers 204 with an empty body, run for exactly this purpose.
constexpr const char* kConnectivityPage = "http://connectivitycheck.gstatic.com/generate_204";
} // namespace

NoticeAddresses defaultNoticeAddresses()
{
    return {kNoticePage, kConnectivityPage};
}

} // namespace qytxt::notices

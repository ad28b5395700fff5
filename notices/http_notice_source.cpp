#include "notices/notice_source.h"

#include "core/encoding.h"
#include "core/numbers.h"
#include "notices/curl_handles.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>

namespace qytxt::notices {

namespace {

// A notice page is a few kilobytes; anything far larger is not one and is not held in memory.
constexpr std::size_t kMaxBodyBytes = 4 * 1024 * 1024;

// How long one wait for network activity may last before the stop flag is looked at again. A stop
// also wakes the wait at once; this is only the fallback.
constexpr int kPollMilliseconds = 200;

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::chrono::milliseconds clampTimeout(std::chrono::milliseconds wanted, std::chrono::milliseconds largest)
{
    // libcurl reads 0 as "no limit", so the shortest limit is 1 ms.
    return std::clamp(wanted, std::chrono::milliseconds(1), largest);
}

struct TransferResult {
    bool completed = false;
    long status = 0;
};

struct BodySink {
    core::ByteSet* body = nullptr; // null: count nothing, keep nothing
    const std::atomic<bool>* stopped = nullptr;
};

std::size_t writeBody(char* data, std::size_t size, std::size_t count, void* userData)
{
    auto* sink = static_cast<BodySink*>(userData);
    const std::size_t bytes = size * count;
    if (sink->stopped->load())
        return 0;
    if (sink->body) {
        if (sink->body->size() + bytes > kMaxBodyBytes)
            return 0;
        sink->body->append(data, bytes);
    }
    return bytes;
}

int checkStop(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<const std::atomic<bool>*>(userData)->load() ? 1 : 0;
}

// Detaches the easy handle from the multi handle however the transfer ends.
class MultiAttachment {
public:
    MultiAttachment(CURLM* multi, CURL* easy) : m_multi(multi), m_easy(easy)
    {
        m_attached = curl_multi_add_handle(m_multi, m_easy) == CURLM_OK;
    }
    ~MultiAttachment()
    {
        if (m_attached)
            curl_multi_remove_handle(m_multi, m_easy);
    }
    MultiAttachment(const MultiAttachment&) = delete;
    MultiAttachment& operator=(const MultiAttachment&) = delete;
    bool attached() const { return m_attached; }

private:
    CURLM* m_multi;
    CURL* m_easy;
    bool m_attached = false;
};

} // namespace

// Runs one GET at a time through a multi handle, so that a stop from another thread can wake the
// wait for network activity at once.
class HttpNoticeSource::Transfer {
public:
    Transfer() : m_multi(curl_multi_init()) {}

    void stop()
    {
        m_stopped = true;
        if (m_multi)
            curl_multi_wakeup(m_multi.get());
    }

    TransferResult get(const std::string& url, const NoticeTimeouts& timeouts, core::ByteSet* body)
    {
        if (m_stopped || !m_multi)
            return {};
        // The header list outlives the handle that points at it.
        curl::HeaderList headers;
        curl::Easy easy(curl_easy_init());
        if (!easy || !headers.append("Accept: */*") || !headers.append("Cache-Control: no-cache") ||
            !headers.append("Pragma: no-cache"))
            return {};

        BodySink sink{body, &m_stopped};
        CURL* handle = easy.get();
        bool ok = curl_easy_setopt(handle, CURLOPT_URL, url.c_str()) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0)) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get()) == CURLE_OK;
        // Only the page itself counts: no redirects (they could leave HTTPS) and no other protocols.
        ok = ok && curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK;
#if LIBCURL_VERSION_NUM >= 0x075500
        ok = ok && curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
#else
        ok = ok && curl_easy_setopt(handle, CURLOPT_PROTOCOLS, static_cast<long>(CURLPROTO_HTTP | CURLPROTO_HTTPS)) ==
                       CURLE_OK;
#endif
        ok = ok && curl_easy_setopt(handle, CURLOPT_FRESH_CONNECT, 1L) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_FORBID_REUSE, 1L) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
#if LIBCURL_VERSION_NUM >= 0x075700
        // An abandoned transfer must not wait for a name lookup still in progress: a stop comes when
        // the window closes, and it has to end the thread at once.
        ok = ok && curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L) == CURLE_OK;
#endif
        ok = ok && curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count())) ==
                       CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts.total.count())) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, writeBody) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, checkStop) == CURLE_OK;
        ok = ok && curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &m_stopped) == CURLE_OK;
        if (!ok)
            return {};

        MultiAttachment attachment(m_multi.get(), handle);
        if (!attachment.attached())
            return {};
        for (;;) {
            int running = 0;
            if (curl_multi_perform(m_multi.get(), &running) != CURLM_OK || m_stopped)
                return {};
            if (running == 0)
                break;
            if (curl_multi_poll(m_multi.get(), nullptr, 0, kPollMilliseconds, nullptr) != CURLM_OK || m_stopped)
                return {};
        }

        TransferResult result;
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(m_multi.get(), &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == handle)
                result.completed = message->data.result == CURLE_OK;
        }
        if (result.completed)
            curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &result.status);
        return result;
    }

private:
    std::atomic<bool> m_stopped{false};
    curl::Multi m_multi;
};

HttpNoticeSource::HttpNoticeSource(NoticeAddresses addresses, NoticeTimeouts timeouts)
    : m_addresses(std::move(addresses)), m_timeouts{clampTimeout(timeouts.connect, NoticeTimeouts{}.connect),
                                                    clampTimeout(timeouts.total, NoticeTimeouts{}.total)}
{
    initialiseCurlOnce();
    m_transfer = std::make_unique<Transfer>();
}

HttpNoticeSource::~HttpNoticeSource() = default;

bool HttpNoticeSource::connectivityTest()
{
    const TransferResult result = m_transfer->get(m_addresses.connectivityPage, m_timeouts, nullptr);
    return result.completed && result.status >= 200 && result.status < 300;
}

core::Text HttpNoticeSource::fetchNoticePage()
{
    core::ByteSet body;
    if (!m_transfer->get(m_addresses.noticePage, m_timeouts, &body).completed)
        return {};
    // The page is UTF-8; its markers are searched as GBK, which GB18030 agrees with for them.
    return core::byteSetToText(core::convertEncoding(body, "UTF-8", "GB18030"));
}

void HttpNoticeSource::requestStop()
{
    m_transfer->stop();
}

} // namespace qytxt::notices

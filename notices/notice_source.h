#pragma once

#include "core/text.h"
#include "notices/notice_addresses.h"

#include <chrono>
#include <memory>

namespace qytxt::notices {

// Where the update check and the ad rotation get the notice page from.
class NoticeSource {
public:
    virtual ~NoticeSource() = default;

    // True only when the fixed public page could be fetched.
    virtual bool connectivityTest() = 0;

    // The notice page as GBK text; the empty text on any failure.
    virtual core::Text fetchNoticePage() = 0;

    // Makes a call in flight, and every later call, give up at once. Thread-safe.
    virtual void requestStop() {}
};

// Upper bounds of every network call; the defaults are also the largest values accepted.
struct NoticeTimeouts {
    std::chrono::milliseconds connect{5000};
    std::chrono::milliseconds total{10000};
};

// The notice source over HTTP(S). One source per thread that uses it: a stop request is final, so
// the window gives the update check and the ad rotation a source each.
class HttpNoticeSource final : public NoticeSource {
public:
    // Time-outs longer than the defaults are cut down to them.
    explicit HttpNoticeSource(NoticeAddresses addresses, NoticeTimeouts timeouts = {});
    ~HttpNoticeSource() override;
    HttpNoticeSource(const HttpNoticeSource&) = delete;
    HttpNoticeSource& operator=(const HttpNoticeSource&) = delete;

    bool connectivityTest() override;
    core::Text fetchNoticePage() override;
    void requestStop() override;

private:
    class Transfer;
    NoticeAddresses m_addresses;
    NoticeTimeouts m_timeouts;
    std::unique_ptr<Transfer> m_transfer;
};

} // namespace qytxt::notices

#pragma once

#include "core/text.h"
#include "notices/ad_entries.h"
#include "notices/notice_source.h"
#include "notices/notice_window.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

namespace qytxt::notices {

struct AdTimings {
    std::chrono::milliseconds blinkShown{500};
    std::chrono::milliseconds blinkBlank{300};
    std::chrono::milliseconds cycle{2200};
    // Waits before fetching again a page without ads: doubled after each miss, up to the cap.
    std::chrono::milliseconds firstRetry{std::chrono::seconds(60)};
    std::chrono::milliseconds retryCap{std::chrono::hours(1)};
    // How long a press waits between opening the address and showing the message.
    std::chrono::milliseconds pressDelay{1500};
};

// What a press on the ad line does.
struct AdPress {
    std::optional<core::Text> address; // to open now; absent for anything but a web address
    core::Text message;                // to show after the press delay; empty for none
};

// Nothing when the ad line shows no caption (no ads, or the blank phase of a blink).
std::optional<AdPress> adPress(const core::Text& adLineCaption, const CurrentAd& ad);

// The ad line's rotation: fetches the notice page, then blinks a single ad or cycles through several
// until stopped. run() is the ad thread's body; everything else may be called from any thread.
class AdRotation {
public:
    AdRotation(NoticeSource& source, NoticeWindow& window, AdTimings timings = {});
    AdRotation(const AdRotation&) = delete;
    AdRotation& operator=(const AdRotation&) = delete;

    // Returns when the rotation ends by itself (no network, no first ad) or once a stop is requested.
    void run();

    // Wakes every wait and aborts a fetch or a collection of the ads in flight at once; run() then
    // returns promptly.
    void requestStop();

    const AdTimings& timings() const { return m_timings; }

private:
    bool waitFor(std::chrono::milliseconds duration);
    bool stopRequested() const;
    void blinkSingle(const AdEntry& entry);
    void cycleEntries(const std::vector<AdEntry>& entries);

    NoticeSource& m_source;
    NoticeWindow& m_window;
    const AdTimings m_timings;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
};

} // namespace qytxt::notices

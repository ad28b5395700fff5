#pragma once

#include "gbk_text.h"
#include "notices/notice_window.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace qytxt::notices::testing {

using qytxt::testing::gbk;

struct ShownMessage {
    core::Text text;
    core::Text title;
    core::MessageIcon icon = core::MessageIcon::None;
};

// A caption as the ad line received it, with the ad it came with.
struct ShownCaption {
    core::Text caption;
    CurrentAd current;
    std::chrono::steady_clock::time_point at;
};

// A window that records what it is asked to do; thread-safe, since the ad thread calls it too.
class RecordingWindow final : public NoticeWindow {
public:
    void showMessage(const core::Text& text, const core::Text& title, core::MessageIcon icon) override
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({text, title, icon});
        m_events.push_back("message");
    }
    void openWebAddress(const core::Text& address) override
    {
        std::lock_guard lock(m_mutex);
        m_opened.push_back(address);
        m_events.push_back("open");
    }
    void requestDestroy() override
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back("destroy");
    }
    void showAd(const core::Text& caption, const CurrentAd& ad) override
    {
        ShownCaption shown{caption, ad, std::chrono::steady_clock::now()};
        {
            std::lock_guard lock(m_mutex);
            m_captions.push_back(std::move(shown));
        }
        m_changed.notify_all();
    }
    void setAdCursor(AdCursor cursor) override
    {
        std::lock_guard lock(m_mutex);
        m_cursor = cursor;
        m_cursorSets.push_back(cursor);
    }
    AdCursor adCursor() override
    {
        std::lock_guard lock(m_mutex);
        return m_cursor;
    }

    std::vector<ShownMessage> messages() const { return locked(m_messages); }
    std::vector<core::Text> opened() const { return locked(m_opened); }
    std::vector<std::string> events() const { return locked(m_events); }
    std::vector<ShownCaption> captions() const { return locked(m_captions); }
    std::vector<AdCursor> cursorSets() const { return locked(m_cursorSets); }

    // Waits until at least `count` captions arrived; false on time-out.
    bool waitForCaptions(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_captions.size() >= count; });
    }

private:
    template <typename T> T locked(const T& value) const
    {
        std::lock_guard lock(m_mutex);
        return value;
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<ShownMessage> m_messages;
    std::vector<core::Text> m_opened;
    std::vector<std::string> m_events;
    std::vector<ShownCaption> m_captions;
    std::vector<AdCursor> m_cursorSets;
    AdCursor m_cursor = AdCursor::Default;
};

} // namespace qytxt::notices::testing

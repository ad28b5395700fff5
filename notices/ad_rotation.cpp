#include "notices/ad_rotation.h"

#include "notices/display_text.h"
#include "notices/notice_markers.h"
#include "notices/web_address.h"

#include <algorithm>

namespace qytxt::notices {

namespace {

// An ad as the ad line shows it: its text and message cut to what fits on screen, its address whole.
CurrentAd currentAdOf(const AdEntry& entry)
{
    return {core::Text(entry.address), shownText(entry.message, kShownMessageCharacters)};
}

core::Text captionOf(const AdEntry& entry)
{
    return shownText(entry.text, kShownAdTextCharacters);
}

} // namespace

std::optional<AdPress> adPress(const core::Text& adLineCaption, const CurrentAd& ad)
{
    if (adLineCaption.empty())
        return std::nullopt;
    return AdPress{webAddressToOpen(ad.address), ad.message};
}

AdRotation::AdRotation(NoticeSource& source, NoticeWindow& window, AdTimings timings)
    : m_source(source), m_window(window), m_timings(timings)
{
}

void AdRotation::run()
{
    // Never a zero wait: that would be the busy loop again.
    std::chrono::milliseconds retry = std::max(m_timings.firstRetry, std::chrono::milliseconds(1));
    core::Text adSection;
    for (;;) {
        if (stopRequested())
            return;
        if (!m_source.connectivityTest()) {
            if (!stopRequested())
                m_window.setAdCursor(AdCursor::Default);
            return;
        }
        const core::Text page = m_source.fetchNoticePage();
        if (stopRequested())
            return;
        if (auto found = markers::section(page, markers::kAdSection)) {
            adSection = std::move(*found);
            break;
        }
        // No ads on the page (or no page): ask again later, less often each time, rather than
        // hammering the server for as long as the program runs.
        if (!waitFor(retry))
            return;
        retry = std::min(retry * 2, std::max(m_timings.retryCap, retry));
    }

    const std::vector<AdEntry> entries = collectAdEntries(adSection, [this] { return stopRequested(); });
    if (entries.empty() || stopRequested())
        return;
    if (m_window.adCursor() == AdCursor::Default)
        m_window.setAdCursor(AdCursor::Hand);

    if (entries.size() == 1)
        blinkSingle(entries.front());
    else
        cycleEntries(entries);
}

void AdRotation::blinkSingle(const AdEntry& entry)
{
    const core::Text caption = captionOf(entry);
    const CurrentAd ad = currentAdOf(entry);
    while (!stopRequested()) {
        m_window.showAd(caption, ad);
        if (!waitFor(m_timings.blinkShown))
            return;
        m_window.showAd({}, ad);
        if (!waitFor(m_timings.blinkBlank))
            return;
    }
}

void AdRotation::cycleEntries(const std::vector<AdEntry>& entries)
{
    for (;;) {
        for (const AdEntry& entry : entries) {
            if (stopRequested())
                return;
            m_window.showAd(captionOf(entry), currentAdOf(entry));
            if (!waitFor(m_timings.cycle))
                return;
        }
    }
}

void AdRotation::requestStop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    m_source.requestStop();
}

bool AdRotation::waitFor(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, duration, [this] { return m_stopRequested; });
}

bool AdRotation::stopRequested() const
{
    std::lock_guard lock(m_mutex);
    return m_stopRequested;
}

} // namespace qytxt::notices

#include "notices/ad_rotation.h"

#include "core/text_ops.h"
#include "notices/notice_markers.h"
#include "notices/web_address.h"

#include <algorithm>
#include <vector>

namespace qytxt::notices {

namespace {

struct AdEntry {
    core::Text text;
    core::Text address;
    core::Text message;
};

// An entry's content is "text", "text|address" or "text|address|message"; further pieces are
// ignored and missing ones are empty.
AdEntry parseEntry(const core::Text& content)
{
    if (core::findFirst(content, "|") < 0)
        return {content, {}, {}};
    core::TextList pieces = core::splitText(content, "|");
    AdEntry entry;
    if (!pieces.empty())
        entry.text = std::move(pieces[0]);
    if (pieces.size() >= 2)
        entry.address = std::move(pieces[1]);
    if (pieces.size() >= 3)
        entry.message = std::move(pieces[2]);
    return entry;
}

// The content of entry `number`; a marker at the very end of the section encloses the empty text.
core::Text entryContent(const core::Text& adSection, int number)
{
    return markers::section(adSection, markers::adEntry(number)).value_or(core::Text());
}

bool hasEntry(const core::Text& adSection, int number)
{
    return core::findFirst(adSection, markers::adEntry(number)) > 0;
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

    if (!hasEntry(adSection, 1))
        return;
    if (m_window.adCursor() == AdCursor::Default)
        m_window.setAdCursor(AdCursor::Hand);

    if (hasEntry(adSection, 2))
        cycleEntries(adSection);
    else
        blinkSingle(entryContent(adSection, 1));
}

void AdRotation::blinkSingle(const core::Text& content)
{
    const AdEntry entry = parseEntry(content);
    setCurrentAd(entry.address, entry.message);
    while (!stopRequested()) {
        m_window.setAdCaption(entry.text);
        if (!waitFor(m_timings.blinkShown))
            return;
        m_window.setAdCaption({});
        if (!waitFor(m_timings.blinkBlank))
            return;
    }
}

void AdRotation::cycleEntries(const core::Text& adSection)
{
    std::vector<AdEntry> entries;
    for (int number = 1; hasEntry(adSection, number); ++number)
        entries.push_back(parseEntry(entryContent(adSection, number)));

    for (;;) {
        for (const AdEntry& entry : entries) {
            if (stopRequested())
                return;
            // The press reads the caption and then the current ad, so the ad is current before it shows.
            setCurrentAd(entry.address, entry.message);
            m_window.setAdCaption(entry.text);
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

CurrentAd AdRotation::currentAd() const
{
    std::lock_guard lock(m_mutex);
    return m_current;
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

void AdRotation::setCurrentAd(const core::Text& address, const core::Text& message)
{
    std::lock_guard lock(m_mutex);
    m_current.address = address;
    m_current.message = message;
}

} // namespace qytxt::notices

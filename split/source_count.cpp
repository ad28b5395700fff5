#include "split/source_count.h"

#include "split/counting_pass.h"

#include <algorithm>

namespace qytxt::split {

std::optional<TextCount> SourceCountCache::find(const core::Text& path, const FileStamp& stamp) const
{
    const auto entry =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& kept) { return kept.path == path; });
    if (entry == m_entries.end() || entry->stamp != stamp)
        return std::nullopt;
    return entry->count;
}

void SourceCountCache::store(const core::Text& path, const FileStamp& stamp, const TextCount& count)
{
    std::erase_if(m_entries, [&](const Entry& kept) { return kept.path == path; });
    if (m_capacity == 0)
        return;
    if (m_entries.size() >= m_capacity)
        m_entries.pop_back();
    m_entries.insert(m_entries.begin(), Entry{path, stamp, count});
}

SourceCount countSource(const core::Text& path, const FileStamp& before, const std::function<bool()>& stopRequested)
{
    SourceCount result;
    PassOptions options;
    options.stopRequested = stopRequested;
    // A count behind the window, at low priority: a second thread would leave the window's thread
    // no core of its own to wake on.
    options.sideBySide = false;
    result.count = countFile(path, std::nullopt, options);
    // A count taken while the file was being written describes no one version of it.
    result.reusable = result.count && stampFile(path) == before;
    return result;
}

} // namespace qytxt::split

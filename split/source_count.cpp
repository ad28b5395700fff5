#include "split/source_count.h"

#include "core/path.h"

#include <algorithm>
#include <sys/stat.h>

namespace qytxt::split {

std::optional<FileStamp> stampFile(const core::Text& path)
{
    if (path.empty())
        return std::nullopt;
    const std::optional<std::string> native = core::toNativePath(path);
    struct stat info {};
    if (!native || ::stat(native->c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                     static_cast<std::int64_t>(info.st_size), static_cast<std::int64_t>(info.st_mtim.tv_sec),
                     static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

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
    result.count = countFile(path, std::nullopt, nullptr, stopRequested);
    // A count taken while the file was being written describes no one version of it.
    result.reusable = result.count && stampFile(path) == before;
    return result;
}

} // namespace qytxt::split

#include "split/byte_source.h"

#include "core/path.h"
#include "core/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qytxt::split {

std::optional<std::string_view> MemorySource::read(std::int64_t offset, std::int64_t length, std::string&) const
{
    if (offset < 0 || length < 0 || offset > size())
        return std::nullopt;
    return m_bytes.substr(static_cast<std::size_t>(offset),
                          static_cast<std::size_t>(std::min(length, size() - offset)));
}

std::optional<FileSource> FileSource::open(std::string_view path)
{
    struct stat info {};
    core::UniqueFd fd = core::openRegularFile(path, info);
    if (!fd.isValid())
        return std::nullopt;
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return FileSource(std::move(fd), static_cast<std::int64_t>(info.st_size));
}

std::optional<std::string_view> FileSource::read(std::int64_t offset, std::int64_t length, std::string& buffer) const
{
    if (offset < 0 || length < 0 || offset > m_size)
        return std::nullopt;
    length = std::min(length, m_size - offset);
    buffer.resize(static_cast<std::size_t>(length));
    std::int64_t filled = 0;
    while (filled < length) {
        const ssize_t got = ::pread(m_fd.get(), buffer.data() + filled, static_cast<std::size_t>(length - filled),
                                    static_cast<off_t>(offset + filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt; // an error, or the file shrank under us
        filled += got;
    }
    return std::string_view(buffer);
}

FileSource::Copy FileSource::copyTo(core::FileCopier& copier, std::string_view path, std::int64_t begin,
                                    std::int64_t end, const std::function<bool()>& stopRequested,
                                    std::string_view prefix) const
{
    // Emptied only once it is known not to be the source itself: the one unnumbered part of a
    // source kept in its own part folder is the source, and truncating it would destroy it.
    // Non-blocking, so that a pipe in a part's place fails at once instead of waiting for a reader.
    core::UniqueFd target = core::openPath(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY, 0666);
    struct stat targetInfo {};
    struct stat sourceInfo {};
    if (!target.isValid() || ::fstat(target.get(), &targetInfo) != 0 || ::fstat(m_fd.get(), &sourceInfo) != 0)
        return Copy::Failed;
    if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino)
        return prefix.empty() && begin == 0 && end == m_size ? Copy::Copied
                                                             : Copy::Failed; // already holds exactly these bytes
    // A new part is already empty. Truncating it anyway costs dearly: ext4 then writes an emptied
    // file out to disk as soon as it is closed, in the middle of the split.
    if (targetInfo.st_size != 0 && ::ftruncate(target.get(), 0) != 0)
        return Copy::Failed;
    const core::CopyResult copy = core::writeAll(target.get(), prefix)
                                      ? copier.copy(m_fd.get(), begin, end, target.get(), stopRequested)
                                      : core::CopyResult{core::CopyStatus::WriteFailed, 0};
    if (target.close() && copy.status == core::CopyStatus::Copied)
        return Copy::Copied;
    if (const std::optional<std::string> native = core::toNativePath(path))
        ::unlink(native->c_str());
    return copy.status == core::CopyStatus::Stopped ? Copy::Stopped : Copy::Failed;
}

} // namespace qytxt::split

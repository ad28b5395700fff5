#include "split/byte_source.h"

#include "core/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qytxt::split {
namespace {

constexpr std::int64_t kCopyBuffer = std::int64_t{1} << 20;

} // namespace

std::optional<std::string_view> MemorySource::read(std::int64_t offset, std::int64_t length)
{
    if (offset < 0 || length < 0 || offset > size())
        return std::nullopt;
    return m_bytes.substr(static_cast<std::size_t>(offset),
                          static_cast<std::size_t>(std::min(length, size() - offset)));
}

std::optional<FileSource> FileSource::open(std::string_view path)
{
    core::UniqueFd fd = core::openPath(path, O_RDONLY);
    struct stat info {};
    if (!fd.isValid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return FileSource(std::move(fd), static_cast<std::int64_t>(info.st_size));
}

std::optional<std::string_view> FileSource::read(std::int64_t offset, std::int64_t length)
{
    if (offset < 0 || length < 0 || offset > m_size)
        return std::nullopt;
    length = std::min(length, m_size - offset);
    m_buffer.resize(static_cast<std::size_t>(length));
    std::int64_t filled = 0;
    while (filled < length) {
        const ssize_t got = ::pread(m_fd.get(), m_buffer.data() + filled, static_cast<std::size_t>(length - filled),
                                    static_cast<off_t>(offset + filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt; // an error, or the file shrank under us
        filled += got;
    }
    return std::string_view(m_buffer);
}

bool FileSource::copyTo(std::string_view path, std::int64_t begin, std::int64_t end, std::string_view prefix)
{
    // Emptied only once it is known not to be the source itself: the one unnumbered part of a
    // source kept in its own part folder is the source, and truncating it would destroy it.
    core::UniqueFd target = core::openPath(path, O_WRONLY | O_CREAT, 0666);
    struct stat targetInfo {};
    struct stat sourceInfo {};
    if (!target.isValid() || ::fstat(target.get(), &targetInfo) != 0 || ::fstat(m_fd.get(), &sourceInfo) != 0)
        return false;
    if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino)
        return prefix.empty() && begin == 0 && end == m_size; // already holds exactly these bytes
    if (::ftruncate(target.get(), 0) != 0 || !core::writeAll(target.get(), prefix))
        return false;
    bool copied = true;
    off_t from = static_cast<off_t>(begin);
    while (from < end && m_kernelCopy) {
        const ssize_t got =
            ::copy_file_range(m_fd.get(), &from, target.get(), nullptr, static_cast<std::size_t>(end - from), 0);
        if (got > 0)
            continue;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP)) {
            m_kernelCopy = false; // e.g. a file system that cannot: fall back to reading and writing
            break;
        }
        copied = false; // an error, or the source ended early
        break;
    }
    if (copied && from < end)
        copied = copyThroughBuffer(target.get(), from, end);
    return target.close() && copied;
}

bool FileSource::copyThroughBuffer(int target, std::int64_t begin, std::int64_t end)
{
    for (std::int64_t at = begin; at < end;) {
        const std::optional<std::string_view> bytes = read(at, std::min(kCopyBuffer, end - at));
        if (!bytes || bytes->empty() || !core::writeAll(target, *bytes))
            return false;
        at += static_cast<std::int64_t>(bytes->size());
    }
    return true;
}

} // namespace qytxt::split

#include "core/file_copy.h"

#include "core/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <unistd.h>

namespace qytxt::core {
namespace {

// Small enough that a stop is seen within a few tens of milliseconds even on a slow disk, large
// enough that the calls cost nothing next to the copying.
constexpr std::int64_t kKernelPiece = std::int64_t{8} << 20;
constexpr std::int64_t kBufferSize = std::int64_t{1} << 20;
// A watcher is mostly done within the first bytes (a text's encoding is told by its first non-ASCII
// ones), so the watched pieces start small and grow to the buffer's size.
constexpr std::int64_t kFirstWatchedPiece = std::int64_t{64} << 10;

bool stopNow(const std::function<bool()>& stopRequested)
{
    return stopRequested && stopRequested();
}

} // namespace

CopyResult FileCopier::copy(int source, std::int64_t begin, std::int64_t end, int target,
                            const std::function<bool()>& stopRequested, CopyWatcher* watcher)
{
    std::int64_t watchedPiece = kFirstWatchedPiece;
    for (std::int64_t at = begin; at < end;) {
        if (stopNow(stopRequested))
            return {CopyStatus::Stopped, at - begin};
        if (watcher != nullptr && watcher->wantsBytes()) {
            const CopyResult piece =
                copyThroughBuffer(source, at, std::min(end, at + watchedPiece), target, {}, watcher);
            watchedPiece = std::min(kBufferSize, 2 * watchedPiece);
            at += piece.copied;
            if (piece.status != CopyStatus::Copied)
                return {piece.status, at - begin};
            continue;
        }
        off_t from = static_cast<off_t>(at);
        const ssize_t got = ::copy_file_range(source, &from, target, nullptr,
                                              static_cast<std::size_t>(std::min(kKernelPiece, end - at)), 0);
        if (got > 0) {
            at += got;
            continue;
        }
        if (got == 0)
            return {CopyStatus::SourceEnded, at - begin};
        if (errno == EINTR)
            continue;
        // Refused, or failed: reading and writing ourselves either copies the rest or tells a read
        // failure from a write failure, which the kernel's error does not.
        CopyResult rest = copyThroughBuffer(source, at, end, target, stopRequested, watcher);
        rest.copied += at - begin;
        return rest;
    }
    return {CopyStatus::Copied, end > begin ? end - begin : 0};
}

CopyResult FileCopier::copyThroughBuffer(int source, std::int64_t begin, std::int64_t end, int target,
                                         const std::function<bool()>& stopRequested, CopyWatcher* watcher)
{
    // Not zeroed: a watched copy uses only its first pages, and zeroing the rest cost more than the copy.
    if (!m_buffer)
        m_buffer = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(kBufferSize));
    for (std::int64_t at = begin; at < end;) {
        if (stopNow(stopRequested))
            return {CopyStatus::Stopped, at - begin};
        const ssize_t got = ::pread(source, m_buffer.get(), static_cast<std::size_t>(std::min(kBufferSize, end - at)),
                                    static_cast<off_t>(at));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {CopyStatus::ReadFailed, at - begin};
        if (got == 0)
            return {CopyStatus::SourceEnded, at - begin};
        const std::string_view bytes(m_buffer.get(), static_cast<std::size_t>(got));
        if (watcher != nullptr && watcher->wantsBytes())
            watcher->see(bytes);
        if (!writeAll(target, bytes))
            return {CopyStatus::WriteFailed, at - begin}; // what a partial write left is not counted
        at += got;
    }
    return {CopyStatus::Copied, end - begin};
}

} // namespace qytxt::core

#include "merge/merge_output.h"

#include "core/path.h"
#include "core/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace qytxt::merge {
namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

constexpr std::size_t kLongestMark = 3;

// Detection rides on the copy: it sees the bytes only until they can no longer change its answer,
// which for most texts is a mark or the first byte that is not UTF-8.
class DetectingWatcher final : public core::CopyWatcher {
public:
    bool wantsBytes() const override { return !detector.settled(); }
    void see(std::string_view bytes) override { detector.feed(bytes); }

    core::EncodingDetector detector;
};

// The first bytes of a file, as many as a mark can have. Nothing when they cannot be read.
std::optional<std::string> readHead(int fd, std::int64_t size)
{
    std::string head(static_cast<std::size_t>(std::min<std::int64_t>(size, kLongestMark)), '\0');
    for (std::size_t got = 0; got < head.size();) {
        const ssize_t n = ::pread(fd, head.data() + got, head.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0) {
            head.resize(got); // it shrank meanwhile
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return head;
}

} // namespace

std::optional<MergeOutput> MergeOutput::create(const core::Text& path)
{
    std::optional<struct stat> replaced;
    struct stat info {};
    const std::optional<std::string> native = core::toNativePath(path);
    if (native && ::stat(native->c_str(), &info) == 0)
        replaced = info;
    std::optional<core::SaveFile> file = core::SaveFile::create(path);
    if (!file)
        return std::nullopt;
    return MergeOutput(std::move(*file), replaced);
}

bool MergeOutput::isOutput(const struct stat& input) const
{
    const std::optional<struct stat> written = m_file.info();
    return (written && sameFile(input, *written)) || (m_replaced && sameFile(input, *m_replaced));
}

MergeOutput::Append MergeOutput::append(const core::Text& inputPath, const std::function<bool()>& stopRequested)
{
    struct stat info {};
    const core::UniqueFd input = core::openRegularFile(inputPath, info);
    if (!input.isValid() || isOutput(info))
        return Append::Unreadable;
    const auto size = static_cast<std::int64_t>(info.st_size);
    const std::optional<std::string> head = readHead(input.get(), size);
    if (!head)
        return Append::Unreadable;
    // The output's mark is the one the input repeats.
    const std::optional<core::TextEncoding> outputMark = core::markedEncoding(m_head);
    const std::size_t skipped =
        m_end > 0 && outputMark && core::markedEncoding(*head) == outputMark ? core::markLength(*head, *outputMark) : 0;
    DetectingWatcher watcher;
    watcher.detector.feed(std::string_view(*head).substr(0, skipped));
    const core::CopyResult copy =
        m_copier.copy(input.get(), static_cast<std::int64_t>(skipped), size, m_file.fd(), stopRequested, &watcher);
    switch (copy.status) {
    case core::CopyStatus::Copied:
    case core::CopyStatus::SourceEnded: // it shrank meanwhile: what it still held is the input
        return appended(*head, skipped, copy.copied, watcher.detector);
    case core::CopyStatus::Stopped:
        m_file.truncate(m_end);
        return Append::Stopped;
    case core::CopyStatus::ReadFailed:
        m_file.truncate(m_end);
        return Append::Unreadable;
    case core::CopyStatus::WriteFailed:
        break;
    }
    m_file.truncate(m_end);
    return Append::WriteFailed;
}

MergeOutput::Append MergeOutput::appended(std::string_view head, std::size_t skipped, std::int64_t copied,
                                          const core::EncodingDetector& detector)
{
    m_end += copied;
    if (m_head.size() < kLongestMark) {
        const auto taken = static_cast<std::size_t>(
            std::min<std::int64_t>(copied, static_cast<std::int64_t>(kLongestMark - m_head.size())));
        m_head.append(head.substr(skipped, taken));
    }
    if (detector.plainAscii())
        return Append::Appended;
    const core::TextEncoding encoding = detector.result().encoding;
    if (!m_encoding)
        m_encoding = encoding;
    return encoding == *m_encoding ? Append::Appended : Append::OtherEncoding;
}

} // namespace qytxt::merge

#include "merge/merge_output.h"

#include "core/path.h"
#include "core/posix_io.h"

namespace qytxt::merge {
namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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
    const core::CopyResult copy =
        m_copier.copy(input.get(), 0, static_cast<std::int64_t>(info.st_size), m_file.fd(), stopRequested);
    switch (copy.status) {
    case core::CopyStatus::Copied:
    case core::CopyStatus::SourceEnded: // it shrank meanwhile: what it still held is the input
        m_end += copy.copied;
        return Append::Appended;
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

} // namespace qytxt::merge

#include "core/file_ops.h"

#include "core/path.h"
#include "core/posix_io.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qytxt::core {
namespace {

std::optional<struct stat> statPath(std::string_view path)
{
    if (path.empty())
        return std::nullopt;
    const std::optional<std::string> native = toNativePath(path);
    struct stat info {};
    if (!native || ::stat(native->c_str(), &info) != 0)
        return std::nullopt;
    return info;
}

} // namespace

bool readFileInto(std::string_view path, ByteSet& bytes)
{
    struct stat info {};
    const UniqueFd fd = openRegularFile(path, info);
    if (!fd.isValid())
        return false;
    try {
        bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break; // the file shrank meanwhile: keep what was delivered
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return true;
}

std::optional<ByteSet> tryReadFile(std::string_view path)
{
    ByteSet bytes;
    if (!readFileInto(path, bytes))
        return std::nullopt;
    return bytes;
}

ByteSet readFile(std::string_view path)
{
    return tryReadFile(path).value_or(ByteSet{});
}

bool writeFile(std::string_view path, std::string_view bytes)
{
    UniqueFd fd = openPath(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (!fd.isValid())
        return false;
    const bool written = writeAll(fd.get(), bytes);
    return fd.close() && written;
}

std::int32_t fileSize(std::string_view path)
{
    const std::optional<struct stat> info = statPath(path);
    if (!info)
        return -1;
    if (S_ISDIR(info->st_mode))
        return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(info->st_size));
}

bool createFolder(std::string_view path)
{
    if (path.empty())
        return false;
    const std::optional<std::string> native = toNativePath(path);
    return native && ::mkdir(native->c_str(), 0777) == 0;
}

std::optional<FileIdentity> fileIdentity(std::string_view path)
{
    const std::optional<struct stat> info = statPath(path);
    if (!info)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info->st_dev), static_cast<std::uint64_t>(info->st_ino)};
}

std::optional<FileStamp> stampFile(std::string_view path)
{
    const std::optional<struct stat> info = statPath(path);
    if (!info || !S_ISREG(info->st_mode))
        return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(info->st_dev), static_cast<std::uint64_t>(info->st_ino),
                     static_cast<std::int64_t>(info->st_size), static_cast<std::int64_t>(info->st_mtim.tv_sec),
                     static_cast<std::int64_t>(info->st_mtim.tv_nsec)};
}

OpenFile OpenFile::open(std::string_view path)
{
    UniqueFd fd = openPath(path, O_RDWR);
    if (!fd.isValid())
        return {};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || S_ISDIR(info.st_mode))
        return {};
    return OpenFile(std::move(fd));
}

bool OpenFile::write(std::string_view bytes)
{
    if (!isOpen())
        return false;
    const off_t before = ::lseek(m_fd.get(), 0, SEEK_CUR);
    if (writeAll(m_fd.get(), bytes))
        return true;
    if (before >= 0)
        ::lseek(m_fd.get(), before, SEEK_SET);
    return false;
}

bool OpenFile::close() noexcept
{
    return !m_fd.isValid() || m_fd.close();
}

} // namespace qytxt::core

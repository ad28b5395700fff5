#include "core/save_file.h"

#include "core/path.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <unistd.h>
#include <utility>

namespace qytxt::core {
namespace {

unsigned int randomNumber()
{
    try {
        return std::random_device()();
    } catch (...) {
        return static_cast<unsigned int>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
}

} // namespace

SaveFile::SaveFile(UniqueFd fd, std::string target, std::string temporary) noexcept
    : m_fd(std::move(fd)), m_target(std::move(target)), m_temporary(std::move(temporary))
{
}

SaveFile::SaveFile(SaveFile&& other) noexcept
    : m_fd(std::move(other.m_fd)), m_target(std::move(other.m_target)),
      m_temporary(std::exchange(other.m_temporary, {}))
{
}

SaveFile& SaveFile::operator=(SaveFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_fd = std::move(other.m_fd);
        m_target = std::move(other.m_target);
        m_temporary = std::exchange(other.m_temporary, {});
    }
    return *this;
}

SaveFile::~SaveFile()
{
    discard();
}

std::optional<SaveFile> SaveFile::create(std::string_view path)
{
    if (path.empty())
        return std::nullopt;
    const std::optional<std::string> native = toNativePath(path);
    if (!native)
        return std::nullopt;
    std::string target = *native;
    struct stat link {};
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        // The file the link leads to is replaced, and the link kept.
        char* resolved = ::realpath(target.c_str(), nullptr);
        if (!resolved)
            return createInPlace(target);
        target = resolved;
        std::free(resolved);
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) != 0) {
        if (std::optional<SaveFile> beside = createBeside(target, nullptr))
            return beside;
        return createInPlace(target);
    }
    if (!S_ISREG(old.st_mode))
        return createInPlace(target);
    // A file its owner made read-only is not replaced behind its back.
    if (::access(target.c_str(), W_OK) != 0)
        return std::nullopt;
    if (std::optional<SaveFile> beside = createBeside(target, &old))
        return beside;
    return createInPlace(target);
}

std::optional<SaveFile> SaveFile::createInPlace(const std::string& target)
{
    int fd;
    do
        fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    UniqueFd owned(fd);
    // Non-blocking only so that a pipe without a reader fails at once; writes may wait.
    const int flags = owned.isValid() ? ::fcntl(owned.get(), F_GETFL) : -1;
    if (flags < 0 || ::fcntl(owned.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return std::nullopt;
    return SaveFile(std::move(owned), target, {});
}

std::optional<SaveFile> SaveFile::createBeside(const std::string& target, const struct stat* old)
{
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".qytxt-%08x.tmp", randomNumber());
        std::string temporary = folder + name;
        // A new output gets the permissions any new file gets here; a replaced one keeps its own.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
        if (fd < 0 && (errno == EEXIST || errno == EINTR))
            continue;
        if (fd < 0)
            return std::nullopt;
        if (old) {
            // The owner first: changing it may clear set-id bits that the mode then restores.
            if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
                // Only the owner's groups or root may hand a file over; the mode still applies.
            }
            ::fchmod(fd, old->st_mode & 07777);
        }
        return SaveFile(UniqueFd(fd), target, std::move(temporary));
    }
    return std::nullopt;
}

std::optional<struct stat> SaveFile::info() const
{
    struct stat result {};
    if (!m_fd.isValid() || ::fstat(m_fd.get(), &result) != 0)
        return std::nullopt;
    return result;
}

bool SaveFile::truncate(std::int64_t length)
{
    return m_fd.isValid() && ::ftruncate(m_fd.get(), static_cast<off_t>(length)) == 0 &&
           ::lseek(m_fd.get(), static_cast<off_t>(length), SEEK_SET) == static_cast<off_t>(length);
}

bool SaveFile::commit()
{
    if (!m_fd.isValid())
        return false;
    const bool closed = m_fd.close();
    if (writesInPlace())
        return closed;
    const std::string temporary = std::exchange(m_temporary, {});
    if (closed && ::rename(temporary.c_str(), m_target.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

void SaveFile::discard() noexcept
{
    m_fd.reset();
    if (!m_temporary.empty())
        ::unlink(std::exchange(m_temporary, {}).c_str());
}

} // namespace qytxt::core

#include "core/posix_io.h"

#include "core/path.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace qytxt::core {

UniqueFd openPath(std::string_view path, int flags, mode_t mode)
{
    if (path.empty())
        return {};
    const std::optional<std::string> native = toNativePath(path);
    if (!native)
        return {};
    int fd;
    do
        fd = ::open(native->c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return UniqueFd(fd);
}

UniqueFd openRegularFile(std::string_view path, struct stat& info)
{
    // Non-blocking only for the open itself; a regular file reads the same either way.
    UniqueFd fd = openPath(path, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (!fd.isValid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return {};
    return fd;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace qytxt::core

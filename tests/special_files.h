#pragma once

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <mutex>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace qytxt::testing {

// A FIFO that nobody reads or writes. Opening it blocks until the other end is opened, so code
// that does so would hang its test: after `patience` this opens both ends to let it go, notes it,
// and the test fails on rescued() instead of hanging.
class UnwrittenFifo {
public:
    explicit UnwrittenFifo(std::filesystem::path path, std::chrono::seconds patience = std::chrono::seconds(5))
        : m_path(std::move(path))
    {
        ::mkfifo(m_path.c_str(), 0600);
        m_watchdog = std::thread([this, patience] {
            std::unique_lock lock(m_mutex);
            if (m_done.wait_for(lock, patience, [this] { return m_finished; }))
                return;
            m_rescued = true;
            // A reader releases a waiting writer; a writer that closes at once gives a waiting
            // reader the end of the file.
            const int reader = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            const int writer = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0)
                ::close(writer);
            m_done.wait(lock, [this] { return m_finished; });
            if (reader >= 0)
                ::close(reader);
        });
    }
    ~UnwrittenFifo()
    {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_watchdog.join();
    }
    UnwrittenFifo(const UnwrittenFifo&) = delete;
    UnwrittenFifo& operator=(const UnwrittenFifo&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    bool rescued() const
    {
        std::lock_guard lock(m_mutex);
        return m_rescued;
    }

private:
    std::filesystem::path m_path;
    mutable std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    bool m_rescued = false;
    std::thread m_watchdog;
};

// Makes a file or folder unwritable (a folder then takes no new files) until it goes away, also
// for root, which ignores permission bits: with the immutable flag where the file system has it,
// with the permission bits otherwise. held() says whether it worked here.
class WriteProtection {
public:
    explicit WriteProtection(std::filesystem::path path) : m_path(std::move(path))
    {
        m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd >= 0 && ::ioctl(m_fd, FS_IOC_GETFLAGS, &m_flags) == 0) {
            int immutable = m_flags | FS_IMMUTABLE_FL;
            m_immutable = ::ioctl(m_fd, FS_IOC_SETFLAGS, &immutable) == 0;
        }
        if (!m_immutable) {
            struct stat info {};
            ::stat(m_path.c_str(), &info);
            m_mode = info.st_mode & 07777;
            ::chmod(m_path.c_str(), m_mode & ~mode_t{0222});
        }
    }
    ~WriteProtection()
    {
        if (m_immutable)
            ::ioctl(m_fd, FS_IOC_SETFLAGS, &m_flags);
        else
            ::chmod(m_path.c_str(), m_mode);
        if (m_fd >= 0)
            ::close(m_fd);
    }
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;

    bool held() const { return ::access(m_path.c_str(), W_OK) != 0; }

private:
    std::filesystem::path m_path;
    int m_fd = -1;
    int m_flags = 0;
    bool m_immutable = false;
    mode_t m_mode = 0;
};

// Closes, behind its owner's back, the descriptor this process holds open for writing on a file in
// `folder`, so that the owner's own close fails as a delayed write error would. False when none.
inline bool closeWriterBehindItsBack(const std::filesystem::path& folder)
{
    const std::filesystem::path wanted = std::filesystem::canonical(folder);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), error);
        const int fd = std::stoi(entry.path().filename().string());
        const int flags = ::fcntl(fd, F_GETFL);
        if (!error && target.parent_path() == wanted && flags >= 0 && (flags & O_ACCMODE) != O_RDONLY)
            return ::close(fd) == 0;
    }
    return false;
}

} // namespace qytxt::testing

#pragma once

#include "core/file_copy.h"
#include "core/text.h"
#include "core/unique_fd.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qytxt::split {

// The piece a pass over a whole file reads at a time: small enough that the piece is still in the
// processor's cache when it is counted, large enough that the calls cost nothing next to the count.
inline constexpr std::int64_t kPassReadSize = std::int64_t{256} << 10;

// Random access to the bytes of a text being split, whether held in memory or read from its file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::int64_t size() const = 0;
    // Bytes [offset, offset + length), clipped at the end. The view lasts until the next read.
    // Nothing when they cannot be read.
    std::optional<std::string_view> read(std::int64_t offset, std::int64_t length)
    {
        return read(offset, length, m_buffer);
    }

    // The same into a buffer of the caller's, so that several threads can read at once: the view
    // lasts until the buffer changes.
    virtual std::optional<std::string_view> read(std::int64_t offset, std::int64_t length,
                                                 std::string& buffer) const = 0;

private:
    std::string m_buffer;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}
    std::int64_t size() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    using ByteSource::read;
    std::optional<std::string_view> read(std::int64_t offset, std::int64_t length, std::string&) const override;

private:
    std::string_view m_bytes;
};

// A regular file opened for reading. Reads go through a buffer, so the file is never held in
// memory; parts are copied from it to their files by the kernel.
class FileSource final : public ByteSource {
public:
    // Nothing when the path names no readable regular file; never waits on a pipe or a device.
    static std::optional<FileSource> open(std::string_view path);

    std::int64_t size() const override { return m_size; }
    using ByteSource::read;
    std::optional<std::string_view> read(std::int64_t offset, std::int64_t length, std::string& buffer) const override;

    enum class Copy {
        Copied,
        Stopped, // the stop request came between two pieces
        Failed,  // the file cannot be created or not every byte arrives (the source shrank, the disk is full)
    };

    // Creates or empties the file at `path` and copies `prefix`, then bytes [begin, end) of the
    // source into it in pieces through `copier`, asking `stopRequested` between them. A file left
    // unfinished is removed, so that every file this writes is whole. Several threads can copy from
    // the source at once, each with a copier of its own.
    Copy copyTo(core::FileCopier& copier, std::string_view path, std::int64_t begin, std::int64_t end,
                const std::function<bool()>& stopRequested = {}, std::string_view prefix = {}) const;

private:
    FileSource(core::UniqueFd fd, std::int64_t size) : m_fd(std::move(fd)), m_size(size) {}

    core::UniqueFd m_fd;
    std::int64_t m_size = 0;
};

} // namespace qytxt::split

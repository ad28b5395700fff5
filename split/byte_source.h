#pragma once

#include "core/text.h"
#include "core/unique_fd.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qytxt::split {

// Random access to the bytes of a text being split, whether held in memory or read from its file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::int64_t size() const = 0;
    // Bytes [offset, offset + length), clipped at the end. The view lasts until the next read.
    // Nothing when they cannot be read.
    virtual std::optional<std::string_view> read(std::int64_t offset, std::int64_t length) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}
    std::int64_t size() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    std::optional<std::string_view> read(std::int64_t offset, std::int64_t length) override;

private:
    std::string_view m_bytes;
};

// A regular file opened for reading. Reads go through one buffer of our own, so the file is never
// held in memory; parts are copied from it to their files by the kernel.
class FileSource final : public ByteSource {
public:
    // Nothing when the path names no readable regular file.
    static std::optional<FileSource> open(std::string_view path);

    std::int64_t size() const override { return m_size; }
    std::optional<std::string_view> read(std::int64_t offset, std::int64_t length) override;

    // Creates or empties the file at `path` and copies `prefix`, then bytes [begin, end) of the
    // source into it. False when the file cannot be created or not every byte arrives (the source
    // shrank meanwhile, the disk is full).
    bool copyTo(std::string_view path, std::int64_t begin, std::int64_t end, std::string_view prefix = {});

private:
    FileSource(core::UniqueFd fd, std::int64_t size) : m_fd(std::move(fd)), m_size(size) {}
    bool copyThroughBuffer(int target, std::int64_t begin, std::int64_t end);

    core::UniqueFd m_fd;
    std::int64_t m_size = 0;
    std::string m_buffer;
    bool m_kernelCopy = true; // cleared once the kernel says it cannot copy between these files
};

} // namespace qytxt::split

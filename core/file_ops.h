#pragma once

#include "core/text.h"
#include "core/unique_fd.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

// Whole-file operations on paths given as GBK texts. Failures are results, never exceptions.
//
// The Windows file API lets a reader refuse other writers and a writer refuse every other opener.
// POSIX has no such mandatory sharing modes, so these operations cannot refuse other programs;
// everything else (what is created, emptied, read and reported) is the same.
namespace qytxt::core {

// The whole file, or nothing when it cannot be read (missing, not a regular file, no permission, out
// of memory). An empty file gives an empty byte set, which callers can tell apart from a failure.
std::optional<ByteSet> tryReadFile(std::string_view path);

// The same into `bytes`, reusing its memory: a caller reading many files one after the other keeps
// one buffer instead of mapping fresh memory for each. False (and `bytes` unspecified) when the
// file cannot be read.
bool readFileInto(std::string_view path, ByteSet& bytes);

// The whole file; the empty byte set for an empty path, an unreadable or an empty file.
ByteSet readFile(std::string_view path);

// Creates the file or empties an existing one, then writes all the bytes. False when the file
// cannot be created or a write or the close fails (the file may then be shorter).
bool writeFile(std::string_view path, std::string_view bytes);

// The size in bytes as a signed 32-bit number (the low 32 bits), or -1 when nothing is found there.
// A folder reports 0, as a directory entry has no size of its own.
std::int32_t fileSize(std::string_view path);

// Creates one folder whose parent exists. An existing folder gives false and is left alone.
bool createFolder(std::string_view path);

// Identifies the file a path leads to, however it is spelled or linked.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};
std::optional<FileIdentity> fileIdentity(std::string_view path);

// What tells one version of a regular file from another without reading it.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// Nothing unless the path leads to a regular file (missing, a folder, a pipe or a device).
std::optional<FileStamp> stampFile(std::string_view path);

// An existing file held open for reading and writing, from position 0, written text by text.
// Move-only; closes itself when it goes away.
class OpenFile {
public:
    OpenFile() = default;

    // Never creates the file; a closed OpenFile when the path is empty or cannot be opened.
    static OpenFile open(std::string_view path);

    bool isOpen() const noexcept { return m_fd.isValid(); }

    // Writes the bytes at the current position and moves past them. On a failed write the
    // position goes back to where it was and the result is false; a closed file gives false.
    bool write(std::string_view bytes);

    // False when the close fails, which is where a delayed write error shows (a network file
    // system, a quota). Closing a closed file does nothing and gives true.
    bool close() noexcept;

private:
    explicit OpenFile(UniqueFd fd) noexcept : m_fd(std::move(fd)) {}
    UniqueFd m_fd;
};

} // namespace qytxt::core

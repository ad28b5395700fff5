#pragma once

#include "core/unique_fd.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace qytxt::core {

// A file written whole and then put in place: it is written under a new name beside its path and
// renamed over it by commit(), so the path holds either the old file or the new one, never a mix,
// and a write that fails leaves the old file as it was. The new file gets the old one's owner and
// permissions.
//
// Written in place instead, as a plain file opened for writing: an existing path that is not a
// regular file (a device or a pipe, which a rename would replace), and a path whose folder takes
// no new file while the file itself may be written.
class SaveFile {
public:
    // Nothing when the file can be written neither way (a missing folder, a folder at the path,
    // no permission, a pipe nobody reads).
    static std::optional<SaveFile> create(std::string_view path);

    SaveFile(SaveFile&& other) noexcept;
    SaveFile& operator=(SaveFile&& other) noexcept;
    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;
    ~SaveFile();

    int fd() const noexcept { return m_fd.get(); }
    bool writesInPlace() const noexcept { return m_temporary.empty(); }
    // What fstat(2) says of the file being written.
    std::optional<struct stat> info() const;

    // Cuts what was written back to `length` bytes and goes on writing from there. False where the
    // file cannot be cut (a device, a pipe).
    bool truncate(std::int64_t length);

    // Closes the file and puts it in place. False when the close or the rename fails (a delayed
    // write error, a full quota): the new file is then removed and the path keeps its old file.
    bool commit();

    // Closes the file and removes it when it was written beside the path, which keeps its old file.
    // A file written in place keeps what was written.
    void discard() noexcept;

private:
    SaveFile(UniqueFd fd, std::string target, std::string temporary) noexcept;
    static std::optional<SaveFile> createInPlace(const std::string& target);
    static std::optional<SaveFile> createBeside(const std::string& target, const struct stat* old);

    UniqueFd m_fd;
    std::string m_target;    // native path
    std::string m_temporary; // native path of the new file; empty when writing in place
};

} // namespace qytxt::core

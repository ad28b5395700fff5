#pragma once

#include "core/unique_fd.h"

#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

// The POSIX calls under the file operations, for code that needs a descriptor of its own (reading
// a file in pieces, copying between files).
namespace qytxt::core {

// open(2) of a GBK path, converted to the file-name encoding; close-on-exec, retried on EINTR.
// An invalid descriptor when the path is empty, cannot be converted or cannot be opened.
UniqueFd openPath(std::string_view path, int flags, mode_t mode = 0);

// Opens a regular file for reading, with what fstat(2) says of it in `info`. Anything else at the
// path (a pipe, a device, a socket, a folder) gives an invalid descriptor without waiting: opening
// a pipe can block until a writer comes, and reading a device such as /dev/zero never ends.
UniqueFd openRegularFile(std::string_view path, struct stat& info);

// Writes every byte, going on after partial writes and interruptions. False on an error.
bool writeAll(int fd, std::string_view bytes);

} // namespace qytxt::core

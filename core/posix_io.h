#pragma once

#include "core/unique_fd.h"

#include <string_view>
#include <sys/types.h>

// The POSIX calls under the file operations, for code that needs a descriptor of its own (reading
// a file in pieces, copying between files).
namespace qytxt::core {

// open(2) of a GBK path, converted to the file-name encoding; close-on-exec, retried on EINTR.
// An invalid descriptor when the path is empty, cannot be converted or cannot be opened.
UniqueFd openPath(std::string_view path, int flags, mode_t mode = 0);

// Writes every byte, going on after partial writes and interruptions. False on an error.
bool writeAll(int fd, std::string_view bytes);

} // namespace qytxt::core

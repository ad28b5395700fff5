#pragma once

#include "core/text.h"

#include <optional>
#include <string>
#include <string_view>

namespace qytxt::core {

// The one place that knows the platform's folder separator.
#ifdef _WIN32
inline constexpr std::string_view kPathSeparator = "\\";
#else
inline constexpr std::string_view kPathSeparator = "/";
#endif

// Paths are GBK texts inside the system; the OS wants its own file-name encoding (UTF-8 here).
// Nothing when the path cannot be represented there.
std::optional<std::string> toNativePath(std::string_view path);
std::optional<Text> fromNativePath(std::string_view nativePath);

// `a` + separator + `b`.
Text joinPath(std::string_view folder, std::string_view name);

// The part of a path before its last separator; empty when there is none or only a leading one.
Text folderOfPath(std::string_view path);

} // namespace qytxt::core

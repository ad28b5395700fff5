#pragma once

#include <string_view>

// The command line's own words, in GBK like every text of the system.
namespace qytxt::cli::texts {

// 无法识别的参数编码：
inline constexpr std::string_view kUnreadableArgument =
    "\xCE\xDE\xB7\xA8\xCA\xB6\xB1\xF0\xB5\xC4\xB2\xCE\xCA\xFD\xB1\xE0\xC2\xEB\xA3\xBA";

// 章节总数:
inline constexpr std::string_view kChapterTotal = "\xD5\xC2\xBD\xDA\xD7\xDC\xCA\xFD: ";

} // namespace qytxt::cli::texts

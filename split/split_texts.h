#pragma once

#include "core/shared_texts.h"

#include <string_view>

// The words the split shows, in GBK. Each is spelt out in the comment above it.
namespace qytxt::split::texts {

// 分割生成
inline constexpr std::string_view kCaptionIdle = "\xB7\xD6\xB8\xEE\xC9\xFA\xB3\xC9";
// 正在分割
inline constexpr std::string_view kCaptionWorking = "\xD5\xFD\xD4\xDA\xB7\xD6\xB8\xEE";
using core::texts::kMessageTitle;
// What the parts and size fields start with, and what an unusable number is replaced with.
inline constexpr std::string_view kDefaultParts = "6";
inline constexpr std::string_view kDefaultSize = "3000";
// 分割完成
inline constexpr std::string_view kMessageDone = "\xB7\xD6\xB8\xEE\xCD\xEA\xB3\xC9";
// 请输入待分割文本路径
inline constexpr std::string_view kMessageNoSource =
    "\xC7\xEB\xCA\xE4\xC8\xEB\xB4\xFD\xB7\xD6\xB8\xEE\xCE\xC4\xB1\xBE\xC2\xB7\xBE\xB6";
// 请输入分割文本保存路径
inline constexpr std::string_view kMessageNoFolder =
    "\xC7\xEB\xCA\xE4\xC8\xEB\xB7\xD6\xB8\xEE\xCE\xC4\xB1\xBE\xB1\xA3\xB4\xE6\xC2\xB7\xBE\xB6";
// 无法读取待分割文本
inline constexpr std::string_view kMessageUnreadable =
    "\xCE\xDE\xB7\xA8\xB6\xC1\xC8\xA1\xB4\xFD\xB7\xD6\xB8\xEE\xCE\xC4\xB1\xBE";
// 分割数值无效
inline constexpr std::string_view kMessageBadNumber = "\xB7\xD6\xB8\xEE\xCA\xFD\xD6\xB5\xCE\xDE\xD0\xA7";
// 分割失败：
inline constexpr std::string_view kMessageFailed = "\xB7\xD6\xB8\xEE\xCA\xA7\xB0\xDC\xA3\xBA";
// 个文本无法写入，首个为
inline constexpr std::string_view kMessageUnwrittenCount =
    "\xB8\xF6\xCE\xC4\xB1\xBE\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xA3\xAC\xCA\xD7\xB8\xF6\xCE\xAA ";
// 未找到章节标题，未写入任何文本
inline constexpr std::string_view kMessageNoHeadings = "\xCE\xB4\xD5\xD2\xB5\xBD\xD5\xC2\xBD\xDA\xB1\xEA\xCC\xE2\xA3"
                                                       "\xAC\xCE\xB4\xD0\xB4\xC8\xEB\xC8\xCE\xBA\xCE\xCE\xC4\xB1\xBE";
// 未找到章节标题
inline constexpr std::string_view kNoHeadings = "\xCE\xB4\xD5\xD2\xB5\xBD\xD5\xC2\xBD\xDA\xB1\xEA\xCC\xE2";
// 未知
inline constexpr std::string_view kUnknown = "\xCE\xB4\xD6\xAA";
// 文本标题:
inline constexpr std::string_view kLineTitle = "\xCE\xC4\xB1\xBE\xB1\xEA\xCC\xE2: ";
// 文本字数:
inline constexpr std::string_view kLineCount = "\xCE\xC4\xB1\xBE\xD7\xD6\xCA\xFD: ";
// 文本大小:
inline constexpr std::string_view kLineSize = "\xCE\xC4\xB1\xBE\xB4\xF3\xD0\xA1: ";
// 文本编码:
inline constexpr std::string_view kLineEncoding = "\xCE\xC4\xB1\xBE\xB1\xE0\xC2\xEB: ";
// 字节
inline constexpr std::string_view kBytesUnit = "\xD7\xD6\xBD\xDA";
// 待分割方式:
inline constexpr std::string_view kLineMode = "\xB4\xFD\xB7\xD6\xB8\xEE\xB7\xBD\xCA\xBD: ";
// 按部分分割
inline constexpr std::string_view kModeByParts = "\xB0\xB4\xB2\xBF\xB7\xD6\xB7\xD6\xB8\xEE";
// 按字数分割
inline constexpr std::string_view kModeBySize = "\xB0\xB4\xD7\xD6\xCA\xFD\xB7\xD6\xB8\xEE";
// 按章节分割
inline constexpr std::string_view kModeByChapters = "\xB0\xB4\xD5\xC2\xBD\xDA\xB7\xD6\xB8\xEE";
// 待分割详情:
inline constexpr std::string_view kLineDetails = "\xB4\xFD\xB7\xD6\xB8\xEE\xCF\xEA\xC7\xE9: ";
// 将分割为
inline constexpr std::string_view kDetailsStart = "\xBD\xAB\xB7\xD6\xB8\xEE\xCE\xAA";
// 个包含
inline constexpr std::string_view kDetailsMiddle = "\xB8\xF6\xB0\xFC\xBA\xAC";
// 字数的文本
inline constexpr std::string_view kDetailsEnd = "\xD7\xD6\xCA\xFD\xB5\xC4\xCE\xC4\xB1\xBE";

// 章的文本，共
inline constexpr std::string_view kDetailsChaptersEnd = "\xD5\xC2\xB5\xC4\xCE\xC4\xB1\xBE\xA3\xAC\xB9\xB2";
// 章
inline constexpr std::string_view kChaptersUnit = "\xD5\xC2";

} // namespace qytxt::split::texts

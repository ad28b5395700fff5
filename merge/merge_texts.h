#pragma once

#include "core/shared_texts.h"

#include <string_view>

// The merge job's captions and messages as GBK bytes, each shown in its readable form above it.
namespace qytxt::merge::texts {

using core::texts::kMessageTitle;
// 合并生成
inline constexpr std::string_view kCaptionIdle = "\xBA\xCF\xB2\xA2\xC9\xFA\xB3\xC9";
// 正在合并
inline constexpr std::string_view kCaptionWorking = "\xD5\xFD\xD4\xDA\xBA\xCF\xB2\xA2";
// 请输入待合并文本路径
inline constexpr std::string_view kMessageNoInputs =
    "\xC7\xEB\xCA\xE4\xC8\xEB\xB4\xFD\xBA\xCF\xB2\xA2\xCE\xC4\xB1\xBE\xC2\xB7\xBE\xB6";
// 请输入合并文本保存路径
inline constexpr std::string_view kMessageNoOutput =
    "\xC7\xEB\xCA\xE4\xC8\xEB\xBA\xCF\xB2\xA2\xCE\xC4\xB1\xBE\xB1\xA3\xB4\xE6\xC2\xB7\xBE\xB6";
// 合并文本保存路径不能是待合并文本之一
inline constexpr std::string_view kMessageOutputAmongInputs =
    "\xBA\xCF\xB2\xA2\xCE\xC4\xB1\xBE\xB1\xA3\xB4\xE6\xC2\xB7\xBE\xB6\xB2\xBB\xC4\xDC\xCA\xC7\xB4\xFD\xBA\xCF\xB2\xA2"
    "\xCE\xC4\xB1\xBE\xD6\xAE\xD2\xBB";
// 无法创建合并文本：
inline constexpr std::string_view kMessageOutputNotCreated =
    "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xBA\xCF\xB2\xA2\xCE\xC4\xB1\xBE\xA3\xBA";
// 合并失败：写入合并文本出错
inline constexpr std::string_view kMessageWriteFailed =
    "\xBA\xCF\xB2\xA2\xCA\xA7\xB0\xDC\xA3\xBA\xD0\xB4\xC8\xEB\xBA\xCF\xB2\xA2\xCE\xC4\xB1\xBE\xB3\xF6\xB4\xED";
// 合并完成
inline constexpr std::string_view kMessageDone = "\xBA\xCF\xB2\xA2\xCD\xEA\xB3\xC9";
// 合并完成，但
inline constexpr std::string_view kMessageDoneBut = "\xBA\xCF\xB2\xA2\xCD\xEA\xB3\xC9\xA3\xAC\xB5\xAB";
// 以下文本无法读取：
inline constexpr std::string_view kListUnreadable =
    "\xD2\xD4\xCF\xC2\xCE\xC4\xB1\xBE\xCE\xDE\xB7\xA8\xB6\xC1\xC8\xA1\xA3\xBA";
// 以下文本的编码与第一个不同：
inline constexpr std::string_view kListOtherEncoding =
    "\xD2\xD4\xCF\xC2\xCE\xC4\xB1\xBE\xB5\xC4\xB1\xE0\xC2\xEB\xD3\xEB\xB5\xDA\xD2\xBB\xB8\xF6\xB2\xBB"
    "\xCD\xAC\xA3\xBA";
// 等另外
inline constexpr std::string_view kMoreBefore = "\xB5\xC8\xC1\xED\xCD\xE2";
// 个
inline constexpr std::string_view kMoreAfter = "\xB8\xF6";
// Between the lines of a caption or a message.
inline constexpr std::string_view kLineBreak = "\r\n";

} // namespace qytxt::merge::texts

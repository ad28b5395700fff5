#pragma once

#include "core/shared_texts.h"

#include "core/text.h"

#include <optional>
#include <string_view>

// The literal texts of the notice page, as GBK bytes (the page is converted to GBK before it is
// searched). Internal to the notices library.
namespace qytxt::notices::markers {

// "//青筠TXT小说分割合并器版本//"
inline constexpr std::string_view kVersion = "//\xC7\xE0\xF3\xDETXT\xD0\xA1\xCB\xB5\xB7\xD6\xB8\xEE\xBA\xCF\xB2\xA2"
                                             "\xC6\xF7\xB0\xE6\xB1\xBE//";
// "//青筠TXT小说分割合并器下载地址//"
inline constexpr std::string_view kDownload = "//\xC7\xE0\xF3\xDETXT\xD0\xA1\xCB\xB5\xB7\xD6\xB8\xEE\xBA\xCF\xB2\xA2"
                                              "\xC6\xF7\xCF\xC2\xD4\xD8\xB5\xD8\xD6\xB7//";
// "//青筠广告//"
inline constexpr std::string_view kAdSection = "//\xC7\xE0\xF3\xDE\xB9\xE3\xB8\xE6//";

// "//广告", followed by an entry's number without leading zeros and "//" in each entry marker.
inline constexpr std::string_view kAdEntryStart = "//\xB9\xE3\xB8\xE6";
inline constexpr std::string_view kAdEntryEnd = "//";

// The second piece of `page` split at every `marker`; nothing when the split gives fewer pieces.
std::optional<core::Text> section(std::string_view page, std::string_view marker);

} // namespace qytxt::notices::markers

namespace qytxt::notices::messages {

// "版本更新,点击 确定 跳转到下载界面"
inline constexpr std::string_view kNewVersion = "\xB0\xE6\xB1\xBE\xB8\xFC\xD0\xC2,\xB5\xE3\xBB\xF7 \xC8\xB7\xB6\xA8 "
                                                "\xCC\xF8\xD7\xAA\xB5\xBD\xCF\xC2\xD4\xD8\xBD\xE7\xC3\xE6";
using core::texts::kMessageTitle;

} // namespace qytxt::notices::messages

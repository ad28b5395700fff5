#pragma once

#include <string_view>

// Words more than one subsystem shows, as GBK bytes, each shown in its readable form above it.
namespace qytxt::core::texts {

// 提示
inline constexpr std::string_view kMessageTitle = "\xCC\xE1\xCA\xBE";

} // namespace qytxt::core::texts

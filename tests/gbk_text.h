#pragma once

#include "core/encoding.h"
#include "core/text.h"

#include <filesystem>
#include <string_view>

namespace qytxt::testing {

// Test texts are written in UTF-8 and used in GBK, as the system holds them.
inline core::Text gbk(std::string_view utf8)
{
    return core::utf8ToGbk(utf8).value();
}

// A path as the system holds it; the file system here sees it in UTF-8.
inline core::Text gbkPath(const std::filesystem::path& path)
{
    return gbk(path.string());
}

} // namespace qytxt::testing

#pragma once

#include "core/text.h"

#include <cstdint>
#include <string_view>

// Where a split puts its parts and what its button says meanwhile.
namespace qytxt::split {

// The source's file name without its folder and its last extension; empty when the path has no
// folder separator or the name no ".".
core::Text textTitle(std::string_view sourcePath);

// Output folder + separator + title: the folder that holds all parts of one split.
core::Text partFolder(std::string_view outputFolder, std::string_view title);

// title(i).txt inside the part folder.
core::Text partFilePath(std::string_view partFolder, std::string_view title, std::int64_t part);

// title.txt inside the part folder: the one file of an empty text split by size.
core::Text unnumberedPartFilePath(std::string_view partFolder, std::string_view title);

// "正在分割", a line end, then i/total.
core::Text progressCaption(std::int64_t part, std::string_view total);

} // namespace qytxt::split

#pragma once

#include "core/text.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text files of a folder, as one folder of numbered parts is merged back into one novel.
namespace qytxt::core {

struct FolderTextFiles {
    std::vector<Text> paths; // in natural order
    // Names of text files that GBK texts cannot carry, as the file system spells them.
    std::vector<std::string> unconvertibleNames;
};

// True when the path leads to a folder (following links).
bool isFolder(std::string_view path);

// The files (or links to files) directly in the folder whose names end in ".txt", in any letter
// case. Names starting with "." are hidden and left out, as a shell's "*.txt" leaves them out.
// Nothing when the folder cannot be read.
std::optional<FolderTextFiles> textFilesInFolder(std::string_view folder);

} // namespace qytxt::core

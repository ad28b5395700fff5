#include "core/folder_listing.h"

#include "core/natural_order.h"
#include "core/path.h"

#include <filesystem>
#include <system_error>

namespace qytxt::core {
namespace {

bool isTextFileName(std::string_view name)
{
    constexpr std::string_view kSuffix = ".txt";
    if (name.starts_with('.') || name.size() <= kSuffix.size())
        return false;
    const std::string_view end = name.substr(name.size() - kSuffix.size());
    for (std::size_t i = 0; i < kSuffix.size(); ++i) {
        const char byte = end[i];
        const char lower = byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
        if (lower != kSuffix[i])
            return false;
    }
    return true;
}

// "小说/" and "小说" list the same files under the same paths.
std::string_view withoutTrailingSeparators(std::string_view folder)
{
    while (folder.size() > kPathSeparator.size() && folder.ends_with(kPathSeparator))
        folder.remove_suffix(kPathSeparator.size());
    return folder;
}

} // namespace

bool isFolder(std::string_view path)
{
    const std::optional<std::string> native = toNativePath(path);
    std::error_code error;
    return !path.empty() && native && std::filesystem::is_directory(*native, error);
}

std::optional<FolderTextFiles> textFilesInFolder(std::string_view folder)
{
    folder = withoutTrailingSeparators(folder);
    const std::optional<std::string> native = toNativePath(folder);
    if (folder.empty() || !native)
        return std::nullopt;
    std::error_code error;
    std::filesystem::directory_iterator entries(*native, error);
    if (error)
        return std::nullopt;
    FolderTextFiles found;
    for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (error)
            return std::nullopt;
        const std::string name = entries->path().filename().string();
        std::error_code statError;
        if (!isTextFileName(name) || !entries->is_regular_file(statError))
            continue;
        if (const std::optional<Text> gbkName = fromNativePath(name))
            found.paths.push_back(joinPath(folder, *gbkName));
        else
            found.unconvertibleNames.push_back(name);
    }
    if (error)
        return std::nullopt;
    sortNaturally(found.paths);
    return found;
}

} // namespace qytxt::core

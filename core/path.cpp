#include "core/path.h"

#include "core/encoding.h"
#include "core/text_ops.h"

namespace qytxt::core {

std::optional<std::string> toNativePath(std::string_view path)
{
#ifdef _WIN32
    return std::string(path); // the ANSI file API takes GBK as it is
#else
    return gbkToUtf8(path);
#endif
}

std::optional<Text> fromNativePath(std::string_view nativePath)
{
#ifdef _WIN32
    return Text(nativePath);
#else
    return utf8ToGbk(nativePath);
#endif
}

Text joinPath(std::string_view folder, std::string_view name)
{
    Text joined;
    joined.reserve(folder.size() + kPathSeparator.size() + name.size());
    joined.append(folder).append(kPathSeparator).append(name);
    return joined;
}

Text folderOfPath(std::string_view path)
{
    return leftPart(path, findLast(path, kPathSeparator) - 1);
}

} // namespace qytxt::core

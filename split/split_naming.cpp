#include "split/split_naming.h"

#include "core/numbers.h"
#include "core/path.h"
#include "core/text_ops.h"
#include "split/split_texts.h"

namespace qytxt::split {

core::Text textTitle(std::string_view sourcePath)
{
    // findLast steps over two-byte characters, so a second byte of 0x5C is never a separator.
    const int separator = core::findLast(sourcePath, core::kPathSeparator);
    if (separator < 0)
        return {};
    const std::string_view fileName =
        sourcePath.substr(static_cast<std::size_t>(separator) - 1 + core::kPathSeparator.size());
    const int dot = core::findLast(fileName, ".");
    if (dot < 0)
        return {};
    return core::Text(fileName.substr(0, static_cast<std::size_t>(dot) - 1));
}

core::Text partFolder(std::string_view outputFolder, std::string_view title)
{
    return core::joinPath(outputFolder, title);
}

core::Text partFilePath(std::string_view partFolder, std::string_view title, std::int64_t part)
{
    core::Text name(title);
    name.append("(").append(core::integerToText(part)).append(").txt");
    return core::joinPath(partFolder, name);
}

core::Text unnumberedPartFilePath(std::string_view partFolder, std::string_view title)
{
    return core::joinPath(partFolder, core::Text(title) + ".txt");
}

core::Text progressCaption(std::int64_t part, std::string_view total)
{
    core::Text caption(texts::kCaptionWorking);
    caption.append("\r\n");
    caption.append(core::integerToText(part)).append("/").append(total);
    return caption;
}

} // namespace qytxt::split

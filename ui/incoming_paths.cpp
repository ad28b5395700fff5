#include "ui/incoming_paths.h"

#include "core/folder_listing.h"
#include "core/natural_order.h"
#include "ui/qt_text.h"

#include <QFileInfo>

namespace qytxt::ui {

std::vector<core::Text> mergeInputsOf(const QStringList& paths)
{
    std::vector<core::Text> inputs;
    for (const QString& path : paths) {
        const core::Text text = toText(path);
        if (text.empty())
            continue;
        if (!core::isFolder(text)) {
            inputs.push_back(text);
            continue;
        }
        if (const auto folder = core::textFilesInFolder(text))
            inputs.insert(inputs.end(), folder->paths.begin(), folder->paths.end());
    }
    core::sortNaturally(inputs);
    return inputs;
}

bool isOneFile(const QStringList& paths)
{
    return paths.size() == 1 && !QFileInfo(paths.front()).isDir();
}

} // namespace qytxt::ui

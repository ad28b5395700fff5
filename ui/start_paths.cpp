#include "ui/start_paths.h"

#include "ui/incoming_paths.h"
#include "ui/main_window.h"

#include <QFileInfo>

namespace qytxt::ui {

void openStartPaths(MainWindow& window, const QStringList& paths)
{
    // The jobs name their output after the folder of a path, so each path gets its folder.
    QStringList absolute;
    for (const QString& path : paths)
        if (!path.isEmpty())
            absolute << QFileInfo(path).absoluteFilePath();
    if (absolute.isEmpty())
        return;
    if (isOneFile(absolute))
        window.setSplitSource(absolute.front());
    else
        window.insertMergeEntries(-1, mergeInputsOf(absolute));
}

} // namespace qytxt::ui

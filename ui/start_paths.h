#pragma once

#include <QStringList>

namespace qytxt::ui {

class MainWindow;

// Files the program was started with, as a desktop's "open with" passes them: one file becomes the
// split source; several, or folders, fill the merge list. Relative paths mean the current folder.
void openStartPaths(MainWindow& window, const QStringList& paths);

} // namespace qytxt::ui

#pragma once

#include "core/text.h"

#include <QStringList>

#include <vector>

// Paths that arrive together, chosen in the dialog, dropped on the window or given at start.
namespace qytxt::ui {

// What the merge list takes of them: files as they are, folders by their ".txt" files, all in
// natural order as GBK texts. Names GBK cannot carry are left out: no entry is ever empty.
std::vector<core::Text> mergeInputsOf(const QStringList& paths);

// A split has one source: true for exactly one path, and that not a folder.
bool isOneFile(const QStringList& paths);

} // namespace qytxt::ui

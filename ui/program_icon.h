#pragma once

#include <QIcon>

namespace qytxt::ui {

// The program's icon, the same drawing the desktop entry names; scalable, so sharp at any size.
QIcon programIcon();

} // namespace qytxt::ui

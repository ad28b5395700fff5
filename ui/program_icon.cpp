#include "ui/program_icon.h"

namespace qytxt::ui {

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/qytxt.svg"));
}

} // namespace qytxt::ui

#include "ui/ad_line.h"

#include <QMouseEvent>

namespace qytxt::ui {

void AdLine::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed();
    QLabel::mousePressEvent(event);
}

} // namespace qytxt::ui

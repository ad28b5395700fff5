#include "ui/input_cover.h"

#include <QEvent>

namespace qytxt::ui {
namespace {

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
        return true;
    default:
        return false;
    }
}

} // namespace

InputCover::InputCover(QWidget* window) : QWidget(window), m_previousFocus(window->focusWidget())
{
    setObjectName(QStringLiteral("inputCover"));
    setGeometry(window->rect());
    setCursor(Qt::BusyCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true); // so composed text reaches this sheet, not a field
    setAcceptDrops(true);                          // so dragged files stop here, refused
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
}

InputCover::~InputCover()
{
    if (m_previousFocus && window()->focusWidget() == this)
        m_previousFocus->setFocus(Qt::OtherFocusReason);
}

bool InputCover::event(QEvent* event)
{
    // A drag is taken on, or it would pass on to the window's drop targets, and then never dropped.
    if (event->type() == QEvent::DragEnter) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::DragMove || event->type() == QEvent::Drop) {
        event->ignore();
        return true;
    }
    if (isInput(event->type())) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

bool InputCover::focusNextPrevChild(bool)
{
    return true; // Tab stays here
}

} // namespace qytxt::ui

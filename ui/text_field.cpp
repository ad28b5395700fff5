#include "ui/text_field.h"

#include "core/numbers.h"
#include "ui/qt_text.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qytxt::ui {

TextField::TextField(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextField::contentChanged);
}

void TextField::writeText(const QString& text)
{
    if (text == this->text())
        emit contentChanged();
    else
        setText(text); // emits textChanged, hence contentChanged
}

namespace {

bool isTypable(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-');
}

QToolButton* makeArrow(Qt::ArrowType type, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return button;
}

} // namespace

NumberField::NumberField(int minimum, int maximum, QWidget* parent)
    : TextField(parent), m_minimum(minimum), m_maximum(maximum), m_arrows(new QWidget(parent))
{
    setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(m_arrows);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = makeArrow(Qt::UpArrow, m_arrows);
    auto* down = makeArrow(Qt::DownArrow, m_arrows);
    up->setObjectName(QStringLiteral("up"));
    down->setObjectName(QStringLiteral("down"));
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });
}

void NumberField::place(const QRect& field)
{
    setGeometry(field);
    m_arrows->setGeometry(field.right() + 1, field.y(), kArrowsWidth, field.height());
}

int NumberField::steppedValue(int direction) const
{
    const std::int64_t value = core::textToInteger(toText(text()));
    // A value outside the bounds (or no number at all) comes back to the nearest bound first.
    if (value < m_minimum)
        return m_minimum;
    if (value > m_maximum)
        return m_maximum;
    return static_cast<int>(std::clamp<std::int64_t>(value + direction, m_minimum, m_maximum));
}

void NumberField::step(int direction)
{
    writeText(QString::number(steppedValue(direction)));
}

void NumberField::keyPressEvent(QKeyEvent* event)
{
    // Typed characters are filtered; control keys and shortcuts (no printable text, or with Ctrl)
    // pass through unchanged.
    const QString typed = event->text();
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!shortcut && !typed.isEmpty() && typed.at(0).isPrint() && !std::all_of(typed.begin(), typed.end(), isTypable)) {
        event->ignore();
        return;
    }
    TextField::keyPressEvent(event);
}

void NumberField::inputMethodEvent(QInputMethodEvent* event)
{
    // Committed text passes the filter of typed keys; the composition shown meanwhile is left alone.
    QString kept;
    for (const QChar c : event->commitString()) {
        if (isTypable(c))
            kept += c;
    }
    if (kept == event->commitString()) {
        TextField::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    TextField::inputMethodEvent(&filtered);
}

void NumberField::focusOutEvent(QFocusEvent* event)
{
    TextField::focusOutEvent(event);
    // The context menu takes the focus only while it is open; the caret is still in the field.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

void NumberField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        m_arrows->setEnabled(isEnabled());
    TextField::changeEvent(event);
}

} // namespace qytxt::ui

#pragma once

#include <QLineEdit>

namespace qytxt::ui {

// An edit box whose every write counts as a change: contentChanged() follows typing and also a
// writeText() of the text it already holds, which QLineEdit::setText() keeps quiet about.
class TextField : public QLineEdit {
    Q_OBJECT
public:
    explicit TextField(QWidget* parent = nullptr);

    void writeText(const QString& text);

signals:
    void contentChanged();
};

// A number field: centred, only 0-9 and "-" can be typed or committed by an input method, spin
// arrows against its right edge step the value within [minimum, maximum]. focusLost() follows the
// loss of the input focus to another control or window, not the opening of the context menu.
class NumberField : public TextField {
    Q_OBJECT
public:
    NumberField(int minimum, int maximum, QWidget* parent);

    static constexpr int kArrowsWidth = 18;

    // Places the field and its arrows, which sit directly against the field's right edge.
    void place(const QRect& field);
    QWidget* arrows() const { return m_arrows; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // The value one step up (+1) or down (-1), kept within the bounds.
    int steppedValue(int direction) const;
    void step(int direction);

signals:
    void focusLost();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_minimum;
    int m_maximum;
    QWidget* m_arrows;
};

} // namespace qytxt::ui

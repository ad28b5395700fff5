#pragma once

#include <QPointer>
#include <QWidget>

namespace qytxt::ui {

// A transparent sheet over a whole window that takes every click and key while the window must
// take no input. The window stays painted and can still be closed; the pointer shows it is busy.
// Removing the sheet gives the keyboard focus back to the control that had it.
class InputCover : public QWidget {
    Q_OBJECT
public:
    explicit InputCover(QWidget* window);
    ~InputCover() override;

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QPointer<QWidget> m_previousFocus;
};

} // namespace qytxt::ui

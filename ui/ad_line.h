#pragma once

#include <QLabel>

namespace qytxt::ui {

// The one-line promotional strip along the bottom of the window; reports left-button presses.
class AdLine : public QLabel {
    Q_OBJECT
public:
    explicit AdLine(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace qytxt::ui

#pragma once

#include <QFont>
#include <QPushButton>
#include <QSize>
#include <QString>

#include <vector>

namespace qytxt::ui {

struct CaptionLine {
    QString text;
    QFont font;
};

// The lines a caption is drawn in within `room`, each with its font. A line wider than the room is
// broken after its "/" or drawn smaller, whichever leaves the smallest text the larger; the lines
// then also fit the room's height. Nothing is left out: a progress count read half is read wrong.
std::vector<CaptionLine> fitCaption(const QString& caption, const QFont& font, QSize room);

// A push button whose caption, one line or several, is always drawn whole inside the button.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qytxt::ui

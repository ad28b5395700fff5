#pragma once

#include <QFont>
#include <QWidget>

#include <memory>
#include <vector>

class QTextLayout;

namespace qytxt::ui {

// The split preview's panel: lines separated by blank lines, each wrapped to the panel's width.
// Every line is always drawn whole: when they do not fit at the window's font the blank lines
// shrink first, then the spacing, then the font, so long titles and counts never drop off the
// bottom edge.
class InfoPanel : public QWidget {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);
    ~InfoPanel() override;

    // Lines separated by "\n"; shown as plain text, whatever characters it holds.
    void setInfoText(const QString& text);
    const QString& infoText() const { return m_text; }

    // Rows at the top that the text leaves free (a frame line drawn across the panel).
    void setTopInset(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();

    QString m_text;
    QFont m_baseFont;
    int m_topInset = 0;
    std::vector<std::unique_ptr<QTextLayout>> m_lines;
};

} // namespace qytxt::ui

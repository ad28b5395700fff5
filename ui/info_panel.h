#pragma once

#include <QLabel>

namespace qytxt::ui {

// The split preview's panel. Its lines are separated by blank lines; drawn at full height they
// would not fit the panel, so each run of blank lines becomes a small gap under the line before.
class InfoPanel : public QLabel {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);

    // Lines separated by "\n"; shown as plain text, whatever characters it holds.
    void setInfoText(const QString& text);
    const QString& infoText() const { return m_text; }

private:
    QString m_text;
};

} // namespace qytxt::ui

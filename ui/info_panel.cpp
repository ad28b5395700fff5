#include "ui/info_panel.h"

#include <QStringList>

namespace qytxt::ui {
namespace {

constexpr int kGapPixels = 6;

} // namespace

InfoPanel::InfoPanel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::RichText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void InfoPanel::setInfoText(const QString& text)
{
    m_text = text;
    const QStringList lines = text.split(QLatin1Char('\n'));
    QString html;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const bool gapAfter = i + 1 < lines.size() && lines[i + 1].isEmpty();
        html += QStringLiteral("<p style=\"margin:0px 0px %1px 0px\">%2</p>")
                    .arg(gapAfter ? kGapPixels : 0)
                    .arg(lines[i].toHtmlEscaped());
    }
    setText(html);
}

} // namespace qytxt::ui

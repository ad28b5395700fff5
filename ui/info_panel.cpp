#include "ui/info_panel.h"

#include <QFontInfo>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>

#include <cmath>

namespace qytxt::ui {
namespace {

// What a blank line between two lines becomes at most.
constexpr qreal kLargestGap = 6;
// Line pitch, in ems, when the font's own line height (tall for Chinese fallback fonts) takes too
// much room; the glyphs themselves take about one em, so lines still stand apart.
constexpr qreal kTightPitch = 1.25;

struct Paragraph {
    QString text;
    bool gapBefore = false; // a blank line separates it from the one before
};

std::vector<Paragraph> paragraphsOf(const QString& text)
{
    std::vector<Paragraph> paragraphs;
    bool blankSeen = false;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty()) {
            blankSeen = true;
            continue;
        }
        paragraphs.push_back({line, blankSeen && !paragraphs.empty()});
        blankSeen = false;
    }
    return paragraphs;
}

// Wraps each paragraph to `width`, at word boundaries and inside words that are wider.
std::vector<std::unique_ptr<QTextLayout>> wrap(const std::vector<Paragraph>& paragraphs, const QFont& font, int width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    for (const Paragraph& paragraph : paragraphs) {
        auto layout = std::make_unique<QTextLayout>(paragraph.text, font);
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine())
            line.setLineWidth(width);
        layout->endLayout();
        layouts.push_back(std::move(layout));
    }
    return layouts;
}

// Places the lines from `top` down within `height`, at their own height with gaps when that fits,
// else at a tighter pitch. False when neither fits, unless `anyway` asks for the tighter pitch then.
bool place(const std::vector<std::unique_ptr<QTextLayout>>& layouts, const std::vector<Paragraph>& paragraphs,
           int pixelSize, qreal top, qreal height, bool anyway)
{
    qreal natural = 0;
    int gaps = 0;
    int lineCount = 0;
    qreal lastHeight = 0;
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        gaps += paragraphs[i].gapBefore ? 1 : 0;
        for (int j = 0; j < layouts[i]->lineCount(); ++j) {
            lastHeight = layouts[i]->lineAt(j).height();
            natural += lastHeight;
            ++lineCount;
        }
    }
    const qreal tightPitch = std::ceil(kTightPitch * pixelSize);
    const bool naturalFits = natural <= height;
    if (!naturalFits && (lineCount - 1) * tightPitch + lastHeight > height && !anyway)
        return false;

    const qreal gap = naturalFits && gaps > 0 ? std::min(kLargestGap, std::floor((height - natural) / gaps)) : 0;
    qreal y = top;
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        if (paragraphs[i].gapBefore)
            y += gap;
        for (int j = 0; j < layouts[i]->lineCount(); ++j) {
            QTextLine line = layouts[i]->lineAt(j);
            line.setPosition(QPointF(0, y));
            y += naturalFits ? line.height() : tightPitch;
        }
    }
    return true;
}

} // namespace

InfoPanel::InfoPanel(QWidget* parent) : QWidget(parent), m_baseFont(font()) {}

InfoPanel::~InfoPanel() = default;

void InfoPanel::setInfoText(const QString& text)
{
    m_text = text;
    layOut();
}

void InfoPanel::setTopInset(int pixels)
{
    m_topInset = pixels;
    layOut();
}

void InfoPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void InfoPanel::layOut()
{
    const std::vector<Paragraph> paragraphs = paragraphsOf(m_text);
    const qreal height = this->height() - m_topInset;
    QFont fitted = m_baseFont;
    for (int pixels = std::max(1, QFontInfo(m_baseFont).pixelSize()); pixels >= 1; --pixels) {
        fitted.setPixelSize(pixels);
        m_lines = wrap(paragraphs, fitted, width());
        if (place(m_lines, paragraphs, pixels, m_topInset, height, pixels == 1))
            break;
    }
    // The font the text is drawn in is the panel's font, so it can be measured from outside.
    if (font() != fitted)
        setFont(fitted);
    update();
}

void InfoPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (const auto& layout : m_lines)
        layout->draw(&painter, QPointF(0, 0));
}

} // namespace qytxt::ui

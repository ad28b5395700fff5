#include "ui/caption_button.h"

#include <QFontInfo>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

#include <algorithm>
#include <limits>

namespace qytxt::ui {
namespace {

QFont withPixelSize(QFont font, int pixels)
{
    font.setPixelSize(pixels);
    return font;
}

// The size of one line as drawn, fallback fonts for Chinese characters included.
QSizeF measure(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    return {line.naturalTextWidth(), line.height()};
}

int smallestPixelSize(const std::vector<CaptionLine>& lines)
{
    int smallest = std::numeric_limits<int>::max();
    for (const CaptionLine& line : lines)
        smallest = std::min(smallest, line.font.pixelSize());
    return smallest;
}

struct FittedLine {
    CaptionLine line;
    qreal height;
};

// `line` at the largest size up to `basePixels` at which it fits `width`. Widths grow about in
// proportion to the size, so the first guess is nearly always right.
FittedLine fitWidth(const QString& line, const QFont& base, int basePixels, int width)
{
    QFont font = withPixelSize(base, basePixels);
    QSizeF size = measure(line, font);
    if (size.width() > width) {
        int pixels = std::clamp(static_cast<int>(basePixels * width / size.width()), 1, basePixels);
        for (;;) {
            font.setPixelSize(pixels);
            size = measure(line, font);
            if (size.width() <= width || pixels == 1)
                break;
            --pixels;
        }
    }
    return {{line, font}, size.height()};
}

// Each line at the largest size (up to the base size) that fits the width; then the largest lines
// shrink further until the lines fit the height together.
std::vector<CaptionLine> shrinkToFit(const QStringList& lines, const QFont& base, QSize room)
{
    const int basePixels = std::max(1, QFontInfo(base).pixelSize());
    std::vector<FittedLine> fitted;
    qreal height = 0;
    for (const QString& line : lines) {
        fitted.push_back(fitWidth(line, base, basePixels, room.width()));
        height += fitted.back().height;
    }
    while (height > room.height()) {
        const auto largest = std::max_element(fitted.begin(), fitted.end(), [](const auto& a, const auto& b) {
            return a.line.font.pixelSize() < b.line.font.pixelSize();
        });
        if (largest->line.font.pixelSize() <= 1)
            break;
        largest->line.font.setPixelSize(largest->line.font.pixelSize() - 1);
        height -= largest->height;
        largest->height = measure(largest->line.text, largest->line.font).height();
        height += largest->height;
    }
    std::vector<CaptionLine> result;
    for (FittedLine& line : fitted)
        result.push_back(std::move(line.line));
    return result;
}

} // namespace

std::vector<CaptionLine> fitCaption(const QString& caption, const QFont& font, QSize room)
{
    const QStringList lines = caption.split(QLatin1Char('\n'));
    std::vector<CaptionLine> whole = shrinkToFit(lines, font, room);
    const int basePixels = std::max(1, QFontInfo(font).pixelSize());
    if (smallestPixelSize(whole) >= basePixels)
        return whole;

    // A count such as "3605/34991" reads as well on two lines, and often larger.
    QStringList broken;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const QString& line = whole[i].text;
        const qsizetype slash = line.indexOf(QLatin1Char('/'));
        if (slash >= 0 && slash + 1 < line.size() && whole[i].font.pixelSize() < basePixels)
            broken << line.left(slash + 1) << line.mid(slash + 1);
        else
            broken << line;
    }
    if (broken.size() == lines.size())
        return whole;
    std::vector<CaptionLine> split = shrinkToFit(broken, font, room);
    return smallestPixelSize(split) > smallestPixelSize(whole) ? split : whole;
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option); // frame, background and focus; the caption follows

    QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (option.state & (QStyle::State_Sunken | QStyle::State_On))
        room.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    room.adjust(1, 0, -1, 0); // glyphs may reach a little beyond their advance

    const std::vector<CaptionLine> lines = fitCaption(caption, font(), room.size());
    std::vector<qreal> heights;
    qreal total = 0;
    for (const CaptionLine& line : lines) {
        heights.push_back(measure(line.text, line.font).height());
        total += heights.back();
    }
    qreal y = room.top() + (room.height() - total) / 2;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        painter.setFont(lines[i].font);
        const QRect lineRect(room.left(), qRound(y), room.width(), qRound(heights[i]));
        style()->drawItemText(&painter, lineRect, Qt::AlignCenter, option.palette, isEnabled(), lines[i].text,
                              QPalette::ButtonText);
        y += heights[i];
    }
}

} // namespace qytxt::ui

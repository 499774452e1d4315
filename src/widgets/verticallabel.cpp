#include "verticallabel.h"

#include "uifont.h"

#include <QPainter>

namespace sorvane {

namespace {
constexpr int ShadowDepth = 2;
}

VerticalLabel::VerticalLabel(const QString &text, int pixelSize, QColor colour, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
    , m_colour(colour)
{
    setFont(UiFont(pixelSize, true));
}

void VerticalLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Rotated a quarter turn: the text runs from the bottom edge upward.
    const QRect along(0, 0, height() - ShadowDepth, width() - ShadowDepth);
    const auto drawAt = [&](int offset, QColor colour) {
        painter.save();
        painter.translate(offset, height() - ShadowDepth + offset);
        painter.rotate(-90);
        painter.setPen(colour);
        painter.drawText(along, Qt::AlignCenter | Qt::TextSingleLine, m_text);
        painter.restore();
    };
    for (int offset = ShadowDepth; offset > 0; --offset)
        drawAt(offset, Rgb(0x808080));
    drawAt(0, m_colour);
}

} // namespace sorvane

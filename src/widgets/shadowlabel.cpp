#include "shadowlabel.h"

#include "uifont.h"

#include <QPainter>

namespace sorvane {

ShadowLabel::ShadowLabel(const QString &text, int pixelSize, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
{
    setFont(UiFont(pixelSize));
    resize(sizeHint());
}

void ShadowLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    resize(sizeHint());
    update();
}

void ShadowLabel::setFixedTextWidth(int width, Qt::Alignment alignment)
{
    m_fixedWidth = width;
    m_alignment = alignment;
    resize(sizeHint());
}

QSize ShadowLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int width = m_fixedWidth >= 0 ? m_fixedWidth : metrics.horizontalAdvance(m_text) + 1;
    return {width, metrics.height() + 1};
}

void ShadowLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect area = rect().adjusted(0, 0, -1, -1);
    // A text wider than a fixed width is narrowed to fit rather than cut.
    const int advance = fontMetrics().horizontalAdvance(m_text);
    if (advance > area.width() && advance > 0) {
        painter.scale(qreal(area.width()) / advance, 1.0);
        area.setWidth(advance);
    }
    const int flags = int(m_alignment | Qt::AlignVCenter) | Qt::TextSingleLine;
    const bool enabled = isEnabled();
    painter.setPen(enabled ? QColor(Qt::black) : Rgb(0x808080));
    painter.drawText(area.translated(1, 1), flags, m_text);
    painter.setPen(enabled ? QColor(Qt::white) : palette().color(QPalette::Disabled, QPalette::Dark));
    painter.drawText(area, flags, m_text);
}

} // namespace sorvane

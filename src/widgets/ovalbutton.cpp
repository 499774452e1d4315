#include "ovalbutton.h"

#include "uifont.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace sorvane {

OvalButton::OvalButton(const QString &caption, int pixelSize, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setFont(UiFont(pixelSize));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

bool OvalButton::hitButton(const QPoint &pos) const
{
    QPainterPath oval;
    oval.addEllipse(QRectF(rect()));
    return oval.contains(QPointF(pos));
}

void OvalButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool down = isDown();
    QRadialGradient shade(face.center() - QPointF(face.width() / 6, face.height() / 6),
                          qMax(face.width(), face.height()) * 0.75);
    shade.setColorAt(0.0, Qt::white);
    shade.setColorAt(0.6, down ? Rgb(0xDCDCDC) : Rgb(0xF4F4F4));
    shade.setColorAt(1.0, down ? Rgb(0xA8A8A8) : Rgb(0xC8C8C8));
    painter.setBrush(shade);
    painter.setPen(QPen(Rgb(0x606060), 1));
    painter.drawEllipse(face);

    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect area = down ? rect().translated(1, 1) : rect();
    const int flags = Qt::AlignCenter;
    if (isEnabled()) {
        painter.setPen(Rgb(0x4D4D4D));
        painter.drawText(area, flags, text());
    } else {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Light));
        painter.drawText(area.translated(1, 1), flags, text());
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Dark));
        painter.drawText(area, flags, text());
    }
}

} // namespace sorvane

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
    // Crisp strokes: a thin stroke such as "＿" all but vanishes when smoothed.
    QFont crisp = UiFont(pixelSize);
    crisp.setStyleStrategy(QFont::NoAntialias);
    setFont(crisp);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

bool OvalButton::hitButton(const QPoint &pos) const
{
    QPainterPath oval;
    oval.addEllipse(QRectF(rect()));
    return oval.contains(QPointF(pos));
}

QRect OvalButton::captionArea() const
{
    // A one-line caption whose strokes sit low (an underscore, say) would fall
    // off a low button: lift it until its ink fits inside the rim.
    constexpr int Rim = 2;
    if (text().contains(u'\n'))
        return rect();
    const QFontMetrics metrics(font());
    const int baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    const QRect ink = metrics.tightBoundingRect(text()).translated(0, baseline);
    if (ink.bottom() > height() - 1 - Rim)
        return rect().translated(0, qMax(height() - 1 - Rim - ink.bottom(), Rim - ink.top()));
    return rect();
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
    const QRect area = captionArea().translated(down ? QPoint(1, 1) : QPoint());
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

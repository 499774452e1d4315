#include "progressbar.h"

#include "progress.h"
#include "uifont.h"

#include <QLinearGradient>
#include <QPainter>

namespace sorvane {

ProgressBar::ProgressBar(QWidget *parent)
    : QWidget(parent)
{
    setFont(UiFont(11));
    setAttribute(Qt::WA_NoMousePropagation);
}

void ProgressBar::setMaximum(int maximum)
{
    m_maximum = maximum;
    update();
}

void ProgressBar::setPosition(int position)
{
    m_position = position;
    update();
}

QString ProgressBar::text() const
{
    return PercentText(m_position, 0, m_maximum);
}

void ProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.setPen(Rgb(0x808080));
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(Qt::white);
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());

    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(inside, Rgb(0xF0F0F0));
    if (m_maximum > 0) {
        const int done = int(qint64(inside.width()) * qBound(0, m_position, m_maximum) / m_maximum);
        QLinearGradient shade(inside.topLeft(), inside.topRight());
        shade.setColorAt(0, Rgb(0x808080));
        shade.setColorAt(1, Qt::white);
        painter.fillRect(QRect(inside.topLeft(), QSize(done, inside.height())), shade);
    }
    painter.setPen(Rgb(0x464646));
    painter.drawText(inside, Qt::AlignCenter, text());
}

} // namespace sorvane

#include "gradbox.h"

#include "uifont.h"

#include <QPainter>

namespace sorvane {

QColor GradientLight() { return Rgb(0xB4B4B4); }
QColor GradientDark() { return Rgb(0x808080); }

GradBox::GradBox(QColor start, QColor end, Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
    , m_start(start)
    , m_end(end)
    , m_orientation(orientation)
{
}

void GradBox::paintEvent(QPaintEvent *)
{
    constexpr int Bands = 256;
    QPainter painter(this);
    const int length = m_orientation == Qt::Vertical ? height() : width();
    for (int band = 0; band < Bands; ++band) {
        const int from = band * length / Bands;
        const int to = (band + 1) * length / Bands;
        if (to <= from)
            continue;
        const auto mix = [band](int a, int b) { return a + (b - a) * band / (Bands - 1); };
        const QColor colour(mix(m_start.red(), m_end.red()), mix(m_start.green(), m_end.green()),
                            mix(m_start.blue(), m_end.blue()));
        const QRect rect = m_orientation == Qt::Vertical ? QRect(0, from, width(), to - from)
                                                         : QRect(from, 0, to - from, height());
        painter.fillRect(rect, colour);
    }
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace sorvane

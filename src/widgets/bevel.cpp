#include "bevel.h"

#include "gradbox.h"
#include "uifont.h"

#include <QPainter>

namespace sorvane {

namespace {

void DrawFrame(QPainter &painter, const QRect &area, QColor topLeft, QColor bottomRight)
{
    const QRect r = area.adjusted(0, 0, -1, -1);
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

Bevel::Bevel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Bevel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DrawFrame(painter, rect(), Rgb(0x808080), Qt::white);
}

BevelPanel::BevelPanel(const QString &faceName, const QRect &place, QWidget *parent)
    : QWidget(parent)
{
    setGeometry(place);
    auto *face = new GradBox(GradientLight(), GradientDark(), Qt::Vertical, this);
    face->setObjectName(faceName);
    face->setGeometry(rect().adjusted(1, 1, -1, -1));
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

void BevelPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DrawFrame(painter, rect(), Qt::white, Rgb(0x808080));
}

} // namespace sorvane

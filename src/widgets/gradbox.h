#pragma once

#include <QColor>
#include <QWidget>

namespace sorvane {

// A box filled with a two-colour gradient in 256 bands, with a one-pixel black outline.
class GradBox : public QWidget
{
    Q_OBJECT
public:
    // `start` is the colour at the top (vertical) or left (horizontal) edge.
    GradBox(QColor start, QColor end, Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_start;
    QColor m_end;
    Qt::Orientation m_orientation;
};

// The strips and panel faces: light grey at the top (or left) to grey.
QColor GradientLight();
QColor GradientDark();

} // namespace sorvane

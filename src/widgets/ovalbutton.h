#pragma once

#include <QAbstractButton>

namespace sorvane {

// A button drawn as an ellipse filling its rectangle: white face shaded
// radially, caption centred one line per text line. Only the ellipse takes
// clicks; a press on a corner goes to whatever lies below.
class OvalButton : public QAbstractButton
{
    Q_OBJECT
public:
    OvalButton(const QString &caption, int pixelSize, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect captionArea() const;
};

} // namespace sorvane

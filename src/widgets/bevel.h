#pragma once

#include <QWidget>

namespace sorvane {

// A lowered one-pixel frame drawn over what lies below; it takes no clicks.
class Bevel : public QWidget
{
    Q_OBJECT
public:
    explicit Bevel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A black panel with a raised one-pixel bevel and a gradient face inside it.
// Presses on a panel never move the window.
class BevelPanel : public QWidget
{
    Q_OBJECT
public:
    BevelPanel(const QString &faceName, const QRect &place, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace sorvane

#pragma once

#include <QWidget>

namespace sorvane {

// A progress bar in a lowered frame: the done part shaded from grey to white,
// the percentage written over it. Presses on it never move the window.
class ProgressBar : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressBar(QWidget *parent = nullptr);

    int maximum() const { return m_maximum; }
    void setMaximum(int maximum);
    int position() const { return m_position; }
    void setPosition(int position);
    QString text() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_maximum = 10;
    int m_position = 0;
};

} // namespace sorvane

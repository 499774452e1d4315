#pragma once

#include <QColor>
#include <QWidget>

namespace sorvane {

// A bold caption that reads upward, with a grey 3-D shadow two pixels deep
// toward the lower right.
class VerticalLabel : public QWidget
{
    Q_OBJECT
public:
    VerticalLabel(const QString &text, int pixelSize, QColor colour, QWidget *parent = nullptr);

    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_colour;
};

} // namespace sorvane

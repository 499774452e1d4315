#pragma once

#include <QWidget>

namespace sorvane {

// One line of white text with a black shadow one pixel right and down, on a
// transparent background. Without a fixed width it sizes itself to its text.
class ShadowLabel : public QWidget
{
    Q_OBJECT
public:
    ShadowLabel(const QString &text, int pixelSize, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    // Keeps the width and aligns the text inside it.
    void setFixedTextWidth(int width, Qt::Alignment alignment);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    int m_fixedWidth = -1;
    Qt::Alignment m_alignment = Qt::AlignLeft;
};

} // namespace sorvane

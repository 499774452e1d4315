#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace sorvane {

// The hint window: rounded dark box, white text with a grey shadow.
class HintWindow : public QWidget
{
    Q_OBJECT
public:
    HintWindow();

    QString text() const { return m_text; }
    void showText(const QString &text, const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textArea() const;

    QString m_text;
};

// The program's hint style. It replaces the platform tool tips: a hint shows
// 300 ms after the pointer comes to rest on a control with a tool tip, hides
// after 2000 ms, and shows at once when the pointer moves on from one hinted
// control to the next.
class HintStyle : public QObject
{
    Q_OBJECT
public:
    static constexpr int ShowPause = 300;
    static constexpr int HidePause = 2000;
    // How much higher than a usual tool tip the hint stands.
    static constexpr int Raise = 8;

    // Installs the style for the whole program once; later calls return the same one.
    static HintStyle *install();

    HintWindow *window() { return &m_window; }
    QWidget *target() const { return m_target; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    HintStyle();
    void enter(QWidget *widget);
    void leave(QWidget *widget);
    void show();
    void reset();

    HintWindow m_window;
    QPointer<QWidget> m_target;
    QTimer m_showTimer;
    QTimer m_hideTimer;
    QTimer m_quickTimer;
    // A hint has shown for the control under the pointer: the next control's hint shows at once.
    bool m_active = false;
};

} // namespace sorvane

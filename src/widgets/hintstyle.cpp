#include "hintstyle.h"

#include "uifont.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace sorvane {

namespace {

constexpr int Margin = 4;
constexpr int MaximumTextWidth = 300;
// Where a usual tool tip stands below the pointer.
const QPoint UsualOffset(2, 16);

// The nearest widget from `widget` up that has a hint, within its window.
QWidget *HintedWidget(QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (!widget->toolTip().isEmpty())
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

} // namespace

HintWindow::HintWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(UiFont(16));
}

QRect HintWindow::textArea() const
{
    return rect().adjusted(Margin, Margin - 1, -Margin - 1, -Margin);
}

void HintWindow::showText(const QString &text, const QPoint &globalPos)
{
    m_text = text;
    const QRect bounds = fontMetrics().boundingRect(QRect(0, 0, MaximumTextWidth, 10000),
                                                    Qt::TextWordWrap, text);
    resize(bounds.width() + 2 * Margin + 1, bounds.height() + 2 * Margin);
    QPoint place = globalPos;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect available = screen->availableGeometry();
        place.setX(qMin(place.x(), available.right() - width()));
        place.setY(qMin(place.y(), available.bottom() - height()));
    }
    move(place);
    update();
    QWidget::show();
}

void HintWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(Rgb(0x555555));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    painter.setPen(Rgb(0x4F4F4F));
    painter.drawText(textArea().translated(1, 1), flags, m_text);
    painter.setPen(Qt::white);
    painter.drawText(textArea(), flags, m_text);
}

HintStyle *HintStyle::install()
{
    static QPointer<HintStyle> installed;
    if (!installed) {
        installed = new HintStyle;
        installed->setParent(qApp);
        qApp->installEventFilter(installed);
    }
    return installed;
}

HintStyle::HintStyle()
{
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(ShowPause);
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(HidePause);
    connect(&m_showTimer, &QTimer::timeout, this, &HintStyle::show);
    connect(&m_hideTimer, &QTimer::timeout, &m_window, &QWidget::hide);
    // Crossing a gap between two hinted controls keeps the next hint quick.
    m_quickTimer.setSingleShot(true);
    m_quickTimer.setInterval(ShowPause);
    connect(&m_quickTimer, &QTimer::timeout, this, [this] { m_active = false; });
}

bool HintStyle::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the platform's tool tips never show
    case QEvent::Enter:
        if (watched->isWidgetType())
            enter(static_cast<QWidget *>(watched));
        break;
    case QEvent::Leave:
        if (watched->isWidgetType())
            leave(static_cast<QWidget *>(watched));
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::WindowDeactivate:
        m_showTimer.stop();
        m_window.hide();
        break;
    default:
        break;
    }
    return false;
}

void HintStyle::enter(QWidget *widget)
{
    QWidget *hinted = HintedWidget(widget);
    if (hinted == m_target)
        return;
    if (!hinted) {
        reset();
        return;
    }
    m_target = hinted;
    m_quickTimer.stop();
    if (m_active)
        show();
    else
        m_showTimer.start();
}

void HintStyle::leave(QWidget *widget)
{
    if (!m_target || !(widget == m_target || widget->isAncestorOf(m_target)))
        return;
    reset();
    // Back on an outer hinted control: its hint follows as if just entered.
    if (QWidget *outer = HintedWidget(widget->parentWidget()); outer && outer->underMouse())
        enter(outer);
}

void HintStyle::show()
{
    if (!m_target || m_target->toolTip().isEmpty() || !m_target->isVisible()) {
        m_window.hide();
        return;
    }
    m_active = true;
    m_window.showText(m_target->toolTip(), QCursor::pos() + UsualOffset - QPoint(0, Raise));
    m_hideTimer.start();
}

void HintStyle::reset()
{
    m_target = nullptr;
    m_showTimer.stop();
    m_window.hide();
    if (m_active)
        m_quickTimer.start();
}

} // namespace sorvane

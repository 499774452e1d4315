#include "Progresswindow1.h"

#include "gradbox.h"
#include "hintstyle.h"
#include "ovalbutton.h"
#include "progress.h"
#include "progressbar.h"
#include "shadowlabel.h"
#include "uifont.h"

#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

namespace sorvane {

TProgressForm1::TProgressForm1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    HintStyle::install();
    setObjectName(QStringLiteral("ProgressForm1"));
    setWindowTitle(QStringLiteral("Sorvane! Request"));
    setFixedSize(316, 72);
    setFont(UiFont(12));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Rgb(0xF0F0F0));
    setPalette(colours);

    auto *face = new GradBox(GradientLight(), GradientDark(), Qt::Vertical, this);
    face->setObjectName(QStringLiteral("GradBox6"));
    face->setGeometry(0, 0, 316, 72);

    m_names = new ShadowLabel(QStringLiteral("***.*** -> ***.***"), 12, this);
    m_names->setObjectName(QStringLiteral("Label1"));
    m_names->move(12, 18);
    m_sizes = new ShadowLabel(QStringLiteral("0KB -> 0KB"), 12, this);
    m_sizes->setObjectName(QStringLiteral("Label2"));
    m_sizes->move(12, 32);

    m_bar = new ProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setGeometry(8, 48, 300, 15);

    m_cancel = new OvalButton(QStringLiteral("ｷｬﾝｾﾙ"), 12, this);
    m_cancel->setObjectName(QStringLiteral("CButton1"));
    m_cancel->setGeometry(236, 4, 76, 16);
    m_cancel->setToolTip(QStringLiteral(" キャンセル"));
    connect(m_cancel, &OvalButton::clicked, this, &TProgressForm1::cancelRequested);

    m_timer.setInterval(PollInterval);
    connect(&m_timer, &QTimer::timeout, this, &TProgressForm1::Timer1Timer);
}

void TProgressForm1::setMaximum(int maximum)
{
    m_bar->setMaximum(maximum);
}

void TProgressForm1::setPosition(int position)
{
    m_bar->setPosition(position);
}

void TProgressForm1::setNames(const QString &names)
{
    m_names->setText(names);
    repaint();
}

void TProgressForm1::setPollPaths(const std::filesystem::path &source, const std::filesystem::path &output)
{
    m_sourcePath = source;
    m_outputPath = output;
}

void TProgressForm1::startPolling()
{
    m_timer.start();
}

void TProgressForm1::stopPolling()
{
    m_timer.stop();
}

void TProgressForm1::Timer1Timer()
{
    m_sizes->setText(SizesLine(FileSizeOf(m_sourcePath), FileSizeOf(m_outputPath)));
}

void TProgressForm1::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        if (const QScreen *desktop = screen())
            move(desktop->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
}

void TProgressForm1::changeEvent(QEvent *event)
{
    // The run disables the owning window; the cancel button must stay live.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && !testAttribute(Qt::WA_ForceDisabled))
        setEnabled(true);
    QWidget::changeEvent(event);
}

void TProgressForm1::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
}

} // namespace sorvane

#include "application.h"

#include "failure.h"

#include <QMessageBox>

namespace sorvane {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("sorvane-request"));
    setApplicationDisplayName(ApplicationTitle);
    setApplicationVersion(QStringLiteral(SORVANE_VERSION));
    setDesktopFileName(QStringLiteral("sorvane-request"));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Failure &failure) {
        showLater(failure.message());
    } catch (const std::exception &error) {
        showLater(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showLater(QString());
    }
    return false;
}

// The box opens from the event loop, not inside the event that failed (which
// may be a paint or a timer event).
void Application::showLater(const QString &message)
{
    QMetaObject::invokeMethod(this, [message] { ShowErrorBox(message); }, Qt::QueuedConnection);
}

void ShowErrorBox(const QString &message, QWidget *parent)
{
    QMessageBox::critical(parent, ApplicationTitle, ErrorBoxText(message));
}

} // namespace sorvane

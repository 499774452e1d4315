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
        ShowErrorBox(failure.message());
    } catch (const std::exception &error) {
        ShowErrorBox(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowErrorBox(QString());
    }
    return false;
}

void ShowErrorBox(const QString &message, QWidget *parent)
{
    QMessageBox::critical(parent, ApplicationTitle, ErrorBoxText(message));
}

} // namespace sorvane

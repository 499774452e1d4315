#include "Mainwindow1.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Sorvane! Request"));
    sorvane::TMainForm1 window;
    window.setReadmePath(QCoreApplication::applicationDirPath() + QStringLiteral("/Readme.txt"));
    window.show();
    return app.exec();
}

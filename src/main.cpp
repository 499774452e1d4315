#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Sorvane! Request"));
    QLabel placeholder(QStringLiteral("Sorvane! Request"));
    placeholder.show();
    return app.exec();
}

#pragma once

#include <QApplication>

namespace sorvane {

// The program's name: its windows' and message boxes' title.
inline const QString ApplicationTitle = QStringLiteral("Sorvane! Request");

// The program's application object: a failure that escapes an event handler
// is shown in the error box and the program goes on.
class Application : public QApplication
{
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void showLater(const QString &message);
};

// The error box: stop icon, the program's title, the message with its final ".".
void ShowErrorBox(const QString &message, QWidget *parent = nullptr);

} // namespace sorvane

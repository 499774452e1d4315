// Sorvane! Request: converts many audio files at once with ffmpeg.

#include "Mainwindow1.h"
#include "application.h"
#include "appfiles.h"
#include "failure.h"
#include "platform.h"
#include "sourceintake.h"

int main(int argc, char **argv)
{
    sorvane::OpenMissingStandardStreams(); // started without them, a converter's pipe could take their place
    sorvane::Application app(argc, argv);
    try {
        // After QApplication has taken its own options out of argv.
        sorvane::TMainForm1 window(sorvane::LocateAppFiles(), sorvane::PathsFromArguments(argc, argv));
        sorvane::OnTerminationRequest([&window] { window.endOnRequest(); });
        window.show();
        app.exec();
    } catch (const sorvane::Failure &failure) {
        sorvane::ShowErrorBox(failure.message());
    } catch (const std::exception &error) {
        sorvane::ShowErrorBox(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        sorvane::ShowErrorBox(QString());
    }
    return 0;
}

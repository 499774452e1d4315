#include "appfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace sorvane {
namespace {

const QString PresetFileName = QStringLiteral("profile.txt");
const QString SettingsFileName = QStringLiteral("Sorvane_R.ini");
const QString ReadmeFileName = QStringLiteral("Readme.txt");

QString FileIn(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

// Copies the shipped preset file to `target`; the copy keeps the shipped
// file's read-only permissions, so the user is given the right to write it.
void SeedPresetFile(const QString &shipped, const QString &target)
{
    if (QFile::copy(shipped, target))
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace

AppFiles DecideAppFiles(const QString &executableFolder, const QString &configFolder, const QString &dataFolder,
                        UserFolder userFolder)
{
    if (QFile::exists(FileIn(executableFolder, PresetFileName))) {
        return {executableFolder, FileIn(executableFolder, PresetFileName),
                FileIn(executableFolder, SettingsFileName), FileIn(executableFolder, ReadmeFileName), true};
    }
    const QString folder = FileIn(configFolder, QStringLiteral("sorvane-request"));
    QString presetFile = FileIn(folder, PresetFileName);
    if (!QFile::exists(presetFile)) {
        if (userFolder == UserFolder::LeaveAlone)
            presetFile = FileIn(dataFolder, PresetFileName);
        else if (QDir().mkpath(folder))
            SeedPresetFile(FileIn(dataFolder, PresetFileName), presetFile);
    }
    return {folder, presetFile, FileIn(folder, SettingsFileName), FileIn(dataFolder, ReadmeFileName), false};
}

AppFiles LocateAppFiles(UserFolder userFolder)
{
    // The data folder is found beside the installed program (<prefix>/bin ->
    // <prefix>/share/sorvane-request), so an install into any prefix works.
    const QString executableFolder = QCoreApplication::applicationDirPath();
    return DecideAppFiles(executableFolder,
                          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                          QDir::cleanPath(executableFolder + QStringLiteral("/../share/sorvane-request")), userFolder);
}

} // namespace sorvane

#pragma once

#include <QString>

namespace sorvane {

// Where the program's own files are.
struct AppFiles
{
    QString applicationFolder; // the default destination folder; holds the preset and settings files
    QString presetFile;        // profile.txt
    QString settingsFile;      // Sorvane_R.ini
    QString readmeFile;        // Readme.txt
    bool portable = false;
};

// Portable when profile.txt lies beside the executable: everything is in the
// executable's folder. Installed otherwise: the application folder is
// <configFolder>/sorvane-request, created when missing and given a
// user-writable copy of <dataFolder>/profile.txt when it has none; the readme
// stays in the data folder. Failing to create or seed leaves the preset file
// missing, which start-up reports.
//
// With UserFolder::LeaveAlone nothing is created or copied: a user folder
// without presets reads the shipped ones in place (for a run that must write
// nothing, such as a dry run).
enum class UserFolder { Prepare, LeaveAlone };
AppFiles DecideAppFiles(const QString &executableFolder, const QString &configFolder, const QString &dataFolder,
                        UserFolder userFolder = UserFolder::Prepare);

// The same for the running program: its executable's folder, the user's
// configuration folder ($XDG_CONFIG_HOME, ~/.config by default) and the
// installed data folder.
AppFiles LocateAppFiles(UserFolder userFolder = UserFolder::Prepare);

} // namespace sorvane

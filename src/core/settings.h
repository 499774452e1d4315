#pragma once

#include "inifile.h"
#include "optionset.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace sorvane {

// The settings file keeps the window position and every option under the
// controls' names, in five sections: SET (M_LEFT, M_TOP), SET1 (C1_03, C1_02),
// SET2 (C2_00), SET3 (C3_01 to C3_05), SET4 (C4_C1, C4_C5, C4_01_1 to C4_01_6).

// The most of the folder text (C1_03) that is read back.
constexpr int FolderTextLimit = 2047;

// Applies every key in order; a missing key or a value that does not read
// leaves its option as it was. A list index naming no row leaves no row
// chosen, a check box is ticked by any value but 0, a range field is clamped
// to its range, and the folder text is cleaned and, when empty, becomes the
// application folder.
void LoadSettings(const IniFile &file, OptionSet &options, const QString &applicationFolder);
// The same from a file on disk; a file that cannot be read counts as missing.
void LoadSettingsFile(const QString &path, OptionSet &options, const QString &applicationFolder);

// Writes every key in order: lists as their chosen index (-1 for none),
// check boxes as 1 or 0.
void SaveSettings(IniFile &file, const OptionSet &options);
// Writes every key into the file at `path`, keeping its other lines; throws
// Failure "<path> に書き込めません" when the file cannot be replaced, and then
// leaves it as it was.
void SaveSettingsFile(const QString &path, const OptionSet &options);

// Applies one key as if the line "key=value" stood in the settings file; the
// key's name matches without regard to case. False for a key that is not one
// of the settings.
bool ApplySetting(OptionSet &options, const QString &key, const QString &value, const QString &applicationFolder);

// Where a window of `window` size stored at `stored` goes: where it was when
// any part of it is on one of the screens; otherwise wholly onto the nearest
// screen, as near to the stored place as fits.
QPoint PlaceOnScreens(QPoint stored, QSize window, const QList<QRect> &screenGeometries);

} // namespace sorvane

#pragma once

#include <QString>

#include <optional>

namespace sorvane {

// The main window's rules as functions of control values.

constexpr quint32 CueWhite = 0xFFFFFF;
constexpr quint32 ListCue = 0xC4FFFF; // light cyan: an audio list not on "keep what the source has"
constexpr quint32 TimeCue = 0xFFFF80; // light yellow: a range field above 0

// The folder field and its label are enabled only in the chosen-folder mode.
bool DestinationFolderEnabled(int destinationModeIndex);
// Background of an audio list: white on row 0, light cyan otherwise (no chosen row included).
quint32 ListCueColour(int itemIndex);
// Background of a range field: light yellow above 0, white otherwise.
quint32 TimeCueColour(int value);
// The folder field's clean-up: every trailing separator goes, but a path that
// is only the root keeps it.
QString CleanFolderPath(QString path);
// A number field's text as a whole number, or nothing when it is none.
std::optional<int> ParseNumberField(const QString &text);
// A number field's value: empty or non-numeric text reads 0.
int NumberFieldValue(const QString &text);

} // namespace sorvane

#include "windowrules.h"

#include <QDir>

namespace sorvane {

bool DestinationFolderEnabled(int destinationModeIndex)
{
    return destinationModeIndex == 2;
}

quint32 ListCueColour(int itemIndex)
{
    return itemIndex == 0 ? CueWhite : ListCue;
}

quint32 TimeCueColour(int value)
{
    return value > 0 ? TimeCue : CueWhite;
}

QString CleanFolderPath(QString path)
{
    const QChar separator = QDir::separator();
    while (path.size() > 1 && (path.endsWith(separator) || path.endsWith(u'/')))
        path.chop(1);
    return path;
}

std::optional<int> ParseNumberField(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int NumberFieldValue(const QString &text)
{
    return ParseNumberField(text).value_or(0);
}

} // namespace sorvane

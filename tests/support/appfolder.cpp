#include "appfolder.h"

#include <QFile>

namespace testsupport {

AppFolder::AppFolder(const QByteArray &presets)
{
    QFile file(m_dir.filePath(QStringLiteral("profile.txt")));
    if (file.open(QIODevice::WriteOnly))
        file.write(presets);
}

sorvane::AppFiles AppFolder::files() const
{
    return sorvane::DecideAppFiles(path(), m_dir.filePath(QStringLiteral("config")), m_dir.filePath(QStringLiteral("data")));
}

} // namespace testsupport

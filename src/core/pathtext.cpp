#include "pathtext.h"

#include <QFile>

namespace sorvane {

QByteArray PathBytes(const std::filesystem::path &path)
{
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return QByteArray(reinterpret_cast<const char *>(text.data()), qsizetype(text.size()));
#else
    return QByteArray::fromStdString(path.native());
#endif
}

std::filesystem::path PathFromBytes(const QByteArray &bytes)
{
#ifdef _WIN32
    return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
#else
    return std::filesystem::path(bytes.toStdString());
#endif
}

QString DisplayPath(const std::filesystem::path &path)
{
    return QString::fromUtf8(PathBytes(path));
}

QString QtPath(const std::filesystem::path &path)
{
    return QFile::decodeName(PathBytes(path));
}

std::filesystem::path PathFromQt(const QString &path)
{
    return PathFromBytes(QFile::encodeName(path));
}

bool IsQtRepresentable(const std::filesystem::path &path)
{
    const QByteArray bytes = PathBytes(path);
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

} // namespace sorvane

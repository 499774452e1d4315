#include "atomicfile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace sorvane {

bool ReplaceFileAtomically(const QString &path, const QByteArray &bytes)
{
    // Unbuffered, so a short write shows in write()'s count: through its
    // buffer, QSaveFile (Qt 6.4) commits a cut file when the disk or a size
    // limit stops the write partway.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size()
        && file.commit();
}

bool IsWriteProtected(const QString &path)
{
    const QFileInfo info(path);
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isFile() && (!info.isWritable() || !(info.permissions() & anyWrite));
}

} // namespace sorvane

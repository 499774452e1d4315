#include "progress.h"

#include "pathtext.h"

#include <fstream>

namespace sorvane {

qint64 FileSizeOf(const std::filesystem::path &file)
{
    std::error_code error;
    if (file.empty() || std::filesystem::is_directory(file, error))
        return -1;
    if (!std::ifstream(file, std::ios::binary).is_open())
        return -1;
    const auto size = std::filesystem::file_size(file, error);
    return error ? -1 : qint64(size);
}

QString SizesLine(qint64 sourceSize, qint64 outputSize)
{
    return QStringLiteral("%1KB -> %2KB").arg(sourceSize / 1000).arg(outputSize / 1000);
}

QString PercentText(int position, int minimum, int maximum)
{
    const qint64 range = qint64(maximum) - minimum;
    if (range <= 0)
        return QStringLiteral("0 %");
    const qint64 scaled = (qint64(qBound(minimum, position, maximum)) - minimum) * 100;
    qint64 percent = scaled / range;
    const qint64 twiceRemainder = (scaled % range) * 2;
    if (twiceRemainder > range || (twiceRemainder == range && percent % 2 == 1))
        ++percent;
    return QStringLiteral("%1 %").arg(percent);
}

QString NamesLine(const std::filesystem::path &source, const std::filesystem::path &output)
{
    return DisplayPath(source.filename()) + QStringLiteral(" -> ") + DisplayPath(output.filename());
}

} // namespace sorvane

#include "converter.h"

#include "commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace sorvane {

QStringList ConverterSearchFolders()
{
    QStringList folders{QCoreApplication::applicationDirPath()};
    const QString path = qEnvironmentVariable("PATH");
    for (const QString &folder : path.split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders.append(folder);
    return folders;
}

QString FindConverter()
{
    const QString found = QStandardPaths::findExecutable(ConverterName(), {QCoreApplication::applicationDirPath()});
    return found.isEmpty() ? QStandardPaths::findExecutable(ConverterName()) : found;
}

QString ConverterNotFoundMessage()
{
    return QStringLiteral("変換プログラム %1 が見つかりませんでした。\n探した場所: %2")
        .arg(ConverterName(), ConverterSearchFolders().join(QStringLiteral(", ")));
}

void PrepareConverterProcess(QProcess &process, const QString &program, const CommandLine &line)
{
    process.setProgram(program);
    process.setArguments(line.arguments());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);
}

void ErrorTail::append(const QByteArray &chunk)
{
    for (const char c : chunk) {
        if (c == '\n' || c == '\r')
            endLine();
        else if (m_partial.size() < MaxLineLength)
            m_partial.append(c);
    }
}

void ErrorTail::endLine()
{
    if (m_partial.trimmed().isEmpty()) {
        m_partial.clear();
        return;
    }
    m_lines.append(m_partial);
    m_partial.clear();
    if (m_lines.size() > MaxLines)
        m_lines.removeFirst();
}

QStringList ErrorTail::lines() const
{
    QStringList result;
    for (const QByteArray &line : m_lines)
        result.append(QString::fromUtf8(line));
    if (!m_partial.trimmed().isEmpty())
        result.append(QString::fromUtf8(m_partial));
    return result;
}

QString ErrorTail::lastLine() const
{
    const QStringList all = lines();
    return all.isEmpty() ? QString() : all.last().trimmed();
}

} // namespace sorvane

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QProcess;

namespace sorvane {

class CommandLine;

// Where the converter is looked for, in order: the program's own folder, then PATH.
QStringList ConverterSearchFolders();
// The converter's full path, or empty when it is in none of the search folders.
QString FindConverter();
// A sentence for people: which program was looked for and where.
QString ConverterNotFoundMessage();

// Sets up a converter process: the argument list as given (no shell), no
// window, standard input and output on the null device so it never waits for
// an answer, the current folder and environment inherited.
void PrepareConverterProcess(QProcess &process, const QString &program, const CommandLine &line);

// The last lines a process wrote to an error stream, read as they come. CR and
// LF both end a line (the converter redraws its status line with CR); memory
// stays bounded however much is written.
class ErrorTail
{
public:
    static constexpr int MaxLines = 12;
    static constexpr int MaxLineLength = 2000;

    void append(const QByteArray &chunk);
    QStringList lines() const;
    // The last line that is not blank, or empty text.
    QString lastLine() const;

private:
    void endLine();

    QList<QByteArray> m_lines;
    QByteArray m_partial;
};

} // namespace sorvane

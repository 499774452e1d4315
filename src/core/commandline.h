#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <filesystem>

namespace sorvane {

class OptionSet;

// A converter command line made of pieces. Each piece carries its text (with
// its own leading space) and the arguments it stands for, so the text shown to
// people and the argument list the process gets can never disagree.
class CommandLine
{
public:
    void add(const QByteArray &text, const QList<QByteArray> &arguments);

    // The whole line as bytes; paths appear exactly as the file system names them.
    QByteArray text() const;
    // The arguments after the program name, for QProcess.
    QStringList arguments() const;

private:
    struct Piece
    {
        QByteArray text;
        QList<QByteArray> arguments;
    };
    QList<Piece> m_pieces;
};

// The program name the line begins with.
QString ConverterName();

// Builds the converter command line for one source from the options, piece by
// piece. Lists without a chosen row count as their row 0. Nothing is cut.
CommandLine BuildCommandLine(const OptionSet &options, const std::filesystem::path &source,
                             const std::filesystem::path &output);

// ASCII-only lower case: A-Z become a-z, everything else stays.
QString AsciiLower(QString text);

} // namespace sorvane

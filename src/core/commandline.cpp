#include "commandline.h"

#include "optionset.h"
#include "pathtext.h"

#include <QFile>

namespace sorvane {
namespace {

QByteArray TwoDigits(int value)
{
    return QString(QStringLiteral("%1")).arg(value, 2, 10, QLatin1Char('0')).toUtf8();
}

QByteArray Clock(int hours, int minutes, int seconds)
{
    return TwoDigits(hours) + ':' + TwoDigits(minutes) + ':' + TwoDigits(seconds);
}

// Column 0 of the chosen row up to its unit; empty when the unit is missing.
QByteArray NumberBeforeUnit(const OptionList &list, QStringView unit)
{
    const QString text = list.selectedColumn(0);
    const qsizetype end = text.indexOf(unit);
    return end < 0 ? QByteArray() : text.left(end).toUtf8();
}

// Adds " -name value" when the list's effective row is not row 0.
void AddAudioOption(CommandLine &line, const OptionList &list, const QByteArray &name, const QByteArray &value)
{
    if (EffectiveRow(list) != 0)
        line.add(' ' + name + ' ' + value, {name, value});
}

} // namespace

void CommandLine::add(const QByteArray &text, const QList<QByteArray> &arguments)
{
    m_pieces.append({text, arguments});
}

QByteArray CommandLine::text() const
{
    QByteArray result;
    for (const Piece &piece : m_pieces)
        result += piece.text;
    return result;
}

QStringList CommandLine::arguments() const
{
    QStringList result;
    for (const Piece &piece : m_pieces)
        for (const QByteArray &argument : piece.arguments)
            result.append(QFile::decodeName(argument));
    return result;
}

QString ConverterName()
{
    return QStringLiteral("ffmpeg");
}

QString AsciiLower(QString text)
{
    for (QChar &c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    return text;
}

CommandLine BuildCommandLine(const OptionSet &options, const std::filesystem::path &source,
                             const std::filesystem::path &output)
{
    CommandLine line;
    line.add(ConverterName().toUtf8() + ' ', {});
    const QByteArray sourceBytes = PathBytes(source);
    line.add("-i \"" + sourceBytes + '"', {"-i", sourceBytes});
    if (options.destinationMode() == 1)
        line.add(" -y", {"-y"});
    if (options.C4_C1)
        line.add(" -threads 2", {"-threads", "2"});
    if (options.C4_C5) {
        const auto &f = options.C4_01;
        const QByteArray start = Clock(f[0], f[1], f[2]);
        const QByteArray length = Clock(f[3], f[4], f[5]);
        line.add(" -ss " + start, {"-ss", start});
        line.add(" -t " + length, {"-t", length});
    }
    line.add(" -flags bitexact", {"-flags", "bitexact"});
    line.add(" -vn", {"-vn"});
    const QByteArray codec = EffectiveRow(options.C3_01) == 0
        ? QByteArray("copy")
        : AsciiLower(options.C3_01.selectedColumn(1)).toUtf8();
    line.add(" -acodec " + codec, {"-acodec", codec});
    AddAudioOption(line, options.C3_02, "-ab", NumberBeforeUnit(options.C3_02, u"kbps") + 'k');
    AddAudioOption(line, options.C3_03, "-ar", NumberBeforeUnit(options.C3_03, u"Hz"));
    AddAudioOption(line, options.C3_04, "-ac", options.C3_04.selectedColumn(0).toUtf8());
    AddAudioOption(line, options.C3_05, "-vol", options.C3_05.selectedColumn(0).toUtf8());
    const QByteArray outputBytes = PathBytes(output);
    line.add(" \"" + outputBytes + '"', {outputBytes});
    return line;
}

} // namespace sorvane

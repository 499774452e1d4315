#include "inifile.h"

#include "atomicfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace sorvane {
namespace {

QByteArray LineContent(const QByteArray &line)
{
    QByteArray content = line;
    if (content.endsWith('\n'))
        content.chop(1);
    if (content.endsWith('\r'))
        content.chop(1);
    return content;
}

bool IsBlank(const QByteArray &line)
{
    return LineContent(line).trimmed().isEmpty();
}

// The name of a "[name]" header line.
std::optional<QString> SectionName(const QByteArray &line)
{
    const QByteArray content = LineContent(line).trimmed();
    const qsizetype close = content.lastIndexOf(']');
    if (!content.startsWith('[') || close < 0)
        return std::nullopt;
    return QString::fromUtf8(content.mid(1, close - 1)).trimmed();
}

// The name of a "name=value" line.
std::optional<QString> KeyName(const QByteArray &line)
{
    const QByteArray content = LineContent(line);
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    return QString::fromUtf8(content.left(equals)).trimmed();
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The value text to store so that reading it back gives `value` again: a
// line break would end the line, so the value ends there; blanks or quotes
// at its ends are kept by one pair of quotes around it.
QString StoredValue(QString value)
{
    const auto lineBreak = std::find_if(value.cbegin(), value.cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    value.truncate(lineBreak - value.cbegin());
    if (UnwrapProfileValue(value) != value)
        return u'"' + value + u'"';
    return value;
}

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

IniFile::IniFile(const QByteArray &text)
{
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf('\n', start);
        const qsizetype end = newline < 0 ? text.size() : newline + 1;
        m_lines.append(text.mid(start, end - start));
        start = end;
    }
}

std::optional<IniFile> IniFile::load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return IniFile();
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return IniFile(file.readAll());
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const std::optional<Section> found = findSection(section);
    if (!found)
        return std::nullopt;
    const int line = findKey(*found, key);
    if (line < 0)
        return std::nullopt;
    const QByteArray content = LineContent(m_lines[line]);
    return UnwrapProfileValue(QString::fromUtf8(content.mid(content.indexOf('=') + 1)));
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QByteArray stored = StoredValue(value).toUtf8();
    const std::optional<Section> found = findSection(section);
    if (!found) {
        insertLine(int(m_lines.size()), '[' + section.toUtf8() + ']');
        insertLine(int(m_lines.size()), key.toUtf8() + '=' + stored);
        return;
    }
    const int line = findKey(*found, key);
    if (line < 0) {
        insertLine(found->end, key.toUtf8() + '=' + stored);
        return;
    }
    // Only the value changes: the name keeps its spelling and the line its break.
    QByteArray &text = m_lines[line];
    const QByteArray oldContent = LineContent(text);
    const QByteArray lineEnd = text.mid(oldContent.size());
    text = oldContent.left(oldContent.indexOf('=') + 1) + stored + lineEnd;
}

QByteArray IniFile::text() const
{
    return m_lines.join();
}

bool IniFile::save(const QString &path) const
{
    if (IsWriteProtected(path))
        return false;
    return ReplaceFileAtomically(path, text());
}

std::optional<IniFile::Section> IniFile::findSection(const QString &section) const
{
    for (int header = 0; header < m_lines.size(); ++header) {
        const std::optional<QString> name = SectionName(m_lines[header]);
        if (!name || !SameName(*name, section))
            continue;
        Section found{header, header + 1};
        for (int line = header + 1; line < m_lines.size() && !SectionName(m_lines[line]); ++line) {
            if (!IsBlank(m_lines[line]))
                found.end = line + 1;
        }
        return found;
    }
    return std::nullopt;
}

int IniFile::findKey(const Section &section, const QString &key) const
{
    for (int line = section.header + 1; line < section.end; ++line) {
        const std::optional<QString> name = KeyName(m_lines[line]);
        if (name && SameName(*name, key))
            return line;
    }
    return -1;
}

void IniFile::insertLine(int at, const QByteArray &content)
{
    const QByteArray lineEnd = lineBreak();
    if (at > 0 && !m_lines[at - 1].endsWith('\n'))
        m_lines[at - 1] += lineEnd;
    m_lines.insert(at, content + lineEnd);
}

// New lines follow the file's own line breaks: those of its first line, LF in a new file.
QByteArray IniFile::lineBreak() const
{
    if (!m_lines.isEmpty() && m_lines.first().endsWith("\r\n"))
        return QByteArrayLiteral("\r\n");
    return QByteArrayLiteral("\n");
}

QString UnwrapProfileValue(QStringView raw)
{
    QStringView value = raw.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return value.toString();
}

std::optional<int> ParseProfileInteger(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        negative = text[at++] == u'-';
    int base = 10;
    if (text.sliced(at).startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        at += 2;
    } else if (at < text.size() && (text[at] == u'$' || text[at] == u'x' || text[at] == u'X')) {
        base = 16;
        at += 1;
    }
    if (at == text.size())
        return std::nullopt;
    constexpr qint64 limit = qint64(1) << 31; // the magnitude of the lowest int
    qint64 magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value >= limit)
        return std::nullopt;
    return int(value);
}

} // namespace sorvane

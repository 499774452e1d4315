#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace sorvane {

// An INI text read and written one key at a time by the private-profile rules:
// section and key names match without regard to case; a value loses the blanks
// around it and one pair of enclosing quotes; a missing section is appended at
// the end, a missing key at the end of its section, an existing key changes
// where it stands; every other line stays as it was, byte for byte.
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(const QByteArray &text);

    // Reads a UTF-8 file; a missing file gives an empty one. Nothing when the
    // path names something that cannot be read as a file (a folder, no access).
    static std::optional<IniFile> load(const QString &path);

    // The value of the first such key in the first such section, after the reading rule.
    std::optional<QString> value(const QString &section, const QString &key) const;

    void setValue(const QString &section, const QString &key, const QString &value);

    QByteArray text() const;
    // Replaces the file with the whole text at once, never leaving it half written.
    // Refuses (returns false, file untouched) when the file is marked read-only.
    bool save(const QString &path) const;

private:
    struct Section
    {
        int header = -1; // line of the "[name]" header
        int end = 0;     // one past its last line that is not blank
    };
    std::optional<Section> findSection(const QString &section) const;
    int findKey(const Section &section, const QString &key) const;
    void insertLine(int at, const QByteArray &content);
    QByteArray lineBreak() const;

    // Each line with its own line break ("\n", "\r\n", or none at the very end).
    QList<QByteArray> m_lines;
};

// The reading rule for a value: blanks around it and one pair of enclosing
// double or single quotes dropped.
QString UnwrapProfileValue(QStringView raw);

// An integer as the settings file holds it: blanks first; then an optional sign
// followed by decimal digits, or by hexadecimal digits after "$", "x", "X", "0x"
// or "0X" (so "-$10" is -16). The result must fit in 32 signed bits; anything
// else, trailing characters included, is no integer.
std::optional<int> ParseProfileInteger(QStringView text);

} // namespace sorvane

#include "presets.h"

#include "atomicfile.h"
#include "failure.h"
#include "optionset.h"
#include "pathtext.h"

#include <QFile>

#include <array>

namespace sorvane {

namespace PresetText {
const QString SaveAnnouncement = QStringLiteral("現設定をオリジナル設定として保存します。");
const QString NameDialogCaption = QStringLiteral("おまかせ名の入力");
const QString NameDialogPrompt = QStringLiteral("オリジナル設定名(&O):");
const QString EmptyName = QStringLiteral("オリジナル設定名を入力してください。");
const QString Saved = QStringLiteral("オリジナル設定を保存しました。\n"
                                     "保存した設定を削除・修正する場合は 同梱の profile.txt(CSV仕様)を\n"
                                     "テキストエディター等で直接編集してください。");
} // namespace PresetText

namespace {

const QString LineBreak = QStringLiteral("\r\n");

QString CannotOpenMessage(const std::filesystem::path &path)
{
    return QStringLiteral("ファイル %1 は開けません").arg(DisplayPath(path));
}

QString CannotCreateMessage(const std::filesystem::path &path)
{
    return QStringLiteral("ファイル %1 を作成できません").arg(DisplayPath(path));
}

QString CannotRewriteMessage(const std::filesystem::path &path)
{
    return QStringLiteral("ファイル %1 には読めない文字があるため書き換えられません").arg(DisplayPath(path));
}

// Splits at CR LF, lone CR and lone LF; one empty piece after a final break is no line.
QStringList SplitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool EndsWithLineBreak(const QString &text)
{
    return text.isEmpty() || text.endsWith(u'\r') || text.endsWith(u'\n');
}

struct EncodedText
{
    QByteArray bytes;
    TextEncoding encoding;
};

// The text in the preferred encoding, or in UTF-8 when a character has no
// place in it: the next start reads UTF-8 back unchanged.
EncodedText EncodeEveryCharacter(const QString &text, TextEncoding preferred)
{
    if (const std::optional<QByteArray> bytes = EncodeText(text, preferred))
        return {*bytes, preferred};
    return {text.toUtf8(), TextEncoding::Utf8};
}

// One pass of applying a preset: an audio list and the preset column that keys it.
// The list shows `shownColumn` while its pass runs (the codec, for C3_01).
struct PresetPass
{
    OptionList OptionSet::*list;
    quint8 keyColumn;
    quint8 shownColumn;
};

constexpr std::array<PresetPass, 4> PresetPasses{{
    {&OptionSet::C3_04, 2, 0},
    {&OptionSet::C3_01, 3, 1},
    {&OptionSet::C3_03, 4, 0},
    {&OptionSet::C3_02, 5, 0},
}};

int FirstRowHolding(const OptionList &list, const QString &key)
{
    if (key.isEmpty())
        return -1;
    for (int row = 0; row < list.rowCount(); ++row)
        if (list.rowText(row).contains(key))
            return row;
    return -1;
}

void SetRow(OptionList &list, int row, const ChangeHandler &changeHandler)
{
    list.setItemIndex(row);
    if (changeHandler)
        changeHandler(list);
}

} // namespace

PresetFile::PresetFile(std::filesystem::path path) : m_path(std::move(path))
{
    QFile file(QtPath(m_path));
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(CannotOpenMessage(m_path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(CannotOpenMessage(m_path));
    const DecodedText decoded = DecodeText(bytes);
    m_lines = SplitLines(decoded.text);
    m_encoding = decoded.encoding;
    m_decodedExactly = decoded.exact;
    m_endsWithLineBreak = EndsWithLineBreak(decoded.text);
}

void PresetFile::fillPresetList(OptionList &presetList) const
{
    for (const QString &line : m_lines)
        presetList.appendRow(line);
}

void PresetFile::append(const QString &line)
{
    // Lines read with bytes that were no character cannot be written back as
    // they were: refuse rather than replace the user's text with substitutes.
    if (!m_decodedExactly)
        throw Failure(CannotRewriteMessage(m_path));
    const QStringList lines = m_lines + QStringList{line};
    QString text = lines.join(LineBreak);
    if (m_endsWithLineBreak)
        text += LineBreak;
    const EncodedText encoded = EncodeEveryCharacter(text, m_encoding);
    if (!ReplaceFileAtomically(QtPath(m_path), encoded.bytes))
        throw Failure(CannotCreateMessage(m_path));
    m_lines = lines;
    m_encoding = encoded.encoding;
}

void ApplyPreset(OptionSet &options, const ChangeHandler &changeHandler)
{
    for (const PresetPass &pass : PresetPasses) {
        OptionList &list = options.*pass.list;
        options.C2_00.setTargetColumn(pass.keyColumn);
        const QString key = options.C2_00.getSelectedText();
        list.setTargetColumn(pass.shownColumn);
        SetRow(list, 0, changeHandler);
        const int match = FirstRowHolding(list, key);
        if (match >= 0)
            SetRow(list, match, changeHandler);
        list.setTargetColumn(0);
    }
    options.C2_00.setTargetColumn(0);
}

QString CleanPresetName(const QString &typedName)
{
    QString name = typedName;
    for (QChar &c : name) {
        if (c == u',')
            c = u'，';
        else if (c == u' ' || c.category() == QChar::Other_Control)
            c = u'　';
        else if (c == u'"')
            c = u'＂';
    }
    return name;
}

QString ComposePresetLine(const QString &cleanedName, const OptionSet &options)
{
    return QStringList{
        cleanedName,
        options.C3_01.selectedColumn(0),
        options.C3_04.selectedColumn(0),
        options.C3_01.selectedColumn(1),
        options.C3_03.selectedColumn(0),
        options.C3_02.selectedColumn(0),
    }.join(u',');
}

bool SavePreset(PresetFile &file, OptionSet &options, const QString &typedName)
{
    const QString name = CleanPresetName(typedName);
    if (name.isEmpty())
        return false;
    file.append(ComposePresetLine(name, options));
    options.C2_00.setItemIndex(options.C2_00.appendRow(file.lines().constLast()));
    return true;
}

int FindPresetRow(const OptionList &presetList, const QString &name)
{
    for (int row = 1; row < presetList.rowCount(); ++row)
        if (presetList.columnText(row, 0) == name)
            return row;
    return -1;
}

bool ChoosePreset(OptionSet &options, const QString &name, const ChangeHandler &changeHandler)
{
    const int row = FindPresetRow(options.C2_00, name);
    if (row < 0)
        return false;
    options.C2_00.setItemIndex(row);
    ApplyPreset(options, changeHandler);
    return true;
}

} // namespace sorvane

#pragma once

#include "textcodec.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>

namespace sorvane {

class OptionList;
class OptionSet;

// The texts the program shows around presets.
namespace PresetText {
extern const QString SaveAnnouncement;  // shown before the name is asked for
extern const QString NameDialogCaption; // caption of the name input box
extern const QString NameDialogPrompt;  // its prompt; "&O" is the access key
constexpr int NameMaxLength = 255;      // characters the name field takes
extern const QString EmptyName;         // no name given (or the box cancelled)
extern const QString Saved;             // three lines joined by "\n"
} // namespace PresetText

// The preset file as read at start-up, one held line per preset, and the
// program's additions since. Saving rewrites the whole file from the held lines.
class PresetFile
{
public:
    // Reads the file whole. Lines end at CR LF, a lone CR or a lone LF; an empty
    // last line after the final break is not a line; blank lines are kept.
    // Throws Failure "ファイル %1 は開けません" when it cannot be read.
    explicit PresetFile(std::filesystem::path path);

    const std::filesystem::path &path() const { return m_path; }
    const QStringList &lines() const { return m_lines; }
    TextEncoding encoding() const { return m_encoding; }

    // Appends one row to the preset list per held line.
    void fillPresetList(OptionList &presetList) const;

    // Adds a line at the end and replaces the file by the held lines, CR LF
    // between them, in the encoding it was read in (UTF-8 once a line has a
    // character code page 932 lacks). The file ends with a line break when it
    // did as read. The file is replaced only by a complete new version: when
    // that fails, this throws Failure "ファイル %1 を作成できません" and the
    // held lines and the file stay as they were. A file read with bytes that
    // were no character is never rewritten (Failure "ファイル %1 には読めない
    // 文字があるため書き換えられません"): its text could not be given back.
    void append(const QString &line);

private:
    std::filesystem::path m_path;
    QStringList m_lines;
    TextEncoding m_encoding = TextEncoding::CodePage932;
    bool m_decodedExactly = true;
    bool m_endsWithLineBreak = true;
};

// Calls the change handler of an audio list after the program sets its row.
using ChangeHandler = std::function<void(OptionList &)>;

// Applies the chosen row of C2_00 to C3_04, C3_01, C3_03 and C3_02 in that
// order: each list is set to row 0, then to the first row whose whole text
// holds the preset's key for it (columns 2, 3, 4 and 5), and the handler is
// called after each of the two settings. An empty key matches no row.
void ApplyPreset(OptionSet &options, const ChangeHandler &changeHandler = {});

// The name as it is written into a preset line: commas, blanks and double
// quotes become their full-width forms so the name stays one column.
QString CleanPresetName(const QString &typedName);

// The preset line for the current choices of the four audio lists; a list
// without a chosen row gives an empty column.
QString ComposePresetLine(const QString &cleanedName, const OptionSet &options);

// Saves the current choices under the typed name: writes the file, appends
// the new row to C2_00 and chooses it without applying it. Returns false, and
// saves nothing, when the cleaned name is empty. Throws Failure when the file
// cannot be written; then neither the held lines nor C2_00 change.
bool SavePreset(PresetFile &file, OptionSet &options, const QString &typedName);

// The C2_00 row of the first preset named `name`, or -1.
int FindPresetRow(const OptionList &presetList, const QString &name);

// Chooses the first preset named `name` as a user's choice in C2_00 would and
// applies it. Returns false when no preset has that name.
bool ChoosePreset(OptionSet &options, const QString &name, const ChangeHandler &changeHandler = {});

} // namespace sorvane

#include "commandline.h"
#include "converter.h"
#include "optionset.h"
#include "pathtext.h"
#include "presets.h"
#include "testsupport.h"

#include <QHash>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvane;
namespace fs = std::filesystem;

namespace {

// What the converter reports about the first audio stream of a file.
QHash<QString, QString> ProbeAudio(const fs::path &file)
{
    const QString prober = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    const testsupport::ProcessResult result = testsupport::Run(prober,
        {"-v", "error", "-select_streams", "a:0", "-show_entries", "stream=codec_name,sample_rate,channels",
         "-of", "default=noprint_wrappers=1", QtPath(file)});
    QHash<QString, QString> values;
    for (const QString &line : QString::fromUtf8(result.standardOutput).split(u'\n', Qt::SkipEmptyParts))
        values.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    return values;
}

// The name the converter reports for the codec a format row names.
QString ReportedCodec(const QString &codecColumn)
{
    const QString codec = AsciiLower(codecColumn);
    return codec == u"libmp3lame" ? QStringLiteral("mp3") : codec;
}

} // namespace

TEST(ShippedPresets, EveryPresetChoosesItsRowsAndConverts)
{
    const PresetFile file(fs::path(TEST_SOURCE_DIR) / "../resources/profile.txt");
    ASSERT_GE(file.lines().size(), 8);
    const QString converter = FindConverter();
    ASSERT_FALSE(converter.isEmpty()) << ConverterNotFoundMessage().toStdString();

    QTemporaryDir folder;
    const fs::path root = PathFromQt(folder.path());
    const fs::path source = root / "tone.wav";
    testsupport::MakeTone(source, 1.0);

    for (int i = 0; i < file.lines().size(); ++i) {
        const QString &line = file.lines().at(i);
        SCOPED_TRACE(line.toStdString());
        OptionSet options;
        file.fillPresetList(options.C2_00);
        options.C2_00.setItemIndex(i + 1);
        ApplyPreset(options);
        // Saving the rows it chose gives back the very line: every key found its own row.
        EXPECT_EQ(ComposePresetLine(options.C2_00.columnText(i + 1, 0), options), line);

        const bool keepsFormat = EffectiveRow(options.C3_01) == 0;
        const QString extension = keepsFormat ? QStringLiteral("wav") : AsciiLower(options.C3_01.selectedColumn(0));
        const fs::path outputFolder = root / std::to_string(i);
        fs::create_directory(outputFolder);
        const fs::path output = outputFolder / PathFromQt("tone." + extension);

        const CommandLine command = BuildCommandLine(options, source, output);
        const testsupport::ProcessResult result = testsupport::Run(converter, command.arguments());
        EXPECT_EQ(result.exitCode, 0) << command.text().toStdString() << '\n' << result.standardError.toStdString();
        ASSERT_TRUE(fs::exists(output));
        EXPECT_GT(fs::file_size(output), 0u);

        const QHash<QString, QString> audio = ProbeAudio(output);
        if (!keepsFormat) {
            EXPECT_EQ(audio.value("codec_name"), ReportedCodec(options.C3_01.selectedColumn(1)));
        }
        if (EffectiveRow(options.C3_04) != 0) {
            EXPECT_EQ(audio.value("channels"), options.C3_04.selectedColumn(0));
        }
        if (EffectiveRow(options.C3_03) != 0) {
            EXPECT_EQ(audio.value("sample_rate") + "Hz", options.C3_03.selectedColumn(0));
        }
    }
}

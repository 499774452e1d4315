// The program's own files damaged or strange: profile.txt and Sorvane_R.ini
// read by the core and by sorvane-batch (named with --settings, and found
// beside a portable copy of the program). Nothing crashes or hangs, what can
// be read is used, the files and the sources stay as they were.
#include "batchsupport.h"
#include "optionset.h"
#include "pathtext.h"
#include "presets.h"
#include "prooffixtures.h"
#include "settings.h"
#include "testsupport.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <climits>
#include <functional>

using namespace prooffixtures;
using batchsupport::Entries;
using batchsupport::Folder;
using namespace std::chrono_literals;

namespace {

constexpr int Mp3Row = 13;
const std::string Mine = "Mine,MP3,2,LIBMP3LAME,44100Hz,128kbps";

std::string RandomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    std::string bytes(size_t(size), '\0');
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

std::string ManyPresetLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text.append("P").append(std::to_string(i)).append(",MP3,2,LIBMP3LAME,44100Hz,320kbps\r\n");
    return text;
}

struct FileCase
{
    const char *name;
    std::string bytes;
};

// Each preset file holds the preset "Mine" among what it holds.
std::vector<FileCase> PresetFiles()
{
    return {
        {"binary junk", RandomBytes(65536, 1) + "\r\n" + Mine + "\r\n" + RandomBytes(65536, 2)},
        {"invalid code page 932", "\x81\x20\xFF\xA0\x85\x40\x82\r\n" + Mine + "\r\n\xEF\x81\r\n\x9F"},
        {"a 1 MB line", "Big," + std::string(1 << 20, 'x') + "\r\n" + Mine + "\r\n"},
        {"100,000 lines", ManyPresetLines(100000) + Mine + "\r\n"},
        {"no final line break", ManyPresetLines(3) + Mine},
        {"CR only", "A,MP3,2,LIBMP3LAME,44100Hz,320kbps\r" + Mine + "\r\r"},
    };
}

class HostileFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsupport::MakeTone(m_sources / "a.wav", 0.2);
        m_sourceSums = Checksums(m_sources.path());
    }

    // A portable copy of the program with `presetBytes` as its profile.txt.
    fs::path portable(const std::string &presetBytes)
    {
        WriteFile(m_program / "profile.txt", presetBytes);
        return PortableBatch(m_program.path());
    }

    Folder m_sources;
    Folder m_program;
    std::map<fs::path, QByteArray> m_sourceSums;
};

TEST_F(HostileFiles, PresetFileOfAnyContentGivesItsPresets)
{
    for (const FileCase &file : PresetFiles()) {
        SCOPED_TRACE(file.name);
        const fs::path program = portable(file.bytes);
        const fs::path presetFile = m_program / "profile.txt";
        const auto presetSum = Checksums(m_program.path());

        // The core: read whole, one row a line, "Mine" found and applied.
        sorvane::PresetFile presets(presetFile);
        sorvane::OptionSet options;
        presets.fillPresetList(options.C2_00);
        EXPECT_EQ(options.C2_00.rowCount(), 1 + presets.lines().size());
        ASSERT_TRUE(sorvane::ChoosePreset(options, QString::fromStdString(Mine.substr(0, 4))));
        EXPECT_EQ(options.C3_01.itemIndex(), Mp3Row);

        // The program beside it converts with that preset; the converter is
        // found on PATH, as the program's folder has none.
        const ChildResult run = RunChild(program, {"--settings", "/nonexistent/settings.ini", "--preset", "Mine",
                                                   (m_sources / "a.wav").native()},
                                         {.timeout = 60s});
        ASSERT_FALSE(run.hung);
        EXPECT_EQ(run.exitCode, 0) << run.standardOutput.constData() << run.standardError.left(500).constData();
        EXPECT_TRUE(run.standardOutput.contains("OK\t" + sorvane::PathBytes(m_sources / "a.wav") + '\t'
                                                + sorvane::PathBytes(m_sources / "a.mp3")))
            << run.standardOutput.constData();
        EXPECT_LT(run.elapsed, 20s);
        fs::remove(m_sources / "a.mp3");
        EXPECT_EQ(Checksums(m_sources.path()), m_sourceSums);
        EXPECT_EQ(Checksums(m_program.path()), presetSum) << "the preset file was changed";
    }
}

// The options a settings file gives, as the settings file would hold them.
QByteArray OptionsText(const sorvane::OptionSet &options)
{
    sorvane::IniFile written;
    sorvane::SaveSettings(written, options);
    return written.text();
}

struct SettingsCase
{
    const char *name;
    std::string bytes;
    std::function<void(const sorvane::OptionSet &)> expect; // on the options the core read
    const char *inLine;                                    // in the dry run's line, or nullptr
    const char *notInLine;                                 // not in it, or nullptr
};

std::vector<SettingsCase> SettingsFiles(const QByteArray &defaults)
{
    const auto asDefaults = [defaults](const sorvane::OptionSet &options) { EXPECT_EQ(OptionsText(options), defaults); };
    const auto mp3 = [](const sorvane::OptionSet &options) { EXPECT_EQ(options.C3_01.itemIndex(), Mp3Row); };
    return {
        {"junk", RandomBytes(65536, 3), asDefaults, "-acodec copy", nullptr},
        {"duplicate keys and sections", "[SET3]\nC3_01=13\nc3_01=7\n[set3]\nC3_01=5\n", mp3, "libmp3lame", nullptr},
        {"huge and negative numbers",
         "[SET]\nM_LEFT=-2147483648\nM_TOP=99999999999\n[SET3]\nC3_01=4294967309\nC3_02=-5\n"
         "[SET4]\nC4_01_1=-7\nC4_01_2=2147483647\nC4_01_3=-2147483649\n",
         [](const sorvane::OptionSet &options) {
             EXPECT_EQ(options.position, QPoint(INT_MIN, 20));
             EXPECT_EQ(options.C3_01.itemIndex(), -1) << "2^32 + 13 must not wrap to row 13";
             EXPECT_EQ(options.C3_02.itemIndex(), -1);
             EXPECT_EQ(options.C4_01[0], 0);
             EXPECT_EQ(options.C4_01[1], sorvane::OptionSet::RangeFieldMaximum[1]);
             EXPECT_EQ(options.C4_01[2], 0);
         },
         "-acodec copy", "libmp3lame"},
        {"a 1 MB value", "[SET3]\nC3_01=13" + std::string(1 << 20, '3') + "\n[SET1]\nC1_03=" + std::string(1 << 20, 'a')
                             + "\n",
         [](const sorvane::OptionSet &options) {
             EXPECT_EQ(options.C1_03, QString(sorvane::FolderTextLimit, u'a'));
             EXPECT_EQ(options.C3_01.itemIndex(), -1);
         },
         "-acodec copy", nullptr},
        {"no final line break", "[SET3]\r\nC3_01=13", mp3, "libmp3lame", nullptr},
    };
}

TEST_F(HostileFiles, SettingsFileOfAnyContentGivesWhatItCan)
{
    const QString applicationFolder = sorvane::QtPath(m_program.path());
    sorvane::OptionSet reference;
    sorvane::LoadSettings(sorvane::IniFile(), reference, applicationFolder);
    const fs::path program = portable(Mine + "\r\n");
    const fs::path portableSettings = m_program / "Sorvane_R.ini";
    Folder named;
    const fs::path namedSettings = named / "settings.ini";

    for (const SettingsCase &file : SettingsFiles(OptionsText(reference))) {
        SCOPED_TRACE(file.name);
        WriteFile(namedSettings, file.bytes);
        WriteFile(portableSettings, file.bytes);
        const auto settingsSums = Checksums(named.path());

        sorvane::OptionSet options;
        sorvane::LoadSettingsFile(sorvane::QtPath(namedSettings), options, applicationFolder);
        file.expect(options);

        const std::string source = (m_sources / "a.wav").native();
        const ChildResult withNamed = RunChild(program, {"--settings", namedSettings.native(), "--dry-run", source});
        const ChildResult besideIt = RunChild(program, {"--dry-run", source});
        for (const ChildResult *run : {&withNamed, &besideIt}) {
            ASSERT_FALSE(run->hung);
            EXPECT_EQ(run->exitCode, 0) << run->standardError.left(500).constData();
            EXPECT_EQ(run->standardOutput.count('\n'), 1);
            if (file.inLine) {
                EXPECT_TRUE(run->standardOutput.contains(file.inLine)) << run->standardOutput.left(500).constData();
            }
            if (file.notInLine) {
                EXPECT_FALSE(run->standardOutput.contains(file.notInLine));
            }
        }
        EXPECT_EQ(withNamed.standardOutput, besideIt.standardOutput);
        EXPECT_EQ(Checksums(named.path()), settingsSums);
    }
}

// A 1 MB folder text is cut to the limit; a folder of that name cannot be
// made, so each source fails with the converter's reason and nothing is written.
TEST_F(HostileFiles, HugeDestinationFolderFailsEachSourceCleanly)
{
    Folder work;
    const fs::path settings = work / "settings.ini";
    WriteFile(settings, "[SET1]\nC1_02=2\nC1_03=" + (work / std::string(1 << 20, 'a')).native() + "\n[SET3]\nC3_01=7\n");
    const ChildResult run = RunChild(BatchPath(), {"--settings", settings.native(), m_sources.path().native()},
                                     {.timeout = 60s});
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardOutput.startsWith("FAILED\t" + sorvane::PathBytes(m_sources / "a.wav") + '\t'))
        << run.standardOutput.left(500).constData();
    EXPECT_EQ(Entries(work.path()), std::set<std::string>{"settings.ini"});
    EXPECT_EQ(Checksums(m_sources.path()), m_sourceSums);
}

// A read-only settings file is read (the program never writes it in a batch
// run); a folder in its place is an error when named, and the defaults with
// a word on standard error when it stands beside the program.
TEST_F(HostileFiles, ReadOnlySettingsFileAndAFolderInItsPlace)
{
    const fs::path program = portable(Mine + "\r\n");
    const fs::path settings = m_program / "Sorvane_R.ini";
    const std::string source = (m_sources / "a.wav").native();

    WriteFile(settings, "[SET3]\nC3_01=13\n");
    fs::permissions(settings, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const ChildResult readOnly = RunChild(program, {"--set", "C1_02=2", "--set", "C1_03=" + m_program.path().native(), source});
    EXPECT_EQ(readOnly.exitCode, 0) << readOnly.standardOutput.constData();
    EXPECT_TRUE(fs::is_regular_file(m_program / "a.mp3"));
    EXPECT_EQ(ReadFile(settings), "[SET3]\nC3_01=13\n");
    fs::remove(settings);

    fs::create_directory(settings);
    const ChildResult named = RunChild(program, {"--settings", settings.native(), "--dry-run", source});
    EXPECT_EQ(named.exitCode, 2);
    EXPECT_TRUE(named.standardError.contains("cannot read the settings file " + sorvane::PathBytes(settings)))
        << named.standardError.constData();
    EXPECT_TRUE(named.standardOutput.isEmpty());

    const ChildResult beside = RunChild(program, {"--dry-run", source});
    EXPECT_EQ(beside.exitCode, 0);
    EXPECT_TRUE(beside.standardError.contains("cannot read the settings file")) << beside.standardError.constData();
    EXPECT_TRUE(beside.standardOutput.contains("-acodec copy"));
    EXPECT_TRUE(fs::is_directory(settings));
    EXPECT_TRUE(fs::is_empty(settings));
    EXPECT_EQ(Checksums(m_sources.path()), m_sourceSums);
}

// Started without standard input, output and error (as some schedulers and
// daemons start programs): what it prints must not land in a file or socket
// it opens later, nor be taken for a request to stop.
TEST_F(HostileFiles, ClosedStandardStreams)
{
    testsupport::MakeTone(m_sources / "b.wav", 0.2);
    const ChildResult run = RunChild(BatchPath(), {"--settings", "/nonexistent/settings.ini", "--set", "C3_01=7",
                                                   m_sources.path().native()},
                                     {.timeout = 60s, .closedStandardStreams = true});
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Entries(m_sources.path()), (std::set<std::string>{"a.wav", "a.flac", "b.wav", "b.flac"}));
}

} // namespace

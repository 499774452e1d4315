// The headless front end, run as a real program.

#include "pathtext.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

using namespace testsupport;
using sorvane::PathFromQt;
using sorvane::QtPath;

namespace {

class BatchCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = m_dir.filePath(QStringLiteral("settings.ini"));
    }

    fs::path folder() const { return PathFromQt(m_dir.path()); }

    ProcessResult batch(QStringList arguments, const QStringList &environment = {})
    {
        arguments.prepend(m_settings);
        arguments.prepend(QStringLiteral("--settings"));
        return testsupport::Run(BatchProgram(), arguments, environment);
    }

    QTemporaryDir m_dir;
    QString m_settings;
};

TEST_F(BatchCli, UsageErrors)
{
    const QStringList cases[] = {
        {},                                                  // no PATH
        {QStringLiteral("--bogus"), QStringLiteral("a.wav")},
        {QStringLiteral("--set"), QStringLiteral("NOPE=1"), QStringLiteral("a.wav")},
        {QStringLiteral("--set"), QStringLiteral("C3_01"), QStringLiteral("a.wav")},
        {QStringLiteral("--preset"), QStringLiteral("no such preset"), QStringLiteral("a.wav")},
    };
    for (const QStringList &arguments : cases) {
        const ProcessResult result = batch(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.standardError.contains("Usage:"));
    }
    EXPECT_EQ(batch({QStringLiteral("--help")}).exitCode, 0);
    EXPECT_TRUE(batch({QStringLiteral("--version")}).standardOutput.startsWith("sorvane-batch "));
}

TEST_F(BatchCli, DryRunPrintsWhatARealRunWouldDoAndWritesNothing)
{
    MakeTone(folder() / "a.wav", 0.2);
    MakeTone(folder() / "a.ogg", 0.2);
    const ProcessResult result = batch({QStringLiteral("--dry-run"), QStringLiteral("--set"), QStringLiteral("C3_01=13"),
                                        QStringLiteral("--set"), QStringLiteral("C1_02=0"), m_dir.path()});
    ASSERT_EQ(result.exitCode, 0) << result.standardError.constData();
    const QString base = m_dir.path();
    const QList<QByteArray> lines = result.standardOutput.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], ("ffmpeg -i \"" + base + "/a.ogg\" -flags bitexact -vn -acodec libmp3lame \"" + base + "/a.mp3\"").toUtf8());
    EXPECT_EQ(lines[1], ("ffmpeg -i \"" + base + "/a.wav\" -flags bitexact -vn -acodec libmp3lame \"" + base
                         + "/変換 ～ a.mp3\"").toUtf8());
    EXPECT_EQ(QDir(base).entryList(QDir::Files).size(), 2) << "a dry run writes nothing";
}

TEST_F(BatchCli, APathThatGivesNoFileIsNamedAndFailsTheRun)
{
    MakeTone(folder() / "a.wav", 0.2);
    const QString missing = m_dir.filePath(QStringLiteral("no such.wav"));
    for (const QString &mode : {QStringLiteral("--dry-run"), QStringLiteral("--set=C3_01=7")}) {
        const ProcessResult result = batch({mode, QtPath(folder() / "a.wav"), missing});
        EXPECT_EQ(result.exitCode, 1) << mode.toStdString();
        EXPECT_TRUE(result.standardError.contains(("no file to convert at " + missing).toUtf8()));
        EXPECT_TRUE(result.standardOutput.contains("a.wav")) << "the other sources are still taken";
    }
}

TEST_F(BatchCli, DryRunSendsRefusalsToStandardError)
{
    MakeTone(folder() / "a.wav", 0.2);
    const ProcessResult result = batch({QStringLiteral("--dry-run"), QStringLiteral("--set"), QStringLiteral("C1_02=1"),
                                        QStringLiteral("--set"), QStringLiteral("C3_01=0"), m_dir.path()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.standardOutput.isEmpty());
    EXPECT_TRUE(result.standardError.startsWith((m_dir.path() + "/a.wav\t").toUtf8())) << result.standardError.constData();
}

TEST_F(BatchCli, ConvertsAndReportsEachSource)
{
    MakeTone(folder() / "one.wav", 0.3);
    MakeTone(folder() / "two.wav", 0.3);
    const ProcessResult ok = batch({QStringLiteral("--set"), QStringLiteral("C3_01=7"), m_dir.path()});
    EXPECT_EQ(ok.exitCode, 0) << ok.standardError.constData();
    EXPECT_TRUE(ok.standardOutput.contains(("OK\t" + m_dir.path() + "/one.wav\t" + m_dir.path() + "/one.flac\n").toUtf8()));
    EXPECT_TRUE(ok.standardOutput.endsWith("2 converted, 0 failed\n"));
    EXPECT_TRUE(fs::is_regular_file(folder() / "two.flac"));

    const ProcessResult failed = batch({QStringLiteral("--set"), QStringLiteral("C3_01=11"), // a codec ffmpeg lacks
                                        QtPath(folder() / "one.wav")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.standardOutput.startsWith(("FAILED\t" + m_dir.path() + "/one.wav\t").toUtf8()));
    EXPECT_TRUE(failed.standardOutput.endsWith("0 converted, 1 failed\n"));
    EXPECT_FALSE(fs::exists(folder() / "one.m4a"));
}

TEST_F(BatchCli, PresetComesAfterTheSettingsFileAndBeforeSingleKeys)
{
    WriteBytes(folder() / "settings.ini", "[SET3]\nC3_01=2\nC3_05=1\n");
    MakeTone(folder() / "a.wav", 0.2);
    // A preset shipped beside the program: MP3, mono, 22050 Hz, 64 kbit/s.
    const ProcessResult result = batch({QStringLiteral("--dry-run"), QStringLiteral("--preset"),
                                        QStringLiteral("MP3音声(64kﾓﾉﾗﾙ)"), QStringLiteral("--set"),
                                        QStringLiteral("C3_02=1"), m_dir.path()});
    ASSERT_EQ(result.exitCode, 0) << result.standardError.constData();
    EXPECT_TRUE(result.standardOutput.contains(" -acodec libmp3lame -ab 16k -ar 22050 -ac 1 -vol 128 "))
        << result.standardOutput.constData();
}

TEST_F(BatchCli, MissingConverterIsNamed)
{
    MakeTone(folder() / "a.wav", 0.2);
    QTemporaryDir emptyPath;
    const ProcessResult result = batch({QStringLiteral("--set"), QStringLiteral("C3_01=7"), m_dir.path()},
                                       {QStringLiteral("PATH=") + emptyPath.path()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.contains("ffmpeg")) << result.standardError.constData();
    EXPECT_FALSE(fs::exists(folder() / "a.flac"));
}

TEST_F(BatchCli, TerminationStopsTheRunWithStatus130)
{
    MakeTone(folder() / "a.wav", 0.2);
    MakeTone(folder() / "b.wav", 0.2);
    const fs::path started = folder() / "started";
    InstallFakeConverter(HangingConverter(started));
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(BatchProgram(), {QStringLiteral("--settings"), m_settings, QStringLiteral("--set"),
                                   QStringLiteral("C3_01=7"), m_dir.path()});
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(started); }, 20000));
    ::kill(pid_t(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    RemoveFakeConverter();
    EXPECT_EQ(process.exitCode(), 130);
    const QByteArray output = process.readAllStandardOutput();
    EXPECT_TRUE(output.contains(("FAILED\t" + m_dir.path() + "/a.wav").toUtf8())) << output.constData();
    EXPECT_FALSE(output.contains("b.wav")) << "no further source is taken";
    for (const auto &entry : fs::directory_iterator(folder()))
        EXPECT_NE(entry.path().extension(), ".flac") << entry.path() << " partial output left";
}

TEST_F(BatchCli, TheConverterEndsWhenTheProgramIsKilled)
{
    MakeTone(folder() / "a.wav", 0.2);
    const fs::path pidFile = folder() / "converter.pid";
    InstallFakeConverter("#!/bin/sh\necho $$ > '" + sorvane::PathBytes(pidFile) + ".tmp'\nmv '"
                         + sorvane::PathBytes(pidFile) + ".tmp' '" + sorvane::PathBytes(pidFile) + "'\nexec sleep 60\n");
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(BatchProgram(), {QStringLiteral("--settings"), m_settings, m_dir.path()});
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(pidFile); }, 20000));
    const pid_t converter = ReadBytes(pidFile).trimmed().toInt();
    ASSERT_GT(converter, 0);
    process.kill(); // SIGKILL: no chance to stop anything itself
    ASSERT_TRUE(process.waitForFinished(20000));
    RemoveFakeConverter();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ::kill(converter, 0) != 0; }, 10000)) << "the converter runs on";
}

} // namespace

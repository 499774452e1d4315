#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace testsupport {

void MakeTone(const fs::path &file, double seconds)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    ASSERT_FALSE(ffmpeg.isEmpty()) << "ffmpeg is not installed";
    const ProcessResult result = Run(ffmpeg,
        {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
         QStringLiteral("-f"), QStringLiteral("lavfi"),
         QStringLiteral("-i"), QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds),
         QFile::decodeName(QByteArray::fromStdString(file.native()))});
    ASSERT_EQ(result.exitCode, 0) << result.standardError.constData();
}

QByteArray ReadBytes(const fs::path &file)
{
    QFile f(QFile::decodeName(QByteArray::fromStdString(file.native())));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void WriteBytes(const fs::path &file, const QByteArray &bytes)
{
    QFile f(QFile::decodeName(QByteArray::fromStdString(file.native())));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file;
    ASSERT_EQ(f.write(bytes), bytes.size());
}

ProcessResult Run(const QString &program, const QStringList &arguments, const QStringList &extraEnvironment)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &entry : extraEnvironment)
        environment.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted(10000))
        return result;
    process.waitForFinished(120000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.standardOutput = process.readAllStandardOutput();
    result.standardError = process.readAllStandardError();
    return result;
}

QString BatchProgram()
{
    const QString fromEnvironment = qEnvironmentVariable("SORVANE_BATCH");
    return fromEnvironment.isEmpty() ? QStringLiteral(TEST_BUILD_DIR "/sorvane-batch") : fromEnvironment;
}

fs::path FakeConverterFolder()
{
    static QTemporaryDir folder;
    static const bool onPath = [] {
        qputenv("PATH", QFile::encodeName(folder.path()) + ':' + qgetenv("PATH"));
        return true;
    }();
    Q_UNUSED(onPath);
    return fs::path(QFile::encodeName(folder.path()).toStdString());
}

void InstallFakeConverter(const QByteArray &script)
{
    const fs::path file = FakeConverterFolder() / "ffmpeg";
    WriteBytes(file, script);
    fs::permissions(file, fs::perms::owner_all);
}

QByteArray HangingConverter(const fs::path &marker)
{
    return "#!/bin/sh\nfor last; do :; done\necho partial > \"$last\"\ntouch '"
        + QByteArray::fromStdString(marker.native()) + "'\nexec sleep 60\n";
}

void RemoveFakeConverter()
{
    fs::remove(FakeConverterFolder() / "ffmpeg");
}

} // namespace testsupport

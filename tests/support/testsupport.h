#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <filesystem>

namespace testsupport {

namespace fs = std::filesystem;

// Writes `seconds` of a sine tone to `file` with the real converter; the
// container follows the file's extension.
void MakeTone(const fs::path &file, double seconds = 1.0);

QByteArray ReadBytes(const fs::path &file);
void WriteBytes(const fs::path &file, const QByteArray &bytes);

struct ProcessResult
{
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;
};
// Runs a program to its end (up to two minutes) and returns what it printed.
ProcessResult Run(const QString &program, const QStringList &arguments, const QStringList &extraEnvironment = {});

// The built headless front end.
QString BatchProgram();

// A folder on PATH's front that holds fake converters written by tests.
fs::path FakeConverterFolder();
// Installs a shell script as the fake `ffmpeg` in FakeConverterFolder().
void InstallFakeConverter(const QByteArray &script);
void RemoveFakeConverter();
// A fake converter that writes part of its output, then creates `marker`
// (so a test knows it runs) and hangs.
QByteArray HangingConverter(const fs::path &marker);

} // namespace testsupport

#include "commandline.h"
#include "converter.h"
#include "optionset.h"
#include "pathtext.h"
#include "testsupport.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvane;
namespace fs = std::filesystem;

namespace {

TEST(Converter, FoundOnPath)
{
    const QString program = FindConverter();
    ASSERT_FALSE(program.isEmpty());
    EXPECT_TRUE(program.endsWith(QStringLiteral("/ffmpeg")));
    EXPECT_TRUE(ConverterNotFoundMessage().contains(QStringLiteral("ffmpeg")));
}

TEST(Converter, ConvertsWithTheArgumentListAndNoStandardInput)
{
    QTemporaryDir dir;
    const fs::path folder = PathFromQt(dir.path()) / "with space \"quoted\" 日本語";
    fs::create_directories(folder);
    const fs::path source = folder / "tone 1.wav";
    testsupport::MakeTone(source, 0.5);

    OptionSet options;
    options.C3_01.setItemIndex(7); // FLAC
    const fs::path output = folder / "tone 1.flac";
    QProcess process;
    PrepareConverterProcess(process, FindConverter(), BuildCommandLine(options, source, output));
    ErrorTail tail;
    QObject::connect(&process, &QProcess::readyReadStandardError,
                     [&] { tail.append(process.readAllStandardError()); });
    QSignalSpy finished(&process, &QProcess::finished);
    process.start();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << tail.lines().join('\n').toStdString();
    EXPECT_GT(fs::file_size(output), 0u);
}

TEST(Converter, FailingConversionLeavesItsLastErrorLine)
{
    QTemporaryDir dir;
    const fs::path missing = PathFromQt(dir.path()) / "missing.wav";
    QProcess process;
    PrepareConverterProcess(process, FindConverter(), BuildCommandLine(OptionSet(), missing, missing.string() + ".mp3"));
    ErrorTail tail;
    QObject::connect(&process, &QProcess::readyReadStandardError,
                     [&] { tail.append(process.readAllStandardError()); });
    QSignalSpy finished(&process, &QProcess::finished);
    process.start();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(tail.lastLine().contains(QStringLiteral("No such file"))) << tail.lastLine().toStdString();
}

TEST(ErrorTail, KeepsTheLastLinesWithinBounds)
{
    ErrorTail tail;
    tail.append("first\r\nsize=   1kB\rsize=   2kB\r");
    tail.append("partial");
    tail.append(" line\n\n   \n");
    EXPECT_EQ(tail.lastLine(), "partial line");
    EXPECT_EQ(tail.lines().first(), "first");

    for (int i = 0; i < 100000; ++i)
        tail.append(QByteArray(100, 'x') + '\n');
    tail.append(QByteArray(1 << 20, 'y'));
    EXPECT_LE(tail.lines().size(), ErrorTail::MaxLines + 1);
    EXPECT_EQ(tail.lastLine().size(), ErrorTail::MaxLineLength);
}

} // namespace

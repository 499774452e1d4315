// Converter faults met by the headless front end: each is reported honestly,
// what the failed conversion wrote is gone, what lay there before stays, and
// the run goes on. A fake `ffmpeg` plays the faults the real one cannot show.
#include "batchsupport.h"
#include "conversionjob.h"
#include "converter.h"
#include "pathtext.h"
#include "prooffixtures.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

using namespace prooffixtures;
using batchsupport::Entries;
using batchsupport::Folder;
using namespace std::chrono_literals;

namespace {

const std::vector<std::string> Mp3Overwriting{"--settings", "/nonexistent/settings.ini", "--set", "C3_01=13",
                                              "--set", "C1_02=1"};

std::vector<std::string> Arguments(std::vector<std::string> options, const std::vector<fs::path> &paths)
{
    for (const fs::path &path : paths)
        options.push_back(path.native());
    return options;
}

QByteArray Line(const char *status, const fs::path &source, const QByteArray &last)
{
    return QByteArray(status) + '\t' + sorvane::PathBytes(source) + '\t' + last + '\n';
}

// The folder of the real converter, whatever fakes were put before it.
QString RealConverterFolder()
{
    const QString fakes = sorvane::QtPath(testsupport::FakeConverterFolder());
    for (const QString &folder : qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts)) {
        if (folder != fakes && QFileInfo(folder + QStringLiteral("/ffmpeg")).isExecutable())
            return folder;
    }
    return {};
}

// The fake takes its input after "-i" and its output last; the source's
// name says which fault it plays. A good source is copied as its output.
const QByteArray FakeHead = "#!/bin/sh\n"
                            "prev=; for a; do [ \"$prev\" = -i ] && in=$a; prev=$a; done; out=$a\n";

TEST(ConverterFaultsCli, EachFaultFailsItsSourceAloneAndLeavesNothing)
{
    testsupport::InstallFakeConverter(FakeHead + "case \"$in\" in\n"
        "*fail*) printf partial > \"$out\"; echo 'codec exploded' >&2; exit 3;;\n"
        "*crash*) printf partial > \"$out\"; kill -SEGV $$;;\n"
        "*flood*) printf partial > \"$out\"; head -c 8000000 /dev/zero | tr '\\0' x >&2\n"
        "  yes 'size= 10kB time=00:00:01' | head -c 8000000 >&2; echo 'flood ended badly' >&2; exit 1;;\n"
        "*) cat \"$in\" > \"$out\";;\n"
        "esac\n");
    Folder dir;
    std::vector<fs::path> sources;
    for (const char *name : {"1ok", "crash", "fail", "flood", "ok"}) {
        sources.push_back(dir / (std::string(name) + ".wav"));
        WriteFile(sources.back(), std::string("source ") + name);
        if (std::string_view(name).find("ok") == std::string_view::npos)
            WriteFile(dir / (std::string(name) + ".mp3"), "what was there before");
    }
    const auto before = Checksums(dir.path());

    const ChildResult run = RunChild(BatchPath(), Arguments(Mp3Overwriting, sources));

    testsupport::RemoveFakeConverter();
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.exitCode, 1) << run.standardError.constData();
    const QByteArray &out = run.standardOutput;
    EXPECT_TRUE(out.contains(Line("OK", dir / "1ok.wav", sorvane::PathBytes(dir / "1ok.mp3"))));
    EXPECT_TRUE(out.contains(Line("OK", dir / "ok.wav", sorvane::PathBytes(dir / "ok.mp3"))));
    EXPECT_TRUE(out.contains(Line("FAILED", dir / "fail.wav", "codec exploded"))) << out.constData();
    EXPECT_TRUE(out.contains(Line("FAILED", dir / "crash.wav", sorvane::ConverterCrashedReason.toUtf8())));
    EXPECT_TRUE(out.contains(Line("FAILED", dir / "flood.wav", "flood ended badly")));
    EXPECT_TRUE(out.endsWith("2 converted, 3 failed\n")) << out.constData();
    EXPECT_LT(run.maxResidentKiB, 100 * 1024) << "16 MB of error output must not be held";

    auto after = Checksums(dir.path());
    EXPECT_EQ(testsupport::ReadBytes(dir / "ok.mp3"), "source ok");
    after.erase(dir / "ok.mp3");
    after.erase(dir / "1ok.mp3");
    EXPECT_EQ(after, before) << "a source or an earlier output changed";
    EXPECT_EQ(Entries(dir.path()).size(), 10u) << "a partial output was left";
}

// Stops a run with `signal` while the converter of its first source hangs;
// the run takes no further source, and the converter ends after the grace
// period when it ignores the polite request, at once otherwise.
void ExpectStopBy(int signal, bool converterIgnoresStop)
{
    Folder dir;
    const fs::path pidFile = dir / "converter.pid";
    const QByteArray pidBytes = sorvane::PathBytes(pidFile);
    testsupport::InstallFakeConverter(FakeHead + "printf partial > \"$out\"\n"
                                      + (converterIgnoresStop ? "trap '' TERM INT HUP\n" : "")
                                      + "echo $$ > '" + pidBytes + ".tmp'\nmv '" + pidBytes + ".tmp' '" + pidBytes + "'\n"
                                      "exec sleep 600\n");
    WriteFile(dir / "a.wav", "first");
    WriteFile(dir / "b.wav", "second");
    WriteFile(dir / "a.mp3", "what was there before");
    const auto before = Checksums(dir.path());

    Child batch(BatchPath(), Arguments(Mp3Overwriting, {dir / "a.wav", dir / "b.wav"}), {.timeout = 60s});
    for (int waited = 0; !fs::exists(pidFile) && waited < 20000; waited += 10)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(fs::exists(pidFile)) << "the fake converter did not start";
    const pid_t converter = pid_t(testsupport::ReadBytes(pidFile).trimmed().toInt());
    fs::remove(pidFile);
    const auto stopAsked = std::chrono::steady_clock::now();
    ::kill(batch.pid(), signal);
    const ChildResult run = batch.wait();
    const auto took = std::chrono::steady_clock::now() - stopAsked;
    testsupport::RemoveFakeConverter();

    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.exitCode, 130) << "ended by signal " << run.signal;
    if (converterIgnoresStop) {
        EXPECT_GE(took, sorvane::ConversionJob::StopGracePeriod * 9 / 10);
    }
    EXPECT_LT(took, (converterIgnoresStop ? sorvane::ConversionJob::StopGracePeriod : 0s) + 3s);
    EXPECT_TRUE(ProcessEnded(converter));
    EXPECT_TRUE(run.standardOutput.contains(Line("FAILED", dir / "a.wav", sorvane::StoppedReason.toUtf8())))
        << run.standardOutput.constData();
    EXPECT_FALSE(run.standardOutput.contains("b.wav"));
    EXPECT_TRUE(run.standardOutput.endsWith("0 converted, 1 failed\n"));
    EXPECT_EQ(Checksums(dir.path()), before);
    EXPECT_EQ(Entries(dir.path()).size(), 3u) << "the converter's file was left";
}

TEST(ConverterFaultsCli, StopEndsAConverterThatIgnoresIt)
{
    ExpectStopBy(SIGTERM, true);
}

// A closed terminal (or a dropped remote session) stops the run the same way
// instead of leaving the converter running and its file behind.
TEST(ConverterFaultsCli, HangUpStopsTheRun)
{
    ExpectStopBy(SIGHUP, false);
}

// An `ffmpeg` that is no program: one that may not be run is passed over in
// favour of the next one on PATH (or none is found); one that fails to start
// fails each source with a reason.
TEST(ConverterFaultsCli, ConverterThatCannotBeStarted)
{
    const QString realFolder = RealConverterFolder();
    ASSERT_FALSE(realFolder.isEmpty()) << "ffmpeg is not installed";
    Folder dir;
    Folder notRunnable;
    WriteFile(notRunnable / "ffmpeg", "#!/bin/sh\nexit 0\n");
    fs::permissions(notRunnable / "ffmpeg", fs::perms::owner_read | fs::perms::owner_write);
    Folder badInterpreter;
    WriteFile(badInterpreter / "ffmpeg", "#!/nonexistent/interpreter\n");
    fs::permissions(badInterpreter / "ffmpeg", fs::perms::owner_all);
    testsupport::MakeTone(dir / "a.wav", 0.2);
    testsupport::MakeTone(dir / "b.wav", 0.2);
    const auto sources = Checksums(dir.path());
    const std::vector<std::string> arguments = Arguments(Mp3Overwriting, {dir / "a.wav", dir / "b.wav"});
    const std::string notRunnablePath = "PATH=" + notRunnable.path().native();

    const ChildResult passedOver = RunChild(BatchPath(), arguments, {.environment = {notRunnablePath + ':' + realFolder.toStdString()}});
    EXPECT_EQ(passedOver.exitCode, 0) << passedOver.standardOutput.constData();
    EXPECT_TRUE(passedOver.standardOutput.endsWith("2 converted, 0 failed\n"));
    for (const char *output : {"a.mp3", "b.mp3"})
        fs::remove(dir / output);

    const ChildResult none = RunChild(BatchPath(), arguments, {.environment = {notRunnablePath}});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.standardError.contains(sorvane::ConverterNotFoundMessage().section(u'\n', 0, 0).toUtf8()))
        << none.standardError.constData();
    EXPECT_TRUE(none.standardOutput.endsWith("0 converted, 0 failed\n"));

    const ChildResult broken = RunChild(BatchPath(), arguments, {.environment = {"PATH=" + badInterpreter.path().native()}});
    EXPECT_EQ(broken.exitCode, 1);
    const QByteArray notStarted = sorvane::ConverterNotStartedReason.toUtf8();
    EXPECT_TRUE(broken.standardOutput.contains("FAILED\t" + sorvane::PathBytes(dir / "a.wav") + '\t' + notStarted));
    EXPECT_TRUE(broken.standardOutput.contains("FAILED\t" + sorvane::PathBytes(dir / "b.wav") + '\t' + notStarted));
    EXPECT_TRUE(broken.standardOutput.endsWith("0 converted, 2 failed\n")) << broken.standardOutput.constData();
    EXPECT_EQ(Checksums(dir.path()), sources);
}

// Between the intake and its turn a source goes, is replaced by other bytes,
// by a FIFO (which would block a converter reading it) or by a folder.
TEST(ConverterFaultsCli, SourceChangedBeforeItsTurn)
{
    Folder dir;
    const QByteArray folder = sorvane::PathBytes(dir.path());
    testsupport::InstallFakeConverter(FakeHead + "case \"$in\" in */a.wav)\n"
                                      "cd '" + folder + "' && rm b.wav && printf new > c.tmp && mv c.tmp c.wav\n"
                                      "rm d.wav && mkfifo d.wav && rm e.wav && mkdir e.wav;;\n"
                                      "esac\ncat \"$in\" > \"$out\"\n");
    for (const char *name : {"a", "b", "c", "d", "e"})
        WriteFile(dir / (std::string(name) + ".wav"), std::string("source ") + name);

    const ChildResult run = RunChild(BatchPath(), Arguments(Mp3Overwriting, {dir.path()}), {.timeout = 60s});
    testsupport::RemoveFakeConverter();

    ASSERT_FALSE(run.hung) << "a FIFO source was read";
    EXPECT_EQ(run.exitCode, 1);
    const QByteArray missing = sorvane::SourceMissingReason.toUtf8();
    const QByteArray &out = run.standardOutput;
    EXPECT_TRUE(out.contains(Line("OK", dir / "c.wav", sorvane::PathBytes(dir / "c.mp3")))) << out.constData();
    for (const char *gone : {"b.wav", "d.wav", "e.wav"})
        EXPECT_TRUE(out.contains(Line("FAILED", dir / gone, missing))) << gone;
    EXPECT_TRUE(out.endsWith("2 converted, 3 failed\n"));
    EXPECT_EQ(testsupport::ReadBytes(dir / "c.mp3"), "new") << "the source as it is at its turn is converted";
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"a.wav", "a.mp3", "c.wav", "c.mp3", "d.wav", "e.wav"}));
}

// The disk fills up in the middle of a real conversion: on a small file
// system of its own where the test may mount one, and under a file size
// limit (as a quota would) everywhere.
class DiskFull : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Noise hardly compresses: about 1.7 MB of FLAC.
        const testsupport::ProcessResult noise = testsupport::Run(QStandardPaths::findExecutable(QStringLiteral("ffmpeg")),
            {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-f"),
             QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("anoisesrc=duration=10:sample_rate=44100"),
             sorvane::QtPath(m_sources / "big.wav")});
        ASSERT_EQ(noise.exitCode, 0) << noise.standardError.constData();
        testsupport::MakeTone(m_sources / "small.wav", 0.2);
        m_before = Checksums(m_sources.path());
    }

    // Converts both sources into `destination` (mode 2) and checks the big
    // one failed cleanly and the small one still converted.
    void expectBigFailsAndRunGoesOn(const fs::path &destination, long long fileSizeLimit)
    {
        const std::vector<std::string> arguments{"--settings", "/nonexistent/settings.ini", "--set", "C3_01=7",
                                                 "--set", "C1_02=2", "--set", "C1_03=" + destination.native(),
                                                 m_sources.path().native()};
        const ChildResult run = RunChild(BatchPath(), arguments, {.fileSizeLimit = fileSizeLimit});
        ASSERT_FALSE(run.hung);
        EXPECT_EQ(run.exitCode, 1) << run.standardOutput.constData();
        EXPECT_TRUE(run.standardOutput.contains("FAILED\t" + sorvane::PathBytes(m_sources / "big.wav") + '\t'))
            << run.standardOutput.constData();
        EXPECT_TRUE(run.standardOutput.contains(Line("OK", m_sources / "small.wav", sorvane::PathBytes(destination / "small.flac"))));
        EXPECT_EQ(Entries(destination), std::set<std::string>{"small.flac"}) << "a partial output was left";
        EXPECT_EQ(Checksums(m_sources.path()), m_before);
    }

    Folder m_sources;
    std::map<fs::path, QByteArray> m_before;
};

TEST_F(DiskFull, SmallFileSystem)
{
    Folder mountPoint;
    const testsupport::ProcessResult mounted = testsupport::Run(QStringLiteral("mount"),
        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=512k"),
         QStringLiteral("tmpfs"), sorvane::QtPath(mountPoint.path())});
    if (mounted.exitCode != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << mounted.standardError.constData();
    expectBigFailsAndRunGoesOn(mountPoint.path(), -1);
    testsupport::Run(QStringLiteral("umount"), {sorvane::QtPath(mountPoint.path())});
}

TEST_F(DiskFull, FileSizeLimit)
{
    Folder destination;
    expectBigFailsAndRunGoesOn(destination.path(), 512 * 1024);
}

} // namespace

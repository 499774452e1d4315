// Converter faults the real converter cannot show on demand, played by a fake
// `ffmpeg` that stays first on PATH for the rest of this process.
#include "batchrun.h"
#include "batchsupport.h"
#include "optionset.h"
#include "testsupport.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace sorvane;
using namespace std::chrono_literals;
using batchsupport::Entries;
using batchsupport::Folder;
using batchsupport::RunToEnd;
namespace fs = std::filesystem;

namespace {

constexpr int Mp3Row = 13;

// Mode 1 over an existing output, so every case shows that file survives.
struct Fixture
{
    Fixture()
    {
        testsupport::WriteBytes(dir / "a.wav", "source");
        testsupport::WriteBytes(dir / "a.mp3", "what was there before");
        options.C1_02.setItemIndex(1);
        options.C3_01.setItemIndex(Mp3Row);
    }
    void expectUntouched() const
    {
        EXPECT_EQ(testsupport::ReadBytes(dir / "a.mp3"), "what was there before");
        EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"a.wav", "a.mp3"}));
    }
    Folder dir;
    OptionSet options;
};

// Each fake first writes a little to the file it was given as its output.
const QByteArray WritePartial = "#!/bin/sh\nfor last; do :; done\nprintf partial > \"$last\"\n";

TEST(ConverterFaults, CrashIsAFailureAndLeavesNothing)
{
    testsupport::InstallFakeConverter(WritePartial + "echo 'about to crash' >&2\nkill -SEGV $$\n");
    Fixture f;
    BatchRun run(f.options, {f.dir / "a.wav"});
    const BatchReport report = RunToEnd(run);
    EXPECT_EQ(report.failed, 1);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures[0].reason, ConverterCrashedReason);
    f.expectUntouched();
}

TEST(ConverterFaults, SuccessWithoutOutputIsAFailure)
{
    testsupport::InstallFakeConverter("#!/bin/sh\nexit 0\n");
    Fixture f;
    BatchRun run(f.options, {f.dir / "a.wav"});
    const BatchReport report = RunToEnd(run);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures[0].reason, NoOutputReason);
    f.expectUntouched();
}

TEST(ConverterFaults, ConverterIgnoringTheStopIsKilledAfterTheGracePeriod)
{
    testsupport::InstallFakeConverter(WritePartial + "trap '' TERM\nexec sleep 60\n");
    Fixture f;
    BatchRun run(f.options, {f.dir / "a.wav"});
    bool stopAsked = false;
    QElapsedTimer sinceStop;
    const auto stopper = batchsupport::StopWhenWriting([&] { return run.currentItem().PartialPath; }, [&] {
        sinceStop.start();
        return run.requestStop();
    }, stopAsked);
    const BatchReport report = RunToEnd(run);
    const auto waited = std::chrono::milliseconds(sinceStop.elapsed());
    EXPECT_TRUE(stopAsked);
    EXPECT_EQ(report.stopped, 1);
    EXPECT_EQ(report.failed, 0);
    EXPECT_GE(waited, ConversionJob::StopGracePeriod * 9 / 10); // a coarse timer may fire 5% early
    EXPECT_LT(waited, ConversionJob::StopGracePeriod + 2s);
    f.expectUntouched();
}

} // namespace

#include "batchrun.h"
#include "batchsupport.h"
#include "converter.h"
#include "optionset.h"
#include "outputpath.h"
#include "pathtext.h"
#include "testsupport.h"


#include <gtest/gtest.h>

#include <map>

using namespace sorvane;
using namespace std::chrono_literals;
using batchsupport::Entries;
using batchsupport::Folder;
using batchsupport::RunToEnd;
namespace fs = std::filesystem;

namespace {

constexpr int KeepRow = 0;
constexpr int FlacRow = 7;
constexpr int M4aFaacRow = 11; // an encoder this ffmpeg lacks
constexpr int Mp3Row = 13;

const std::string Prefix(NewNamePrefix);

void Choose(OptionSet &options, int mode, int format, const fs::path &folder = {})
{
    options.C1_02.setItemIndex(mode);
    options.C3_01.setItemIndex(format);
    options.C1_03 = QtPath(folder);
}

fs::file_time_type Day(int day)
{
    return batchsupport::FileTime(std::chrono::sys_days{std::chrono::May / day / 2019}, 10h + 1s + 123456789ns * day);
}

// What the run said while it ran.
struct RunLog
{
    explicit RunLog(BatchRun &run)
    {
        QObject::connect(&run, &BatchRun::sourceStarted, [&](int index) {
            started.push_back(index);
            items.push_back(run.currentItem());
        });
        QObject::connect(&run, &BatchRun::sourceEnded, [&](int index, const ConversionResult &result) {
            ended.push_back(index);
            results.push_back(result);
        });
    }
    std::vector<int> started;
    std::vector<int> ended;
    std::vector<CurrentItem> items;
    std::vector<ConversionResult> results;
};

struct ModeCase
{
    int mode;
    const char *folder;                                 // mode 2: below the temporary folder
    std::map<std::string, std::string> outputFromSource; // output name -> the source whose date it has
};

class RunInEachMode : public testing::TestWithParam<ModeCase> {};

// Three sources, two of which want the same name, and an older file at one
// output name.
TEST_P(RunInEachMode, NamesAndDatesEveryOutput)
{
    const ModeCase &c = GetParam();
    Folder dir;
    const std::vector<std::string> names{"a.ogg", "a.wav", "b.wav"};
    std::map<std::string, fs::file_time_type> dates;
    std::vector<fs::path> sources;
    for (std::size_t i = 0; i < names.size(); ++i) {
        dates[names[i]] = Day(int(i) + 1);
        sources.push_back(dir / names[i]);
        batchsupport::MakeDatedTone(sources.back(), 0.2, dates[names[i]]);
    }
    const fs::path outputFolder = c.mode == 2 ? dir / c.folder : dir.path();
    if (c.mode == 1)
        testsupport::WriteBytes(dir / "b.mp3", "older b.mp3");
    OptionSet options;
    Choose(options, c.mode, Mp3Row, c.mode == 2 ? outputFolder : fs::path());

    BatchRun run(options, sources);
    RunLog log(run);
    const BatchReport report = RunToEnd(run);

    EXPECT_EQ(report.converted, 3);
    EXPECT_EQ(report.failed, 0);
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(log.started, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(log.ended, (std::vector<int>{0, 1, 2}));
    for (std::size_t i = 0; i < log.items.size(); ++i) {
        EXPECT_EQ(log.items[i].SourcePath, sources[i]);
        EXPECT_EQ(log.items[i].OutputPath, log.results[i].output);
        EXPECT_EQ(log.items[i].PartialPath.parent_path(), outputFolder);
        EXPECT_TRUE(log.items[i].PartialPath.filename().string().starts_with('.'));
    }
    std::set<std::string> expected;
    for (const auto &[output, source] : c.outputFromSource) {
        expected.insert(output);
        EXPECT_EQ(fs::last_write_time(outputFolder / output), dates[source]) << output;
        EXPECT_NE(testsupport::ReadBytes(outputFolder / output), "older b.mp3");
    }
    if (c.mode != 2)
        expected.insert(names.begin(), names.end());
    EXPECT_EQ(Entries(outputFolder), expected);
}

INSTANTIATE_TEST_SUITE_P(Modes, RunInEachMode, testing::Values(
    ModeCase{0, "", {{"a.mp3", "a.ogg"}, {Prefix + "a.mp3", "a.wav"}, {"b.mp3", "b.wav"}}},
    ModeCase{1, "", {{"a.mp3", "a.wav"}, {"b.mp3", "b.wav"}}},
    ModeCase{2, "out/new", {{"a.mp3", "a.ogg"}, {Prefix + "a.mp3", "a.wav"}, {"b.mp3", "b.wav"}}}));

TEST(BatchRun, StopEndsOnlyTheRunningConversion)
{
    Folder dir;
    const std::vector<fs::path> sources{dir / "long.wav", dir / "short.wav"};
    testsupport::MakeTone(sources[0], 120);
    testsupport::MakeTone(sources[1], 0.2);
    OptionSet options;
    Choose(options, 0, Mp3Row);

    BatchRun run(options, sources);
    RunLog log(run);
    bool stopAsked = false;
    const auto stopper = batchsupport::StopWhenWriting([&] { return run.currentItem().PartialPath; },
                                                       [&] { return run.requestStop(); }, stopAsked);
    const BatchReport report = RunToEnd(run);

    EXPECT_TRUE(stopAsked);
    EXPECT_FALSE(run.requestStop()) << "nothing is running after the end";
    EXPECT_EQ(report.stopped, 1);
    EXPECT_EQ(report.converted, 1);
    EXPECT_EQ(report.failed, 0);
    ASSERT_EQ(log.results.size(), 2u);
    EXPECT_EQ(log.results[0].outcome, ConversionOutcome::Stopped);
    EXPECT_EQ(log.results[1].outcome, ConversionOutcome::Converted);
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"long.wav", "short.wav", "short.mp3"}));
}

TEST(BatchRun, FailuresAreReportedWithTheirReasonsAndTheRunGoesOn)
{
    Folder dir;
    testsupport::MakeTone(dir / "a.mp3", 0.2);
    testsupport::MakeTone(dir / "c.wav", 0.2);
    const QByteArray sourceBytes = testsupport::ReadBytes(dir / "a.mp3");
    OptionSet options;

    // The source as its own output: refused, untouched.
    Choose(options, 1, KeepRow);
    BatchRun itself(options, {dir / "a.mp3"});
    RunLog itselfLog(itself);
    BatchReport report = RunToEnd(itself);
    EXPECT_EQ(report.failed, 1);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures[0].reason, OutputIsSourceReason);
    EXPECT_EQ(itselfLog.started, std::vector<int>{0});
    EXPECT_EQ(testsupport::ReadBytes(dir / "a.mp3"), sourceBytes);

    // A vanished source fails on its own; a codec the converter lacks fails
    // with the converter's last line and leaves no output.
    Choose(options, 0, FlacRow);
    BatchRun vanished(options, {dir / "a.mp3", dir / "gone.wav", dir / "c.wav"});
    report = RunToEnd(vanished);
    EXPECT_EQ(report.converted, 2);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_EQ(report.failures[0].source, dir / "gone.wav");
    EXPECT_EQ(report.failures[0].reason, SourceMissingReason);

    Choose(options, 0, M4aFaacRow);
    BatchRun failing(options, {dir / "c.wav"});
    report = RunToEnd(failing);
    EXPECT_EQ(report.failed, 1);
    ASSERT_EQ(report.failures.size(), 1);
    EXPECT_TRUE(report.failures[0].reason.contains(QStringLiteral("libfaac"))) << report.failures[0].reason.toStdString();
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"a.mp3", "a.flac", "c.wav", "c.flac"}));

    const QString details = EndReportDetails(report);
    EXPECT_TRUE(details.contains(DisplayPath(dir / "c.wav")));
    EXPECT_TRUE(details.contains(report.failures[0].reason));
}

TEST(BatchRun, ConverterNotFoundEndsTheRunBeforeAnySource)
{
    Folder dir;
    testsupport::MakeTone(dir / "a.wav", 0.2);
    Folder emptyPath;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(QtPath(emptyPath.path())));
    OptionSet options;
    Choose(options, 0, Mp3Row);
    BatchRun run(options, {dir / "a.wav"});
    RunLog log(run);
    const BatchReport report = RunToEnd(run);
    qputenv("PATH", savedPath);

    EXPECT_TRUE(report.converterMissing);
    EXPECT_EQ(report.converted + report.failed + report.stopped, 0);
    EXPECT_TRUE(log.started.empty());
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"a.wav"});
}

TEST(BatchRun, GeneralErrorAndEmptyList)
{
    Folder dir;
    testsupport::MakeTone(dir / "a.wav", 0.2);
    OptionSet options;
    Choose(options, 2, Mp3Row); // no folder text
    BatchRun noFolder(options, {dir / "a.wav"});
    RunLog log(noFolder);
    BatchReport report = RunToEnd(noFolder);
    EXPECT_EQ(report.generalError, GeneralErrorMessage);
    EXPECT_TRUE(log.started.empty());
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"a.wav"});

    BatchRun empty(options, {});
    report = RunToEnd(empty);
    EXPECT_EQ(report.converted + report.failed + report.stopped, 0);
    EXPECT_TRUE(report.generalError.isEmpty());
    EXPECT_FALSE(report.converterMissing);
    EXPECT_TRUE(EndReportDetails(report).isEmpty());
}

} // namespace

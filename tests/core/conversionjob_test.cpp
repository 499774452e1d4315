#include "batchsupport.h"
#include "conversionjob.h"
#include "converter.h"
#include "optionset.h"
#include "outputpath.h"
#include "pathtext.h"
#include "testsupport.h"


#include <gtest/gtest.h>

using namespace sorvane;
using namespace std::chrono_literals;
using batchsupport::Entries;
using batchsupport::Folder;
using batchsupport::RunToEnd;
namespace fs = std::filesystem;

namespace {

constexpr int FlacRow = 7;
constexpr int M4aFaacRow = 11; // an encoder this ffmpeg lacks
constexpr int Mp3Row = 13;

std::unique_ptr<ConversionJob> MakeJob(const OptionSet &options, const fs::path &source, const fs::path &output)
{
    return std::make_unique<ConversionJob>(options, source, output, FindConverter());
}

TEST(ConversionJob, ConvertsAndDatesReadOnlyAndOldSourcesAtFullPrecision)
{
    Folder dir;
    OptionSet options;
    options.C3_01.setItemIndex(Mp3Row);
    const fs::file_time_type dates[] = {
        batchsupport::FileTime(std::chrono::sys_days{std::chrono::January / 1 / 1970}, 1s + 123456789ns),
        batchsupport::FileTime(std::chrono::sys_days{std::chrono::March / 3 / 2021}, 13h + 7s + 987654321ns),
    };
    for (const fs::file_time_type &date : dates) {
        const fs::path source = dir / "read only.wav";
        const fs::path output = dir / "read only.mp3";
        batchsupport::MakeDatedTone(source, 0.3, date);
        fs::permissions(source, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

        auto job = MakeJob(options, source, output);
        EXPECT_TRUE(job->partialPath().filename().string().starts_with('.'));
        EXPECT_EQ(job->partialPath().extension(), ".mp3");
        EXPECT_EQ(job->partialPath().parent_path(), dir.path());
        const ConversionResult result = RunToEnd(*job);
        EXPECT_EQ(result.outcome, ConversionOutcome::Converted) << result.reason.toStdString();
        EXPECT_TRUE(result.reason.isEmpty());
        EXPECT_GT(fs::file_size(output), 0u);
        EXPECT_EQ(fs::last_write_time(output), date);
        EXPECT_EQ(fs::last_write_time(source), date);
        EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"read only.wav", "read only.mp3"}));
        fs::remove(source);
        fs::remove(output);
    }
}

// Overwriting keeps the old file's permissions, and a file the user has
// write-protected is not replaced at all.
TEST(ConversionJob, OverwriteKeepsPermissionsAndSparesWriteProtectedFiles)
{
    Folder dir;
    const fs::path source = dir / "a.wav";
    const fs::path output = dir / "a.flac";
    testsupport::MakeTone(source, 0.2);
    OptionSet options;
    options.C1_02.setItemIndex(1);
    options.C3_01.setItemIndex(FlacRow);

    testsupport::WriteBytes(output, "private");
    fs::permissions(output, fs::perms::owner_read | fs::perms::owner_write);
    auto job = MakeJob(options, source, output);
    EXPECT_FALSE(job->requestStop()) << "nothing runs before start()";
    EXPECT_EQ(RunToEnd(*job).outcome, ConversionOutcome::Converted);
    EXPECT_NE(testsupport::ReadBytes(output), "private");
    EXPECT_EQ(fs::status(output).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    testsupport::WriteBytes(output, "protected");
    fs::permissions(output, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(DecideOutput(options, source, IsRegularFile).refusal, OutputWriteProtectedReason);
    const ConversionResult refused = RunToEnd(*MakeJob(options, source, output)); // protected meanwhile
    EXPECT_EQ(refused.outcome, ConversionOutcome::Failed);
    EXPECT_EQ(refused.reason, OutputWriteProtectedReason);
    EXPECT_EQ(testsupport::ReadBytes(output), "protected");
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"a.wav", "a.flac"}));
}

// A failing codec in mode 1: the converter's own last line is the reason, the
// file that lay at the output name is untouched, nothing else is left behind.
TEST(ConversionJob, FailureKeepsTheExistingOutputAndLeavesNothing)
{
    Folder dir;
    const fs::path source = dir / "a.wav";
    const fs::path output = dir / "a.m4a";
    testsupport::MakeTone(source, 0.3);
    testsupport::WriteBytes(output, "what was there before");
    OptionSet options;
    options.C1_02.setItemIndex(1);
    options.C3_01.setItemIndex(M4aFaacRow);

    auto job = MakeJob(options, source, output);
    const ConversionResult result = RunToEnd(*job);
    EXPECT_EQ(result.outcome, ConversionOutcome::Failed);
    EXPECT_TRUE(result.reason.contains(QStringLiteral("libfaac"), Qt::CaseInsensitive)) << result.reason.toStdString();
    EXPECT_EQ(result.source, source);
    EXPECT_EQ(result.output, output);
    EXPECT_EQ(testsupport::ReadBytes(output), "what was there before");
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"a.wav", "a.m4a"}));
}

TEST(ConversionJob, StopKeepsTheExistingOutputAndLeavesNothing)
{
    Folder dir;
    const fs::path source = dir / "long.wav";
    const fs::path output = dir / "long.mp3";
    testsupport::MakeTone(source, 120);
    testsupport::WriteBytes(output, "what was there before");
    OptionSet options;
    options.C1_02.setItemIndex(1);
    options.C3_01.setItemIndex(Mp3Row);

    auto job = MakeJob(options, source, output);
    bool stopAsked = false;
    const auto stopper = batchsupport::StopWhenWriting([&] { return job->partialPath(); },
                                                       [&] { return job->requestStop(); }, stopAsked);
    const ConversionResult result = RunToEnd(*job);
    EXPECT_TRUE(stopAsked) << "the converter writes the hidden file while it works";
    EXPECT_EQ(result.outcome, ConversionOutcome::Stopped);
    EXPECT_FALSE(job->requestStop()) << "nothing left to stop";
    EXPECT_EQ(testsupport::ReadBytes(output), "what was there before");
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"long.wav", "long.mp3"}));
}

TEST(ConversionJob, ModeZeroNeverReplacesANameTakenMeanwhile)
{
    Folder dir;
    const fs::path source = dir / "a.wav";
    const fs::path output = dir / "a.flac";
    testsupport::MakeTone(source, 0.3);
    OptionSet options;
    options.C3_01.setItemIndex(FlacRow);

    auto job = MakeJob(options, source, output);
    testsupport::WriteBytes(output, "taken after the name was chosen");
    const ConversionResult result = RunToEnd(*job);
    EXPECT_EQ(result.outcome, ConversionOutcome::Failed);
    EXPECT_EQ(result.reason, OutputNameTakenReason);
    EXPECT_EQ(testsupport::ReadBytes(output), "taken after the name was chosen");
    EXPECT_EQ(Entries(dir.path()), (std::set<std::string>{"a.wav", "a.flac"}));
}

TEST(ConversionJob, VanishedSourceAndMissingProgramFailWithAReason)
{
    Folder dir;
    OptionSet options;
    options.C3_01.setItemIndex(FlacRow);
    auto vanished = MakeJob(options, dir / "gone.wav", dir / "gone.flac");
    ConversionResult result = RunToEnd(*vanished);
    EXPECT_EQ(result.outcome, ConversionOutcome::Failed);
    EXPECT_EQ(result.reason, SourceMissingReason);

    testsupport::MakeTone(dir / "a.wav", 0.2);
    ConversionJob unstartable(options, dir / "a.wav", dir / "a.flac", QtPath(dir / "no-such-program"));
    result = RunToEnd(unstartable);
    EXPECT_EQ(result.outcome, ConversionOutcome::Failed);
    EXPECT_TRUE(result.reason.startsWith(ConverterNotStartedReason)) << result.reason.toStdString();
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{"a.wav"});
}

// Names in a legacy code page are bytes QString cannot carry: they reach the
// converter through links, and the output gets its byte name.
TEST(ConversionJob, ConvertsNamesThatAreNotUtf8)
{
    Folder dir;
    const std::string sjisFolder = "\x83\x74\x83\x48\x83\x8B\x83\x5F"; // "フォルダ" in code page 932
    const std::string sjisName = "\x89\xb9\x8a\x79";                  // "音楽" in code page 932
    fs::create_directory(dir / sjisFolder);
    const fs::path source = dir / sjisFolder / (sjisName + ".wav");
    const fs::path output = dir / sjisFolder / (sjisName + ".flac");
    testsupport::MakeTone(dir / "plain.wav", 0.3);
    fs::rename(dir / "plain.wav", source);
    ASSERT_FALSE(IsQtRepresentable(source));

    OptionSet options;
    options.C3_01.setItemIndex(FlacRow);
    auto job = MakeJob(options, source, output);
    EXPECT_TRUE(PathBytes(job->partialPath()).startsWith(PathBytes(dir / sjisFolder)));
    const ConversionResult result = RunToEnd(*job);
    EXPECT_EQ(result.outcome, ConversionOutcome::Converted) << result.reason.toStdString();
    EXPECT_GT(fs::file_size(output), 0u);
    EXPECT_EQ(fs::last_write_time(output), fs::last_write_time(source));
    EXPECT_EQ(Entries(dir / sjisFolder), (std::set<std::string>{sjisName + ".wav", sjisName + ".flac"}));
    EXPECT_EQ(Entries(dir.path()), std::set<std::string>{sjisFolder});
}

} // namespace

#include "batchsupport.h"
#include "failure.h"
#include "optionset.h"
#include "outputpath.h"
#include "pathtext.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace sorvane;
namespace fs = std::filesystem;

namespace {

const std::string Prefix(NewNamePrefix);

TEST(PathParts, SplitUnderEachRule)
{
    struct Case { PathRule rule; std::string path, folder, name, extension, asMp3; };
    const Case cases[] = {
        {PathRule::Windows, R"(C:\m\a.b.c.wav)", R"(C:\m\)", "a.b.c.wav", ".wav", R"(C:\m\a.b.c.mp3)"},
        {PathRule::Windows, R"(C:\x.y\song)", R"(C:\x.y\)", "song", "", R"(C:\x.y\song.mp3)"},
        {PathRule::Windows, "C:a.wav", "C:", "a.wav", ".wav", "C:a.mp3"},
        {PathRule::Windows, "a/b.wav", "", "a/b.wav", ".wav", "a/b.mp3"},
        {PathRule::Posix, "/m/a.b.c.wav", "/m/", "a.b.c.wav", ".wav", "/m/a.b.c.mp3"},
        {PathRule::Posix, "/x.y/song", "/x.y/", "song", "", "/x.y/song.mp3"},
        {PathRule::Posix, "/m/c:a\\b.wav", "/m/", "c:a\\b.wav", ".wav", "/m/c:a\\b.mp3"},
        {PathRule::Posix, "/m/.hidden", "/m/", ".hidden", ".hidden", "/m/.mp3"},
        {PathRule::Posix, "song.", "", "song.", ".", "song.mp3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderPart(c.path, c.rule), c.folder);
        EXPECT_EQ(NamePart(c.path, c.rule), c.name);
        EXPECT_EQ(Extension(c.path, c.rule), c.extension);
        EXPECT_EQ(ChangeExtension(c.path, ".mp3", c.rule), c.asMp3);
    }
}

struct ResolveCase
{
    const char *label;
    PathRule rule;
    std::string source;
    int mode;
    std::string folder;
    std::optional<std::string> extension; // nullopt: keep the source's
    std::set<std::string> files;          // paths where a file exists
    std::string expected;
};

class ResolveOutputPathTable : public testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveOutputPathTable, Resolves)
{
    const ResolveCase &c = GetParam();
    const auto isFile = [&](std::string_view path) { return c.files.contains(std::string(path)); };
    EXPECT_EQ(ResolveOutputPath(c.source, c.mode, c.folder, c.extension, c.rule, isFile), c.expected);
}

const std::string WinPrefixed = R"(C:\m\)" + Prefix;
const std::string OutPrefixed = R"(D:\out\)" + Prefix;

INSTANTIATE_TEST_SUITE_P(Windows, ResolveOutputPathTable, testing::Values(
    ResolveCase{"free", PathRule::Windows, R"(C:\m\a.wav)", 0, "", ".mp3", {}, R"(C:\m\a.mp3)"},
    ResolveCase{"keepIsItself", PathRule::Windows, R"(C:\m\a.mp3)", 0, "", std::nullopt, {R"(C:\m\a.mp3)"}, WinPrefixed + "a.mp3"},
    ResolveCase{"overwriteIsItself", PathRule::Windows, R"(C:\m\a.mp3)", 1, "", std::nullopt, {R"(C:\m\a.mp3)"}, R"(C:\m\a.mp3)"},
    ResolveCase{"secondSameName", PathRule::Windows, R"(C:\m\a.ogg)", 0, "", ".mp3", {R"(C:\m\a.mp3)"}, WinPrefixed + "a.mp3"},
    ResolveCase{"secondOverwrites", PathRule::Windows, R"(C:\m\a.ogg)", 1, "", ".mp3", {R"(C:\m\a.mp3)"}, R"(C:\m\a.mp3)"},
    ResolveCase{"folder", PathRule::Windows, R"(C:\m\a.wav)", 2, R"(D:\out)", ".mp3", {}, R"(D:\out\a.mp3)"},
    ResolveCase{"folderTaken", PathRule::Windows, R"(C:\m\a.wav)", 2, R"(D:\out)", ".mp3", {R"(D:\out\a.mp3)"}, OutPrefixed + "a.mp3"},
    ResolveCase{"folderBothTaken", PathRule::Windows, R"(C:\m\a.wav)", 2, R"(D:\out)", ".mp3",
                {R"(D:\out\a.mp3)", OutPrefixed + "a.mp3"}, OutPrefixed + "a.mp3"},
    ResolveCase{"dots", PathRule::Windows, R"(C:\m\a.b.c.wav)", 0, "", ".mp3", {}, R"(C:\m\a.b.c.mp3)"},
    ResolveCase{"dottedFolder", PathRule::Windows, R"(C:\x.y\song)", 0, "", ".mp3", {}, R"(C:\x.y\song.mp3)"},
    ResolveCase{"noExtensionKept", PathRule::Windows, R"(C:\m\song)", 0, "", std::nullopt, {R"(C:\m\song)"}, WinPrefixed + "song"},
    ResolveCase{"driveRoot", PathRule::Windows, R"(C:\m\a.wav)", 2, "D:", ".mp3", {}, R"(D:\a.mp3)"},
    ResolveCase{"fourXm", PathRule::Windows, R"(C:\m\a.wav)", 0, "", ".4xm", {}, R"(C:\m\a.4xm)"}),
    [](const testing::TestParamInfo<ResolveCase> &info) { return std::string(info.param.label); });

const std::string PosixPrefixed = "/m/" + Prefix;
const std::string PosixOutPrefixed = "/out/" + Prefix;

INSTANTIATE_TEST_SUITE_P(Posix, ResolveOutputPathTable, testing::Values(
    ResolveCase{"free", PathRule::Posix, "/m/a.wav", 0, "", ".mp3", {}, "/m/a.mp3"},
    ResolveCase{"keepIsItself", PathRule::Posix, "/m/a.mp3", 0, "", std::nullopt, {"/m/a.mp3"}, PosixPrefixed + "a.mp3"},
    ResolveCase{"overwriteIsItself", PathRule::Posix, "/m/a.mp3", 1, "", std::nullopt, {"/m/a.mp3"}, "/m/a.mp3"},
    ResolveCase{"secondSameName", PathRule::Posix, "/m/a.ogg", 0, "", ".mp3", {"/m/a.mp3"}, PosixPrefixed + "a.mp3"},
    ResolveCase{"secondOverwrites", PathRule::Posix, "/m/a.ogg", 1, "", ".mp3", {"/m/a.mp3"}, "/m/a.mp3"},
    ResolveCase{"folder", PathRule::Posix, "/m/a.wav", 2, "/out", ".mp3", {}, "/out/a.mp3"},
    ResolveCase{"folderTaken", PathRule::Posix, "/m/a.wav", 2, "/out", ".mp3", {"/out/a.mp3"}, PosixOutPrefixed + "a.mp3"},
    ResolveCase{"folderBothTaken", PathRule::Posix, "/m/a.wav", 2, "/out", ".mp3",
                {"/out/a.mp3", PosixOutPrefixed + "a.mp3"}, PosixOutPrefixed + "a.mp3"},
    ResolveCase{"dots", PathRule::Posix, "/m/a.b.c.wav", 0, "", ".mp3", {}, "/m/a.b.c.mp3"},
    ResolveCase{"dottedFolder", PathRule::Posix, "/x.y/song", 0, "", ".mp3", {}, "/x.y/song.mp3"},
    ResolveCase{"noExtensionKept", PathRule::Posix, "/m/song", 0, "", std::nullopt, {"/m/song"}, PosixPrefixed + "song"},
    ResolveCase{"root", PathRule::Posix, "/m/a.wav", 2, "/", ".mp3", {}, "/a.mp3"},
    ResolveCase{"colonIsAName", PathRule::Posix, "/m/D:a.wav", 0, "", ".mp3", {}, "/m/D:a.mp3"}),
    [](const testing::TestParamInfo<ResolveCase> &info) { return std::string(info.param.label); });

// The options the way a user leaves them: a destination mode and a format row.
void Choose(OptionSet &options, int mode, int format, const fs::path &folder = {})
{
    options.C1_02.setItemIndex(mode);
    options.C3_01.setItemIndex(format);
    options.C1_03 = QtPath(folder);
}

constexpr int Mp3Row = 13;
constexpr int KeepRow = 0;

TEST(ResolveOutputPath, ReadsTheOptionsAndTheFileSystem)
{
    batchsupport::Folder dir;
    testsupport::WriteBytes(dir / "a.wav", "x");
    fs::create_directory(dir / "a.mp3");

    OptionSet options;
    Choose(options, 0, Mp3Row);
    EXPECT_EQ(ResolveOutputPath(options, dir / "a.wav"), dir / "a.mp3") << "a folder is not a taken name";

    options.C3_01.setItemIndex(1);
    EXPECT_EQ(ResolveOutputPath(options, dir / "a.wav"), dir / "a.4xm");

    OptionSet untouched; // no row chosen: mode 0, the source's extension
    EXPECT_EQ(ResolveOutputPath(untouched, dir / "a.wav"), dir / (Prefix + "a.wav"));
    EXPECT_EQ(OutputExtension(untouched), std::nullopt);
}

TEST(DecideOutput, RefusesTheSourceItselfAndATakenNewName)
{
    batchsupport::Folder dir;
    testsupport::WriteBytes(dir / "a.mp3", "x");
    OptionSet options;

    Choose(options, 1, KeepRow);
    OutputDecision decision = DecideOutput(options, dir / "a.mp3", IsRegularFile);
    EXPECT_EQ(decision.output, dir / "a.mp3");
    EXPECT_EQ(decision.refusal, OutputIsSourceReason);

    Choose(options, 0, KeepRow);
    decision = DecideOutput(options, dir / "a.mp3", IsRegularFile);
    EXPECT_EQ(decision.output, dir / (Prefix + "a.mp3"));
    EXPECT_TRUE(decision.refusal.isEmpty());

    testsupport::WriteBytes(dir / (Prefix + "a.mp3"), "y");
    decision = DecideOutput(options, dir / "a.mp3", IsRegularFile);
    EXPECT_EQ(decision.output, dir / (Prefix + "a.mp3"));
    EXPECT_EQ(decision.refusal, OutputNameTakenReason);

    Choose(options, 2, KeepRow, dir.path()); // the chosen folder is the source's own
    EXPECT_EQ(DecideOutput(options, dir / "a.mp3", IsRegularFile).refusal, OutputNameTakenReason);
}

TEST(PlanBatch, CountsEarlierOutputsAsTaken)
{
    batchsupport::Folder dir;
    const std::vector<fs::path> sources{dir / "a.flac", dir / "a.ogg", dir / "a.wav"};
    OptionSet options;

    Choose(options, 0, Mp3Row);
    std::vector<PlannedConversion> plan = PlanBatch(options, sources);
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].output, dir / "a.mp3");
    EXPECT_TRUE(plan[0].refusal.isEmpty());
    EXPECT_EQ(plan[1].output, dir / (Prefix + "a.mp3"));
    EXPECT_TRUE(plan[1].refusal.isEmpty());
    EXPECT_EQ(plan[2].refusal, OutputNameTakenReason);
    EXPECT_EQ(plan[1].commandLine.text(),
              BuildCommandLine(options, sources[1], plan[1].output).text());
    EXPECT_TRUE(fs::is_empty(dir.path())) << "planning writes nothing";

    Choose(options, 1, Mp3Row);
    plan = PlanBatch(options, sources);
    for (const PlannedConversion &entry : plan) {
        EXPECT_EQ(entry.output, dir / "a.mp3");
        EXPECT_TRUE(entry.refusal.isEmpty());
    }
}

TEST(PrepareDestinationFolder, MakesTheFolderOnlyInFolderMode)
{
    batchsupport::Folder dir;
    OptionSet options;
    Choose(options, 2, Mp3Row, dir / "new" / "deeper");
    PrepareDestinationFolder(options);
    EXPECT_TRUE(fs::is_directory(dir / "new" / "deeper"));
    PrepareDestinationFolder(options); // an existing folder is fine

    options.C1_03.clear();
    EXPECT_THROW(PrepareDestinationFolder(options), Failure);
    options.C1_02.setItemIndex(0);
    EXPECT_NO_THROW(PrepareDestinationFolder(options));
    options.C1_02.setItemIndex(-1);
    EXPECT_NO_THROW(PrepareDestinationFolder(options));
}

} // namespace

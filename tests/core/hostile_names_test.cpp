// File and folder names a file system allows and a careless program trips
// on, converted for real through the core and through sorvane-batch: every
// byte of every name reaches the converter and the output, and no source
// changes.
#include "batchrun.h"
#include "batchsupport.h"
#include "optionset.h"
#include "outputpath.h"
#include "pathtext.h"
#include "prooffixtures.h"
#include "sourceintake.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace prooffixtures;
using batchsupport::Entries;
using batchsupport::Folder;
using sorvane::PathBytes;

namespace {

constexpr int FlacRow = 7;

const std::vector<std::string> Names{
    "with  spaces ",
    "double\"quote",
    "single'quote",
    "-leading dash",
    "co:lon",
    "#hash",
    "100%d %s",
    "a&b;echo x",
    "new\nline",
    "日本語の名前",
    "絵文字 \xF0\x9F\x8E\xB5",
    "\x89\xb9\x8a\x79 cp932", // 音楽 in code page 932: not UTF-8
    std::string(255, 'f'),
};

std::vector<std::string> FlacArguments(std::vector<std::string> more)
{
    std::vector<std::string> arguments{"--settings", "/nonexistent/settings.ini", "--set", "C3_01=7"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

QByteArray OkLine(const fs::path &source, const fs::path &output)
{
    return "OK\t" + PathBytes(source) + '\t' + PathBytes(output) + '\n';
}

bool IsFlac(const fs::path &file)
{
    return ReadFile(file).startsWith("fLaC");
}

// One short tone, copied to every name (making each with the converter would
// pass the name through it before the program under test does).
class HostileNames : public ::testing::Test
{
protected:
    void SetUp() override { testsupport::MakeTone(m_tone / "tone.wav", 0.2); }

    fs::path place(const fs::path &file)
    {
        fs::create_directories(file.parent_path());
        fs::copy_file(m_tone / "tone.wav", file);
        return file;
    }

    Folder m_tone;
};

// Each name as a folder holding a file of the same name, a 255-byte name,
// and a file 120 folders down.
TEST_F(HostileNames, EveryNameConvertsByteExact)
{
    Folder root;
    std::vector<std::pair<fs::path, std::string>> sources; // path and its output's name
    for (const std::string &name : Names) {
        const std::string file = name.size() < 250 ? name + ".wav" : std::string(250, 'x') + ".aiff";
        const std::string output = name.size() < 250 ? name + ".flac" : std::string(250, 'x') + ".flac";
        sources.emplace_back(place(root / name / file), output);
    }
    fs::path deep = root.path();
    for (int level = 0; level < 120; ++level)
        deep /= "d";
    sources.emplace_back(place(deep / "deep.wav"), "deep.flac");
    const auto before = Checksums(root.path());

    // The headless front end, beside each source (mode 0).
    const ChildResult batch = RunChild(BatchPath(), FlacArguments({root.path().native()}));
    ASSERT_FALSE(batch.hung);
    EXPECT_EQ(batch.exitCode, 0) << batch.standardOutput.constData() << batch.standardError.constData();
    EXPECT_TRUE(batch.standardOutput.endsWith(QByteArray::number(qsizetype(sources.size())) + " converted, 0 failed\n"));
    auto after = Checksums(root.path());
    for (const auto &[source, outputName] : sources) {
        const fs::path output = source.parent_path() / outputName;
        EXPECT_TRUE(batch.standardOutput.contains(OkLine(source, output))) << source;
        EXPECT_TRUE(IsFlac(output)) << output;
        EXPECT_EQ(Entries(source.parent_path()).size(), 2u) << source;
        after.erase(output);
    }
    EXPECT_EQ(after, before) << "a source changed";

    // The core: the same folder taken as a drop, every output into one folder (mode 2).
    Folder destination;
    sorvane::SourceIntake intake;
    intake.takePaths({root.path()});
    std::vector<fs::path> taken = intake.sources().paths();
    std::erase_if(taken, [](const fs::path &path) { return path.extension() == ".flac"; });
    ASSERT_EQ(taken.size(), sources.size());
    sorvane::OptionSet options;
    options.C1_02.setItemIndex(2);
    options.C1_03 = sorvane::QtPath(destination.path());
    options.C3_01.setItemIndex(FlacRow);
    sorvane::BatchRun run(options, taken);
    const sorvane::BatchReport report = batchsupport::RunToEnd(run);
    EXPECT_EQ(report.converted, int(sources.size())) << sorvane::EndReportDetails(report).toStdString();
    std::set<std::string> expected;
    for (const auto &[source, outputName] : sources)
        expected.insert(outputName);
    EXPECT_EQ(Entries(destination.path()), expected);
    for (const std::string &name : expected)
        EXPECT_TRUE(IsFlac(destination / name)) << name;
}

// Relative names given on the command line that the converter would read as
// an option ("-", "-i") or as one of its protocols ("pipe:", "file:"), and a
// relative destination folder that begins with "-".
TEST_F(HostileNames, RelativeNamesThatLookLikeOptionsOrProtocols)
{
    Folder work;
    const std::vector<std::pair<std::string, std::string>> names{
        {"-", "-.flac"}, {"-i", "-i.flac"}, {"-dash.wav", "-dash.flac"}, {"--double.wav", "--double.flac"},
        {"pipe:1.wav", "pipe:1.flac"}, {"file:x.wav", "file:x.flac"}};
    std::vector<std::string> arguments = FlacArguments({"--"});
    for (const auto &[source, output] : names) {
        place(work / source);
        arguments.push_back(source);
    }
    const auto before = Checksums(work.path());

    const ChildResult beside = RunChild(BatchPath(), arguments, {.workingFolder = work.path()});
    EXPECT_EQ(beside.exitCode, 0) << beside.standardOutput.constData();
    for (const auto &[source, output] : names) {
        EXPECT_TRUE(beside.standardOutput.contains(OkLine(source, output))) << source;
        EXPECT_TRUE(IsFlac(work / output)) << output;
        fs::remove(work / output);
    }

    arguments.insert(arguments.begin(), {"--set", "C1_02=2", "--set", "C1_03=-out"});
    const ChildResult intoFolder = RunChild(BatchPath(), arguments, {.workingFolder = work.path()});
    EXPECT_EQ(intoFolder.exitCode, 0) << intoFolder.standardOutput.constData();
    for (const auto &[source, output] : names)
        EXPECT_TRUE(IsFlac(work / "-out" / output)) << output;
    fs::remove_all(work / "-out");
    EXPECT_EQ(Checksums(work.path()), before);
}

// Names the system refuses: an output name one byte over the limit fails that
// source with a reason and leaves nothing; a path longer than the system takes
// cannot be opened, so it is passed over like an unreadable folder, and the
// folder (or the file given directly) is named on standard error.
TEST_F(HostileNames, NamesTheSystemRefusesFailCleanly)
{
    Folder root;
    const fs::path tooLongOutput = place(root / "long" / (std::string(251, 'x') + ".wav")); // .flac: 256 bytes
    const fs::path reachable = place(root / "deep" / "top.wav");
    // Over 4096 bytes of path: made one folder at a time from inside.
    const std::string part(60, 'd');
    const testsupport::ProcessResult made = testsupport::Run(QStringLiteral("bash"),
        {QStringLiteral("-c"), QStringLiteral("cd \"$1\" && for i in $(seq 80); do mkdir %1 && cd %1 || exit 1; done; cp \"$2\" deep.wav")
                                   .arg(QString::fromStdString(part)),
         QStringLiteral("bash"), sorvane::QtPath(root / "deep"), sorvane::QtPath(m_tone / "tone.wav")});
    ASSERT_EQ(made.exitCode, 0) << made.standardError.constData();
    fs::path unreachable = root / "deep";
    for (int level = 0; level < 80; ++level)
        unreachable /= part;
    unreachable /= "deep.wav";
    ASSERT_GT(unreachable.native().size(), 4096u);

    const ChildResult run = RunChild(BatchPath(), FlacArguments({(root / "long").native(), (root / "deep").native(),
                                                                 unreachable.native()}));
    ASSERT_FALSE(run.hung);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardOutput.contains("FAILED\t" + PathBytes(tooLongOutput) + '\t'
                                            + sorvane::OutputNotSavedReason.toUtf8()))
        << run.standardOutput.constData();
    EXPECT_TRUE(run.standardOutput.contains(OkLine(reachable, root / "deep" / "top.flac")));
    EXPECT_TRUE(run.standardOutput.endsWith("1 converted, 1 failed\n"));
    EXPECT_TRUE(run.standardError.contains("no file to convert at " + PathBytes(unreachable)))
        << run.standardError.left(300).constData();
    EXPECT_TRUE(run.standardError.contains("cannot search " + PathBytes(root / "deep" / part / part)));
    EXPECT_EQ(Entries(root / "long").size(), 1u) << "the converter's file was left";
}

// A dropped folder holding what is no regular file: a FIFO (reading it would
// block), a socket, a link loop, a dangling link and a folder this user may
// not read. Run as an ordinary user, since root reads any folder.
TEST_F(HostileNames, FolderOfSpecialFilesEndToEnd)
{
    Folder root;
    fs::permissions(root.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                                     | fs::perms::others_read | fs::perms::others_exec);
    const fs::path drop = root / "drop";
    const fs::path a = place(drop / "a.wav");
    const fs::path b = place(drop / "sub" / "b.wav");
    place(drop / "closed" / "hidden.wav");
    ASSERT_EQ(::mkfifo((drop / "fifo.wav").c_str(), 0644), 0);
    testsupport::Run(QStringLiteral("python3"),
                     {QStringLiteral("-c"), QStringLiteral("import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])"),
                      sorvane::QtPath(drop / "socket.wav")});
    fs::create_directory_symlink(drop, drop / "sub" / "loop");
    fs::create_symlink(drop / "missing.wav", drop / "dangling.wav");
    fs::permissions(drop / "closed", fs::perms::none);
    const fs::path out = root / "out";
    fs::create_directory(out);
    fs::permissions(out, fs::perms::all);
    const auto before = Checksums(drop);

    std::vector<std::string> command = FlacArguments({"--set", "C1_02=2", "--set", "C1_03=" + out.native(), drop.native()});
    fs::path program = BatchPath();
    if (::geteuid() == 0) {
        command.insert(command.begin(), {"--reuid=nobody", "--regid=nogroup", "--clear-groups", program.native()});
        program = "/usr/bin/setpriv";
    }
    const ChildResult run = RunChild(program, command, {.environment = {"XDG_CONFIG_HOME=" + out.native()}, .timeout = std::chrono::seconds(60)});
    fs::permissions(drop / "closed", fs::perms::owner_all);
    if (run.exitCode == 127 || run.standardError.contains("setpriv"))
        GTEST_SKIP() << "cannot run as an ordinary user: " << run.standardError.constData();

    ASSERT_FALSE(run.hung) << "a special file was read";
    EXPECT_EQ(run.exitCode, 0) << run.standardOutput.constData() << run.standardError.constData();
    EXPECT_TRUE(run.standardOutput.contains(OkLine(a, out / "a.flac")));
    EXPECT_TRUE(run.standardOutput.contains(OkLine(b, out / "b.flac")));
    EXPECT_TRUE(run.standardOutput.endsWith("2 converted, 0 failed\n")) << run.standardOutput.constData();
    EXPECT_TRUE(run.standardError.contains("cannot search " + PathBytes(drop / "closed") + ": "))
        << run.standardError.constData();
    EXPECT_EQ(Checksums(drop), before);
}

} // namespace

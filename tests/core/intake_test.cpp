#include "pathtext.h"
#include "sourceintake.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

using namespace sorvane;
namespace fs = std::filesystem;

namespace {

const QString EndText = QStringLiteral("変換処理は終了しました。");

// An empty file; std::ofstream takes any bytes as a name.
fs::path Touch(const fs::path &file)
{
    fs::create_directories(file.parent_path());
    std::ofstream{file};
    EXPECT_TRUE(fs::is_regular_file(file)) << file;
    return file;
}

class Intake : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    // QTemporaryDir cannot see names that are not UTF-8, so it could not remove them.
    void TearDown() override
    {
        std::error_code error;
        fs::remove_all(m_root, error);
    }
    const fs::path &root() const { return m_root; }

    QTemporaryDir m_dir;
    fs::path m_root = PathFromQt(m_dir.path());
    SourceIntake intake;
};

// Runs the test body in `folder` as the current directory.
class CurrentDirectory
{
public:
    explicit CurrentDirectory(const fs::path &folder) : m_previous(fs::current_path()) { fs::current_path(folder); }
    ~CurrentDirectory() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

TEST_F(Intake, StartsEmptyWithTheDropPromptAndGoDisabled)
{
    EXPECT_EQ(intake.sources().count(), 0);
    EXPECT_EQ(intake.prompt(), DropPrompt());
    EXPECT_FALSE(intake.goEnabled());
    EXPECT_EQ(DropPrompt(), QStringLiteral("変換元の音声/動画ファイル or フォルダをドロップしてください。"));
    EXPECT_EQ(GoPrompt(), QStringLiteral("Ｇｏ！ボタンで変換処理を開始します。"));
}

TEST_F(Intake, FilesAreSortedWhateverTheOrderTaken)
{
    std::vector<fs::path> files{Touch(root() / "b.mp3"), Touch(root() / "C.flac"), Touch(root() / "a.wav")};
    std::vector<fs::path> expected{files[2], files[0], files[1]};
    std::sort(files.begin(), files.end());
    do {
        SourceIntake fresh;
        fresh.takePaths(files);
        ASSERT_EQ(fresh.sources().paths(), expected);
    } while (std::next_permutation(files.begin(), files.end()));
}

TEST_F(Intake, TheSameFileTakenTwiceStandsTwice)
{
    const fs::path file = Touch(root() / "a.wav");
    intake.takePaths({file});
    intake.takePaths({file});
    EXPECT_EQ(intake.sources().paths(), (std::vector{file, file}));
}

TEST_F(Intake, FolderGivesEveryFileBelowItWithFullPathsInOrder)
{
    const fs::path folder = root() / "music";
    const std::vector<fs::path> expected{Touch(folder / "A.wav"), Touch(folder / "b.mp3"), Touch(folder / "x/c.ogg")};
    QSignalSpy prompts(&intake, &SourceIntake::promptChanged);
    QSignalSpy goStates(&intake, &SourceIntake::goEnabledChanged);

    intake.takePaths({folder});
    EXPECT_EQ(intake.sources().paths(), expected);
    EXPECT_EQ(intake.prompt(), GoPrompt());
    EXPECT_TRUE(intake.goEnabled());
    ASSERT_EQ(prompts.count(), 1);
    EXPECT_EQ(prompts[0][0].toString(), GoPrompt());
    ASSERT_EQ(goStates.count(), 1);
    EXPECT_TRUE(goStates[0][0].toBool());
}

TEST_F(Intake, HiddenFilesAndFilesInHiddenFoldersAreTaken)
{
    const std::vector<fs::path> expected{Touch(root() / ".cache/thumbs.db"), Touch(root() / ".directory"),
                                         Touch(root() / "song.mp3")};
    intake.takePaths({root()});
    EXPECT_EQ(intake.sources().paths(), expected);
}

TEST_F(Intake, TrailingSlashNamesTheFolder)
{
    const fs::path file = Touch(root() / "music/a.wav");
    intake.takePaths({PathFromBytes(PathBytes(root() / "music") + "/")});
    EXPECT_EQ(intake.sources().paths(), (std::vector{file}));
}

// Nothing found: the list, the prompt and Go stay as they were while the list
// is empty; once it holds sources, any take puts up the Go prompt again.
TEST_F(Intake, TakeThatAddsNothing)
{
    fs::create_directories(root() / "empty/sub");
    const std::vector<fs::path> nothing{root() / "empty", root() / "missing.wav", PathFromBytes("")};
    QSignalSpy prompts(&intake, &SourceIntake::promptChanged);
    QSignalSpy goStates(&intake, &SourceIntake::goEnabledChanged);

    intake.takePaths(nothing);
    EXPECT_EQ(intake.sources().count(), 0);
    EXPECT_EQ(intake.prompt(), DropPrompt());
    EXPECT_FALSE(intake.goEnabled());
    EXPECT_EQ(prompts.count() + goStates.count(), 0);

    intake.takePaths({Touch(root() / "a.wav")});
    intake.setPrompt(EndText);
    intake.takePaths(nothing);
    EXPECT_EQ(intake.sources().count(), 1);
    EXPECT_EQ(intake.prompt(), GoPrompt());
    EXPECT_TRUE(intake.goEnabled());
}

TEST_F(Intake, PathNamingNothingIsPassedOverAndTheRestTaken)
{
    const fs::path a = Touch(root() / "a.wav");
    const fs::path b = Touch(root() / "b.wav");
    intake.takePaths({a, root() / "gone.wav", root() / "gone/", b});
    EXPECT_EQ(intake.sources().paths(), (std::vector{a, b}));
}

TEST_F(Intake, RelativeFolderGivesAbsolutePathsAndRelativeFileStaysRelative)
{
    Touch(root() / "music/a.wav");
    Touch(root() / "b.wav");
    CurrentDirectory here(root());
    intake.takePaths({"music", "b.wav"});
    EXPECT_EQ(intake.sources().paths(), (std::vector<fs::path>{root() / "music/a.wav", "b.wav"}));

    CurrentDirectory inside(root() / "music");
    SourceIntake dot;
    dot.takePaths({"."});
    EXPECT_EQ(dot.sources().paths(), (std::vector{root() / "music/a.wav"}));
}

TEST_F(Intake, ClearingEmptiesTheListAndRestoresTheStart)
{
    intake.clear();
    EXPECT_EQ(intake.prompt(), DropPrompt());
    EXPECT_FALSE(intake.goEnabled());

    intake.takePaths({Touch(root() / "a.wav")});
    intake.setPrompt(EndText);
    QSignalSpy prompts(&intake, &SourceIntake::promptChanged);
    QSignalSpy goStates(&intake, &SourceIntake::goEnabledChanged);
    intake.clear();
    EXPECT_EQ(intake.sources().count(), 0);
    EXPECT_EQ(intake.prompt(), DropPrompt());
    EXPECT_FALSE(intake.goEnabled());
    EXPECT_EQ(prompts.count(), 1);
    EXPECT_EQ(goStates.count(), 1);
}

// Only regular files become sources: reading a FIFO, socket or device can
// block a conversion forever.
TEST_F(Intake, SpecialFilesArePassedOverAndLinksToFilesTaken)
{
    const fs::path folder = root() / "mixed";
    const fs::path file = Touch(folder / "a.wav");
    ASSERT_EQ(std::system(("mkfifo '" + (folder / "fifo").string() + "'").c_str()), 0);
    fs::create_symlink("/dev/null", folder / "device");
    fs::create_symlink(folder / "missing", folder / "dangling");
    fs::create_symlink(file, folder / "link.wav");
    const testsupport::ProcessResult socket = testsupport::Run(
        QStringLiteral("python3"),
        {QStringLiteral("-c"), QStringLiteral("import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])"),
         QtPath(folder / "socket")});
    const bool haveSocket = fs::is_socket(folder / "socket");

    intake.takePaths({folder, folder / "fifo", folder / "device", folder / "socket", "/dev/null"});
    EXPECT_EQ(intake.sources().paths(), (std::vector{file, folder / "link.wav"}));
    if (!haveSocket)
        GTEST_SKIP() << "no UNIX socket made (python3 missing?): " << socket.standardError.toStdString();
}

TEST_F(Intake, LinkLoopEnds)
{
    const fs::path file = Touch(root() / "top/a.wav");
    fs::create_directory_symlink(root() / "top", root() / "top/again");
    fs::create_directory_symlink("..", root() / "top/up");
    intake.takePaths({root() / "top"});
    EXPECT_EQ(intake.sources().paths(), (std::vector{file}));
}

// Several folders each hold an unreadable one, so that a search stopping at
// the first it meets misses files whatever the order of the walk.
TEST_F(Intake, UnreadableSubfolderContributesNothing)
{
    std::vector<fs::path> readable;
    std::vector<fs::path> closedFolders;
    for (const char *name : {"a", "b", "c"}) {
        readable.push_back(Touch(root() / name / "ok.wav"));
        closedFolders.push_back(root() / name / "closed");
        Touch(closedFolders.back() / "hidden.wav");
    }
    for (const fs::path &folder : closedFolders)
        fs::permissions(folder, fs::perms::none);
    const fs::path closedFolder = closedFolders.front();
    std::error_code error;
    fs::directory_iterator probe(closedFolder, error);
    if (!error) {
        // Root reads any folder: run this one case again as an ordinary user.
        const testsupport::ProcessResult asNobody = testsupport::Run(
            QStringLiteral("setpriv"),
            {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
             QCoreApplication::applicationFilePath(),
             QStringLiteral("--gtest_filter=Intake.UnreadableSubfolderContributesNothing")});
        const std::string output = asNobody.standardOutput.toStdString() + asNobody.standardError.toStdString();
        if (!asNobody.standardOutput.contains("[==========]"))
            GTEST_SKIP() << "folder permissions do not stop this user, and it cannot run as nobody:\n" << output;
        EXPECT_EQ(asNobody.exitCode, 0) << output;
        EXPECT_TRUE(asNobody.standardOutput.contains("[  PASSED  ] 1 test")) << output;
        return;
    }
    intake.takePaths({root()});
    for (const fs::path &folder : closedFolders)
        fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(intake.sources().paths(), readable);
}

TEST_F(Intake, NameThatIsNotUtf8IsTakenByteExact)
{
    const QByteArray name("\x95\xcf\x8a\xb7.wav"); // code page 932 for 変換
    const fs::path file = Touch(root() / "sjis" / PathFromBytes(name));
    intake.takePaths({root() / "sjis"});
    ASSERT_EQ(intake.sources().count(), 1);
    EXPECT_EQ(PathBytes(intake.sources().path(0)), PathBytes(root()) + "/sjis/" + name);
    EXPECT_TRUE(fs::is_regular_file(intake.sources().path(0)));
}

TEST(PathsFromUrls, LocalFileUrlsGiveTheirBytes)
{
    const QList<QUrl> urls{
        QUrl(QStringLiteral("file:///tmp/%95%CF%8A%B7.wav")),
        QUrl::fromLocalFile(QStringLiteral("/tmp/日本語 #1 %20.mp3")),
        QUrl(QStringLiteral("https://example.com/a.wav")),
        QUrl(QStringLiteral("file://server/share/a.wav")),
        QUrl(QStringLiteral("file://localhost/tmp/b.wav")),
    };
    const std::vector<fs::path> paths = PathsFromUrls(urls);
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(PathBytes(paths[0]), QByteArray("/tmp/\x95\xcf\x8a\xb7.wav"));
    EXPECT_EQ(DisplayPath(paths[1]), QStringLiteral("/tmp/日本語 #1 %20.mp3"));
    EXPECT_EQ(paths[2], fs::path("/tmp/b.wav"));
}

TEST(PathsFromArguments, ArgumentsAfterTheProgramAsBytes)
{
    char program[] = "sorvane-request";
    char notUtf8[] = "\x95\xcf\x8a\xb7.wav";
    char relative[] = "music/";
    char *argv[] = {program, notUtf8, relative, nullptr};
    EXPECT_EQ(PathsFromArguments(3, argv), (std::vector<fs::path>{PathFromBytes(notUtf8), "music/"}));
    EXPECT_TRUE(PathsFromArguments(1, argv).empty());
}

// While a batch run walks the list, a drop changes nothing.
TEST_F(Intake, TakesAreRefusedWhileARunIsInProgress)
{
    const fs::path a = Touch(root() / "a.wav");
    intake.takePaths({a});
    intake.setPrompt(EndText);
    intake.setRefusingDrops(true);
    intake.takePaths({Touch(root() / "b.wav")});
    EXPECT_EQ(intake.sources().paths(), (std::vector{a}));
    EXPECT_EQ(intake.prompt(), EndText);

    intake.setRefusingDrops(false);
    intake.takePaths({root() / "b.wav"});
    EXPECT_EQ(intake.sources().count(), 2);
    EXPECT_EQ(intake.prompt(), GoPrompt());
}

} // namespace

#include "appfiles.h"

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using sorvane::AppFiles;
using sorvane::DecideAppFiles;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

const QByteArray ShippedPresets = QByteArrayLiteral("MP3 128k,MP3,2,LIBMP3LAME,44100,128\r\n");
constexpr auto ReadOnly = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
constexpr auto ReadOnlyFolder = ReadOnly | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;

std::string Path(const QString &path)
{
    return path.toStdString();
}

// An executable's folder, a user's configuration folder and an installed data
// folder that, as installed, can only be read.
class AppFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(executableFolder) && QDir().mkpath(dataFolder));
        WriteBytes(Path(dataFolder + "/profile.txt"), ShippedPresets);
        WriteBytes(Path(dataFolder + "/Readme.txt"), "readme");
        ASSERT_TRUE(QFile::setPermissions(dataFolder + "/profile.txt", ReadOnly));
        ASSERT_TRUE(QFile::setPermissions(dataFolder, ReadOnlyFolder));
    }
    void TearDown() override { QFile::setPermissions(dataFolder, ReadOnlyFolder | QFile::WriteOwner); }

    AppFiles decide() const { return DecideAppFiles(executableFolder, configFolder, dataFolder); }

    QTemporaryDir root;
    const QString executableFolder = root.filePath("bin");
    const QString configFolder = root.filePath("config");
    const QString dataFolder = root.filePath("share/sorvane-request");
    const QString userFolder = configFolder + "/sorvane-request";
};

TEST_F(AppFilesTest, LeftAloneTheUserFolderGetsNothingAndTheShippedPresetsAreRead)
{
    const AppFiles files = DecideAppFiles(executableFolder, configFolder, dataFolder, sorvane::UserFolder::LeaveAlone);
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(files.presetFile, dataFolder + "/profile.txt");
    EXPECT_EQ(files.settingsFile, userFolder + "/Sorvane_R.ini");
    EXPECT_FALSE(QFileInfo::exists(configFolder));

    decide(); // a real start seeds the user's own copy, which is read from then on
    EXPECT_EQ(DecideAppFiles(executableFolder, configFolder, dataFolder, sorvane::UserFolder::LeaveAlone).presetFile,
              userFolder + "/profile.txt");
}

TEST_F(AppFilesTest, PortableWhenThePresetFileIsBesideTheExecutable)
{
    WriteBytes(Path(executableFolder + "/profile.txt"), "");
    const AppFiles files = decide();
    EXPECT_TRUE(files.portable);
    EXPECT_EQ(files.applicationFolder, executableFolder);
    EXPECT_EQ(files.presetFile, executableFolder + "/profile.txt");
    EXPECT_EQ(files.settingsFile, executableFolder + "/Sorvane_R.ini");
    EXPECT_EQ(files.readmeFile, executableFolder + "/Readme.txt");
    EXPECT_FALSE(QFileInfo::exists(configFolder)) << "a portable program leaves the user's folders alone";
}

TEST_F(AppFilesTest, InstalledSeedsAWritablePresetFileInTheUsersFolder)
{
    const AppFiles files = decide();
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(files.applicationFolder, userFolder);
    EXPECT_EQ(files.presetFile, userFolder + "/profile.txt");
    EXPECT_EQ(files.settingsFile, userFolder + "/Sorvane_R.ini");
    EXPECT_EQ(files.readmeFile, dataFolder + "/Readme.txt");
    EXPECT_EQ(ReadBytes(Path(files.presetFile)), ShippedPresets);
    EXPECT_TRUE(QFile::permissions(files.presetFile) & QFile::WriteOwner);
    EXPECT_FALSE(QFileInfo::exists(files.settingsFile)) << "the settings file is written only when the window closes";
    EXPECT_EQ(QDir(userFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"profile.txt"});
}

TEST_F(AppFilesTest, InstalledKeepsTheUsersOwnPresetFile)
{
    ASSERT_TRUE(QDir().mkpath(userFolder));
    WriteBytes(Path(userFolder + "/profile.txt"), "my own presets\n");
    decide();
    EXPECT_EQ(ReadBytes(Path(userFolder + "/profile.txt")), QByteArrayLiteral("my own presets\n"));
}

TEST_F(AppFilesTest, WithoutAShippedPresetFileThereIsNoneToFind)
{
    const QString emptyData = root.filePath("nothing-installed");
    const AppFiles files = DecideAppFiles(executableFolder, configFolder, emptyData);
    EXPECT_FALSE(files.portable);
    EXPECT_EQ(files.presetFile, userFolder + "/profile.txt");
    EXPECT_FALSE(QFileInfo::exists(files.presetFile));
    EXPECT_TRUE(QFileInfo(userFolder).isDir());
}

TEST_F(AppFilesTest, AUsersFolderThatCannotBeMadeLeavesThePresetFileMissing)
{
    WriteBytes(Path(configFolder), "a file where the folder should be");
    const AppFiles files = decide();
    EXPECT_EQ(files.presetFile, userFolder + "/profile.txt");
    EXPECT_FALSE(QFileInfo::exists(files.presetFile));
}

} // namespace

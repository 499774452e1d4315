#include "inifile.h"

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using sorvane::IniFile;
using sorvane::ParseProfileInteger;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

TEST(ProfileInteger, ReadsTheIntegerFormsAndNothingElse)
{
    const std::pair<QString, std::optional<int>> cases[] = {
        {"0", 0},
        {"42", 42},
        {"007", 7},
        {"+5", 5},
        {"-5", -5},
        {"   12", 12},
        {"\t-3", -3},
        {"$3", 3},
        {"x3", 3},
        {"X1f", 31},
        {"0x3", 3},
        {"0XfF", 255},
        {"-$10", -16},
        {"+0x10", 16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$7FFFFFFF", 2147483647},
        {"-$80000000", -2147483647 - 1},
        {"0000000000000000000009", 9},
        // not integers: the key counts as missing
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"- 5", std::nullopt},
        {"--5", std::nullopt},
        {"+", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"$-5", std::nullopt},
        {"0x$5", std::nullopt},
        {"$G", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"$80000000", std::nullopt},
        {"$FFFFFFFF", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"١٢", std::nullopt}, // digits of another script
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(ParseProfileInteger(text), expected) << '"' << text.toStdString() << '"';
}

TEST(IniFileReading, FollowsThePrivateProfileRules)
{
    const IniFile file(QByteArrayLiteral("top=before any section\n"
                                         "[Names]\n"
                                         "plain=value\n"
                                         "  spaced  =   two words   \n"
                                         "quoted=\"  inner blanks  \"\n"
                                         "single='single'\n"
                                         "twice=\"\"a\"\"\n"
                                         "unbalanced=\"half\n"
                                         "empty=\n"
                                         "eq=a=b\n"
                                         "plain=second occurrence\n"
                                         "no equals sign\n"
                                         "; comment=not a key here either\n"
                                         "  [ Other ]  \n"
                                         "Key=other\n"
                                         "[names]\n"
                                         "late=in a second section of the same name\n"));
    const std::pair<std::pair<QString, QString>, std::optional<QString>> cases[] = {
        {{"Names", "plain"}, "value"},
        {{"NAMES", "PLAIN"}, "value"},
        {{"names", "spaced"}, "two words"},
        {{"Names", "quoted"}, "  inner blanks  "},
        {{"Names", "single"}, "single"},
        {{"Names", "twice"}, "\"a\""},
        {{"Names", "unbalanced"}, "\"half"},
        {{"Names", "empty"}, ""},
        {{"Names", "eq"}, "a=b"},
        {{"other", "key"}, "other"},
        {{"Names", "Key"}, std::nullopt},
        {{"Names", "no equals sign"}, std::nullopt},
        {{"Names", "late"}, std::nullopt},
        {{"Names", "top"}, std::nullopt},
        {{"Missing", "plain"}, std::nullopt},
    };
    for (const auto &[name, expected] : cases) {
        const auto &[section, key] = name;
        EXPECT_EQ(file.value(section, key), expected) << section.toStdString() << '/' << key.toStdString();
    }
}

TEST(IniFileReading, IntegersReadThroughTheValueRule)
{
    const IniFile file(QByteArrayLiteral("[S]\nhex = 0x3 \nquoted=\" -7\"\nbad=7x\n"));
    EXPECT_EQ(ParseProfileInteger(*file.value("s", "HEX")), 3);
    EXPECT_EQ(ParseProfileInteger(*file.value("S", "quoted")), -7);
    EXPECT_EQ(ParseProfileInteger(*file.value("S", "bad")), std::nullopt);
    EXPECT_EQ(file.value("S", "missing"), std::nullopt);
}

TEST(IniFileWriting, ChangesOnlyWhatItWrites)
{
    IniFile file(QByteArrayLiteral("; hand-written notes\n"
                                   "[first]\n"
                                   "keep = as  it  was \n"
                                   "Target = old\n"
                                   "target=second occurrence\n"
                                   "\n"
                                   "[Unknown]\n"
                                   "x=1\n"
                                   "garbage line\n"
                                   "\n"
                                   "[second]\n"
                                   "a=1"));
    file.setValue("FIRST", "target", "new");
    file.setValue("first", "added", "at the end of its section");
    file.setValue("Second", "b", "2");
    file.setValue("third", "n", "-1");
    EXPECT_EQ(file.text(), QByteArrayLiteral("; hand-written notes\n"
                                             "[first]\n"
                                             "keep = as  it  was \n"
                                             "Target =new\n"
                                             "target=second occurrence\n"
                                             "added=at the end of its section\n"
                                             "\n"
                                             "[Unknown]\n"
                                             "x=1\n"
                                             "garbage line\n"
                                             "\n"
                                             "[second]\n"
                                             "a=1\n"
                                             "b=2\n"
                                             "[third]\n"
                                             "n=-1\n"));
}

TEST(IniFileWriting, KeepsTheFilesLineBreaks)
{
    IniFile crlf(QByteArrayLiteral("[S]\r\na=1\r\n"));
    crlf.setValue("S", "a", "2");
    crlf.setValue("S", "b", "3");
    crlf.setValue("T", "c", "4");
    EXPECT_EQ(crlf.text(), QByteArrayLiteral("[S]\r\na=2\r\nb=3\r\n[T]\r\nc=4\r\n"));

    IniFile fresh;
    fresh.setValue("S", "a", "1");
    EXPECT_EQ(fresh.text(), QByteArrayLiteral("[S]\na=1\n"));
}

TEST(IniFileWriting, ValuesReadBackAsWritten)
{
    const QString values[] = {
        "plain", "", " leading blank", "trailing blank ", "\"quoted\"", "'single'", "\"", "a \"middle\" quote",
        "/ホーム/音楽/変換",
    };
    IniFile file;
    for (const QString &value : values) {
        file.setValue("S", "k", value);
        EXPECT_EQ(file.value("S", "k"), value) << file.text().toStdString();
    }
}

TEST(IniFileWriting, ALineBreakInAValueCannotAddLines)
{
    IniFile file;
    file.setValue("S", "k", "/music\n[S]\nother=injected");
    EXPECT_EQ(file.text(), QByteArrayLiteral("[S]\nk=/music\n"));
    EXPECT_EQ(file.value("S", "other"), std::nullopt);
}

TEST(IniFileWriting, BytesThatAreNotUtf8StayUntouched)
{
    const QByteArray original = QByteArrayLiteral("[S]\r\nname=\x95\xcf\x8a\xb7\r\n[\x83\x65]\r\nk=\xff\r\n");
    IniFile file(original);
    file.setValue("S", "name", "x");
    EXPECT_EQ(file.text(), QByteArrayLiteral("[S]\r\nname=x\r\n[\x83\x65]\r\nk=\xff\r\n"));
}

class IniFileOnDisk : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(IniFileOnDisk, MissingFileIsEmptyAndIsCreated)
{
    std::optional<IniFile> file = IniFile::load(path("new.ini"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->text(), QByteArray());
    file->setValue("S", "k", "v");
    ASSERT_TRUE(file->save(path("new.ini")));
    EXPECT_EQ(ReadBytes(path("new.ini").toStdString()), QByteArrayLiteral("[S]\nk=v\n"));
    EXPECT_EQ(IniFile::load(path("new.ini"))->value("s", "K"), QStringLiteral("v"));
}

TEST_F(IniFileOnDisk, AFolderInTheFilesPlaceIsNeitherReadNorReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.ini"));
    EXPECT_FALSE(IniFile::load(path("taken.ini")));
    IniFile file;
    file.setValue("S", "k", "v");
    EXPECT_FALSE(file.save(path("taken.ini")));
    EXPECT_TRUE(QFileInfo(path("taken.ini")).isDir());
}

TEST_F(IniFileOnDisk, AReadOnlyFileIsRefusedAndKept)
{
    const QByteArray original = QByteArrayLiteral("[S]\nk=old\n");
    WriteBytes(path("locked.ini").toStdString(), original);
    ASSERT_TRUE(QFile::setPermissions(path("locked.ini"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    IniFile file = *IniFile::load(path("locked.ini"));
    file.setValue("S", "k", "new");
    EXPECT_FALSE(file.save(path("locked.ini")));
    EXPECT_EQ(ReadBytes(path("locked.ini").toStdString()), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"locked.ini"});
}

TEST_F(IniFileOnDisk, ReplacesTheFileWholeAndKeepsItsPermissions)
{
    WriteBytes(path("s.ini").toStdString(), QByteArrayLiteral("[S]\nk=old\n"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    ASSERT_TRUE(QFile::setPermissions(path("s.ini"), permissions));
    IniFile file = *IniFile::load(path("s.ini"));
    file.setValue("S", "k", "new");
    ASSERT_TRUE(file.save(path("s.ini")));
    EXPECT_EQ(ReadBytes(path("s.ini").toStdString()), QByteArrayLiteral("[S]\nk=new\n"));
    EXPECT_EQ(QFile::permissions(path("s.ini")), permissions);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"s.ini"});
}

#ifdef Q_OS_UNIX
// A write that fails part way (here: the file size limit is hit, as a full
// disk would) leaves the old file exactly as it was and no stray file behind.
TEST_F(IniFileOnDisk, AWriteThatFailsPartWayLeavesTheOldFile)
{
    const QByteArray original = QByteArrayLiteral("[S]\nk=old\n");
    WriteBytes(path("s.ini").toStdString(), original);
    IniFile file = *IniFile::load(path("s.ini"));
    file.setValue("S", "k", QString(100000, u'x'));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = file.save(path("s.ini"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path("s.ini").toStdString()), original);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"s.ini"});
}
#endif

} // namespace

#include "settings.h"

#include "failure.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvane;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

const QString ApplicationFolder = QStringLiteral("/opt/sorvane");

// Options as a running window might hold them before a key is applied, so a
// value that does not read shows by leaving these in place.
void SetCurrentState(OptionSet &options)
{
    for (int preset = 1; preset <= 4; ++preset)
        options.C2_00.appendRow(QStringLiteral("Preset %1,MP3,2,LIBMP3LAME,44100,128").arg(preset));
    options.position = {5, 6};
    options.C1_03 = QStringLiteral("/current");
    for (OptionList *list : {&options.C1_02, &options.C2_00, &options.C3_01, &options.C3_02, &options.C3_03,
                             &options.C3_04, &options.C3_05})
        list->setItemIndex(1);
    options.C4_C1 = false;
    options.C4_C5 = true;
    options.C4_01 = {1, 2, 3, 4, 5, 6};
}

struct ValueCase
{
    QString section;
    QString key;
    QString stored;
    QString expected; // what the option writes back after the value is applied
};

const ValueCase ValueCases[] = {
    {"SET", "M_LEFT", "-1200", "-1200"},
    {"SET", "M_TOP", "abc", "6"},
    {"SET1", "C1_03", "", ApplicationFolder},
    {"SET1", "C1_03", "   ", ApplicationFolder},
    {"SET1", "C1_03", "/music/out/", "/music/out"},
    {"SET1", "C1_03", "\" /music/with blanks \"", " /music/with blanks "},
    {"SET1", "C1_03", "/", "/"},
    {"SET1", "C1_03", "/does/not/exist", "/does/not/exist"},
    {"SET1", "C1_03", "/" + QString(3000, u'x'), "/" + QString(2046, u'x')},
    {"SET1", "C1_02", "2", "2"},
    {"SET1", "C1_02", "3", "-1"},
    {"SET1", "C1_02", "-1", "-1"},
    {"SET2", "C2_00", "3", "3"},
    {"SET3", "C3_01", "13", "13"},
    {"SET3", "C3_02", "0x3", "3"},
    {"SET3", "C3_02", "$3", "3"},
    {"SET3", "C3_03", "letters", "1"},
    {"SET3", "C3_03", "", "1"},
    {"SET3", "C3_03", "8kHz", "1"},
    {"SET3", "C3_04", "7", "-1"},
    {"SET3", "C3_05", "\"5\"", "5"},
    {"set3", "c3_05", "  4  ", "4"},
    {"SET4", "C4_C1", "2", "1"},
    {"SET4", "C4_C1", "-1", "1"},
    {"SET4", "C4_C1", "yes", "0"},
    {"SET4", "C4_C5", "0", "0"},
    {"SET4", "C4_C5", "", "1"},
    {"SET4", "C4_01_1", "-5", "0"},
    {"SET4", "C4_01_1", "150", "99"},
    {"SET4", "C4_01_2", "75", "59"},
    {"SET4", "C4_01_3", "59", "59"},
    {"SET4", "C4_01_4", "$10", "16"},
    {"SET4", "C4_01_5", "2147483648", "5"},
    {"SET4", "C4_01_6", "1e1", "6"},
};

QString Describe(const ValueCase &c)
{
    return QStringLiteral("[%1] %2=%3").arg(c.section, c.key, c.stored.left(40));
}

QString WrittenValue(const OptionSet &options, const QString &section, const QString &key)
{
    IniFile written;
    SaveSettings(written, options);
    return written.value(section, key).value_or(QStringLiteral("<missing>"));
}

TEST(SettingsValues, EachStoredValueIsAppliedByItsRule)
{
    for (const ValueCase &c : ValueCases) {
        SCOPED_TRACE(Describe(c).toStdString());
        OptionSet options;
        SetCurrentState(options);
        const QString line = QStringLiteral("[%1]\n%2=%3\n").arg(c.section, c.key, c.stored);
        LoadSettings(IniFile(line.toUtf8()), options, ApplicationFolder);
        EXPECT_EQ(WrittenValue(options, c.section, c.key), c.expected);
    }
}

TEST(SettingsValues, SetFromTheCommandLineByTheSameRules)
{
    for (const ValueCase &c : ValueCases) {
        SCOPED_TRACE(Describe(c).toStdString());
        OptionSet options;
        SetCurrentState(options);
        ASSERT_TRUE(ApplySetting(options, c.key, c.stored, ApplicationFolder));
        EXPECT_EQ(WrittenValue(options, c.section, c.key), c.expected);
    }
}

TEST(SettingsValues, AnUnknownKeyIsRefusedAndChangesNothing)
{
    OptionSet options;
    SetCurrentState(options);
    EXPECT_FALSE(ApplySetting(options, "C3_06", "1", ApplicationFolder));
    EXPECT_FALSE(ApplySetting(options, "SET3", "1", ApplicationFolder));
    EXPECT_FALSE(ApplySetting(options, "", "1", ApplicationFolder));
    OptionSet untouched;
    SetCurrentState(untouched);
    IniFile a, b;
    SaveSettings(a, options);
    SaveSettings(b, untouched);
    EXPECT_EQ(a.text(), b.text());
}

TEST(SettingsValues, EveryKeyIsReadInItsOwnSection)
{
    OptionSet options;
    LoadSettings(IniFile(QByteArrayLiteral("[SET4]\nC3_01=5\nM_LEFT=100\n")), options, ApplicationFolder);
    EXPECT_EQ(options.C3_01.itemIndex(), -1);
    EXPECT_EQ(options.position, QPoint(20, 20));
}

TEST(SettingsFile, FirstStartThenCloseWritesEveryKeyInOrder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Sorvane_R.ini");
    OptionSet options;
    LoadSettingsFile(path, options, dir.path());
    EXPECT_EQ(options.position, QPoint(20, 20));
    EXPECT_EQ(options.C1_03, dir.path());
    for (const OptionList *list : {&options.C1_02, &options.C2_00, &options.C3_01, &options.C3_02, &options.C3_03,
                                   &options.C3_04, &options.C3_05})
        EXPECT_EQ(list->itemIndex(), -1) << list->name().toStdString();
    EXPECT_FALSE(options.C4_C1);
    EXPECT_FALSE(options.C4_C5);
    EXPECT_EQ(options.C4_01, (std::array<int, 6>{}));

    SaveSettingsFile(path, options);
    const QByteArray expected = "[SET]\nM_LEFT=20\nM_TOP=20\n"
                                "[SET1]\nC1_03=" + dir.path().toUtf8() + "\nC1_02=-1\n"
                                "[SET2]\nC2_00=-1\n"
                                "[SET3]\nC3_01=-1\nC3_02=-1\nC3_03=-1\nC3_04=-1\nC3_05=-1\n"
                                "[SET4]\nC4_C1=0\nC4_C5=0\nC4_01_1=0\nC4_01_2=0\nC4_01_3=0\nC4_01_4=0\nC4_01_5=0\nC4_01_6=0\n";
    EXPECT_EQ(ReadBytes(path.toStdString()), expected);
}

TEST(SettingsFile, SavedOptionsComeBackTheSame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Sorvane_R.ini");
    OptionSet saved;
    SetCurrentState(saved);
    saved.C1_03 = QStringLiteral("/音楽/変換 ～ 済み");
    saved.C3_01.setItemIndex(34);
    saved.C4_01 = {99, 0, 59, 12, 34, 56};
    SaveSettingsFile(path, saved);

    OptionSet loaded;
    SetCurrentState(loaded);
    loaded.position = {0, 0};
    loaded.C1_03.clear();
    loaded.C3_01.setItemIndex(-1);
    loaded.C4_01 = {};
    loaded.C4_C1 = true;
    LoadSettingsFile(path, loaded, ApplicationFolder);
    IniFile a, b;
    SaveSettings(a, saved);
    SaveSettings(b, loaded);
    EXPECT_EQ(b.text(), a.text());
}

TEST(SettingsFile, HandWrittenContentStaysInPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Sorvane_R.ini");
    WriteBytes(path.toStdString(), "; kept by hand\r\n"
                                   "[set]\r\n"
                                   "m_left = 300\r\n"
                                   "Note=not ours\r\n"
                                   "\r\n"
                                   "[Elsewhere]\r\n"
                                   "C3_01=99\r\n"
                                   "\r\n"
                                   "[SET3]\r\n"
                                   "; the bit rate\r\n"
                                   "c3_02=\"$3\"\r\n"
                                   "Mine=1\r\n"
                                   "[Tail]\r\n"
                                   "end=yes");
    OptionSet options;
    LoadSettingsFile(path, options, ApplicationFolder);
    EXPECT_EQ(options.position, QPoint(300, 20));
    EXPECT_EQ(options.C3_01.itemIndex(), -1) << "C3_01 outside SET3 does not count";
    EXPECT_EQ(options.C3_02.itemIndex(), 3);

    options.C4_C1 = true;
    SaveSettingsFile(path, options);
    EXPECT_EQ(ReadBytes(path.toStdString()), QByteArrayLiteral("; kept by hand\r\n"
                                                               "[set]\r\n"
                                                               "m_left =300\r\n"
                                                               "Note=not ours\r\n"
                                                               "M_TOP=20\r\n"
                                                               "\r\n"
                                                               "[Elsewhere]\r\n"
                                                               "C3_01=99\r\n"
                                                               "\r\n"
                                                               "[SET3]\r\n"
                                                               "; the bit rate\r\n"
                                                               "c3_02=3\r\n"
                                                               "Mine=1\r\n"
                                                               "C3_01=-1\r\n"
                                                               "C3_03=-1\r\n"
                                                               "C3_04=-1\r\n"
                                                               "C3_05=-1\r\n"
                                                               "[Tail]\r\n"
                                                               "end=yes\r\n"
                                                               "[SET1]\r\n"
                                                               "C1_03=/opt/sorvane\r\n"
                                                               "C1_02=-1\r\n"
                                                               "[SET2]\r\n"
                                                               "C2_00=-1\r\n"
                                                               "[SET4]\r\n"
                                                               "C4_C1=1\r\n"
                                                               "C4_C5=0\r\n"
                                                               "C4_01_1=0\r\n"
                                                               "C4_01_2=0\r\n"
                                                               "C4_01_3=0\r\n"
                                                               "C4_01_4=0\r\n"
                                                               "C4_01_5=0\r\n"
                                                               "C4_01_6=0\r\n"));
}

TEST(SettingsFile, AnUnwritableFileIsReportedByItsFullPathAndKept)
{
    QTemporaryDir dir;
    const QString readOnly = dir.filePath("Sorvane_R.ini");
    const QByteArray original = QByteArrayLiteral("[SET]\nM_LEFT=7\n");
    WriteBytes(readOnly.toStdString(), original);
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString folderInPlace = dir.filePath("folder/Sorvane_R.ini");
    ASSERT_TRUE(QDir().mkpath(folderInPlace));

    OptionSet options;
    for (const QString &path : {readOnly, folderInPlace}) {
        SCOPED_TRACE(path.toStdString());
        try {
            SaveSettingsFile(path, options);
            ADD_FAILURE() << "the write was reported as done";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.message(), path + QStringLiteral(" に書き込めません"));
        }
    }
    EXPECT_EQ(ReadBytes(readOnly.toStdString()), original);
    EXPECT_TRUE(QFileInfo(folderInPlace).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Sorvane_R.ini"});
}

TEST(SettingsFile, TheMessageNamesTheAbsolutePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Sorvane_R.ini"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    std::optional<QString> message;
    try {
        SaveSettingsFile("Sorvane_R.ini", OptionSet());
    } catch (const Failure &failure) {
        message = failure.message();
    }
    QDir::setCurrent(previous);
    EXPECT_EQ(message, QDir(dir.path()).absoluteFilePath("Sorvane_R.ini") + QStringLiteral(" に書き込めません"));
}

TEST(WindowPlacement, StaysWhereStoredUnlessOffEveryScreen)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QSize window(700, 500);
    const std::tuple<QPoint, QPoint, const char *> cases[] = {
        {{20, 20}, {20, 20}, "on the first screen"},
        {{2800, 600}, {2800, 600}, "partly beyond the second screen's right edge"},
        {{-699, -499}, {-699, -499}, "one pixel on the first screen"},
        {{1800, 1050}, {1800, 1050}, "across both screens, partly below"},
        {{-700, 100}, {0, 100}, "just left of the first screen"},
        {{-5000, -5000}, {0, 0}, "far above and left"},
        {{5000, 300}, {2500, 300}, "right of the second screen, where a third one was"},
        {{2000, 1100}, {2000, 524}, "below the second screen"},
        {{100, 3000}, {100, 580}, "below the first screen"},
    };
    for (const auto &[stored, expected, what] : cases)
        EXPECT_EQ(PlaceOnScreens(stored, window, screens), expected) << what;
}

TEST(WindowPlacement, AWindowLargerThanTheScreenKeepsItsTopLeftOnIt)
{
    EXPECT_EQ(PlaceOnScreens({3000, 3000}, QSize(1000, 900), {QRect(0, 0, 800, 600)}), QPoint(0, 0));
    EXPECT_EQ(PlaceOnScreens({3000, 3000}, QSize(1000, 900), {QRect(-800, 100, 800, 600)}), QPoint(-800, 100));
    EXPECT_EQ(PlaceOnScreens({3000, 3000}, QSize(300, 200), {}), QPoint(3000, 3000)) << "no screen known";
}

} // namespace

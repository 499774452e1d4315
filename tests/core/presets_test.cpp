#include "commatext.h"
#include "failure.h"
#include "optionset.h"
#include "pathtext.h"
#include "presets.h"
#include "testsupport.h"

#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <iterator>
#include <optional>
#include <sys/resource.h>

using namespace sorvane;
namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

const QString Voice = QStringLiteral("Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps");

class PresetFolder
{
public:
    fs::path file() const { return PathFromQt(m_folder.path()) / "profile.txt"; }
    fs::path write(const QByteArray &bytes) const
    {
        WriteBytes(file(), bytes);
        return file();
    }

private:
    QTemporaryDir m_folder;
};

QByteArray CodePage932(const QString &text)
{
    QStringEncoder encoder("Shift_JIS");
    return encoder.encode(text);
}

QString ExpectFailure(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Failure &failure) {
        return failure.message();
    }
    ADD_FAILURE() << "no Failure thrown";
    return {};
}

struct AudioRows
{
    int channels, format, sampleRate, bitRate;
    bool operator==(const AudioRows &) const = default;
};

std::ostream &operator<<(std::ostream &out, const AudioRows &rows)
{
    return out << "{C3_04 " << rows.channels << ", C3_01 " << rows.format << ", C3_03 " << rows.sampleRate
               << ", C3_02 " << rows.bitRate << "}";
}

AudioRows RowsOf(const OptionSet &options)
{
    return {options.C3_04.itemIndex(), options.C3_01.itemIndex(), options.C3_03.itemIndex(), options.C3_02.itemIndex()};
}

void ChooseRows(OptionSet &options, const AudioRows &rows)
{
    options.C3_04.setItemIndex(rows.channels);
    options.C3_01.setItemIndex(rows.format);
    options.C3_03.setItemIndex(rows.sampleRate);
    options.C3_02.setItemIndex(rows.bitRate);
}

// Appends `line` to C2_00, chooses it and applies it.
AudioRows ApplyLine(OptionSet &options, const QString &line)
{
    options.C2_00.setItemIndex(options.C2_00.appendRow(line));
    ApplyPreset(options);
    return RowsOf(options);
}

} // namespace

TEST(PresetFile, SplitsLinesAtEveryKindOfBreak)
{
    struct Case
    {
        QByteArray bytes;
        QStringList lines;
    };
    const QList<Case> cases{
        {"", {}},
        {"\r\n", {""}},
        {"a,b\r\nc,d\r\n", {"a,b", "c,d"}},
        {"a,b\nc,d\n", {"a,b", "c,d"}},
        {"a,b\rc,d\r", {"a,b", "c,d"}},
        {"a,b\r\nc,d", {"a,b", "c,d"}},
        {"a\n\rb\r\r\nc", {"a", "", "b", "", "c"}},
        {"a\n\nb\n\n", {"a", "", "b", ""}},
        {" a ,\t b \n", {" a ,\t b "}},
    };
    for (const Case &c : cases) {
        PresetFolder folder;
        const PresetFile file(folder.write(c.bytes));
        EXPECT_EQ(file.lines(), c.lines) << c.bytes.toStdString();
        OptionSet options;
        file.fillPresetList(options.C2_00);
        ASSERT_EQ(options.C2_00.rowCount(), c.lines.size() + 1);
        for (int i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(options.C2_00.rowText(i + 1), c.lines.at(i));
        EXPECT_EQ(options.C2_00.itemIndex(), -1);
    }
}

TEST(PresetFile, MissingOrUnreadableFileNamesItsPath)
{
    PresetFolder folder;
    const fs::path path = folder.file();
    const QString expected = QStringLiteral("ファイル %1 は開けません").arg(DisplayPath(path));
    EXPECT_EQ(ExpectFailure([&] { PresetFile file(path); }), expected);
    fs::create_directory(path);
    EXPECT_EQ(ExpectFailure([&] { PresetFile file(path); }), expected);
}

TEST(ApplyPreset, VoiceChoosesItsRowsAndCallsEachHandlerTwice)
{
    OptionSet options;
    options.C3_05.setItemIndex(5);
    options.C1_02.setItemIndex(2);
    options.C3_01.setItemIndex(7);
    QStringList calls;
    const AudioRows rows = [&] {
        options.C2_00.setItemIndex(options.C2_00.appendRow(Voice));
        ApplyPreset(options, [&](OptionList &list) {
            calls.append(QStringLiteral("%1:%2:%3").arg(list.name()).arg(list.itemIndex()).arg(list.targetColumn()));
        });
        return RowsOf(options);
    }();
    EXPECT_EQ(rows, (AudioRows{1, 13, 4, 9}));
    EXPECT_EQ(calls, QStringList({"C3_04:0:0", "C3_04:1:0", "C3_01:0:1", "C3_01:13:1", "C3_03:0:0", "C3_03:4:0",
                                  "C3_02:0:0", "C3_02:9:0"}));
    for (const OptionList *list : {&options.C2_00, &options.C3_01, &options.C3_02, &options.C3_03, &options.C3_04})
        EXPECT_EQ(list->targetColumn(), 0) << list->name().toStdString();
    EXPECT_EQ(options.C2_00.getSelectedText(), "Voice");
    EXPECT_EQ(options.C3_05.itemIndex(), 5);
    EXPECT_EQ(options.C1_02.itemIndex(), 2);
}

TEST(ApplyPreset, FirstRowHoldingTheKeyWins)
{
    struct Case
    {
        QString line;
        AudioRows rows;
    };
    const QList<Case> cases{
        {"a,,,,,28kbps", {0, 0, 0, 4}},
        {"a,,,,,24kbps", {0, 0, 0, 3}},
        {"a,,,,8000Hz", {0, 0, 1, 0}},
        {"a,,,LIBGSM", {0, 9, 0, 0}},
        {"a,,,WAV", {0, 16, 0, 0}},
        {"a,,,PCM", {0, 1, 0, 0}},
        {"a,,ｽﾃﾚｵ", {2, 0, 0, 0}},
        {"a,,,lame", {0, 0, 0, 0}}, // case-sensitive
        {"a,自動,自動,元のﾌｧｲﾙ形式を維持,自動,自動", {0, 0, 0, 0}},
        {"", {0, 0, 0, 0}},
        {"name only", {0, 0, 0, 0}},
        // A space in a hand-written name shifts every later column one place right.
        {"My Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps", {0, 17, 0, 0}},
        {"\"My Voice\",MP3,1,LIBMP3LAME,22050Hz,64kbps", {1, 13, 4, 9}},
    };
    for (const Case &c : cases) {
        OptionSet options;
        ChooseRows(options, {2, 30, 9, 18});
        int calls = 0;
        options.C2_00.setItemIndex(options.C2_00.appendRow(c.line));
        ApplyPreset(options, [&](OptionList &) { ++calls; });
        EXPECT_EQ(RowsOf(options), c.rows) << c.line.toStdString();
        const int matchedOffRowZero = (c.rows.channels > 0) + (c.rows.format > 0) + (c.rows.sampleRate > 0) + (c.rows.bitRate > 0);
        const int matchedRowZero = c.line.contains(u"自動") ? 4 : 0;
        EXPECT_EQ(calls, 4 + matchedOffRowZero + matchedRowZero) << c.line.toStdString();
    }
}

TEST(ApplyPreset, FixedRowAndNoChosenRowSetEveryListToRowZero)
{
    for (int presetRow : {0, -1}) {
        OptionSet options;
        ChooseRows(options, {1, 13, 4, 9});
        options.C2_00.setItemIndex(presetRow);
        ApplyPreset(options);
        EXPECT_EQ(RowsOf(options), (AudioRows{0, 0, 0, 0}));
    }
}

// Every combination of the four lists, each also without a chosen row: the
// saved line, chosen later, gives back the rows (row 0 for an unchosen list).
TEST(PresetRoundTrip, EveryCombinationComesBack)
{
    OptionSet source;
    OptionSet target;
    int combinations = 0;
    for (int channels = -1; channels < source.C3_04.rowCount(); ++channels)
        for (int format = -1; format < source.C3_01.rowCount(); ++format)
            for (int sampleRate = -1; sampleRate < source.C3_03.rowCount(); ++sampleRate)
                for (int bitRate = -1; bitRate < source.C3_02.rowCount(); ++bitRate) {
                    const AudioRows saved{channels, format, sampleRate, bitRate};
                    ChooseRows(source, saved);
                    const QString line = ComposePresetLine(CleanPresetName("Round trip"), source);
                    const AudioRows expected{qMax(channels, 0), qMax(format, 0), qMax(sampleRate, 0), qMax(bitRate, 0)};
                    ASSERT_EQ(ApplyLine(target, line), expected) << line.toStdString();
                    ++combinations;
                }
    EXPECT_EQ(combinations, 4 * 36 * 11 * 20);
}

TEST(ComposePresetLine, TakesTheDocumentedColumns)
{
    OptionSet options;
    EXPECT_EQ(ComposePresetLine("n", options), "n,,,,,");
    ChooseRows(options, {0, 0, 0, 0});
    EXPECT_EQ(ComposePresetLine("n", options), "n,自動,自動,元のﾌｧｲﾙ形式を維持,自動,自動");
    ChooseRows(options, {2, 13, 8, 13});
    EXPECT_EQ(ComposePresetLine("Voice", options), "Voice,MP3,2,LIBMP3LAME,44100Hz,128kbps");
    EXPECT_EQ(options.C3_01.targetColumn(), 0);
}

TEST(CleanPresetName, KeepsTheNameOneColumn)
{
    struct Case
    {
        QString typed;
        QString cleaned;
    };
    const QList<Case> cases{
        {"Voice", "Voice"},
        {"a,b c", "a，b　c"},
        {"   ", "　　　"},
        {"a\tb", "a　b"},
        {"\"quoted", "＂quoted"},
        {"say \"hi\"", "say　＂hi＂"},
        {QString("a") + QChar(1) + "b" + QChar(0x7F) + "c\r\nd", "a　b　c　　d"},
        {"音声,メモ", "音声，メモ"},
        {"", ""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(CleanPresetName(c.typed), c.cleaned) << c.typed.toStdString();
        if (c.cleaned.isEmpty())
            continue;
        const QStringList columns = SplitCommaText(CleanPresetName(c.typed) + ",MP3,1,LIBMP3LAME,22050Hz,64kbps");
        EXPECT_EQ(columns.size(), 6) << c.typed.toStdString();
        EXPECT_EQ(columns.value(0), c.cleaned);
    }
}

TEST(SavePreset, WritesTheLineAndChoosesTheNewRowWithoutApplyingIt)
{
    PresetFolder folder;
    const QByteArray before = "Old,MP3,1,LIBMP3LAME,22050Hz,64kbps\r\n";
    PresetFile file(folder.write(before));
    OptionSet options;
    file.fillPresetList(options.C2_00);
    ChooseRows(options, {2, 13, 8, 13});
    QSignalSpy notifications(&options.C2_00, &OptionList::changed);

    ASSERT_TRUE(SavePreset(file, options, "Voice"));

    EXPECT_EQ(ReadBytes(file.path()), before + "Voice,MP3,2,LIBMP3LAME,44100Hz,128kbps\r\n");
    EXPECT_EQ(file.lines().size(), 2);
    EXPECT_EQ(options.C2_00.rowCount(), 3);
    EXPECT_EQ(options.C2_00.itemIndex(), 2);
    EXPECT_EQ(options.C2_00.getSelectedText(), "Voice");
    EXPECT_EQ(notifications.count(), 0);
    EXPECT_EQ(RowsOf(options), (AudioRows{2, 13, 8, 13}));

    // The next start reads it back and choosing it gives the same rows.
    OptionSet restarted;
    PresetFile(file.path()).fillPresetList(restarted.C2_00);
    ASSERT_TRUE(ChoosePreset(restarted, "Voice"));
    EXPECT_EQ(RowsOf(restarted), (AudioRows{2, 13, 8, 13}));
}

TEST(SavePreset, EmptyNameSavesNothing)
{
    PresetFolder folder;
    const QByteArray before = "a,b\n";
    PresetFile file(folder.write(before));
    OptionSet options;
    file.fillPresetList(options.C2_00);
    EXPECT_FALSE(SavePreset(file, options, QString()));
    EXPECT_EQ(ReadBytes(file.path()), before);
    EXPECT_EQ(file.lines().size(), 1);
    EXPECT_EQ(options.C2_00.rowCount(), 2);
    EXPECT_EQ(options.C2_00.itemIndex(), -1);
}

TEST(SavePreset, RewritesWithCrLfAndKeepsTheFinalBreakAsRead)
{
    struct Case
    {
        QByteArray before;
        QByteArray after;
    };
    const QList<Case> cases{
        {"", "N,,,,,\r\n"},
        {"a\nb\n", "a\r\nb\r\nN,,,,,\r\n"},
        {"a\rb\r", "a\r\nb\r\nN,,,,,\r\n"},
        {"a\n\nb\n", "a\r\n\r\nb\r\nN,,,,,\r\n"},
        {"a\r\nlast,line", "a\r\nlast,line\r\nN,,,,,"},
        {"a\nb\n\n", "a\r\nb\r\n\r\nN,,,,,\r\n"},
    };
    for (const Case &c : cases) {
        PresetFolder folder;
        PresetFile file(folder.write(c.before));
        OptionSet options;
        file.fillPresetList(options.C2_00);
        ASSERT_TRUE(SavePreset(file, options, "N"));
        EXPECT_EQ(ReadBytes(file.path()), c.after) << c.before.toStdString();
        // A second save keeps the same shape.
        ASSERT_TRUE(SavePreset(file, options, "N"));
        const QByteArray twice = c.after.endsWith('\n') ? c.after + "N,,,,,\r\n" : c.after + "\r\nN,,,,,";
        EXPECT_EQ(ReadBytes(file.path()), twice) << c.before.toStdString();
    }
}

TEST(SavePreset, CodePage932FileIsWrittenBackByteExact)
{
    const QByteArray fixture = ReadBytes(TEST_SOURCE_DIR "/fixtures/presets/cp932.txt");
    ASSERT_FALSE(fixture.isEmpty());
    PresetFolder folder;
    PresetFile file(folder.write(fixture));
    EXPECT_EQ(file.encoding(), TextEncoding::CodePage932);
    ASSERT_EQ(file.lines().size(), 4);
    EXPECT_EQ(file.lines().at(0), "音声メモ\uFF5E①,MP3,1,LIBMP3LAME,22050Hz,64kbps");
    EXPECT_EQ(file.lines().at(1), "ｽﾃﾚｵ高音質(表),MP3,2,LIBMP3LAME,44100Hz,320kbps");
    EXPECT_EQ(file.lines().at(2), "");

    OptionSet options;
    file.fillPresetList(options.C2_00);
    EXPECT_TRUE(ChoosePreset(options, "名前 付き")); // a quoted name holds its blank
    EXPECT_EQ(RowsOf(options), (AudioRows{2, 18, 8, 0}));
    ASSERT_TRUE(SavePreset(file, options, "表示 テスト"));
    const QString added = "表示　テスト,WAV,2,PCM_S16LE,44100Hz,自動";
    EXPECT_EQ(ReadBytes(file.path()), fixture + CodePage932(added) + "\r\n");
}

TEST(SavePreset, CharacterOutsideCodePage932TurnsTheFileIntoUtf8)
{
    const QByteArray fixture = ReadBytes(TEST_SOURCE_DIR "/fixtures/presets/cp932.txt");
    PresetFolder folder;
    PresetFile file(folder.write(fixture));
    const QStringList before = file.lines();
    OptionSet options;
    file.fillPresetList(options.C2_00);
    ASSERT_TRUE(SavePreset(file, options, "歌\U0001F3B5"));
    EXPECT_EQ(file.encoding(), TextEncoding::Utf8);
    const QString added = "歌\U0001F3B5,,,,,";
    EXPECT_EQ(ReadBytes(file.path()), (before.join("\r\n") + "\r\n" + added + "\r\n").toUtf8());
    const PresetFile reread(file.path());
    EXPECT_EQ(reread.lines(), before + QStringList{added});
    EXPECT_EQ(reread.encoding(), TextEncoding::Utf8);
}

TEST(SavePreset, Utf8FilesStayUtf8WithOrWithoutByteOrderMark)
{
    for (const QByteArray &mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        PresetFolder folder;
        const QByteArray before = mark + QString("音声,MP3,1,LIBMP3LAME,22050Hz,64kbps\n").toUtf8();
        PresetFile file(folder.write(before));
        EXPECT_EQ(file.lines().value(0), "音声,MP3,1,LIBMP3LAME,22050Hz,64kbps");
        OptionSet options;
        file.fillPresetList(options.C2_00);
        ASSERT_TRUE(SavePreset(file, options, "曲"));
        EXPECT_EQ(ReadBytes(file.path()), mark + QString("音声,MP3,1,LIBMP3LAME,22050Hz,64kbps\r\n曲,,,,,\r\n").toUtf8());
    }
}

TEST(SavePreset, PlainAsciiOrEmptyFileIsWrittenInCodePage932)
{
    for (const QByteArray &before : {QByteArray(), QByteArray("Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps\r\n")}) {
        PresetFolder folder;
        PresetFile file(folder.write(before));
        EXPECT_EQ(file.encoding(), TextEncoding::CodePage932);
        OptionSet options;
        ASSERT_TRUE(SavePreset(file, options, "音声～メモ"));
        EXPECT_EQ(ReadBytes(file.path()), before + CodePage932("音声\uFF5Eメモ,,,,,") + "\r\n");
    }
}

TEST(SavePreset, BytesThatAreNoCharacterAreNeverRewritten)
{
    PresetFolder folder;
    const QByteArray before = "ok,MP3\r\nbroken\x81\r\n"; // a lead byte without its trail
    PresetFile file(folder.write(before));
    ASSERT_EQ(file.lines().size(), 2);
    OptionSet options;
    file.fillPresetList(options.C2_00);
    const QString message = ExpectFailure([&] { SavePreset(file, options, "N"); });
    EXPECT_EQ(message, QStringLiteral("ファイル %1 には読めない文字があるため書き換えられません").arg(DisplayPath(file.path())));
    EXPECT_EQ(ReadBytes(file.path()), before);
    EXPECT_EQ(options.C2_00.rowCount(), 3);
}

// Tests run as root, where permissions stop nothing: a file size limit makes
// the write of the new version fail for real.
TEST(SavePreset, FailedWriteLeavesFileLinesAndListAsTheyWere)
{
    PresetFolder folder;
    const QByteArray before = "Old,MP3,1,LIBMP3LAME,22050Hz,64kbps\r\n";
    PresetFile file(folder.write(before));
    OptionSet options;
    file.fillPresetList(options.C2_00);
    options.C2_00.setItemIndex(1);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString message = ExpectFailure([&] { SavePreset(file, options, "Voice"); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(message, QStringLiteral("ファイル %1 を作成できません").arg(DisplayPath(file.path())));
    EXPECT_EQ(ReadBytes(file.path()), before);
    EXPECT_EQ(file.lines(), QStringList{"Old,MP3,1,LIBMP3LAME,22050Hz,64kbps"});
    EXPECT_EQ(options.C2_00.rowCount(), 2);
    EXPECT_EQ(options.C2_00.itemIndex(), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.path().parent_path()), fs::directory_iterator()), 1);

    // Trying again once the cause is gone saves the line once.
    ASSERT_TRUE(SavePreset(file, options, "Voice"));
    EXPECT_EQ(ReadBytes(file.path()), before + "Voice,,,,,\r\n");
    EXPECT_EQ(options.C2_00.rowCount(), 3);
}

TEST(SavePreset, VanishedFolderIsReported)
{
    fs::path path;
    std::optional<PresetFile> file;
    {
        PresetFolder folder;
        file.emplace(folder.write("a\r\n"));
        path = folder.file();
    }
    OptionSet options;
    file->fillPresetList(options.C2_00);
    EXPECT_EQ(ExpectFailure([&] { SavePreset(*file, options, "N"); }),
              QStringLiteral("ファイル %1 を作成できません").arg(DisplayPath(path)));
    EXPECT_EQ(file->lines().size(), 1);
    EXPECT_EQ(options.C2_00.rowCount(), 2);
}

TEST(ChoosePreset, TakesTheFirstPresetOfThatName)
{
    OptionSet options;
    for (const QString &line : {QString("手動2,,,,,"), QString("Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps"),
                                QString("Voice,FLAC,2,FLAC,,"), QString("\"My Voice\",WAV,2,PCM_S16LE,,")})
        options.C2_00.appendRow(line);
    QSignalSpy notifications(&options.C2_00, &OptionList::changed);
    EXPECT_EQ(FindPresetRow(options.C2_00, "Voice"), 2);
    EXPECT_EQ(FindPresetRow(options.C2_00, "My Voice"), 4);
    EXPECT_EQ(FindPresetRow(options.C2_00, "手動"), -1); // the fixed row is no preset
    EXPECT_EQ(FindPresetRow(options.C2_00, "voice"), -1);

    ASSERT_TRUE(ChoosePreset(options, "Voice"));
    EXPECT_EQ(options.C2_00.itemIndex(), 2);
    EXPECT_EQ(RowsOf(options), (AudioRows{1, 13, 4, 9}));
    ASSERT_TRUE(ChoosePreset(options, "My Voice"));
    EXPECT_EQ(RowsOf(options), (AudioRows{2, 18, 0, 0}));

    EXPECT_FALSE(ChoosePreset(options, "Nothing"));
    EXPECT_EQ(options.C2_00.itemIndex(), 4);
    EXPECT_EQ(RowsOf(options), (AudioRows{2, 18, 0, 0}));
    EXPECT_EQ(notifications.count(), 0);
}

#include "commandline.h"
#include "optionset.h"
#include "pathtext.h"

#include <gtest/gtest.h>

using namespace sorvane;
namespace fs = std::filesystem;

namespace {

fs::path P(const char *utf8)
{
    return PathFromBytes(QByteArray(utf8));
}

// All audio lists on row 0, both boxes clear, mode 0.
void ChooseRowZero(OptionSet &options)
{
    for (OptionList *list : {&options.C1_02, &options.C3_01, &options.C3_02, &options.C3_03, &options.C3_04, &options.C3_05})
        list->setItemIndex(0);
}

TEST(BuildCommandLine, WorkedExample)
{
    OptionSet options;
    ChooseRowZero(options);
    options.C4_C1 = true;
    options.C3_01.setItemIndex(13);
    options.C3_02.setItemIndex(13);
    options.C3_03.setItemIndex(8);
    options.C3_04.setItemIndex(2);
    const CommandLine line = BuildCommandLine(options, P("/in/a.mp4"), P("/in/a.mp3"));
    EXPECT_EQ(line.text(), "ffmpeg -i \"/in/a.mp4\" -threads 2 -flags bitexact -vn -acodec libmp3lame -ab 128k -ar 44100 -ac 2 \"/in/a.mp3\"");
    EXPECT_EQ(line.arguments(), QStringList({"-i", "/in/a.mp4", "-threads", "2", "-flags", "bitexact", "-vn",
                                             "-acodec", "libmp3lame", "-ab", "128k", "-ar", "44100", "-ac", "2", "/in/a.mp3"}));
}

TEST(BuildCommandLine, AllRowZero)
{
    OptionSet options;
    ChooseRowZero(options);
    EXPECT_EQ(BuildCommandLine(options, P("/m/a.wav"), P("/m/a.wav.out")).text(),
              "ffmpeg -i \"/m/a.wav\" -flags bitexact -vn -acodec copy \"/m/a.wav.out\"");
}

TEST(BuildCommandLine, NoChosenRowCountsAsRowZero)
{
    const OptionSet options; // the state of a first start
    const CommandLine line = BuildCommandLine(options, P("/m/a.wav"), P("/m/b.wav"));
    EXPECT_EQ(line.text(), "ffmpeg -i \"/m/a.wav\" -flags bitexact -vn -acodec copy \"/m/b.wav\"");
    EXPECT_EQ(options.destinationMode(), 0);
}

TEST(BuildCommandLine, OverwriteModeAddsYRightAfterInput)
{
    OptionSet options;
    ChooseRowZero(options);
    options.C4_C1 = true;
    for (int mode : {0, 1, 2}) {
        options.C1_02.setItemIndex(mode);
        const QByteArray text = BuildCommandLine(options, P("/a.wav"), P("/b.wav")).text();
        if (mode == 1)
            EXPECT_TRUE(text.startsWith("ffmpeg -i \"/a.wav\" -y -threads 2 -flags")) << text.constData();
        else
            EXPECT_FALSE(text.contains(" -y")) << text.constData();
    }
}

TEST(BuildCommandLine, TimeRange)
{
    OptionSet options;
    ChooseRowZero(options);
    options.C4_C5 = true;
    EXPECT_TRUE(BuildCommandLine(options, P("/a"), P("/b")).text().contains(" -ss 00:00:00 -t 00:00:00 -flags bitexact"));

    options.C4_01 = {1, 2, 3, 0, 45, 0};
    const CommandLine line = BuildCommandLine(options, P("/a"), P("/b"));
    EXPECT_TRUE(line.text().contains(" -ss 01:02:03 -t 00:45:00 -flags"));
    EXPECT_TRUE(line.arguments().join(' ').contains("-ss 01:02:03 -t 00:45:00"));

    options.C4_01 = {100, 7, 59, 0, 0, 9};
    EXPECT_TRUE(BuildCommandLine(options, P("/a"), P("/b")).text().contains(" -ss 100:07:59 -t 00:00:09"));

    options.C4_C5 = false;
    EXPECT_FALSE(BuildCommandLine(options, P("/a"), P("/b")).text().contains("-ss"));
}

struct AudioPieceCase
{
    OptionList OptionSet::*list;
    int row;
    const char *piece;
};

TEST(BuildCommandLine, EachAudioPieceWithItsUnitStripped)
{
    const AudioPieceCase cases[] = {
        {&OptionSet::C3_01, 2, " -acodec ac3 "},
        {&OptionSet::C3_01, 13, " -acodec libmp3lame "},
        {&OptionSet::C3_01, 18, " -acodec pcm_s16le "},
        {&OptionSet::C3_02, 1, " -ab 16k "},
        {&OptionSet::C3_02, 13, " -ab 128k "},
        {&OptionSet::C3_03, 1, " -ar 8000 "},
        {&OptionSet::C3_03, 7, " -ar 41000 "},
        {&OptionSet::C3_04, 1, " -ac 1 "},
        {&OptionSet::C3_05, 1, " -vol 128 "},
        {&OptionSet::C3_05, 7, " -vol 768 "},
    };
    for (const AudioPieceCase &c : cases) {
        OptionSet options;
        ChooseRowZero(options);
        (options.*c.list).setItemIndex(c.row);
        const QByteArray text = BuildCommandLine(options, P("/a"), P("/b")).text();
        EXPECT_TRUE(text.contains(c.piece)) << text.constData() << " lacks" << c.piece;
    }
    OptionSet options;
    ChooseRowZero(options);
    const QByteArray rowZero = BuildCommandLine(options, P("/a"), P("/b")).text();
    for (const char *absent : {" -ab ", " -ar ", " -ac ", " -vol "})
        EXPECT_FALSE(rowZero.contains(absent));
}

TEST(BuildCommandLine, LeavesTargetColumnAsItFoundIt)
{
    OptionSet options;
    options.C3_01.setItemIndex(13);
    options.C3_01.setTargetColumn(2);
    BuildCommandLine(options, P("/a"), P("/b"));
    EXPECT_EQ(options.C3_01.targetColumn(), 2);
}

TEST(BuildCommandLine, PathsPassIntact)
{
    OptionSet options;
    ChooseRowZero(options);
    const char *paths[] = {
        "/music/my song.wav",
        "/music/\"quoted\" 'single'.wav",
        "/音楽/変換 ～ テスト.wav",
        "/music/-leading dash.wav",
        "/music/emoji 🎵 #1 %20 &.wav",
    };
    for (const char *path : paths) {
        const CommandLine line = BuildCommandLine(options, P(path), P("/out/x.wav"));
        EXPECT_EQ(line.arguments().at(1), QString::fromUtf8(path));
        EXPECT_TRUE(line.text().contains(QByteArray("-i \"") + path + '"'));
    }
}

TEST(BuildCommandLine, LongLinesAreBuiltWhole)
{
    OptionSet options;
    const QByteArray longName = "/" + QByteArray(12000, 'a') + ".wav";
    const CommandLine line = BuildCommandLine(options, PathFromBytes(longName), P("/b.wav"));
    EXPECT_GT(line.text().size(), 12000);
    EXPECT_TRUE(line.text().endsWith("\"/b.wav\""));
    EXPECT_EQ(line.arguments().at(1).size(), longName.size());
}

TEST(BuildCommandLine, NonUtf8PathBytesStayInTheText)
{
    OptionSet options;
    const QByteArray name = "/m/\x95\xcf\x8a\xb7.wav"; // code page 932 bytes
    const QByteArray text = BuildCommandLine(options, PathFromBytes(name), P("/o.wav")).text();
    EXPECT_TRUE(text.contains("-i \"" + name + '"'));
}

TEST(AsciiLower, OnlyAsciiLetters)
{
    EXPECT_EQ(AsciiLower(QStringLiteral("LIBMP3LAME_Ｘ")), QStringLiteral("libmp3lame_Ｘ"));
}

} // namespace

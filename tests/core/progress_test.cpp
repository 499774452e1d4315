#include "progress.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace sorvane;

class FileSizeTest : public ::testing::Test
{
protected:
    fs::path file(const char *name) const { return fs::path(m_dir.path().toStdString()) / name; }
    fs::path sized(const char *name, std::uintmax_t size) const
    {
        const fs::path path = file(name);
        std::ofstream{path, std::ios::binary};
        fs::resize_file(path, size);
        return path;
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(FileSizeTest, ReadsTheSizeOfFilesThatOpen)
{
    EXPECT_EQ(FileSizeOf(sized("empty.wav", 0)), 0);
    EXPECT_EQ(FileSizeOf(sized("small.wav", 999)), 999);
    EXPECT_EQ(FileSizeOf(sized("source.wav", 5300000)), 5300000);
    // Sizes beyond 32 bits stay whole.
    EXPECT_EQ(FileSizeOf(sized("huge.wav", 5000000123ULL)), 5000000123LL);
    // A name that is not UTF-8 is polled like any other.
    EXPECT_EQ(FileSizeOf(sized("\x83\x65\x83\x58\x83\x67.wav", 1234)), 1234);
}

TEST_F(FileSizeTest, GivesMinusOneForWhatCannotBeOpened)
{
    EXPECT_EQ(FileSizeOf(file("missing.mp3")), -1);
    EXPECT_EQ(FileSizeOf(fs::path()), -1);
    fs::create_directory(file("folder"));
    EXPECT_EQ(FileSizeOf(file("folder")), -1);
    if (geteuid() != 0) {
        const fs::path locked = sized("locked.wav", 2000);
        fs::permissions(locked, fs::perms::none);
        EXPECT_EQ(FileSizeOf(locked), -1);
        fs::permissions(locked, fs::perms::owner_all);
    }
}

TEST(SizesLine, DividesByThousandTowardZero)
{
    const struct { qint64 source, output; const char *text; } cases[] = {
        {5300000, 1234567, "5300KB -> 1234KB"},
        {-1, -1, "0KB -> 0KB"},
        {999, 1000, "0KB -> 1KB"},
        {5000000123LL, 0, "5000000KB -> 0KB"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SizesLine(c.source, c.output), QString::fromLatin1(c.text)) << c.source << " " << c.output;
}

TEST(PercentText, RoundsHalfToEven)
{
    const struct { int position, maximum; const char *text; } cases[] = {
        {0, 3, "0 %"},  {1, 3, "33 %"},  {2, 3, "67 %"},  {0, 1, "0 %"},
        {1, 8, "12 %"}, {3, 8, "38 %"},  {5, 8, "62 %"},  {1, 200, "0 %"},
        {3, 200, "2 %"}, {10, 10, "100 %"}, {0, 0, "0 %"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PercentText(c.position, 0, c.maximum), QString::fromLatin1(c.text)) << c.position << "/" << c.maximum;
}

TEST(NamesLine, JoinsTheNameParts)
{
    EXPECT_EQ(NamesLine("/music/in/a.wav", "/music/in/a.mp3"), QStringLiteral("a.wav -> a.mp3"));
    EXPECT_EQ(NamesLine("/m/a.mp3", "/m/変換 ～ a.mp3"), QStringLiteral("a.mp3 -> 変換 ～ a.mp3"));
}

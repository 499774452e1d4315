#include "pathtext.h"
#include "sourcelist.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <algorithm>

using namespace sorvane;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Paths(std::initializer_list<const char *> names)
{
    return std::vector<fs::path>(names.begin(), names.end());
}

std::vector<std::string> Texts(const SourceList &list)
{
    std::vector<std::string> texts;
    for (int row = 0; row < list.count(); ++row)
        texts.push_back(list.data(list.index(row)).toString().toStdString());
    return texts;
}

// The order people expect from a sorted file list: case ignored, locale order
// for letters beyond ASCII, digits compared as text, ties settled by code point.
TEST(SourceList, SortsCaseInsensitivelyInLocaleOrder)
{
    SourceList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    list.add(Paths({"/m/b.mp3", "/m/track10.wav", "/m/Zeta.ogg", "/m/A.wav", "/m/a.wav", "/m/track2.wav",
                    "/m/éclair.mp3", "/m/Ｅ.mp3", "/m/あ.wav", "/m/B.mp3"}));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"/m/A.wav", "/m/a.wav", "/m/B.mp3", "/m/b.mp3", "/m/Ｅ.mp3",
                                                     "/m/éclair.mp3", "/m/track10.wav", "/m/track2.wav", "/m/Zeta.ogg",
                                                     "/m/あ.wav"}));
}

// However the paths arrive, one batch or several, in any order, the list is the same.
TEST(SourceList, MergedBatchesGiveTheSameOrderAsOne)
{
    std::vector<fs::path> all = Paths({"/x/c", "/x/B", "/x/a", "/x/b", "/x/A", "/x/C", "/x/b"});
    SourceList whole;
    whole.add(all);
    const std::vector<fs::path> expected = whole.paths();
    EXPECT_EQ(expected, Paths({"/x/A", "/x/a", "/x/B", "/x/b", "/x/b", "/x/C", "/x/c"}));

    std::sort(all.begin(), all.end());
    do {
        SourceList list;
        QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
        list.add({all.begin(), all.begin() + 2});
        list.add({all.begin() + 2, all.begin() + 5});
        list.add({all.begin() + 5, all.end()});
        ASSERT_EQ(list.paths(), expected);
    } while (std::next_permutation(all.begin(), all.end()));
}

TEST(SourceList, KeepsBytesOfNamesThatAreNotUtf8)
{
    const fs::path shiftJis = PathFromBytes("/m/\x95\xcf\x8a\xb7.wav");
    // These two show the same text; their bytes still set a fixed order.
    const fs::path byteFE = PathFromBytes("/m/\xfe.wav");
    const fs::path byteFF = PathFromBytes("/m/\xff.wav");
    for (const auto &batch : {std::vector{shiftJis, byteFF, byteFE}, std::vector{byteFE, shiftJis, byteFF}}) {
        SourceList list;
        list.add(batch);
        ASSERT_EQ(list.paths(), (std::vector{byteFE, byteFF, shiftJis}));
        EXPECT_EQ(list.displayText(0), list.displayText(1));
        EXPECT_TRUE(list.displayText(2).contains(QChar::ReplacementCharacter));
        EXPECT_EQ(PathBytes(list.path(2)), QByteArray("/m/\x95\xcf\x8a\xb7.wav"));
    }
}

TEST(SourceList, SignalsInsertsResetsAndClears)
{
    SourceList list;
    QAbstractItemModelTester tester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);

    list.add({});
    EXPECT_EQ(inserted.count() + reset.count(), 0);
    list.add(Paths({"/b", "/a"}));
    EXPECT_EQ(inserted.count(), 1);
    list.add(Paths({"/c", "/a"}));
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(list.rowCount(), 4);
    EXPECT_EQ(list.paths(), Paths({"/a", "/a", "/b", "/c"}));
    EXPECT_FALSE(list.data(list.index(0), Qt::EditRole).isValid());

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(reset.count(), 2);
}

} // namespace

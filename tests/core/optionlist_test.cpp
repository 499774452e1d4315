#include "optionset.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using sorvane::OptionList;
using sorvane::OptionSet;

namespace {

TEST(Catalogue, FillsEveryListInOrderWithNoRowChosen)
{
    const OptionSet options;
    const std::pair<const OptionList *, int> expected[] = {
        {&options.C1_02, 3}, {&options.C2_00, 1}, {&options.C3_01, 35}, {&options.C3_02, 19},
        {&options.C3_03, 10}, {&options.C3_04, 3}, {&options.C3_05, 8},
    };
    for (const auto &[list, rows] : expected) {
        SCOPED_TRACE(list->name().toStdString());
        EXPECT_EQ(list->rowCount(), rows);
        EXPECT_EQ(list->itemIndex(), -1);
        EXPECT_EQ(list->targetColumn(), 0);
    }
}

TEST(Catalogue, RowsByIndex)
{
    const OptionSet options;
    const std::tuple<const OptionList *, int, QString> samples[] = {
        {&options.C1_02, 0, QStringLiteral("変換元と同じﾌｫﾙﾀﾞ(別名),ﾌｧｲﾙ名が同じ場合は別名保存")},
        {&options.C1_02, 2, QStringLiteral("ﾌｫﾙﾀﾞ指定")},
        {&options.C2_00, 0, QStringLiteral("手動,[形式],[ﾁｬﾝﾈﾙ],[ｺｰﾃﾞｯｸ],[ｻﾝﾌﾟﾙﾚｰﾄ],[ﾋﾞｯﾄﾚｰﾄ]")},
        {&options.C3_01, 0, QStringLiteral("自動,元のﾌｧｲﾙ形式を維持")},
        {&options.C3_01, 9, QStringLiteral("GSM,LIBGSM,GSM")},
        {&options.C3_01, 13, QStringLiteral("MP3,LIBMP3LAME,MP3(MPEG-AudioLayer3)")},
        {&options.C3_01, 18, QStringLiteral("WAV,PCM_S16LE,WAVE-PCM(16bit)")},
        {&options.C3_01, 34, QStringLiteral("XA,ADPCM_XA,CDROM-XA-ADPCM")},
        {&options.C3_02, 0, QStringLiteral("自動,元のｻﾝﾌﾟﾙﾋﾞｯﾄを維持")},
        {&options.C3_02, 4, QStringLiteral("28kbps")},
        {&options.C3_02, 13, QStringLiteral("128kbps")},
        {&options.C3_02, 18, QStringLiteral("320kbps")},
        {&options.C3_03, 7, QStringLiteral("41000Hz")},
        {&options.C3_03, 8, QStringLiteral("44100Hz")},
        {&options.C3_03, 9, QStringLiteral("48000Hz")},
        {&options.C3_04, 2, QStringLiteral("2,ｽﾃﾚｵ")},
        {&options.C3_05, 1, QStringLiteral("128,0.5倍")},
        {&options.C3_05, 7, QStringLiteral("768,3.0倍")},
    };
    for (const auto &[list, row, text] : samples)
        EXPECT_EQ(list->rowText(row), text) << list->name().toStdString() << " row " << row;
}

TEST(OptionList, SelectedTextFollowsTargetColumn)
{
    OptionSet options;
    OptionList &formats = options.C3_01;
    EXPECT_EQ(formats.getSelectedText(), QString());
    formats.setTargetColumn(2);
    EXPECT_EQ(formats.getSelectedText(), QString()) << "no chosen row gives empty text";

    formats.setItemIndex(13);
    formats.setTargetColumn(0);
    EXPECT_EQ(formats.getSelectedText(), "MP3");
    formats.setTargetColumn(1);
    EXPECT_EQ(formats.getSelectedText(), "LIBMP3LAME");
    formats.setTargetColumn(2);
    EXPECT_EQ(formats.getSelectedText(), "MP3(MPEG-AudioLayer3)");

    formats.setItemIndex(2);
    EXPECT_EQ(formats.getSelectedText(), QString()) << "AC3,AC3 has no column 2";
    options.C3_02.setItemIndex(13);
    options.C3_02.setTargetColumn(1);
    EXPECT_EQ(options.C3_02.getSelectedText(), QString());
}

TEST(OptionList, WritingTheIndexNeverNotifiesAndOutOfRangeChoosesNothing)
{
    OptionSet options;
    OptionList &list = options.C3_04;
    QSignalSpy changed(&list, &OptionList::changed);

    list.setItemIndex(2);
    EXPECT_EQ(list.itemIndex(), 2);
    list.setItemIndex(3); // equal to the row count
    EXPECT_EQ(list.itemIndex(), -1);
    list.setItemIndex(1);
    list.setItemIndex(-7);
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(changed.count(), 0);

    list.choose(1);
    EXPECT_EQ(list.itemIndex(), 1);
    EXPECT_EQ(changed.count(), 1);
}

TEST(OptionList, AppendKeepsRowWholeAndChoiceUnchanged)
{
    OptionSet options;
    options.C2_00.setItemIndex(0);
    const int row = options.C2_00.appendRow(QStringLiteral("Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps"));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(options.C2_00.itemIndex(), 0);
    EXPECT_EQ(options.C2_00.rowText(1), "Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps");
    EXPECT_EQ(options.C2_00.columnText(1, 4), "22050Hz");
}

TEST(OptionList, ColumnLayout)
{
    const OptionSet options;
    EXPECT_EQ(options.C3_01.closedWidth(), 132);
    ASSERT_EQ(options.C3_01.columns().size(), 3);
    EXPECT_EQ(options.C3_01.columns()[0].width, 112);
    EXPECT_EQ(options.C3_01.columns()[1].width, 100);
    EXPECT_EQ(options.C3_01.columns()[1].background, 0xF0F0F0u);
    EXPECT_EQ(options.C3_01.columns()[2].width, 220);
    EXPECT_EQ(options.C2_00.closedWidth(), 340);
    ASSERT_EQ(options.C2_00.columns().size(), 6);
    EXPECT_EQ(options.C2_00.columns()[5].background, 0xC4FFFFu);
    EXPECT_EQ(options.C1_02.columns()[1].width, 160);
}

} // namespace

#include "gradbox.h"
#include "hintstyle.h"
#include "optionlistbox.h"
#include "optionset.h"
#include "ovalbutton.h"
#include "spinfield.h"
#include "uifont.h"

#include <QAbstractItemView>
#include <QDir>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace sorvane;

namespace {

QImage Render(QWidget &widget)
{
    return widget.grab().toImage();
}

} // namespace

TEST(OptionListBox, FollowsItsListAndPassesOnTheUsersChoice)
{
    OptionSet options;
    OptionListBox box(options.C3_01);
    QSignalSpy changed(&options.C3_01, &OptionList::changed);
    EXPECT_EQ(box.count(), 35);
    EXPECT_EQ(box.currentIndex(), -1);

    options.C3_01.setItemIndex(13); // the program: no change notification
    EXPECT_EQ(box.currentIndex(), 13);
    EXPECT_EQ(changed.count(), 0);

    box.show();
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Down); // the user, on the closed box
    EXPECT_EQ(options.C3_01.itemIndex(), 14);
    EXPECT_EQ(changed.count(), 1);

    // Rows appended later (a saved preset) show up.
    const int added = options.C2_00.appendRow(QStringLiteral("Mine,MP3,2,LIBMP3LAME,44100Hz,128kbps"));
    OptionListBox presets(options.C2_00);
    EXPECT_EQ(presets.count(), 2);
    options.C2_00.appendRow(QStringLiteral("Other,WAV"));
    EXPECT_EQ(presets.count(), 3);
    options.C2_00.setItemIndex(added);
    EXPECT_EQ(presets.currentIndex(), added);
}

TEST(OptionListBox, ClosedBoxShowsTheSelectedTextOnItsBackground)
{
    OptionSet options;
    OptionListBox box(options.C3_01);
    box.resize(132, 19);
    box.setBackground(Rgb(0xC4FFFF));
    const QImage empty = Render(box);
    EXPECT_EQ(empty.pixelColor(3, 16), Rgb(0xC4FFFF));
    options.C3_01.setItemIndex(13);
    const QImage chosen = Render(box);
    // "MP3" is written from 2 pixels in; the rest of the text area stays plain.
    EXPECT_NE(chosen.copy(2, 2, 30, 14), empty.copy(2, 2, 30, 14));
    EXPECT_EQ(chosen.copy(60, 2, 50, 14), empty.copy(60, 2, 50, 14));
    options.C3_01.setTargetColumn(2);
    EXPECT_NE(Render(box).copy(60, 2, 50, 14), empty.copy(60, 2, 50, 14)); // the long description
}

TEST(OptionListBox, DroppedListShowsCellsPerColumn)
{
    OptionSet options;
    OptionListBox box(options.C3_01);
    box.resize(132, 19);
    box.show();
    box.showPopup();
    QAbstractItemView *view = box.view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(view->visualRect(view->model()->index(13, 0)).height(), OptionListBox::RowHeight);
    EXPECT_GE(view->viewport()->width(), 112 + 100 + 220);
    // 35 rows: 30 show, the rest scroll.
    const int shownRows = view->viewport()->height() / OptionListBox::RowHeight;
    EXPECT_EQ(shownRows, OptionListBox::MaximumShownRows);
    EXPECT_TRUE(view->verticalScrollBar()->isVisible());

    QDir().mkpath(TEST_BUILD_DIR "/tests");
    EXPECT_TRUE(view->window()->grab().save(TEST_BUILD_DIR "/tests/optionlist-dropped.png"));

    // Row 13 with no highlight: cells of 112 white, 100 light grey, 220 white,
    // each filled to its edge (sampled right of the texts).
    view->setCurrentIndex({});
    view->clearSelection();
    QTest::mouseMove(view->viewport(), QPoint(5, view->viewport()->height() - 2));
    const QRect row = view->visualRect(view->model()->index(13, 0));
    const QImage image = view->viewport()->grab().toImage();
    const int y = row.top() + 1;
    EXPECT_EQ(image.pixelColor(row.left() + 110, y), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(row.left() + 200, y), Rgb(0xF0F0F0));
    EXPECT_EQ(image.pixelColor(row.left() + 430, y), QColor(Qt::white));
    box.hidePopup();
}

TEST(SpinField, TypingTakesOnlyDigitsAndSigns)
{
    SpinField field(59);
    field.show();
    field.setFocus();
    const struct { const char *typed, *text; } cases[] = {
        {"a1b2", "12"}, {"-7", "-7"}, {"+5", "+5"}, {"1234", "123"}, {"x", "123"},
    };
    for (const auto &c : cases) {
        field.lineEdit()->selectAll();
        QTest::keyClicks(&field, QString::fromLatin1(c.typed));
        EXPECT_EQ(field.text(), QString::fromLatin1(c.text)) << c.typed;
    }
    // Pasted text is not filtered, but reads 0 and becomes "0".
    field.lineEdit()->setText(QStringLiteral("1a"));
    EXPECT_EQ(field.getValue(), 0);
    EXPECT_EQ(field.text(), QStringLiteral("0"));
    field.lineEdit()->clear();
    EXPECT_EQ(field.getValue(), 0);
    EXPECT_EQ(field.text(), QStringLiteral("0"));
}

TEST(SpinField, StepsWithinTheBounds)
{
    SpinField minutes(59);
    SpinField hours(99);
    minutes.show();
    minutes.setFocus();
    const struct { SpinField *field; int from; Qt::Key key; int to; } cases[] = {
        {&minutes, 57, Qt::Key_Up, 58},       {&minutes, 59, Qt::Key_Up, 59},
        {&minutes, 55, Qt::Key_PageUp, 59},   {&minutes, 30, Qt::Key_PageUp, 40},
        {&minutes, 5, Qt::Key_PageDown, 0},   {&minutes, 0, Qt::Key_Down, 0},
        {&minutes, 120, Qt::Key_Down, 59},    {&minutes, 20, Qt::Key_PageDown, 10},
        {&hours, 95, Qt::Key_PageUp, 99},     {&hours, 98, Qt::Key_Up, 99},
    };
    for (const auto &c : cases) {
        c.field->setValue(c.from);
        c.field->setFocus();
        QTest::keyClick(c.field, c.key);
        EXPECT_EQ(c.field->text(), QString::number(c.to)) << c.from << " key " << c.key;
    }
    // The arrow buttons step by 1 as well.
    minutes.setValue(10);
    minutes.stepUp();
    EXPECT_EQ(minutes.text(), QStringLiteral("11"));
}

TEST(OvalButton, OnlyTheEllipseTakesClicks)
{
    QWidget parent;
    OvalButton button(QStringLiteral("再生"), 11, &parent);
    button.setGeometry(0, 0, 57, 46);
    parent.show();
    QSignalSpy clicked(&button, &OvalButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(28, 23));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
}

// Every caption of the title strip's small buttons leaves visible strokes.
TEST(OvalButton, SmallCaptionsShow)
{
    for (const char *caption : {"？", "＿", "×"}) {
        OvalButton button(QString::fromUtf8(caption), 12);
        button.resize(18, 14);
        const QImage image = Render(button);
        int strokes = 0;
        for (int y = 2; y < 12; ++y)
            for (int x = 3; x < 15; ++x)
                strokes += qGray(image.pixel(x, y)) < 120;
        EXPECT_GE(strokes, 5) << caption;
    }
}

TEST(GradBox, RunsFromLightToDarkInsideABlackOutline)
{
    GradBox vertical(GradientLight(), GradientDark(), Qt::Vertical);
    vertical.resize(100, 256 + 2);
    const QImage image = Render(vertical);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(50, 1).red(), 0xB4 - 0);
    EXPECT_NEAR(image.pixelColor(50, 256).red(), 0x80, 1);
    // 256 bands: every step down is at most one shade darker.
    for (int y = 2; y < 257; ++y)
        EXPECT_LE(image.pixelColor(50, y).red(), image.pixelColor(50, y - 1).red());

    GradBox horizontal(GradientLight(), GradientDark(), Qt::Horizontal);
    horizontal.resize(68, 335);
    const QImage strip = Render(horizontal);
    EXPECT_GT(strip.pixelColor(2, 100).red(), strip.pixelColor(65, 100).red());
}

class HintStyleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        style = HintStyle::install();
        first.setToolTip(QStringLiteral(" 最初"));
        second.setToolTip(QStringLiteral(" 次"));
        auto *box = new QWidget(&window);
        box->setGeometry(0, 100, 50, 20); // no hint
        plain = box;
        first.setGeometry(0, 0, 60, 20);
        second.setGeometry(70, 0, 60, 20);
        window.show();
    }
    void enter(QWidget *widget)
    {
        QEnterEvent event(QPointF(5, 5), widget->mapTo(&window, QPointF(5, 5)), widget->mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(widget, &event);
    }
    void leave(QWidget *widget)
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(widget, &event);
    }

    HintStyle *style = nullptr;
    QWidget window;
    QPushButton first{&window};
    QPushButton second{&window};
    QWidget *plain = nullptr;
};

TEST_F(HintStyleTest, ShowsAfterAPauseAndHidesAfterTwoSeconds)
{
    HintWindow *hint = style->window();
    QElapsedTimer clock;
    clock.start();
    enter(&first);
    EXPECT_FALSE(hint->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return hint->isVisible(); }, 2000));
    EXPECT_GE(clock.elapsed(), HintStyle::ShowPause - 20);
    EXPECT_EQ(hint->text(), QStringLiteral(" 最初"));
    clock.restart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hint->isVisible(); }, 4000));
    EXPECT_GE(clock.elapsed(), HintStyle::HidePause - 200);

    // On to the next hinted control: its hint shows at once.
    leave(&first);
    enter(&second);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), QStringLiteral(" 次"));

    // Onto a control without a hint: nothing shows there.
    leave(&second);
    enter(plain);
    EXPECT_FALSE(hint->isVisible());
    QTest::qWait(HintStyle::ShowPause * 2);
    enter(&first); // a while later: the pause again
    EXPECT_FALSE(hint->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint->isVisible(); }, 2000));
    leave(&first);
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(HintStyleTest, ReplacesThePlatformToolTip)
{
    QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), first.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&first, &event);
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_EQ(HintStyle::install(), style);
}

TEST(HintWindow, DrawsRoundedDarkBoxWithWhiteText)
{
    HintWindow hint;
    hint.showText(QStringLiteral(" 変換処理の実行"), QPoint(100, 100));
    const QImage image = hint.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() - 2), Rgb(0x555555));
    EXPECT_EQ(image.pixelColor(image.width() / 2, 0), QColor(Qt::black));
    EXPECT_GE(hint.height(), 16);
    EXPECT_TRUE(hint.grab().save(TEST_BUILD_DIR "/tests/hint.png"));
}

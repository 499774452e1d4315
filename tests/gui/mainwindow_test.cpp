#include "Mainwindow1.h"
#include "appfolder.h"
#include "folderfield.h"
#include "hintstyle.h"
#include "optionlistbox.h"
#include "ovalbutton.h"
#include "shadowlabel.h"
#include "spinfield.h"
#include "uifont.h"
#include "verticallabel.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvane;

namespace {

const QColor White = Qt::white;
const QColor Cyan = Rgb(0xC4FFFF);
const QColor Yellow = Rgb(0xFFFF80);

class MainWindowTest : public ::testing::Test
{
protected:
    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        T *child = window.findChild<T *>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    SpinField *field(int number) const { return control<SpinField>(QStringLiteral("C4_01_%1").arg(number)); }
    OptionListBox *list(const char *name) const { return control<OptionListBox>(QString::fromLatin1(name)); }

    testsupport::AppFolder folder;
    TMainForm1 window{folder.files()};
};

QString CaptionOf(const QWidget *widget)
{
    if (auto *button = qobject_cast<const OvalButton *>(widget))
        return button->text();
    if (auto *label = qobject_cast<const ShadowLabel *>(widget))
        return label->text();
    if (auto *caption = qobject_cast<const VerticalLabel *>(widget))
        return caption->text();
    return {};
}

// Counts the presses that reach a widget, from it or from its children.
struct PressCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++count;
        return false;
    }
};

} // namespace

TEST_F(MainWindowTest, EveryControlInItsPlace)
{
    // Place relative to the parent; width -1: the label sizes itself to its text.
    const struct
    {
        const char *name, *parent;
        QRect place;
        const char *caption, *hint;
    } controls[] = {
        {"GradBox6", "MainForm1", {0, 0, 514, 20}, "", ""},
        {"GradBox5", "MainForm1", {0, 355, 514, 16}, "", ""},
        {"GradBox4", "MainForm1", {446, 20, 68, 335}, "", ""},
        {"ShadowLabel1", "MainForm1", {6, 5, -1, 0}, "変換元の音声/動画ファイル or フォルダをドロップしてください。", ""},
        {"ShadowLabel2", "MainForm1", {6, 357, -1, 0}, "MERIDEX -Sorvane! Request Ver.2.8", ""},
        {"ShadowLabel3", "MainForm1", {258, 358, 251, 0}, "Support : WAVE, MP2, MP3, MP4, WMA, AC3, OGG, FLAC, etc...", ""},
        {"CButton4", "MainForm1", {358, 3, 76, 14}, "ｲﾝﾌｫﾒｰｼｮﾝ", " インフォメーションの表示"},
        {"CButton3", "MainForm1", {448, 3, 18, 14}, "？", " ユーザーズガイド"},
        {"CButton2", "MainForm1", {468, 3, 18, 14}, "＿", " 最小化"},
        {"CButton1", "MainForm1", {488, 3, 18, 14}, "×", " 閉じる"},
        {"CButton10", "MainForm1", {452, 34, 57, 240}, "G\nｏ\n !", " 変換処理の実行"},
        {"CButton11", "MainForm1", {452, 288, 57, 56}, "設定\n保存", " オリジナル設定の保存"},
        {"Panel5", "MainForm1", {0, 20, 445, 334}, "", ""},
        {"Panel1", "Panel5", {0, 0, 445, 160}, "", ""},
        {"Panel4", "Panel5", {0, 160, 445, 92}, "", ""},
        {"Panel3", "Panel5", {0, 252, 445, 82}, "", ""},
        {"GradBox1", "Panel1", {1, 1, 443, 158}, "", ""},
        {"GradBox2", "Panel4", {1, 1, 443, 90}, "", ""},
        {"GradBox7", "Panel3", {1, 1, 443, 80}, "", ""},
        {"dLabel1", "Panel1", {2, 12, 20, 110}, "変換対象ﾌｧｲﾙ", ""},
        {"dxfLabel1", "Panel4", {2, 8, 20, 70}, "音声設定", ""},
        {"dxfLabel2", "Panel3", {2, 2, 20, 82}, "オプション", ""},
        {"Bevel1", "Panel1", {22, 6, 412, 123}, "", ""},
        {"L0_01", "Panel1", {29, 14, 56, 0}, "対象ﾌｧｲﾙ ：", ""},
        {"CButton12", "Panel1", {27, 30, 57, 16}, "ｸﾘｱ→", " 登録したファイルのクリア"},
        {"CButton13", "Panel1", {27, 50, 57, 46}, "再生", " プレビュー画面の表示"},
        {"ListBox1", "Panel1", {88, 10, 340, 92}, "", " 変換対象ファイル"},
        {"L0_02", "Panel1", {42, 110, -1, 0}, "保存先 ：", ""},
        {"C1_02", "Panel1", {88, 104, 142, 19}, "", " 動画ﾌｧｲﾙの保存先"},
        {"L0_03", "Panel1", {246, 110, -1, 0}, "ﾌｫﾙﾀﾞ ：", ""},
        {"C1_03", "Panel1", {286, 104, 142, 19}, "", " 保存先のﾌｫﾙﾀﾞ"},
        {"L1_00", "Panel1", {33, 138, -1, 0}, "おまかせ ：", ""},
        {"C2_00", "Panel1", {88, 134, 340, 19}, "", " おまかせ設定"},
        {"Bevel2", "Panel4", {22, 6, 205, 28}, "", ""},
        {"Bevel5", "Panel4", {22, 38, 205, 48}, "", ""},
        {"Bevel6", "Panel4", {230, 6, 205, 48}, "", ""},
        {"L2_01", "Panel4", {28, 14, -1, 0}, "ﾌｧｲﾙ形式 ：", ""},
        {"C3_01", "Panel4", {88, 10, 132, 19}, "", " 音声のﾌｧｲﾙ形式(ｺｰﾃﾞｯｸ)"},
        {"L3_04", "Panel4", {42, 42, -1, 0}, "ﾁｬﾝﾈﾙ ：", ""},
        {"C3_04", "Panel4", {88, 42, 132, 19}, "", " 音声のﾁｬﾝﾈﾙ"},
        {"L3_05", "Panel4", {31, 66, -1, 0}, "音量補正 ：", ""},
        {"C3_05", "Panel4", {88, 62, 132, 19}, "", " 音声のﾎﾞﾘｭｰﾑ"},
        {"L3_03", "Panel4", {236, 14, -1, 0}, "ｻﾝﾌﾟﾙﾚｰﾄ ：", ""},
        {"C3_03", "Panel4", {296, 10, 132, 19}, "", " 音声のｻﾝﾌﾟﾙﾚｰﾄ"},
        {"L3_02", "Panel4", {245, 34, -1, 0}, "ﾋﾞｯﾄﾚｰﾄ ：", ""},
        {"C3_02", "Panel4", {296, 30, 132, 19}, "", " 音声のﾋﾞｯﾄﾚｰﾄ"},
        {"Bevel7", "Panel3", {22, 6, 413, 24}, "", ""},
        {"Bevel11", "Panel3", {22, 30, 413, 46}, "", ""},
        {"CheckBox1", "Panel3", {28, 12, 12, 12}, "", ""},
        {"L4_01", "Panel3", {46, 13, -1, 0}, "ﾏﾙﾁｽﾚｯﾄﾞ高速変換 (ﾏﾙﾁｽﾚｯﾄﾞ対応CPU<Core2Duo等>以外はｴﾗｰになります)", ""},
        {"CheckBox5", "Panel3", {28, 36, 12, 12}, "", ""},
        {"L4_04", "Panel3", {46, 37, -1, 0}, "変換範囲を指定する (音声/動画の尺を超えた範囲を指定するとｴﾗｰになります)", ""},
        {"C4_01_1", "Panel3", {44, 50, 40, 19}, "", " 変換開始位置(時：分：秒単位)"},
        {"L4_04_1", "Panel3", {88, 57, -1, 0}, "時", ""},
        {"C4_01_2", "Panel3", {104, 50, 40, 19}, "", " 変換開始位置(時：分：秒単位)"},
        {"L4_04_2", "Panel3", {148, 57, -1, 0}, "分", ""},
        {"C4_01_3", "Panel3", {164, 50, 40, 19}, "", " 変換開始位置(時：分：秒単位)"},
        {"L4_04_3", "Panel3", {208, 57, -1, 0}, "秒から", ""},
        {"C4_01_4", "Panel3", {240, 50, 40, 19}, "", " 変換終了位置(時：分：秒単位)"},
        {"L4_04_4", "Panel3", {284, 57, -1, 0}, "時", ""},
        {"C4_01_5", "Panel3", {300, 50, 40, 19}, "", " 変換終了位置(時：分：秒単位)"},
        {"L4_04_5", "Panel3", {344, 57, -1, 0}, "分", ""},
        {"C4_01_6", "Panel3", {360, 50, 40, 19}, "", " 変換終了位置(時：分：秒単位)"},
        {"L4_04_6", "Panel3", {404, 57, -1, 0}, "秒間", ""},
    };
    for (const auto &expected : controls) {
        SCOPED_TRACE(expected.name);
        const QWidget *widget = control(QString::fromLatin1(expected.name));
        if (!widget)
            continue;
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(expected.parent));
        EXPECT_EQ(widget->pos(), expected.place.topLeft());
        if (expected.place.width() >= 0) {
            EXPECT_EQ(widget->width(), expected.place.width());
        }
        if (expected.place.height() > 0) {
            EXPECT_EQ(widget->height(), expected.place.height());
        }
        EXPECT_EQ(CaptionOf(widget), QString::fromUtf8(expected.caption));
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(expected.hint));
        // Nothing spills out of its parent, but for the options caption, which
        // is laid out two pixels taller than its panel.
        if (QByteArray(expected.name) != "dxfLabel2") {
            EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()));
        }
    }
}

TEST_F(MainWindowTest, WindowItself)
{
    EXPECT_EQ(window.size(), QSize(514, 371));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sorvane! Request"));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(window.pos(), QPoint(20, 20));
    EXPECT_TRUE(window.acceptDrops());
    EXPECT_TRUE(QFontInfo(UiFont(12)).family().contains(QStringLiteral("Gothic"))) << QFontInfo(UiFont(12)).family().toStdString();
}

TEST_F(MainWindowTest, TabOrderFollowsTheForm)
{
    const QStringList expected{"ListBox1", "C1_02", "C1_03", "C2_00", "C3_04", "C3_01", "C3_03", "C3_02", "C3_05",
                               "CheckBox1", "CheckBox5", "C4_01_1", "C4_01_2", "C4_01_3", "C4_01_4", "C4_01_5",
                               "C4_01_6"};
    // Walk the focus chain from the source list, naming each stop by its named control.
    QStringList order;
    QWidget *start = control(QStringLiteral("ListBox1"));
    QWidget *widget = start;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy()) {
            QWidget *named = widget;
            while (named && !expected.contains(named->objectName()))
                named = named->parentWidget();
            const QString name = named ? named->objectName() : widget->objectName() + QStringLiteral("?");
            if (order.isEmpty() || order.last() != name)
                order << name;
        }
        widget = widget->nextInFocusChain();
    } while (widget != start);
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, BuiltState)
{
    for (const char *name : {"C1_02", "C2_00", "C3_01", "C3_02", "C3_03", "C3_04", "C3_05"}) {
        SCOPED_TRACE(name);
        OptionListBox *box = list(name);
        EXPECT_EQ(box->list().itemIndex(), -1);
        EXPECT_EQ(box->currentIndex(), -1);
        EXPECT_EQ(box->background(), White);
        EXPECT_TRUE(box->isEnabled());
    }
    EXPECT_EQ(list("C3_01")->count(), 35);
    for (int number = 1; number <= 6; ++number) {
        EXPECT_EQ(field(number)->text(), QStringLiteral("0"));
        EXPECT_TRUE(field(number)->isEnabled());
        EXPECT_EQ(field(number)->background(), White);
        EXPECT_TRUE(control(QStringLiteral("L4_04_%1").arg(number))->isEnabled());
    }
    EXPECT_EQ(field(1)->maximum(), 99);
    EXPECT_EQ(field(2)->maximum(), 59);
    EXPECT_EQ(field(4)->maximum(), 99);
    EXPECT_EQ(control<FolderField>(QStringLiteral("C1_03"))->getPath(), QString());
    EXPECT_TRUE(control(QStringLiteral("C1_03"))->isEnabled());
    EXPECT_TRUE(control(QStringLiteral("L0_03"))->isEnabled());
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked());
    EXPECT_FALSE(control<QCheckBox>(QStringLiteral("CheckBox5"))->isChecked());
    EXPECT_EQ(window.prompt(), DropPrompt());
    EXPECT_FALSE(control(QStringLiteral("CButton10"))->isEnabled());
    for (const char *name : {"CButton1", "CButton2", "CButton3", "CButton4", "CButton11", "CButton12", "CButton13"})
        EXPECT_TRUE(control(QString::fromLatin1(name))->isEnabled()) << name;
}

TEST_F(MainWindowTest, DestinationModeEnablesTheFolderOnlyForChosenFolder)
{
    OptionList &mode = window.options().C1_02;
    auto *folder = control<FolderField>(QStringLiteral("C1_03"));
    folder->setPath(QStringLiteral("/music"));
    const struct { int row; bool enabled; } cases[] = {{2, true}, {0, false}, {1, false}, {2, true}, {-1, false}};
    for (const auto &c : cases) {
        if (c.row >= 0)
            mode.choose(c.row);
        else {
            mode.setItemIndex(-1);
            window.C1_02Change();
        }
        EXPECT_EQ(folder->isEnabled(), c.enabled) << c.row;
        EXPECT_EQ(control(QStringLiteral("L0_03"))->isEnabled(), c.enabled) << c.row;
        EXPECT_EQ(folder->getPath(), QStringLiteral("/music"));
    }
}

TEST_F(MainWindowTest, ListCueFollowsTheUsersChoice)
{
    for (const char *name : {"C3_01", "C3_02", "C3_03", "C3_04", "C3_05"}) {
        SCOPED_TRACE(name);
        OptionListBox *box = list(name);
        box->list().choose(1);
        EXPECT_EQ(box->background(), Cyan);
        Q_EMIT box->activated(0); // the user picks row 0 in the dropped list
        EXPECT_EQ(box->list().itemIndex(), 0);
        EXPECT_EQ(box->background(), White);
        // The program sets no row: the cue shows once the rule runs.
        box->list().setItemIndex(-1);
        EXPECT_EQ(box->background(), White);
        window.showOptions();
        EXPECT_EQ(box->background(), Cyan);
    }
}

TEST_F(MainWindowTest, TimeCueReadsTheFieldOnEveryChange)
{
    SpinField *minutes = field(2);
    minutes->lineEdit()->setText(QStringLiteral("5"));
    EXPECT_EQ(minutes->background(), Yellow);
    EXPECT_EQ(window.options().C4_01[1], 5);
    minutes->lineEdit()->clear();
    EXPECT_EQ(minutes->text(), QStringLiteral("0"));
    EXPECT_EQ(minutes->background(), White);
    for (const char *sign : {"-", "+"}) {
        minutes->lineEdit()->setText(QString::fromLatin1(sign));
        EXPECT_EQ(minutes->text(), QStringLiteral("0")) << sign;
        EXPECT_EQ(minutes->background(), White) << sign;
    }
}

TEST_F(MainWindowTest, FieldsKeepTypedValuesUntilTheFocusLeaves)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control<QCheckBox>(QStringLiteral("CheckBox5"))->setChecked(true); // the fields take typing only when on
    // Typed after the field's text was selected; a leading "-" goes in front of a digit.
    const struct { int number; const char *typed; bool minusInFront; int whileTyping; QColor cue; int afterwards; QColor cueAfter; } cases[] = {
        {3, "3", true, -3, White, 0, White},
        {2, "120", false, 120, Yellow, 59, Yellow},
        {1, "120", false, 120, Yellow, 99, Yellow},
        {6, "45", false, 45, Yellow, 45, Yellow},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        SpinField *spin = field(c.number);
        spin->setFocus();
        spin->lineEdit()->selectAll();
        QTest::keyClicks(spin, QString::fromLatin1(c.typed));
        if (c.minusInFront) {
            QTest::keyClick(spin, Qt::Key_Home);
            QTest::keyClick(spin, '-');
        }
        EXPECT_EQ(spin->text(), QString::number(c.whileTyping));
        EXPECT_EQ(spin->background(), c.cue);
        EXPECT_EQ(window.options().C4_01[c.number - 1], c.whileTyping);
        control(QStringLiteral("ListBox1"))->setFocus();
        EXPECT_EQ(spin->text(), QString::number(c.afterwards));
        EXPECT_EQ(spin->background(), c.cueAfter);
        EXPECT_EQ(window.options().C4_01[c.number - 1], c.afterwards);
    }
}

TEST_F(MainWindowTest, FolderFieldDropsTrailingSeparators)
{
    auto *folder = control<FolderField>(QStringLiteral("C1_03"));
    const struct { const char *typed, *path; } cases[] = {
        {"/music/", "/music"}, {"/music///", "/music"}, {"/", "/"}, {"/音楽/出力/", "/音楽/出力"}, {"", ""},
    };
    for (const auto &c : cases) {
        folder->setPath(QString::fromUtf8(c.typed));
        EXPECT_EQ(folder->getPath(), QString::fromUtf8(c.path)) << c.typed;
        EXPECT_EQ(folder->toolTip(), QString::fromUtf8(c.path)) << c.typed;
        EXPECT_EQ(window.options().C1_03, QString::fromUtf8(c.path)) << c.typed;
    }
    // Typing a separator at the end: it goes at once.
    folder->setPath(QStringLiteral("/music"));
    folder->edit()->end(false);
    QTest::keyClick(folder->edit(), '/');
    EXPECT_EQ(folder->getPath(), QStringLiteral("/music"));
}

TEST_F(MainWindowTest, RangeCheckBoxEnablesTheSixFields)
{
    auto *range = control<QCheckBox>(QStringLiteral("CheckBox5"));
    field(5)->setValue(30);
    range->click(); // ticked
    EXPECT_TRUE(window.options().C4_C5);
    range->click(); // cleared
    EXPECT_FALSE(window.options().C4_C5);
    for (int number = 1; number <= 6; ++number) {
        EXPECT_FALSE(field(number)->isEnabled()) << number;
        EXPECT_FALSE(control(QStringLiteral("L4_04_%1").arg(number))->isEnabled()) << number;
    }
    for (const char *name : {"L4_04", "CheckBox1", "L4_01"})
        EXPECT_TRUE(control(QString::fromLatin1(name))->isEnabled()) << name;
    range->click();
    for (int number = 1; number <= 6; ++number)
        EXPECT_TRUE(field(number)->isEnabled()) << number;
    EXPECT_EQ(field(5)->text(), QStringLiteral("30"));
    EXPECT_EQ(field(5)->background(), Yellow);
}

TEST_F(MainWindowTest, ShowOptionsPushesValuesAndRunsEveryRule)
{
    OptionSet &options = window.options();
    options.C1_02.setItemIndex(1);
    options.C1_03 = QStringLiteral("/out/");
    options.C3_01.setItemIndex(13);
    options.C3_04.setItemIndex(0);
    options.C4_C1 = true;
    options.C4_C5 = false;
    options.C4_01 = {0, 1, 30, 0, 0, 45};
    window.showOptions();

    EXPECT_FALSE(control(QStringLiteral("C1_03"))->isEnabled());
    EXPECT_EQ(control<FolderField>(QStringLiteral("C1_03"))->getPath(), QStringLiteral("/out"));
    EXPECT_EQ(options.C1_03, QStringLiteral("/out"));
    EXPECT_EQ(list("C3_01")->background(), Cyan);
    EXPECT_EQ(list("C3_01")->currentIndex(), 13);
    EXPECT_EQ(list("C3_04")->background(), White);
    EXPECT_EQ(list("C3_02")->background(), Cyan);
    EXPECT_TRUE(control<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked());
    EXPECT_FALSE(field(1)->isEnabled());
    EXPECT_EQ(field(2)->text(), QStringLiteral("1"));
    EXPECT_EQ(field(2)->background(), Yellow);
    EXPECT_EQ(field(4)->background(), White);
    EXPECT_EQ(field(6)->text(), QStringLiteral("45"));
    control<QCheckBox>(QStringLiteral("CheckBox1"))->click();
    EXPECT_FALSE(options.C4_C1);
}

TEST_F(MainWindowTest, DropsFillTheSourceListAndClearEmptiesIt)
{
    window.show();
    QTemporaryDir music;
    for (const char *name : {"b.wav", "A.wav", "曲.mp3"})
        QFile(music.filePath(QString::fromUtf8(name))).open(QIODevice::WriteOnly);
    auto *go = control<OvalButton>(QStringLiteral("CButton10"));
    EXPECT_FALSE(go->isEnabled());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(music.path()), QUrl(QStringLiteral("http://example.com/b.wav"))});
    const QPoint at(200, 60);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &drop);

    const QAbstractItemModel *list = control<QListView>(QStringLiteral("ListBox1"))->model();
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->index(0, 0).data().toString(), music.filePath(QStringLiteral("A.wav")));
    EXPECT_EQ(list->index(2, 0).data().toString(), music.filePath(QStringLiteral("曲.mp3")));
    EXPECT_EQ(window.prompt(), QStringLiteral("Ｇｏ！ボタンで変換処理を開始します。"));
    EXPECT_TRUE(go->isEnabled());

    QTest::mouseClick(control(QStringLiteral("CButton12")), Qt::LeftButton);
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(window.prompt(), DropPrompt());
    EXPECT_FALSE(go->isEnabled());
}

TEST_F(MainWindowTest, PlayWithoutSelectionDoesNothing)
{
    QTemporaryDir music;
    QFile(music.filePath(QStringLiteral("a.wav"))).open(QIODevice::WriteOnly);
    window.TakeDroppedFiles({QUrl::fromLocalFile(music.path())});
    // Nothing selected: no shell action, nothing changes.
    QTest::mouseClick(control(QStringLiteral("CButton13")), Qt::LeftButton);
    EXPECT_FALSE(control<QListView>(QStringLiteral("ListBox1"))->selectionModel()->hasSelection());
}

// Presses on the strips, their labels and the corners of a strip's button
// reach the window (which then moves itself); presses on panels and buttons do not.
TEST_F(MainWindowTest, OnlyTheOwnSurfaceDragsTheWindow)
{
    window.show();
    PressCounter reached;
    window.installEventFilter(&reached);
    const struct { const char *name; QPoint at; bool drags; } presses[] = {
        {"GradBox6", {200, 10}, true},  {"ShadowLabel1", {5, 5}, true},  {"GradBox5", {100, 8}, true},
        {"GradBox4", {30, 300}, true},  {"ShadowLabel3", {100, 4}, true}, {"CButton4", {1, 1}, true},
        {"CButton4", {38, 7}, false},   {"Panel1", {200, 140}, false},  {"GradBox1", {10, 140}, false},
        {"L0_01", {5, 5}, false},       {"ListBox1", {20, 20}, false},  {"CButton12", {28, 8}, false},
    };
    for (const auto &press : presses) {
        const int before = reached.count;
        QTest::mousePress(control(QString::fromLatin1(press.name)), Qt::LeftButton, {}, press.at);
        EXPECT_EQ(reached.count > before, press.drags) << press.name;
        QTest::mouseRelease(control(QString::fromLatin1(press.name)), Qt::LeftButton, {}, press.at);
    }
}

TEST(InformationPage, AddressCarriesTheExecutableNameWithoutExtension)
{
    const QString base = QStringLiteral("http://") + InformationHost + QStringLiteral("/info.php?pf=w&sn=");
    EXPECT_EQ(InformationPageAddress(QStringLiteral("/opt/My Tool.new.exe")), base + QStringLiteral("My Tool.new"));
    EXPECT_EQ(InformationPageAddress(QStringLiteral("/usr/bin/sorvane-request")), base + QStringLiteral("sorvane-request"));
}

TEST_F(MainWindowTest, GrabForLooking)
{
    window.options().C3_01.setItemIndex(13);
    window.options().C3_04.setItemIndex(2);
    window.options().C1_02.setItemIndex(2);
    window.options().C1_03 = QStringLiteral("/home/user/音楽/変換済み");
    window.options().C4_01[4] = 45;
    window.show();
    window.showOptions();
    window.intake().sources().add({"/home/user/音楽/01 曲名.wav", "/home/user/video.mp4"});
    QDir().mkpath(TEST_BUILD_DIR "/tests");
    EXPECT_TRUE(window.grab().save(TEST_BUILD_DIR "/tests/mainwindow.png"));
    TMainForm1 built{folder.files()};
    built.show();
    EXPECT_TRUE(built.grab().save(TEST_BUILD_DIR "/tests/mainwindow-built.png"));
}

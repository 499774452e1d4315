#include "Progresswindow1.h"
#include "ovalbutton.h"
#include "progressbar.h"
#include "shadowlabel.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using namespace sorvane;

namespace {

template<typename T>
T *Child(const QWidget &window, const char *name)
{
    T *child = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

fs::path SizedFile(const QTemporaryDir &dir, const char *name, std::uintmax_t size)
{
    const fs::path path = fs::path(dir.path().toStdString()) / name;
    std::ofstream{path, std::ios::binary};
    fs::resize_file(path, size);
    return path;
}

} // namespace

TEST(ProgressWindow, BuiltLayoutAndTexts)
{
    TProgressForm1 window;
    EXPECT_EQ(window.size(), QSize(316, 72));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);

    const auto *names = Child<ShadowLabel>(window, "Label1");
    const auto *sizes = Child<ShadowLabel>(window, "Label2");
    const auto *bar = Child<ProgressBar>(window, "ProgressBar1");
    const auto *cancel = Child<OvalButton>(window, "CButton1");
    ASSERT_TRUE(names && sizes && bar && cancel);
    EXPECT_EQ(names->pos(), QPoint(12, 18));
    EXPECT_EQ(names->text(), QStringLiteral("***.*** -> ***.***"));
    EXPECT_EQ(sizes->pos(), QPoint(12, 32));
    EXPECT_EQ(sizes->text(), QStringLiteral("0KB -> 0KB"));
    EXPECT_EQ(bar->geometry(), QRect(8, 48, 300, 15));
    EXPECT_EQ(bar->maximum(), 10);
    EXPECT_EQ(bar->text(), QStringLiteral("0 %"));
    EXPECT_EQ(cancel->geometry(), QRect(236, 4, 76, 16));
    EXPECT_EQ(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_EQ(cancel->toolTip(), QStringLiteral(" キャンセル"));
    EXPECT_FALSE(window.isPolling());
}

TEST(ProgressWindow, ShowsProgressThroughTheList)
{
    TProgressForm1 window;
    const auto *bar = Child<ProgressBar>(window, "ProgressBar1");
    ASSERT_TRUE(bar);
    window.setMaximum(3);
    const char *expected[] = {"0 %", "33 %", "67 %"};
    for (int position = 0; position < 3; ++position) {
        window.setPosition(position);
        EXPECT_EQ(bar->text(), QString::fromLatin1(expected[position]));
    }
    window.setNames(QStringLiteral("a.mp3 -> 変換 ～ a.mp3"));
    EXPECT_EQ(Child<ShadowLabel>(window, "Label1")->text(), QStringLiteral("a.mp3 -> 変換 ～ a.mp3"));
}

TEST(ProgressWindow, PollsBothSizesWhileRunning)
{
    QTemporaryDir dir;
    const fs::path source = SizedFile(dir, "a.wav", 5300000);
    const fs::path output = fs::path(dir.path().toStdString()) / "a.mp3";
    TProgressForm1 window;
    const auto *sizes = Child<ShadowLabel>(window, "Label2");
    ASSERT_TRUE(sizes);
    window.setPollPaths(source, output);
    window.startPolling();
    EXPECT_TRUE(window.isPolling());
    // The output does not exist yet: it reads 0KB.
    EXPECT_TRUE(QTest::qWaitFor([&] { return sizes->text() == QStringLiteral("5300KB -> 0KB"); }, 3000))
        << sizes->text().toStdString();
    fs::resize_file(SizedFile(dir, "a.mp3", 0), 1234567);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sizes->text() == QStringLiteral("5300KB -> 1234KB"); }, 3000))
        << sizes->text().toStdString();
    window.stopPolling();
    EXPECT_FALSE(window.isPolling());
}

TEST(ProgressWindow, CancelButtonAsksToStop)
{
    TProgressForm1 window;
    window.show();
    QSignalSpy cancel(&window, &TProgressForm1::cancelRequested);
    QTest::mouseClick(Child<OvalButton>(window, "CButton1"), Qt::LeftButton);
    EXPECT_EQ(cancel.count(), 1);
}

// A press that reaches the window itself starts moving it; the bar and the
// button keep theirs.
TEST(ProgressWindow, OwnSurfaceDragsTheWindow)
{
    TProgressForm1 window;
    window.show();
    int pressesOnWindow = 0;
    struct Counter : QObject
    {
        int &count;
        explicit Counter(int &c) : count(c) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::MouseButtonPress)
                ++count;
            return false;
        }
    } counter(pressesOnWindow);
    window.installEventFilter(&counter);

    QTest::mousePress(Child<QWidget>(window, "Label1"), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mousePress(Child<QWidget>(window, "GradBox6"), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(pressesOnWindow, 2);
    QTest::mousePress(Child<QWidget>(window, "ProgressBar1"), Qt::LeftButton, {}, QPoint(50, 7));
    QTest::mousePress(Child<QWidget>(window, "CButton1"), Qt::LeftButton, {}, QPoint(38, 8));
    EXPECT_EQ(pressesOnWindow, 2);
}

TEST(ProgressWindow, GrabForLooking)
{
    TProgressForm1 window;
    window.setMaximum(3);
    window.setPosition(1);
    window.setNames(QStringLiteral("a.mp3 -> 変換 ～ a.mp3"));
    window.show();
    QDir().mkpath(TEST_BUILD_DIR "/tests");
    EXPECT_TRUE(window.grab().save(TEST_BUILD_DIR "/tests/progresswindow.png"));
}

// The run disables the main window; the progress window it owns stays usable.
TEST(ProgressWindow, CancelWorksWhileItsOwnerIsDisabled)
{
    QWidget owner;
    owner.show();
    TProgressForm1 before(&owner);
    owner.setEnabled(false);
    TProgressForm1 after(&owner);
    for (TProgressForm1 *window : {&before, &after}) {
        window->show();
        QSignalSpy cancel(window, &TProgressForm1::cancelRequested);
        QTest::mouseClick(Child<OvalButton>(*window, "CButton1"), Qt::LeftButton);
        EXPECT_EQ(cancel.count(), 1);
    }
}

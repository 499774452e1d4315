// The main window with everything behind it: settings, intake, presets and a
// real batch run with its progress window.

#include "Mainwindow1.h"
#include "Progresswindow1.h"
#include "appfolder.h"
#include "batchrun.h"
#include "failure.h"
#include "ovalbutton.h"
#include "pathtext.h"
#include "shadowlabel.h"
#include "testsupport.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace sorvane;
using testsupport::fs::path;

namespace {

// Answers the next modal dialogs as they open, in turn, and keeps their texts.
class DialogAnswers
{
public:
    explicit DialogAnswers(QList<std::function<void(QWidget *)>> answers) : m_answers(std::move(answers))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start(20);
    }
    const QStringList &texts() const { return m_texts; }
    bool done() const { return m_answers.isEmpty(); }

private:
    void answer()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || m_answers.isEmpty() || dialog == m_last)
            return;
        m_last = dialog;
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            m_texts.append(box->text());
        m_answers.takeFirst()(dialog);
    }

    QList<std::function<void(QWidget *)>> m_answers;
    QStringList m_texts;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};

void PressOk(QWidget *dialog)
{
    if (auto *box = qobject_cast<QMessageBox *>(dialog))
        box->button(QMessageBox::Ok)->click();
}

class MainRunTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(music.isValid()); }

    path musicPath(const char *name) const { return PathFromQt(music.filePath(QString::fromUtf8(name))); }
    OvalButton *button(const char *name) const
    {
        return window.findChild<OvalButton *>(QString::fromLatin1(name));
    }
    // Converts a.wav with a converter that hangs once it has written part of its output.
    void startHangingRun()
    {
        testsupport::MakeTone(musicPath("a.wav"), 0.2);
        const path started = musicPath("started");
        testsupport::InstallFakeConverter(testsupport::HangingConverter(started));
        window.show();
        window.TakeDroppedFiles({QUrl::fromLocalFile(music.filePath(QStringLiteral("a.wav")))});
        QTest::mouseClick(button("CButton10"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return testsupport::fs::exists(started); }, 20000));
    }
    void pressGoAndWait()
    {
        QTest::mouseClick(button("CButton10"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !window.isRunning(); }, 60000));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    testsupport::AppFolder folder;
    QTemporaryDir music;
    TMainForm1 window{folder.files()};
};

TEST_F(MainRunTest, GoConvertsTheListWithTheProgressWindowAndAgainWithNewNames)
{
    testsupport::MakeTone(musicPath("b.wav"), 0.3);
    testsupport::MakeTone(musicPath("a.wav"), 0.3);
    testsupport::fs::last_write_time(musicPath("a.wav"), testsupport::fs::file_time_type(std::chrono::seconds(1000000001)));
    window.show();
    window.options().C3_01.setItemIndex(7); // FLAC
    window.TakeDroppedFiles({QUrl::fromLocalFile(music.path())});

    QTest::mouseClick(button("CButton10"), Qt::LeftButton);
    ASSERT_TRUE(window.isRunning());
    EXPECT_FALSE(window.isEnabled());
    auto *progress = window.findChild<TProgressForm1 *>();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_TRUE(progress->isEnabled()) << "its cancel button works while the main window is disabled";
    window.TakeDroppedFiles({QUrl::fromLocalFile(music.path())});
    EXPECT_EQ(window.intake().sources().count(), 2) << "no drop during a run";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window.isRunning(); }, 60000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(window.prompt(), EndText);
    EXPECT_EQ(window.findChild<TProgressForm1 *>(), nullptr) << "the progress window is released";
    EXPECT_EQ(testsupport::fs::last_write_time(musicPath("a.flac")), testsupport::fs::last_write_time(musicPath("a.wav")));
    EXPECT_TRUE(testsupport::fs::is_regular_file(musicPath("b.flac")));

    pressGoAndWait();
    EXPECT_TRUE(testsupport::fs::is_regular_file(musicPath("変換 ～ a.flac")));
    EXPECT_TRUE(testsupport::fs::is_regular_file(musicPath("変換 ～ b.flac")));
    EXPECT_EQ(window.intake().sources().count(), 2) << "the list stays for another run";
}

TEST_F(MainRunTest, FailedSourcesAreReportedAtTheEnd)
{
    testsupport::MakeTone(musicPath("a.wav"), 0.2);
    window.show();
    window.options().C3_01.setItemIndex(11); // a codec the converter lacks
    window.TakeDroppedFiles({QUrl::fromLocalFile(music.path())});
    pressGoAndWait();
    QMessageBox *report = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (report = window.findChild<QMessageBox *>()) != nullptr; }, 5000));
    EXPECT_EQ(report->text(), UnsupportedFilesMessage);
    EXPECT_TRUE(report->detailedText().contains(music.filePath(QStringLiteral("a.wav"))));
    EXPECT_EQ(window.prompt(), EndText);
    report->close();
}

TEST_F(MainRunTest, CancelStopsTheRunningConversion)
{
    testsupport::MakeTone(musicPath("b.wav"), 0.2);
    startHangingRun();
    auto *cancel = window.findChild<TProgressForm1 *>()->findChild<OvalButton *>(QStringLiteral("CButton1"));
    QTest::mouseClick(cancel, Qt::LeftButton, {}, cancel->rect().center());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window.isRunning(); }, 20000));
    testsupport::RemoveFakeConverter();
    EXPECT_EQ(window.prompt(), EndText);
    EXPECT_EQ(window.findChild<QMessageBox *>(), nullptr) << "a stop is no failure";
    for (const auto &entry : testsupport::fs::directory_iterator(PathFromQt(music.path())))
        EXPECT_TRUE(entry.path().filename() == "a.wav" || entry.path().filename() == "b.wav"
                    || entry.path().filename() == "started")
            << entry.path();
}

TEST_F(MainRunTest, AnEndRequestStopsTheRunThenClosesAndSaves)
{
    startHangingRun();
    window.endOnRequest();
    EXPECT_TRUE(window.isVisible()) << "closes only once the converter has ended";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window.isVisible(); }, 20000));
    testsupport::RemoveFakeConverter();
    EXPECT_TRUE(QFile::exists(folder.files().settingsFile));
    EXPECT_EQ(window.intake().sources().count(), 1);
    EXPECT_EQ(std::distance(testsupport::fs::directory_iterator(PathFromQt(music.path())),
                            testsupport::fs::directory_iterator()), 2) << "only a.wav and the marker";
}

TEST(MainWindowStart, FirstShowTakesSettingsThenCommandLineSourcesOnce)
{
    testsupport::AppFolder folder;
    QTemporaryDir music;
    QFile(music.filePath(QStringLiteral("a.wav"))).open(QIODevice::WriteOnly);
    testsupport::WriteBytes(PathFromQt(folder.files().settingsFile),
                            "[set]\nm_left=40\nm_top=50\n[SET1]\nC1_02=2\nC1_03=\n[SET3]\nC3_01=13\n");
    TMainForm1 window(folder.files(), {PathFromQt(music.path())});
    EXPECT_EQ(window.intake().sources().count(), 0) << "nothing before the first activation";
    window.show();
    EXPECT_EQ(window.pos(), QPoint(40, 50));
    EXPECT_EQ(window.options().C3_01.itemIndex(), 13);
    EXPECT_EQ(window.options().C1_03, folder.path()) << "an empty folder gives the application folder";
    EXPECT_TRUE(window.findChild<QWidget *>(QStringLiteral("C1_03"))->isEnabled());
    EXPECT_EQ(window.intake().sources().count(), 1);
    window.hide();
    window.show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    EXPECT_EQ(window.intake().sources().count(), 1) << "the command line is taken once";
}

TEST(MainWindowStart, StoredPositionOffEveryScreenIsBroughtBack)
{
    testsupport::AppFolder folder;
    testsupport::WriteBytes(PathFromQt(folder.files().settingsFile), "[SET]\nM_LEFT=-30000\nM_TOP=20\n");
    TMainForm1 window(folder.files());
    window.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.frameGeometry())) << window.pos().x();
}

TEST(MainWindowStart, MissingPresetFileFailsWithItsPath)
{
    testsupport::AppFolder folder;
    QFile::remove(folder.files().presetFile);
    try {
        TMainForm1 window(folder.files());
        FAIL() << "built without a preset file";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.message(), QStringLiteral("ファイル %1 は開けません").arg(folder.files().presetFile));
        EXPECT_FALSE(QFile::exists(folder.files().settingsFile));
    }
}

TEST(MainWindowClose, WritesTheSettingsOrStaysOpen)
{
    testsupport::AppFolder folder;
    const QString settings = folder.files().settingsFile;
    {
        TMainForm1 window(folder.files());
        window.show();
        window.options().C3_02.choose(4);
        QTest::mouseClick(window.findChild<OvalButton *>(QStringLiteral("CButton1")), Qt::LeftButton, {}, {9, 7});
        EXPECT_FALSE(window.isVisible());
    }
    const QByteArray written = testsupport::ReadBytes(PathFromQt(settings));
    EXPECT_TRUE(written.startsWith("[SET]\nM_LEFT=20\nM_TOP=20\n[SET1]\nC1_03=")) << written.constData();
    EXPECT_TRUE(written.contains("\nC3_02=4\n"));
    EXPECT_TRUE(written.contains("\nC3_05=-1\n"));

    QFile::setPermissions(settings, QFile::ReadOwner | QFile::ReadGroup);
    TMainForm1 window(folder.files());
    window.show();
    DialogAnswers answers({PressOk});
    window.close();
    ASSERT_TRUE(answers.done());
    EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("%1 に書き込めません.").arg(settings)});
    EXPECT_TRUE(window.isVisible()) << "the window stays open";
    EXPECT_EQ(testsupport::ReadBytes(PathFromQt(settings)), written);
}

TEST(MainWindowPresets, SaveButtonAddsTheCurrentChoiceAndChoosesIt)
{
    testsupport::AppFolder folder;
    TMainForm1 window(folder.files());
    window.show();
    window.options().C3_01.setItemIndex(13);
    window.options().C3_04.setItemIndex(2);
    window.options().C3_03.setItemIndex(8);
    window.options().C3_02.setItemIndex(13);
    auto typeName = [](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        ASSERT_NE(input, nullptr);
        EXPECT_EQ(input->windowTitle(), QStringLiteral("おまかせ名の入力"));
        EXPECT_EQ(input->findChild<QLineEdit *>()->maxLength(), 255);
        input->setTextValue(QStringLiteral("My Voice"));
        input->accept();
    };
    DialogAnswers answers({PressOk, typeName, PressOk});
    QTest::mouseClick(window.findChild<OvalButton *>(QStringLiteral("CButton11")), Qt::LeftButton, {}, {28, 28});
    ASSERT_TRUE(answers.done());
    EXPECT_EQ(answers.texts().first(), QStringLiteral("現設定をオリジナル設定として保存します。"));
    EXPECT_TRUE(answers.texts().last().startsWith(QStringLiteral("オリジナル設定を保存しました。")));
    EXPECT_EQ(window.options().C2_00.itemIndex(), 2);
    EXPECT_EQ(window.options().C2_00.rowText(2), QStringLiteral("My　Voice,MP3,2,LIBMP3LAME,44100Hz,128kbps"));
    EXPECT_TRUE(testsupport::ReadBytes(PathFromQt(folder.files().presetFile))
                    .endsWith("\r\nMy\x81\x40Voice,MP3,2,LIBMP3LAME,44100Hz,128kbps\r\n"));

    window.options().C2_00.choose(1); // Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps
    EXPECT_EQ(window.options().C3_04.itemIndex(), 1);
    EXPECT_EQ(window.options().C3_03.itemIndex(), 4);
    EXPECT_EQ(window.options().C3_02.itemIndex(), 9);
}

} // namespace

namespace {

// An object whose handler fails the way a handler of the program can.
class FailingHandler : public QObject
{
public:
    explicit FailingHandler(QString message) : m_message(std::move(message)) {}
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw Failure(m_message);
        return QObject::event(event);
    }

private:
    QString m_message;
};

TEST(ErrorBox, AFailureEscapingAHandlerIsShownAndTheProgramGoesOn)
{
    const struct { QString message; QString shown; } cases[] = {
        {QStringLiteral("ファイル /x は開けません"), QStringLiteral("ファイル /x は開けません.")},
        {QStringLiteral("ends with a stop."), QStringLiteral("ends with a stop.")},
        {QStringLiteral("ends with a comma,"), QStringLiteral("ends with a comma,")},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        FailingHandler handler(c.message);
        DialogAnswers answers({PressOk});
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
        ASSERT_TRUE(QTest::qWaitFor([&] { return answers.done(); }, 5000));
        EXPECT_EQ(answers.texts(), QStringList{c.shown});
    }
}

} // namespace

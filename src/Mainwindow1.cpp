#include "Mainwindow1.h"

#include "Progresswindow1.h"
#include "application.h"
#include "batchrun.h"
#include "bevel.h"
#include "converter.h"
#include "failure.h"
#include "folderfield.h"
#include "gradbox.h"
#include "hintstyle.h"
#include "optionlistbox.h"
#include "ovalbutton.h"
#include "pathtext.h"
#include "progress.h"
#include "settings.h"
#include "shadowlabel.h"
#include "spinfield.h"
#include "uifont.h"
#include "verticallabel.h"
#include "windowrules.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QWindow>

#include <utility>

namespace sorvane {

const QString InformationHost = QStringLiteral("sorvane.example.com");

QString InformationPageAddress(const QString &executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot >= 0)
        name.truncate(dot);
    return QStringLiteral("http://%1/info.php?pf=w&sn=%2").arg(InformationHost, name);
}

namespace {

constexpr int SourceRowHeight = 11;

// A file URL carrying the path's bytes exactly, names that are not UTF-8 included.
QUrl LocalFileUrl(const std::filesystem::path &path)
{
    std::error_code ignored;
    const QByteArray bytes = PathBytes(std::filesystem::absolute(path, ignored));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"));
}

// A message box with one OK button, titled with the program's name. It does
// not wait: the program goes on while it shows.
void Notify(QWidget *parent, const QString &text, const QString &details = {},
            QMessageBox::Icon icon = QMessageBox::NoIcon)
{
    auto *box = new QMessageBox(icon, ApplicationTitle, text, QMessageBox::Ok, parent);
    box->setDetailedText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The same, waiting for OK: for the steps of a dialogue.
void Tell(QWidget *parent, const QString &text)
{
    QMessageBox(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, parent).exec();
}

// The source list's rows: one line of text, 11 pixels high.
class SourceRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), SourceRowHeight};
    }
};

ShadowLabel *AddLabel(QWidget *parent, const QString &name, const QString &text, int pixelSize, QPoint at)
{
    auto *label = new ShadowLabel(text, pixelSize, parent);
    label->setObjectName(name);
    label->move(at);
    return label;
}

OvalButton *AddButton(QWidget *parent, const char *name, const QString &caption, int pixelSize, QRect place,
                      const QString &hint)
{
    auto *button = new OvalButton(caption, pixelSize, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setToolTip(hint);
    return button;
}

OptionListBox *AddList(QWidget *parent, OptionList &list, QRect place, const QString &hint)
{
    auto *box = new OptionListBox(list, parent);
    box->setObjectName(list.name());
    box->setGeometry(place);
    box->setToolTip(hint);
    return box;
}

void AddBevel(QWidget *parent, const char *name, QRect place)
{
    auto *bevel = new Bevel(parent);
    bevel->setObjectName(QString::fromLatin1(name));
    bevel->setGeometry(place);
}

QWidget *AddPanel(QWidget *parent, const char *name, const char *faceName, QRect place)
{
    auto *panel = new BevelPanel(QString::fromLatin1(faceName), place, parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

void AddCaption(QWidget *panel, const char *name, const QString &text, int pixelSize, QColor colour, QRect place)
{
    auto *caption = new VerticalLabel(text, pixelSize, colour, panel);
    caption->setObjectName(QString::fromLatin1(name));
    caption->setGeometry(place);
}

} // namespace

TMainForm1::TMainForm1(const AppFiles &files, std::vector<std::filesystem::path> commandLineSources, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_files(files)
    , m_presetFile(PathFromQt(files.presetFile))
    , m_commandLineSources(std::move(commandLineSources))
{
    m_presetFile.fillPresetList(m_options.C2_00);
    HintStyle::install();
    setObjectName(QStringLiteral("MainForm1"));
    setWindowTitle(ApplicationTitle);
    setFixedSize(514, 371);
    move(20, 20);
    setFont(UiFont(12));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAcceptDrops(true);

    buildStrips();
    auto *panels = new QWidget(this);
    panels->setObjectName(QStringLiteral("Panel5"));
    panels->setGeometry(0, 20, 445, 334);
    panels->setAttribute(Qt::WA_NoMousePropagation);
    buildSourcePanel(AddPanel(panels, "Panel1", "GradBox1", {0, 0, 445, 160}));
    buildAudioPanel(AddPanel(panels, "Panel4", "GradBox2", {0, 160, 445, 92}));
    buildOptionPanel(AddPanel(panels, "Panel3", "GradBox7", {0, 252, 445, 82}));
    chainTabOrder();
    connectRules();
    connectIntake();
}

TMainForm1::~TMainForm1() = default;

void TMainForm1::buildStrips()
{
    auto *title = new GradBox(GradientLight(), GradientDark(), Qt::Vertical, this);
    title->setObjectName(QStringLiteral("GradBox6"));
    title->setGeometry(0, 0, 514, 20);
    auto *footer = new GradBox(GradientLight(), GradientDark(), Qt::Vertical, this);
    footer->setObjectName(QStringLiteral("GradBox5"));
    footer->setGeometry(0, 355, 514, 16);
    auto *right = new GradBox(GradientLight(), GradientDark(), Qt::Horizontal, this);
    right->setObjectName(QStringLiteral("GradBox4"));
    right->setGeometry(446, 20, 68, 335);

    m_prompt = AddLabel(this, "ShadowLabel1", DropPrompt(), 11, {6, 5});
    AddLabel(this, "ShadowLabel2", QStringLiteral("MERIDEX -Sorvane! Request Ver.2.8"), 11, {6, 357});
    AddLabel(this, "ShadowLabel3", QStringLiteral("Support : WAVE, MP2, MP3, MP4, WMA, AC3, OGG, FLAC, etc..."), 9,
             {258, 358})
        ->setFixedTextWidth(251, Qt::AlignRight);

    connect(AddButton(this, "CButton4", QStringLiteral("ｲﾝﾌｫﾒｰｼｮﾝ"), 11, {358, 3, 76, 14},
                      QStringLiteral(" インフォメーションの表示")),
            &OvalButton::clicked, this, &TMainForm1::CButton4Click);
    connect(AddButton(this, "CButton3", QStringLiteral("？"), 12, {448, 3, 18, 14}, QStringLiteral(" ユーザーズガイド")),
            &OvalButton::clicked, this, &TMainForm1::CButton3Click);
    connect(AddButton(this, "CButton2", QStringLiteral("＿"), 12, {468, 3, 18, 14}, QStringLiteral(" 最小化")),
            &OvalButton::clicked, this, &QWidget::showMinimized);
    connect(AddButton(this, "CButton1", QStringLiteral("×"), 12, {488, 3, 18, 14}, QStringLiteral(" 閉じる")),
            &OvalButton::clicked, this, &TMainForm1::CButton1Click);
    m_go = AddButton(this, "CButton10", QStringLiteral("G\nｏ\n !"), 16, {452, 34, 57, 240},
                     QStringLiteral(" 変換処理の実行"));
    m_go->setEnabled(false);
    connect(m_go, &OvalButton::clicked, this, &TMainForm1::CButton10Click);
    connect(AddButton(this, "CButton11", QStringLiteral("設定\n保存"), 16, {452, 288, 57, 56},
                      QStringLiteral(" オリジナル設定の保存")),
            &OvalButton::clicked, this, &TMainForm1::CButton11Click);
}

void TMainForm1::buildSourcePanel(QWidget *panel)
{
    AddCaption(panel, "dLabel1", QStringLiteral("変換対象ﾌｧｲﾙ"), 15, Qt::white, {2, 12, 20, 110});
    AddBevel(panel, "Bevel1", {22, 6, 412, 123});
    AddLabel(panel, "L0_01", QStringLiteral("対象ﾌｧｲﾙ ："), 11, {29, 14})->setFixedTextWidth(56, Qt::AlignRight);
    connect(AddButton(panel, "CButton12", QStringLiteral("ｸﾘｱ→"), 11, {27, 30, 57, 16},
                      QStringLiteral(" 登録したファイルのクリア")),
            &OvalButton::clicked, this, &TMainForm1::CButton12Click);
    connect(AddButton(panel, "CButton13", QStringLiteral("再生"), 11, {27, 50, 57, 46},
                      QStringLiteral(" プレビュー画面の表示")),
            &OvalButton::clicked, this, &TMainForm1::CButton13Click);

    m_sourceList = new QListView(panel);
    m_sourceList->setObjectName(QStringLiteral("ListBox1"));
    m_sourceList->setGeometry(88, 10, 340, 92);
    m_sourceList->setToolTip(QStringLiteral(" 変換対象ファイル"));
    m_sourceList->setFont(UiFont(11));
    m_sourceList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sourceList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sourceList->setUniformItemSizes(true);
    m_sourceList->setItemDelegate(new SourceRowDelegate(m_sourceList));
    QPalette colours = m_sourceList->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    m_sourceList->setPalette(colours);

    AddLabel(panel, "L0_02", QStringLiteral("保存先 ："), 11, {42, 110});
    m_destinationMode = AddList(panel, m_options.C1_02, {88, 104, 142, 19}, QStringLiteral(" 動画ﾌｧｲﾙの保存先"));
    m_folderLabel = AddLabel(panel, "L0_03", QStringLiteral("ﾌｫﾙﾀﾞ ："), 11, {246, 110});
    m_folder = new FolderField(panel);
    m_folder->setObjectName(QStringLiteral("C1_03"));
    m_folder->setGeometry(286, 104, 142, 19);
    m_folder->setToolTip(QStringLiteral(" 保存先のﾌｫﾙﾀﾞ"));
    AddLabel(panel, "L1_00", QStringLiteral("おまかせ ："), 11, {33, 138});
    m_presets = AddList(panel, m_options.C2_00, {88, 134, 340, 19}, QStringLiteral(" おまかせ設定"));
}

void TMainForm1::buildAudioPanel(QWidget *panel)
{
    AddCaption(panel, "dxfLabel1", QStringLiteral("音声設定"), 15, Rgb(0xC4FFFF), {2, 8, 20, 70});
    AddBevel(panel, "Bevel2", {22, 6, 205, 28});
    AddBevel(panel, "Bevel5", {22, 38, 205, 48});
    AddBevel(panel, "Bevel6", {230, 6, 205, 48});
    AddLabel(panel, "L2_01", QStringLiteral("ﾌｧｲﾙ形式 ："), 11, {28, 14});
    m_format = AddList(panel, m_options.C3_01, {88, 10, 132, 19}, QStringLiteral(" 音声のﾌｧｲﾙ形式(ｺｰﾃﾞｯｸ)"));
    AddLabel(panel, "L3_04", QStringLiteral("ﾁｬﾝﾈﾙ ："), 11, {42, 42});
    m_channels = AddList(panel, m_options.C3_04, {88, 42, 132, 19}, QStringLiteral(" 音声のﾁｬﾝﾈﾙ"));
    AddLabel(panel, "L3_05", QStringLiteral("音量補正 ："), 11, {31, 66});
    m_volume = AddList(panel, m_options.C3_05, {88, 62, 132, 19}, QStringLiteral(" 音声のﾎﾞﾘｭｰﾑ"));
    AddLabel(panel, "L3_03", QStringLiteral("ｻﾝﾌﾟﾙﾚｰﾄ ："), 11, {236, 14});
    m_sampleRate = AddList(panel, m_options.C3_03, {296, 10, 132, 19}, QStringLiteral(" 音声のｻﾝﾌﾟﾙﾚｰﾄ"));
    AddLabel(panel, "L3_02", QStringLiteral("ﾋﾞｯﾄﾚｰﾄ ："), 11, {245, 34});
    m_bitRate = AddList(panel, m_options.C3_02, {296, 30, 132, 19}, QStringLiteral(" 音声のﾋﾞｯﾄﾚｰﾄ"));
}

void TMainForm1::buildOptionPanel(QWidget *panel)
{
    AddCaption(panel, "dxfLabel2", QStringLiteral("オプション"), 12, Rgb(0xFFFF80), {2, 2, 20, 82});
    AddBevel(panel, "Bevel7", {22, 6, 413, 24});
    AddBevel(panel, "Bevel11", {22, 30, 413, 46});
    m_multithread = new QCheckBox(panel);
    m_multithread->setObjectName(QStringLiteral("CheckBox1"));
    m_multithread->setGeometry(28, 12, 12, 12);
    AddLabel(panel, "L4_01",
             QStringLiteral("ﾏﾙﾁｽﾚｯﾄﾞ高速変換 (ﾏﾙﾁｽﾚｯﾄﾞ対応CPU<Core2Duo等>以外はｴﾗｰになります)"), 11, {46, 13});
    m_rangeOn = new QCheckBox(panel);
    m_rangeOn->setObjectName(QStringLiteral("CheckBox5"));
    m_rangeOn->setGeometry(28, 36, 12, 12);
    AddLabel(panel, "L4_04",
             QStringLiteral("変換範囲を指定する (音声/動画の尺を超えた範囲を指定するとｴﾗｰになります)"), 11, {46, 37});

    const QString startHint = QStringLiteral(" 変換開始位置(時：分：秒単位)");
    const QString lengthHint = QStringLiteral(" 変換終了位置(時：分：秒単位)");
    const std::array<const char *, OptionSet::RangeFieldCount> unitTexts{"時", "分", "秒から", "時", "分", "秒間"};
    for (int field = 0; field < OptionSet::RangeFieldCount; ++field) {
        const int left = field < 3 ? 44 + 60 * field : 240 + 60 * (field - 3);
        auto *spin = new SpinField(OptionSet::RangeFieldMaximum[field], panel);
        spin->setObjectName(QStringLiteral("C4_01_%1").arg(field + 1));
        spin->setGeometry(left, 50, 40, 19);
        spin->setToolTip(field < 3 ? startHint : lengthHint);
        m_rangeFields[field] = spin;
        m_rangeLabels[field] = AddLabel(panel, QStringLiteral("L4_04_%1").arg(field + 1),
                                        QString::fromUtf8(unitTexts[field]), 11, {left + 44, 57});
    }
}

void TMainForm1::chainTabOrder()
{
    const QList<QWidget *> order{m_sourceList, m_destinationMode, m_folder,  m_presets,     m_channels,
                                 m_format,     m_sampleRate,      m_bitRate, m_volume,      m_multithread,
                                 m_rangeOn,    m_rangeFields[0],  m_rangeFields[1], m_rangeFields[2],
                                 m_rangeFields[3], m_rangeFields[4], m_rangeFields[5]};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TMainForm1::connectRules()
{
    connect(&m_options.C1_02, &OptionList::changed, this, &TMainForm1::C1_02Change);
    connect(&m_options.C2_00, &OptionList::changed, this, &TMainForm1::C2_00Change);
    connect(&m_options.C3_01, &OptionList::changed, this, &TMainForm1::C3_01Change);
    connect(&m_options.C3_02, &OptionList::changed, this, &TMainForm1::C3_02Change);
    connect(&m_options.C3_03, &OptionList::changed, this, &TMainForm1::C3_03Change);
    connect(&m_options.C3_04, &OptionList::changed, this, &TMainForm1::C3_04Change);
    connect(&m_options.C3_05, &OptionList::changed, this, &TMainForm1::C3_05Change);
    connect(m_folder, &FolderField::changed, this, &TMainForm1::C1_03Change);
    connect(m_multithread, &QCheckBox::toggled, this, [this](bool on) { m_options.C4_C1 = on; });
    connect(m_rangeOn, &QCheckBox::toggled, this, [this](bool on) {
        m_options.C4_C5 = on;
        CheckBox5Click();
    });
    for (int field = 0; field < OptionSet::RangeFieldCount; ++field)
        connect(m_rangeFields[field], &SpinField::changed, this, [this, field] { C4_01Change(field); });
}

void TMainForm1::showOptions()
{
    m_multithread->setChecked(m_options.C4_C1);
    m_rangeOn->setChecked(m_options.C4_C5);
    for (int field = 0; field < OptionSet::RangeFieldCount; ++field)
        m_rangeFields[field]->setValue(m_options.C4_01[field]);
    m_folder->setPath(m_options.C1_03);

    C1_02Change();
    C1_03Change();
    C3_01Change();
    C3_02Change();
    C3_03Change();
    C3_04Change();
    C3_05Change();
    CheckBox5Click();
    for (int field = 0; field < OptionSet::RangeFieldCount; ++field)
        C4_01Change(field);
}

QString TMainForm1::prompt() const
{
    return m_prompt->text();
}

void TMainForm1::C1_02Change()
{
    const bool enabled = DestinationFolderEnabled(m_options.C1_02.itemIndex());
    m_folder->setEnabled(enabled);
    m_folderLabel->setEnabled(enabled);
}

void TMainForm1::C1_03Change()
{
    m_folder->setPath(CleanFolderPath(m_folder->getPath()));
    const QString path = CleanFolderPath(m_folder->getPath());
    m_folder->setToolTip(path);
    m_options.C1_03 = path;
}

void TMainForm1::listCue(OptionListBox *box)
{
    box->setBackground(Rgb(ListCueColour(box->list().itemIndex())));
}

void TMainForm1::C3_01Change() { listCue(m_format); }
void TMainForm1::C3_02Change() { listCue(m_bitRate); }
void TMainForm1::C3_03Change() { listCue(m_sampleRate); }
void TMainForm1::C3_04Change() { listCue(m_channels); }
void TMainForm1::C3_05Change() { listCue(m_volume); }

void TMainForm1::C4_01Change(int field)
{
    const int value = m_rangeFields[field]->getValue();
    m_options.C4_01[field] = value;
    m_rangeFields[field]->setBackground(Rgb(TimeCueColour(value)));
}

void TMainForm1::CheckBox5Click()
{
    const bool enabled = m_rangeOn->isChecked();
    for (int field = 0; field < OptionSet::RangeFieldCount; ++field) {
        m_rangeFields[field]->setEnabled(enabled);
        m_rangeLabels[field]->setEnabled(enabled);
    }
}

void TMainForm1::CButton4Click()
{
    QDesktopServices::openUrl(QUrl(InformationPageAddress(QCoreApplication::applicationFilePath())));
}

void TMainForm1::CButton3Click()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_files.readmeFile));
}

void TMainForm1::CButton13Click()
{
    const QModelIndexList selected = m_sourceList->selectionModel()->selectedRows();
    for (const QModelIndex &index : selected)
        QDesktopServices::openUrl(LocalFileUrl(m_intake.sources().path(index.row())));
}

void TMainForm1::connectIntake()
{
    m_sourceList->setModel(&m_intake.sources());
    connect(&m_intake, &SourceIntake::promptChanged, m_prompt, &ShadowLabel::setText);
    connect(&m_intake, &SourceIntake::goEnabledChanged, m_go, &QWidget::setEnabled);
}

void TMainForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormActivate();
}

// Once, when the window first shows: the stored settings, then the command
// line's sources. Later activations change nothing.
void TMainForm1::FormActivate()
{
    if (m_activated)
        return;
    m_activated = true;
    LoadSettingsFile(m_files.settingsFile, m_options, m_files.applicationFolder);
    placeWindow();
    showOptions();
    m_intake.takePaths(m_commandLineSources);
}

// The stored position, unless it would leave the window on no screen at all.
void TMainForm1::placeWindow()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    move(PlaceOnScreens(m_options.position, size(), screens));
}

// Writes the settings; the window stays open when they cannot be written.
bool TMainForm1::FormClose()
{
    if (isRunning())
        return false;
    m_options.position = pos();
    try {
        SaveSettingsFile(m_files.settingsFile, m_options);
    } catch (const Failure &failure) {
        ShowErrorBox(failure.message(), this);
        return false;
    }
    return true;
}

void TMainForm1::TakeDroppedFiles(const QList<QUrl> &urls)
{
    m_intake.takePaths(PathsFromUrls(urls));
}

void TMainForm1::C2_00Change()
{
    ApplyPreset(m_options, [this](OptionList &list) { runChangeHandler(list); });
}

void TMainForm1::runChangeHandler(OptionList &list)
{
    for (OptionListBox *box : {m_format, m_bitRate, m_sampleRate, m_channels, m_volume}) {
        if (&box->list() == &list)
            listCue(box);
    }
}

void TMainForm1::CButton1Click()
{
    close();
}

void TMainForm1::endOnRequest()
{
    if (!isRunning()) {
        close();
        return;
    }
    m_closeAfterRun = true;
    m_run->cancel();
}

void TMainForm1::CButton10Click()
{
    if (m_intake.sources().count() == 0 || isRunning())
        return;
    m_progress = new TProgressForm1(this);
    m_progress->setMaximum(m_intake.sources().count());
    m_progress->setPosition(0);
    m_progress->show();
    m_progress->startPolling();
    connect(m_progress, &TProgressForm1::cancelRequested, this, &TMainForm1::stopRequested);
    setEnabled(false);
    m_intake.setRefusingDrops(true);

    m_run = std::make_unique<BatchRun>(m_options, m_intake.sources().paths());
    connect(m_run.get(), &BatchRun::sourceStarted, this, &TMainForm1::sourceStarted);
    connect(m_run.get(), &BatchRun::finished, this, &TMainForm1::runFinished);
    m_run->start();
}

void TMainForm1::sourceStarted(int index)
{
    const CurrentItem item = m_run->currentItem();
    m_progress->setPosition(index);
    m_progress->setNames(NamesLine(item.SourcePath, item.OutputPath));
    m_progress->setPollPaths(item.SourcePath, item.PartialPath);
}

void TMainForm1::stopRequested()
{
    if (m_run && m_run->requestStop())
        return;
    QApplication::beep();
    Notify(nullptr, StopFailedMessage); // the main window is disabled; the progress window goes at the end
}

void TMainForm1::runFinished(const BatchReport &report)
{
    m_progress->stopPolling();
    m_progress->deleteLater();
    m_run.release()->deleteLater(); // its own signal is still being delivered
    m_intake.setRefusingDrops(false);
    setEnabled(true);
    if (std::exchange(m_closeAfterRun, false)) {
        close();
        return;
    }

    if (report.converterMissing) {
        Notify(this, ConverterNotFoundMessage(), {}, QMessageBox::Warning);
        return;
    }
    if (!report.generalError.isEmpty()) {
        QApplication::beep();
        Notify(this, report.generalError, EndReportDetails(report));
        return;
    }
    if (!report.failures.isEmpty()) {
        QApplication::beep();
        Notify(this, UnsupportedFilesMessage, EndReportDetails(report));
    }
    QApplication::beep();
    m_intake.setPrompt(EndText);
}

// Saves the four audio lists' choices as a new preset under a typed name.
void TMainForm1::CButton11Click()
{
    Tell(this, PresetText::SaveAnnouncement);
    QInputDialog input(this);
    input.setWindowTitle(PresetText::NameDialogCaption);
    input.setLabelText(PresetText::NameDialogPrompt);
    input.setOkButtonText(QStringLiteral("OK"));
    input.setCancelButtonText(QStringLiteral("キャンセル"));
    input.findChild<QLineEdit *>()->setMaxLength(PresetText::NameMaxLength);
    const QString name = input.exec() == QDialog::Accepted ? input.textValue() : QString();
    try {
        if (!SavePreset(m_presetFile, m_options, name)) {
            Tell(this, PresetText::EmptyName);
            return;
        }
    } catch (const Failure &failure) {
        ShowErrorBox(failure.message(), this);
        return;
    }
    Tell(this, PresetText::Saved);
}

void TMainForm1::CButton12Click()
{
    m_intake.clear();
}

void TMainForm1::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
}

void TMainForm1::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void TMainForm1::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    TakeDroppedFiles(event->mimeData()->urls());
}

void TMainForm1::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

} // namespace sorvane

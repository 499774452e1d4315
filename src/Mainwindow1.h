#pragma once

#include "appfiles.h"
#include "optionset.h"
#include "presets.h"
#include "sourceintake.h"

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

class QCheckBox;
class QListView;

namespace sorvane {

class BatchRun;
struct BatchReport;
class FolderField;
class TProgressForm1;
class OptionListBox;
class OvalButton;
class ShadowLabel;
class SpinField;

// The maker's web host of the information page.
extern const QString InformationHost;
// The information page's address for the running executable: its file name
// without the last extension goes into the query unescaped.
QString InformationPageAddress(const QString &executablePath);

// The main window: a borderless black window with gradient strips and three
// panels holding the source list and every option control. It shows the
// options of its OptionSet and keeps the set in step with the controls.
class TMainForm1 : public QWidget
{
    Q_OBJECT
public:
    // Builds the window and fills its lists; the presets come from the
    // preset file of `files` (a Failure when it cannot be read). The command
    // line's sources are taken at the first activation, after the settings.
    explicit TMainForm1(const AppFiles &files, std::vector<std::filesystem::path> commandLineSources = {},
                        QWidget *parent = nullptr);
    ~TMainForm1() override;

    OptionSet &options() { return m_options; }
    SourceIntake &intake() { return m_intake; }
    // Pushes the option set's values into the controls and runs every rule once.
    void showOptions();
    QString prompt() const;
    bool isRunning() const { return m_run != nullptr; }

    // The local files and folders dropped onto the window; refused during a run.
    void TakeDroppedFiles(const QList<QUrl> &urls);
    // The program is asked to end (a signal from the system): a running batch
    // is stopped first, then the window closes as by its close button.
    void endOnRequest();

    // The rules behind the controls, for the program to run after it sets values itself.
    void C1_02Change();
    void C1_03Change();
    void C3_01Change();
    void C3_02Change();
    void C3_03Change();
    void C3_04Change();
    void C3_05Change();
    void C4_01Change(int field); // field 0-5: C4_01_1 to C4_01_6
    void CheckBox5Click();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildStrips();
    void buildSourcePanel(QWidget *panel);
    void buildAudioPanel(QWidget *panel);
    void buildOptionPanel(QWidget *panel);
    void chainTabOrder();
    void connectRules();
    void connectIntake();
    void listCue(OptionListBox *box);
    void runChangeHandler(OptionList &list);

    void FormActivate();
    bool FormClose();
    void placeWindow();
    void C2_00Change();
    void CButton1Click();
    void CButton3Click();
    void CButton4Click();
    void CButton10Click();
    void CButton11Click();
    void CButton12Click();
    void CButton13Click();
    void sourceStarted(int index);
    void stopRequested();
    void runFinished(const BatchReport &report);

    AppFiles m_files;
    OptionSet m_options;
    PresetFile m_presetFile;
    SourceIntake m_intake;
    std::vector<std::filesystem::path> m_commandLineSources;
    bool m_activated = false; // the one-time guard of the first activation
    bool m_closeAfterRun = false;
    std::unique_ptr<BatchRun> m_run;
    QPointer<TProgressForm1> m_progress;

    ShadowLabel *m_prompt = nullptr;
    OvalButton *m_go = nullptr;
    QListView *m_sourceList = nullptr;
    OptionListBox *m_destinationMode = nullptr;
    ShadowLabel *m_folderLabel = nullptr;
    FolderField *m_folder = nullptr;
    OptionListBox *m_presets = nullptr;
    OptionListBox *m_format = nullptr;
    OptionListBox *m_bitRate = nullptr;
    OptionListBox *m_sampleRate = nullptr;
    OptionListBox *m_channels = nullptr;
    OptionListBox *m_volume = nullptr;
    QCheckBox *m_multithread = nullptr;
    QCheckBox *m_rangeOn = nullptr;
    std::array<SpinField *, OptionSet::RangeFieldCount> m_rangeFields{};
    std::array<ShadowLabel *, OptionSet::RangeFieldCount> m_rangeLabels{};
};

} // namespace sorvane

#pragma once

#include "optionset.h"

#include <QList>
#include <QUrl>
#include <QWidget>

#include <array>
#include <functional>

class QAbstractItemModel;
class QCheckBox;
class QListView;

namespace sorvane {

class FolderField;
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
    explicit TMainForm1(QWidget *parent = nullptr);

    OptionSet &options() { return m_options; }
    // Pushes the option set's values into the controls and runs every rule once.
    void showOptions();

    QString prompt() const;
    void setPrompt(const QString &text);
    void setGoEnabled(bool enabled);
    void setReadmePath(const QString &path);
    QListView *sourceList() const { return m_sourceList; }
    void setSourceListModel(QAbstractItemModel *model);
    // Asked before the window closes; returning false keeps it open.
    void setCloseHandler(std::function<bool()> handler);

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

Q_SIGNALS:
    void goClicked();
    void savePresetClicked();
    void clearClicked();
    void presetChanged();
    // The local files and folders dropped onto the window, as dropped.
    void filesDropped(const QList<QUrl> &urls);

protected:
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
    void listCue(OptionListBox *box);
    void CButton4Click();
    void CButton3Click();
    void CButton13Click();

    OptionSet m_options;
    QString m_readmePath;
    std::function<bool()> m_closeHandler;

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

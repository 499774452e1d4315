#pragma once

#include <QTimer>
#include <QWidget>

#include <filesystem>

namespace sorvane {

class OvalButton;
class ProgressBar;
class ShadowLabel;

// The small window that floats above everything during a batch run: the
// names of the file being converted and its output, both sizes as they grow,
// how far through the list the run is, and the cancel button.
class TProgressForm1 : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PollInterval = 1000;

    explicit TProgressForm1(QWidget *parent = nullptr);

    // The number of sources and the 0-based index of the current one.
    void setMaximum(int maximum);
    void setPosition(int position);
    // The names line ("a.wav -> a.mp3"), painted at once.
    void setNames(const QString &names);
    // The two files whose sizes the timer shows: the source and the file being written.
    void setPollPaths(const std::filesystem::path &source, const std::filesystem::path &output);
    void startPolling();
    void stopPolling();
    bool isPolling() const { return m_timer.isActive(); }

Q_SIGNALS:
    void cancelRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void Timer1Timer();

    ShadowLabel *m_names;
    ShadowLabel *m_sizes;
    ProgressBar *m_bar;
    OvalButton *m_cancel;
    QTimer m_timer;
    std::filesystem::path m_sourcePath;
    std::filesystem::path m_outputPath;
    bool m_placed = false;
};

} // namespace sorvane

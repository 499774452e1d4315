#pragma once

#include "conversionjob.h"

#include <QList>
#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <set>
#include <vector>

namespace sorvane {

class OptionSet;

// What the run tells the user.
inline const QString EndText = QStringLiteral("変換処理は終了しました。");
inline const QString UnsupportedFilesMessage =
    QStringLiteral("変換できない非対応ファイルが含まれていました。保存先に指定したフォルダで変換結果をご確認下さい。");
inline const QString GeneralErrorMessage = QStringLiteral("原因が特定できないエラーが生じました。処理を中止します。");
inline const QString StopFailedMessage = QStringLiteral("変換を中止できませんでした。");

// The conversion in progress, for the progress window.
struct CurrentItem
{
    std::filesystem::path SourcePath;
    std::filesystem::path OutputPath;
    // The file the converter is writing (it becomes OutputPath on success).
    std::filesystem::path PartialPath;
};

struct BatchReport
{
    int converted = 0;
    int failed = 0;
    int stopped = 0;
    QList<ConversionResult> failures;
    // The converter could not be found: nothing was converted (see ConverterNotFoundMessage()).
    bool converterMissing = false;
    // Set when the run ended early on an unexpected error.
    QString generalError;
};

// The failed sources, one a line, each with its reason: for the details area
// of the end message.
QString EndReportDetails(const BatchReport &report);

// Converts a list of sources in list order, one converter run each, driven by
// the converters' signals. Started once; reports through signals and ends
// with finished().
class BatchRun : public QObject
{
    Q_OBJECT
public:
    // How many conversions run at once. Outputs claimed by running
    // conversions count as taken names for the ones started after them.
    static constexpr int ParallelConversions = 1;

    // `options` must outlive the run.
    BatchRun(const OptionSet &options, std::vector<std::filesystem::path> sources, QObject *parent = nullptr);
    ~BatchRun() override;

    // Returns at once; the work starts from the event loop. Called once.
    void start();
    // The stop button: stops the running conversion (the run goes on with
    // the next source). False when no running converter was asked to stop.
    bool requestStop();
    // Stops the running conversions and takes no further source; the run
    // then ends as usual with finished().
    void cancel();

    CurrentItem currentItem() const { return m_current; }

Q_SIGNALS:
    // The source's output is resolved and its conversion is about to start.
    void sourceStarted(int index);
    void sourceEnded(int index, const sorvane::ConversionResult &result);
    void finished(const sorvane::BatchReport &report);

private:
    struct RunningJob
    {
        int index;
        std::unique_ptr<ConversionJob> job;
    };

    void begin();
    void launchNext();
    void launch(int index, const std::filesystem::path &output);
    void jobEnded(ConversionJob *job, const ConversionResult &result);
    void record(int index, const ConversionResult &result);
    void endOnUnexpectedError();
    void endWhenIdle();

    const OptionSet &m_options;
    const std::vector<std::filesystem::path> m_sources;
    QString m_converter;
    std::size_t m_next = 0;
    std::vector<RunningJob> m_running;
    std::set<std::filesystem::path> m_claimed;
    CurrentItem m_current;
    BatchReport m_report;
    bool m_ended = false;
};

} // namespace sorvane

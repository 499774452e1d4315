#pragma once

#include "commandline.h"
#include "converter.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

class QTemporaryDir;

namespace sorvane {

class OptionSet;

enum class ConversionOutcome { Converted, Failed, Stopped };

struct ConversionResult
{
    std::filesystem::path source;
    std::filesystem::path output;
    ConversionOutcome outcome = ConversionOutcome::Failed;
    // Why it failed: the converter's last error line, or our own words.
    QString reason;
};

// Our own words for a failure, when the converter has none.
inline const QString SourceMissingReason = QStringLiteral("変換元のファイルが見つかりません");
inline const QString ConverterNotStartedReason = QStringLiteral("変換プログラムを起動できませんでした");
inline const QString ConverterCrashedReason = QStringLiteral("変換プログラムが異常終了しました");
inline const QString ConverterErrorReason = QStringLiteral("変換プログラムがエラーで終了しました (終了コード %1)");
inline const QString NoOutputReason = QStringLiteral("変換プログラムが出力ファイルを作りませんでした");
inline const QString StoppedReason = QStringLiteral("変換を中止しました");
inline const QString OutputNotSavedReason = QStringLiteral("出力ファイルを保存できませんでした");

// One conversion of one source by one run of the converter.
//
// The converter writes to a hidden file beside the output with the output's
// extension (so it still picks the format from the name). Only a complete,
// successful conversion is renamed to the output name, dated with the
// source's modification time first; in destination mode 1 it replaces what
// lies there, in the other modes it never does. A failed or stopped
// conversion removes its hidden file and leaves everything else as it was.
// Paths that the converter's argument list cannot carry reach it through
// symbolic links with plain names in a temporary folder.
class ConversionJob : public QObject
{
    Q_OBJECT
public:
    // How long a converter asked to stop may take before it is killed.
    static constexpr std::chrono::milliseconds StopGracePeriod{3000};

    // `options` must outlive the job; `converter` is the converter's full path.
    ConversionJob(const OptionSet &options, std::filesystem::path source, std::filesystem::path output,
                  QString converter, QObject *parent = nullptr);
    ~ConversionJob() override;

    // The hidden file the converter writes until the output is complete.
    const std::filesystem::path &partialPath() const { return m_partial; }

    // Captures the source's date and starts the converter. finished() follows
    // exactly once, possibly before start() returns.
    void start();
    // Asks the running converter to end and kills it after StopGracePeriod.
    // False when no converter is running.
    bool requestStop();

Q_SIGNALS:
    void finished(const sorvane::ConversionResult &result);

private:
    void launch();
    std::filesystem::path stageLink(const std::filesystem::path &target, const std::string &name);
    void converterEnded(int exitCode, QProcess::ExitStatus status);
    void converterFailedToStart();
    ConversionResult placeOutput();
    QString lastErrorLineOr(const QString &fallback) const;
    void conclude(ConversionOutcome outcome, const QString &reason = {});
    void conclude(ConversionResult result);
    void removeTemporaries();

    const OptionSet &m_options;
    const std::filesystem::path m_source;
    const std::filesystem::path m_output;
    const std::filesystem::path m_partial;
    const QString m_converter;
    std::filesystem::file_time_type m_sourceTime;
    QProcess m_process;
    QTimer m_killTimer;
    ErrorTail m_errors;
    std::unique_ptr<QTemporaryDir> m_staging;
    std::vector<std::filesystem::path> m_links;
    bool m_stopRequested = false;
    bool m_concluded = false;
};

} // namespace sorvane

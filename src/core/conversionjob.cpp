#include "conversionjob.h"

#include "atomicfile.h"
#include "optionset.h"
#include "outputpath.h"
#include "pathparts.h"
#include "pathtext.h"
#include "platform.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

std::string RandomName(int length)
{
    static constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string name;
    for (int i = 0; i < length; ++i)
        name += Letters[QRandomGenerator::global()->bounded(int(Letters.size()))];
    return name;
}

std::string PathExtension(const fs::path &path)
{
    const QByteArray bytes = PathBytes(path);
    return std::string(Extension({bytes.constData(), std::size_t(bytes.size())}, NativePathRule));
}

bool Exists(const fs::path &path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// A free hidden name beside `output` that ends in the output's extension.
fs::path PartialPathFor(const fs::path &output)
{
    const std::string extension = PathExtension(output);
    fs::path partial;
    do
        partial = output.parent_path() / (".sorvane-" + RandomName(10) + extension);
    while (Exists(partial));
    return partial;
}

// The converter reads a relative path that begins with "-" as an option and
// one like "pipe:1.wav" as a protocol; "./" in front makes it plainly a file.
fs::path PlainFilePath(const fs::path &path)
{
    return path.is_relative() ? fs::path(".") / path : path;
}

// The file replacing `existing` gets its permissions, so overwriting never
// makes a private file readable to others.
void KeepPermissions(const fs::path &existing, const fs::path &replacement)
{
    std::error_code error;
    const fs::file_status status = fs::status(existing, error);
    if (!error && fs::is_regular_file(status))
        fs::permissions(replacement, status.permissions(), error);
}

QString SystemMessage(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

} // namespace

ConversionJob::ConversionJob(const OptionSet &options, fs::path source, fs::path output, QString converter,
                             QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_source(std::move(source))
    , m_output(std::move(output))
    , m_partial(PartialPathFor(m_output))
    , m_converter(std::move(converter))
{
    m_killTimer.setSingleShot(true);
    m_killTimer.setInterval(StopGracePeriod);
    connect(&m_killTimer, &QTimer::timeout, &m_process, &QProcess::kill);
    connect(&m_process, &QProcess::readyReadStandardError, this,
            [this] { m_errors.append(m_process.readAllStandardError()); });
    connect(&m_process, &QProcess::finished, this, &ConversionJob::converterEnded);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            converterFailedToStart();
    });
}

ConversionJob::~ConversionJob()
{
    disconnect(&m_process, nullptr, this, nullptr);
    if (m_process.state() != QProcess::NotRunning)
        m_process.kill();
    if (!m_concluded)
        removeTemporaries();
}

void ConversionJob::start()
{
    std::error_code error;
    m_sourceTime = fs::last_write_time(m_source, error);
    if (error || !IsRegularFile(m_source)) {
        conclude(ConversionOutcome::Failed, SourceMissingReason);
        return;
    }
    try {
        launch();
    } catch (const fs::filesystem_error &failure) {
        conclude(ConversionOutcome::Failed, ConverterNotStartedReason + QStringLiteral(": ") + SystemMessage(failure.code()));
    }
}

void ConversionJob::launch()
{
    fs::path source = m_source;
    fs::path partial = m_partial;
    if (!IsQtRepresentable(source)) {
        const std::string extension = PathExtension(source);
        source = stageLink(fs::absolute(source), IsQtRepresentable(extension) ? "source" + extension : "source");
    }
    if (!IsQtRepresentable(partial))
        partial = stageLink(fs::absolute(partial).parent_path(), "output") / partial.filename();
    PrepareConverterProcess(m_process, m_converter, BuildCommandLine(m_options, PlainFilePath(source), PlainFilePath(partial)));
    EndWithThisProgram(m_process);
    m_process.start();
}

// A link named `name` to `target` in the job's temporary folder.
fs::path ConversionJob::stageLink(const fs::path &target, const std::string &name)
{
    if (!m_staging)
        m_staging = std::make_unique<QTemporaryDir>();
    if (!m_staging->isValid())
        throw fs::filesystem_error("temporary folder", std::make_error_code(std::errc::io_error));
    const fs::path link = PathFromQt(m_staging->path()) / name;
    fs::create_symlink(target, link);
    m_links.push_back(link);
    return link;
}

bool ConversionJob::requestStop()
{
    if (m_process.state() == QProcess::NotRunning)
        return false;
    if (!m_stopRequested) {
        m_stopRequested = true;
        m_process.terminate();
        m_killTimer.start();
    }
    return true;
}

void ConversionJob::converterFailedToStart()
{
    conclude(ConversionOutcome::Failed, ConverterNotStartedReason + QStringLiteral(": ") + m_process.errorString());
}

void ConversionJob::converterEnded(int exitCode, QProcess::ExitStatus status)
{
    m_killTimer.stop();
    m_errors.append(m_process.readAllStandardError());
    if (m_stopRequested)
        conclude(ConversionOutcome::Stopped, StoppedReason);
    else if (status == QProcess::CrashExit)
        conclude(ConversionOutcome::Failed, ConverterCrashedReason);
    else if (exitCode != 0)
        conclude(ConversionOutcome::Failed, lastErrorLineOr(ConverterErrorReason.arg(exitCode)));
    else
        conclude(placeOutput());
}

ConversionResult ConversionJob::placeOutput()
{
    if (!IsRegularFile(m_partial))
        return {m_source, m_output, ConversionOutcome::Failed, NoOutputReason};
    std::error_code error;
    fs::last_write_time(m_partial, m_sourceTime, error); // an undated output is no reason to lose it
    if (m_options.destinationMode() == 1) {
        if (IsWriteProtected(QtPath(m_output)))
            return {m_source, m_output, ConversionOutcome::Failed, OutputWriteProtectedReason};
        KeepPermissions(m_output, m_partial);
        fs::rename(m_partial, m_output, error);
    } else
        RenameWithoutReplacing(m_partial, m_output, error);
    if (error == std::errc::file_exists)
        return {m_source, m_output, ConversionOutcome::Failed, OutputNameTakenReason};
    if (error)
        return {m_source, m_output, ConversionOutcome::Failed, OutputNotSavedReason + QStringLiteral(": ") + SystemMessage(error)};
    return {m_source, m_output, ConversionOutcome::Converted, {}};
}

QString ConversionJob::lastErrorLineOr(const QString &fallback) const
{
    const QString line = m_errors.lastLine();
    return line.isEmpty() ? fallback : line;
}

void ConversionJob::conclude(ConversionOutcome outcome, const QString &reason)
{
    conclude({m_source, m_output, outcome, reason});
}

void ConversionJob::conclude(ConversionResult result)
{
    if (m_concluded)
        return;
    removeTemporaries();
    m_concluded = true;
    Q_EMIT finished(result);
}

void ConversionJob::removeTemporaries()
{
    std::error_code ignored;
    fs::remove(m_partial, ignored); // gone already after a successful rename
    for (const fs::path &link : m_links)
        fs::remove(link, ignored); // the link itself, never what it points to
    m_links.clear();
    m_staging.reset();
}

} // namespace sorvane

#include "batchrun.h"

#include "converter.h"
#include "outputpath.h"
#include "pathtext.h"

#include <algorithm>

namespace sorvane {

namespace fs = std::filesystem;

QString EndReportDetails(const BatchReport &report)
{
    QStringList lines;
    for (const ConversionResult &failure : report.failures)
        lines.append(DisplayPath(failure.source) + QStringLiteral(": ") + failure.reason);
    return lines.join(u'\n');
}

BatchRun::BatchRun(const OptionSet &options, std::vector<fs::path> sources, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_sources(std::move(sources))
{
}

BatchRun::~BatchRun() = default;

void BatchRun::start()
{
    QMetaObject::invokeMethod(this, &BatchRun::begin, Qt::QueuedConnection);
}

bool BatchRun::requestStop()
{
    bool asked = false;
    for (RunningJob &running : m_running)
        asked = running.job->requestStop() || asked;
    return asked;
}

void BatchRun::begin()
{
    if (m_sources.empty()) {
        endWhenIdle();
        return;
    }
    m_converter = FindConverter();
    if (m_converter.isEmpty()) {
        m_report.converterMissing = true;
        m_next = m_sources.size();
        endWhenIdle();
        return;
    }
    try {
        PrepareDestinationFolder(m_options);
        launchNext();
    } catch (...) {
        endOnUnexpectedError();
    }
}

// Starts sources in list order until ParallelConversions are running.
// Refused sources end at once without a converter.
void BatchRun::launchNext()
{
    const FileTest isTaken = [this](const fs::path &path) { return m_claimed.contains(path) || IsRegularFile(path); };
    while (m_running.size() < std::size_t(ParallelConversions) && m_next < m_sources.size()) {
        const int index = int(m_next++);
        const OutputDecision decision = DecideOutput(m_options, m_sources[index], isTaken);
        if (decision.refusal.isEmpty()) {
            launch(index, decision.output);
        } else {
            m_current = {m_sources[index], decision.output, {}};
            Q_EMIT sourceStarted(index);
            record(index, {m_sources[index], decision.output, ConversionOutcome::Failed, decision.refusal});
        }
    }
    endWhenIdle();
}

void BatchRun::launch(int index, const fs::path &output)
{
    auto job = std::make_unique<ConversionJob>(m_options, m_sources[index], output, m_converter);
    ConversionJob *started = job.get();
    // The end is handled from the event loop: a job may finish inside its own start().
    connect(started, &ConversionJob::finished, this, [this, started](const ConversionResult &result) {
        QMetaObject::invokeMethod(this, [this, started, result] { jobEnded(started, result); }, Qt::QueuedConnection);
    });
    m_claimed.insert(output);
    m_current = {m_sources[index], output, started->partialPath()};
    Q_EMIT sourceStarted(index);
    started->start();
    m_running.push_back({index, std::move(job)});
}

void BatchRun::jobEnded(ConversionJob *job, const ConversionResult &result)
{
    const auto running = std::find_if(m_running.begin(), m_running.end(),
                                      [job](const RunningJob &r) { return r.job.get() == job; });
    const int index = running->index;
    m_claimed.erase(result.output);
    m_running.erase(running);
    try {
        record(index, result);
        if (m_report.generalError.isEmpty())
            launchNext();
        else
            endWhenIdle();
    } catch (...) {
        endOnUnexpectedError();
    }
}

void BatchRun::record(int index, const ConversionResult &result)
{
    switch (result.outcome) {
    case ConversionOutcome::Converted:
        ++m_report.converted;
        break;
    case ConversionOutcome::Stopped:
        ++m_report.stopped;
        break;
    case ConversionOutcome::Failed:
        ++m_report.failed;
        m_report.failures.append(result);
        break;
    }
    Q_EMIT sourceEnded(index, result);
}

// An unexpected error: no further source is taken; the run ends once the
// running conversions have stopped.
void BatchRun::endOnUnexpectedError()
{
    m_report.generalError = GeneralErrorMessage;
    cancel();
}

void BatchRun::cancel()
{
    m_next = m_sources.size();
    requestStop();
    endWhenIdle();
}

void BatchRun::endWhenIdle()
{
    if (m_ended || !m_running.empty() || m_next < m_sources.size())
        return;
    m_ended = true;
    Q_EMIT finished(m_report);
}

} // namespace sorvane

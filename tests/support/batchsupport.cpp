#include "batchsupport.h"

#include "pathtext.h"
#include "testsupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

namespace batchsupport {

Folder::Folder()
    : m_path(sorvane::PathFromQt(m_dir.path()))
{
}

Folder::~Folder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::set<std::string> Entries(const fs::path &folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

fs::file_time_type FileTime(std::chrono::sys_days day, std::chrono::nanoseconds sinceMidnight)
{
    return std::chrono::file_clock::from_sys(std::chrono::sys_time<std::chrono::nanoseconds>(day) + sinceMidnight);
}

sorvane::ConversionResult RunToEnd(sorvane::ConversionJob &job)
{
    std::optional<sorvane::ConversionResult> result;
    QObject::connect(&job, &sorvane::ConversionJob::finished, [&](const sorvane::ConversionResult &r) { result = r; });
    QSignalSpy finished(&job, &sorvane::ConversionJob::finished);
    job.start();
    if (finished.isEmpty()) {
        EXPECT_TRUE(finished.wait(60000)) << "the conversion did not end";
    }
    return result.value_or(sorvane::ConversionResult{});
}

sorvane::BatchReport RunToEnd(sorvane::BatchRun &run)
{
    std::optional<sorvane::BatchReport> report;
    QObject::connect(&run, &sorvane::BatchRun::finished, [&](const sorvane::BatchReport &r) { report = r; });
    QSignalSpy finished(&run, &sorvane::BatchRun::finished);
    run.start();
    EXPECT_TRUE(finished.wait(60000)) << "the run did not end";
    return report.value_or(sorvane::BatchReport{});
}

void MakeDatedTone(const fs::path &file, double seconds, fs::file_time_type time)
{
    testsupport::MakeTone(file, seconds);
    fs::last_write_time(file, time);
}

std::unique_ptr<QTimer> StopWhenWriting(std::function<fs::path()> partial, std::function<bool()> stop, bool &asked)
{
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(10);
    QObject::connect(timer.get(), &QTimer::timeout, [timer = timer.get(), partial, stop, &asked] {
        std::error_code missing;
        if (fs::file_size(partial(), missing) > 0 && !missing) {
            timer->stop();
            asked = stop();
        }
    });
    timer->start();
    return timer;
}

} // namespace batchsupport

#pragma once

#include "batchrun.h"
#include "conversionjob.h"

#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

namespace batchsupport {

namespace fs = std::filesystem;

// A temporary folder as a path. Removed with std::filesystem, which (unlike
// QDir) also sees names that are not UTF-8.
class Folder
{
public:
    Folder();
    ~Folder();
    const fs::path &path() const { return m_path; }
    fs::path operator/(const fs::path &name) const { return m_path / name; }

private:
    QTemporaryDir m_dir;
    fs::path m_path;
};

// The names in a folder, hidden ones included.
std::set<std::string> Entries(const fs::path &folder);

// A modification time with a fraction of a second, as a calendar moment.
fs::file_time_type FileTime(std::chrono::sys_days day, std::chrono::nanoseconds sinceMidnight);

// Runs the job or the run to its end in the event loop.
sorvane::ConversionResult RunToEnd(sorvane::ConversionJob &job);
sorvane::BatchReport RunToEnd(sorvane::BatchRun &run);

// A sine tone of `seconds` at `file`, dated `time`.
void MakeDatedTone(const fs::path &file, double seconds, fs::file_time_type time);

// Watches `partial()` and calls `stop` once the converter has written part of
// it, so the stop lands in the middle of a conversion; `asked` gets what
// `stop` returned. Runs while the returned timer lives.
std::unique_ptr<QTimer> StopWhenWriting(std::function<fs::path()> partial, std::function<bool()> stop, bool &asked);

} // namespace batchsupport

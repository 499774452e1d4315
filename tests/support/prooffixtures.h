#pragma once

#include <QByteArray>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

// Helpers for tests that try the programs with hostile files and faulty
// converters: checksums of whole trees, and a child process started with
// byte arguments (QProcess takes only text, so names that are not UTF-8
// could not be given to it).
namespace prooffixtures {

namespace fs = std::filesystem;

// SHA-256 of every regular file below `folder` by its path (links are not
// followed); equal maps mean no file was added, removed or changed.
std::map<fs::path, QByteArray> Checksums(const fs::path &folder);

// Whole files by their byte names (QFile cannot open names that are not UTF-8).
void WriteFile(const fs::path &file, const std::string &bytes);
QByteArray ReadFile(const fs::path &file);

struct ChildOptions
{
    fs::path workingFolder{};             // empty: the test's own
    std::vector<std::string> environment{};// "NAME=value", added to or replacing the test's
    long long fileSizeLimit = -1;         // RLIMIT_FSIZE in bytes for the child; -1: none
    std::chrono::seconds timeout{120};    // then the child is killed and counted as hung
    bool closedStandardStreams = false;   // started without standard input, output and error
};

struct ChildResult
{
    int exitCode = -1;      // -1 unless it exited normally
    int signal = 0;         // the signal that ended it, if one did
    bool hung = false;      // killed after the timeout
    QByteArray standardOutput;
    QByteArray standardError;
    long maxResidentKiB = 0; // the peak of the child and the children it waited for
    std::chrono::milliseconds elapsed{0};
};

// A program started with argv[1..] as the given bytes, standard input on
// the null device, output captured in files.
class Child
{
public:
    Child(const fs::path &program, const std::vector<std::string> &arguments, const ChildOptions &options = {});
    ~Child();
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    pid_t pid() const { return m_pid; }
    // Waits for the end (up to the timeout); call once.
    ChildResult wait();

private:
    fs::path m_outputFolder;
    pid_t m_pid = -1;
    std::chrono::steady_clock::time_point m_started;
    std::chrono::seconds m_timeout;
};

ChildResult RunChild(const fs::path &program, const std::vector<std::string> &arguments,
                     const ChildOptions &options = {});

// The built headless front end.
fs::path BatchPath();

// A copy of the headless front end in `folder`, which then is its
// application folder when a profile.txt lies there.
fs::path PortableBatch(const fs::path &folder);

// Whether the process is gone (or only waits to be reaped).
bool ProcessEnded(pid_t pid);

} // namespace prooffixtures

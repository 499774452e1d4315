#include "prooffixtures.h"

#include "pathtext.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace prooffixtures {

namespace {

QByteArray FileChecksum(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        hash.addData(QByteArrayView(buffer, in.gcount()));
    return hash.result().toHex();
}

// The test's environment with `extra` added; an entry of the same name is replaced.
std::vector<std::string> Environment(const std::vector<std::string> &extra)
{
    std::vector<std::string> result;
    for (char **entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('=') + 1);
        const bool replaced = std::any_of(extra.begin(), extra.end(),
                                          [&](const std::string &e) { return e.starts_with(name); });
        if (!replaced)
            result.push_back(text);
    }
    result.insert(result.end(), extra.begin(), extra.end());
    return result;
}

std::vector<char *> Pointers(std::vector<std::string> &strings)
{
    std::vector<char *> pointers;
    for (std::string &s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

std::map<fs::path, QByteArray> Checksums(const fs::path &folder)
{
    std::map<fs::path, QByteArray> sums;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        if (it->is_regular_file() && !it->is_symlink())
            sums[it->path()] = FileChecksum(it->path());
    }
    EXPECT_FALSE(error) << "cannot walk " << folder << ": " << error.message();
    return sums;
}

void WriteFile(const fs::path &file, const std::string &bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << "cannot write " << file;
}

QByteArray ReadFile(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

Child::Child(const fs::path &program, const std::vector<std::string> &arguments, const ChildOptions &options)
    : m_timeout(options.timeout)
{
    char folderTemplate[] = "/tmp/proof-child-XXXXXX";
    m_outputFolder = ::mkdtemp(folderTemplate);
    const int out = ::open((m_outputFolder / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open((m_outputFolder / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int in = ::open("/dev/null", O_RDONLY);
    std::vector<std::string> argv{program.native()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = Environment(options.environment);
    std::vector<char *> argvPointers = Pointers(argv);
    std::vector<char *> envpPointers = Pointers(envp);
    const std::string folder = options.workingFolder.native();

    m_started = std::chrono::steady_clock::now();
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (options.closedStandardStreams) {
            ::close(0);
            ::close(1);
            ::close(2);
        }
        if (!folder.empty() && ::chdir(folder.c_str()) != 0)
            ::_exit(126);
        if (options.fileSizeLimit >= 0) {
            const rlimit limit{rlim_t(options.fileSizeLimit), rlim_t(options.fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execve(argvPointers[0], argvPointers.data(), envpPointers.data());
        ::_exit(127);
    }
    ::close(in);
    ::close(out);
    ::close(err);
}

Child::~Child()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    std::error_code ignored;
    fs::remove_all(m_outputFolder, ignored);
}

ChildResult Child::wait()
{
    ChildResult result;
    int status = 0;
    rusage usage{};
    // Test code may poll: the child is another program with no signal to us.
    for (;;) {
        const pid_t ended = ::wait4(m_pid, &status, WNOHANG, &usage);
        if (ended == m_pid)
            break;
        if (std::chrono::steady_clock::now() - m_started > m_timeout) {
            result.hung = true;
            ::kill(m_pid, SIGKILL);
            ::wait4(m_pid, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_pid = -1;
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_started);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.maxResidentKiB = usage.ru_maxrss;
    result.standardOutput = ReadFile(m_outputFolder / "out");
    result.standardError = ReadFile(m_outputFolder / "err");
    return result;
}

ChildResult RunChild(const fs::path &program, const std::vector<std::string> &arguments, const ChildOptions &options)
{
    return Child(program, arguments, options).wait();
}

fs::path BatchPath()
{
    return sorvane::PathFromQt(testsupport::BatchProgram());
}

fs::path PortableBatch(const fs::path &folder)
{
    const fs::path copy = folder / "sorvane-batch";
    fs::copy_file(BatchPath(), copy, fs::copy_options::overwrite_existing);
    return copy;
}

bool ProcessEnded(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("State:"))
            return line.find('Z') != std::string::npos;
    return true;
}

} // namespace prooffixtures

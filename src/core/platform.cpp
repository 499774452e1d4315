#include "platform.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSocketNotifier>

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace sorvane {
namespace {

// Where the file system offers no atomic way: a test, then a rename. Only a
// name taken in the instant between the two could be replaced.
void CheckThenRename(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)
{
    std::error_code missing;
    if (std::filesystem::exists(std::filesystem::symlink_status(to, missing))) {
        error = std::make_error_code(std::errc::file_exists);
        return;
    }
    std::filesystem::rename(from, to, error);
}

} // namespace

#if defined(__unix__) || defined(__APPLE__)

void RenameWithoutReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                            std::error_code &error)
{
    error.clear();
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS) {
        error.assign(errno, std::generic_category());
        return;
    }
#endif
    // A hard link fails on a taken name too; then the old name goes.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return;
    }
    if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS) // no hard links on this file system
        CheckThenRename(from, to, error);
    else
        error.assign(errno, std::generic_category());
}

void OpenMissingStandardStreams()
{
    for (int stream = 0; stream <= 2; ++stream) {
        if (::fcntl(stream, F_GETFD) == -1 && errno == EBADF && ::open("/dev/null", O_RDWR) != stream)
            return;
    }
}

namespace {

int TerminationSocket[2] = {-1, -1};

void WriteTerminationByte(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(TerminationSocket[0], &byte, 1);
}

} // namespace

// The signal handler only writes a byte; the event loop reads it and calls
// the handler where anything may be done.
void OnTerminationRequest(std::function<void()> handler)
{
    if (TerminationSocket[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, TerminationSocket) != 0)
        return;
    auto *notifier = new QSocketNotifier(TerminationSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler = std::move(handler)] {
        char byte;
        if (::read(TerminationSocket[1], &byte, 1) == 1)
            handler();
    });
    struct sigaction action = {};
    action.sa_handler = WriteTerminationByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

void EndWithThisProgram(QProcess &process)
{
#ifdef __linux__
    // Runs in the child between fork and exec: the kernel sends it SIGTERM
    // when this program's thread that started it is gone.
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#else
    Q_UNUSED(process);
#endif
}

#else

void EndWithThisProgram(QProcess &)
{
}

void OpenMissingStandardStreams()
{
}

void OnTerminationRequest(std::function<void()>)
{
}

void RenameWithoutReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                            std::error_code &error)
{
    error.clear();
    CheckThenRename(from, to, error);
}

#endif

} // namespace sorvane

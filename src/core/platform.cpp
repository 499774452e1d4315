#include "platform.h"

#ifdef __linux__
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace sorvane {

#ifdef __linux__

void RenameWithoutReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                            std::error_code &error)
{
    error.clear();
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS) {
        error.assign(errno, std::generic_category());
        return;
    }
    // The file system cannot rename without replacing: a hard link fails on a taken name too.
    if (::link(from.c_str(), to.c_str()) != 0) {
        error.assign(errno, std::generic_category());
        return;
    }
    ::unlink(from.c_str());
}

#else

void RenameWithoutReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                            std::error_code &error)
{
    std::error_code missing;
    if (std::filesystem::exists(std::filesystem::symlink_status(to, missing))) {
        error = std::make_error_code(std::errc::file_exists);
        return;
    }
    std::filesystem::rename(from, to, error);
}

#endif

} // namespace sorvane

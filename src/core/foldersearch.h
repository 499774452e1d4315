#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

namespace sorvane {

// Every regular file in `folder` and all its subfolders, each with its full
// absolute path (a relative folder is taken from the current directory).
// Links to regular files count as files; links to folders are not followed,
// so the search always ends. FIFOs, sockets and device nodes are passed over,
// and a folder that cannot be read contributes nothing; `unreadable`, when
// given, receives each such folder with the system's reason. The order is
// that of the file system.
struct UnreadableFolder
{
    std::filesystem::path folder;
    std::error_code error;
};
std::vector<std::filesystem::path> SearchFolder(const std::filesystem::path &folder,
                                                std::vector<UnreadableFolder> *unreadable = nullptr);

} // namespace sorvane

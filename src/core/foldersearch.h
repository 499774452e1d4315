#pragma once

#include <filesystem>
#include <vector>

namespace sorvane {

// Every regular file in `folder` and all its subfolders, each with its full
// absolute path (a relative folder is taken from the current directory).
// Links to regular files count as files; links to folders are not followed,
// so the search always ends. FIFOs, sockets and device nodes are passed over,
// and a folder that cannot be read contributes nothing. The order is that of
// the file system.
std::vector<std::filesystem::path> SearchFolder(const std::filesystem::path &folder);

} // namespace sorvane

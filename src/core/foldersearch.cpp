#include "foldersearch.h"

#include <system_error>

namespace fs = std::filesystem;

namespace sorvane {

namespace {

// The folder as an absolute path without "." parts or empty parts, so that
// "." or "music/" give tidy entries. ".." is kept: through a link it need not
// mean the lexical parent.
fs::path AbsoluteFolder(const fs::path &folder, std::error_code &error)
{
    const fs::path absolute = fs::absolute(folder, error);
    fs::path tidy = absolute.root_path();
    for (const fs::path &part : absolute.relative_path()) {
        if (!part.empty() && part != ".")
            tidy /= part;
    }
    return tidy;
}

bool IsFileSource(const fs::directory_entry &entry, fs::file_type type)
{
    std::error_code error;
    return type == fs::file_type::regular || (type == fs::file_type::symlink && entry.is_regular_file(error));
}

} // namespace

std::vector<fs::path> SearchFolder(const fs::path &folder)
{
    std::error_code error;
    std::vector<fs::path> pending{AbsoluteFolder(folder, error)};
    if (error)
        return {};

    std::vector<fs::path> files;
    while (!pending.empty()) {
        const fs::path current = std::move(pending.back());
        pending.pop_back();
        fs::directory_iterator entries(current, error);
        for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
            std::error_code typeError;
            const fs::file_type type = entries->symlink_status(typeError).type();
            if (type == fs::file_type::directory)
                pending.push_back(entries->path());
            else if (IsFileSource(*entries, type))
                files.push_back(entries->path());
        }
        error.clear();
    }
    return files;
}

} // namespace sorvane

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

enum class EntryKind { Folder, File, Other };

// Uses the type the folder listing gave where it can (no call per entry);
// a link is a file when it leads to a regular file, and never a folder.
EntryKind KindOf(const fs::directory_entry &entry)
{
    std::error_code error;
    if (entry.is_symlink(error))
        return entry.is_regular_file(error) ? EntryKind::File : EntryKind::Other;
    if (entry.is_directory(error))
        return EntryKind::Folder;
    return entry.is_regular_file(error) ? EntryKind::File : EntryKind::Other;
}

} // namespace

std::vector<fs::path> SearchFolder(const fs::path &folder, std::vector<UnreadableFolder> *unreadable)
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
            const EntryKind kind = KindOf(*entries);
            if (kind == EntryKind::Folder)
                pending.push_back(entries->path());
            else if (kind == EntryKind::File)
                files.push_back(entries->path());
        }
        if (error && unreadable)
            unreadable->push_back({current, error});
        error.clear();
    }
    return files;
}

} // namespace sorvane

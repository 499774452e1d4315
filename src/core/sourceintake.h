#pragma once

#include "foldersearch.h"
#include "sourcelist.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <vector>

namespace sorvane {

// The prompt line's texts before and after the list holds sources.
QString DropPrompt();
QString GoPrompt();

// What one path gives the source list: a regular file (or a link to one) as
// given, unchanged; every file of a folder, searched to any depth, with its
// absolute path; nothing for a path that names nothing or names no file.
// `unreadable`, when given, receives the folders the search could not read.
std::vector<std::filesystem::path> TakeSourcePath(const std::filesystem::path &path,
                                                  std::vector<UnreadableFolder> *unreadable = nullptr);

// The local files of dropped URLs as the file system's bytes (names that are
// not UTF-8 arrive percent-encoded). Other URLs are ignored.
std::vector<std::filesystem::path> PathsFromUrls(const QList<QUrl> &urls);
// Arguments 1 to the last, as the bytes the program was given.
std::vector<std::filesystem::path> PathsFromArguments(int argc, char **argv);

// The source list with the prompt line and the Go button that follow it.
class SourceIntake : public QObject
{
    Q_OBJECT
public:
    explicit SourceIntake(QObject *parent = nullptr);

    SourceList &sources() { return m_sources; }
    const SourceList &sources() const { return m_sources; }
    const QString &prompt() const { return m_prompt; }
    bool goEnabled() const { return m_goEnabled; }

    // Takes each path in order (dropped or named on the command line); once the
    // list holds anything, the Go prompt shows and Go is enabled.
    void takePaths(const std::vector<std::filesystem::path> &paths);
    // The clear button: no sources, the drop prompt, Go disabled.
    void clear();
    // Text written by others into the prompt line (the end of a batch run).
    void setPrompt(const QString &text);
    // While a batch run walks the list, takes are refused and change nothing.
    void setRefusingDrops(bool refusing) { m_refusingDrops = refusing; }

Q_SIGNALS:
    void promptChanged(const QString &text);
    void goEnabledChanged(bool enabled);

private:
    void setGoEnabled(bool enabled);

    SourceList m_sources;
    QString m_prompt;
    bool m_goEnabled = false;
    bool m_refusingDrops = false;
};

} // namespace sorvane

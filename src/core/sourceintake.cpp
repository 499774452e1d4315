#include "sourceintake.h"

#include "foldersearch.h"
#include "pathtext.h"

#include <QByteArray>

#include <system_error>

namespace fs = std::filesystem;

namespace sorvane {

QString DropPrompt()
{
    return QStringLiteral("変換元の音声/動画ファイル or フォルダをドロップしてください。");
}

QString GoPrompt()
{
    return QStringLiteral("Ｇｏ！ボタンで変換処理を開始します。");
}

std::vector<fs::path> TakeSourcePath(const fs::path &path, std::vector<UnreadableFolder> *unreadable)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status))
        return SearchFolder(path, unreadable);
    if (fs::is_regular_file(status))
        return {path};
    return {};
}

std::vector<fs::path> PathsFromUrls(const QList<QUrl> &urls)
{
    std::vector<fs::path> paths;
    for (const QUrl &url : urls) {
        const bool onThisMachine = url.host().isEmpty() || url.host() == QLatin1String("localhost");
        if (!url.isLocalFile() || !onThisMachine)
            continue;
        // QUrl keeps bytes that are not UTF-8 percent-encoded; decoding the
        // encoded path gives the name's bytes back (toLocalFile would not).
        const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
        paths.push_back(PathFromBytes(QByteArray::fromPercentEncoding(encoded)));
    }
    return paths;
}

std::vector<fs::path> PathsFromArguments(int argc, char **argv)
{
    std::vector<fs::path> paths;
    for (int i = 1; i < argc; ++i)
        paths.push_back(PathFromBytes(QByteArray(argv[i])));
    return paths;
}

SourceIntake::SourceIntake(QObject *parent) : QObject(parent), m_prompt(DropPrompt())
{
}

void SourceIntake::takePaths(const std::vector<fs::path> &paths)
{
    if (m_refusingDrops || paths.empty())
        return;
    // One merge for the whole take: the prompt and Go state after each path
    // end the same as after the last one, since the list only grows.
    std::vector<fs::path> found;
    for (const fs::path &path : paths) {
        std::vector<fs::path> files = TakeSourcePath(path);
        if (found.empty())
            found = std::move(files);
        else
            found.insert(found.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
    }
    m_sources.add(std::move(found));
    if (m_sources.count() > 0) {
        setPrompt(GoPrompt());
        setGoEnabled(true);
    }
}

void SourceIntake::clear()
{
    m_sources.clear();
    setPrompt(DropPrompt());
    setGoEnabled(false);
}

void SourceIntake::setPrompt(const QString &text)
{
    if (text == m_prompt)
        return;
    m_prompt = text;
    Q_EMIT promptChanged(m_prompt);
}

void SourceIntake::setGoEnabled(bool enabled)
{
    if (enabled == m_goEnabled)
        return;
    m_goEnabled = enabled;
    Q_EMIT goEnabledChanged(m_goEnabled);
}

} // namespace sorvane

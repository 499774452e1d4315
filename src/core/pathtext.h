#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace sorvane {

// A path is the file system's bytes; these turn it into text only at the edges.

// The path's bytes, unchanged (UTF-8 where the system names files in UTF-16).
QByteArray PathBytes(const std::filesystem::path &path);
std::filesystem::path PathFromBytes(const QByteArray &bytes);
// The path for a person to read; bytes that are not UTF-8 show as U+FFFD.
QString DisplayPath(const std::filesystem::path &path);
// The path for QString-based APIs (QFile, QProcess). Exact only for names
// that QtCore can carry: see IsQtRepresentable.
QString QtPath(const std::filesystem::path &path);
std::filesystem::path PathFromQt(const QString &path);
// Whether QString round-trips the path's bytes (false for names that are not valid UTF-8).
bool IsQtRepresentable(const std::filesystem::path &path);

} // namespace sorvane

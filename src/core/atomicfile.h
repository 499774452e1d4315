#pragma once

#include <QByteArray>
#include <QString>

namespace sorvane {

// Replaces the file at `path` by `bytes`, or leaves it exactly as it was:
// the new content goes to a temporary file beside it that is renamed over the
// old one only when it was written whole.
bool ReplaceFileAtomically(const QString &path, const QByteArray &bytes);

// A file the user has marked read-only is never replaced, even where its
// folder would allow it: its write bits count, also for a user (root) who
// could ignore them.
bool IsWriteProtected(const QString &path);

} // namespace sorvane

#pragma once

#include "appfiles.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace testsupport {

// A portable application folder of its own: a preset file, and the settings
// file once the program writes it.
class AppFolder
{
public:
    explicit AppFolder(const QByteArray &presets = "Voice,MP3,1,LIBMP3LAME,22050Hz,64kbps\r\n");

    QString path() const { return m_dir.path(); }
    sorvane::AppFiles files() const;

private:
    QTemporaryDir m_dir;
};

} // namespace testsupport

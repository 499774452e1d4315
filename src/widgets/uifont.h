#pragma once

#include <QColor>
#include <QFont>

namespace sorvane {

// The window font (a Japanese proportional Gothic) at a height in pixels.
QFont UiFont(int pixelSize, bool bold = false);
// A colour from 0xRRGGBB.
inline QColor Rgb(quint32 rgb) { return QColor::fromRgb(QRgb(0xFF000000u | rgb)); }

} // namespace sorvane

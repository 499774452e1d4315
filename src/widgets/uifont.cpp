#include "uifont.h"

#include <QStringList>

namespace sorvane {

QFont UiFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic"), QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace sorvane

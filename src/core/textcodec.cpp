#include "textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace sorvane {
namespace {

// Qt's "Shift_JIS" codec is ICU's table for code page 932 (81 60 is U+FF5E).
const char *const CodePage932Name = "Shift_JIS";
const QByteArray Utf8ByteOrderMark("\xEF\xBB\xBF");

} // namespace

namespace {

bool IsAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) < 0x80; });
}

} // namespace

DecodedText DecodeText(const QByteArray &bytes)
{
    if (!IsAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            const bool marked = bytes.startsWith(Utf8ByteOrderMark);
            return {text, marked ? TextEncoding::Utf8WithByteOrderMark : TextEncoding::Utf8, true};
        }
    }
    QStringDecoder codePage932(CodePage932Name, QStringDecoder::Flag::Stateless);
    const QString text = codePage932.decode(bytes);
    return {text, TextEncoding::CodePage932, !codePage932.hasError()};
}

std::optional<QByteArray> EncodeText(const QString &text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8WithByteOrderMark:
        return Utf8ByteOrderMark + text.toUtf8();
    case TextEncoding::CodePage932:
        break;
    }
    QStringEncoder codePage932(CodePage932Name, QStringEncoder::Flag::Stateless);
    const QByteArray bytes = codePage932.encode(text);
    if (codePage932.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace sorvane

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace sorvane {

// The encodings a user's text file may come in. Code page 932 is the Japanese
// Windows code page and the default.
enum class TextEncoding {
    CodePage932,
    Utf8,
    Utf8WithByteOrderMark,
};

struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::CodePage932;
    // False when some bytes were no character of the chosen encoding: the text
    // then holds a substitute for them and cannot give the bytes back.
    bool exact = true;
};

// UTF-8 when `bytes` hold some non-ASCII character and are wholly valid
// UTF-8; otherwise code page 932, so plain ASCII (and an empty file) keeps the
// code page a new file gets.
DecodedText DecodeText(const QByteArray &bytes);

// The text in the encoding, or nothing when a character has no place in it.
std::optional<QByteArray> EncodeText(const QString &text, TextEncoding encoding);

} // namespace sorvane

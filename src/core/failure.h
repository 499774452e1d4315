#pragma once

#include <QString>

#include <stdexcept>

namespace sorvane {

// A failure meant for the user: its message is shown as it stands in the
// program's error box (which appends the final "." where the text needs one).
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// The error box's text: a "." is appended when the message's last character
// sorts after "." (as every Japanese character does); an empty message stays empty.
inline QString ErrorBoxText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

} // namespace sorvane

#pragma once

#include <QString>
#include <stdexcept>

// A failure that no handler guards: thrown by the core and shown by the application's general
// error handler, which abandons the event that raised it.
class FaqError : public std::runtime_error
{
public:
    explicit FaqError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

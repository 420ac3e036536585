#pragma once

#include <QString>
#include <stdexcept>

#include "kxlab_export.h"

/// The base of the library's errors that reach a user: a label or picture that cannot be read, a
/// table that cannot be opened, a printer that cannot start. Message() is the text for the message
/// hook; what() is its UTF-8 form. Misuse of an interface is EInvalidOperation, a logic error, instead.
class KXLAB_EXPORT EKxException : public std::runtime_error {
public:
    explicit EKxException(const QString& Message)
        : std::runtime_error(Message.toStdString())
        , FMessage(Message) {}

    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

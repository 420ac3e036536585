#pragma once

#include <QString>
#include <stdexcept>

/// A file or stream that cannot be opened, read or written: a missing or locked file, a short or
/// corrupt record, a full disk. The message names the file or the byte offset where reading stopped.
class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString& message)
        : std::runtime_error(message.toStdString())
        , FMessage(message) {}

    /// The message as Unicode text, for the message hook.
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};
